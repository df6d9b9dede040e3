// The text of the irregular block file "IRGBlk.dat": layouts of W regions of W cells,
// read whole and checked, and written. A layout is a header line "G;W;" followed by W
// row lines "B;" + W region numbers "n;". Lines that do not start with "G" between
// layouts are skipped; the writer ends lines with CR LF, the reader takes LF alone too.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/geometry.h"

namespace quorbel {

constexpr std::string_view kIrregularBlockFile = "IRGBlk.dat";

// The widths a layout may have, in the order definitions are merged.
constexpr std::array<int, 6> kLayoutWidths = {4, 6, 8, 9, 12, 16};

// A layout as the file holds it: the region number of each cell, row by row.
struct RegionLayout {
  int32_t Width = 0;
  std::array<int8_t, kMaxCells> Region{}; // [row * Width + column], 0..Width-1

  int At(int row, int column) const { return Region[row * Width + column]; }
  bool operator==(const RegionLayout &) const = default;
};

enum class BlockFileProblem {
  None,
  CannotOpen,   // the file cannot be read (or written)
  NoLayout,     // no layout of that number (-1: none at all) for the width
  Truncated,    // the file ends inside the layout
  NotARow,      // a line inside the layout does not start with "B"
  FieldCount,   // a row holds more or fewer than W region numbers
  NotANumber,   // a field is not a whole number
  OutOfRange,   // a region number outside 0..W-1
  RegionSize,   // a region without exactly W cells
  NotIrregular, // the grid has no irregular blocks to write
};

struct BlockFileRead {
  BlockFileProblem Problem = BlockFileProblem::None;
  int Line = 0;  // the file line (from 1) the problem was found on, 0 when none
  int Value = 0; // the number at fault: the region number, the field count, the region
  RegionLayout Layout;

  bool Ok() const { return Problem == BlockFileProblem::None; }
};

// Layout headers of `width` in the text (a header whose width cannot be read counts for no width).
int CountLayouts(std::string_view text, int width);

// The layout `index` (from 0) of `width`, whole and checked. On any problem the layout is
// empty: nothing half-read is handed back.
BlockFileRead ReadLayout(std::string_view text, int width, int index);
// Every layout of `width` in one pass, in file order, until the first that is refused (handed
// back with its problem) or until `visit` answers false.
BlockFileRead ReadEveryLayout(std::string_view text, int width,
                              const std::function<bool(const RegionLayout &)> &visit);

// A region layout is usable as blocks: every region number 0..W-1 covers exactly W cells
// (RegionSize names the first that does not). A width no grid has gives NoLayout.
BlockFileProblem CheckRegionSizes(const RegionLayout &layout, int *faultyRegion = nullptr);

// The layout as the writer appends it: an empty line, the header, the rows, an empty line.
std::string FormatLayout(const RegionLayout &layout);

// What went wrong, for the message panel, by interface language (0 French, 1 English).
std::string DescribeBlockFileProblem(const BlockFileRead &read, std::string_view fileName, int width,
                                     int language);

} // namespace quorbel
