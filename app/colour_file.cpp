#include "app/colour_file.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <optional>
#include <vector>

#include "app/text_lines.h"

namespace quorbel {

namespace {

constexpr std::string_view kHeader = "// Sudoku Color is standard 0xBBGGRR";
constexpr std::array<std::string_view, kBoardColourCount> kSlotNames = {
    "ColorInit",    "ColorInput",        "ColorPoss",        "ColorFind",  "ColorSearch",
    "ColorBad",     "ColorCaseBG",       "ColorSingleBG",    "ColorBadBG", "ColorCommentBG",
    "ColorEcranBG", "ColorSeparationBG", "ColorHighlightBG", "ColorBorder"};
constexpr size_t kLongestLine = 249;

std::optional<ColorRef> HexColour(std::string_view line) {
  line = line.substr(0, kLongestLine);
  if (line.size() < 3 || line[0] != '0' || (line[1] != 'x' && line[1] != 'X'))
    return std::nullopt;
  ColorRef value = 0;
  const auto [end, error] = std::from_chars(line.data() + 2, line.data() + line.size(), value, 16);
  if (error != std::errc{} || end == line.data() + 2)
    return std::nullopt;
  return value;
}

} // namespace

std::string WriteColourFile(const BoardColours &colours) {
  std::string text(kHeader);
  text += "\r\n";
  for (size_t slot = 0; slot < kBoardColourCount; ++slot) {
    std::array<char, 16> hex{};
    std::snprintf(hex.data(), hex.size(), "0x%08x", colours.*BoardColourKeys[slot].field);
    text += hex.data();
    text += " //";
    text += kSlotNames[slot];
    text += "\r\n";
  }
  return text;
}

void ReadColourFile(std::string_view text, BoardColours &colours) {
  const std::vector<std::string_view> lines = SplitTextLines(text);
  for (size_t slot = 0; slot < kBoardColourCount; ++slot) {
    ColorRef &colour = colours.*BoardColourKeys[slot].field;
    const size_t at = slot + 1; // after the comment, whatever it says
    if (const std::optional<ColorRef> read = at < lines.size() ? HexColour(lines[at]) : std::nullopt)
      colour = *read;
    else if (slot > 0)
      colour = colours.*BoardColourKeys[slot - 1].field;
  }
}

} // namespace quorbel
