#include "view/hit_test.h"

#include "engine/puzzle_pieces.h"

#include <algorithm>

#include "engine/cell_record.h"

namespace quorbel {

namespace {

bool IsOpenCell(const CGridDraw &painter, int cell) {
  return painter.Grid && cell >= 0 && static_cast<size_t>(cell) < painter.Grid->Cells.size() &&
         painter.Grid->Cells[static_cast<size_t>(cell)].Status > kStatusFixed;
}

int ValueBoxUnder(const GridGeometry &geo, int x, int y, auto boxOf) {
  for (int v = 0; v < std::min(geo.GridWidth, kMaxWidth); ++v)
    if (boxOf(v).Contains(x, y))
      return v;
  return -1;
}

} // namespace

int NavigableRecords(const GridGeometry &geo, bool clueNavigation) {
  return clueNavigation ? geo.CellLimit : geo.NCells;
}

CellHit HitTestCell(const ViewLayout &layout, std::span<const CGridDraw> painters, const GridSet &set,
                    const GridGeometry &geo, bool clueNavigation, int x, int y) {
  if (layout.Message.Contains(x, y))
    return {kFocusMessagePanel, -1};
  const int limit = std::min(NavigableRecords(geo, clueNavigation), kDrawRecords);
  for (int pos = 0; pos < UsedOrderCount(set); ++pos) {
    const int slot = set.Order[static_cast<size_t>(pos)];
    if (slot < 0 || static_cast<size_t>(slot) >= painters.size())
      continue;
    const CGridDraw &painter = painters[static_cast<size_t>(slot)];
    if (!painter.Grid)
      continue;
    auto hit = [&](int cell) { return painter.OuterRect[static_cast<size_t>(cell)].Contains(x, y); };
    for (int cell = 0; cell < limit; ++cell)
      if (hit(cell))
        return {cell, slot};
    const int records = std::min<int>(painter.Grid->NRecords, kDrawRecords);
    for (int cell = std::max(geo.NCellRecs, 0); cell < records; ++cell)
      if (hit(cell))
        return {cell, slot};
  }
  return {};
}

PieceHit HitTestPuzzlePiece(const GridRecord &grid, int record) {
  const int piece = FindPuzzlePieceOfCell(grid, record);
  if (piece < 0)
    return {};
  const PuzzlePiece &p = grid.Lists.Pieces.Items[static_cast<size_t>(piece)];
  for (int k = 0; k < std::clamp<int>(p.NCells, 0, kMaxPieceDigits); ++k)
    if (p.Identities[static_cast<size_t>(k)] == record)
      return {piece, k};
  return {};
}

int HitTestGridTab(std::span<const GridTab> tabs, int x, int y) {
  for (size_t tab = 0; tab < tabs.size(); ++tab)
    if (tabs[tab].Box.Contains(x, y))
      return static_cast<int>(tab);
  return -1;
}

int HitTestNumberBar(const ViewLayout &layout, int width, int x, int y) {
  const int slots = std::clamp(layout.ValueSlots, 0, kValueSlotCount);
  if (!layout.NumberBarShown || slots == 0 || width <= 0)
    return -1;
  CellRect bar = layout.Slots[0];
  for (int k = 0; k < slots; ++k) {
    const CellRect &box = layout.Slots[static_cast<size_t>(k)];
    if (box.Contains(x, y))
      return k + 1;
    bar = {std::min(bar.left, box.left), std::min(bar.top, box.top), std::max(bar.right, box.right),
           std::max(bar.bottom, box.bottom)};
  }
  // The bar runs the side panel's width, the slots inset in it.
  bar.left = layout.Side.left;
  bar.right = layout.Side.right;
  return bar.Contains(x, y) ? 0 : -1;
}

int HitTestSlotCorner(const ViewLayout &layout, int slot, int x, int y) {
  if (slot < 1 || slot > std::clamp(layout.ValueSlots, 0, kValueSlotCount))
    return -1;
  const CellRect &box = layout.Slots[static_cast<size_t>(slot - 1)];
  if (!box.Contains(x, y))
    return -1;
  const long long c = std::min(box.Width(), box.Height());
  const long long height = box.Height();
  if (c <= 0)
    return -1;
  // On or right of the line from (right - c, top) to (right, bottom), in whole numbers.
  return x * height >= (box.right - c) * height + (y - box.top) * c ? 1 : -1;
}

int HitTestLegendToggle(const ViewLayout &layout, int legendLines, const GeneralSettings &general,
                        SymbolMode symbols, int gameMode, int x, int y) {
  if (general.displayBarArea != 1 || symbols == kSymbolPictures || gameMode == kGameModeQuick ||
      gameMode == kGameModeDefi || legendLines <= 0)
    return -1;
  for (int line = 0; line < std::min(legendLines, kMaxLegendLines); ++line)
    if (layout.Legend[static_cast<size_t>(line)].Contains(x, y))
      return line;
  return -1;
}

int HitTestValueSymbol(const CGridDraw &painter, const GridGeometry &geo, int cell, bool selected, int x,
                       int y) {
  if (!IsOpenCell(painter, cell))
    return -1;
  return ValueBoxUnder(geo, x, y, [&](int v) { return BarSymbolRect(painter, geo, cell, v, selected); });
}

int HitTestCandidate(const CGridDraw &painter, const GridGeometry &geo, int cell, int probType, bool selected,
                     int x, int y) {
  if (probType != 2 || !IsOpenCell(painter, cell) || cell >= kDrawRecords)
    return -1;
  return ValueBoxUnder(geo, x, y, [&](int v) { return SymbolRect(painter, cell, v, selected); });
}

int HitTestPlayerBox(std::span<const CellRect> boxes, int x, int y) {
  for (size_t box = 0; box < boxes.size(); ++box)
    if (boxes[box].Contains(x, y))
      return static_cast<int>(box);
  return -1;
}

} // namespace quorbel
