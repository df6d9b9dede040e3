#include "view/qt/font_table.h"

namespace quorbel {

namespace {

// "Arial" resolves to a face of the same metrics (Liberation Sans) where Arial itself is absent.
const QString kBoardFamily = QStringLiteral("Arial");
constexpr int kLabelFontHeight = 16;
constexpr int kLabelFontWeight = 600;

QFont MakeFont(int pixelHeight, int weight) {
  QFont font(kBoardFamily);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelHeight);
  font.setWeight(static_cast<QFont::Weight>(weight));
  return font;
}

} // namespace

FontTable::FontTable() : labelFont_(MakeFont(kLabelFontHeight, kLabelFontWeight)) {
  for (int i = 0; i < kFontTableSize; ++i) {
    fonts_[static_cast<size_t>(i)] = MakeFont(i + kFontHeightBase, QFont::Bold);
    metrics_[static_cast<size_t>(i)] = std::make_unique<QFontMetrics>(fonts_[static_cast<size_t>(i)]);
  }
}

} // namespace quorbel
