// Two and three players of one challenge in one process: each a DefiGame on a board of its
// own, their messages framed and parsed as the wire carries them. The launcher's rules hold on
// every board: one grid on the blocks chosen, one turn order, moves refused before they are
// placed, cells filled right kept, departures said.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>

#include "net/defi_framer.h"
#include "net/defi_game.h"

namespace quorbel {
namespace {

// A 4 x 4 grid and the cells given at the start.
constexpr std::array<int, 16> kSolution = {1, 2, 3, 4, 3, 4, 1, 2, 2, 1, 4, 3, 4, 3, 2, 1};
constexpr std::array<int, 4> kGivens = {0, 5, 10, 15};

class Endpoint;

class Wire {
public:
  std::map<std::string, Endpoint *> players;
  std::set<std::string> gone;
  std::deque<std::array<std::string, 3>> sent; // from, to, bytes

  bool Send(const std::string &from, const std::string &to, const std::string &bytes) {
    if (gone.contains(from) || gone.contains(to) || !players.contains(to))
      return false;
    sent.push_back({from, to, bytes});
    return true;
  }
  void Deliver();
  // The player's program ends: every other one sees his link close.
  void Leave(const std::string &name);
};

class Endpoint : public DefiGameHost {
public:
  Endpoint(Wire &wire, std::string name) : wire_(wire), name(std::move(name)) {
    wire_.players[this->name] = this;
  }

  int CellCount() override { return 16; }
  int GridWidth() override { return 4; }
  int SolutionValue(int cell) override { return kSolution[static_cast<size_t>(cell)]; }
  int CellValue(int cell) override { return values[static_cast<size_t>(cell)]; }
  bool IsGiven(int cell) override { return given[static_cast<size_t>(cell)]; }
  bool InContradiction() override { return false; }
  bool Solved() override { return values == kSolution; }
  void PlaceMove(int cell, int value, int kind) override {
    if (kind == kDefiClear)
      values[static_cast<size_t>(cell)] = 0;
    else if (kind == kDefiPlace || kind == kDefiPlaceFixed)
      values[static_cast<size_t>(cell)] = value;
    given[static_cast<size_t>(cell)] = given[static_cast<size_t>(cell)] || kind == kDefiPlaceFixed;
    game.OwnMove(cell, value, kind); // the board reports every value it sets
  }
  void PlaySound(int) override {}
  void Redraw() override {}
  bool Fade(bool) override { return true; }
  void Inform(const std::string &line) override { said.push_back(line); }
  bool SendTo(const std::string &to, const std::string &message) override {
    return wire_.Send(name, to, message);
  }
  bool Present(const std::string &other) override {
    return wire_.players.contains(other) && !wire_.gone.contains(other);
  }
  bool MakeGrid(DefiBlocks made, int) override {
    Deal();
    blocks = made;
    return true;
  }
  std::optional<std::string> GridText() override { return "Quorbel Mode Texte\r\n4\r\n"; }
  std::string OpenGrid(const std::string &file, std::optional<DefiBlocks> named) override {
    if (!file.starts_with("Quorbel Mode Texte"))
      return "no grid";
    Deal();
    blocks = named.value_or(DefiBlocks{});
    return {};
  }
  void PutBack(int cell, int value) override { values[static_cast<size_t>(cell)] = value; }
  void Deal() {
    values = {};
    given = {};
    for (const int cell : kGivens) {
      values[cell] = kSolution[cell];
      given[cell] = true;
    }
  }

  // The player types a value as the board takes it: refused in another's turn, or on a cell
  // filled right.
  bool Type(int cell, int value) {
    if (game.TurnElsewhere() || given[static_cast<size_t>(cell)] || game.SettledBy(cell))
      return false;
    Force(cell, value, kDefiPlace);
    return true;
  }
  // A change the board makes however it came to (a script, a board of another kind), reported.
  void Force(int cell, int value, int kind) {
    values[static_cast<size_t>(cell)] = kind == kDefiClear ? 0 : value;
    game.OwnMove(cell, value, kind);
  }
  bool Said(std::string_view part) const {
    return std::any_of(said.begin(), said.end(),
                       [&](const std::string &line) { return line.find(part) != std::string::npos; });
  }
  std::vector<std::pair<std::string, int>> Scores() const {
    std::vector<std::pair<std::string, int>> scores;
    for (const int index : game.Turns().Order)
      scores.emplace_back(game.Standings().At(index).Name, game.Standings().At(index).Score);
    return scores;
  }
  std::string Turn() const {
    const DefiTurns &turns = game.Turns();
    return turns.Current >= 0 && turns.Current < static_cast<int>(turns.Order.size())
               ? game.Standings().At(turns.Order[static_cast<size_t>(turns.Current)]).Name
               : std::string();
  }

  Wire &wire_;
  std::string name;
  std::array<int, 16> values{};
  std::array<bool, 16> given{};
  DefiBlocks blocks;
  std::vector<std::string> said;
  DefiGame game{*this};
};

void Wire::Deliver() {
  while (!sent.empty()) {
    const auto [from, to, bytes] = sent.front();
    sent.pop_front();
    if (gone.contains(to))
      continue;
    DefiFramer framer;
    framer.Append(bytes);
    while (const std::optional<std::string> message = framer.Next(to, true)) {
      const DefiMessage parsed = ParseDefiMessage(*message);
      if (parsed.Kind == DefiMessageKind::Grid)
        players[to]->game.TakeGrid(from, parsed.Body, to);
      if (parsed.Kind == DefiMessageKind::Start)
        players[to]->game.TakeStart(from);
      if (parsed.Move)
        players[to]->game.TakeMove(from, *parsed.Move);
      if (parsed.Standings)
        players[to]->game.TakeStandings(from, *parsed.Standings);
    }
  }
}

void Wire::Leave(const std::string &name) {
  gone.insert(name);
  for (auto &[other, endpoint] : players)
    if (!gone.contains(other))
      endpoint->game.CheckDepartures();
  Deliver();
}

DefiPlayerRecord Listed(std::string name) {
  DefiPlayerRecord player;
  player.Name = std::move(name);
  player.Remote = 1; // as the connect service lists every player, the own one too
  player.Connected = 1;
  return player;
}

// Ann launches for the others on 2 x 2 blocks, one cell a turn; the first tick gives her the
// turn. The players `unreachable` are checked in her list, but their programs cannot be reached.
struct Challenge {
  explicit Challenge(std::vector<std::string> names, const std::set<std::string> &unreachable = {}) {
    DefiPlayerList list;
    for (const std::string &name : names) {
      endpoints.push_back(std::make_unique<Endpoint>(wire, name));
      list.Add(Listed(name));
    }
    wire.gone = unreachable;
    DefiLaunch launch;
    launch.Rules.CellsPerTurn = 1;
    launch.Blocks = {2, 2};
    EXPECT_TRUE(Ann().game.Launch(list, "Ann", launch, [](int) { return 0; }));
    wire.Deliver();
    Ann().game.Tick(40);
    wire.Deliver();
  }
  Endpoint &Ann() { return *endpoints[0]; }
  Endpoint &At(size_t i) { return *endpoints[i]; }
  // The player whose turn it is plays the first open cell right.
  void PlayRight() {
    Endpoint &player = *wire.players[Ann().Turn()];
    int cell = 0;
    while (player.values[static_cast<size_t>(cell)] != 0)
      ++cell;
    ASSERT_TRUE(player.Type(cell, kSolution[static_cast<size_t>(cell)])) << player.name;
    wire.Deliver();
  }

  Wire wire;
  std::vector<std::unique_ptr<Endpoint>> endpoints;
};

TEST(DefiGame, TwoPlayersEndOnTheSameBoardTurnsScoresAndWinner) {
  Challenge c({"Ann", "Bob"});
  Endpoint &bob = c.At(1);
  EXPECT_EQ(bob.Turn(), "Ann");
  // Listed remote by the service, Ann still plays her own turn; Bob waits for his.
  EXPECT_FALSE(c.Ann().game.TurnElsewhere());
  EXPECT_EQ(bob.game.TurnElsewhere(), std::optional<std::string>("Ann"));
  EXPECT_FALSE(bob.Type(1, 2));
  while (!c.Ann().game.Turns().Over) {
    ASSERT_NO_FATAL_FAILURE(c.PlayRight());
    EXPECT_EQ(bob.Turn(), c.Ann().Turn());
  }
  EXPECT_TRUE(bob.game.Turns().Over);
  EXPECT_EQ(bob.blocks, (DefiBlocks{2, 2}));
  EXPECT_EQ(bob.values, c.Ann().values);
  EXPECT_EQ(bob.Scores(), c.Ann().Scores());
  EXPECT_EQ(bob.game.Turns().Banner.Lines, c.Ann().game.Turns().Banner.Lines);
  // Each played six of the twelve open cells, every one right: equal scores, the first wins.
  EXPECT_EQ(c.Ann().Scores(), (std::vector<std::pair<std::string, int>>{{"Ann", 15}, {"Bob", 15}}));
  EXPECT_EQ(bob.game.Turns().Banner.Lines[1], "Gagnant : Ann");
}

TEST(DefiGame, APeersMoveIsCheckedWholeBeforeItIsPlaced) {
  Challenge c({"Ann", "Bob", "Cy"});
  Endpoint &bob = c.At(1);
  Endpoint &cy = c.At(2);
  const auto send = [&](const std::string &bytes) {
    c.wire.Send("Bob", "Ann", bytes);
    c.wire.Deliver();
  };
  // In Ann's turn Bob's board, changed by hand, sends a value: refused, and his cell comes back.
  bob.values[1] = 2;
  send("V|Bob|1|2|1");
  EXPECT_EQ(c.Ann().values[1], 0);
  EXPECT_EQ(cy.values[1], 0);
  EXPECT_EQ(bob.values[1], 0);
  EXPECT_TRUE(c.Ann().Said("refused: it is not his turn"));
  c.PlayRight(); // Ann's cell 1; Bob's turn
  ASSERT_EQ(c.Ann().Turn(), "Bob");
  // A given planted, a move of seven fields, a given overwritten, a move in Cy's name: none is placed.
  send("V|Bob|2|3|3");
  EXPECT_FALSE(c.Ann().given[2]);
  send("V|Bob|2|3|1|7|8");
  send("V|Bob|0|2|1");
  send("V|Cy|2|3|1");
  for (Endpoint *board : {&c.Ann(), &cy})
    EXPECT_EQ(board->values[2], 0);
  EXPECT_EQ(c.Ann().values[0], 1);
  EXPECT_EQ(c.Ann().Turn(), "Bob");
  // His own move in his turn goes to every board, and the turn to Cy.
  send("V|Bob|2|3|1");
  for (Endpoint *board : {&c.Ann(), &cy})
    EXPECT_EQ(board->values[2], 3);
  EXPECT_EQ(cy.Turn(), "Cy");
  EXPECT_EQ(cy.Scores(), c.Ann().Scores());
}

// A clear refused at the launcher leaves the sender's board as every other board holds it.
TEST(DefiGame, ARefusedClearGivesTheSenderHisValueBack) {
  Challenge c({"Ann", "Bob", "Cy"});
  Endpoint &bob = c.At(1);
  c.PlayRight(); // Ann's cell 1; Bob's turn
  c.PlayRight(); // Bob's cell 2; Cy's turn
  ASSERT_EQ(bob.values[2], 3);
  bob.values[2] = 0; // his board cleared it, out of turn
  c.wire.Send("Bob", "Ann", DefiMoveMessage("Bob", 2, 0, kDefiClear));
  c.wire.Deliver();
  EXPECT_TRUE(c.Ann().Said("move of Bob refused: it is not his turn"));
  for (Endpoint *board : {&c.Ann(), &bob, &c.At(2)})
    EXPECT_EQ(board->values[2], 3) << board->name;
  EXPECT_EQ(bob.game.SettledBy(2), "Bob");
}

TEST(DefiGame, APlayerWhoLeavesLeavesTheTurnsAndTheLauncherLeavingFreesTheOthers) {
  Challenge c({"Ann", "Bob", "Cy"});
  Endpoint &cy = c.At(2);
  c.PlayRight(); // Bob's turn
  c.wire.Leave("Bob");
  for (Endpoint *board : {&c.Ann(), &cy}) {
    EXPECT_TRUE(board->Said("Bob has left the challenge")) << board->name;
    EXPECT_EQ(board->Turn(), "Cy") << board->name;
    EXPECT_EQ(board->game.Turns().Order.size(), size_t{2}) << board->name;
  }
  c.PlayRight(); // Cy's cell; Ann's turn again, not Bob's
  EXPECT_EQ(cy.Turn(), "Ann");
  EXPECT_EQ(cy.values, c.Ann().values);
  // Ann leaves in her own turn: Cy is said so, and plays on alone.
  c.wire.Leave("Ann");
  EXPECT_TRUE(cy.Said("Ann, who runs the challenge, has left it"));
  EXPECT_FALSE(cy.game.TurnElsewhere());
  EXPECT_EQ(cy.game.Turns().RemainingMs, 0); // no turn's clock frozen on his board
  const int score = cy.Scores().front().second;
  ASSERT_TRUE(cy.Type(3, 4));
  EXPECT_EQ(cy.Scores(), (std::vector<std::pair<std::string, int>>{{"Cy", score + 4}}));
}

TEST(DefiGame, APlayerUnreachableAtTheLaunchIsLeftOutAtOnce) {
  Challenge c({"Ann", "Bob", "Cy"}, {"Bob"});
  Endpoint &cy = c.At(2);
  EXPECT_TRUE(c.Ann().Said("Bob cannot be reached"));
  for (Endpoint *board : {&c.Ann(), &cy})
    EXPECT_EQ(board->Scores(), (std::vector<std::pair<std::string, int>>{{"Ann", 0}, {"Cy", 0}}))
        << board->name;
  c.PlayRight(); // Ann's cell; Cy's turn, not Bob's
  EXPECT_EQ(cy.Turn(), "Cy");
  EXPECT_FALSE(cy.game.TurnElsewhere());
}

} // namespace
} // namespace quorbel
