// A challenge as one program plays it: launched here, or followed from the program that
// launched it. It takes the peers' messages, the board's moves and the clock's ticks; it places,
// refuses and scores moves, passes the turns, tells the standings and says who leaves. What it
// needs of the board and of the sockets stands behind DefiGameHost.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "net/defi_players.h"
#include "net/defi_protocol.h"
#include "net/defi_turns.h"

namespace quorbel {

class DefiGameHost {
public:
  virtual ~DefiGameHost() = default;
  // The board of the challenge's grid.
  virtual int CellCount() = 0;
  virtual int GridWidth() = 0;
  virtual int SolutionValue(int cell) = 0;
  virtual int CellValue(int cell) = 0;
  virtual bool IsGiven(int cell) = 0;
  virtual bool InContradiction() = 0;
  // Every cell holds its solution's value.
  virtual bool Solved() = 0;
  // A move from elsewhere set on the board; the board must not report it back as the own player's.
  virtual void PlaceMove(int cell, int value, int kind) = 0;
  virtual void PlaySound(int slot) = 0;
  virtual void Redraw() = 0;
  virtual bool Fade(bool out) = 0;
  // A line of the message panel, plain.
  virtual void Inform(const std::string &line) = 0;
  // To the player of that name; false when no link to him is open.
  virtual bool SendTo(const std::string &name, const std::string &message) = 0;
  // A network player still linked to this program.
  virtual bool Present(const std::string &name) = 0;
};

// The actions a player's board sends during a challenge (a given is never one of them).
bool IsDefiPlayerAction(int kind);

class DefiGame {
public:
  explicit DefiGame(DefiGameHost &host);

  // The launcher: the players of `order` from the list take part, the own player at this
  // computer whatever the list says. Nothing is played until Launched(), once the grid is out.
  void Begin(const DefiPlayerList &list, const std::vector<int> &order, const std::string &ownName,
             const DefiTurnRules &rules);
  // 10 + 0..9 surprises on the open cells (`random(n)`: 0..n-1).
  template <typename Random> void PlaceSurprises(Random &&random) {
    Adapter adapter(*this);
    PlaceDefiSurprises(turns_, adapter, host_.CellCount(), random);
  }
  void Launched();
  // A follower: the grid of `launcher` is on the board; his standings will say the rest.
  void Follow(const std::string &launcher, const std::string &ownName);
  void Forget();

  // From the peers: a move (`from` the socket's player), the launcher's standings.
  void TakeMove(const std::string &from, const DefiMove &move);
  void TakeStandings(const std::string &from, const DefiStandings &standings);
  // Every player of the challenge no longer linked leaves it, and it is said.
  void CheckDepartures();

  // From the board: a value it set; from the game clock: the time gone.
  void OwnMove(int cell, int value, int kind);
  void Tick(int elapsedMs);

  // Whose turn keeps the players here off the board ("" before the first turn), none when they
  // may play.
  std::optional<std::string> TurnElsewhere() const { return DefiTurnElsewhere(turns_, standings_); }
  bool BoardsShared() const { return DefiBoardsShared(turns_); }
  bool Running() const { return turns_.Running; }
  bool InPlay() const { return turns_.Running && !turns_.Over; }
  const DefiTurns &Turns() const { return turns_; }
  const DefiPlayerList &Standings() const { return standings_; }
  const std::string &Launcher() const { return launcher_; }

private:
  // The turns' view of the host: the sends go to the challenge's players.
  class Adapter : public DefiTurnHost {
  public:
    explicit Adapter(DefiGame &game) : game_(game) {}
    int SolutionValue(int cell) override { return game_.host_.SolutionValue(cell); }
    int CellValue(int cell) override { return game_.host_.CellValue(cell); }
    bool InContradiction() override { return game_.host_.InContradiction(); }
    bool IsOpenCell(int cell) override { return game_.host_.CellValue(cell) == 0; }
    void RevealCell(int cell) override;
    void PlaySound(int slot) override { game_.host_.PlaySound(slot); }
    void SendToAll(const std::string &message) override { game_.SendToPlayers(message, {}); }
    void Redraw() override { game_.host_.Redraw(); }
    bool Fade(bool out) override { return game_.host_.Fade(out); }

  private:
    DefiGame &game_;
  };

  void Place(int cell, int value, int kind);
  void Refuse(const std::string &from, const DefiMove &move, const std::string &why);
  void SendToPlayers(const std::string &message, const std::string &except);
  void TellStandings();
  void EndIfSolved();
  void AnnounceEnd();
  void PlayAlone();
  // The network players of the order no longer linked here, and their leaving it.
  std::vector<std::string> Absent();
  void LeaveOrder(const std::vector<std::string> &names);

  DefiGameHost &host_;
  DefiTurns turns_;
  DefiPlayerList standings_; // the challenge's players, as the list stood at its start
  std::string own_;
  std::string launcher_; // the follower's launcher
  DefiStandings told_;   // the launcher's standings last told
};

} // namespace quorbel
