// The clue budget and its allocation among the clue kinds.
#include "solver/clue_budget.h"

#include <algorithm>
#include <array>

#include "engine/geometry.h"
#include "platform/random.h"
#include "solver/generation_run.h"

namespace quorbel {

namespace {

constexpr float kBudgetPerDepth = 0.009f;
constexpr double kBudgetBase = 0.1;
// The limits are densities per 81 cells.
constexpr double kLimitCells = 81.0;
constexpr double kWeightRange = 2.0;
constexpr int kNoMinimum = 1000;
// A lowered weight gives a count within its limit, give or take the rounding: two passes
// settle it, the rest is a guard.
constexpr int kMaxLimitPasses = 8;

} // namespace

int ClueBudget(int depth, int kept) {
  return static_cast<int>((depth * static_cast<double>(kBudgetPerDepth) + kBudgetBase) * kept);
}

int AllocateClueCounts(Random15 &random, const GridGeometry &geo, VariantWords gridWords, GenerationRun &run,
                       int depthIsMax, int budget, int blanks) {
  ClueTables &tables = run.Clues;
  const ClueKindSettings &kinds = run.Settings.Clues;
  tables.DepthIsMax = depthIsMax;
  tables.Allocated.fill(0);
  budget = std::max(budget, 0);

  std::array<double, kHiddenVariantKinds> weight{};
  double sum = 0;
  for (int i = 0; i < kHiddenVariantKinds; ++i) {
    // Pirate makes no clue: its share would be lost to the others.
    if (!Meets(HiddenVariantTable[i].Words, gridWords) || i == kCluePirate)
      continue;
    weight[i] = kWeightRange * random.Next() / kRandomMax;
    sum += weight[i];
  }
  if (sum == 0)
    return 0;

  const auto share = [&] {
    for (int i = 0; i < kHiddenVariantKinds; ++i)
      tables.Allocated[i] = static_cast<int32_t>(budget / sum * weight[i]);
  };
  share();
  for (int pass = 0; pass < kMaxLimitPasses; ++pass) {
    bool lowered = false;
    for (int i = 0; i < kHiddenVariantKinds; ++i) {
      if (kinds.Limit[i] < 1 || kinds.Factor[i] <= 0 || tables.Allocated[i] < 1)
        continue;
      const double density = kLimitCells *
                             (static_cast<double>(tables.Allocated[i]) / geo.NCells / kinds.Limit[i]) *
                             kinds.Factor[i];
      if (density > 1) {
        weight[i] /= density;
        lowered = true;
      }
    }
    if (!lowered)
      break;
    share();
  }

  int total = 0;
  int smallestMinimum = kNoMinimum;
  for (int i = 0; i < kHiddenVariantKinds; ++i) {
    total += tables.Allocated[i];
    if (tables.Allocated[i] > 0)
      smallestMinimum = std::min(smallestMinimum, kinds.Minimum[i]);
  }
  const int room = geo.NCells - total - blanks;
  if (smallestMinimum > room && total > 0 && smallestMinimum > -1)
    total += 8 * (room - smallestMinimum) / (TableLevel(run.Level) + 7);
  if (total <= 0) {
    tables.Allocated.fill(0);
    return 0;
  }
  return total;
}

} // namespace quorbel
