#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <set>

#include "app/app_random.h"
#include "app/picture_order.h"
#include "app/poll_throttle.h"
#include "app/random_background.h"
#include "app/settings_schema.h"
#include "app/text_lines.h"
#include "app/time_limit.h"
#include "app/value_symbol.h"

using namespace quorbel;

TEST(PollThrottle, PumpsAtMostOncePerSecond) {
  PollThrottle throttle;
  EXPECT_TRUE(throttle.Due(5000));
  EXPECT_FALSE(throttle.Due(5001));
  EXPECT_FALSE(throttle.Due(5999));
  EXPECT_TRUE(throttle.Due(6000));
  throttle.Restart(6500);
  EXPECT_FALSE(throttle.Due(7000));
  EXPECT_TRUE(throttle.Due(7500));
}

TEST(PollThrottle, SurvivesTheWrapOfTheClock) {
  PollThrottle throttle;
  EXPECT_TRUE(throttle.Due(0xFFFFFF00u));
  EXPECT_FALSE(throttle.Due(0x00000010u)); // 272 ms later, past the wrap
  EXPECT_TRUE(throttle.Due(0x00000400u));
}

TEST(ValueSymbolText, FollowsTheSymbolMode) {
  EXPECT_EQ(ValueSymbolText(9, kSymbolMixed), "9");
  EXPECT_EQ(ValueSymbolText(10, kSymbolMixed), "A");
  EXPECT_EQ(ValueSymbolText(16, kSymbolMixed), "G");
  EXPECT_EQ(ValueSymbolText(10, kSymbolLetters), "J");
  EXPECT_EQ(ValueSymbolText(12, kSymbolDigits), "12");
  EXPECT_EQ(ValueSymbolText(3, kSymbolPictures), "");
  EXPECT_EQ(ValueSymbolText(0, kSymbolDigits), "");
}

TEST(ValueSymbolText, AMagicSentenceLendsItsLetters) {
  EXPECT_EQ(ValueSymbolText(2, kSymbolLetters, "SÉRIE"), "É");
  EXPECT_EQ(ValueSymbolText(3, kSymbolLetters, "SÉRIE"), "R");
  // A sentence shorter than the grid leaves the plain letters.
  EXPECT_EQ(ValueSymbolText(9, kSymbolLetters, "SÉRIE"), "I");
}

TEST(TextLines, DateReadsTheSameInEveryLocale) {
  std::tm time{};
  time.tm_mday = 5;
  time.tm_mon = 2;
  time.tm_year = 124;
  time.tm_hour = 9;
  time.tm_min = 7;
  EXPECT_EQ(FormatDateTime(time), "05 March 2024 - 09:07");
}

TEST(TextLines, LeadingNumberAndTrailingNewline) {
  std::string line = "12 rest of line\n";
  EXPECT_EQ(TakeLeadingInt(line), 12);
  EXPECT_EQ(line, "rest of line");
  std::string negative = "-7 x";
  EXPECT_EQ(TakeLeadingInt(negative), -7);
  std::string alone = "word";
  EXPECT_EQ(TakeLeadingInt(alone), 0);
  EXPECT_EQ(alone, "");
  std::string huge = "99999999999 x";
  EXPECT_EQ(TakeLeadingInt(huge), 2147483647);
  std::string text = "abc\n";
  EXPECT_EQ(StripTrailingNewline(text), 3u);
  EXPECT_EQ(StripTrailingNewline(text), 3u);
}

class RandomBackgroundTest : public ::testing::Test {
protected:
  quorbel::testing::TempDir temp_;
  void SetUp() override {
    dir_ = temp_.Path() / "backgrounds";
    std::filesystem::create_directories(dir_);
  }
  void Touch(const char *name) { std::ofstream(dir_ / name) << "x"; }
  std::filesystem::path dir_;
};

TEST_F(RandomBackgroundTest, AnEmptyFolderGivesNoPicture) {
  Touch("notes.txt");
  EXPECT_EQ(PickRandomBackground(dir_.string() + "/"), "");
  EXPECT_EQ(PickRandomBackground((dir_ / "missing").string()), "");
}

TEST_F(RandomBackgroundTest, PicksEveryJpegWhateverTheCaseOfItsName) {
  Touch("Goutte1.JPG");
  Touch("pluie.jpg");
  Touch("skip.png");
  SeedRandom(11);
  std::set<std::string> picked;
  for (int i = 0; i < 200; ++i)
    picked.insert(PickRandomBackground(dir_.string()));
  EXPECT_EQ(picked, (std::set<std::string>{(dir_ / "Goutte1.JPG").string(), (dir_ / "pluie.jpg").string()}));
}

TEST(PictureOrder, KeepsAPermutationAndRepairsAnythingElse) {
  PictureOrder order = {15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
  const PictureOrder reversed = order;
  EXPECT_EQ(SettlePictureOrder(order, PictureOrderMode::Keep, "Animals"), PictureOrderMode::Keep);
  EXPECT_EQ(order, reversed);
  order[3] = 15; // a repeated entry
  EXPECT_EQ(SettlePictureOrder(order, PictureOrderMode::Keep, "Animals"), PictureOrderMode::Identity);
  EXPECT_EQ(order[3], 3);
  order = reversed;
  order[0] = 16;
  EXPECT_EQ(SettlePictureOrder(order, PictureOrderMode::Keep, "Animals"), PictureOrderMode::Identity);
  EXPECT_EQ(order[0], 0);
}

TEST(PictureOrder, ShufflesIntoAPermutationExceptForDominoes) {
  SeedRandom(5);
  PictureOrder order{};
  EXPECT_EQ(SettlePictureOrder(order, PictureOrderMode::Shuffle, "Animals"), PictureOrderMode::Shuffle);
  EXPECT_EQ(std::set<int32_t>(order.begin(), order.end()).size(), 16u);
  PictureOrder again = order;
  EXPECT_EQ(SettlePictureOrder(again, PictureOrderMode::Keep, "Animals"), PictureOrderMode::Keep);
  EXPECT_EQ(SettlePictureOrder(order, PictureOrderMode::Shuffle, "Domino"), PictureOrderMode::Identity);
  for (int i = 0; i < kPictureCount; ++i)
    EXPECT_EQ(order[static_cast<size_t>(i)], i);
}

TEST(ComputeTimeLimit, TwiceTheDurationOverTheModesFactor) {
  GameDurationSettings d = DefaultSettings().gameDuration;
  EXPECT_EQ(ComputeTimeLimit(d, 9, 2, 0), 2 * 900);
  EXPECT_EQ(ComputeTimeLimit(d, 9, 2, 1), 2 * 1800);  // kids: factor 0.5
  EXPECT_EQ(ComputeTimeLimit(d, 9, 2, 2), 2 * 720);   // quick: factor 1.25
  EXPECT_EQ(ComputeTimeLimit(d, 16, 9, 7), 2 * 4000); // level clamped to terrible
  EXPECT_EQ(ComputeTimeLimit(d, 4, 0, 7), 2 * 40);    // and to easy
  EXPECT_EQ(ComputeTimeLimit(d, 5, 1, 0), 0);
  EXPECT_EQ(ComputeTimeLimit(d, 7, 1, 0), 0);
  EXPECT_EQ(ComputeTimeLimit(d, 3, 1, 0), 1);
}

TEST(ComputeTimeLimit, IsAtMostAWeekWhateverTheDurationAndFactor) {
  GameDurationSettings d = DefaultSettings().gameDuration;
  d.mtfChampion = 0.01f;
  d.duration[3][1] = 86400;
  EXPECT_EQ(ComputeTimeLimit(d, 9, 2, 0), kMostTimeLimitSeconds);
  d.duration[3][1] = INT32_MAX;
  EXPECT_EQ(ComputeTimeLimit(d, 9, 2, 0), kMostTimeLimitSeconds);
  d.duration[3][1] = INT32_MIN;
  EXPECT_EQ(ComputeTimeLimit(d, 9, 2, 0), -kMostTimeLimitSeconds);
}

TEST(ComputeTimeLimit, AZeroFactorCountsAsItsDefault) {
  GameDurationSettings d = DefaultSettings().gameDuration;
  d.mtfChampion = 0.0f;
  d.mtfQuick = -3.0f;
  EXPECT_EQ(ComputeTimeLimit(d, 9, 2, 5), 2 * 900);
  EXPECT_EQ(ComputeTimeLimit(d, 9, 2, 2), 2 * 720);
}
