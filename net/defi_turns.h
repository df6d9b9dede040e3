// A challenge in play: whose turn it is, the turn clock, the score of each move, the surprise
// cells and the banner between turns. Plain state driven by the game clock's elapsed time and
// by the moves the board reports; what it needs of the board stands behind DefiTurnHost.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "net/defi_players.h"
#include "net/defi_protocol.h"

namespace quorbel {

// The settings' choices: cells per turn and seconds per turn (-1 no limit).
int DefiCellsPerTurn(int index);
int DefiSecondsPerTurn(int index);
// A stored DEFINBCELLS or DEFIMAXTIME names its entry (30 s is entry 2); anything else is taken
// as an entry, clamped.
int DefiCellsIndexOfSetting(int stored);
int DefiMaxTimeIndexOfSetting(int stored);

// How long the result of a challenge stands over the solved board.
inline constexpr int kDefiEndBannerMs = 8000;

struct DefiTurnRules {
  int Type = 1; // 1: timed turns; the others do not count down
  int CellsPerTurn = 3;
  int SecondsPerTurn = 30;
  bool Bonus = false; // the time left is added when a turn's cells are all played
  bool Surprises = false;
};

struct DefiSurprise {
  int Cell = -1;
  int Kind = 0;   // 1 points, 2 a bonus counter, 3 a cell revealed
  int Amount = 0; // the points, the counter, the cell
};

struct DefiBanner {
  int Step = -1;
  int Countdown = -2; // -2: no banner
  bool Shown = false;
  std::array<std::string, 4> Lines;
};

class DefiTurnHost {
public:
  virtual ~DefiTurnHost() = default;
  virtual int SolutionValue(int cell) = 0;
  virtual int CellValue(int cell) = 0;
  virtual bool InContradiction() = 0;
  virtual bool IsOpenCell(int cell) = 0;
  virtual void RevealCell(int cell) = 0; // its solution value, as a given
  virtual void PlaySound(int slot) = 0;
  virtual void SendToAll(const std::string &message) = 0;
  virtual void Redraw() = 0;
  // One step of the board's fade out (true) or in; true once it is done.
  virtual bool Fade(bool out) = 0;
};

// One challenge is run by the program that launched it: it places and scores every player's
// moves, passes the turns, tells the others the standings after each change and ends the
// challenge. The others follow it (Mirror): they send their moves to it alone and show what it
// tells them, so every board shows the same turn, clock, scores and end.
struct DefiTurns {
  std::vector<int> Order; // player indexes
  int Previous = -1;
  int Current = 0;
  int OwnPosition = -1;
  int RemainingMs = 0;
  bool Running = false;
  bool InTick = false;
  bool ApplyingPeerMove = false; // a move received is being placed: not sent, not scored
  bool Mirror = false;           // the launcher runs this challenge
  bool Over = false;             // the grid is solved: no more turns
  DefiTurnRules Rules;
  std::vector<DefiSurprise> Surprises;
  DefiBanner Banner;
};

// Scores reset; the first tick gives the turn to the first of the order.
void StartDefiTurns(DefiTurns &turns, DefiPlayerList &players, std::vector<int> order, int own,
                    const DefiTurnRules &rules);

// 10 + 0..9 surprises on open cells of a grid of `cellCount` cells (`random(n)`: 0..n-1).
template <typename Random>
void PlaceDefiSurprises(DefiTurns &turns, DefiTurnHost &host, int cellCount, Random &&random) {
  static constexpr std::array<int, 4> kPoints = {5, 10, 15, 20};
  turns.Surprises.clear();
  const int count = 10 + random(10);
  for (int s = 0; s < count && cellCount > 0; ++s) {
    int cell = random(cellCount);
    int tried = 0;
    while (!host.IsOpenCell(cell) && ++tried < cellCount)
      cell = (cell + 1) % cellCount;
    if (tried >= cellCount)
      return;
    DefiSurprise surprise{cell, 1 + random(5), 0}; // kinds 4 and 5 hold nothing
    if (surprise.Kind == 1)
      surprise.Amount = kPoints[static_cast<size_t>(random(4))];
    else if (surprise.Kind == 2)
      surprise.Amount = 1 + random(6);
    else {
      int reveal = random(cellCount);
      int looked = 0;
      while ((!host.IsOpenCell(reveal) || reveal == cell) && ++looked < cellCount)
        reveal = (reveal + 1) % cellCount;
      if (looked >= cellCount)
        continue; // nothing to reveal: no surprise
      surprise.Amount = reveal;
    }
    turns.Surprises.push_back(surprise);
  }
}

// The turn clock, `elapsed` ms since the last tick. Returns 1.
int DefiTurnTick(DefiTurns &turns, DefiPlayerList &players, int elapsed, DefiTurnHost &host);

// A move of the player at `position` of the order: a placed value scores (a wrong one costs
// 10), in his own turn only when turns are timed, and his turn ends with its last cell.
// True when it was scored.
bool DefiScoreMove(DefiTurns &turns, DefiPlayerList &players, int position, int cell, int kind, int cellCount,
                   DefiTurnHost &host);

// The player at `position` leaves the order; in his turn, the turn passes to the next player.
void DefiRemoveFromOrder(DefiTurns &turns, DefiPlayerList &players, int position, DefiTurnHost &host);

// The order's position of the player of that name, -1 when he does not play.
int DefiPositionOf(const DefiTurns &turns, const DefiPlayerList &players, std::string_view name);

// Whose turn keeps the players at this computer off the board: in turns, the player who plays
// elsewhere ("" while the launcher has yet to give the first turn). None while they may play:
// no challenge, its end, a challenge without turns, the turn of a player here. A follower cannot
// tell a challenge without turns from one whose first turn is still to come, and lets both play.
std::optional<std::string> DefiTurnElsewhere(const DefiTurns &turns, const DefiPlayerList &players);

// While a challenge is played every change of a cell goes to all the boards; one the board
// cannot pass on (undo, redo, cut, paste) would set this board apart, so none is made.
bool DefiBoardsShared(const DefiTurns &turns);

// The standings the launcher tells, and a follower taking them: its players become the
// standings' players, the turn, clock, scores and end theirs; a new turn starts the banner.
DefiStandings DefiStandingsOf(const DefiTurns &turns, const DefiPlayerList &players);
void TakeDefiStandings(DefiTurns &turns, DefiPlayerList &players, const DefiStandings &standings,
                       std::string_view ownName, DefiTurnHost &host);

// The end: no more turns, and the winner (the best score, the first in the order among
// equals) with every score on the banner. The winner's position, -1 without players.
int EndDefiChallenge(DefiTurns &turns, const DefiPlayerList &players);

// The order's position of the player a move at this computer's board is his: the player here
// whose turn it is, else the own player.
int DefiLocalMover(const DefiTurns &turns, const DefiPlayerList &players);

// A value the board set on `cell` with action `kind`: sent to every player, and scored for the
// player at this computer whose turn it is. Returns 1.
int DefiSendMove(DefiTurns &turns, DefiPlayerList &players, const std::string &ownName, int cell, int value,
                 int kind, int cellCount, DefiTurnHost &host);

// The banner between turns: restart, or advance by `elapsed` ms.
void DefiTurnBanner(DefiTurns &turns, const DefiPlayerList &players, int elapsed, bool restart,
                    DefiTurnHost &host);

} // namespace quorbel
