// Generated grids saved as text and opened again: the same puzzle as the player sees it (rules,
// givens, pieces as turned), which counts what it counted before. The rows here are those whose
// text lines say more than their clues: the pieces of Tiled and Battle Ship (turned, mirrored), a
// substitution map, links that one grid of a pair holds for both, and a hidden set's diagonals.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine_context.h"
#include "engine/grid_set.h"
#include "engine/grid_shape.h"
#include "engine/update_possibles.h"
#include "files/text_grid_reader.h"
#include "files/text_grid_writer.h"
#include "solver/generate_grid.h"
#include "solver/solution_count.h"

namespace quorbel {
namespace {

constexpr int kLimit = 10;
constexpr int32_t kCountTimeOver = 60000;

// Each grid counted with the rule it hides switched on, as the player plays it.
int CountWithRulesShown(EngineContext &ctx) {
  std::array<VariantWords, kMaxGrids> words{};
  for (int g = 0; g < UsedMainCount(ctx.Grids); ++g) {
    GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(g)];
    words[static_cast<size_t>(g)] = grid.GridVar;
    grid.GridVar |= grid.Lists.HiddenRule;
  }
  ctx.Settings.TimeOver = kCountTimeOver;
  UpdatePossibles(ctx, -1, -1, -1, 1);
  const int count = SearchLinkedSolutions(ctx, -1, 0, kLimit, 0);
  for (int g = 0; g < UsedMainCount(ctx.Grids); ++g)
    ctx.Grids.Main[static_cast<size_t>(g)].GridVar = words[static_cast<size_t>(g)];
  return count;
}

// What the player sees of each grid: its rules, shown and hidden, its givens, and its pieces as
// they lie and as they are turned.
struct PieceSeen {
  std::vector<std::pair<int, int>> Cells; // each cell and its digit
  int Rotation, Mirror, MarkedCell;
  bool operator==(const PieceSeen &) const = default;
};
struct GridSeen {
  VariantWords Rules, Hidden;
  std::vector<int> Givens;
  std::vector<PieceSeen> Pieces;
};

std::vector<GridSeen> WhatThePlayerSees(const EngineContext &ctx) {
  std::vector<GridSeen> seen;
  for (int g = 0; g < UsedMainCount(ctx.Grids); ++g) {
    const GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(g)];
    GridSeen &s = seen.emplace_back(GridSeen{grid.GridVar, grid.Lists.HiddenRule, {}, {}});
    for (const CellRecord &cell : grid.PlayingCells(ctx.Geo))
      s.Givens.push_back(cell.Status == kStatusGiven || cell.Status == kStatusFixed ? cell.Value : 0);
    for (const PuzzlePiece &p : grid.Lists.Pieces.Used()) {
      PieceSeen &piece = s.Pieces.emplace_back(PieceSeen{{}, p.Rotation, p.Mirror, p.MarkedCell});
      for (int k = 0; k < p.NCells; ++k)
        piece.Cells.emplace_back(p.Cells[static_cast<size_t>(k)], p.Digits[static_cast<size_t>(k)]);
    }
  }
  return seen;
}

struct Sample {
  VariantWords Words;
  int Size;
  int Seed;
  int Level;
};

TEST(GeneratedGridsAsText, ReopenAsTheSamePuzzle) {
  const Sample samples[] = {
      {kVarTiled, 9, 5, 3}, // a turned piece shows a 9 for a 6, or a 5 for a 2
      {kVarBattleShip, 6, 2, 2},
      {kVarTwinsSubstitution, 6, 4, 2},
      {kVarTwinsZone, 4, 2, 2}, // one grid of the pair holds the links
      {kVarTwinsRelationMultiple, 4, 1, 2},
      {kVarTwinsDifferent, 4, 1, 2}, // the grid its partner names names none
      {kVarTwinsVariantMasked | kVarDiagonal | kVarNoConsecutive, 6, 5, 2},
  };
  for (const Sample &sample : samples) {
    SCOPED_TRACE(testing::Message() << std::hex << sample.Words.word1 << "/" << sample.Words.word2 << std::dec
                                    << " at " << sample.Size << ", seed " << sample.Seed);
    auto made = std::make_unique<EngineContext>();
    made->Settings.GridCurrSize = ShapeCodeOfSize(sample.Size);
    made->Settings.CurrentVariant = sample.Words;
    GeneratorSettings settings;
    settings.SeedOverride = sample.Seed;
    settings.GenereTimeOver = -1;
    settings.VarNGrids = 2;
    ASSERT_EQ(GenerateGrid(*made, settings, sample.Level).Result, 1);
    if (Meets(sample.Words, kVarTwinsVariantMasked)) {
      VariantWords hidden;
      for (int g = 0; g < UsedMainCount(made->Grids); ++g)
        hidden |= made->Grids.Main[static_cast<size_t>(g)].Lists.HiddenRule;
      ASSERT_TRUE(Meets(hidden, kVarDiagonal)); // the grid the sample is for
    }
    const std::vector<GridSeen> seen = WhatThePlayerSees(*made);
    const int before = CountWithRulesShown(*made);
    ASSERT_GE(before, 1);

    const std::string text = WriteTextGrid(*made, TextGridInfo{});
    auto opened = std::make_unique<EngineContext>();
    TextGridInfo info;
    const auto *bytes = reinterpret_cast<const uint8_t *>(text.data());
    ASSERT_TRUE(OpenTextGrid(std::span<const uint8_t>(bytes, text.size()), *opened, info).Ok);
    const std::vector<GridSeen> reopened = WhatThePlayerSees(*opened);
    ASSERT_EQ(reopened.size(), seen.size());
    for (size_t g = 0; g < seen.size(); ++g) {
      SCOPED_TRACE(testing::Message() << "grid " << g);
      EXPECT_EQ(reopened[g].Rules, seen[g].Rules);
      EXPECT_EQ(reopened[g].Hidden, seen[g].Hidden); // what the player was to find stays hidden
      EXPECT_EQ(reopened[g].Givens, seen[g].Givens);
      EXPECT_TRUE(reopened[g].Pieces == seen[g].Pieces);
    }
    EXPECT_EQ(CountWithRulesShown(*opened), before);
  }
}

} // namespace
} // namespace quorbel
