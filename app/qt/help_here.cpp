#include "app/qt/help_here.h"

#include <QApplication>
#include <QEvent>
#include <QVariant>
#include <QWidget>
#include <QWindow>
#include <array>
#include <string_view>

#include "platform/help_contexts.h"

using namespace quorbel;

namespace {

struct PlaceTopic {
  const char *Place; // a window's class, or a control's object name
  int32_t Context;
};

// Windows by class; the start screen's buttons by object name (their pictures' names).
constexpr std::array<PlaceTopic, 34> kPlaces{{
    {"CMainFrame", HelpContext("board")},
    {"CQuorbelView", HelpContext("board")},
    {"CInitGrid", HelpContext("start screen")},
    {"BM_RAND", HelpContext("mode champion")},
    {"BM_KIDS", HelpContext("mode kids")},
    {"BM_QUICK", HelpContext("mode quick")},
    {"BM_TRIP", HelpContext("mode triple")},
    {"BM_QUEL", HelpContext("mode quellabo")},
    {"BM_DEFI", HelpContext("mode challenge")},
    {"BM_GENERE", HelpContext("new grid")},
    {"BM_LOAD", HelpContext("mode free")},
    {"BM_CATALOG", HelpContext("mode catalog")},
    {"BM_NEW", HelpContext("new grid")},
    {"GrilleSel", HelpContext("new grid")},
    {"CEmptyGrid", HelpContext("new grid")},
    {"CDialogWait", HelpContext("generation")},
    {"CMethod", HelpContext("methods panel")},
    {"CPreference", HelpContext("preferences")},
    {"CPrefMagic", HelpContext("display profiles")},
    {"CBravo", HelpContext("end of game")},
    {"CDialogScore", HelpContext("best scores")},
    {"CDialogDefi", HelpContext("mode challenge")},
    {"CQuellabo", HelpContext("mode quellabo")},
    {"CGridList", HelpContext("mode catalog")},
    {"CDialogValue", HelpContext("scanning")},
    {"CDialogExpert", HelpContext("scripts")},
    {"CDialogPoint", HelpContext("rules")},
    {"CDialogBlock", HelpContext("rules")},
    {"CDialogTrioData", HelpContext("rules")},
    {"CDialogPan", HelpContext("rules")},
    {"CDialogMagicTable", HelpContext("rules")},
    {"CDialogNumeral", HelpContext("rules")},
    {"CAboutDlg", HelpContext("about")},
    {"CHelpWindow", HelpContext("index")},
}};

} // namespace

int32_t HelpContextOf(const QWidget *here) {
  // Up to the window the widget is in: a dialog of no topic is not the board behind it.
  for (const QWidget *widget = here; widget; widget = widget->isWindow() ? nullptr : widget->parentWidget()) {
    if (const QVariant own = widget->property(kHelpContextProperty); own.isValid())
      return own.toInt();
    for (const PlaceTopic &place : kPlaces)
      if (widget->objectName() == QLatin1String(place.Place) || widget->inherits(place.Place))
        return place.Context;
  }
  return HelpContext("index");
}

namespace {

// A window stands above a modal dialog, and takes input, when the dialog is among its owners.
bool StandsAbove(const QWidget *window, const QWidget *modal) {
  if (window == modal || modal->isAncestorOf(window))
    return true;
  for (const QWindow *w = window->windowHandle(); w; w = w->parent() ? w->parent() : w->transientParent())
    if (w == modal->windowHandle())
      return true;
  return false;
}

} // namespace

QWidget *WidgetInFront() {
  // The window the player works in: the active one, unless a modal dialog blocks it.
  QWidget *modal = QApplication::activeModalWidget();
  QWidget *front = QApplication::activeWindow();
  if (!front || (modal && !StandsAbove(front, modal)))
    front = modal;
  QWidget *focus = QApplication::focusWidget();
  if (focus && (!front || focus->window() == front))
    return focus;
  return front;
}

HelpRequestFilter::~HelpRequestFilter() {
  if (open_ && QCoreApplication::instance())
    QCoreApplication::instance()->removeEventFilter(this);
}

void HelpRequestFilter::Install(std::function<void(const QWidget *clicked)> open) {
  if (!open_ && QCoreApplication::instance())
    QCoreApplication::instance()->installEventFilter(this);
  open_ = std::move(open);
}

bool HelpRequestFilter::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() != QEvent::WhatsThis || !watched->isWidgetType())
    return false;
  open_(static_cast<const QWidget *>(watched));
  event->accept();
  return true;
}
