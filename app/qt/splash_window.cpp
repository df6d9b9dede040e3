#include "app/qt/splash_window.h"

#include <QLinearGradient>
#include <QPainter>

namespace {
constexpr int kSplashWidth = 420;
constexpr int kSplashHeight = 200;
} // namespace

CSplashWindow::CSplashWindow(quorbel::Language language)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), language_(language) {
  setObjectName(QStringLiteral("CSplashWindow"));
  setFixedSize(kSplashWidth, kSplashHeight);
}

void CSplashWindow::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  QLinearGradient ground(0, 0, 0, height());
  ground.setColorAt(0, QColor(40, 70, 140));
  ground.setColorAt(1, QColor(10, 20, 60));
  painter.fillRect(rect(), ground);
  painter.setPen(Qt::white);
  QFont font(QStringLiteral("Arial"));
  font.setBold(true);
  font.setPixelSize(48);
  painter.setFont(font);
  painter.drawText(QRect(0, 20, width(), 80), Qt::AlignCenter, QStringLiteral("Quorbel"));
  font.setPixelSize(16);
  font.setBold(false);
  painter.setFont(font);
  painter.drawText(QRect(0, 100, width(), 30), Qt::AlignCenter, QStringLiteral("Sudoku - version 5.0"));
  painter.drawText(QRect(0, 140, width(), 30), Qt::AlignCenter,
                   quorbel::IsEnglish(language_) ? QStringLiteral("Loading...")
                                                 : QStringLiteral("Chargement en cours..."));
}
