// The variant block of a grid file: a fixed image of 107,868 bytes (26,967 int32 words) of a
// grid's variant lists, the state its rules derive from them and the words the engine's
// records do not hold. docs/VARIANT_BLOCK.md gives the layout word by word; one walk over
// it serves the writer, the reader and the layout listing, so the three cannot drift.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/variant_lists.h"
#include "files/sud_file_words.h"

namespace quorbel {

struct GridGeometry;

constexpr size_t kVariantBlockBytes = 107868;
// The shorter blocks of older files, taken as the first bytes of the same layout.
constexpr size_t kVariantBlockBytesV2 = 50596;
constexpr size_t kVariantBlockBytesV3 = 102716;

constexpr int kLinkTableWords = 80;
constexpr int kBlockTableWords = 64;
constexpr int kBlockTailWords = 610;

// Words of the block that no rule of ours reads. A file carries them; we keep them so that
// saving again loses nothing. Their defaults are what a grid reset leaves in them.
struct VariantBlockReserved {
  std::array<int32_t, 2> RegionFlagSpare{}; // the last two of the six region flag words
  std::array<std::array<int32_t, kLinkTableWords>, 3> LinkTables = FilledLinkTables();
  std::array<std::array<int32_t, kBlockTableWords>, 3> BlockTables{};
  std::array<int32_t, kBlockTailWords> Tail{};

  bool operator==(const VariantBlockReserved &) const = default;

  static constexpr std::array<std::array<int32_t, kLinkTableWords>, 3> FilledLinkTables() {
    std::array<std::array<int32_t, kLinkTableWords>, 3> tables{};
    for (auto &table : tables)
      table.fill(-1);
    return tables;
  }
};

// What one grid's block holds in memory.
struct VariantBlockContent {
  VariantLists Lists;
  VariantWork Work;
  VariantBlockReserved Reserved;
  bool operator==(const VariantBlockContent &) const = default;
};

// The ranges that indexes read from a block are checked against.
struct VariantBlockLimits {
  int32_t NCells = 0;    // playing cells
  int32_t Records = 0;   // cell records a grid holds, puzzle-piece records included
  int32_t GridWidth = 0; // values, and blocks
};
VariantBlockLimits VariantBlockLimitsOf(const GridGeometry &geo);

void WriteVariantBlock(ArchiveWriter &out, const VariantBlockContent &block);

// Reads `byteCount` bytes (a whole block, or the shorter prefix an older version stored:
// the fields past it keep their defaults) into `block`, which should start as defaults.
// Every count is checked against its capacity and every index used by a counted item
// against the limits; a failure is left in `in` naming `gridName`, the field and the item.
bool ReadVariantBlock(ArchiveReader &in, size_t byteCount, const VariantBlockLimits &limits,
                      std::string_view gridName, VariantBlockContent &block);

// The named runs of words of the layout, for the documentation and its test.
std::vector<LayoutField> VariantBlockLayout();

} // namespace quorbel
