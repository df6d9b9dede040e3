// A level meter of the music bar: 7 x 24 pixels of LEDs, lit up to the value, with its peak.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "app/level_meter.h"

class LevelMeterWidget final : public QWidget {
  Q_OBJECT
public:
  static constexpr int kWidth = 7;
  static constexpr int kHeight = 24;

  LevelMeterWidget(int x, QWidget *parent);
  // Takes a value at time `nowMs` and repaints only when what is drawn changes.
  void SetLevelMeterValue(int value, uint32_t nowMs);
  void ResetMeter();
  const quorbel::LevelMeter &Meter() const { return meter_; }

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  quorbel::LevelMeter meter_;
  QPixmap lit_;
  QPixmap unlit_;
};
