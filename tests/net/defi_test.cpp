// The challenge's plain rules: its messages, the socket error texts, the players, and a game's
// turns and scores on a scripted board.
#include <gtest/gtest.h>

#include <map>

#include "net/caller_tally.h"
#include "net/defi_players.h"
#include "net/defi_protocol.h"
#include "net/defi_turns.h"
#include "net/socket_errors.h"

namespace quorbel {
namespace {

DefiPlayerRecord Player(std::string name, int remote = 0, int connected = 0) {
  DefiPlayerRecord player;
  player.Name = std::move(name);
  player.Remote = remote;
  player.Connected = connected;
  return player;
}

TEST(DefiProtocol, MessagesReadBackAndMalformedMovesAreNoMoves) {
  const DefiMessage hello = ParseDefiMessage(DefiHello("Ann", "Bob"));
  EXPECT_EQ(hello.Kind, DefiMessageKind::Hello);
  EXPECT_EQ(hello.Caller, "Ann");
  EXPECT_EQ(hello.Called, "Bob");
  EXPECT_EQ(DefiMoveMessage("Ann", 40, 7, 1), "V|Ann|40|7|1");
  const DefiMessage move = ParseDefiMessage("V|Ann|40|7|1");
  ASSERT_TRUE(move.Move);
  EXPECT_EQ(move.Move->Player, "Ann");
  EXPECT_EQ(move.Move->Cell, 40);
  EXPECT_EQ(move.Move->Value, 7);
  EXPECT_EQ(move.Move->Kind, 1);
  for (const char *bad : {"V|Ann|40|7", "V|Ann|40|7|1|9", "V|Ann|4x|7|1", "V|Ann|40||1"})
    EXPECT_FALSE(ParseDefiMessage(bad).Move) << bad;
  EXPECT_EQ(ParseDefiMessage("bye").Kind, DefiMessageKind::Bye);
  EXPECT_EQ(ParseDefiMessage("byes").Kind, DefiMessageKind::Other);
  EXPECT_EQ(ParseDefiMessage(DefiStart("Cup")).Body, "Cup");
  EXPECT_EQ(ParseDefiMessage("Chello").Body, "hello");
  EXPECT_EQ(DefiPanelLine(std::string(240, 'x')), std::string(240, 'x'));
  EXPECT_EQ(DefiPanelLine(std::string(8000, 'x')), std::string(240, 'x') + "... (8000 bytes)");
  EXPECT_TRUE(DefiGridMessage(std::string(8192, 'x')));
  EXPECT_FALSE(DefiGridMessage(std::string(8193, 'x')));
}

TEST(DefiProtocol, AChunkOfSeveralMessagesIsSplit) {
  using Parts = std::vector<std::string_view>;
  EXPECT_EQ(SplitDefiChunk("V|Ann|40|7|1V|Ann|41|-3|6bye"), (Parts{"V|Ann|40|7|1", "V|Ann|41|-3|6", "bye"}));
  EXPECT_EQ(SplitDefiChunk("GQuorbel Mode Texte\r\n4\r\nS|Cup"),
            (Parts{"GQuorbel Mode Texte\r\n4\r\n", "S|Cup"}));
  EXPECT_EQ(SplitDefiChunk("V|Ann|40|7"), (Parts{"V|Ann|40|7"})); // a broken move stays whole, and is refused
  EXPECT_EQ(SplitDefiChunk("Chello|V|x"), (Parts{"Chello|V|x"}));
}

TEST(DefiProtocol, SocketErrorTexts) {
  EXPECT_EQ(SocketErrorText(10061), "WSAECONNREFUSED Connection refused. ");
  EXPECT_EQ(SocketErrorText(6), "WSA_INVALID_HANDLE Specified event object handle is invalid. ");
  EXPECT_EQ(SocketErrorText(12345), "12345");
}

TEST(DefiPlayers, StatusColoursListLimitAndSettings) {
  EXPECT_EQ(DefiStatusColour(DefiStatusOfLetter('I')), 2);
  EXPECT_EQ(DefiStatusColour(DefiStatusOfLetter('M')), 1);
  EXPECT_EQ(DefiStatusColour(DefiStatusOfLetter('S')), 0);
  DefiPlayerList list;
  for (int i = 0; i < kMostDefiPlayers; ++i)
    ASSERT_TRUE(list.Add(Player(std::string("P").append(std::to_string(i)))));
  EXPECT_FALSE(list.Add(Player("one too many")));
  list.Remove(0);
  EXPECT_EQ(list.Find("P1"), 0);
  EXPECT_EQ(list.At(0).Index, 0);
  EXPECT_EQ(DefiMaxTimeIndexOfSetting(30), 2);
  EXPECT_EQ(DefiMaxTimeIndexOfSetting(99), 5);
  EXPECT_EQ(DefiCellsIndexOfSetting(3), 2);
  EXPECT_EQ(DefiSecondsPerTurn(9), -1);
}

class Board : public DefiTurnHost {
public:
  std::map<int, int> solution, values;
  std::vector<std::string> sent;
  std::vector<int> sounds, revealed;
  int SolutionValue(int cell) override { return solution[cell]; }
  int CellValue(int cell) override { return values[cell]; }
  bool InContradiction() override { return false; }
  bool IsOpenCell(int cell) override { return values[cell] == 0; }
  void RevealCell(int cell) override { revealed.push_back(cell); }
  void PlaySound(int slot) override { sounds.push_back(slot); }
  void SendToAll(const std::string &message) override { sent.push_back(message); }
  void Redraw() override { ++redraws; }
  bool Fade(bool) override { return true; }
  int redraws = 0;
};

struct Game {
  Game() {
    players.Add(Player("Ann"));
    players.Add(Player("Bob", 1, 1));
    StartDefiTurns(turns, players, DefiTurnOrder(players, 0, false, [](int) { return 0; }), 0, rules);
  }
  int Play(int cell, int value, int kind = 1) {
    board.values[cell] = value;
    return DefiSendMove(turns, players, "Ann", cell, value, kind, 81, board);
  }
  DefiTurnRules rules{.Type = 1, .CellsPerTurn = 3, .SecondsPerTurn = 30};
  DefiPlayerList players;
  DefiTurns turns;
  Board board;
};

TEST(DefiTurns, TheFirstTickGivesTheTurnAndMovesScoreUntilTheTurnEnds) {
  Game g;
  DefiTurnTick(g.turns, g.players, 40, g.board);
  EXPECT_EQ(g.turns.Current, 0);
  EXPECT_EQ(g.turns.RemainingMs, 32000);
  EXPECT_EQ(g.board.sounds, std::vector<int>{5}); // Ann is at this computer

  g.board.solution = {{10, 7}, {11, 3}, {12, 4}, {13, 9}};
  g.Play(10, 5); // wrong: -10, not a move
  EXPECT_EQ(g.players.At(0).Score, -10);
  EXPECT_TRUE(g.players.At(0).Moves.empty());
  g.Play(10, 7);
  EXPECT_EQ(g.players.At(0).Score, -3);
  g.Play(11, 3, 7); // a pencil mark: sent, not scored
  EXPECT_EQ(g.players.At(0).Score, -3);
  EXPECT_EQ(g.board.sent.back(), "V|Ann|11|3|7");
  g.Play(11, 3);
  g.Play(12, 4); // the third move ends the turn
  EXPECT_EQ(g.turns.Current, 1);
  EXPECT_EQ(g.turns.RemainingMs, 35000);

  // A received move being placed is neither sent nor scored.
  const size_t sent = g.board.sent.size();
  g.turns.ApplyingPeerMove = true;
  g.Play(13, 9);
  EXPECT_EQ(g.board.sent.size(), sent);
  EXPECT_EQ(g.players.At(0).Score, 4);
}

TEST(DefiTurns, OnlyTheTurnOfAPlayerHereOpensTheBoard) {
  Game g;
  EXPECT_EQ(DefiTurnElsewhere(g.turns, g.players), ""); // no turn given yet
  DefiTurnTick(g.turns, g.players, 40, g.board);
  EXPECT_EQ(DefiTurnElsewhere(g.turns, g.players), std::nullopt);
  for (int cell = 1; cell <= 3; ++cell)
    g.Play(cell, 0);
  EXPECT_EQ(DefiTurnElsewhere(g.turns, g.players), "Bob");
  EndDefiChallenge(g.turns, g.players);
  EXPECT_EQ(DefiTurnElsewhere(g.turns, g.players), std::nullopt);

  Game free;
  free.rules.Type = 0;
  StartDefiTurns(free.turns, free.players, {0, 1}, 0, free.rules);
  DefiTurnTick(free.turns, free.players, 40, free.board);
  EXPECT_EQ(DefiTurnElsewhere(free.turns, free.players), std::nullopt);

  // A follower knows no rules: only a turn the launcher gave to another keeps it off.
  DefiTurns follower;
  DefiPlayerList shown;
  DefiStandings told{.Current = 2, .Players = {{"Ann", 0, {}}, {"Bob", 0, {}}}};
  TakeDefiStandings(follower, shown, told, "Bob", g.board);
  EXPECT_EQ(DefiTurnElsewhere(follower, shown), std::nullopt);
  told.Current = 0;
  TakeDefiStandings(follower, shown, told, "Bob", g.board);
  EXPECT_EQ(DefiTurnElsewhere(follower, shown), "Ann");
}

TEST(DefiTurns, TheBoardsAreSharedFromTheStartToTheEnd) {
  EXPECT_FALSE(DefiBoardsShared(DefiTurns{}));
  Game g;
  EXPECT_TRUE(DefiBoardsShared(g.turns)); // before the first turn too
  EndDefiChallenge(g.turns, g.players);
  EXPECT_FALSE(DefiBoardsShared(g.turns));
}

TEST(DefiTurns, TheClockPassesTurnsAndATurnWithoutLimitStays) {
  Game g;
  DefiTurnTick(g.turns, g.players, 40, g.board);
  DefiTurnTick(g.turns, g.players, 31999, g.board);
  EXPECT_EQ(g.turns.Current, 0);
  DefiTurnTick(g.turns, g.players, 1, g.board);
  EXPECT_EQ(g.turns.Current, 1);
  EXPECT_EQ(g.turns.Previous, 0);

  Game unlimited;
  unlimited.rules.SecondsPerTurn = -1;
  StartDefiTurns(unlimited.turns, unlimited.players, {0, 1}, 0, unlimited.rules);
  for (int i = 0; i < 100; ++i)
    DefiTurnTick(unlimited.turns, unlimited.players, 1000, unlimited.board);
  EXPECT_EQ(unlimited.turns.Current, 0);
}

// The player in turn keeps it, and its time, when one before him in the order leaves.
TEST(DefiTurns, ThePlayerInTurnKeepsItWhenAnEarlierOneLeaves) {
  Game g;
  g.players.Add(Player("Cy", 1, 1));
  StartDefiTurns(g.turns, g.players, {0, 1, 2}, 0, g.rules);
  for (int turn = 0; turn < 3; ++turn)
    DefiTurnTick(g.turns, g.players, turn == 0 ? 40 : 32000, g.board);
  ASSERT_EQ(g.turns.Current, 2);
  const int remaining = g.turns.RemainingMs;
  DefiRemoveFromOrder(g.turns, g.players, 0, g.board);
  EXPECT_EQ(DefiPositionOf(g.turns, g.players, "Cy"), g.turns.Current);
  EXPECT_EQ(g.turns.RemainingMs, remaining);
  EXPECT_EQ(g.turns.Order.size(), size_t{2});
}

TEST(DefiTurns, TheBannerNamesTheTurnsScoreAndTheNextPlayer) {
  Game g;
  g.board.solution = {{1, 2}, {2, 6}, {3, 1}};
  DefiTurnTick(g.turns, g.players, 40, g.board);
  g.Play(1, 2);
  g.Play(2, 6);
  g.Play(3, 1);
  for (int i = 0; i < 200; ++i)
    DefiTurnTick(g.turns, g.players, 40, g.board);
  // Over by 8 s: the lines are gone, and the clock that runs on redraws nothing more.
  EXPECT_FALSE(g.turns.Banner.Shown);
  EXPECT_TRUE(g.turns.Banner.Lines[0].empty());
  const int redraws = g.board.redraws;
  for (int i = 0; i < 100; ++i)
    DefiTurnTick(g.turns, g.players, 40, g.board);
  EXPECT_EQ(g.board.redraws, redraws);
  Game h;
  h.board.solution = g.board.solution;
  DefiTurnTick(h.turns, h.players, 40, h.board);
  h.Play(1, 2);
  h.Play(2, 6);
  h.Play(3, 1);
  for (int i = 0; i < 130; ++i) // about 5 s: the last line is on
    DefiTurnTick(h.turns, h.players, 40, h.board);
  EXPECT_EQ(h.turns.Banner.Lines[0], "Joueur Ann");
  EXPECT_EQ(h.turns.Banner.Lines[1], "Score + 2 + 6 + 1 ");
  EXPECT_EQ(h.turns.Banner.Lines[2], "Total Score : 9");
  EXPECT_EQ(h.turns.Banner.Lines[3], "A vous Joueur Bob");
}

// The blocks ride on a line that text grid readers pass over, and only whole sides are read.
TEST(DefiProtocol, AGridCarriesItsBlocks) {
  const std::string file = "Quorbel Mode Texte\r\n6\r\n;Start Save Grid0\r\nN2\r\n";
  const std::optional<std::string> message = DefiGridMessage(file, {3, 2});
  ASSERT_TRUE(message);
  EXPECT_EQ(*message, "G" + file + ";Blocks 3x2\r\n");
  EXPECT_EQ(DefiGridBlocks(message->substr(1)), (DefiBlocks{3, 2}));
  EXPECT_EQ(DefiGridBlocks(file), std::nullopt);
  for (const char *bad : {";Blocks 3x\r\n", ";Blocks 0x2\r\n", ";Blocks 3x17\r\n", ";Blocks 3x2x1\r\n"})
    EXPECT_EQ(DefiGridBlocks(file + bad), std::nullopt) << bad;
  EXPECT_FALSE(DefiGridMessage(std::string(8180, 'x'), {3, 3}));
}

// A name is one every message can carry, whoever gives it.
TEST(DefiPlayers, ANameMustFitEveryMessage) {
  for (const char *good : {"Ann", "Ann Lee", "Zoé", "a-b_c.d"})
    EXPECT_TRUE(IsDefiPlayerName(good)) << good;
  for (const std::string &bad : {std::string(), std::string("Bob|7|1>>>>>Eve"), std::string("Bob>"),
                                 std::string("Bo\nb"), std::string(65, 'a')})
    EXPECT_FALSE(IsDefiPlayerName(bad)) << bad;
  EXPECT_TRUE(IsDefiPlayerName(std::string(64, 'a')));
  EXPECT_EQ(DefiNameProblem("Bob|7"), "holds a '|' or a '>', which part the challenge's messages");
}

// The first caller of a run from one address is said; the others are counted and said once the
// run has paused, and a later run is said anew.
TEST(CallerTally, ARunFromOneAddressIsSaidOnceWithItsCount) {
  CallerTally tally;
  EXPECT_TRUE(tally.Arrived("10.0.0.1", 0));
  for (int i = 1; i <= 499; ++i)
    EXPECT_FALSE(tally.Arrived("10.0.0.1", i * 40));
  EXPECT_TRUE(tally.Arrived("10.0.0.2", 100));
  // The second address's run pauses first, with nothing more to say.
  EXPECT_TRUE(tally.Paused(499 * 40 + kCallerRunPauseMs - 1).empty());
  EXPECT_TRUE(tally.Waiting());
  EXPECT_EQ(tally.Paused(499 * 40 + kCallerRunPauseMs),
            std::vector<std::string>{"499 more connections from 10.0.0.1"});
  EXPECT_FALSE(tally.Waiting());
  EXPECT_TRUE(tally.Arrived("10.0.0.1", 60000));
}

TEST(DefiProtocol, AHelloWithoutItsSecondMarkNamesOnlyItsCaller) {
  for (const char *cut : {">>>>>Ann", ">>>>>Ann>>>>", ">>>>>", ">>>>>A"}) {
    DefiMessage hello;
    ASSERT_NO_THROW(hello = ParseDefiMessage(cut)) << cut;
    EXPECT_EQ(hello.Kind, DefiMessageKind::Hello) << cut;
    EXPECT_EQ(hello.Called, "") << cut;
  }
  EXPECT_EQ(ParseDefiMessage(">>>>>Ann").Caller, "Ann");
  EXPECT_EQ(ParseDefiMessage(">>>>>Ann>>>>>").Called, "");
}

} // namespace
} // namespace quorbel
