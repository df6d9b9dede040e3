#include "net/defi_turns.h"

#include <algorithm>

#include "net/defi_protocol.h"

namespace quorbel {

namespace {

constexpr std::array<int, 5> kCellsPerTurn = {1, 2, 3, 5, 10};
constexpr std::array<int, 6> kSecondsPerTurn = {5, 10, 30, 60, 300, -1};
constexpr int kWrongMovePenalty = 10;
constexpr int kTurnSound = 5;
constexpr int kPointSound = 7;

bool InOrder(const DefiTurns &turns, int position) {
  return position >= 0 && position < static_cast<int>(turns.Order.size());
}

DefiPlayerRecord *PlayerAt(DefiTurns &turns, DefiPlayerList &players, int position) {
  if (!InOrder(turns, position))
    return nullptr;
  const int index = turns.Order[static_cast<size_t>(position)];
  return index >= 0 && index < players.Count() ? &players.At(index) : nullptr;
}

const DefiPlayerRecord *PlayerAt(const DefiTurns &turns, const DefiPlayerList &players, int position) {
  return PlayerAt(const_cast<DefiTurns &>(turns), const_cast<DefiPlayerList &>(players), position);
}

void PassTurn(DefiTurns &turns, DefiPlayerList &players, int extraMs, DefiTurnHost &host) {
  turns.Previous = turns.Current;
  turns.Current = turns.Current + 1 >= static_cast<int>(turns.Order.size()) ? 0 : turns.Current + 1;
  DefiTurnBanner(turns, players, 0, true, host);
  turns.RemainingMs = turns.Rules.SecondsPerTurn * 1000 + extraMs;
  if (DefiPlayerRecord *player = PlayerAt(turns, players, turns.Current)) {
    player->Moves.clear();
    if (player->Remote == 0)
      host.PlaySound(kTurnSound);
  }
}

int IndexOfSetting(int stored, const auto &table) {
  const auto found = std::find(table.begin(), table.end(), stored);
  if (found != table.end())
    return static_cast<int>(found - table.begin());
  return std::clamp(stored, 0, static_cast<int>(table.size()) - 1);
}

} // namespace

int DefiCellsPerTurn(int index) {
  return kCellsPerTurn[static_cast<size_t>(std::clamp(index, 0, static_cast<int>(kCellsPerTurn.size()) - 1))];
}

int DefiSecondsPerTurn(int index) {
  return kSecondsPerTurn[static_cast<size_t>(
      std::clamp(index, 0, static_cast<int>(kSecondsPerTurn.size()) - 1))];
}

int DefiCellsIndexOfSetting(int stored) { return IndexOfSetting(stored, kCellsPerTurn); }

int DefiMaxTimeIndexOfSetting(int stored) { return IndexOfSetting(stored, kSecondsPerTurn); }

void StartDefiTurns(DefiTurns &turns, DefiPlayerList &players, std::vector<int> order, int own,
                    const DefiTurnRules &rules) {
  turns.Order = std::move(order);
  for (const int index : turns.Order)
    if (index >= 0 && index < players.Count())
      ResetDefiScore(players.At(index));
  const auto ownAt = std::find(turns.Order.begin(), turns.Order.end(), own);
  turns.OwnPosition = ownAt == turns.Order.end() ? -1 : static_cast<int>(ownAt - turns.Order.begin());
  turns.Rules = rules;
  turns.Current = static_cast<int>(turns.Order.size()); // the first tick passes the turn to position 0
  turns.Previous = -1;
  turns.RemainingMs = 0;
  turns.Surprises.clear();
  turns.Banner = DefiBanner{};
  turns.Running = true;
}

int DefiTurnTick(DefiTurns &turns, DefiPlayerList &players, int elapsed, DefiTurnHost &host) {
  if (!turns.Running || turns.InTick || turns.Order.empty())
    return 1;
  if (turns.Over) {
    // The result stays a while, then the solved board comes back.
    if (turns.Banner.Shown && (turns.Banner.Countdown -= elapsed) <= 0) {
      turns.Banner = DefiBanner{};
      host.Redraw();
    }
    return 1;
  }
  if (turns.Mirror) {
    // The launcher passes the turns: this clock only counts down to its word.
    turns.RemainingMs = std::max(turns.RemainingMs - elapsed, 0);
    DefiTurnBanner(turns, players, elapsed, false, host);
    return 1;
  }
  if (turns.Rules.Type != 1)
    return 1;
  turns.InTick = true;
  // A turn without a limit never runs out, once it has been given.
  const bool unlimited = turns.Rules.SecondsPerTurn < 0 && InOrder(turns, turns.Current);
  if (!unlimited)
    turns.RemainingMs -= elapsed;
  if (unlimited || turns.RemainingMs > 0)
    DefiTurnBanner(turns, players, elapsed, false, host);
  else
    PassTurn(turns, players, 2000, host);
  turns.InTick = false;
  return 1;
}

bool DefiScoreMove(DefiTurns &turns, DefiPlayerList &players, int position, int cell, int kind, int cellCount,
                   DefiTurnHost &host) {
  // Only placed values score: pencil marks and clears do not.
  static constexpr std::array<int, 5> kPlacing = {1, 2, 3, 13, 14};
  DefiPlayerRecord *player = PlayerAt(turns, players, position);
  if (!player || turns.Over || cell < 0 || cell >= cellCount ||
      std::find(kPlacing.begin(), kPlacing.end(), kind) == kPlacing.end())
    return false;
  if (turns.Rules.Type == 1 && position != turns.Current)
    return false; // out of turn
  const int placed = host.CellValue(cell);
  if (placed != host.SolutionValue(cell) || host.InContradiction()) {
    player->Score -= kWrongMovePenalty;
  } else {
    player->Moves.push_back(placed);
    player->Score += placed;
  }
  if (turns.Rules.Surprises)
    for (const DefiSurprise &surprise : turns.Surprises) {
      if (surprise.Cell != cell)
        continue;
      if (surprise.Kind == 1)
        player->Score += surprise.Amount;
      else if (surprise.Kind == 2 && surprise.Amount >= 0 && surprise.Amount < kDefiSurpriseKinds)
        ++player->Bonus[static_cast<size_t>(surprise.Amount)];
      else if (surprise.Kind == 3 && surprise.Amount >= 0 && surprise.Amount < cellCount)
        host.RevealCell(surprise.Amount);
    }
  if (turns.Rules.Type == 1 && static_cast<int>(player->Moves.size()) >= turns.Rules.CellsPerTurn) {
    if (turns.Rules.Bonus)
      player->Score += std::max(turns.RemainingMs, 0);
    PassTurn(turns, players, 5000, host);
  }
  return true;
}

void DefiRemoveFromOrder(DefiTurns &turns, DefiPlayerList &players, int position, DefiTurnHost &host) {
  if (!InOrder(turns, position))
    return;
  const bool inTurn = turns.Current == position;
  turns.Order.erase(turns.Order.begin() + position);
  for (int *at : {&turns.Previous, &turns.OwnPosition})
    if (*at == position)
      *at = -1;
    else if (*at > position)
      --*at;
  if (turns.Current > position)
    --turns.Current;
  if (!inTurn || turns.Order.empty() || turns.Over)
    return;
  turns.Current = position - 1; // the pass gives the turn to the one who followed him
  PassTurn(turns, players, 2000, host);
  turns.Previous = -1; // nobody's turn ended
}

int DefiPositionOf(const DefiTurns &turns, const DefiPlayerList &players, std::string_view name) {
  for (size_t position = 0; position < turns.Order.size(); ++position) {
    const DefiPlayerRecord *player = PlayerAt(turns, players, static_cast<int>(position));
    if (player && player->Name == name)
      return static_cast<int>(position);
  }
  return -1;
}

std::optional<std::string> DefiTurnElsewhere(const DefiTurns &turns, const DefiPlayerList &players) {
  if (!turns.Running || turns.Over)
    return std::nullopt;
  if (const DefiPlayerRecord *holder = PlayerAt(turns, players, turns.Current))
    return holder->Remote == 0 ? std::nullopt : std::optional<std::string>(holder->Name);
  if (!turns.Mirror && turns.Rules.Type == 1)
    return std::string();
  return std::nullopt;
}

bool DefiBoardsShared(const DefiTurns &turns) { return turns.Running && !turns.Over; }

DefiStandings DefiStandingsOf(const DefiTurns &turns, const DefiPlayerList &players) {
  DefiStandings standings;
  standings.Over = turns.Over;
  standings.Current = std::clamp(turns.Current, 0, static_cast<int>(turns.Order.size()));
  standings.Previous = std::clamp(turns.Previous, -1, static_cast<int>(turns.Order.size()));
  standings.RemainingMs = std::max(turns.RemainingMs, 0);
  for (size_t position = 0; position < turns.Order.size(); ++position)
    if (const DefiPlayerRecord *player = PlayerAt(turns, players, static_cast<int>(position))) {
      DefiStanding standing{player->Name, player->Score, player->Moves};
      if (standing.Moves.size() > kMostDefiStandingMoves)
        standing.Moves.resize(kMostDefiStandingMoves);
      standings.Players.push_back(std::move(standing));
    }
  return standings;
}

void TakeDefiStandings(DefiTurns &turns, DefiPlayerList &players, const DefiStandings &standings,
                       std::string_view ownName, DefiTurnHost &host) {
  bool samePlayers = players.Count() == static_cast<int>(standings.Players.size());
  for (int i = 0; samePlayers && i < players.Count(); ++i)
    samePlayers = players.At(i).Name == standings.Players[static_cast<size_t>(i)].Name;
  if (!samePlayers) {
    players = DefiPlayerList{};
    for (const DefiStanding &standing : standings.Players) {
      DefiPlayerRecord player;
      player.Name = standing.Name;
      player.Remote = standing.Name == ownName ? 0 : 1;
      players.Add(std::move(player));
    }
  }
  turns.Order.clear();
  turns.OwnPosition = -1;
  for (int i = 0; i < players.Count(); ++i) {
    turns.Order.push_back(i);
    DefiPlayerRecord &player = players.At(i);
    player.Score = standings.Players[static_cast<size_t>(i)].Score;
    player.Moves = standings.Players[static_cast<size_t>(i)].Moves;
    if (player.Name == ownName)
      turns.OwnPosition = i;
  }
  const bool passed = standings.Current != turns.Current || !samePlayers;
  turns.Previous = standings.Previous;
  turns.Current = standings.Current;
  turns.RemainingMs = standings.RemainingMs;
  turns.Mirror = true;
  turns.Running = true;
  if (standings.Over && !turns.Over) {
    EndDefiChallenge(turns, players);
    return;
  }
  if (passed) {
    DefiTurnBanner(turns, players, 0, true, host);
    if (const DefiPlayerRecord *player = PlayerAt(turns, players, turns.Current);
        player && player->Remote == 0)
      host.PlaySound(kTurnSound);
  }
}

int EndDefiChallenge(DefiTurns &turns, const DefiPlayerList &players) {
  turns.Over = true;
  int winner = -1;
  for (size_t position = 0; position < turns.Order.size(); ++position) {
    const DefiPlayerRecord *player = PlayerAt(turns, players, static_cast<int>(position));
    const DefiPlayerRecord *best = PlayerAt(turns, players, winner);
    if (player && (!best || player->Score > best->Score))
      winner = static_cast<int>(position);
  }
  DefiBanner &banner = turns.Banner;
  banner = DefiBanner{};
  banner.Shown = true;
  banner.Countdown = kDefiEndBannerMs;
  banner.Lines[0] = "Fin du Défi";
  if (const DefiPlayerRecord *best = PlayerAt(turns, players, winner)) {
    banner.Lines[1] = "Gagnant : " + best->Name;
    banner.Lines[2] = "Score : " + std::to_string(best->Score);
  }
  for (size_t position = 0; position < turns.Order.size(); ++position)
    if (const DefiPlayerRecord *player = PlayerAt(turns, players, static_cast<int>(position)))
      banner.Lines[3] += (position == 0 ? "" : "  ") + player->Name + " " + std::to_string(player->Score);
  return winner;
}

int DefiSendMove(DefiTurns &turns, DefiPlayerList &players, const std::string &ownName, int cell, int value,
                 int kind, int cellCount, DefiTurnHost &host) {
  if (!turns.Running || turns.Over || turns.ApplyingPeerMove || cell < 0 || cell >= cellCount)
    return 1;
  host.SendToAll(DefiMoveMessage(ownName, cell, value, kind));
  DefiScoreMove(turns, players, DefiLocalMover(turns, players), cell, kind, cellCount, host);
  return 1;
}

int DefiLocalMover(const DefiTurns &turns, const DefiPlayerList &players) {
  const DefiPlayerRecord *player = PlayerAt(turns, players, turns.Current);
  return player && player->Remote == 0 ? turns.Current : turns.OwnPosition;
}

void DefiTurnBanner(DefiTurns &turns, const DefiPlayerList &players, int elapsed, bool restart,
                    DefiTurnHost &host) {
  DefiBanner &banner = turns.Banner;
  if (restart) {
    banner.Step = -1;
    banner.Countdown = -1;
    return;
  }
  if (banner.Countdown == -2)
    return;
  banner.Countdown -= elapsed;
  if (banner.Countdown > 0)
    return;
  const DefiPlayerRecord *ended = PlayerAt(turns, players, turns.Previous);
  const DefiPlayerRecord *next = PlayerAt(turns, players, turns.Current);
  const int moves = ended ? static_cast<int>(ended->Moves.size()) : 0;
  const int step = ++banner.Step;
  banner.Countdown = 1;
  if (step == 0) {
    if (!host.Fade(true)) {
      banner.Step = -1; // the fade goes on
      return;
    }
    banner.Shown = true;
    banner.Lines = {};
  } else if (step == 1) {
    // The first pass of a challenge ends nobody's turn.
    if (ended)
      banner.Lines[0] = "Joueur " + ended->Name;
    banner.Countdown = 500;
  } else if (step == 2) {
    banner.Lines[1] = moves > 0 ? "Score " : "Pas de point à ce tour";
    banner.Countdown = 500;
  } else if (step <= moves + 2) {
    banner.Lines[1] += "+ " + std::to_string(ended->Moves[static_cast<size_t>(step - 3)]) + " ";
    banner.Countdown = 500;
    if (next && next->Remote == 0)
      host.PlaySound(kPointSound);
  } else if (step == moves + 3) {
    banner.Countdown = 1;
  } else if (step == moves + 4) {
    if (ended)
      banner.Lines[2] = "Total Score : " + std::to_string(ended->Score);
    banner.Countdown = 1000;
  } else if (step == moves + 5) {
    if (next) {
      banner.Lines[3] = "A vous Joueur " + next->Name;
      if (next->Remote == 0)
        host.PlaySound(kTurnSound);
    }
    banner.Countdown = 2000;
  } else if (step == moves + 6) {
    if (!host.Fade(false)) {
      banner.Step = moves + 5; // the fade goes on
      return;
    }
    banner.Shown = false;
    banner.Lines = {};
  } else {
    return; // past its last step the banner only waits: the board has nothing new to show
  }
  host.Redraw();
}

} // namespace quorbel
