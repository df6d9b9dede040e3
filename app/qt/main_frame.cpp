#include "app/qt/main_frame.h"

CMainFrame::CMainFrame(QWidget *parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Quorbel"));
  resize(1024, 768);
}
