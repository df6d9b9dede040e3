#include "app/value_symbol.h"

namespace quorbel {

namespace {

constexpr int kLetterCount = 26;
constexpr int kFirstMixedLetter = 10; // mixed mode: digits up to 9, then "A" for 10

// The `index`-th character of UTF-8 text (accented letters are one character), or empty.
std::string_view NthCharacter(std::string_view text, int index) {
  size_t start = 0;
  for (int i = 0; start < text.size(); ++i) {
    size_t end = start + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
      ++end;
    if (i == index)
      return text.substr(start, end - start);
    start = end;
  }
  return {};
}

std::string Letter(int index) {
  if (index < 0 || index >= kLetterCount)
    return std::to_string(index + 1);
  return std::string(1, static_cast<char>('A' + index));
}

} // namespace

std::string ValueSymbolText(int value, SymbolMode mode, std::string_view magicLetters) {
  if (value < 1)
    return {};
  switch (mode) {
  case kSymbolDigits:
    return std::to_string(value);
  case kSymbolLetters: {
    const std::string_view magic = NthCharacter(magicLetters, value - 1);
    return magic.empty() ? Letter(value - 1) : std::string(magic);
  }
  case kSymbolMixed:
    return value < kFirstMixedLetter ? std::to_string(value) : Letter(value - kFirstMixedLetter);
  case kSymbolPictures:
    break;
  }
  return {};
}

} // namespace quorbel
