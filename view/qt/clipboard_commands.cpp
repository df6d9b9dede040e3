// Edit > Copy, Cut and Paste on the desktop's clipboard: the selected cells as tab-separated
// text, the message panel's lines when it has the focus, the board's picture when nothing is
// selected; a pasted block lands from the first selected cell on.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <algorithm>

#include "app/message_line.h"
#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/grid_services.h"
#include "engine/undo_services.h"
#include "engine/update_possibles.h"
#include "view/clipboard_text.h"
#include "view/qt/quorbel_view.h"

using namespace quorbel;

namespace {

constexpr int kMessagePanelFocus = -2;

} // namespace

std::vector<int> CQuorbelView::SelectedCells(int slot) const {
  std::vector<int> cells;
  const EngineContext &ctx = app_.Engine();
  for (int i = 0; i < selection_.Count; ++i) {
    const SelectionPair &pair = selection_.Pairs[static_cast<size_t>(i)];
    if (pair.Grid == slot && pair.Cell >= 0 && pair.Cell < ctx.Geo.NCells)
      cells.push_back(pair.Cell);
  }
  if (cells.empty() && ctx.Grids.FocusCell >= 0 && ctx.Grids.FocusCell < ctx.Geo.NCells)
    cells.push_back(ctx.Grids.FocusCell);
  return cells;
}

void CQuorbelView::EditCopy() {
  EngineContext &ctx = app_.Engine();
  QClipboard *clipboard = QGuiApplication::clipboard();
  if (ctx.Grids.FocusCell == kMessagePanelFocus) {
    // The panel's lines, from the oldest to the newest.
    const MessageRing &ring = app_.Messages();
    QString text;
    for (int i = 1; i <= MessageRing::kLineCount; ++i) {
      const CComLine &line = ring.Line(ring.WriteIndex() - 1 + i);
      if (!line.Empty)
        text += QString::fromStdString(MessageLineText(line)) + QStringLiteral("\r\n");
    }
    clipboard->setText(text);
    return;
  }
  const int slot = PanelGridSlot();
  const std::vector<int> cells = SelectedCells(slot);
  if (cells.empty()) {
    clipboard->setImage(RenderView());
    return;
  }
  const GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(slot)];
  copyBuffer_.clear();
  for (const int cell : cells)
    copyBuffer_.emplace_back(cell, grid.Cells[static_cast<size_t>(cell)]);
  clipboard->setText(QString::fromLatin1(CellBlockText(grid, ctx.Geo, cells, input_.Symbols()).c_str()));
}

// A cut or a paste is not passed on to a challenge's other boards.
bool CQuorbelView::RefusedInChallenge() {
  if (!RefuseUnsharedChange())
    return false;
  PlaySoundEffect(kSoundRefused);
  return true;
}

void CQuorbelView::EditCut() {
  EngineContext &ctx = app_.Engine();
  QClipboard *clipboard = QGuiApplication::clipboard();
  const int slot = PanelGridSlot();
  if (!clipboard->mimeData() || !clipboard->mimeData()->hasText())
    return;
  const std::vector<int> cells = SelectedCells(slot);
  if (cells.empty() || RefusedInChallenge())
    return;
  GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(slot)];
  clipboard->setText(QString::fromLatin1(CellBlockText(grid, ctx.Geo, cells, input_.Symbols()).c_str()));
  ResetTransientState(ctx);
  SaveUndoState(ctx);
  for (const int cell : cells) {
    CellRecord &record = grid.Cells[static_cast<size_t>(cell)];
    if (HoldsCopiedValue(record) && (record.Status != kStatusFixed || app_.ExpertMode()))
      ResetCellState(ctx.Geo, record);
  }
  UpdatePossibles(ctx, -1, -1, -1, 1);
  RedrawViewNow();
}

// An expert's paste of what was just copied brings the whole cells back: their records, not only
// their values, when the text is the copied block (the same spans and as many values).
bool CQuorbelView::PasteRecords(GridRecord &grid, const std::vector<int> &cells, const PasteTable &table) {
  if (copyBuffer_.empty())
    return false;
  const int width = app_.Engine().Geo.GridWidth;
  int origin = copyBuffer_.front().first;
  for (const auto &[cell, record] : copyBuffer_)
    origin = std::min(origin, cell);
  int rows = 0;
  int columns = 0;
  int valued = 0;
  for (const auto &[cell, record] : copyBuffer_) {
    rows = std::max(rows, cell / width - origin / width);
    columns = std::max(columns, cell % width - origin % width);
    valued += HoldsCopiedValue(record) && record.Value > 0 ? 1 : 0;
  }
  if (rows != table.LastRow || columns != table.LastColumn || valued != table.Count)
    return false;
  for (const int cell : cells) {
    const CellRecord *source = nullptr;
    if (copyBuffer_.size() == 1) {
      source = &copyBuffer_.front().second;
    } else {
      const int offset =
          (cell / width - cells.front() / width) * width + (cell % width - cells.front() % width);
      for (const auto &[copied, record] : copyBuffer_)
        if (copied - origin == offset)
          source = &record;
    }
    if (source == nullptr)
      continue;
    CellRecord &target = grid.Cells[static_cast<size_t>(cell)];
    const int32_t index = target.Index;
    target = *source;
    target.Index = index;
  }
  return true;
}

void CQuorbelView::EditPaste() {
  EngineContext &ctx = app_.Engine();
  const QClipboard *clipboard = QGuiApplication::clipboard();
  const int slot = PanelGridSlot();
  if ((slot >= UsedMainCount(ctx.Grids) && !app_.ExpertMode()) || !clipboard->mimeData() ||
      !clipboard->mimeData()->hasText())
    return;
  std::vector<int> cells = SelectedCells(slot);
  if (cells.empty())
    return;
  const PasteTable table =
      ParsePasteText(clipboard->text().toLatin1().toStdString(), input_.Symbols(), ctx.Geo.GridWidth);
  if (table.Count == 0 || RefusedInChallenge())
    return;
  std::sort(cells.begin(), cells.end());
  ResetTransientState(ctx);
  SaveUndoState(ctx);
  GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(slot)];
  const int width = ctx.Geo.GridWidth;
  const int originRow = cells.front() / width;
  const int originColumn = cells.front() % width;
  if (app_.ExpertMode() && PasteRecords(grid, cells, table)) {
    UpdatePossibles(ctx, -1, -1, -1, 1);
    RedrawViewNow();
    return;
  }
  for (const int cell : cells) {
    const int row = cell / width - originRow;
    const int column = cell % width - originColumn;
    if (row < 0 || column < 0 || row >= kPasteSide || column >= kPasteSide)
      continue;
    const int value = table.Values[static_cast<size_t>(row)][static_cast<size_t>(column)];
    const CellRecord &record = grid.Cells[static_cast<size_t>(cell)];
    if (value < 1 || (record.Status == kStatusFixed && !app_.ExpertMode()))
      continue;
    SetCellValue(ctx, grid, cell, value, 1);
  }
  UpdatePossibles(ctx, -1, -1, -1, 1);
  RedrawViewNow();
}
