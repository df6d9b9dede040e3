// The rules that bind a cell to a set of values or tie a free group of cells together: a
// cell's pencil-mark set, seven-segment or domino pattern, or Roman-table entry; Dan (at most so
// many distinct values in its cells); Equality (one value in all of a group's cells); and
// PanDigital (numbers read out of blocks, combined left to right, of which one comparison
// must hold). Checks mark cells; filters return 1 when they narrowed one.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quorbel {

struct EngineContext;
struct GridGeometry;
struct GridRecord;

// The cell's allowed set of its kind (pencil marks, segments, pips, the Roman table), each
// under its rule's bit.
void CheckAllowedSets(const GridGeometry &geo, GridRecord &grid);
int FilterAllowedSets(const GridGeometry &geo, GridRecord &grid);

// Trio: a cell of class k holds a value of class k. The default classes of a width: runs of 2
// values (width 4), 3 (6, 9, 12) or 4 (8, 16), at most four classes.
void DefaultValueClasses(int width, std::array<int8_t, 16> &classes);
// A table of zeros is no table (generation draws classes only for Trio grids, and files may hold
// none): it takes the defaults of the width, so that a grid saved and read back keeps its table.
void SettleValueClasses(int width, std::array<int8_t, 16> &classes);
uint32_t ClassMask(const std::array<int8_t, 16> &classes, int cellClass);
void CheckCellClasses(const EngineContext &ctx, GridRecord &grid);
int FilterCellClasses(const EngineContext &ctx, GridRecord &grid);

// Numeral: a cell's character (`Numeral`, 32..89, -1 none) stands in its value's word.
constexpr int kFirstNumeralChar = 32;
constexpr int kLastNumeralChar = 89;
constexpr bool IsNumeralChar(int c) { return c >= kFirstNumeralChar && c <= kLastNumeralChar; }
void BuildNumeralCharMasks(EngineContext &ctx);
// The English words, which a context plays with until the player picks others.
inline constexpr std::array<std::string_view, 16> kEnglishNumeralWords = {
    "ONE",  "TWO", "THREE",  "FOUR",   "FIVE",     "SIX",      "SEVEN",   "EIGHT",
    "NINE", "TEN", "ELEVEN", "TWELVE", "THIRTEEN", "FOURTEEN", "FIFTEEN", "SIXTEEN"};
// The words of the values 1..16, with their masks rebuilt.
void TakeNumeralWords(EngineContext &ctx, const std::array<std::string_view, 16> &words);
// The values whose word holds the character; none for a character outside the table.
uint32_t NumeralMask(const EngineContext &ctx, int character);
void CheckNumerals(const EngineContext &ctx, GridRecord &grid);
int FilterNumerals(const EngineContext &ctx, GridRecord &grid);

void CheckDan(const GridGeometry &geo, GridRecord &grid);
// Once the zone holds as many values as it may, its open cells keep to those.
int FilterDan(const GridGeometry &geo, GridRecord &grid);
void CheckEquality(const GridGeometry &geo, GridRecord &grid, int i);
int FilterEquality(const GridGeometry &geo, GridRecord &grid, int i);

// 1 when the expression is complete and none of its comparisons holds (its digit cells are
// then marked); 0 when it holds, has an open digit or cannot be read (an absent block).
int CheckPanDigital(const GridGeometry &geo, GridRecord &grid, int i);
// The value of an expression's numbers combined left to right, and whether one of its tests
// holds; exposed for the tests.
bool PanDigitalHolds(const int64_t *numbers, int count, const int16_t *operators);

} // namespace quorbel
