// The rebuild memo of a solution count, and the update around the one grid a search changes: a
// set of linked grids updated under either is, after every step, what the same set becomes when
// each grid is rebuilt from scratch.
#include "engine/candidate_memo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "engine/grid_set.h"
#include "engine/update_possibles.h"
#include "engine_test_support.h"
#include "platform/random.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

constexpr int kShape9 = 5;
constexpr int kGrids = 3;
constexpr std::string_view kPuzzle =
    "400000085000008003087093010000002004305001070000000000600000000070109200102607000";

// Three grids of one puzzle, linked by Relation Multiple groups from grid 0 to grid 1 and
// from grid 1 to grid 2; grid 2 keeps pencil marks in one cell, and grids 0 and 1 an even mark
// on a few open cells, which the Odd rule's check reads even without the rule's bit.
void BuildLinkedSet(EngineContext &ctx) {
  ResetGridSet(ctx, kGrids);
  for (int g = 0; g < kGrids; ++g) {
    GridRecord &grid = ctx.Grids.Main[g];
    LoadPuzzleLine(ctx, grid, kPuzzle);
    grid.GridVar = kVarTwinsRelationMultiple;
  }
  auto link = [&](int from, int to, std::initializer_list<int> cells, std::initializer_list<int> others) {
    TwinsMultipleGroup group;
    group.NCells = static_cast<int16_t>(cells.size());
    group.OtherGrid = static_cast<int16_t>(to);
    std::copy(cells.begin(), cells.end(), group.Cells.begin());
    std::copy(others.begin(), others.end(), group.OtherCells.begin());
    ctx.Grids.Main[from].Lists.TwinsMultiple.Append(group);
  };
  link(0, 1, {1, 2, 3}, {10, 11, 12});
  link(1, 2, {20, 21, 22, 23}, {30, 31, 32, 40});
  for (int g = 0; g < 2; ++g)
    for (const int cell : {4, 13, 60})
      ctx.Grids.Main[g].Cells[cell].OddEven = 0;
  SetCellValue(ctx, ctx.Grids.Main[2], 50, 3, kActionTogglePencil);
  SetCellValue(ctx, ctx.Grids.Main[2], 50, 7, kActionTogglePencil);
}

// Grid 1 holds chess pieces too, on a given and on open cells: a grid whose rules prepare their
// work after the candidates.
void AddChessPieces(EngineContext &ctx) {
  GridRecord &grid = ctx.Grids.Main[1];
  grid.GridVar |= kVarChess;
  const ChessPiece pieces[] = {{0, 0, 0}, {9, 1, 1}, {40, 3, 0}, {60, 4, 1}, {61, 4, 1}};
  for (const ChessPiece &piece : pieces)
    grid.Lists.Chess.Append(piece);
}

// Every field the update writes or reads, in every main grid.
void ExpectSameSets(const EngineContext &a, const EngineContext &b, int step) {
  constexpr size_t kValuePart = offsetof(CellRecord, ValueScores);
  EXPECT_EQ(a.GridSetState, b.GridSetState) << "step " << step;
  EXPECT_EQ(a.TotalOpenCells, b.TotalOpenCells) << "step " << step;
  ASSERT_EQ(UsedMainCount(a.Grids), UsedMainCount(b.Grids));
  for (int g = 0; g < UsedMainCount(a.Grids); ++g) {
    const GridRecord &x = a.Grids.Main[g];
    const GridRecord &y = b.Grids.Main[g];
    ASSERT_EQ(x.NRecords, y.NRecords);
    EXPECT_TRUE(x.State == y.State && x.SudMissing == y.SudMissing && x.TheMinPoss == y.TheMinPoss &&
                x.Work == y.Work)
        << "grid " << g << " step " << step;
    for (int r = 0; r < x.NRecords; ++r) {
      const CellRecord &p = x.Cells[r];
      const CellRecord &q = y.Cells[r];
      ASSERT_TRUE(std::memcmp(&p, &q, kValuePart) == 0 && p.OddEvenError == q.OddEvenError &&
                  p.Partner1 == q.Partner1 && p.Partner2 == q.Partner2 && p.ImageIndex == q.ImageIndex &&
                  p.FigureColour == q.FigureColour)
          << "grid " << g << " record " << r << " step " << step;
    }
  }
}

// One random change of a cell, the same in every context: none (pick 0), a trial value, a placed
// value or a pencil mark, or a value cleared.
void ChangeCell(EngineContext &ctx, GridRecord &grid, int cell, int value, int pick) {
  const int status = grid.Cells[cell].Status;
  if (pick == 0)
    return;
  if (pick == 4)
    SetCellValue(ctx, grid, cell, value, kActionTogglePencil);
  else if (status == kStatusEmpty)
    SetCellValue(ctx, grid, cell, pick == 1 ? 1 : value, pick == 1 ? kActionHypothesis : kActionPlace);
  else if (status == kStatusPlaced || status == kStatusHypothesis)
    SetCellValue(ctx, grid, cell, 0, kActionClear);
}

// As a search does: one grid's values change at a time, values come and go, some repeat a value
// of their units, pencil marks come and go, and between changes the set is updated again
// unchanged.
void ExpectMemoMatchesRebuilds(bool chess) {
  EngineContext remembered;
  EngineContext rebuilt;
  for (EngineContext *ctx : {&remembered, &rebuilt}) {
    SetGridShape(*ctx, kShape9, 1, 0);
    BuildLinkedSet(*ctx);
    if (chess)
      AddChessPieces(*ctx);
  }
  const CandidateMemoScope memo(remembered);
  Random15 random;
  random.Seed(52);
  for (int step = 0; step < 400; ++step) {
    const int g = random.Next() % kGrids;
    const int cell = random.Next() % 81;
    const int value = 1 + random.Next() % 9;
    const int pick = random.Next() % 5;
    for (EngineContext *ctx : {&remembered, &rebuilt})
      ChangeCell(*ctx, ctx->Grids.Main[g], cell, value, pick);
    for (EngineContext *ctx : {&remembered, &rebuilt})
      UpdatePossibles(*ctx, -1, kFilterAlways, 0, 1);
    ExpectSameSets(remembered, rebuilt, step);
    if (::testing::Test::HasFailure())
      return;
  }
}

TEST(CandidateMemo, ALinkedSetUpdatedUnderItIsTheSetRebuiltFromScratch) { ExpectMemoMatchesRebuilds(false); }

TEST(CandidateMemo, AChessGridInTheSetIsRebuiltWithItsPieces) { ExpectMemoMatchesRebuilds(true); }

// Five grids of one puzzle linked by Same in Line: each grid to the one before, but grid 4 to
// grid 2, which two grids then compare with; row clues from 0 to 3 on two rows of three. With
// `relation`, grid 3 also holds a relation clue to grid 0, which its filter reads whatever the
// cells hold.
void BuildSameInLineSet(EngineContext &ctx, bool relation) {
  constexpr int kSameInLineGrids = 5;
  ResetGridSet(ctx, kSameInLineGrids);
  for (int g = 0; g < kSameInLineGrids; ++g) {
    GridRecord &grid = ctx.Grids.Main[g];
    LoadPuzzleLine(ctx, grid, kPuzzle);
    if (g == 0)
      continue;
    grid.GridVar = kVarTwinsSameInLine;
    grid.Lists.SameInLine.PartnerGrid = static_cast<int16_t>(g == 4 ? 2 : g - 1);
    for (int row = 0; row < 9; ++row)
      grid.Lists.SameInLine.RowClue[row] = static_cast<int8_t>(row % 3 == 2 ? -1 : (row + g) % 4);
  }
  if (relation)
    ctx.Grids.Main[3].Lists.TwinsRelation.Append({5, 6, 0});
}

// A search's walk: a run of changes to one grid at a time, each followed by the update around that
// grid, beside the same changes each followed by the whole set rebuilt from scratch.
void ExpectUpdateAroundMatchesRebuilds(int probables, bool relation) {
  EngineContext around;
  EngineContext rebuilt;
  for (EngineContext *ctx : {&around, &rebuilt}) {
    SetGridShape(*ctx, kShape9, 1, 0);
    BuildSameInLineSet(*ctx, relation);
    UpdatePossibles(*ctx, -1, kFilterAlways, probables, 1);
  }
  const CandidateMemoScope memo(around);
  Random15 random;
  random.Seed(61);
  int g = 0;
  for (int step = 0; step < 600; ++step) {
    if (step % 25 == 0)
      g = random.Next() % UsedMainCount(around.Grids);
    const int cell = random.Next() % 81;
    const int value = 1 + random.Next() % 9;
    const int pick = random.Next() % 4; // no pencil marks: a search places and clears
    for (EngineContext *ctx : {&around, &rebuilt})
      ChangeCell(*ctx, ctx->Grids.Main[g], cell, value, pick);
    UpdatePossiblesAround(around, g, kFilterAlways, probables);
    UpdatePossibles(rebuilt, -1, kFilterAlways, probables, 1);
    ExpectSameSets(around, rebuilt, step);
    if (::testing::Test::HasFailure())
      return;
  }
}

TEST(UpdateAround, ASetLinkedBySameInLineIsTheSetRebuiltFromScratch) {
  ExpectUpdateAroundMatchesRebuilds(0, false);
  ExpectUpdateAroundMatchesRebuilds(1, false);
}

TEST(UpdateAround, ASetWithALinkReadingCandidatesIsRebuiltWhole) {
  ExpectUpdateAroundMatchesRebuilds(0, true);
}

} // namespace
