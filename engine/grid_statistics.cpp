// Grid statistics, symmetry and the Twins Zone count. The statistics line is read by
// people and scripts alike, so numbers never take the user's locale.
#include "engine/grid_statistics.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>

#include "engine/engine_context.h"
#include "engine/grid_copy.h"
#include "engine/propagate.h"
#include "engine/update_possibles.h"
#include "engine/variant_catalog.h"
#include "platform/random.h"

namespace quorbel {

namespace {

// printf's "%*.*f", always with ".".
std::string FixedText(double value, int precision, int width) {
  char buffer[64];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision).ptr;
  std::string text(buffer, end);
  if (static_cast<int>(text.size()) < width)
    text.insert(0, width - text.size(), ' ');
  return text;
}

// Sum over the units of |filled cells - mean|.
double SpreadOverUnits(const GridGeometry &geo, const GridRecord &grid, const UnitTable &units, double mean) {
  double spread = 0;
  for (int u = 0; u < geo.GridWidth; ++u) {
    int filled = 0;
    for (int k = 0; k < geo.GridWidth; ++k)
      if (grid.Cells[units[u][k]].Status < kStatusEmpty)
        ++filled;
    spread += std::fabs(filled - mean);
  }
  return spread;
}

void Recompute(EngineContext &ctx, GridRecord &grid) {
  if (MainGridSlot(ctx.Grids, grid) >= 0)
    UpdatePossibles(ctx, -1, kFilterDefault, -1, 1);
  else
    Propagate(ctx, grid, kFilterIfSwitchOn, 0);
}

// Puts the reference grid in place of the grid, propagates, and says how it stands.
const char *CheckReference(EngineContext &ctx, GridRecord &grid) {
  auto saved = std::make_unique<GridRecord>();
  CopyGrid(ctx, *saved, &grid, kCopyBoth);
  CopyGrid(ctx, grid, &RefTabOfGrid(ctx.Grids, grid), kCopyBoth);
  Recompute(ctx, grid);
  const char *verdict = grid.State == kGridConsistent ? "RefOK" : "RefNotOK";
  for (const CellRecord &cell : grid.PlayingCells(ctx.Geo))
    if (cell.Status > kStatusHypothesis)
      verdict = "RefEmpty";
  CopyGrid(ctx, grid, saved.get(), kCopyBoth);
  Recompute(ctx, grid);
  return verdict;
}

} // namespace

std::string BuildGridStatistics(EngineContext &ctx, GridRecord &grid, int gridDifficulty,
                                int solveDifficulty) {
  const GridGeometry &geo = ctx.Geo;
  if (!FitsGeometry(geo, grid))
    return {};
  UpdatePossibles(ctx, -1, kFilterNone, 0, 0);
  const GridSet &set = ctx.Grids;
  const int n = UsedMainCount(set);
  const int w = geo.GridWidth;
  const double area = static_cast<double>(w) * w;
  const int filled = n * w * w - TotalSudMissing(set);
  const double full = 100.0 * filled / area / n;
  const double mean = static_cast<double>(filled) / w / n;

  const double rows = SpreadOverUnits(geo, grid, geo.RowCells, mean);
  const double cols = SpreadOverUnits(geo, grid, geo.ColCells, mean);
  const double blocks = SpreadOverUnits(geo, grid, grid.BlockCells, mean);
  const int sline = static_cast<int>(100.0 * rows / area);
  const int scol = static_cast<int>(100.0 * cols / area);
  const int sblk = static_cast<int>(100.0 * blocks / area);
  const double smoy = mean == 0 ? 0.0 : (rows + cols + blocks) / 3 / w / mean;

  const char *reference = CheckReference(ctx, grid);

  const uint64_t combined = CombinedGridVar(set, 0);
  const VariantWords words = SplitVariantWords(combined);
  const int row = CountBits64(combined) == 1 ? FindVariantRow(words) : -1;
  const std::string fullText = FixedText(full, 2, 3);
  const std::string smoyText = FixedText(smoy, 6, 0);
  char line[512];
  if (row >= 0) {
    const std::string_view name = VariantCatalog[row].VarNameEn;
    std::snprintf(line, sizeof line,
                  "I= %d N= %d Full= %s%% V1= %d V= %.*s smoy= %s sline= %d scol= %d sblk= %d GridDif= %d "
                  "SolveDiff= %d %s status= %d",
                  set.FocusCell, w, fullText.c_str(), row, static_cast<int>(name.size()), name.data(),
                  smoyText.c_str(), sline, scol, sblk, gridDifficulty, solveDifficulty, reference,
                  grid.State);
  } else {
    std::snprintf(line, sizeof line,
                  "I= %d N= %d Full= %s%% V1= %x V2 = %x smoy= %s sline= %d scol= %d sblk= %d GridDif= %d "
                  "SolveDiff= %d %s status= %d",
                  set.FocusCell, w, fullText.c_str(), words.word1, words.word2, smoyText.c_str(), sline, scol,
                  sblk, gridDifficulty, solveDifficulty, reference, grid.State);
  }
  return line;
}

int PickSymmetryPattern(EngineContext &ctx, GridRecord &grid, int index) {
  constexpr int kPatterns = 5; // a draw of 0 keeps the grid as it is
  if (index == 0 || index >= kPatterns)
    return -1;
  if (index < 0) {
    index = RandomBelow(ctx.Random, kPatterns);
    if (index == 0)
      return 0;
  }
  const GridGeometry &geo = ctx.Geo;
  if (!FitsGeometry(geo, grid))
    return -1;
  struct Content {
    int32_t Value, Status;
    uint32_t Marks, ThePoss, Excluded;
  };
  std::array<Content, kMaxCells> before{};
  for (int i = 0; i < geo.NCells; ++i) {
    const CellRecord &cell = grid.Cells[i];
    before[i] = {cell.Value, cell.Status, cell.Marks, cell.ThePoss, cell.Excluded};
  }
  const int last = geo.GridWidth - 1;
  for (int r = 0; r < geo.NRows; ++r) {
    for (int c = 0; c < geo.NCols; ++c) {
      const int target = index == 1   ? (last - c) * geo.NCols + (last - r)
                         : index == 2 ? (last - r) * geo.NCols + c
                         : index == 3 ? c * geo.NCols + r
                                      : r * geo.NCols + (last - c);
      const Content &from = before[r * geo.NCols + c];
      CellRecord &cell = grid.Cells[target];
      StoreCellValue(geo, cell, from.Value, from.Status);
      cell.Marks = from.Marks;
      cell.ThePoss = from.ThePoss;
      cell.Excluded = from.Excluded;
    }
  }
  Propagate(ctx, grid, kFilterAlways, 0);
  return geo.GridWidth;
}

int CountTwinsZoneCells(const GridSet &set, const GridRecord &grid) {
  int count = grid.Lists.TwinsZone.Size();
  const int slot = GridIndexOf(set, grid);
  if (slot < 0)
    return count;
  for (int other = 0; other < UsedAllCount(set); ++other) {
    if (other == slot)
      continue;
    for (const TwinsZoneLink &link : set.Main[other].Lists.TwinsZone.Used())
      if (link.OtherGrid == slot)
        ++count;
  }
  return count;
}

} // namespace quorbel
