#include "app/qt/level_meter_widget.h"

#include <QPainter>

namespace {

// LEDs one pixel high with a pixel between them, green at the foot, yellow, then red at the top.
QPixmap LedColumn(bool lit) {
  QPixmap picture(LevelMeterWidget::kWidth, LevelMeterWidget::kHeight);
  picture.fill(Qt::black);
  QPainter painter(&picture);
  for (int row = 0; row < LevelMeterWidget::kHeight; row += 2) {
    const int fromTop = row * 100 / LevelMeterWidget::kHeight;
    QColor colour = fromTop < 20   ? QColor(230, 40, 30)
                    : fromTop < 45 ? QColor(240, 210, 40)
                                   : QColor(40, 210, 60);
    if (!lit)
      colour = colour.darker(400);
    painter.fillRect(1, row, LevelMeterWidget::kWidth - 2, 1, colour);
  }
  return picture;
}

} // namespace

LevelMeterWidget::LevelMeterWidget(int x, QWidget *parent)
    : QWidget(parent), lit_(LedColumn(true)), unlit_(LedColumn(false)) {
  setGeometry(x, 10, kWidth, kHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void LevelMeterWidget::SetLevelMeterValue(int value, uint32_t nowMs) {
  if (meter_.SetValue(value, nowMs))
    update();
}

void LevelMeterWidget::ResetMeter() {
  meter_.Reset();
  update();
}

void LevelMeterWidget::paintEvent(QPaintEvent *) {
  QPixmap picture = lit_;
  {
    QPainter painter(&picture);
    const int band = meter_.UnlitBand(kHeight);
    if (band > 0)
      painter.drawPixmap(0, 0, unlit_, 0, 0, kWidth, band);
    const int row = meter_.PeakRow(kHeight);
    painter.drawPixmap(0, row, lit_, 0, row, kWidth, quorbel::LevelMeter::kLedHeight);
  }
  QPainter(this).drawPixmap(0, 0, picture);
}
