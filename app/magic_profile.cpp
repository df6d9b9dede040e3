#include "app/magic_profile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <optional>
#include <variant>
#include <vector>

#include "app/settings_schema.h"
#include "app/text_lines.h"
#include "platform/paths.h"

namespace quorbel {

namespace {

using IntField = int32_t GeneralSettings::*;

// Lines 1 to 45, then 48, as the format has them.
struct IntLine {
  IntField Field;
  std::string_view Name;
};

constexpr auto kFirstLines = std::to_array<IntLine>({
    {&GeneralSettings::longCase, "PrefLongCase"},
    {&GeneralSettings::hautCase, "PrefHautCase"},
    {&GeneralSettings::interCaseX, "PrefInterCaseX"},
    {&GeneralSettings::interCaseY, "PrefInterCaseY"},
    {&GeneralSettings::interBlockX, "PrefInterBlockX"},
    {&GeneralSettings::interBlockY, "PrefInterBlockY"},
    {&GeneralSettings::haut19, "PrefHautPoss"},
    {&GeneralSettings::borderCell, "PrefBordCell"},
    {&GeneralSettings::borderBlock, "PrefBordBlk"},
    {&GeneralSettings::absolute, "PrefAbsolute"},
    {&GeneralSettings::autoSize, "PrefIsAuto"},
    {&GeneralSettings::displayLines, "PrefIsDisplayPossLine"},
    {&GeneralSettings::displayComment, "PrefComment"},
    {&GeneralSettings::displayBarArea, "PrefBarArea"},
    {&GeneralSettings::displayBarAreaIdem, "PrefBarAreaIdem"},
    {&GeneralSettings::displayMatAll, "PrefMatAll"},
    {&GeneralSettings::displayMatFond, "PrefMatFond"},
    {&GeneralSettings::displayMatAuto, "PrefMatAuto"},
    {&GeneralSettings::displayComDy, "PrefCommentdY"},
});
// Line 20 is the bar width; lines 21 to 36 follow.
constexpr auto kMiddleLines = std::to_array<IntLine>({
    {&GeneralSettings::deltaFontCom, "PrefDeltaFontComment"},
    {&GeneralSettings::deltaFontCell, "PrefDeltaFontCell"},
    {&GeneralSettings::deltaFontLc, "PrefDeltaFontLineCol"},
    {&GeneralSettings::deltaFontProb, "PrefDeltaFontProb"},
    {&GeneralSettings::deltaFontMatrix, "PrefDeltaFontMat"},
    {&GeneralSettings::blockLimit, "PrefBlockLimit"},
    {&GeneralSettings::blockColors, "PrefBlockColors"},
    {&GeneralSettings::blockBars, "PrefBlockBars"},
    {&GeneralSettings::cellSquare, "PrefCellSquare"},
    {&GeneralSettings::probType, "PrefProbType"},
    {&GeneralSettings::transparency, "Pref3Transparency"},
    {&GeneralSettings::delayBgImage, "Pref3DelayImage"},
    {&GeneralSettings::bgRandom, "PrefBgImRand"},
    {&GeneralSettings::gridCurrSize, "PrefGridSize"},
    {&GeneralSettings::gridCurrDisp, "PrefGridDisp"},
    {&GeneralSettings::gridCurrDifficulty, "PrefGridDiff"},
});
// Line 37 is the variant selection's low word; lines 38 to 45 follow.
constexpr auto kLateLines = std::to_array<IntLine>({
    {&GeneralSettings::animGif, "PrefAnimGif"},
    {&GeneralSettings::resetIfFalse, "PrefResetIfFalse"},
    {&GeneralSettings::animAction, "PrefAnimAction"},
    {&GeneralSettings::drag, "PrefDrag"},
    {&GeneralSettings::parasit, "PrefAnimParasit"},
    {&GeneralSettings::puzzleRotation, "PrefPuzzleRotation"},
    {&GeneralSettings::puzzlePieceUniq, "PrefPieceUniq"},
    {&GeneralSettings::autoNoBoat, "PrefAutoNoBoat"},
});
constexpr std::array<std::string_view, kBoardColourCount> kColourNames = {
    "ColorInit-0BGR",        "ColorInput-0BGR",     "ColorPoss-0BGR",    "ColorFind-0BGR",
    "ColorSearch-0BGR",      "ColorBad-0BGR",       "ColorCaseBG-0BGR",  "ColorSingleBG-0BGR",
    "ColorBadBG-0BGR",       "ColorCommentBG-0BGR", "ColorEcranBG-0BGR", "ColorSeparationBG-0BGR",
    "ColorHighlightBG-0BGR", "ColorBorder-0BGR"};

void Line(std::string &out, std::string_view value, std::string_view name) {
  out += value;
  out += " ;";
  out += name;
  out += "\r\n";
}

std::string Decimal(int64_t value) { return std::to_string(value); }

std::string Hex8(uint32_t value) {
  std::array<char, 9> digits{};
  const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value, 16);
  const std::string text(digits.data(), end);
  return std::string(8 - std::min<size_t>(8, text.size()), '0') + text;
}

std::string Real(double value) {
  std::array<char, 64> digits{};
  const auto [end, error] =
      std::to_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed, 6);
  return error == std::errc{} ? std::string(digits.data(), end) : std::string("0.000000");
}

std::string_view SkipBlanks(std::string_view line) {
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
    line.remove_prefix(1);
  return line;
}

std::optional<int64_t> LeadingInt(std::string_view line) {
  line = SkipBlanks(line);
  if (!line.empty() && line.front() == '+')
    line.remove_prefix(1);
  int64_t value = 0;
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
  if (error != std::errc{})
    return std::nullopt;
  return value;
}

std::optional<uint32_t> LeadingHex(std::string_view line) {
  line = SkipBlanks(line);
  if (line.size() >= 2 && line[0] == '0' && (line[1] == 'x' || line[1] == 'X'))
    line.remove_prefix(2);
  uint32_t value = 0;
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value, 16);
  if (error != std::errc{})
    return std::nullopt;
  return value;
}

std::optional<double> LeadingReal(std::string_view line) {
  line = SkipBlanks(line);
  double value = 0;
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
  if (error != std::errc{} || !std::isfinite(value)) // "nan" and "inf" read as numbers
    return std::nullopt;
  return value;
}

} // namespace

std::string WriteMagicProfile(const AppSettings &settings, const BoardColours &colours,
                              const PictureOrder &order) {
  const GeneralSettings &g = settings.general;
  std::string out;
  for (const IntLine &line : kFirstLines)
    Line(out, Decimal(g.*line.Field), line.Name);
  Line(out, Real(g.displayBarDx), "PrefBardX");
  for (const IntLine &line : kMiddleLines)
    Line(out, Decimal(g.*line.Field), line.Name);
  Line(out, Decimal(static_cast<int32_t>(static_cast<uint32_t>(g.gridCurrVariant))), "PrefGridVar-Part1");
  for (const IntLine &line : kLateLines)
    Line(out, Decimal(g.*line.Field), line.Name);
  out += MakeRelativePath(g.imageName) + "\r\n";
  out += MakeRelativePath(g.backgroundImage) + "\r\n";
  Line(out, Decimal(g.keepRatio), "PrefKeepRatio");
  for (const int32_t entry : order)
    Line(out, Decimal(entry), "");
  for (size_t slot = 0; slot < kBoardColourCount; ++slot)
    Line(out, Hex8(colours.*BoardColourKeys[slot].field), kColourNames[slot]);
  Line(out, Decimal(static_cast<int32_t>(static_cast<uint32_t>(g.gridCurrVariant >> 32))),
       "PrefGridVar-Part2");
  return out;
}

void ReadMagicProfile(std::string_view text, AppSettings &settings, BoardColours &colours,
                      PictureOrder &order, bool panelMuted) {
  GeneralSettings &g = settings.general;
  const std::vector<std::string_view> lines = SplitTextLines(text);
  size_t next = 0;
  auto take = [&]() -> std::optional<std::string_view> {
    if (next >= lines.size())
      return std::nullopt;
    return lines[next++];
  };
  auto takeInt = [&](int32_t &field, bool apply = true) {
    if (const auto line = take())
      if (const auto value = LeadingInt(*line); value && apply)
        field = static_cast<int32_t>(*value);
  };
  for (const IntLine &line : kFirstLines) {
    const bool muted = panelMuted && line.Field == &GeneralSettings::displayComment;
    takeInt(g.*line.Field, !muted);
  }
  if (const auto line = take())
    if (const auto value = LeadingReal(*line))
      g.displayBarDx = *value;
  for (const IntLine &line : kMiddleLines) {
    const bool muted = panelMuted && line.Field == &GeneralSettings::deltaFontCom;
    takeInt(g.*line.Field, !muted);
  }
  std::optional<uint32_t> low;
  if (const auto line = take())
    if (const auto value = LeadingInt(*line))
      low = static_cast<uint32_t>(static_cast<int32_t>(*value));
  for (const IntLine &line : kLateLines)
    takeInt(g.*line.Field);
  if (const auto line = take())
    g.imageName = MakeAbsolutePath(*line);
  if (const auto line = take())
    g.backgroundImage = MakeAbsolutePath(*line);
  takeInt(g.keepRatio);
  for (int32_t &entry : order)
    takeInt(entry);
  for (size_t slot = 0; slot < kBoardColourCount; ++slot)
    if (const auto line = take())
      if (const auto value = LeadingHex(*line))
        colours.*BoardColourKeys[slot].field = *value;
  std::optional<uint32_t> high;
  if (const auto line = take())
    if (const auto value = LeadingInt(*line))
      high = static_cast<uint32_t>(static_cast<int32_t>(*value));
  // A profile written without its last line had one variant word.
  if (low)
    g.gridCurrVariant = (static_cast<uint64_t>(high.value_or(0)) << 32) | *low;
  g.prefLoad = 1;
  RepairSettings(settings); // a profile is a file like any other: a cell of size -3 goes no further
}

std::vector<std::string> MagicProfileTitles(const std::string &folder) {
  std::vector<std::string> titles;
  std::error_code error;
  for (const auto &entry : std::filesystem::directory_iterator(NormalisePath(folder), error))
    if (entry.is_regular_file(error) && entry.path().extension() == ".magic")
      titles.push_back(entry.path().stem().string());
  std::sort(titles.begin(), titles.end());
  return titles;
}

int StepProfileIndex(int current, int count, bool next) {
  if (count <= 0)
    return -1;
  if (next)
    return current < 0 || current + 1 >= count ? 0 : current + 1;
  return current - 1 < 0 ? count - 1 : current - 1;
}

} // namespace quorbel
