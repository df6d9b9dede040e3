#include <gtest/gtest.h>

#include "app/best_scores.h"
#include "platform/memory_profile_store.h"

using namespace quorbel;

namespace {

FinishedGame Game(int level, int width, float score, std::string time) {
  FinishedGame game;
  game.GameLevel = level;
  game.Width = width;
  game.Score = score;
  game.Time = std::move(time);
  game.Rules = InWord1(0x4);
  return game;
}

} // namespace

TEST(BestScores, AFinishedGameIsStoredUnderItsLevel) {
  MemoryProfileStore store;
  ASSERT_TRUE(BestScoreUpdate(store, Game(2, 9, 15.678f, "00:12:34")));
  EXPECT_EQ(store.GetInt("BESTSCORE", "SCORE-MEDIUM", -1), 1567);
  EXPECT_EQ(store.GetInt("BESTSCORE", "SIZE-MEDIUM", -1), 9);
  EXPECT_EQ(store.GetInt("BESTSCORE", "VAR1-MEDIUM", -1), 4);
  EXPECT_EQ(store.GetInt("BESTSCORE", "VAR2-MEDIUM", -1), 0);
  EXPECT_EQ(store.GetString("BESTSCORE", "TIME-MEDIUM", ""), "00:12:34");
  EXPECT_FALSE(store.Raw("BESTSCORE", "SCORE-EASY"));
}

TEST(BestScores, ABetterMarkReplacesAWorseOneAndNotTheOtherWayRound) {
  MemoryProfileStore store;
  ASSERT_TRUE(BestScoreUpdate(store, Game(3, 9, 12.0f, "00:20:00")));
  EXPECT_FALSE(BestScoreUpdate(store, Game(3, 9, 11.5f, "00:05:00")));
  EXPECT_EQ(ReadBestScore(store, 3).ScoreHundredths, 1200u);
  ASSERT_TRUE(BestScoreUpdate(store, Game(3, 16, 13.25f, "00:40:00")));
  const BestScore best = ReadBestScore(store, 3);
  EXPECT_EQ(best.ScoreHundredths, 1325u);
  EXPECT_EQ(best.Width, 16);
  EXPECT_EQ(best.Time, "00:40:00");
}

TEST(BestScores, AnEqualMarkWinsOnlyWithAShorterTime) {
  MemoryProfileStore store;
  ASSERT_TRUE(BestScoreUpdate(store, Game(1, 4, 18.5f, "00:02:00")));
  EXPECT_FALSE(BestScoreUpdate(store, Game(1, 4, 18.5f, "00:03:00")));
  EXPECT_TRUE(BestScoreUpdate(store, Game(1, 4, 18.5f, "00:01:30")));
  EXPECT_EQ(ReadBestScore(store, 1).Time, "00:01:30");
}

TEST(BestScores, HarderLevelsNeedWideEnoughGrids) {
  MemoryProfileStore store;
  EXPECT_TRUE(BestScoreUpdate(store, Game(1, 4, 10, "00:01:00")));
  EXPECT_FALSE(BestScoreUpdate(store, Game(2, 4, 10, "00:01:00")));
  EXPECT_TRUE(BestScoreUpdate(store, Game(2, 6, 10, "00:01:00")));
  EXPECT_FALSE(BestScoreUpdate(store, Game(3, 6, 10, "00:01:00")));
  EXPECT_TRUE(BestScoreUpdate(store, Game(3, 8, 10, "00:01:00")));
  EXPECT_FALSE(BestScoreUpdate(store, Game(4, 8, 10, "00:01:00")));
  EXPECT_TRUE(BestScoreUpdate(store, Game(4, 9, 10, "00:01:00")));
  EXPECT_FALSE(BestScoreUpdate(store, Game(0, 9, 10, "00:01:00")));
  EXPECT_FALSE(BestScoreUpdate(store, Game(5, 9, 10, "00:01:00")));
}

TEST(BestScores, OnlyAMarkOutOf20IsABestScoreAndPointsStoredOnceReadAsNone) {
  MemoryProfileStore store;
  FinishedGame points = Game(1, 6, 19.0f, "00:03:00");
  points.Rules = kVarNeighbourScore; // a Double-and-Triple game: its score counts points
  EXPECT_FALSE(BestScoreUpdate(store, points));
  EXPECT_FALSE(BestScoreUpdate(store, Game(1, 6, 119.0f, "00:03:00")));
  EXPECT_FALSE(store.Raw("BESTSCORE", "SCORE-EASY"));

  store.WriteInt("BESTSCORE", "SCORE-EASY", 11900);
  EXPECT_EQ(ReadBestScore(store, 1).ScoreHundredths, 0u);
  EXPECT_TRUE(BestScoreUpdate(store, Game(1, 9, 12.5f, "00:09:00")));
  EXPECT_EQ(ReadBestScore(store, 1).ScoreHundredths, 1250u);
}

TEST(BestScores, MissingKeysReadAsTheirDefaults) {
  MemoryProfileStore store;
  const BestScore best = ReadBestScore(store, 4);
  EXPECT_EQ(best.ScoreHundredths, 0u);
  EXPECT_EQ(best.Width, 1);
  EXPECT_EQ(best.Time, "99:99:99");
}

TEST(BestScores, TheDialogShowsTheLevelsSetWithTheRulesThatWereWritten) {
  MemoryProfileStore store;
  FinishedGame classic = Game(1, 9, 16.5f, "00:09:10");
  classic.Rules = {};
  ASSERT_TRUE(BestScoreUpdate(store, classic));
  ASSERT_TRUE(BestScoreUpdate(store, Game(4, 9, 7.25f, "01:02:03")));
  const BestScoreTexts texts = BestScoreDialogTexts(store, Language::English);
  EXPECT_EQ(texts.Title, "Your Best Score");
  EXPECT_EQ(texts.RowCaptions, "Size\nVarient\nTime\nScore");
  EXPECT_EQ(texts.Blocks[0], "9\nClassic\n00:09:10\n16.50");
  EXPECT_TRUE(texts.Blocks[1].empty());
  EXPECT_TRUE(texts.Blocks[2].empty());
  // The rules come from VAR1- and VAR2-: the block names a rule, not 0.
  EXPECT_TRUE(texts.Blocks[3].starts_with("9\n")) << texts.Blocks[3];
  EXPECT_NE(texts.Blocks[3], "9\nClassic\n01:02:03\n7.25");
  EXPECT_TRUE(texts.Blocks[3].ends_with("\n01:02:03\n7.25"));
  const BestScoreTexts french = BestScoreDialogTexts(store, Language::French);
  EXPECT_EQ(french.LevelNames[2], "Difficile");
  EXPECT_EQ(french.Blocks[0], "9\nClassique\n00:09:10\n16.50");
}
