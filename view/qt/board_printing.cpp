// Printing the board: one white page holding a title band and the shown grids, nothing else of
// the window. The grids are laid out afresh for the page and drawn on the printer's painter in
// 96-dpi pixel units, so lines and text come out at the printer's own resolution.
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "app/message_format.h"
#include "app/message_table.h"
#include "engine/engine_context.h"
#include "files/macro_recorder.h"
#include "files/script_words.h"
#include "view/qt/board_painter.h"
#include "view/qt/quorbel_view.h"

using namespace quorbel;

namespace {

constexpr double kScreenDpi = 96.0;
constexpr int kTitleBand = 60;   // pixels above the grids
constexpr int kTitlePixels = 27; // the comment font's 18 pixels, by 1.5
constexpr int kPageMargin = 20;  // pixels kept free around the grids

// The title's first line: message 0 with the grid's name, the document's title when it has one
// (what the window's title shows), else the grid's comment.
QString PageTitle(ViewHost &app, int slot) {
  std::string name = app.DocumentTitle();
  if (name.empty())
    name = app.Engine().Grids.Main[static_cast<size_t>(slot)].Comment;
  const std::string text =
      FormatText(MessageFormat(0, app.CurrentLanguage()), {name.empty() ? "Quorbel" : name});
  return QString::fromStdString(text.substr(0, text.find('\n')));
}

// The largest rectangle of the shape of `shape` inside `area`, centred across it, at its top.
CellRect FittedRect(const CellRect &area, int shapeW, int shapeH) {
  const QSize fitted =
      QSize(std::max(1, shapeW), std::max(1, shapeH))
          .scaled(std::max(1, area.Width()), std::max(1, area.Height()), Qt::KeepAspectRatio);
  const int left = area.left + (area.Width() - fitted.width()) / 2;
  return {left, area.top, left + fitted.width(), area.top + fitted.height()};
}

} // namespace

void CQuorbelView::PrintPage(QPrinter &printer) {
  input_.Entry.TimerOn = 0;
  Printing = 1;
  {
    QPainter page(&printer);
    PaintPage(page, page.viewport(), printer.resolution());
  }
  Printing = 0;
  // The timers run again after a page, whatever they were before.
  input_.Entry.TimerOn = 1;
}

void CQuorbelView::PaintPage(QPainter &page, const QRect &device, int dotsPerInch) {
  PrepareBoardLayout(); // the screen's board gives the grids' proportions
  const CellRect screenBoard = layout_.Board;
  const GridSet &set = app_.Engine().Grids;
  std::vector<int> shownSlots;
  for (int pos = 0; pos < UsedOrderCount(set); ++pos)
    if (const int slot = set.Order[static_cast<size_t>(pos)]; slot >= 0 && slot < kMaxGrids)
      shownSlots.push_back(slot);

  page.save();
  page.fillRect(device, Qt::white);
  const double scale = dotsPerInch / kScreenDpi;
  page.translate(device.left(), device.top());
  page.scale(scale, scale);
  const int pageW = static_cast<int>(device.width() / scale);
  const int pageH = static_cast<int>(device.height() / scale);

  printRect_ = QRect(0, 0, pageW, kTitleBand);
  QFont title = font();
  title.setPixelSize(kTitlePixels);
  title.setBold(true);
  page.setFont(title);
  page.setPen(Qt::black);
  page.drawText(printRect_, Qt::AlignCenter, PageTitle(app_, PanelGridSlot()));

  CellRect area{kPageMargin, kTitleBand, pageW - kPageMargin, pageH - kPageMargin};
  const float printSize = app_.Settings().general.printSize;
  if (printSize > 0 && printSize < 1) {
    const int dx = static_cast<int>(area.Width() * (1 - printSize) / 2);
    const int dy = static_cast<int>(area.Height() * (1 - printSize) / 2);
    area = area.Inset(dx, dy);
  }
  LayOutGrids(FittedRect(area, screenBoard.Width(), screenBoard.Height()), shownSlots);
  {
    // No selection, no picture, no ground: the grids as the player filled them.
    const SelectionList noSelection;
    const PaintContext ctx = MakeContext(page);
    const PaintContext printed{.Dc = page,
                               .Fonts = ctx.Fonts,
                               .Geo = ctx.Geo,
                               .Grids = ctx.Grids,
                               .Colours = ctx.Colours,
                               .General = ctx.General,
                               .Switches = ctx.Switches,
                               .Selection = noSelection,
                               .Symbols = ctx.Symbols,
                               .Background = nullptr,
                               .Printing = true,
                               .Pictures = ctx.Pictures,
                               .MagicLetters = ctx.MagicLetters};
    for (int slot : shownSlots)
      PaintAllCells(printed, painters_[static_cast<size_t>(slot)]);
  }
  page.restore();
  // The screen's layout back at once: a preview's window must not paint the page's.
  PrepareBoardLayout();
}

int CQuorbelView::PrintBoard() {
  QPrinter &printer = app_.Printer();
  if (printer.outputFileName().isEmpty() && QPrinterInfo::availablePrinters().isEmpty() && app_.Headless()) {
    app_.Messages().AddInfoMessage(app_.CurrentLanguage() == Language::English
                                       ? OwnText("No printer here: nothing was printed.")
                                       : OwnText("Pas d'imprimante ici : rien n'a été imprimé."));
    return 0;
  }
  printer.setFromTo(1, 1);
  if (!app_.Dialogs().Print(app_.DialogParent(), printer))
    return 0;
  PrintPage(printer);
  RedrawViewNow();
  RecordMacroStep(kMacroPrint, {}, -1, {}, -1, {}, -1);
  return 1;
}

void CQuorbelView::PrintPreview() {
  app_.Dialogs().PrintPreview(app_.DialogParent(), app_.Printer(),
                              [this](QPrinter &pages) { PrintPage(pages); });
  RedrawViewNow();
  app_.ApplyFrameLanguage();
}
