#include "app/qt/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>
#include <vector>

#include "app/qt/toolbar_icons.h"
#include "resources/toolbar_tables.h"

using namespace quorbel;

namespace {

constexpr int kIdleUpdateMs = 1000;
constexpr int kPanePadding = 14;
constexpr int kDefaultWidth = 1024;
constexpr int kDefaultHeight = 768;

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A menu text as a tooltip: no mnemonic marks ("&&" stays one "&"), no key column.
QString TooltipText(const QString &menuText) {
  const QString shown = menuText.section(QLatin1Char('\t'), 0, 0);
  QString text;
  for (qsizetype i = 0; i < shown.size(); ++i) {
    if (shown[i] != QLatin1Char('&'))
      text += shown[i];
    else if (i + 1 < shown.size() && shown[i + 1] == QLatin1Char('&'))
      text += shown[++i];
  }
  return text;
}

QString FirstLocalFile(const QMimeData *mime) {
  if (!mime || !mime->hasUrls())
    return {};
  for (const QUrl &url : mime->urls())
    if (url.isLocalFile())
      return url.toLocalFile();
  return {};
}

} // namespace

CMainFrame::CMainFrame(FrameHost &app) : app_(app) {
  setObjectName(QStringLiteral("CMainFrame"));
  resize(kDefaultWidth, kDefaultHeight);
  setWindowIcon(ToolbarIcon(ToolbarTable()[0]));
  CreateActions();
  BuildToolBars();
  BuildStatusBar();
  connect(&idleTimer_, &QTimer::timeout, this, &CMainFrame::UpdateCommandStates);
  idleTimer_.start(kIdleUpdateMs);
}

CMainFrame::~CMainFrame() = default;

namespace {

// Shift+digit reaches Qt as the digit on a French keyboard but as the symbol above it on a US
// one ("!" for Shift+1): both are bound.
QList<QKeySequence> WithShiftedDigits(QList<QKeySequence> keys) {
  static constexpr char kUsSymbols[] = ")!@#$%^&*(";
  const qsizetype count = keys.size();
  for (qsizetype i = 0; i < count; ++i) {
    const QKeyCombination combination = keys[i][0];
    const int key = combination.key();
    if (keys[i].count() == 1 && combination.keyboardModifiers() == Qt::ShiftModifier && key >= Qt::Key_0 &&
        key <= Qt::Key_9)
      keys.append(QKeySequence(
          QKeyCombination(Qt::ShiftModifier, static_cast<Qt::Key>(kUsSymbols[key - Qt::Key_0]))));
  }
  return keys;
}

} // namespace

void CMainFrame::CreateActions() {
  for (const CommandRow &row : CommandTable())
    for (CommandId id : {row.idFr, row.idEn, row.idAccel}) {
      if (id == 0 || actions_.contains(id))
        continue;
      auto *action = new QAction(this);
      action->setData(id);
      action->setIconVisibleInMenu(false);
      connect(action, &QAction::triggered, this, [this, id] { app_.Commands().Execute(id); });
      addAction(action); // its keys work whichever menu bar is shown
      actions_.emplace(id, action);
    }

  // A command's keys belong to one action: its accelerator identifier, else its French one.
  for (const CommandRow &row : CommandTable()) {
    if (row.keys.empty() || IsPanelKeyText(row.keys))
      continue;
    const CommandId bound = row.idAccel ? row.idAccel : row.idFr ? row.idFr : row.idEn;
    actions_.at(bound)->setShortcuts(WithShiftedDigits(QKeySequence::listFromString(ToQString(row.keys))));
    boundKeys_.insert(bound);
  }

  for (const ToolbarEntry &entry : ToolbarTable())
    if (!entry.IsSeparator()) {
      const QIcon icon = ToolbarIcon(entry);
      actions_.at(entry.idFr)->setIcon(icon);
      actions_.at(entry.idEn)->setIcon(icon);
    }
}

QAction *CMainFrame::Action(CommandId id) const {
  const auto found = actions_.find(id);
  return found == actions_.end() ? nullptr : found->second;
}

QToolBar *CMainFrame::ToolBar(Language language) const { return toolBars_[IsEnglish(language) ? 1 : 0]; }

void CMainFrame::SetActionTexts() {
  const CommandDispatcher &commands = app_.Commands();
  const bool englishShown = IsEnglish(app_.CurrentLanguage());
  for (const auto &[id, action] : actions_) {
    const CommandRow &row = *commands.RowOf(id);
    const bool english = row.idFr == row.idEn ? englishShown : id == row.idEn;
    QString text = ToQString(english ? row.textEn : row.textFr);
    if (!boundKeys_.contains(id))
      for (const CommandRow *keyed : commands.RowsOf(row.cmd))
        if (!keyed->keys.empty()) {
          const QList<QKeySequence> keys = QKeySequence::listFromString(ToQString(keyed->keys));
          if (!keys.isEmpty())
            text += QLatin1Char('\t') + keys.first().toString(QKeySequence::NativeText);
          break;
        }
    action->setText(text);
    action->setToolTip(TooltipText(text));
  }
  recentShown_.clear();
  ShowRecentFiles();
}

void CMainFrame::ShowRecentFiles() {
  CQuorbelDoc *document = app_.GetCurrentDocument();
  const std::vector<std::string> paths =
      document ? document->RecentFiles().Paths() : std::vector<std::string>();
  if (!recentShown_.empty() && paths == recentShown_)
    return;
  recentShown_ = paths;
  for (int i = 0; i < kRecentFileCount; ++i) {
    QAction *action = Action(static_cast<CommandId>(kIdFirstRecentFile + i));
    if (i < static_cast<int>(paths.size())) {
      QString path = QString::fromStdString(paths[static_cast<size_t>(i)]);
      action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(path.replace(QLatin1Char('&'), "&&")));
      action->setToolTip(QString::fromStdString(paths[static_cast<size_t>(i)]));
    }
    action->setVisible(i < static_cast<int>(paths.size()) || i == 0);
  }
  if (paths.empty()) {
    const CommandRow &row = *app_.Commands().RowOf(kIdFirstRecentFile);
    Action(kIdFirstRecentFile)
        ->setText(ToQString(IsEnglish(app_.CurrentLanguage()) ? row.textEn : row.textFr));
  }
}

void CMainFrame::BuildMenuBar() {
  auto *bar = new QMenuBar(this);
  std::vector<QMenu *> open;
  int topIndex = -1;
  int skipped = 0; // depth inside an expert menu left out
  for (const MenuEntry &entry : MenuBarTable(app_.CurrentLanguage())) {
    switch (entry.kind) {
    case MenuEntryKind::Popup: {
      if (skipped > 0) {
        ++skipped;
        break;
      }
      if (open.empty() && ++topIndex >= kFirstExpertMenu && !app_.ExpertMode()) {
        skipped = 1;
        break;
      }
      QMenu *menu =
          open.empty() ? bar->addMenu(ToQString(entry.text)) : open.back()->addMenu(ToQString(entry.text));
      connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateActions(menu->actions()); });
      open.push_back(menu);
      break;
    }
    case MenuEntryKind::EndPopup:
      if (skipped > 0)
        --skipped;
      else
        open.pop_back();
      break;
    case MenuEntryKind::Item:
      if (skipped == 0)
        open.back()->addAction(Action(entry.id));
      // The one recent-file entry of the table stands for the whole list.
      if (skipped == 0 && entry.id == kIdFirstRecentFile)
        for (int i = 1; i < kRecentFileCount; ++i)
          open.back()->addAction(Action(static_cast<CommandId>(kIdFirstRecentFile + i)));
      break;
    case MenuEntryKind::Separator:
      if (skipped == 0)
        open.back()->addSeparator();
      break;
    }
  }
  setMenuBar(bar); // the previous bar and its menus go
}

void CMainFrame::BuildToolBars() {
  for (Language language : {Language::French, Language::English}) {
    const bool english = IsEnglish(language);
    auto *bar = new QToolBar(english ? QStringLiteral("Toolbar") : QStringLiteral("Barre d'outils"), this);
    bar->setObjectName(english ? QStringLiteral("ToolBarEnglish") : QStringLiteral("ToolBarFrench"));
    bar->setIconSize(QSize(kToolbarPictureWidth, kToolbarPictureHeight));
    for (const ToolbarEntry &entry : ToolbarTable()) {
      if (entry.IsSeparator())
        bar->addSeparator();
      else
        bar->addAction(Action(english ? entry.idEn : entry.idFr));
    }
    addToolBar(Qt::TopToolBarArea, bar);
    bar->hide();
    toolBars_[english ? 1 : 0] = bar;
  }
}

void CMainFrame::BuildStatusBar() {
  QStatusBar *bar = statusBar();
  for (int i = 0; i < kStatusPaneCount; ++i) {
    const StatusPane &pane = StatusPanes[i];
    auto *label = new QLabel(bar);
    label->setObjectName(QStringLiteral("pane%1").arg(pane.id));
    panes_[static_cast<size_t>(i)] = label;
    if (i == kPaneMessage) {
      label->setText(ToQString(kIdleStatusText));
      // The message pane gives way first: the panes after it keep their width.
      label->setMinimumWidth(0);
      label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
      bar->addWidget(label, 1);
      continue;
    }
    label->setText(ToQString(pane.text));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(label->text()) + kPanePadding);
    // The lock keys' state cannot be read here, so those panes stay greyed.
    label->setEnabled(i > kPaneScroll);
    bar->addPermanentWidget(label);
  }
  // No narrower than the panes side by side, with the status bar's spacing and grip.
  constexpr int kPaneSpacing = 8;
  constexpr int kSizeGrip = 24;
  int width = kSizeGrip;
  for (const QLabel *label : panes_)
    width += label->minimumWidth() + kPaneSpacing;
  setMinimumWidth(width);
}

void CMainFrame::SetPaneText(int index, const QString &text) { Pane(index)->setText(text); }

void CMainFrame::ApplyFrameLanguage() {
  SetActionTexts();
  BuildMenuBar();
  app_.CreateModelessDialogs();

  QToolBar *shown = ToolBar(app_.CurrentLanguage());
  QToolBar *hidden = toolBars_[shown == toolBars_[0] ? 1 : 0];
  hidden->hide();
  addToolBar(Qt::TopToolBarArea, shown); // docks it again if the player floated it away
  shown->show();

  UpdateCommandStates();
  UpdateTitle();
  if (isVisible() && !isActiveWindow())
    activateWindow();
}

void CMainFrame::SetBoardView(std::unique_ptr<QWidget> view) { setCentralWidget(view.release()); }

void CMainFrame::UpdateActions(const QList<QAction *> &actions) {
  ShowRecentFiles();
  for (QAction *action : actions) {
    if (action->isSeparator() || action->menu() || !action->data().isValid())
      continue;
    const CommandState state = app_.Commands().State(static_cast<CommandId>(action->data().toUInt()));
    action->setEnabled(state.enabled);
    if (state.checked) {
      action->setCheckable(true);
      action->setChecked(*state.checked);
    } else if (action->isCheckable()) {
      action->setChecked(false);
      action->setCheckable(false);
    }
  }
}

void CMainFrame::UpdateCommandStates() { UpdateActions(actions()); }

void CMainFrame::UpdateTitle() {
  const CQuorbelDoc *document = app_.GetCurrentDocument();
  setWindowTitle(document ? QString::fromStdString(document->Title()) + QStringLiteral(" - Quorbel")
                          : QStringLiteral("Quorbel"));
}

void CMainFrame::closeEvent(QCloseEvent *event) {
  if (app_.CanCloseFrame())
    event->accept();
  else
    event->ignore();
}

void CMainFrame::changeEvent(QEvent *event) {
  if (event->type() == QEvent::WindowStateChange) {
    // The game clock stands still while the window is minimised.
    app_.State().SetPaused(isMinimized());
    app_.RedrawViewNow();
  }
  QMainWindow::changeEvent(event);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent *event) {
  if (!FirstLocalFile(event->mimeData()).isEmpty())
    event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent *event) {
  const QString path = FirstLocalFile(event->mimeData());
  if (path.isEmpty())
    return;
  event->acceptProposedAction();
  app_.OpenDocumentFile(path.toStdString());
}
