// The rules between linked grids: each check against a pair of cells, groups or rows found wrong,
// each filter narrowing both sides.
#include "engine/twins_rules.h"

#include <gtest/gtest.h>

#include "engine/grid_set.h"
#include "engine/propagate.h"
#include "engine/twins_editors.h"
#include "engine/unit_summary.h"
#include "engine/value_mask.h"
#include "tests/engine/engine_test_support.h"

namespace quorbel {
namespace {

constexpr int kShapeOf4 = 0;

class TwinsRules : public ::testing::Test {
protected:
  TwinsRules() {
    ResetGridSet(s.Ctx, 2);
    for (GridRecord *grid : {&A(), &B()})
      for (int c = 0; c < 16; ++c) {
        grid->Cells[c].Status = kStatusEmpty;
        grid->Cells[c].ThePoss = s.Ctx.Geo.FullMask;
        grid->Cells[c].Check = kCheckConsistent;
      }
  }
  GridRecord &A() { return s.Main(0); }
  GridRecord &B() { return s.Main(1); }
  static void Fill(GridRecord &grid, int cell, int value) {
    grid.Cells[cell].Value = value;
    grid.Cells[cell].Status = kStatusPlaced;
    grid.Cells[cell].ThePoss = ValueBit(value);
  }
  static bool Marked(const GridRecord &grid, int cell) { return grid.Cells[cell].Check == kCheckConflict; }

  test::ShapedContext s{kShapeOf4};
};

TEST_F(TwinsRules, EqualAndDifferentsDoNothingWithoutAPartner) {
  A().GridVar = kVarTwinsEqual | kVarTwinsDifferent;
  A().Lists.TwinsPartner = -1;
  Fill(A(), 0, 1);
  Fill(B(), 0, 2);
  CheckTwinsEqual(s.Ctx, A());
  CheckTwinsDifferent(s.Ctx, A());
  EXPECT_EQ(FilterTwinsEqual(s.Ctx, A()) + FilterTwinsDifferent(s.Ctx, A()), 0);
  EXPECT_FALSE(Marked(A(), 0));

  A().Lists.TwinsPartner = 1;
  CheckTwinsEqual(s.Ctx, A());
  EXPECT_TRUE(Marked(A(), 0) && Marked(B(), 0));
  A().GridVar = kVarTwinsEqual;
  Fill(A(), 5, 3);
  EXPECT_EQ(FilterTwinsEqual(s.Ctx, A()), 1);
  EXPECT_EQ(B().Cells[5].ThePoss, ValueBit(3));
  A().GridVar = kVarTwinsDifferent;
  Fill(B(), 6, 4);
  EXPECT_EQ(FilterTwinsDifferent(s.Ctx, A()), 1);
  EXPECT_EQ(A().Cells[6].ThePoss & ValueBit(4), 0u);
}

TEST_F(TwinsRules, ASubstitutionMapsEachValueOnceAndOnlyItsOwnerChecks) {
  A().GridVar = B().GridVar = kVarTwinsSubstitution;
  A().Lists.TwinsPartner = 1;
  B().Lists.TwinsPartner = 0;
  A().Lists.SubstitutionOwner = 1;
  Fill(A(), 0, 3);
  Fill(B(), 0, 1);
  Fill(A(), 9, 3);
  Fill(B(), 9, 2);
  CheckTwinsSubstitution(s.Ctx, B()); // not the owner: nothing
  EXPECT_FALSE(Marked(A(), 9));
  CheckTwinsSubstitution(s.Ctx, A());
  EXPECT_EQ(A().Work.SubstitutionMap[2], 0); // 3 stands for 1
  EXPECT_EQ(FindSubstitute(A(), 0), 2);
  EXPECT_FALSE(Marked(A(), 0));
  EXPECT_TRUE(Marked(A(), 9) && Marked(B(), 9));

  // Where this grid holds 3 again, the partner can only hold 1.
  Fill(B(), 9, 1);
  Fill(A(), 12, 3);
  CheckTwinsSubstitution(s.Ctx, A());
  EXPECT_EQ(FilterTwinsSubstitution(s.Ctx, A()), 1);
  EXPECT_EQ(B().Cells[12].ThePoss, ValueBit(1));
}

TEST_F(TwinsRules, ARelationNarrowsBothCellsToWhatTheyShare) {
  A().Lists.TwinsRelation.Append({2, 7, 1});
  A().Cells[2].ThePoss = ValueBit(1) | ValueBit(2);
  B().Cells[7].ThePoss = ValueBit(3) | ValueBit(4);
  EXPECT_EQ(FilterTwinsRelationCell(s.Ctx, A(), 0), 1);
  EXPECT_EQ(A().Cells[2].ThePoss, 0u);
  EXPECT_TRUE(Marked(A(), 2) && Marked(B(), 7));

  Fill(A(), 2, 1);
  Fill(B(), 7, 3);
  CheckTwinsRelation(s.Ctx, A(), 0);
  EXPECT_EQ(A().Work.TwinsRelationConflict[0], 1);
  EXPECT_EQ(A().State, kGridContradiction);
}

TEST_F(TwinsRules, ARelationConflictGoesWithItsCauseOnOneGridsPropagation) {
  A().GridVar = kVarTwinsRelation;
  A().Lists.TwinsRelation.Append({2, 7, 1});
  Fill(A(), 2, 1);
  Fill(B(), 7, 3);
  Propagate(s.Ctx, A(), kFilterAlways, 0);
  EXPECT_EQ(A().Work.TwinsRelationConflict[0], 1);
  Fill(B(), 7, 1);
  Propagate(s.Ctx, A(), kFilterAlways, 0);
  EXPECT_EQ(A().Work.TwinsRelationConflict[0], 0);
}

TEST_F(TwinsRules, AValueInAZoneIsTheOnlyCandidateOfItsTwinCell) {
  A().Lists.TwinsZone.Append({0, 3, 1}); // block 0 of A with block 3 of B
  Fill(A(), 1, 4);                       // second cell of block 0
  const int twin = B().BlockCells[3][1];
  EXPECT_EQ(FilterTwinsZone(s.Ctx, A(), 0), 1);
  EXPECT_EQ(B().Cells[twin].ThePoss, ValueBit(4));
  Fill(B(), twin, 2);
  CheckTwinsZone(s.Ctx, A(), 0);
  EXPECT_TRUE(Marked(A(), 1) && Marked(B(), twin));
}

TEST_F(TwinsRules, ARelationMultipleGroupNeedsNoMoreValuesThanItHasCells) {
  A().GridVar = kVarTwinsRelationMultiple;
  TwinsMultipleGroup group;
  group.NCells = 3;
  group.OtherGrid = 1;
  group.Cells = {0, 1, 2};
  group.OtherCells = {4, 5, 6};
  A().Lists.TwinsMultiple.Append(group);
  Fill(A(), 0, 1);
  Fill(A(), 1, 2);
  Fill(B(), 4, 2);
  Fill(B(), 5, 3);
  CheckTwinsRelationMultiple(s.Ctx, A(), 0); // 1, 2 and 3 fit three cells
  EXPECT_EQ(A().Work.TwinsMultipleConflict[0], 0);
  // An open cell keeps only what the other side has unpaired or may still take.
  A().Cells[2].ThePoss = ValueBit(2) | ValueBit(3);
  B().Cells[6].ThePoss = ValueBit(1) | ValueBit(4);
  EXPECT_EQ(FilterTwinsRelationMultiple(s.Ctx, A(), 0), 1);
  EXPECT_EQ(A().Cells[2].ThePoss, ValueBit(3));
  EXPECT_EQ(B().Cells[6].ThePoss, ValueBit(1));

  A().Lists.TwinsMultiple.Items[0].NCells = 2; // two cells cannot hold three values
  CheckTwinsRelationMultiple(s.Ctx, A(), 0);
  EXPECT_EQ(A().Work.TwinsMultipleConflict[0], 1);
  EXPECT_TRUE(Marked(A(), 0) && Marked(B(), 5));
}

TEST_F(TwinsRules, SameInLineForbidsFurtherEqualPairsOnceItsCountIsReached) {
  A().GridVar = kVarTwinsSameInLine;
  A().Lists.SameInLine.PartnerGrid = 1;
  A().Lists.SameInLine.RowClue[0] = 0;
  Fill(A(), 0, 2);
  EXPECT_EQ(FilterTwinsSameInLine(s.Ctx, A()), 1); // clue 0: at once
  EXPECT_EQ(B().Cells[0].ThePoss & ValueBit(2), 0u);

  A().Lists.SameInLine.RowClue[1] = 1;
  Fill(A(), 4, 3);
  Fill(B(), 4, 3);
  Fill(A(), 5, 1);
  EXPECT_EQ(FilterTwinsSameInLine(s.Ctx, A()), 1);
  EXPECT_EQ(B().Cells[4].ThePoss, ValueBit(3)); // the equal pair keeps its value
  EXPECT_EQ(B().Cells[5].ThePoss & ValueBit(1), 0u);
  Fill(B(), 5, 1);
  CheckTwinsSameInLine(s.Ctx, A());
  EXPECT_EQ(A().Work.SameInLineConflict[1], 1);
  EXPECT_TRUE(Marked(A(), 5) && Marked(B(), 4));
}

TEST_F(TwinsRules, EveryRelationPartnerOfACellIsFoundWhicheverGridHoldsItsLink) {
  ResetGridSet(s.Ctx, 3);
  GridRecord &c = s.Main(2);
  ToggleTwinsRelation(A(), 7, 5, 1); // A:5 - B:7, held by A
  ToggleTwinsRelation(c, 5, 2, 0);   // C:2 - A:5, held by C
  A().GridVar = kVarTwinsRelation;
  c.GridVar = kVarTwinsRelation;
  EXPECT_EQ(TwinsRelationPartners(s.Ctx.Grids, 0, 5), (std::vector<TwinsPartner>{{7, 1}, {2, 2}}));
  EXPECT_EQ(TwinsRelationPartners(s.Ctx.Grids, 1, 7), (std::vector<TwinsPartner>{{5, 0}}));
  EXPECT_TRUE(TwinsRelationPartners(s.Ctx.Grids, 1, 5).empty());
  c.GridVar = {}; // a grid that does not play the rule links nothing
  EXPECT_EQ(TwinsRelationPartners(s.Ctx.Grids, 0, 5), (std::vector<TwinsPartner>{{7, 1}}));
}

TEST_F(TwinsRules, ALinkIsToggledAndFoundFromEitherGrid) {
  EXPECT_EQ(ToggleTwinsRelation(A(), -1, 5, 1), 1);
  EXPECT_EQ((FindTwinsRelationPartners(s.Ctx.Grids, 0, 5)), (TwinsPartner{5, 1}));
  EXPECT_EQ((FindTwinsRelationPartners(s.Ctx.Grids, 1, 5)), (TwinsPartner{5, 0}));
  EXPECT_EQ(FindTwinsRelationPartners(s.Ctx.Grids, 0, 6).Cell, -1);
  EXPECT_EQ(ToggleTwinsRelation(A(), 5, 5, 1), 0);
  EXPECT_EQ(A().Lists.TwinsRelation.Size(), 0);

  // A zone links the cells at the same place of two blocks.
  A().Lists.TwinsZone.Append({0, 3, 1});
  const int second = A().BlockCells[0][1];
  EXPECT_EQ((FindTwinsZonePartners(s.Ctx.Grids, s.Ctx.Geo, 0, second)),
            (TwinsPartner{B().BlockCells[3][1], 1}));
  EXPECT_EQ((FindTwinsZonePartners(s.Ctx.Grids, s.Ctx.Geo, 1, B().BlockCells[3][1])),
            (TwinsPartner{second, 0}));

  TwinsMultipleGroup group;
  group.NCells = 2;
  group.OtherGrid = 1;
  group.Cells = {0, 1};
  group.OtherCells = {14, 15};
  A().Lists.TwinsMultiple.Append(group);
  EXPECT_EQ((FindTwinsMultiplePartners(s.Ctx.Grids, 1, 15)), (TwinsPartner{1, 0}));
}

} // namespace
} // namespace quorbel
