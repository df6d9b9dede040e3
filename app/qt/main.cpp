#include <QApplication>

#include "app/qt/main_frame.h"

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  CMainFrame frame;
  frame.show();
  return app.exec();
}
