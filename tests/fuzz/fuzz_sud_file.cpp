// The grid-file reader on any bytes: no crash, no undefined behaviour; a refused file leaves the
// program's grids as they were, and an accepted one saves and reads back, as a grid file and as a
// text grid.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

#include "engine/engine_context.h"
#include "engine/grid_shape.h"
#include "files/sud_file_reader.h"
#include "files/sud_file_writer.h"
#include "files/text_grid_reader.h"
#include "files/text_grid_writer.h"

using namespace quorbel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  auto ctx = std::make_unique<EngineContext>();
  SetGridSize(*ctx, 9, 1);
  const std::string before = WriteSudFile(*ctx, SudFileContent{});
  SudFileContent content;
  const SudReadResult read = ReadSudFile(std::span<const uint8_t>(data, size), *ctx, content);
  if (!read.Ok) {
    if (WriteSudFile(*ctx, SudFileContent{}) != before)
      std::abort(); // a refused file changed the grids
    return 0;
  }
  const std::string saved = WriteSudFile(*ctx, content);
  auto again = std::make_unique<EngineContext>();
  SudFileContent reread;
  const auto *bytes = reinterpret_cast<const uint8_t *>(saved.data());
  if (!ReadSudFile(std::span<const uint8_t>(bytes, saved.size()), *again, reread).Ok)
    std::abort(); // what we saved we must open
  const std::string text = WriteTextGrid(*ctx, TextGridInfo{});
  auto fromText = std::make_unique<EngineContext>();
  SetGridSize(*fromText, 9, 1);
  TextGridInfo info;
  const auto *textBytes = reinterpret_cast<const uint8_t *>(text.data());
  if (!OpenTextGrid(std::span<const uint8_t>(textBytes, text.size()), *fromText, info).Ok)
    std::abort(); // Save Text of an opened grid must reopen
  return 0;
}
