// The blank-count tables and their corrections for the rules. Integer divisions and
// truncated products as the tables were tuned with them.
#include "solver/carving_blank_counts.h"

#include <array>

#include "engine/engine_context.h"
#include "engine/grid_statistics.h"
#include "platform/random.h"
#include "solver/generation_run.h"

namespace quorbel {

namespace {

struct BlankTableRow {
  int Width;
  std::array<int, 4> Base;
  std::array<int, 4> Range;
  std::array<int, 4> Extra;
};

constexpr auto kBlankTable = std::to_array<BlankTableRow>({
    {4, {5, 8, 10, 12}, {3, 2, 2, 2}, {1, 2, 3, 3}},
    {6, {13, 18, 23, 26}, {5, 5, 3, 3}, {1, 1, 1, 2}},
    {8, {23, 31, 35, 40}, {8, 4, 5, 3}, {1, 3, 4, 5}},
    {9, {32, 44, 50, 56}, {12, 6, 6, 5}, {1, 2, 4, 5}},
    {12, {54, 70, 78, 89}, {16, 8, 11, 8}, {1, 2, 4, 5}},
    {16, {98, 111, 130, 150}, {13, 19, 20, 30}, {1, 2, 3, 4}},
});

// Twins Equal: the givens kept by a set of n equal grids, (kept x a + b) x (0.11 n + 1),
// for n = 2..12.
struct TwinsEqualCoefficients {
  double A, B;
};
constexpr int kFirstTwinsEqualCount = 2;
constexpr auto kTwinsEqual = std::to_array<TwinsEqualCoefficients>({
    {0.522580622, 0.064515887},
    {0.364075240, 0.130958228},
    {0.285316744, 0.199378675},
    {0.238472346, 0.269831301},
    {0.207598061, 0.342370031},
    {0.185861296, 0.417051993},
    {0.169846053, 0.493934514},
    {0.157654853, 0.573076020},
    {0.148149567, 0.654537579},
    {0.140606179, 0.738381254},
    {0.134542282, 0.824669610},
});

// Blanks a neighbourhood rule adds, as a factor of the width.
struct RuleFactor {
  VariantWords Rule;
  double PerWidth;
};
constexpr auto kNeighbourhoodFactors = std::to_array<RuleFactor>({
    {kVarPirate, 0.7},
    {kVarTouchy, 1.0},
    {kVarNo3OddEven, 0.7},
    {kVarNoAverage, 0.2},
    {kVarNoConsecutive, 1.55},
    {kVarNoTouch, 0.4},
    {kVarGiveMe5, 1.0},
    {kVarNoKnightStep, 1.3},
});

// The whole-grid clue kinds give their minimum per 81 cells.
struct RuleMinimum {
  VariantWords Rule;
  int ClueKind;
};
constexpr auto kWholeGridMinimums = std::to_array<RuleMinimum>({
    {kVarTransfer, kClueTransfer},
    {kVarDan, kClueDan},
    {kVarMagicSentence, kClueMagicSentence},
    {kVarBattleShip, kClueBattleShip},
});
constexpr int kCellsPerMinimum = 81;
constexpr VariantWords kOneMoreUnitRules = kVarDiagonal | kVarTwinsSubstitution | kVarExtraRegion;

const BlankTableRow *RowOfWidth(int width) {
  for (const BlankTableRow &row : kBlankTable)
    if (row.Width == width)
      return &row;
  return nullptr;
}

} // namespace

BlankPlan DrawBlankPlan(Random15 &random, int width, int level) {
  const BlankTableRow *row = RowOfWidth(width);
  if (row == nullptr)
    return {};
  const int l = TableLevel(level) - 1;
  return {row->Base[l] + random.Next() * row->Range[l] / kRandomMax, row->Extra[l]};
}

int CorrectBlanksForRules(const EngineContext &ctx, const GridRecord &grid, const GenerationRun &run,
                          int blanks) {
  const int cells = ctx.Geo.NCells;
  const int width = ctx.Geo.GridWidth;
  const int n = run.GridCount;
  const VariantWords words = run.CurrentWords;

  if (Meets(words, kVarTwinsEqual) && n >= kFirstTwinsEqualCount &&
      n < kFirstTwinsEqualCount + static_cast<int>(kTwinsEqual.size())) {
    const TwinsEqualCoefficients &k = kTwinsEqual[n - kFirstTwinsEqualCount];
    const int kept = cells - blanks;
    blanks = cells - static_cast<int>((kept * k.A + k.B) * (0.11 * n + 1));
  }
  if (Meets(words, kVarTwinsDifferent))
    blanks += (cells - blanks) / (width / 2 + width);
  if (Meets(words, kVarTwinsZone))
    blanks += CountTwinsZoneCells(ctx.Grids, grid) * (width / 2);
  if (Meets(words, kVarTwinsTotal))
    blanks += static_cast<int>((cells - blanks) / (3 + 0.65 * (n - 3) - TableLevel(run.Level) / 3.0));
  for (const RuleFactor &rule : kNeighbourhoodFactors)
    if (Meets(words, rule.Rule))
      blanks += static_cast<int>(rule.PerWidth * width);

  if (Meets(grid.GridVar, kOneMoreUnitRules))
    blanks += width;
  for (const RuleMinimum &rule : kWholeGridMinimums)
    if (Meets(grid.GridVar, rule.Rule))
      blanks += run.Settings.Clues.Minimum[rule.ClueKind] * cells / kCellsPerMinimum;
  if (Meets(grid.GridVar, kVarMultTable))
    blanks += grid.Lists.MultTable.Size() * width / 9;
  return blanks;
}

} // namespace quorbel
