// The method levels, the record of their use and the grid level they turn into.
#include <gtest/gtest.h>

#include "engine/method_record.h"

namespace quorbel {
namespace {

TEST(MethodLevel, EachMethodHasItsLevel) {
  EXPECT_EQ(MethodLevel(0, kMethodLinColBlk), 0);
  EXPECT_EQ(MethodLevel(0, kMethodSingle), 1);
  EXPECT_EQ(MethodLevel(0, kMethodProbables), 2);
  EXPECT_EQ(MethodLevel(0, kMethodForcingChain), 9);
  EXPECT_EQ(MethodLevel(0, kMethodColouring), 10);
  EXPECT_EQ(MethodLevel(0, kMethodBurma), 11);
  EXPECT_EQ(MethodLevel(0, kMethodRandom), 12);
  EXPECT_EQ(MethodLevel(0, 0), -1);
}

TEST(MethodLevel, GroupLevelFollowsItsSizeUpToSeven) {
  EXPECT_EQ(MethodLevel(0, kMethodGroup), -1);
  EXPECT_EQ(MethodLevel(1, kMethodGroup), -1);
  for (int size = 2; size <= 6; ++size)
    EXPECT_EQ(MethodLevel(size, kMethodGroup), size + 1) << size;
  EXPECT_EQ(MethodLevel(7, kMethodGroup), 8);
  EXPECT_EQ(MethodLevel(15, kMethodGroup), 8);
}

TEST(MethodLevel, SeveralCodesTakeTheHighestLevel) {
  EXPECT_EQ(MethodLevel(3, kMethodGroup | kMethodProbables), 4);
  EXPECT_EQ(MethodLevel(0, kMethodGroup | kMethodProbables), 2);
  EXPECT_EQ(MethodLevel(2, kMethodSingle | kMethodBurma | kMethodGroup), 11);
}

TEST(RecordMethodUse, AHigherLevelBecomesTheCommandsAndTheGames) {
  MethodRecord record;
  EXPECT_EQ(RecordMethodUse(record, kMethodGroup, 3), 1);
  EXPECT_EQ(record.MaxMethodLevel, 4);
  EXPECT_EQ(record.LastMethodBit, kMethodGroup);
  EXPECT_EQ(record.LastMethodSize, 3);
  EXPECT_EQ(record.GameMaxMethodLevel, 4);

  RecordMethodUse(record, kMethodSingle, 0);
  EXPECT_EQ(record.MaxMethodLevel, 4);
  EXPECT_EQ(record.LastMethodBit, kMethodGroup);
}

TEST(RecordMethodUse, APlacementIsAsHardAsTheRemovalsBeforeIt) {
  MethodRecord record;
  record.MethodsUsed = kMethodColouring;
  RecordMethodUse(record, kMethodLinColBlk, 0);
  EXPECT_EQ(record.MaxMethodLevel, 10);
  EXPECT_EQ(record.LastMethodBit, kMethodLinColBlk);
}

TEST(RecordMethodUse, TheGameLevelNeverFalls) {
  MethodRecord record;
  record.GameMaxMethodLevel = 11;
  RecordMethodUse(record, kMethodSingle, 0);
  EXPECT_EQ(record.MaxMethodLevel, 1);
  EXPECT_EQ(record.GameMaxMethodLevel, 11);
}

TEST(LevelFromDifficulty, MapsMethodLevelsToFourGridLevels) {
  EXPECT_EQ(LevelFromDifficulty(-1), 1);
  EXPECT_EQ(LevelFromDifficulty(0), 1);
  EXPECT_EQ(LevelFromDifficulty(1), 2);
  EXPECT_EQ(LevelFromDifficulty(2), 3);
  EXPECT_EQ(LevelFromDifficulty(4), 3);
  EXPECT_EQ(LevelFromDifficulty(5), 4);
  EXPECT_EQ(LevelFromDifficulty(12), 4);
}

TEST(MaskValues, SingleValueNeedsExactlyOneBit) {
  EXPECT_EQ(SingleValueOfMask(0), 0);
  EXPECT_EQ(SingleValueOfMask(1u << 8), 9);
  EXPECT_EQ(SingleValueOfMask(1u << 15), 16);
  EXPECT_EQ(SingleValueOfMask(0x3), 0);
  EXPECT_EQ(SingleValueOfMask(1u << 16), 0);
}

TEST(MaskValues, AnEmptyMaskCountsAsMoreThanTheWidth) {
  EXPECT_EQ(CandidateCount(0, 9), 10);
  EXPECT_EQ(CandidateCount(0x7, 9), 3);
  EXPECT_EQ(CandidateCount(0x600, 9), 10); // bits above the width do not count
}

} // namespace
} // namespace quorbel
