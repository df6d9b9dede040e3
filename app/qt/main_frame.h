// CMainFrame, the program's one main window: the menu bar and the toolbar of the current
// language, the status bar and the board view in the middle. Its items are one QAction per
// command identifier, whose data() holds the identifier; the application's dispatcher runs them
// and says whether each is enabled and ticked.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "app/qt/frame_host.h"
#include "resources/command_table.h"
#include "resources/menu_tables.h"

class QLabel;
class QToolBar;

class CMainFrame final : public QMainWindow {
  Q_OBJECT
public:
  explicit CMainFrame(FrameHost &app);
  ~CMainFrame() override;

  // Installs the menu bar and toolbar of the current language (the expert menus only in expert
  // mode), rebuilds the modeless windows in that language and brings the window forward.
  void ApplyFrameLanguage();

  // The action of a command identifier; none for an identifier outside the command table.
  QAction *Action(quorbel::CommandId id) const;
  QToolBar *ToolBar(quorbel::Language language) const;
  QLabel *Pane(int index) const { return panes_[static_cast<size_t>(index)]; }
  void SetPaneText(int index, const QString &text);

  // The board view becomes the central widget (the frame owns it).
  void SetBoardView(std::unique_ptr<QWidget> view);
  QWidget *BoardView() const { return centralWidget(); }

  // Every item's enabled and checked state from its command's update predicate. Runs before a
  // menu shows, after each command and every second (for the toolbar and the keys).
  void UpdateCommandStates();
  // "<document title> - Quorbel".
  void UpdateTitle();

protected:
  void closeEvent(QCloseEvent *event) override;
  void changeEvent(QEvent *event) override;
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dropEvent(QDropEvent *event) override;

private:
  void CreateActions();
  void BuildMenuBar();
  void BuildToolBars();
  void BuildStatusBar();
  void SetActionTexts();
  void UpdateActions(const QList<QAction *> &actions);
  // The recent-file items show the document's list: "&1 <path>" and so on; with no entry the
  // first one stands alone under its own name.
  void ShowRecentFiles();

  FrameHost &app_;
  std::unordered_map<quorbel::CommandId, QAction *> actions_;
  std::unordered_set<quorbel::CommandId> boundKeys_; // actions that carry their keys
  std::array<QToolBar *, 2> toolBars_{};             // French, English
  std::array<QLabel *, quorbel::kStatusPaneCount> panes_{};
  QTimer idleTimer_;
  std::vector<std::string> recentShown_; // the list the recent-file items show
};
