// A picture of a printed grid turned into the values of its cells: two brightness profiles,
// the grid lines found in them, the cells cut, the kind of grid (normal, cages, irregular
// regions) told, and every cell read by the glyph reader.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "media/glyph_dictionary.h"
#include "media/glyph_reader.h"
#include "media/grey_image.h"

namespace quorbel {

class CPicture;

inline constexpr int kMostScanCells = 16;
inline constexpr int kMostScanLines = 50;
inline constexpr int kMostCages = 200;
inline constexpr int kMostCageCells = 10;

struct ScanCage {
  int32_t Sum = 0;
  std::vector<int32_t> Cells; // cell numbers, row by row
};

// The working state of one scan command; it is large, so it lives on the heap.
struct ScanState {
  GreyImage Image;
  int32_t Darkest = 255;
  int32_t Brightest = 0;
  std::array<int32_t, kMostScanSide + 1> ColumnProfile{};
  std::array<int32_t, kMostScanSide + 1> RowProfile{};
  int32_t ColumnMin = 0, ColumnMax = 0, RowMin = 0, RowMax = 0;
  int32_t ColumnThreshold = 0, RowThreshold = 0;
  std::vector<int32_t> VerticalLines;
  std::vector<int32_t> HorizontalLines;
  int32_t Across = 0; // cells across and down once detected
  int32_t Down = 0;
  std::array<std::array<CellBox, kMostScanCells>, kMostScanCells> Cells{}; // [column][row]
  bool Normal = true;
  bool Cage = false;
  bool Irregular = false;
  std::array<std::array<int32_t, kMostScanCells>, kMostScanCells> Values{}; // [column][row], 0 empty
  std::vector<ScanCage> Cages;
  std::vector<int32_t> Regions; // an irregular grid's region of each cell, row by row
  Dico Dictionary;
  int32_t Scanned = 0; // pictures of a directory scan
};

struct ScanOptions {
  int32_t AutoScan = 0; // SCAN/AUTOSCAN: 0 decided from the picture, 1 normal, 2 irregular, 3 cages
  int32_t GridLevel = kDefaultGridLevel; // SCAN/GRIDLEVEL; the value dialog may change it
};

// Grey levels, the two profiles, the darkest and brightest levels.
void ComputeProfiles(ScanState &state, const CPicture &picture);
// The grid lines and cell rectangles: true when a grid of 4, 6, 8, 9, 12 or 16 cells a side,
// evenly spaced, was found.
bool DetectGrid(ScanState &state);
// For strips: the bright cell interiors as cells, up to 16 each way; true when evenly spaced.
bool DetectStrips(ScanState &state);
// Normal, cage or irregular-region grid, from the picture, then SCAN/AUTOSCAN.
void ClassifyGrid(ScanState &state, int autoScan);

enum class ScanResult { Read, NotAGrid, Cancelled };

// A whole grid: profiles, detection, kind and cells (and cages or regions). NotAGrid leaves
// the values empty; Cancelled keeps what was read.
ScanResult ScanWholeGrid(ScanState &state, const CPicture &picture, ScanOptions &options, ValueAsker &asker);
enum class StripMode { Line = 0, Column = 1, Area = 2 };
// A strip from the clipboard: detection with the strips' fallback, then the normal reading of
// the cells the mode takes (the first row, the first column, or all).
ScanResult ScanStrip(ScanState &state, const CPicture &picture, StripMode mode, ScanOptions &options,
                     ValueAsker &asker);

// The text grid of the scan: CR LF lines, "K" cage lines and "B" region lines.
std::string ScanTextGrid(const ScanState &state);

struct StripPlacement {
  int32_t Row = 0;
  int32_t Column = 0;
  int32_t Value = 0;
};
// Where each value read of the strip goes in a grid `width` wide, from the selected cell at
// (row, column): values 1..width only, wrapping at the grid's sides.
std::vector<StripPlacement> PlaceStrip(const ScanState &state, StripMode mode, int row, int column,
                                       int width);

} // namespace quorbel
