// The text grid's body parser: every line kind read into a stage of grids beside the grid
// set, each number checked against the geometry, so that nothing is applied until the whole
// text was read. Shared by opening a text grid and importing one.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cell_record.h"
#include "engine/variant_bits.h"
#include "engine/variant_lists.h"
#include "files/text_grid_format.h"

namespace quorbel {

struct GridGeometry;

// What a text gives one playing cell beside its value.
struct StagedCell {
  int32_t Value = 0;    // the grid's value as a fixed cell, 0 none
  int32_t RefValue = 0; // the reference grid's value, 0 none
  int32_t RefStatus = kStatusEmpty;
  int16_t Class = 0;
  int16_t Numeral = -1;
  int32_t AllowedType = kAllowedTypeNone;
  int32_t AllowedIndex = 0;
  int32_t SurpriseKind = 0;
  int32_t SurpriseAmount = 0;
  int32_t SurpriseWord = 0;
  bool CrossedOut = false;
};

struct StagedTextGrid {
  bool Linked = false; // a further grid ("@") rather than a main grid
  std::vector<StagedCell> Cells;
  int CellLines = 0;
  VariantWords Var;
  std::unique_ptr<VariantLists> Lists = std::make_unique<VariantLists>();
  std::array<int8_t, 16> SubstitutionMap = VariantWork::Filled<16>(-1);
  bool RegionLines = false;
  bool RegionCount = false;
};

struct TextGridStage {
  std::vector<StagedTextGrid> Grids;
  TextGridInfo Info;
  bool SpareWord = false;
  std::vector<std::string> Warnings;
};

// Lines split at LF, a CR before it dropped.
std::vector<std::string> SplitTextLines(std::string_view text);
// A field without the blanks and tabs around it.
std::string_view TrimTextField(std::string_view text);
// A whole (trimmed) field as a 32-bit number.
std::optional<int32_t> ParseTextInt(std::string_view text);

// Reads lines[firstLine..] as grid bodies for grid slots from firstSlot on. Returns what is
// wrong ("line N: ..."), empty when the whole text was read.
std::string ParseTextGrid(const std::vector<std::string> &lines, size_t firstLine, const GridGeometry &geo,
                          int firstSlot, TextGridStage &stage);

} // namespace quorbel
