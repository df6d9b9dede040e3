// A peer's stream cut into whole messages whatever the reads, the launcher's standings on the
// wire and taken by a follower, and the connect service's list that keeps the bound players.
#include <gtest/gtest.h>

#include "net/defi_framer.h"
#include "net/defi_players.h"
#include "net/defi_protocol.h"
#include "net/defi_turns.h"

namespace quorbel {
namespace {

std::vector<std::string> Drain(DefiFramer &framer, bool quiet) {
  std::vector<std::string> messages;
  while (std::optional<std::string> next = framer.Next("Bob", quiet))
    messages.push_back(*next);
  return messages;
}

TEST(DefiFraming, AMessageIsReadOnlyOnceItIsWhole) {
  const std::string grid = "GQuorbel Mode Texte\r\n4\r\n;Start Save Grid0\r\n1\r\n0\r\n";
  DefiFramer framer;
  // A grid cut in two reads, its start behind it: nothing before its end shows.
  framer.Append(grid.substr(0, 20));
  EXPECT_TRUE(Drain(framer, false).empty());
  framer.Append(grid.substr(20) + "S|Cup");
  EXPECT_EQ(Drain(framer, false), std::vector<std::string>{grid});
  EXPECT_EQ(Drain(framer, true), std::vector<std::string>{"S|Cup"});
  // The launcher's standings right behind its start.
  framer.Append("S|CupT|0|1|-1|0|Ann|0|\n");
  EXPECT_EQ(Drain(framer, false), (std::vector<std::string>{"S|Cup", "T|0|1|-1|0|Ann|0|\n"}));

  // A 1-byte grid is one message only once the stream is quiet, and is then refused whole.
  framer.Append("G");
  EXPECT_TRUE(Drain(framer, false).empty());
  EXPECT_EQ(Drain(framer, true), std::vector<std::string>{"G"});

  // A move's last number may go on in the next read; a hello calling us ends with our name.
  framer.Append("V|Ann|40|7|1");
  EXPECT_TRUE(Drain(framer, false).empty());
  framer.Append("3V|Ann|41|2|1bye>>>>>Ann>>>>>Bob");
  EXPECT_EQ(Drain(framer, false),
            (std::vector<std::string>{"V|Ann|40|7|13", "V|Ann|41|2|1", "bye", ">>>>>Ann>>>>>Bob"}));
  EXPECT_EQ(framer.Pending(), 0u);
}

TEST(DefiFraming, StandingsGoAndComeBackAndMalformedOnesAreRefused) {
  const DefiStandings standings{.Over = false,
                                .Current = 1,
                                .Previous = 0,
                                .RemainingMs = 31500,
                                .Players = {{"Ann", 12, {3, 9}}, {"Bob", -10, {}}}};
  const std::string message = DefiStandingsMessage(standings);
  EXPECT_EQ(message, "T|0|1|0|31500|Ann|12|3,9|Bob|-10|\n");
  EXPECT_EQ(DefiMessageLength(message + "V|Ann|1|2|1", "", false), message.size());
  const DefiMessage read = ParseDefiMessage(message);
  ASSERT_EQ(read.Kind, DefiMessageKind::Standings);
  ASSERT_TRUE(read.Standings);
  EXPECT_EQ(*read.Standings, standings);
  for (const char *bad : {"T|0|3|0|0|Ann|1|\n", "T|0|0|0|0|Ann|x|\n", "T|0|0|0|0|Ann|1\n", "T|2|0|0|0\n",
                          "T|0|0|0|0||1|\n", "T|0|0|0|0|Ann|1|1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17\n",
                          "T|0|0|0|-5|Ann|1|\n"}) // a time left below nothing
    EXPECT_FALSE(ParseDefiMessage(bad).Standings) << bad;
}

class Quiet : public DefiTurnHost {
public:
  int SolutionValue(int) override { return 0; }
  int CellValue(int) override { return 0; }
  bool InContradiction() override { return false; }
  bool IsOpenCell(int) override { return true; }
  void RevealCell(int) override {}
  void PlaySound(int slot) override { sounds.push_back(slot); }
  void SendToAll(const std::string &) override {}
  void Redraw() override {}
  bool Fade(bool) override { return true; }
  std::vector<int> sounds;
};

TEST(DefiStandingsTaken, AFollowerShowsTheLaunchersTurnScoresAndEnd) {
  // A former launcher: its own players, scores and clock of an older challenge.
  DefiPlayerList players;
  DefiPlayerRecord old;
  old.Name = "Zoe";
  old.Score = 99;
  players.Add(old);
  DefiTurns turns;
  StartDefiTurns(turns, players, {0}, 0, DefiTurnRules{});
  turns.RemainingMs = 7000;

  DefiStandings told{
      .Current = 1, .Previous = 0, .RemainingMs = 30000, .Players = {{"Ann", 7, {7}}, {"Bob", 0, {}}}};
  Quiet host;
  TakeDefiStandings(turns, players, told, "Bob", host);
  ASSERT_EQ(players.Count(), 2);
  EXPECT_EQ(players.At(0).Name, "Ann");
  EXPECT_EQ(players.At(0).Score, 7);
  EXPECT_EQ(players.At(1).Remote, 0); // Bob is at this computer
  EXPECT_EQ(turns.Current, 1);
  EXPECT_EQ(turns.OwnPosition, 1);
  EXPECT_EQ(host.sounds, std::vector<int>{5}); // Bob's turn
  // The follower's clock counts down but passes no turn.
  DefiTurnTick(turns, players, 40000, host);
  EXPECT_EQ(turns.Current, 1);
  EXPECT_EQ(turns.RemainingMs, 0);

  told.Over = true;
  told.Players[1].Score = 12;
  TakeDefiStandings(turns, players, told, "Bob", host);
  EXPECT_TRUE(turns.Over);
  EXPECT_EQ(turns.Banner.Lines[1], "Gagnant : Bob");
  EXPECT_EQ(turns.Banner.Lines[3], "Ann 7  Bob 12");
  // No turn passes on a solved grid.
  DefiTurnTick(turns, players, kDefiEndBannerMs + 1, host);
  EXPECT_EQ(turns.Current, 1);
  EXPECT_FALSE(turns.Banner.Shown);
}

TEST(DefiStandingsTaken, OutOfTurnMovesDoNotScoreAndEqualScoresGoToTheFirst) {
  DefiPlayerList players;
  for (const char *name : {"Ann", "Bob"}) {
    DefiPlayerRecord player;
    player.Name = name;
    players.Add(player);
  }
  DefiTurns turns;
  StartDefiTurns(turns, players, {0, 1}, 0, DefiTurnRules{.CellsPerTurn = 5});
  Quiet host;
  DefiTurnTick(turns, players, 40, host); // Ann's turn
  EXPECT_FALSE(DefiScoreMove(turns, players, 1, 3, 1, 16, host));
  EXPECT_EQ(players.At(1).Score, 0);
  EXPECT_TRUE(DefiScoreMove(turns, players, 0, 3, 1, 16, host));
  EXPECT_EQ(players.At(0).Score, 0); // the host's solution and cell are both 0: right, worth 0
  EXPECT_EQ(EndDefiChallenge(turns, players), 0);
}

TEST(DefiPlayers, TheServicesListKeepsTheBoundPlayers) {
  DefiPlayerList players;
  DefiPlayerRecord bob;
  bob.Name = "Bob";
  bob.Slot = 3;
  bob.Connected = 1;
  players.Add(bob);
  DefiPlayerRecord carol = bob;
  carol.Name = "Carol";
  carol.Slot = 4;
  players.Add(carol);
  DefiPlayerRecord unbound;
  unbound.Name = "Dan";
  players.Add(unbound);

  DefiPlayerRecord fresh;
  fresh.Name = "Bob";
  fresh.Address = "10.0.0.2";
  MergeServicePlayers(players, {fresh});
  ASSERT_EQ(players.Count(), 2);
  EXPECT_EQ(players.At(0).Address, "10.0.0.2");
  EXPECT_EQ(players.At(0).Slot, 3);
  EXPECT_EQ(players.At(0).Connected, 1);
  EXPECT_EQ(players.Find("Carol"), 1); // still bound: still a player
  EXPECT_EQ(players.Find("Dan"), -1);
}

} // namespace
} // namespace quorbel
