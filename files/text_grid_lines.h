// The text grid's line kinds as one table, a row per kind in the order a grid body writes
// them: the first characters its lines begin with, the rules it is written for, and how its
// fields are written and read. The writer walks the rows in order; the reader finds a line's
// row by its first character, so a kind cannot be known to one side and not the other.
#pragma once

#include <array>
#include <span>
#include <string>

#include "engine/variant_bits.h"
#include "files/text_grid_line_io.h"

namespace quorbel {

struct StagedTextGrid;

// Where a kind's lines stand: in every grid body, or once after the grids.
enum class TextLinePlace : uint8_t { Grid, Set };

struct TextLineKind;
using TextLineWrite = void (*)(const TextLineKind &, TextLineWriter &, const TextLineSource &);
// `kind` is the line's first character, a lower-case ASCII letter made upper case.
using TextLineRead = void (*)(const TextLineKind &, TextLineReader &, char kind, const std::string &line);

struct TextLineKind {
  std::array<char, 8> Letters; // the first characters of its lines (Latin-1), as read; unused ones 0
  VariantWords Rules;          // written when the grid (the set, for set lines) holds one; none: always
  TextLinePlace Place;
  TextLineWrite Write; // null for a kind that only comes from elsewhere
  TextLineRead Read;

  char Letter() const { return Letters[0]; }
};

std::span<const TextLineKind> TextLineKinds();

// The rules a hidden-variant grid may hide whose lines hold more than the rule's bit: a grid
// that hides one writes them still, and reading them leaves the rule hidden.
constexpr VariantWords kHiddenRulesWithLines = kVarDiagonal;

// The row whose lines begin with `kind` (upper case), null when no row reads it.
const TextLineKind *FindTextLineKind(char kind);

// The totals of a grid's cages and Little Killer clues that its lines left to its solution.
void FillUnsetTotals(StagedTextGrid &grid);

// The first characters of the lines of every row written for a rule among `rules`: a
// catalogue row's bit gives the letters a grid of that rule carries in its text.
std::string TextLineLetters(VariantWords rules);

} // namespace quorbel
