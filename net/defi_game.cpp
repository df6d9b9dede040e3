#include "net/defi_game.h"

#include <algorithm>
#include <array>

namespace quorbel {

namespace {

// Placed values, clears, pencil marks and value steps: what a board sends in a challenge.
constexpr std::array<int, 7> kPlayerActions = {kDefiPlace,        kDefiPlaceNth,     kDefiClear,
                                               kDefiTogglePencil, kDefiRemovePencil, kDefiNextValue,
                                               kDefiPreviousValue};
// The actions that change a cell's value; a refused one is undone on its sender's board.
constexpr std::array<int, 5> kValueActions = {kDefiPlace, kDefiPlaceNth, kDefiClear, kDefiNextValue,
                                              kDefiPreviousValue};

bool OneOf(const auto &table, int kind) { return std::find(table.begin(), table.end(), kind) != table.end(); }

} // namespace

bool IsDefiPlayerAction(int kind) { return OneOf(kPlayerActions, kind); }

DefiGame::DefiGame(DefiGameHost &host) : host_(host) { Forget(); }

void DefiGame::Adapter::RevealCell(int cell) {
  const int value = game_.host_.SolutionValue(cell);
  game_.Place(cell, value, kDefiPlaceFixed);
  game_.SendToPlayers(DefiMoveMessage(game_.own_, cell, value, kDefiPlaceFixed), {});
}

void DefiGame::Forget() {
  turns_ = DefiTurns{};
  turns_.Banner.Countdown = -2;
  standings_ = DefiPlayerList{};
  launcher_.clear();
  told_ = DefiStandings{};
  settled_.clear();
  saidAfterTheEnd_ = false;
}

void DefiGame::Begin(const DefiPlayerList &list, const std::vector<int> &order, const std::string &ownName,
                     const DefiTurnRules &rules) {
  Forget();
  own_ = ownName;
  std::vector<int> positions;
  int own = -1;
  for (const int index : order) {
    if (index < 0 || index >= list.Count())
      continue;
    DefiPlayerRecord player = list.At(index);
    player.Slot = -1;
    // The own player plays at this computer, whatever the connect service's list says of him.
    if (player.Name == own_)
      player.Remote = 0;
    const std::optional<int> at = standings_.Add(std::move(player));
    if (!at)
      break;
    positions.push_back(*at);
    if (standings_.At(*at).Name == own_ && own < 0)
      own = *at;
  }
  if (own < 0) {
    DefiPlayerRecord player;
    player.Name = own_;
    if (const std::optional<int> at = standings_.Add(std::move(player))) {
      own = *at;
      positions.insert(positions.begin(), own);
    }
  }
  StartDefiTurns(turns_, standings_, positions, own, rules);
  turns_.Running = false; // until the grid is out
}

void DefiGame::Launched() {
  turns_.Running = true;
  told_ = DefiStandings{};
  // A player checked but out of reach got no grid: he would hold up every round.
  const std::vector<std::string> unreachable = Absent();
  for (const std::string &name : unreachable)
    host_.Inform("Defi: " + name + " cannot be reached: he does not play this challenge");
  LeaveOrder(unreachable);
  TellStandings();
}

void DefiGame::Follow(const std::string &launcher, const std::string &ownName) {
  Forget();
  own_ = ownName;
  launcher_ = launcher;
  turns_.Mirror = true;
  turns_.Running = true;
}

void DefiGame::Place(int cell, int value, int kind) {
  const bool applying = turns_.ApplyingPeerMove;
  turns_.ApplyingPeerMove = true;
  host_.PlaceMove(cell, value, kind);
  turns_.ApplyingPeerMove = applying;
}

void DefiGame::SendToPlayers(const std::string &message, const std::string &except) {
  for (int i = 0; i < standings_.Count(); ++i) {
    const DefiPlayerRecord &player = standings_.At(i);
    if (player.Remote == 1 && player.Name != own_ && player.Name != except)
      host_.SendTo(player.Name, message);
  }
}

void DefiGame::TakeMove(const std::string &from, const DefiMove &move) {
  if (!turns_.Running || AfterTheEnd(from))
    return;
  // The launcher passes on every player's moves; a player may send only his own.
  const bool passedOn = turns_.Mirror && from == launcher_;
  if (turns_.Mirror && !passedOn) {
    host_.Inform("Defi: move of " + from + " refused: " + launcher_ + " runs the challenge");
    return;
  }
  if (!passedOn && move.Player != from) {
    host_.Inform("Defi: move refused: " + from + " sent a move of " + move.Player);
    return;
  }
  const int position = DefiPositionOf(turns_, standings_, move.Player);
  if (position < 0 && !(passedOn && standings_.Count() == 0)) {
    host_.Inform("Defi: move refused: " + move.Player + " is not a player of this challenge");
    return;
  }
  // Only the launcher reveals a surprise's cell as a given.
  const bool action = IsDefiPlayerAction(move.Kind) || (passedOn && move.Kind == kDefiPlaceFixed);
  if (move.Cell < 0 || move.Cell >= host_.CellCount() || move.Value < 0 || move.Value > host_.GridWidth() ||
      !action) {
    host_.Inform("Defi: move of " + move.Player + " refused: no such cell, value or action");
    return;
  }
  if (host_.IsGiven(move.Cell)) {
    host_.Inform("Defi: move of " + move.Player + " refused: cell " + std::to_string(move.Cell) +
                 " is a given");
    return;
  }
  if (!turns_.Mirror && turns_.Rules.Type == 1 && position != turns_.Current) {
    Refuse(from, move, "it is not his turn");
    return;
  }
  if (const std::optional<std::string> owner = SettledBy(move.Cell); owner && !passedOn) {
    Refuse(from, move, "cell " + std::to_string(move.Cell) + " is " + *owner + "'s: filled right, it stays");
    return;
  }
  Place(move.Cell, move.Value, move.Kind);
  if (turns_.Mirror) {
    // What the launcher passes on is what every board holds, its owner too.
    Settle(move.Cell, move.Player, true);
    return;
  }
  Settle(move.Cell, move.Player, false);
  SendToPlayers(DefiMoveMessage(move.Player, move.Cell, move.Value, move.Kind), from);
  Adapter adapter(*this);
  DefiScoreMove(turns_, standings_, position, move.Cell, move.Kind, host_.CellCount(), adapter);
  EndIfSolved();
  TellStandings();
}

// Said here; the sender's board, which took the value already, gets the cell back as it stands,
// in the name of the player it is settled for.
void DefiGame::Refuse(const std::string &from, const DefiMove &move, const std::string &why) {
  host_.Inform("Defi: move of " + move.Player + " refused: " + why);
  if (!OneOf(kValueActions, move.Kind))
    return;
  const int value = host_.CellValue(move.Cell);
  host_.SendTo(from, DefiMoveMessage(SettledBy(move.Cell).value_or(own_), move.Cell, value,
                                     value == 0 ? kDefiClear : kDefiPlace));
}

bool DefiGame::Seated(const std::string &name) const {
  return InPlay() && name != own_ &&
         ((turns_.Mirror && name == launcher_) || DefiPositionOf(turns_, standings_, name) >= 0);
}

std::optional<std::string> DefiGame::SettledBy(int cell) const {
  if (cell < 0 || cell >= static_cast<int>(settled_.size()) || settled_[static_cast<size_t>(cell)].empty())
    return std::nullopt;
  return settled_[static_cast<size_t>(cell)];
}

std::optional<std::string> DefiGame::SettledRefusal(int cell) const {
  if (!InPlay())
    return std::nullopt;
  const std::optional<std::string> owner = SettledBy(cell);
  if (!owner)
    return std::nullopt;
  return "Defi: cell " + std::to_string(cell) + " is " +
         (*owner == own_ ? std::string("yours") : *owner + "'s") + ": filled right, it stays";
}

void DefiGame::Settle(int cell, const std::string &player, bool passedOn) {
  const int cells = host_.CellCount();
  if (cell < 0 || cell >= cells)
    return;
  settled_.resize(static_cast<size_t>(cells));
  std::string &owner = settled_[static_cast<size_t>(cell)];
  const int solution = host_.SolutionValue(cell);
  if (solution == 0 || host_.CellValue(cell) != solution)
    owner.clear();
  else if (owner.empty() || passedOn)
    owner = player;
}

bool DefiGame::AfterTheEnd(const std::string &from) {
  if (!turns_.Over)
    return false;
  if (!saidAfterTheEnd_)
    host_.Inform("Defi: the challenge is over: what " + from + " sent after its end is not played");
  saidAfterTheEnd_ = true;
  return true;
}

void DefiGame::TakeStandings(const std::string &from, const DefiStandings &standings) {
  if (!turns_.Running)
    return;
  if (!turns_.Mirror || from != launcher_) {
    host_.Inform("Defi: standings of " + from + " refused: " +
                 (turns_.Mirror ? launcher_ + " runs the challenge" : std::string("you run the challenge")));
    return;
  }
  for (int i = 0; i < standings_.Count(); ++i) {
    const std::string &name = standings_.At(i).Name;
    if (std::none_of(standings.Players.begin(), standings.Players.end(),
                     [&](const DefiStanding &player) { return player.Name == name; }))
      host_.Inform("Defi: " + name + " has left the challenge");
  }
  const bool wasOver = turns_.Over;
  Adapter adapter(*this);
  TakeDefiStandings(turns_, standings_, standings, own_, adapter);
  if (turns_.Over && !wasOver)
    AnnounceEnd();
  host_.Redraw();
}

void DefiGame::CheckDepartures() {
  if (!turns_.Running || turns_.Over)
    return;
  if (turns_.Mirror) {
    if (!launcher_.empty() && !host_.Present(launcher_)) {
      host_.Inform("Defi: " + launcher_ + ", who runs the challenge, has left it: you play on alone");
      PlayAlone();
    }
    return;
  }
  const std::vector<std::string> gone = Absent();
  if (gone.empty())
    return;
  for (const std::string &name : gone)
    host_.Inform("Defi: " + name + " has left the challenge");
  LeaveOrder(gone);
  TellStandings();
  host_.Redraw();
}

std::vector<std::string> DefiGame::Absent() {
  std::vector<std::string> absent;
  for (const int index : turns_.Order)
    if (index >= 0 && index < standings_.Count()) {
      const DefiPlayerRecord &player = standings_.At(index);
      if (player.Remote == 1 && player.Name != own_ && !host_.Present(player.Name))
        absent.push_back(player.Name);
    }
  return absent;
}

void DefiGame::LeaveOrder(const std::vector<std::string> &names) {
  Adapter adapter(*this);
  for (const std::string &name : names)
    DefiRemoveFromOrder(turns_, standings_, DefiPositionOf(turns_, standings_, name), adapter);
}

// Without its launcher a follower has nobody to wait for: its player fills the grid on his own,
// keeping his score.
void DefiGame::PlayAlone() {
  launcher_.clear();
  DefiPlayerRecord own;
  if (const int at = standings_.Find(own_); at >= 0)
    own = standings_.At(at);
  own.Name = own_;
  own.Remote = 0;
  own.Moves.clear();
  standings_ = DefiPlayerList{};
  standings_.Add(std::move(own));
  turns_.Order = {0};
  turns_.OwnPosition = 0;
  turns_.Current = 0;
  turns_.Previous = -1;
  turns_.Mirror = false;
  turns_.Rules.Type = 0; // no turns, and no turn's time left to show
  turns_.RemainingMs = 0;
  turns_.Banner = DefiBanner{};
  turns_.Banner.Countdown = -2;
  told_ = DefiStandings{};
  host_.Redraw();
}

void DefiGame::OwnMove(int cell, int value, int kind) {
  if (!turns_.Running || turns_.Over || turns_.ApplyingPeerMove)
    return;
  // However the board came to change a settled cell, it gets its value back.
  if (const std::optional<std::string> refusal = SettledRefusal(cell); refusal && IsDefiPlayerAction(kind)) {
    host_.Inform(*refusal);
    host_.PutBack(cell, host_.SolutionValue(cell));
    return;
  }
  if (turns_.Mirror) {
    // Its launcher places it for the others and scores it.
    if (!host_.SendTo(launcher_, DefiMoveMessage(own_, cell, value, kind)))
      host_.Inform("Defi: nobody runs the challenge any more: the move stays here");
    Settle(cell, own_, false);
    return;
  }
  const DefiPlayerRecord *mover = nullptr;
  if (const int position = DefiLocalMover(turns_, standings_);
      position >= 0 && position < static_cast<int>(turns_.Order.size()))
    mover = &standings_.At(turns_.Order[static_cast<size_t>(position)]);
  const std::string moverName = mover ? mover->Name : own_;
  Adapter adapter(*this);
  DefiSendMove(turns_, standings_, own_, cell, value, kind, host_.CellCount(), adapter);
  Settle(cell, moverName, false);
  EndIfSolved();
  TellStandings();
}

void DefiGame::Tick(int elapsedMs) {
  if (!turns_.Running)
    return;
  Adapter adapter(*this);
  DefiTurnTick(turns_, standings_, elapsedMs, adapter);
  TellStandings();
}

// The launcher tells the standings when more than its clock changed.
void DefiGame::TellStandings() {
  if (!turns_.Running || turns_.Mirror)
    return;
  const DefiStandings now = DefiStandingsOf(turns_, standings_);
  DefiStandings compared = now;
  compared.RemainingMs = told_.RemainingMs;
  if (compared == told_ && !told_.Players.empty())
    return;
  told_ = now;
  SendToPlayers(DefiStandingsMessage(now), {});
}

void DefiGame::EndIfSolved() {
  if (turns_.Over || !host_.Solved())
    return;
  EndDefiChallenge(turns_, standings_);
  AnnounceEnd();
  host_.Redraw();
}

void DefiGame::AnnounceEnd() {
  for (const std::string &line : turns_.Banner.Lines)
    if (!line.empty())
      host_.Inform(line);
}

} // namespace quorbel
