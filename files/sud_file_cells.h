// The two cell layouts of grid files: the cell record of 22 words that every version
// stores a prefix of (3, 6, 18 or 22 words), and the fixed cell image of the undo section
// (688 bytes, 656 in versions 3 and 4). Cell words A to F of the record are not fields of
// our cell records: they travel beside them as CarriedCellWords so a re-save keeps them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/cell_image.h"
#include "files/sud_file_words.h"

namespace quorbel {

struct CellRecord;
struct GridGeometry;

using CarriedCellWords = std::array<int32_t, 6>; // cell words A to F

constexpr int kCellRecordWordsV1 = 3;
constexpr int kCellRecordWordsV2 = 6;
constexpr int kCellRecordWordsV3 = 18;
constexpr int kCellRecordWords = 22;

constexpr size_t kCellImageBytes = 688;
constexpr size_t kCellImageBytesV3 = 656;

void WriteSudCellRecord(ArchiveWriter &out, const CellRecord &cell, const CarriedCellWords &carried);
// Reads the first `words` words of a record into `cell` (a cleared record of the grid) and
// `carried`. Value and status are stored as StoreCellValue stores them, so a placed value
// has its masks; a pencil-mark word read afterwards replaces the marks. A grid after the main
// grids (`sums`) holds the Twins Total sums, up to SumsGridCeiling.
bool ReadSudCellRecord(ArchiveReader &in, int words, const GridGeometry &geo, std::string_view context,
                       CellRecord &cell, CarriedCellWords &carried, bool sums = false);
int SumsGridCeiling(const GridGeometry &geo);

// The plain fields of a cell; its pictures are not part of the image and stay as they were.
void WriteCellImage(ArchiveWriter &out, const CellRecord &cell);
// Reads an image of `bytes` bytes over `cell`. A short (version 3 or 4) image leaves the
// comparison partners at -1 and the surprise at 0.
bool ReadCellImage(ArchiveReader &in, size_t bytes, const GridGeometry &geo, std::string_view context,
                   CellRecord &cell);

std::vector<LayoutField> CellRecordLayout();
std::vector<LayoutField> CellImageLayout();

} // namespace quorbel
