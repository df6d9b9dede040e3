#include <gtest/gtest.h>

#include <array>

#include "engine/cell_record.h"
#include "engine_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

class CellQueries : public ::testing::Test {
protected:
  ShapedContext s{5};
  const GridGeometry &geo = s.Ctx.Geo;
  CellRecord cell = MakeClearedCell(s.Ctx.Geo);
};

TEST_F(CellQueries, CandidatesAreListedInAscendingOrder) {
  MakeOpenCell(geo, cell, {2, 5, 9});
  EXPECT_EQ(CountPoss(geo, cell), 3);
  EXPECT_EQ(FirstPossValue(geo, cell), 2);
  EXPECT_EQ(PossValueAt(geo, cell, 0), 2);
  EXPECT_EQ(PossValueAt(geo, cell, 2), 9);
  EXPECT_EQ(PossValueAt(geo, cell, 3), 0);
  EXPECT_EQ(FirstAndLastPossValue(geo, cell), std::make_pair(2, 9));
  EXPECT_EQ(NextPossValueAbove(geo, cell, 2), 5);
  EXPECT_EQ(NextPossValueAbove(geo, cell, 0), 2);
  EXPECT_EQ(NextPossValueAbove(geo, cell, 9), 10);
  EXPECT_EQ(PrevPossValueBelow(geo, cell, 9), 5);
  EXPECT_EQ(PrevPossValueBelow(geo, cell, 2), -1);
}

TEST_F(CellQueries, BitsAboveTheWidthAreNeverCandidates) {
  cell.ThePoss = MaskOf({3}) | 0xFE00u; // values 10..16 do not exist on a 9 x 9 grid
  EXPECT_EQ(CountPoss(geo, cell), 1);
  EXPECT_EQ(FirstAndLastPossValue(geo, cell), std::make_pair(3, 3));
  EXPECT_EQ(NextPossValueAbove(geo, cell, 3), 10);
}

TEST_F(CellQueries, AnEmptyCellHasNoCandidate) {
  MakeOpenCell(geo, cell, {});
  EXPECT_EQ(FirstPossValue(geo, cell), 0);
  EXPECT_EQ(FirstAndLastPossValue(geo, cell), std::make_pair(-1, -1));
}

TEST_F(CellQueries, PencilledCellsAnswerTheirFirstMark) {
  MakeOpenCell(geo, cell, {1, 2, 3});
  cell.Status = kStatusPencilled;
  cell.Marks = MaskOf({4, 6});
  EXPECT_EQ(FirstPossValue(geo, cell), 4);
  EXPECT_EQ(CountMarks(geo, cell), 2);
}

TEST_F(CellQueries, ListPossValuesAnswersTheValueOfAFilledCell) {
  std::array<int, kMaxPossList> out;
  out.fill(42);
  cell.Status = kStatusPlaced;
  cell.Value = 7;
  EXPECT_EQ(ListPossValues(geo, cell, out), 7);
  EXPECT_EQ(out[0], 42);

  MakeOpenCell(geo, cell, {1, 8});
  EXPECT_EQ(ListPossValues(geo, cell, out), 0);
  EXPECT_EQ(out[0], 1);
  EXPECT_EQ(out[1], 8);
  EXPECT_EQ(out[2], -1);

  cell.NPoss = 10;
  EXPECT_EQ(ListPossValues(geo, cell, out), -1);
}

TEST_F(CellQueries, BestScoredValueKeepsTheFirstOfEqualScores) {
  cell.ValueScores[0] = 0;
  cell.ValueScores[1] = 5;
  cell.ValueScores[2] = 5;
  EXPECT_EQ(BestScoredValue(geo, cell), 502);
  cell.ValueScores[8] = 7;
  EXPECT_EQ(BestScoredValue(geo, cell), 709);
  cell.ValueScores[9] = 100; // beyond the width: ignored
  EXPECT_EQ(BestScoredValue(geo, cell), 709);
}

TEST_F(CellQueries, BestScoredValueOfNegativeScoresIsNone) {
  cell.ValueScores.fill(-3);
  EXPECT_EQ(BestScoredValue(geo, cell), -1);
  EngineContext noGeometry;
  EXPECT_EQ(BestScoredValue(noGeometry.Geo, cell), -1);
}

TEST_F(CellQueries, LowestScoredValueSkipsZeroScores) {
  EXPECT_EQ(LowestScoredValue(geo, cell), kNoScoredValue);
  cell.ValueScores[3] = 6;
  cell.ValueScores[5] = 2;
  cell.ValueScores[7] = 2;
  EXPECT_EQ(LowestScoredValue(geo, cell), 206);
}

class CellReset : public CellQueries {};

TEST_F(CellReset, ResetCellStateKeepsTheVariantFields) {
  cell.Value = 4;
  cell.Status = kStatusPlaced;
  cell.Check = kCheckConflict;
  cell.Boat = 1;
  cell.OddEven = 1;
  cell.SurpriseAmount = 9;
  ResetCellState(geo, cell);
  EXPECT_EQ(cell.Value, 0);
  EXPECT_EQ(cell.Status, kStatusEmpty);
  EXPECT_EQ(cell.Check, kCheckConsistent);
  EXPECT_EQ(cell.ThePoss, geo.FullMask);
  EXPECT_EQ(cell.NPoss, 0);
  EXPECT_EQ(cell.Boat, 0);
  EXPECT_EQ(cell.SurpriseAmount, 0);
  EXPECT_EQ(cell.OddEven, 1);
}

TEST_F(CellReset, ClearCellBelowLevelTwoAlsoClearsTheVariantFields) {
  cell.OddEven = 0;
  cell.Partner1 = 12;
  cell.AllowedMaskWord = 3;
  cell.ImageIndex = 4;
  cell.BlockBorders = {1, 1, 1, 1};
  cell.CellClass = 2;
  CellRecord kept = cell;
  ClearCell(geo, kept, 2);
  EXPECT_EQ(kept.OddEven, 0);
  EXPECT_EQ(kept.Partner1, 12);
  EXPECT_EQ(kept.BlockBorders, (std::array<int8_t, 4>{1, 1, 1, 1}));

  ClearCell(geo, cell, 1);
  EXPECT_EQ(cell.OddEven, -1);
  EXPECT_EQ(cell.Partner1, -1);
  EXPECT_EQ(cell.AllowedMaskWord, static_cast<uint32_t>(kAllowedMaskWordAll));
  EXPECT_EQ(cell.ImageIndex, -1);
  EXPECT_EQ(cell.BlockBorders, (std::array<int8_t, 4>{0, 0, 0, 0}));
  EXPECT_EQ(cell.CellClass, 2); // the grid reset owns the class
}

TEST_F(CellReset, StoreCellValueSetsTheMasksOnlyWithAStatus) {
  StoreCellValue(geo, cell, 6, kStatusFixed);
  EXPECT_EQ(cell.Marks, MaskOf({6}));
  EXPECT_EQ(cell.ThePoss, MaskOf({6}));
  EXPECT_EQ(cell.Excluded, geo.FullMask ^ MaskOf({6}));

  StoreCellValue(geo, cell, 2, kStatusGiven);
  EXPECT_EQ(cell.Value, 2);
  EXPECT_EQ(cell.Status, kStatusGiven);
  EXPECT_EQ(cell.Marks, MaskOf({6}));

  StoreCellValue(geo, cell, 0, kStatusEmpty);
  EXPECT_EQ(cell.Marks, 0u);
}

class CellCopy : public CellQueries {
protected:
  CellRecord Source() const {
    CellRecord src = MakeClearedCell(geo);
    src.Index = 5;
    src.Value = 8;
    src.Status = kStatusPlaced;
    src.ThePoss = src.Marks = MaskOf({8});
    src.ValueScores[8] = 11;
    src.ValueScores[9] = 99;
    src.ScoreWords = {1, 2, 3, 4};
    src.SavedPoss = 7;
    src.OddEven = 1;
    src.Partner2 = 4;
    src.CrossedOut = 1;
    src.AllowedSet = 0x30;
    src.SurpriseKind = 2;
    src.SurpriseWords[0] = 6;
    return src;
  }
};

TEST_F(CellCopy, ValuePartCarriesValuesAndScores) {
  const CellRecord src = Source();
  CopyCellFields(geo, cell, src, kCopyValuePart);
  EXPECT_EQ(cell.Index, 5);
  EXPECT_EQ(cell.Value, 8);
  EXPECT_EQ(cell.Marks, MaskOf({8}));
  EXPECT_EQ(cell.ValueScores[8], 11);
  EXPECT_EQ(cell.ValueScores[9], 0); // only the first GridWidth scores
  EXPECT_EQ(cell.ScoreWords, (std::array<int32_t, 4>{1, 2, 3, 0}));
  EXPECT_EQ(cell.SavedPoss, 0u);
  EXPECT_EQ(cell.OddEven, -1);
}

TEST_F(CellCopy, VariantPartCarriesTheRules) {
  const CellRecord src = Source();
  CopyCellFields(geo, cell, src, kCopyVariantPart);
  EXPECT_EQ(cell.Value, 0);
  EXPECT_EQ(cell.OddEven, 1);
  EXPECT_EQ(cell.Partner2, 4);
  EXPECT_EQ(cell.CrossedOut, 1);
  EXPECT_EQ(cell.AllowedSet, 0x30u);
  EXPECT_EQ(cell.SurpriseKind, 2);
  EXPECT_EQ(cell.SurpriseWords[0], 0);
}

TEST_F(CellCopy, AnyOtherModeCarriesBothParts) {
  const CellRecord src = Source();
  CopyCellFields(geo, cell, src, kCopyBoth);
  EXPECT_EQ(cell.Value, 8);
  EXPECT_EQ(cell.OddEven, 1);
}

TEST_F(CellReset, AllowedSetsOfTheDigitTablesFitTheCellRecord) {
  cell.AllowedMaskWord = 5;
  // Segments b and c light in 1, 3, 4, 7, 8 and 9.
  SetAllowedSet(cell, kAllowedTypeSegments, 6);
  EXPECT_EQ(cell.AllowedType, kAllowedTypeSegments);
  EXPECT_EQ(cell.AllowedIndex, 6);
  EXPECT_EQ(cell.AllowedSet, MaskOf({1, 3, 4, 7, 8, 9}));
  EXPECT_EQ(cell.AllowedMaskWord, static_cast<uint32_t>(kAllowedMaskWordAll));
}
