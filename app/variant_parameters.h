// What the variant-parameter dialogs compute apart from their windows: the letter statistics of
// the number words, the Magic Sentence letter table, and the relations a PanDigital expression
// takes from its dialog's choices.
#pragma once

#include <array>
#include <string>

namespace quorbel {

// Characters 32..89 (entry c - 32): how often each stands in the words of values 1..width, and
// the text "Char: Prob\n" then "%c   :  %d\n" per character that does.
using NumeralCharCounts = std::array<int, 58>;
std::string CharProbabilityText(const std::array<std::string, 16> &words, int width,
                                NumeralCharCounts &counts);

// The letter (1..26, 0 none) placed at each position 1..16 of the Magic Sentence table.
struct MagicTablePlaces {
  std::array<int, 16> Letters{};
  int Current = 0; // the position the next letter goes to, 0-based
};
// The identity for positions 1..width (letter k at position k), nothing beyond.
MagicTablePlaces IdentityMagicTable(int width);
// The grid's 26 words (per letter, its position 1..16) as places; positions outside 1..16 are
// ignored.
MagicTablePlaces LoadMagicTable(const std::array<int32_t, 26> &table);
std::array<int32_t, 26> StoreMagicTable(const MagicTablePlaces &places);
// Places a letter (1..26) at the current position, takes it from any other, and moves right.
void PlaceMagicLetter(MagicTablePlaces &places, int letter, int width);
// The label of a position: its letter, the letter placed there or "-", and the current mark.
std::string MagicTableLabel(const MagicTablePlaces &places, int position);

// The operators of an expression on `blocks` blocks (2..4) from the three radio choices (0-based):
// two blocks compare; three combine then compare; four combine twice then compare. Operator codes:
// 1..5 + - * / %, 6..9 = != > <.
std::array<int, 3> PanOperators(int blocks, const std::array<int, 3> &choices);

} // namespace quorbel
