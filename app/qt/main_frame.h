// The main window of the program: menus, toolbars, status bar and the board.
#pragma once

#include <QMainWindow>

class CMainFrame : public QMainWindow {
  Q_OBJECT
public:
  explicit CMainFrame(QWidget *parent = nullptr);
};
