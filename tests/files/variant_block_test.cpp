#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/grid_shape.h"
#include "files/archive_reader.h"
#include "files/archive_writer.h"
#include "files/sud_file_cells.h"
#include "files/variant_block.h"
#include "tests/files/grid_file_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

const VariantBlockLimits kNineByNine{81, 81 + 9 + 9 + 1 + 9 + 4 + 81, 9};

std::vector<uint8_t> Write(const VariantBlockContent &block) {
  ArchiveWriter out;
  WriteVariantBlock(out, block);
  return {out.Bytes().begin(), out.Bytes().end()};
}

// Reads `bytes` into a fresh block; the reader's message, empty when it loaded.
std::string Read(const std::vector<uint8_t> &bytes, VariantBlockContent &block,
                 size_t size = kVariantBlockBytes) {
  ArchiveReader in(bytes);
  ReadVariantBlock(in, size, kNineByNine, "grid 1", block);
  return in.Error();
}

void PutWord(std::vector<uint8_t> &bytes, size_t offset, int32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[offset + i] = static_cast<uint8_t>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
}

size_t OffsetOf(const std::string &name) {
  for (const LayoutField &field : VariantBlockLayout())
    if (field.Name == name)
      return field.Offset;
  ADD_FAILURE() << "no field " << name;
  return 0;
}

// The (offset, words, name) rows of the table under `heading` in docs/VARIANT_BLOCK.md.
std::vector<std::string> DocumentedRows(const std::string &heading) {
  std::ifstream doc(QUORBEL_TEST_DATA "/../../docs/VARIANT_BLOCK.md");
  EXPECT_TRUE(doc.good());
  std::vector<std::string> rows;
  std::string line;
  bool inSection = false;
  while (std::getline(doc, line)) {
    if (line.starts_with("## "))
      inSection = line.starts_with(heading);
    else if (inSection && line.starts_with("| ") && std::isdigit(static_cast<unsigned char>(line[2])))
      rows.push_back(line);
  }
  return rows;
}

std::vector<std::string> RowsOf(const std::vector<LayoutField> &layout) {
  std::vector<std::string> rows;
  for (const LayoutField &f : layout)
    rows.push_back("| " + std::to_string(f.Offset) + " | " + std::to_string(f.Words) + " | " + f.Name +
                   (f.Interleaved ? " (per item)" : "") + " |");
  return rows;
}

size_t TotalWords(const std::vector<LayoutField> &layout) {
  size_t words = 0;
  for (const LayoutField &f : layout)
    words += f.Words;
  return words;
}

} // namespace

TEST(VariantBlock, IsExactly107868BytesWhateverItHolds) {
  auto empty = std::make_unique<VariantBlockContent>();
  EXPECT_EQ(Write(*empty).size(), kVariantBlockBytes);
  auto full = std::make_unique<VariantBlockContent>();
  Draw draw(3);
  GridGeometry geo;
  geo.NRows = geo.NCols = geo.GridWidth = 16;
  geo.BlockRows = geo.BlockCols = 4;
  ComputeGeometryTables(geo);
  FillVariantLists(draw, geo, full->Lists, full->Work);
  EXPECT_EQ(Write(*full).size(), kVariantBlockBytes);
  EXPECT_EQ(TotalWords(VariantBlockLayout()) * 4, kVariantBlockBytes);
}

TEST(VariantBlock, DocumentationGivesTheLayoutTheCodeUses) {
  EXPECT_EQ(DocumentedRows("## Variant block"), RowsOf(VariantBlockLayout()));
  EXPECT_EQ(DocumentedRows("## Cell record"), RowsOf(CellRecordLayout()));
  EXPECT_EQ(DocumentedRows("## Cell image"), RowsOf(CellImageLayout()));
  EXPECT_EQ(TotalWords(CellImageLayout()) * 4, kCellImageBytes);
  EXPECT_EQ(TotalWords(CellRecordLayout()), static_cast<size_t>(kCellRecordWords));
}

TEST(VariantBlock, ListsFollowTheGridRecordsOrder) {
  const char *order[] = {"Little Killer: count",
                         "Killer: count",
                         "Odd/even marks: count",
                         "Comparison marks: count",
                         "Distance: count",
                         "Puzzle pieces: count",
                         "Twins Relation: count",
                         "Odd Pair: count",
                         "Quad: count",
                         "Twins Zone: count",
                         "Magic Sentence: cell count",
                         "Arrows: count",
                         "Creasing lines: count",
                         "Dan: cell count",
                         "Equality: count",
                         "Wheels: count",
                         "PanDigital: count",
                         "Navigator: count",
                         "Chess: count",
                         "Magic Squares: count",
                         "Transfer: count",
                         "twins partner",
                         "Mult Table: count",
                         "MasterMind: line count",
                         "substitution owner",
                         "Twins Relation Multiple: count"};
  size_t previous = 0;
  for (const char *name : order) {
    const size_t offset = OffsetOf(name);
    EXPECT_GT(offset, previous) << name;
    previous = offset;
  }
  EXPECT_EQ(OffsetOf("layout: row count"), 0u);
  EXPECT_EQ(OffsetOf("puzzle rotation flag"), OffsetOf("Puzzle pieces: count") + 4 + 40 * 54 * 4);
}

TEST(VariantBlock, OnlyCountedItemsHaveTheirIndexesChecked) {
  auto block = std::make_unique<VariantBlockContent>();
  auto bytes = Write(*block);
  // Cage 0 is not counted: a cell far outside the grid is kept as it is.
  PutWord(bytes, OffsetOf("Killer: cells"), 5000);
  auto loaded = std::make_unique<VariantBlockContent>();
  EXPECT_EQ(Read(bytes, *loaded), "");
  EXPECT_EQ(loaded->Lists.Killer.Items[0].Cells[0], 5000);

  // Counted, with one cell: the same word is refused.
  PutWord(bytes, OffsetOf("Killer: count"), 1);
  PutWord(bytes, OffsetOf("Killer: cell count"), 1);
  auto refused = std::make_unique<VariantBlockContent>();
  EXPECT_NE(Read(bytes, *refused).find("Killer: cells[0][0]: 5000 is outside 0..80"), std::string::npos);
  // A cell past the cage's own cell count is not one of its cells.
  PutWord(bytes, OffsetOf("Killer: cells"), 4);
  PutWord(bytes, OffsetOf("Killer: cells") + 4, 5000);
  auto second = std::make_unique<VariantBlockContent>();
  EXPECT_EQ(Read(bytes, *second), "");
}

TEST(VariantBlock, AGridSlotOrKindOutOfRangeIsRefused) {
  auto block = std::make_unique<VariantBlockContent>();
  block->Lists.TwinsRelation.Append({1, 2, 3});
  block->Lists.Chess.Append({10, 5, 1});
  const auto good = Write(*block);
  auto loaded = std::make_unique<VariantBlockContent>();
  ASSERT_EQ(Read(good, *loaded), "");
  EXPECT_EQ(loaded->Lists.TwinsRelation.Items[0].OtherGrid, 3);

  auto slot = good;
  PutWord(slot, OffsetOf("Twins Relation: other grid"), 12);
  auto a = std::make_unique<VariantBlockContent>();
  EXPECT_NE(Read(slot, *a).find("other grid[0]: 12 is outside 0..11"), std::string::npos);
  auto kind = good;
  PutWord(kind, OffsetOf("Chess: kind"), 6);
  auto b = std::make_unique<VariantBlockContent>();
  EXPECT_NE(Read(kind, *b).find("Chess: kind[0]: 6 is outside 0..5"), std::string::npos);
}

TEST(VariantBlock, AShortOlderBlockLeavesTheLaterFieldsAsTheyWere) {
  auto block = std::make_unique<VariantBlockContent>();
  block->Lists.Killer.Append({2, {3, 4}, 9, 1});
  block->Lists.SameInLine.PartnerGrid = 4;
  const auto bytes = Write(*block);
  const std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + kVariantBlockBytesV2);
  auto loaded = std::make_unique<VariantBlockContent>();
  ArchiveReader in(prefix);
  ASSERT_TRUE(ReadVariantBlock(in, kVariantBlockBytesV2, kNineByNine, "grid 1", *loaded)) << in.Error();
  EXPECT_EQ(in.Remaining(), 0u);
  EXPECT_TRUE(loaded->Lists.Killer == block->Lists.Killer);
  EXPECT_EQ(loaded->Lists.SameInLine.PartnerGrid, -1);
}

TEST(VariantBlock, ReservedWordsTravelUnchanged) {
  auto block = std::make_unique<VariantBlockContent>();
  Draw draw(5);
  draw.Noise(block->Reserved);
  auto loaded = std::make_unique<VariantBlockContent>();
  ASSERT_EQ(Read(Write(*block), *loaded), "");
  EXPECT_TRUE(loaded->Reserved == block->Reserved);
  EXPECT_EQ(VariantBlockReserved{}.LinkTables[2][79], -1) << "a reset grid's link tables";
}
