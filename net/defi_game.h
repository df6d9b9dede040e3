// A challenge as one program plays it: launched here (its grid made on the shape chosen, its
// players drawn, its grid sent to them), or followed from the program that launched it. It takes
// the peers' grids and messages, the board's moves and the clock's ticks; it places, refuses and
// scores moves, keeps each cell filled right for its player, passes the turns, tells the
// standings and says who leaves. What it needs of the board and of the sockets stands behind
// DefiGameHost.
#pragma once

#include <functional>
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

  // The launch: a grid made on these blocks at the level (1..4) on the board, false when none
  // could be (and said); then the board's grid as a text grid file, none when it cannot be written.
  virtual bool MakeGrid(DefiBlocks blocks, int level) = 0;
  virtual std::optional<std::string> GridText() = 0;
  // A launcher's grid file, read whole before anything changes, played on the board on these
  // blocks (none: its size's usual ones). What is wrong with it, empty when it is played.
  virtual std::string OpenGrid(const std::string &file, std::optional<DefiBlocks> blocks) = 0;
  // The board took a change it must not make: the cell shows `value` again, once the change in
  // hand is done, neither sent nor scored.
  virtual void PutBack(int cell, int value) = 0;
};

// What the launcher chose: the rules of the turns, the grid's shape and level, the name.
struct DefiLaunch {
  DefiTurnRules Rules;
  DefiBlocks Blocks{3, 3};
  int Level = 1;
  std::string Name = "Defi";
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
  // The whole launch: the grid made, the players of the list who take part drawn into the turns,
  // the grid and the start sent to those linked here (`random(n)`: 0..n-1). False, and said,
  // when no grid could be made or sent; nothing is then played.
  bool Launch(const DefiPlayerList &list, const std::string &ownName, const DefiLaunch &launch,
              const std::function<int(int)> &random);
  // A follower: the grid of `launcher` is on the board; his standings will say the rest.
  void Follow(const std::string &launcher, const std::string &ownName);
  void Forget();

  // A peer's grid: while a challenge is in play only a follower takes one, from the launcher he
  // follows; it is then played and followed. True when taken; a refusal is said and changes
  // nothing.
  bool TakeGrid(const std::string &from, const std::string &file, const std::string &ownName);
  // A peer's start: taken (true) unless a challenge is in play that `from` does not run.
  bool TakeStart(const std::string &from);

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
  // The player who filled the cell right, none while it is open to every player: nobody changes
  // it for the rest of the challenge.
  std::optional<std::string> SettledBy(int cell) const;
  // The board's refusal of a change to a settled cell, for its panel; none when the cell is open.
  std::optional<std::string> SettledRefusal(int cell) const;
  bool BoardsShared() const { return DefiBoardsShared(turns_); }
  // A network player of the challenge in play, or the launcher a follower follows.
  bool Seated(const std::string &name) const;
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
  // After a move of `player`: a cell that holds its solution's value is his, unless already
  // someone's (a follower takes the launcher's word for it); one that does not is nobody's.
  void Settle(int cell, const std::string &player, bool passedOn);
  // A peer's message after the end: said once, and true.
  bool AfterTheEnd(const std::string &from);
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
  std::string launcher_;             // the follower's launcher
  DefiStandings told_;               // the launcher's standings last told
  std::vector<std::string> settled_; // by cell: the player who filled it right, "" none
  bool saidAfterTheEnd_ = false;
};

} // namespace quorbel
