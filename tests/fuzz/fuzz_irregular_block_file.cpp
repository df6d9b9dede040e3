// The irregular block file on any text: counted, read layout by layout and in one pass, and
// every layout handed back is whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/irregular_block_file.h"

using namespace quorbel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string_view text(reinterpret_cast<const char *>(data), size);
  for (int width : kLayoutWidths) {
    const int count = CountLayouts(text, width);
    for (int index = 0; index < count && index < 4; ++index) {
      const BlockFileRead read = ReadLayout(text, width, index);
      if (read.Ok() && CheckRegionSizes(read.Layout) != BlockFileProblem::None)
        std::abort();
    }
    int seen = 0;
    ReadEveryLayout(text, width, [&](const RegionLayout &layout) {
      if (CheckRegionSizes(layout) != BlockFileProblem::None)
        std::abort();
      return ++seen < 64;
    });
  }
  return 0;
}
