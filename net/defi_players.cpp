#include "net/defi_players.h"

#include <algorithm>

namespace quorbel {

std::string DefiNameProblem(std::string_view name) {
  if (name.empty())
    return "is empty";
  if (name.size() > kMostDefiNameBytes)
    return "is longer than " + std::to_string(kMostDefiNameBytes) + " bytes";
  if (std::any_of(name.begin(), name.end(), [](char c) { return c == '|' || c == '>'; }))
    return "holds a '|' or a '>', which part the challenge's messages";
  if (std::any_of(name.begin(), name.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }))
    return "holds a control character";
  return {};
}

bool IsDefiPlayerName(std::string_view name) { return DefiNameProblem(name).empty(); }

void ResetDefiScore(DefiPlayerRecord &player) {
  player.Score = 0;
  player.Moves.clear();
  player.Bonus.fill(0);
}

int DefiStatusOfLetter(char letter) {
  static constexpr std::string_view kLetters = "SMCRIPN";
  const size_t at = kLetters.find(letter);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

int DefiStatusColour(int status) {
  static constexpr std::array<int, 5> kColours = {0, 1, 0, 1, 2};
  // 'P' and 'N' have no colour of their own: grey, as players not playing.
  return status >= 0 && status < 5 ? kColours[static_cast<size_t>(status)] : 1;
}

std::optional<int> DefiPlayerList::Add(DefiPlayerRecord player) {
  if (Count() >= kMostDefiPlayers)
    return std::nullopt;
  player.Index = Count();
  players_.push_back(std::move(player));
  return players_.back().Index;
}

void DefiPlayerList::Remove(int index) {
  if (index < 0 || index >= Count())
    return;
  players_.erase(players_.begin() + index);
  for (int i = index; i < Count(); ++i)
    players_[static_cast<size_t>(i)].Index = i;
}

int DefiPlayerList::Find(std::string_view name) const {
  const auto found = std::find_if(players_.begin(), players_.end(),
                                  [&](const DefiPlayerRecord &p) { return p.Name == name; });
  return found == players_.end() ? -1 : static_cast<int>(found - players_.begin());
}

void MergeServicePlayers(DefiPlayerList &players, std::vector<DefiPlayerRecord> fresh) {
  DefiPlayerList merged;
  for (DefiPlayerRecord &player : fresh) {
    if (const int old = players.Find(player.Name); old >= 0 && players.At(old).Slot >= 0) {
      player.Slot = players.At(old).Slot;
      player.Connected = std::max(player.Connected, players.At(old).Connected);
    }
    if (merged.Find(player.Name) < 0)
      merged.Add(std::move(player));
  }
  for (int i = 0; i < players.Count(); ++i)
    if (players.At(i).Slot >= 0 && merged.Find(players.At(i).Name) < 0)
      merged.Add(players.At(i));
  players = std::move(merged);
}

} // namespace quorbel
