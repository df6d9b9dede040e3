// Printing the board: one page, white, with a title band above the shown grids and nothing else
// of the window. The board is laid out at the screen's scale and the painter scales the page.
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "app/message_format.h"
#include "app/message_table.h"
#include "app/qt/main_frame.h"
#include "app/qt/quorbel_app.h"
#include "engine/engine_context.h"
#include "files/macro_recorder.h"
#include "files/script_words.h"
#include "view/qt/quorbel_view.h"

using namespace quorbel;

namespace {

// The title's first line: message 0 with the shown grid's name.
QString PageTitle(ViewHost &app, int slot) {
  const std::string &name = app.Engine().Grids.Main[static_cast<size_t>(slot)].Comment;
  const std::string text =
      FormatText(MessageFormat(0, app.CurrentLanguage()), {name.empty() ? "Quorbel" : name});
  return QString::fromStdString(text.substr(0, text.find('\n')));
}

} // namespace

void CQuorbelView::PrintPage(QPrinter &printer) {
  input_.Entry.TimerOn = 0;
  Printing = 1;
  const QImage &window = RenderView();
  // The grids alone: the union of the shown grids' boxes.
  QRect grids;
  const GridSet &set = app_.Engine().Grids;
  for (int i = 0; i < UsedOrderCount(set); ++i) {
    const CellRect &box = painters_[static_cast<size_t>(set.Order[static_cast<size_t>(i)])].BoardRect;
    if (box.IsShown())
      grids |= QRect(box.left, box.top, box.Width(), box.Height());
  }
  if (grids.isEmpty())
    grids = window.rect();
  const QImage board = window.copy(grids);

  QPainter page(&printer);
  const QRect area = page.viewport();
  page.fillRect(area, Qt::white);
  // The page at the window's proportions and the screen's scale: the title band, then the board.
  const float printSize = app_.Settings().general.printSize;
  const double scale =
      std::min(area.width() / static_cast<double>(width()), area.height() / static_cast<double>(height())) *
      (printSize > 0 && printSize < 1 ? printSize : 1.0);
  page.translate(area.left(), area.top());
  page.scale(scale, scale);
  const int band = 60;
  printRect_ = QRect(0, 0, width(), band);
  QFont title = font();
  title.setPixelSize(27); // the comment font's 18 pixels, by 1.5
  title.setBold(true);
  page.setFont(title);
  page.setPen(Qt::black);
  page.drawText(printRect_, Qt::AlignCenter, PageTitle(app_, PanelGridSlot()));
  const QSize fitted = board.size().scaled(width(), height() - band, Qt::KeepAspectRatio);
  page.drawImage(QRect(QPoint((width() - fitted.width()) / 2, band), fitted), board);
  page.end();
  Printing = 0;
  // The timers run again after a page, whatever they were before.
  input_.Entry.TimerOn = 1;
}

int CQuorbelView::PrintBoard() {
  auto *program = dynamic_cast<CQuorbelApp *>(&app_);
  if (program == nullptr)
    return 0;
  CQuorbelApp &app = *program;
  QPrinter &printer = app.Printer();
  if (printer.outputFileName().isEmpty() && QPrinterInfo::availablePrinters().isEmpty() && app.Headless()) {
    app.Messages().AddInfoMessage(app.CurrentLanguage() == Language::English
                                      ? OwnText("No printer here: nothing was printed.")
                                      : OwnText("Pas d'imprimante ici : rien n'a été imprimé."));
    return 0;
  }
  printer.setFromTo(1, 1);
  if (!app.Dialogs().Print(app.MainFrame(), printer))
    return 0;
  PrintPage(printer);
  RedrawViewNow();
  RecordMacroStep(kMacroPrint, {}, -1, {}, -1, {}, -1);
  return 1;
}

void CQuorbelView::PrintPreview() {
  auto *program = dynamic_cast<CQuorbelApp *>(&app_);
  if (program == nullptr)
    return;
  CQuorbelApp &app = *program;
  app.Dialogs().PrintPreview(app.MainFrame(), app.Printer(), [this](QPrinter &pages) { PrintPage(pages); });
  RedrawViewNow();
  if (app.MainFrame())
    app.MainFrame()->ApplyFrameLanguage();
}
