// The text grid writer: the header, then each grid's cell lines and the variant lines of the
// rows of text_grid_lines in their order, then the rows of the set's own lines.
#include "files/text_grid_writer.h"

#include <algorithm>

#include "engine/engine_context.h"
#include "files/sud_file_format.h"
#include "files/text_grid_lines.h"

namespace quorbel {

namespace {

using namespace text_grid;

// The rows of one place whose rules `words` meets, or that are written every time.
void WriteLines(TextLineWriter &out, const TextLineSource &src, TextLinePlace place, VariantWords words) {
  for (const TextLineKind &row : TextLineKinds())
    if (row.Place == place && row.Write != nullptr && (!row.Rules.Any() || Meets(words, row.Rules)))
      row.Write(row, out, src);
}

void WriteBody(TextLineWriter &out, const EngineContext &ctx, int slot, const TextGridInfo &info) {
  const auto cells = ctx.Grids.Main[slot].PlayingCells(ctx.Geo);
  const auto reference = ctx.Grids.RefTab[slot].PlayingCells(ctx.Geo);
  for (size_t i = 0; i < cells.size(); ++i) {
    const CellRecord &cell = cells[i];
    const bool solved = i < reference.size() &&
                        (reference[i].Status == kStatusFixed || reference[i].Status == kStatusHypothesis);
    if (cell.Status == kStatusGiven || cell.Status == kStatusFixed)
      out.Row("", {cell.Value});
    else if (solved)
      out.Row(std::string(1, kReferenceValue), {reference[i].Value});
    else
      out.Row("", {0});
  }
  out.Text(";Start Save Varient");
  const GridRecord &grid = ctx.Grids.Main[slot];
  VariantWords written = grid.GridVar;
  if (Meets(grid.GridVar, kVarTwinsVariantMasked))
    written |= grid.Lists.HiddenRule & kHiddenRulesWithLines;
  WriteLines(out, {ctx, info, slot}, TextLinePlace::Grid, written);
}

} // namespace

std::string WriteTextGrid(const EngineContext &ctx, const TextGridInfo &info) {
  const GridSet &set = ctx.Grids;
  const int grids = std::clamp<int>(set.AllCount, 1, kMaxGrids);
  TextLineWriter out;
  out.Text(kTextGridHeader);
  out.Row("", {ctx.Geo.GridWidth});
  VariantWords combined;
  for (int g = 0; g < grids; ++g) {
    out.Row(";Start Save Grid", {g});
    if (g > 0)
      out.Text(std::string(1, g < set.MainCount ? kNextGrid : kNextLinkedGrid));
    WriteBody(out, ctx, g, info);
    combined |= set.Main[g].GridVar;
  }
  WriteLines(out, {ctx, info, -1}, TextLinePlace::Set, combined);
  return out.Take();
}

} // namespace quorbel
