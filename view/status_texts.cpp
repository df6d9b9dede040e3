#include "view/status_texts.h"

namespace quorbel {

namespace {
constexpr int kDigitsUpTo = 9;
} // namespace

std::string SymbolRangeText(int width, SymbolMode mode) {
  if (width <= 0)
    return {};
  if (mode == kSymbolPictures)
    return "Image";
  std::string text = mode == kSymbolLetters ? "A..." : "1...";
  if (mode == kSymbolLetters)
    text += static_cast<char>('A' + width - 1);
  else if (mode == kSymbolMixed && width > kDigitsUpTo)
    text += static_cast<char>('A' + width - kDigitsUpTo - 1);
  else
    text += static_cast<char>('0' + width);
  return text;
}

} // namespace quorbel
