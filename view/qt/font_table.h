// The board's fonts, made once: entry i is bold Arial of pixel height i + 7, with its metrics.
// Every font size of the board is an index into this table, clamped to 0..159, so painting never
// creates a font.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <array>
#include <memory>

namespace quorbel {

inline constexpr int kFontTableSize = 160;
inline constexpr int kFontHeightBase = 7;

class FontTable {
public:
  FontTable();

  const QFont &Font(int index) const { return fonts_[Clamp(index)]; }
  const QFontMetrics &Metrics(int index) const { return *metrics_[Clamp(index)]; }

  static size_t Clamp(int index) {
    return static_cast<size_t>(index < 0 ? 0 : index >= kFontTableSize ? kFontTableSize - 1 : index);
  }

private:
  std::array<QFont, kFontTableSize> fonts_;
  std::array<std::unique_ptr<QFontMetrics>, kFontTableSize> metrics_;
};

} // namespace quorbel
