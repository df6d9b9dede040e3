// Writes the fuzz targets' first inputs: grid files and text grids of every shape with every
// clue list filled, a line of every macro command, block layouts, and pictures of each codec.
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
#include "tests/media/gif_fixture.h"

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

  auto bytes = [](const std::vector<uint8_t> &v) { return std::string(v.begin(), v.end()); };
  const std::vector<uint8_t> palette = {0, 0, 0, 0, 255, 255, 255, 0};
  const std::string bmp8 = bytes(test::MakeBmp({.Width = 3,
                                                .Height = 2,
                                                .Bits = 8,
                                                .PaletteCount = 2,
                                                .Palette = palette,
                                                .Pixels = {1, 0, 0, 0, 0, 1, 0, 0}}));
  const std::string rle4 = bytes(test::MakeBmp({.Width = 3,
                                                .Height = 2,
                                                .Bits = 4,
                                                .Compression = 2,
                                                .PaletteCount = 2,
                                                .Palette = palette,
                                                .Pixels = {0, 3, 0x10, 0, 0, 0, 2, 1, 0, 1}}));
  test::GifLayout gif{.Width = 3, .Height = 2, .Global = {RgbPixel(0, 0, 0), RgbPixel(255, 0, 0)}};
  gif.Frames.push_back({.Width = 3, .Height = 2, .Pixels = {1, 0, 1, 0, 1, 0}, .Interlaced = true});
  gif.Frames.push_back(
      {.Left = 1, .Width = 2, .Height = 1, .Pixels = {0, 1}, .Transparent = 0, .Disposal = 2});
  for (const char *target : {"picture_bmp", "picture_any"}) {
    Write(root / target / "bmp8", bmp8);
    Write(root / target / "rle4", rle4);
  }
  for (const char *target : {"picture_gif", "picture_any"})
    Write(root / target / "two_frames", bytes(test::MakeGif(gif)));
  Write(root / "picture_wbmp" / "small", std::string("\0\0\x09\x02\xFF\x80\x01\x00", 8));
  std::string tga(18, '\0');
  tga[2] = 10;
  tga[12] = tga[14] = 2;
  tga[16] = 24;
  tga += std::string("\x83\x10\x20\x30", 4);
  Write(root / "picture_tga" / "rle24", tga);
  std::string pcx(128, '\0');
  pcx[0] = 10;
  pcx[2] = 1;
  pcx[3] = 1;
  pcx[8] = 7;
  pcx[10] = 1;
  pcx[65] = 1;
  pcx[66] = 1;
  pcx += std::string("\xC2\xAA", 2);
  Write(root / "picture_pcx" / "one_bit", pcx);
  std::string ico = std::string("\0\0\x01\0\x01\0\x01\x01\0\0\x01\0\x18\0\0\0\0\0\x16\0\0\0", 22);
  ico += bytes(std::vector<uint8_t>(40 + 4 + 4, 0));
  ico[22] = 40;
  ico[26] = 1;
  ico[30] = 2;
  ico[34] = 24;
  Write(root / "picture_ico" / "one_pixel", ico);
  std::string emf(108, '\0');
  emf[0] = 1;
  emf[16] = 100;
  emf[20] = 50;
  emf.replace(40, 4, " EMF");
  Write(root / "picture_wmf" / "bounds", emf);
  return 0;
}
