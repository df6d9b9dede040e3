#include "view/qt/font_table.h"

namespace quorbel {

namespace {

// "Arial" resolves to a face of the same metrics (Liberation Sans) where Arial itself is absent.
const QString kBoardFamily = QStringLiteral("Arial");

QFont MakeFont(int pixelHeight) {
  QFont font(kBoardFamily);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelHeight);
  font.setBold(true);
  return font;
}

} // namespace

FontTable::FontTable() {
  for (int i = 0; i < kFontTableSize; ++i) {
    fonts_[static_cast<size_t>(i)] = MakeFont(i + kFontHeightBase);
    metrics_[static_cast<size_t>(i)] = std::make_unique<QFontMetrics>(fonts_[static_cast<size_t>(i)]);
  }
}

} // namespace quorbel
