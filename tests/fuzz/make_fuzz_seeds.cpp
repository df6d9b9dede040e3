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
#include "tests/media/metafile_writer.h"

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

  // Metafiles with a record of each kind played.
  std::vector<uint8_t> dib;
  for (const uint32_t v : {40u, 2u, 2u, 0x180001u, 0u, 16u, 0u, 0u, 0u, 0u})
    test::Put32(dib, v);
  for (int k = 0; k < 16; ++k)
    dib.push_back(static_cast<uint8_t>(k * 16));
  std::vector<uint8_t> stretchDib;
  for (const int32_t v : {0x0020, 0x00CC, 0, 2, 2, 0, 0, 40, 40, 10, 10})
    test::Put16(stretchDib, static_cast<uint32_t>(v));
  stretchDib.insert(stretchDib.end(), dib.begin(), dib.end());
  std::vector<uint8_t> text = {5, 0, 'Q', 'u', 'o', 'r', 'b', 0, 20, 0, 10, 0};
  std::vector<uint8_t> font(18, 0);
  font[0] = 0xEC; // height -20
  font[1] = 0xFF;
  for (const char c : std::string("Arial"))
    font.push_back(static_cast<uint8_t>(c));
  font.push_back(0);
  const std::vector<uint8_t> wmf = test::WmfWriter(1440, 960, 1440)
                                       .Record(0x020B, {0, 0})
                                       .Record(0x020C, {1000, 1500})
                                       .Record(0x02FA, {0, 3, 0, 0xFF, 0})
                                       .Record(0x02FC, {2, 0xFF00, 0, 4})
                                       .Raw(0x02FB, font)
                                       .Record(0x00F7, {0x300, 2, 0xFF, 0, 0xFF00, 0})
                                       .Record(0x012D, {0})
                                       .Record(0x012D, {1})
                                       .Record(0x012D, {2})
                                       .Record(0x0234, {3})
                                       .Record(0x001E, {})
                                       .Record(0x0416, {900, 1400, 10, 10})
                                       .Record(0x041B, {400, 600, 100, 100})
                                       .Record(0x061C, {50, 50, 700, 900, 500, 700})
                                       .Record(0x0418, {300, 1400, 100, 1000})
                                       .Record(0x0817, {0, 0, 900, 900, 900, 1400, 500, 800})
                                       .Record(0x0830, {0, 0, 900, 900, 900, 400, 600, 100})
                                       .Record(0x081A, {1, 1, 1, 0, 700, 1200, 400, 900})
                                       .Record(0x0324, {3, 10, 10, 100, 10, 50, 90})
                                       .Record(0x0325, {3, 10, 900, 100, 800, 200, 900})
                                       .Record(0x0538, {2, 3, 3, 0, 0, 50, 0, 0, 50, 60, 60, 90, 60, 60, 90})
                                       .Record(0x0127, {-1})
                                       .Raw(0x0521, text)
                                       .Record(0x0214, {5, 5})
                                       .Record(0x0213, {800, 1200})
                                       .Raw(0x0F43, stretchDib)
                                       .Bytes();
  std::vector<uint8_t> emfFont;
  for (const int32_t v : {1, -16, 0, 0, 0, 400})
    test::Put32(emfFont, static_cast<uint32_t>(v));
  emfFont.resize(96, 0);
  std::vector<uint8_t> emfText;
  for (const int32_t v : {0, 0, 0, 0, 1, 0, 0, 5, 5, 2, 76, 2, 0, 0, 30, 20, 0})
    test::Put32(emfText, static_cast<uint32_t>(v));
  test::Put32(emfText, 0x00480048);
  std::vector<uint8_t> emfDib;
  for (const int32_t v : {0, 0, 0, 0, 50, 50, 0, 0, 2, 2, 80, 40, 120, 16, 0, 0x00CC0020, 20, 20})
    test::Put32(emfDib, static_cast<uint32_t>(v));
  emfDib.insert(emfDib.end(), dib.begin(), dib.end());
  const std::vector<uint8_t> emfDrawing = test::EmfWriter(100, 100)
                                              .Record(17, {8})
                                              .Record(9, {200, 200})
                                              .Record(11, {100, 100})
                                              .Record(38, {2, 0, 2, 0, 0xFF})
                                              .Record(39, {3, 0, 0xFF00, 0})
                                              .Raw(82, emfFont)
                                              .Record(37, {2})
                                              .Record(37, {3})
                                              .Record(37, {1})
                                              .Record(33, {})
                                              .Record(36, {0x3F800000, 0, 0, 0x3F800000, 0x40A00000, 0, 2})
                                              .Record(30, {0, 0, 180, 180})
                                              .Record(43, {10, 10, 90, 90})
                                              .Record(44, {100, 10, 190, 90, 20, 20})
                                              .Record(42, {10, 100, 90, 190})
                                              .Record(47, {100, 100, 190, 190, 190, 100, 100, 190})
                                              .Record(86, {0, 0, 0, 0, 3, 0x00000000, 0x00000032, 0x00320032})
                                              .Record(34, {-1})
                                              .Raw(84, emfText)
                                              .Raw(81, emfDib)
                                              .Bytes();
  // Curves, paths, clips, pattern brushes, palette bitmaps and raster operations.
  std::vector<uint8_t> region;
  for (const int32_t v : {64, 5, 32, 1, 2, 32, 0, 0, 100, 100, 0, 0, 40, 40, 60, 60, 100, 100})
    test::Put32(region, static_cast<uint32_t>(v));
  std::vector<uint8_t> pattern;
  for (const int32_t v : {4, 0, 32, 40, 72, 16})
    test::Put32(pattern, static_cast<uint32_t>(v));
  pattern.insert(pattern.end(), dib.begin(), dib.end());
  std::vector<uint8_t> polyDraw;
  for (const int32_t v : {0, 0, 0, 0, 5, 10, 10, 20, 5, 30, 5, 40, 10, 50, 50})
    test::Put32(polyDraw, static_cast<uint32_t>(v));
  for (const uint8_t kind : {6, 4, 4, 4, 3})
    polyDraw.push_back(kind);
  std::vector<uint8_t> paletteDib;
  for (const int32_t v : {0x0086, 0x00EE, 1, 2, 2, 0, 0, 40, 40, 10, 10})
    test::Put16(paletteDib, static_cast<uint32_t>(v));
  for (const uint32_t v : {40u, 2u, 2u, 0x80001u, 0u, 4u, 0u, 0u, 2u, 0u})
    test::Put32(paletteDib, v);
  for (const uint8_t b : {1, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0})
    paletteDib.push_back(b);
  std::vector<uint8_t> wmfPattern = {0, 0, 0, 0};
  wmfPattern.insert(wmfPattern.end(), dib.begin(), dib.end());
  const std::vector<uint8_t> emfShapes =
      test::EmfWriter(100, 100)
          .Record(38, {1, 0, 3, 0, 0xFF})
          .Record(37, {1})
          .Record(85, {0, 0, 0, 0, 4, test::Point16(10, 80), test::Point16(10, 10), test::Point16(90, 10),
                       test::Point16(90, 80)})
          .Record(27, {5, 5})
          .Record(5, {0, 0, 0, 0, 3, 20, 40, 60, 0, 90, 40})
          .Raw(56, polyDraw)
          .Raw(94, pattern)
          .Record(37, {4})
          .Record(19, {2})
          .Record(59, {})
          .Record(42, {10, 10, 90, 90})
          .Record(44, {30, 30, 70, 70, 10, 10})
          .Record(54, {50, 50})
          .Record(61, {})
          .Record(60, {})
          .Record(63, {0, 0, 100, 100})
          .Raw(75, region)
          .Record(29, {10, 10, 20, 20})
          .Record(59, {})
          .Record(45, {0, 0, 100, 100, 100, 50, 0, 50})
          .Record(60, {})
          .Record(67, {1})
          .Record(76, {0, 0, 0, 0, 0, 50, 40, 40, 0x00550009, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})
          .Record(43, {0, 0, 100, 100})
          .Bytes();
  const std::vector<uint8_t> wmfShapes = test::WmfWriter(96, 96, 96)
                                             .Record(0x00F7, {0x300, 3, 0xFF, 0, 0xFF00, 0, 0, 0xFF})
                                             .Record(0x0234, {0})
                                             .Raw(0x0142, wmfPattern)
                                             .Record(0x012D, {1})
                                             .Record(0x0415, {40, 40, 20, 20})
                                             .Record(0x061D, {0x0021, 0x00F0, 60, 60, 0, 0})
                                             .Raw(0x0F43, paletteDib)
                                             .Bytes();
  for (const char *target : {"metafile", "picture_wmf"}) {
    Write(root / target / "shapes_wmf", bytes(wmfShapes));
    Write(root / target / "shapes_emf", bytes(emfShapes));
    Write(root / target / "drawn_wmf", bytes(wmf));
    Write(root / target / "drawn_emf", bytes(emfDrawing));
  }
  return 0;
}
