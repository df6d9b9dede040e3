// The Little Killer diagonals as the fast search reads them, against every choice of a
// diagonal's open cells: a read keeps exactly the candidates some choice completes the total
// with, cells of one block taking different values, and reports a diagonal none completes. The
// memo of block parts is a pure cache: with 2 or 4 entries, where the parts of one read meet in
// them all the time, every read still comes out as a fresh choice does.
#include "solver/clue_links.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "engine/engine_context.h"
#include "engine/grid_shape.h"
#include "engine/little_killer_line.h"
#include "engine/sum_clue_editors.h"
#include "platform/random.h"

namespace quorbel {
namespace {

struct Board {
  std::array<uint8_t, kMaxCells> value{};
  std::array<uint16_t, kMaxCells> cand{};
};

// Every choice of values for the open cells of `cells` from `at` on that makes `rest`, cells
// of one block apart: the values each cell took join `supported`. Whether there was one.
bool Choose(const GridRecord &grid, const std::vector<int> &cells, const Board &board, size_t at, int rest,
            std::array<uint16_t, kMaxWidth> &takenInBlock, std::array<uint16_t, kMaxCells> &chosen,
            std::array<uint16_t, kMaxCells> &supported) {
  if (at == cells.size()) {
    if (rest != 0)
      return false;
    for (int c : cells)
      supported[c] |= chosen[c];
    return true;
  }
  const int c = cells[at];
  if (board.value[c] != 0)
    return Choose(grid, cells, board, at + 1, rest, takenInBlock, chosen, supported);
  bool any = false;
  uint16_t &taken = takenInBlock[grid.BlockOfCell[c]];
  for (int v = 1; v <= 9 && v <= rest; ++v) {
    const auto bit = static_cast<uint16_t>(1u << (v - 1));
    if ((board.cand[c] & bit) == 0 || (taken & bit) != 0)
      continue;
    taken |= bit;
    chosen[c] = bit;
    any |= Choose(grid, cells, board, at + 1, rest - v, takenInBlock, chosen, supported);
    taken &= static_cast<uint16_t>(~bit);
  }
  return any;
}

class ClueLinksMemo : public testing::TestWithParam<int> {};

TEST_P(ClueLinksMemo, ADiagonalKeepsExactlyWhatSomeChoiceOfItsCellsCompletes) {
  auto ctx = std::make_unique<EngineContext>();
  SetGridShape(*ctx, ShapeCodeOfSize(9), 1, 0);
  const GridGeometry &geo = ctx->Geo;
  GridRecord &grid = ctx->Grids.Main[0];
  const GridRecord &noSolution = ctx->Grids.RefTab[0];
  for (int side = 0; side < 4; ++side)
    for (int position = 0; position < 9; position += 2)
      if (const DiagonalEnds ends = LittleKillerClueOfSide(geo, side, position); ends.First >= 0)
        ToggleLittleKillerClue(geo, ends.First, ends.Last, grid, 1, noSolution);
  ASSERT_GE(grid.Lists.LittleKiller.Size(), 8);

  // Candidates drawn from a few sets, so that a block's cells meet the same candidates again
  // under other totals; the small ones leave a cell of the block no room for some value.
  constexpr std::array<uint16_t, 9> kSets = {0x007, 0x00E, 0x031, 0x0C2, 0x103, 0x1A0, 0x05C, 0x003, 0x001};
  Random15 random;
  random.Seed(62);
  ClueLinks links(GetParam());
  int completed = 0;
  int refused = 0;
  for (int trial = 0; trial < 4000; ++trial) {
    const int i = RandomBelow(random, grid.Lists.LittleKiller.Size());
    LittleKillerClue &clue = grid.Lists.LittleKiller.Items[i];
    const std::vector<int> cells(clue.Cells.begin(), clue.Cells.begin() + clue.NCells);
    Board board;
    int decided = 0;
    int open = 0;
    for (int c : cells) {
      if (RandomBelow(random, 4) == 0) {
        board.value[c] = static_cast<uint8_t>(1 + RandomBelow(random, 9));
        decided += board.value[c];
      } else {
        board.cand[c] = kSets[RandomBelow(random, kSets.size())];
        ++open;
      }
    }
    // As in a search, a value decided in a block is no other cell's candidate there.
    for (int c : cells)
      for (int d : cells)
        if (board.value[d] != 0 && grid.BlockOfCell[c] == grid.BlockOfCell[d])
          board.cand[c] &= static_cast<uint16_t>(~(1u << (board.value[d] - 1)));
    if (std::any_of(cells.begin(), cells.end(),
                    [&](int c) { return board.value[c] == 0 && board.cand[c] == 0; }))
      continue;
    clue.Target = decided + open + RandomBelow(random, 5 * open + 1);
    links.Build(geo, grid, true);

    std::array<uint16_t, kMaxWidth> takenInBlock{};
    std::array<uint16_t, kMaxCells> chosen{};
    std::array<uint16_t, kMaxCells> supported{};
    const bool completes =
        Choose(grid, cells, board, 0, clue.Target - decided, takenInBlock, chosen, supported);
    Board read = board;
    uint64_t toRead = uint64_t{1} << i;
    const bool kept = links.ReadDiagonals(read.value, read.cand, toRead, uint64_t{1} << i,
                                          [&](int c) { return read.cand[c] != 0; });
    ASSERT_EQ(kept, completes) << "trial " << trial;
    if (!completes) {
      ++refused;
      continue;
    }
    ++completed;
    for (int c : cells) {
      if (board.value[c] == 0) {
        ASSERT_EQ(read.cand[c], supported[c]) << "trial " << trial << " cell " << c;
      }
    }
  }
  // Both outcomes came up often.
  EXPECT_GT(completed, 500);
  EXPECT_GT(refused, 500);
}

INSTANTIATE_TEST_SUITE_P(MemoBits, ClueLinksMemo, testing::Values(1, 2, ClueLinks::kPartMemoBits));

} // namespace
} // namespace quorbel
