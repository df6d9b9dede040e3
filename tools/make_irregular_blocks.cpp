// Makes our irregular block file "IRGBlk.dat": layouts of W regions of W cells for every
// grid width. Each layout starts from a random solution with regular blocks; cells of equal
// value then trade regions between neighbouring regions, which keeps every region holding
// each value once, so the solution stays one of the new blocks; when no pair can trade, a
// new random solution of the present blocks opens other trades. Every layout written is
// checked: regions connected, of W cells, and a solution found by the search.
//
//   make_irregular_blocks OUTPUT [SEED]   writes a new file
//   make_irregular_blocks --check FILE    checks every layout of a file
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/engine_context.h"
#include "engine/geometry.h"
#include "engine/grid_shape.h"
#include "engine/irregular_block_file.h"
#include "engine/irregular_blocks.h"
#include "platform/random.h"
#include "solver/irregular_layout_check.h"
#include "solver/random_solution.h"

namespace quorbel {
namespace {

constexpr uint32_t kDefaultSeed = 20240611;
// Layouts per width, in the order of kLayoutWidths.
constexpr std::array<int, kLayoutWidths.size()> kLayoutsPerWidth = {6, 8, 8, 12, 6, 6};
// Trades per hundred cells: enough for the regions of the sizes that have irregular blocks to
// wander well away from their blocks. The large sizes serve extra regions only, and the
// search rarely solves their empty grid at once when the regions wander far.
constexpr std::array<int, kLayoutWidths.size()> kTradesPerHundredCells = {300, 300, 300, 300, 60, 5};
// When no two cells can trade, the board gets a new solution, at most this many times.
constexpr int kSolveRounds = 40;
constexpr int kSolveTries = 3;
// The search from the empty grid mostly finds a solution within milliseconds or else wanders
// for minutes. Layouts of the second kind are left out: the generator's random solutions
// search them too, from a few seeds and within a short time limit.
constexpr int kMakeTimeLimitMs = 250;
constexpr int kCheckTimeLimitMs = 2000;
constexpr int kCheckSeededTries = 10;

struct Board {
  RegionLayout Layout;
  std::vector<int> Value; // a solution of the board's blocks
};

template <typename T> void Shuffle(Random15 &random, std::vector<T> &items) {
  for (int i = static_cast<int>(items.size()) - 1; i > 0; --i)
    std::swap(items[i], items[RandomBelow(random, i + 1)]);
}

// A random solution of main grid 0 with its present blocks: kLayoutOfGrid keeps
// irregular ones. False when the search found none in time.
bool Solve(EngineContext &ctx, Board &board) {
  GridRecord &grid = ctx.Grids.Main[0];
  if (MakeRandomSolution(ctx, grid, kSeedsComputed, kLayoutOfGrid, kSolveTries, 1) != 1)
    return false;
  const int cells = ctx.Geo.NCells;
  board.Value.resize(static_cast<size_t>(cells));
  for (int cell = 0; cell < cells; ++cell)
    board.Value[cell] = grid.Cells[cell].Value;
  return true;
}

// The shape laid out on the context; its blocks as a layout.
RegionLayout ShapeBlocks(EngineContext &ctx, int shape) {
  SetGridShape(ctx, shape, 1, 0);
  RegionLayout blocks;
  blocks.Width = ctx.Geo.GridWidth;
  for (int cell = 0; cell < ctx.Geo.NCells; ++cell)
    blocks.Region[cell] = static_cast<int8_t>(ctx.Grids.Main[0].BlockOfCell[cell]);
  return blocks;
}

// A solved grid of a shape, its regions the shape's blocks.
bool SolvedBoard(EngineContext &ctx, int shape, Board &board) {
  board.Layout = ShapeBlocks(ctx, shape);
  ctx.Grids.Main[0].GridVar = {};
  return Solve(ctx, board);
}

// A new solution for the board's present regions, so that other cells can trade.
bool Resolve(EngineContext &ctx, Board &board) {
  GridRecord &grid = ctx.Grids.Main[0];
  grid.GridVar = kVarIrregular;
  grid.Lists.Layout = BlockLayoutOf(board.Layout);
  RebuildGridRegions(ctx, grid);
  return Solve(ctx, board);
}

// Two cells of equal value on the border between two regions trade regions, when both
// regions stay in one piece. Every such pair is a candidate; one is drawn.
bool TradeOnce(Random15 &random, Board &board) {
  RegionLayout &layout = board.Layout;
  const int width = layout.Width;
  const int cells = width * width;
  auto borders = [&](int cell, int8_t region) {
    const int row = cell / width;
    const int column = cell % width;
    return (row > 0 && layout.Region[cell - width] == region) ||
           (row < width - 1 && layout.Region[cell + width] == region) ||
           (column > 0 && layout.Region[cell - 1] == region) ||
           (column < width - 1 && layout.Region[cell + 1] == region);
  };
  std::vector<std::pair<int, int>> pairs;
  for (int a = 0; a < cells; ++a)
    for (int b = a + 1; b < cells; ++b)
      if (board.Value[a] == board.Value[b] && layout.Region[a] != layout.Region[b] &&
          borders(a, layout.Region[b]) && borders(b, layout.Region[a]))
        pairs.emplace_back(a, b);
  Shuffle(random, pairs);
  for (const auto &[a, b] : pairs) {
    std::swap(layout.Region[a], layout.Region[b]);
    if (FirstDisconnectedRegion(layout) < 0)
      return true;
    std::swap(layout.Region[a], layout.Region[b]);
  }
  return false;
}

// Regions numbered in the order their first cell comes, so that equal partitions compare equal.
RegionLayout Renumbered(const RegionLayout &layout) {
  RegionLayout out = layout;
  std::array<int8_t, kMaxWidth> number;
  number.fill(-1);
  int8_t next = 0;
  for (int i = 0; i < layout.Width * layout.Width; ++i) {
    int8_t &n = number[layout.Region[i]];
    if (n < 0)
      n = next++;
    out.Region[i] = n;
  }
  return out;
}

std::vector<int> ShapesOfWidth(int width) {
  std::vector<int> shapes;
  for (int shape = 0; shape < kShapeCount; ++shape)
    if (kGridShapes[shape].Size == width)
      shapes.push_back(shape);
  return shapes;
}

int Make(const std::string &output, uint32_t seed) {
  auto ctx = std::make_unique<EngineContext>();
  ctx->Random.Seed(seed);
  ctx->Settings.TimeOver = kMakeTimeLimitMs;
  std::string text =
      "; Quorbel irregular blocks: each layout \"G;W;\" then W rows \"B;\" of region numbers.\r\n"
      "; Made by tools/make_irregular_blocks with seed " +
      std::to_string(seed) + ".\r\n";
  for (size_t w = 0; w < kLayoutWidths.size(); ++w) {
    const int width = kLayoutWidths[w];
    std::set<std::vector<int8_t>> seen;
    for (const int shape : ShapesOfWidth(width)) {
      const RegionLayout regular = Renumbered(ShapeBlocks(*ctx, shape));
      seen.insert({regular.Region.begin(), regular.Region.end()});
    }
    int made = 0;
    for (int attempt = 0; made < kLayoutsPerWidth[w] && attempt < 50 * kLayoutsPerWidth[w]; ++attempt) {
      const std::vector<int> shapes = ShapesOfWidth(width);
      Board board;
      if (!SolvedBoard(*ctx, shapes[RandomBelow(ctx->Random, static_cast<int>(shapes.size()))], board))
        continue;
      int trades = kTradesPerHundredCells[w] * width * width / 100;
      for (int round = 0; trades > 0 && round < kSolveRounds; ++round) {
        while (trades > 0 && TradeOnce(ctx->Random, board))
          --trades;
        if (trades > 0 && !Resolve(*ctx, board))
          break;
      }
      const RegionLayout layout = Renumbered(board.Layout);
      if (!seen.insert({layout.Region.begin(), layout.Region.end()}).second)
        continue;
      const LayoutVerdict verdict = CheckIrregularLayout(*ctx, layout);
      if (!verdict.Ok()) {
        std::fprintf(stderr, "size %d: layout left out: %s\n", width, DescribeLayoutVerdict(verdict).c_str());
        continue;
      }
      text += FormatLayout(layout);
      ++made;
    }
    std::printf("size %d: %d layouts\n", width, made);
    if (made < kLayoutsPerWidth[w])
      return EXIT_FAILURE;
  }
  std::ofstream out(output, std::ios::binary | std::ios::trunc);
  if (!out.write(text.data(), static_cast<std::streamsize>(text.size())).flush()) {
    std::fprintf(stderr, "%s cannot be written\n", output.c_str());
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}

int Check(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s cannot be read\n", path.c_str());
    return EXIT_FAILURE;
  }
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  auto ctx = std::make_unique<EngineContext>();
  ctx->Settings.TimeOver = kCheckTimeLimitMs;
  bool ok = true;
  for (const int width : kLayoutWidths) {
    const int count = CountLayouts(text, width);
    for (int index = 0; index < count; ++index) {
      const BlockFileRead read = ReadLayout(text, width, index);
      const LayoutVerdict verdict = read.Ok() ? CheckIrregularLayout(*ctx, read.Layout, kCheckSeededTries)
                                              : LayoutVerdict{LayoutFault::RegionSize};
      std::printf("size %d layout %d: %s\n", width, index,
                  (read.Ok() ? DescribeLayoutVerdict(verdict)
                             : DescribeBlockFileProblem(read, path, width, kLanguageEnglish))
                      .c_str());
      ok = ok && verdict.Ok();
    }
  }
  return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}

} // namespace
} // namespace quorbel

int main(int argc, char **argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "--check")
    return quorbel::Check(args[1]);
  if (args.size() == 1 || args.size() == 2)
    return quorbel::Make(args[0], args.size() == 2
                                      ? static_cast<uint32_t>(std::strtoul(args[1].c_str(), nullptr, 10))
                                      : quorbel::kDefaultSeed);
  std::fprintf(stderr, "usage: make_irregular_blocks OUTPUT [SEED] | --check FILE\n");
  return EXIT_FAILURE;
}
