// Reads the text grid format (Latin-1, CR LF or LF line ends): opening a text grid as the
// whole grid set, or importing its grids as further grids of the current set. The text is
// parsed and checked whole first; a refusal names the line and leaves every grid as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "files/file_failure.h"
#include "files/text_grid_format.h"

namespace quorbel {

struct EngineContext;

// Far beyond twelve 16 x 16 grids with every clue; a larger text is refused unread.
constexpr size_t kMaxTextGridFileBytes = size_t{16} << 20;
// A text grid read for one grid of its own (a catalogue's grid, or one added to the set): a 16 x 16
// grid with every clue line is well under a megabyte.
constexpr uint64_t kMaxOneGridTextBytes = uint64_t{4} << 20;

struct TextGridResult {
  bool Ok = false;
  FileFailure Failure = FileFailure::None;
  std::string Message;               // what is wrong and on which line, when not Ok
  std::vector<std::string> Warnings; // lines left out of a text that still loaded
  int FirstGrid = 0;                 // the slot of the first grid read
  int GridCount = 0;                 // grids read
};

// The size written after the header, or 0 when the text does not begin with the header.
int TextGridSize(std::span<const uint8_t> bytes);

// Reads the text whole as OpenTextGrid would, changing nothing: whether it would open.
TextGridResult CheckTextGrid(std::span<const uint8_t> bytes);

// Replaces the grid set with the text's grids, on the default block shape of its size.
// The caller then recomputes the candidates of every grid.
TextGridResult OpenTextGrid(std::span<const uint8_t> bytes, EngineContext &ctx, TextGridInfo &info);

// Adds the text's grids after the grids of the set; its size must be the set's.
TextGridResult ImportTextGrid(std::span<const uint8_t> bytes, EngineContext &ctx, TextGridInfo &info);

} // namespace quorbel
