// Writes the fuzz targets' first inputs: grid files and text grids of every shape with every
// clue list filled, a line of every macro command, and block layouts.
//
//     make_fuzz_seeds <corpus folder>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "engine/irregular_block_file.h"
#include "files/macro_line.h"
#include "files/script_words.h"
#include "files/sud_file_writer.h"
#include "files/text_grid_writer.h"
#include "tests/files/grid_file_test_support.h"

using namespace quorbel;

namespace {

void Write(const std::filesystem::path &file, const std::string &bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 2)
    return 2;
  const std::filesystem::path root = argv[1];
  test::Draw draw(7);
  for (int shape = 0; shape < kShapeCount; ++shape) {
    auto ctx = std::make_unique<EngineContext>();
    test::FillGridSet(draw, *ctx, shape, 1 + shape % 2, 1 + shape % 3);
    const SudFileContent content = test::RandomContent(draw, *ctx, shape % 3);
    const std::string name = "shape" + std::to_string(shape);
    Write(root / "sud_file" / name, WriteSudFile(*ctx, content));
    Write(root / "text_grid" / name, WriteTextGrid(*ctx, TextGridInfo{.CommentEnglish = "seed", .Level = 2}));
  }
  std::string macro;
  for (int code = 0; code < kScriptWordCount; ++code)
    macro += FormatMacroLine(code, std::vector<std::string>{"1", "A"}) + "\r\n";
  Write(root / "macro_line" / "every_command", macro);
  RegionLayout layout;
  layout.Width = 4;
  for (int cell = 0; cell < 16; ++cell)
    layout.Region[cell] = static_cast<int8_t>((cell / 4) / 2 * 2 + (cell % 4) / 2);
  Write(root / "irregular_block_file" / "blocks", FormatLayout(layout) + FormatLayout(layout));
  return 0;
}
