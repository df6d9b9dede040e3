// The challenge's players: who they are, where to call them, how they score and how the list
// shows them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

inline constexpr int kMostDefiPlayers = 100;
inline constexpr int kDefiSurpriseKinds = 7;
inline constexpr size_t kMostDefiNameBytes = 64;

// A name every message can carry: not empty, at most 64 bytes, without a line end or another
// control byte, and without the '|' that parts a move's fields or the '>' of a hello's marks.
// The same for a name that a peer, the connect service or the player gives.
bool IsDefiPlayerName(std::string_view name);
// What keeps a name from being one, "" when it is: "is empty", "is longer than 64 bytes", ...
std::string DefiNameProblem(std::string_view name);

struct DefiPlayerRecord {
  int Index = -1;
  int Remote = 0; // 0 a player at this computer, 1 a network player
  std::string Name;
  std::string Address; // host name or dotted IPv4
  int Port = 0;
  std::array<std::string, 5> Fields; // town, language, country and the like
  int Status = 0;
  int YesNo = 0;
  char Code = 0;
  uint32_t Ip = 0;
  int Score = 0;
  int Handicap = 0;
  std::vector<int> Moves; // the values scored in the current turn
  std::array<int, kDefiSurpriseKinds> Bonus{};
  int Connected = 0; // the list's check box
  int Chat = 0;
  int Slot = -1; // the socket bound to the player, -1 none
};

void ResetDefiScore(DefiPlayerRecord &player);

// 'S' 0, 'M' 1, 'C' 2, 'R' 3, 'I' 4, 'P' 5, 'N' 6; -1 for another letter.
int DefiStatusOfLetter(char letter);
// 0 green, 1 grey, 2 red.
int DefiStatusColour(int status);

class DefiPlayerList {
public:
  int Count() const { return static_cast<int>(players_.size()); }
  DefiPlayerRecord &At(int index) { return players_[static_cast<size_t>(index)]; }
  const DefiPlayerRecord &At(int index) const { return players_[static_cast<size_t>(index)]; }
  // The new player's index; none with 100 players already.
  std::optional<int> Add(DefiPlayerRecord player);
  void Remove(int index);
  // The first player of that name, -1 when none.
  int Find(std::string_view name) const;

private:
  std::vector<DefiPlayerRecord> players_;
};

// The connect service's list of the group replaces the players, but a player of the same name
// keeps his socket and his check box, and one bound to a socket stays in the list: the
// sockets and the challenge in play go on with him.
void MergeServicePlayers(DefiPlayerList &players, std::vector<DefiPlayerRecord> fresh);

// The turn order: with randomOrder off the own player then every connected one in list order;
// with it on the same players drawn at random (`random(n)` gives 0..n-1).
template <typename Random>
std::vector<int> DefiTurnOrder(const DefiPlayerList &players, int own, bool randomOrder, Random &&random) {
  std::vector<int> eligible;
  if (own >= 0 && own < players.Count())
    eligible.push_back(own);
  for (int i = 0; i < players.Count(); ++i)
    if (i != own && players.At(i).Connected == 1)
      eligible.push_back(i);
  if (!randomOrder)
    return eligible;
  std::vector<int> order;
  while (!eligible.empty()) {
    const size_t pick = static_cast<size_t>(random(static_cast<int>(eligible.size())));
    order.push_back(eligible[pick]);
    eligible.erase(eligible.begin() + static_cast<std::ptrdiff_t>(pick));
  }
  return order;
}

} // namespace quorbel
