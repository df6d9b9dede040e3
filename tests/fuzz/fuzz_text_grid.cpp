// The text-grid reader on any bytes, opened as the document and imported as further grids: no
// crash, no undefined behaviour, a refused text leaves the grids as they were, and an opened one
// is written as a text that opens again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

#include "engine/engine_context.h"
#include "engine/grid_shape.h"
#include "files/sud_file_writer.h"
#include "files/text_grid_reader.h"
#include "files/text_grid_writer.h"

using namespace quorbel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  for (bool import : {false, true}) {
    auto ctx = std::make_unique<EngineContext>();
    SetGridSize(*ctx, 4, 1);
    const std::string before = WriteSudFile(*ctx, SudFileContent{});
    TextGridInfo info;
    const TextGridResult result =
        import ? ImportTextGrid(bytes, *ctx, info) : OpenTextGrid(bytes, *ctx, info);
    if (!result.Ok) {
      if (WriteSudFile(*ctx, SudFileContent{}) != before)
        std::abort();
      continue;
    }
    // What was read is written as a text that reads back.
    const std::string text = WriteTextGrid(*ctx, info);
    auto again = std::make_unique<EngineContext>();
    SetGridSize(*again, 4, 1);
    TextGridInfo reread;
    const auto *textBytes = reinterpret_cast<const uint8_t *>(text.data());
    if (!import && !OpenTextGrid(std::span<const uint8_t>(textBytes, text.size()), *again, reread).Ok)
      std::abort();
  }
  return 0;
}
