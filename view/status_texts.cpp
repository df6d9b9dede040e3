#include "view/status_texts.h"

#include <cstdio>

#include "app/static_texts.h"

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

std::string ScorePaneText(float score, bool doubleTriplePoints) {
  // Formatted by hand in the C locale's manner: the user's locale must not turn "." into ",".
  const double value = score < 0 ? 0.0 : static_cast<double>(score);
  char text[48];
  if (doubleTriplePoints)
    std::snprintf(text, sizeof text, "Score:%05lld", static_cast<long long>(value + 0.5));
  else {
    const long long hundredths = static_cast<long long>(value * 100 + 0.5);
    std::snprintf(text, sizeof text, "Score:%02lld.%02lld", hundredths / 100, hundredths % 100);
  }
  return text;
}

std::string ModePaneText(int gameMode, bool challengeRunning, Language language) {
  constexpr int kChallengeMode = 6;
  std::string text(GameModeName(gameMode, language));
  text += gameMode == kChallengeMode && challengeRunning ? "-Run" : "     ";
  return text;
}

std::string MacroPaneText(bool recording, int macroMode) {
  constexpr int kMacroPlaying = 1;
  constexpr int kBenchRunning = 2;
  if (macroMode == kBenchRunning)
    return "EXPER";
  return recording || macroMode == kMacroPlaying ? "MACRO" : " ";
}

} // namespace quorbel
