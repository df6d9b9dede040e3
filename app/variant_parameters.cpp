#include "app/variant_parameters.h"

#include <algorithm>

namespace quorbel {

namespace {

constexpr int kFirstChar = 32;
constexpr int kLastChar = 89;
constexpr int kTableLetters = 26;
constexpr int kPositions = 16;
constexpr int kFirstComparison = 6;

} // namespace

std::string CharProbabilityText(const std::array<std::string, 16> &words, int width,
                                NumeralCharCounts &counts) {
  counts.fill(0);
  for (int v = 1; v <= std::min(width, 16); ++v)
    for (const char c : words[static_cast<size_t>(v - 1)]) {
      const int code = static_cast<unsigned char>(c);
      if (code >= kFirstChar && code <= kLastChar)
        ++counts[static_cast<size_t>(code - kFirstChar)];
    }
  std::string text = "Char: Prob\n";
  for (int i = 0; i < static_cast<int>(counts.size()); ++i)
    if (counts[static_cast<size_t>(i)] != 0)
      text += std::string(1, static_cast<char>(kFirstChar + i)) + "   :  " +
              std::to_string(counts[static_cast<size_t>(i)]) + "\n";
  return text;
}

MagicTablePlaces IdentityMagicTable(int width) {
  MagicTablePlaces places;
  for (int p = 0; p < std::clamp(width, 0, kPositions); ++p)
    places.Letters[static_cast<size_t>(p)] = p + 1;
  return places;
}

MagicTablePlaces LoadMagicTable(const std::array<int32_t, 26> &table) {
  MagicTablePlaces places;
  for (int letter = 1; letter <= kTableLetters; ++letter)
    if (const int position = table[static_cast<size_t>(letter - 1)]; position >= 1 && position <= kPositions)
      places.Letters[static_cast<size_t>(position - 1)] = letter;
  return places;
}

std::array<int32_t, 26> StoreMagicTable(const MagicTablePlaces &places) {
  std::array<int32_t, 26> table{};
  for (int p = 0; p < kPositions; ++p)
    if (const int letter = places.Letters[static_cast<size_t>(p)]; letter >= 1 && letter <= kTableLetters)
      table[static_cast<size_t>(letter - 1)] = p + 1;
  return table;
}

void PlaceMagicLetter(MagicTablePlaces &places, int letter, int width) {
  if (letter < 1 || letter > kTableLetters || width < 1)
    return;
  for (int &placed : places.Letters)
    if (placed == letter)
      placed = 0;
  const int current = std::clamp(places.Current, 0, std::min(width, kPositions) - 1);
  places.Letters[static_cast<size_t>(current)] = letter;
  places.Current = (current + 1) % std::min(width, kPositions);
}

std::string MagicTableLabel(const MagicTablePlaces &places, int position) {
  const int letter = places.Letters[static_cast<size_t>(std::clamp(position, 0, kPositions - 1))];
  std::string label(1, static_cast<char>('A' + position));
  label += '\n';
  label += letter >= 1 && letter <= kTableLetters ? static_cast<char>('A' + letter - 1) : '-';
  label += '\n';
  label += position == places.Current ? "\xC2\xB0" : " "; // the degree sign marks the current one
  return label;
}

std::array<int, 3> PanOperators(int blocks, const std::array<int, 3> &choices) {
  switch (blocks) {
  case 2:
    return {choices[0] + kFirstComparison, 0, 0};
  case 3:
    return {choices[0] + 1, choices[1] + kFirstComparison, 0};
  default:
    return {choices[0] + 1, choices[1] + 1, choices[2] + kFirstComparison};
  }
}

} // namespace quorbel
