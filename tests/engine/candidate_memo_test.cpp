// The rebuild memo of a solution count: a set of linked grids updated under it is, after
// every step, what the same set becomes when each grid is rebuilt from scratch.
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
  for (int g = 0; g < kGrids; ++g) {
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
    for (EngineContext *ctx : {&remembered, &rebuilt}) {
      GridRecord &grid = ctx->Grids.Main[g];
      const int status = grid.Cells[cell].Status;
      if (pick == 0)
        continue;
      if (pick == 4)
        SetCellValue(*ctx, grid, cell, value, kActionTogglePencil);
      else if (status == kStatusEmpty)
        SetCellValue(*ctx, grid, cell, pick == 1 ? 1 : value, pick == 1 ? kActionHypothesis : kActionPlace);
      else if (status == kStatusPlaced || status == kStatusHypothesis)
        SetCellValue(*ctx, grid, cell, 0, kActionClear);
    }
    for (EngineContext *ctx : {&remembered, &rebuilt})
      UpdatePossibles(*ctx, -1, kFilterAlways, 0, 1);
    ExpectSameSets(remembered, rebuilt, step);
    if (::testing::Test::HasFailure())
      return;
  }
}

TEST(CandidateMemo, ALinkedSetUpdatedUnderItIsTheSetRebuiltFromScratch) { ExpectMemoMatchesRebuilds(false); }

TEST(CandidateMemo, AChessGridInTheSetIsRebuiltWithItsPieces) { ExpectMemoMatchesRebuilds(true); }

} // namespace
