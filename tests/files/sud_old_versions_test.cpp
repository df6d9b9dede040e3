// Files of versions 1 to 4, built here word by word from the layout of each version.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "engine/grid_shape.h"
#include "files/archive_writer.h"
#include "files/sud_file_format.h"
#include "files/sud_file_reader.h"
#include "tests/files/grid_file_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

struct OldFileOptions {
  int Version = 3;
  VariantWords Var;  // version 2 stores word 1 only, version 1 nothing
  std::string Block; // the variant block bytes, when the version has one (empty: zeros)
  int32_t GameMode = 2;
  int UndoSteps = 0;
  int32_t ClockSeconds = 95;                   // versions 1 and 2
  std::array<int32_t, 5> Sizes{9, 9, 3, 3, 9}; // from version 2 on
};

GridGeometry NineByNine() {
  GridGeometry geo;
  geo.NRows = geo.NCols = geo.GridWidth = 9;
  geo.BlockRows = geo.BlockCols = 3;
  ComputeGeometryTables(geo);
  return geo;
}

// Cell r holds value r % 10 with status 1 (0 when the value is 0: a given of nothing).
void WriteRecords(ArchiveWriter &out, int records, int words, int32_t valueOffset) {
  for (int r = 0; r < records; ++r) {
    const int32_t value = (r + valueOffset) % 10;
    const std::array<int32_t, 18> record = {
        value,  value == 0 ? 6 : 1, 100 + r, 0, 200 + r, 0, 0, -1, 0, 0xFFFF, 0, 0, -1, 300 + r, -1, 0, 0,
        400 + r};
    for (int w = 0; w < words; ++w)
      out.WriteInt32(record[w]);
  }
}

void WriteReference(ArchiveWriter &out, const GridGeometry &geo) {
  for (int i = 0; i < geo.NCells; ++i) {
    out.WriteInt32(i % 9 + 1);
    out.WriteInt32(3);
  }
}

OldFileOptions Options(int version, VariantWords var = {}, std::string block = {}, int32_t gameMode = 2,
                       int undoSteps = 0) {
  return {version, var, std::move(block), gameMode, undoSteps};
}

std::string BuildOldFile(const OldFileOptions &options) {
  const int v = options.Version;
  const GridGeometry geo = NineByNine();
  const bool twin = Meets(options.Var, kOldFileTwinVariants);
  ArchiveWriter out;
  out.WriteString(kSudHeaders[v - 1]);
  if (v > 1)
    for (int32_t size : options.Sizes)
      out.WriteInt32(size);
  if (v == 2) {
    out.WriteUInt32(options.Var.word1);
  } else if (v > 2) {
    out.WriteUInt32(options.Var.word1);
    out.WriteUInt32(options.Var.word2);
  }
  if (v > 1) {
    const size_t blockBytes = v == 2 ? kVariantBlockBytesV2 : kVariantBlockBytesV3;
    std::string block = options.Block;
    block.resize(blockBytes, '\0');
    out.WriteRaw({reinterpret_cast<const uint8_t *>(block.data()), block.size()});
  }
  if (v > 2) {
    for (int i = 0; i < 16; ++i)
      out.WriteString(std::string("n").append(std::to_string(i)));
    for (int i = 0; i < 32; ++i)
      out.WriteInt32(i);
  }
  const int records = v == 1 ? geo.NCellRecs - geo.NRows : geo.NCellRecs;
  if (v > 1)
    out.WriteInt32(records);
  WriteRecords(out, records, v == 1 ? 3 : v == 2 ? 6 : 18, 0);
  out.WriteInt32(8);  // grid state
  out.WriteInt32(40); // open cells
  if (v == 1)
    for (int32_t word : {7, 7, 7})
      out.WriteInt32(word);
  out.WriteTime(1700000000);
  out.WriteInt32(1); // paused
  if (v > 2)
    for (int32_t word : {1, 55, 4})
      out.WriteInt32(word);
  out.WriteString("Vieille grille");
  for (int32_t word : {3, 11, 12, 13, 14, 15, 16})
    out.WriteInt32(word);
  if (v > 1)
    out.WriteFloat(12.5f);
  if (v > 2)
    out.WriteInt32(options.GameMode);
  out.WriteUInt32(123456);
  const int stopwatches = v == 1 ? 8 : v == 2 ? 10 : 11;
  for (int i = 0; i < stopwatches; ++i) {
    out.WriteInt32(-1);
    out.WriteInt32(i * 10);
  }
  if (v > 1)
    WriteReference(out, geo);
  if (twin) {
    std::string block = options.Block;
    block.resize(v == 2 ? kVariantBlockBytesV2 : kVariantBlockBytesV3, '\0');
    out.WriteRaw({reinterpret_cast<const uint8_t *>(block.data()), block.size()});
    out.WriteInt32(geo.NCellRecs);
    WriteRecords(out, geo.NCellRecs, v == 2 ? 6 : 18, 5);
    out.WriteInt32(3);
    out.WriteInt32(0);
    out.WriteString("Jumelle");
    WriteReference(out, geo);
  }
  out.WriteInt32(10); // focus cell
  if (v <= 2) {
    out.WriteInt32(options.ClockSeconds);
  } else {
    out.WriteInt32(95500);
    out.WriteInt32(600000);
  }
  out.WriteInt32(21);
  out.WriteInt32(22);
  const int methodWords = v == 1 ? 6 : v == 2 ? 8 : 9;
  for (int i = 0; i < methodWords; ++i)
    out.WriteInt32(i == 2 ? 9 : 1000 + i); // an option word out of 0..5
  for (int32_t flag : {1, 0, 0, 1})
    out.WriteInt32(flag);
  if (v > 1) {
    const int layoutKeys = v == 2 ? 16 : 19;
    for (int i = 0; i < layoutKeys; ++i)
      out.WriteInt32(50 + i);
    out.WriteDouble(0.25);
    for (int i = 0; i < 17; ++i)
      out.WriteInt32(i);
    if (v == 2)
      out.WriteInt32(-2);
    else
      out.WriteInt64(-2);
    for (int i = 0; i < 8; ++i)
      out.WriteInt32(1);
    out.WriteString("Animals.ani");
    out.WriteString("BackGround\\goutte1.jpg");
    out.WriteInt32(2);
    out.WriteInt32(17);
    if (v > 2) {
      out.WriteString("An old grid");
      out.WriteString("Une vieille grille");
    }
    for (int i = 0; i < 16; ++i)
      out.WriteInt32(15 - i);
  }
  for (int i = 0; i < 5 * 11; ++i)
    out.WriteInt32(i);
  if (v > 2 && options.UndoSteps > 0) {
    out.WriteInt32(options.UndoSteps - 1);
    out.WriteInt32(options.UndoSteps - 1);
    for (int step = 0; step < options.UndoSteps; ++step)
      for (int r = 0; r < geo.NCellRecs; ++r)
        for (size_t w = 0; w < kCellImageBytesV3 / 4; ++w)
          out.WriteInt32(w == 0 ? r : w == 1 ? step + 1 : w == 2 ? 1 : 0); // index, value, status
  }
  return out.Bytes();
}

struct Loaded {
  std::unique_ptr<EngineContext> Ctx = std::make_unique<EngineContext>();
  SudFileContent Content;
  SudReadResult Result;
};

Loaded Load(const std::string &file) {
  Loaded loaded;
  SetGridShape(*loaded.Ctx, 0, 1, 0);
  const std::vector<uint8_t> bytes(file.begin(), file.end());
  loaded.Result = ReadSudFile(bytes, *loaded.Ctx, loaded.Content);
  return loaded;
}

// A block of today's layout with one Killer cage, cut to the size an older version stored.
std::string BlockWithOneCage(size_t bytes) {
  VariantBlockContent block;
  block.Lists.Killer.Append({3, {0, 1, 9}, 17, 0});
  ArchiveWriter out;
  WriteVariantBlock(out, block);
  return out.Bytes().substr(0, bytes);
}

} // namespace

TEST(SudVersion1, LoadsANineByNineGridWithThreeWordRecords) {
  const Loaded loaded = Load(BuildOldFile(Options(1)));
  ASSERT_TRUE(loaded.Result.Ok) << loaded.Result.Message;
  EXPECT_EQ(loaded.Result.Version, 1);
  const EngineContext &ctx = *loaded.Ctx;
  EXPECT_EQ(ctx.Geo.GridWidth, 9);
  EXPECT_EQ(ctx.Geo.BlockRows, 3);
  EXPECT_EQ(ctx.Geo.BlockCols, 3);
  EXPECT_EQ(ctx.Grids.AllCount, 1);
  const GridRecord &grid = ctx.Grids.Main[0];
  EXPECT_FALSE(grid.GridVar.Any());
  EXPECT_EQ(grid.Cells[4].Value, 4);
  EXPECT_EQ(grid.Cells[4].Status, 1);
  EXPECT_EQ(grid.Cells[4].Marks, 1u << 3);
  EXPECT_EQ(loaded.Content.Carried.CellWords[0][4][0], 104);
  // The record count is the grid's less its rows: the last record read is NCellRecs - 10.
  const int last = ctx.Geo.NCellRecs - 10;
  EXPECT_EQ(loaded.Content.Carried.CellWords[0][last][0], 100 + last);
  EXPECT_EQ(loaded.Content.Carried.CellWords[0].size(), static_cast<size_t>(last + 1));
  EXPECT_EQ(grid.Comment, "Vieille grille");
  // With no reference cells in the file, the reference grid is a copy of the grid.
  EXPECT_EQ(ctx.Grids.RefTab[0].Cells[4].Value, 4);

  const SudGameState &game = loaded.Content.Game;
  EXPECT_EQ(game.UsageTimers.size(), 8u);
  EXPECT_EQ(game.UsageTimers[7].Seconds, 70);
  EXPECT_EQ(game.ClockElapsedMs, 95000);
  EXPECT_FALSE(game.ClockLimitMs.has_value());
  EXPECT_FALSE(game.GameMode.has_value());
  EXPECT_EQ(game.MethodWords.size(), 6u);
  EXPECT_EQ(game.MethodWords[2], 0) << "an option word out of 0..5 becomes 0";
  EXPECT_FALSE(game.Settings.has_value());
  EXPECT_EQ(game.GameWords[0], 3);
  EXPECT_EQ(ctx.Grids.FocusCell, 10);
  EXPECT_EQ(game.Placements[4][10], 54);
}

TEST(SudVersion2, ReadsItsVariantWordUnsigned) {
  const Loaded loaded = Load(BuildOldFile(Options(2, {0x80000002, 0})));
  ASSERT_TRUE(loaded.Result.Ok) << loaded.Result.Message;
  EXPECT_EQ(loaded.Ctx->Grids.Main[0].GridVar, (VariantWords{0x80000002, 0}));
  EXPECT_EQ(loaded.Ctx->Grids.AllCount, 1);
}

TEST(SudVersion2, ReadsTheShortSettingsBlockAndSecondsOfClock) {
  const Loaded loaded = Load(BuildOldFile(Options(2)));
  ASSERT_TRUE(loaded.Result.Ok) << loaded.Result.Message;
  const SudGameState &game = loaded.Content.Game;
  ASSERT_TRUE(game.Settings.has_value());
  EXPECT_FALSE(game.Settings->HasDisplayMatrixKeys);
  EXPECT_EQ(game.Settings->LayoutKeys[14], 64);
  EXPECT_EQ(game.Settings->LayoutKeys[18], 65) << "DISPLAYCOMDY follows DISPLAYBARAREAIDEM";
  EXPECT_EQ(game.Settings->GridCurrVariant, 0xFFFFFFFEu) << "one unsigned word";
  EXPECT_EQ(game.Settings->CatalogBaseGrid, 17);
  EXPECT_EQ(game.Settings->PictureOrder[0], 15);
  EXPECT_TRUE(game.CommentEnglish.empty());
  EXPECT_EQ(game.GameScore, 12.5f);
  EXPECT_EQ(game.UsageTimers.size(), 10u);
  EXPECT_EQ(game.ClockElapsedMs, 95000);
  EXPECT_EQ(loaded.Ctx->Grids.RefTab[0].Cells[10].Value, 2);
  EXPECT_EQ(loaded.Ctx->Grids.RefTab[0].Cells[10].Status, 3);
}

TEST(SudVersion2, AFileWithATwinVariantHoldsTwoGrids) {
  for (uint32_t twinBit : {0x400u, 0x800u, 0x4000000u, 0x8000000u, 0x10000000u}) {
    const Loaded loaded = Load(BuildOldFile(Options(2, {twinBit, 0})));
    ASSERT_TRUE(loaded.Result.Ok) << loaded.Result.Message;
    const GridSet &set = loaded.Ctx->Grids;
    ASSERT_EQ(set.AllCount, 2);
    EXPECT_EQ(set.MainCount, 2);
    EXPECT_EQ(set.Main[1].GridVar, set.Main[0].GridVar);
    EXPECT_EQ(set.Main[1].Comment, "Jumelle");
    EXPECT_EQ(set.Main[1].Cells[0].Value, 5);
    EXPECT_EQ(set.Main[1].State, 3);
  }
}

TEST(SudVersion3, KeepsTheStoredGameModeAndVersion4AddsOne) {
  const Loaded three = Load(BuildOldFile(Options(3, {}, {}, 2)));
  const Loaded four = Load(BuildOldFile(Options(4, {}, {}, 2)));
  ASSERT_TRUE(three.Result.Ok && four.Result.Ok);
  EXPECT_EQ(three.Content.Game.GameMode, 2);
  EXPECT_EQ(four.Content.Game.GameMode, 3);
  EXPECT_EQ(four.Content.Game.ClockElapsedMs, 95500);
  EXPECT_EQ(four.Content.Game.ClockLimitMs, 600000);
  EXPECT_EQ(four.Content.Game.HighestMethodLevel, 4);
  EXPECT_EQ(four.Content.Game.NumeralStrings[15], "n15");
  EXPECT_EQ(four.Content.Game.NumeralTable2[0], 16);
  EXPECT_EQ(four.Content.Game.CommentFrench, "Une vieille grille");
  EXPECT_EQ(four.Content.Game.UsageTimers.size(), 11u);

  // The highest number has no mode above it.
  OldFileOptions options = Options(4);
  options.GameMode = std::numeric_limits<int32_t>::max();
  EXPECT_FALSE(Load(BuildOldFile(options)).Result.Ok);
}

TEST(SudVersion3, ReadsTheUndoHistoryFromShortCellImages) {
  const Loaded loaded = Load(BuildOldFile(Options(3, {}, {}, 2, 2)));
  ASSERT_TRUE(loaded.Result.Ok) << loaded.Result.Message;
  const SudUndoHistory &undo = loaded.Content.Undo;
  ASSERT_EQ(undo.Steps.size(), 2u);
  EXPECT_EQ(undo.PtUndo, 1);
  ASSERT_EQ(undo.Steps[1].size(), 1u);
  const CellRecord &cell = undo.Steps[1][0][7];
  EXPECT_EQ(cell.Value, 2);
  EXPECT_EQ(cell.Status, 1);
  EXPECT_EQ(cell.Partner1, -1);
  EXPECT_EQ(cell.Partner2, -1);
  EXPECT_EQ(cell.SurpriseKind, 0);
}

TEST(SudOldVariantBlock, IsReadAsTheFirstBytesOfTodaysLayout) {
  for (int version : {2, 3, 4}) {
    const size_t bytes = version == 2 ? kVariantBlockBytesV2 : kVariantBlockBytesV3;
    const Loaded loaded = Load(BuildOldFile(Options(version, {0x4, 0}, BlockWithOneCage(bytes))));
    ASSERT_TRUE(loaded.Result.Ok) << loaded.Result.Message;
    EXPECT_TRUE(loaded.Result.Warnings.empty());
    const auto &cages = loaded.Ctx->Grids.Main[0].Lists.Killer;
    ASSERT_EQ(cages.Size(), 1) << version;
    EXPECT_EQ(cages.Items[0].Target, 17);
    EXPECT_EQ(cages.Items[0].Cells[2], 9);
  }
}

TEST(SudOldVariantBlock, ThatCannotBeReadIsLeftOutAndTheGridStillOpens) {
  std::string block = BlockWithOneCage(kVariantBlockBytesV3);
  block[0] = 99; // a layout row count beyond 16
  const Loaded loaded = Load(BuildOldFile(Options(4, {}, block)));
  ASSERT_TRUE(loaded.Result.Ok) << loaded.Result.Message;
  ASSERT_EQ(loaded.Result.Warnings.size(), 1u);
  EXPECT_NE(loaded.Result.Warnings[0].find("layout: row count"), std::string::npos);
  EXPECT_EQ(loaded.Ctx->Grids.Main[0].Lists.Killer.Size(), 0);
  EXPECT_EQ(loaded.Ctx->Grids.Main[0].Cells[4].Value, 4);
}

TEST(SudOldVersions, AClockBeyondWhatMillisecondsHoldIsRefused) {
  OldFileOptions options = Options(2);
  options.ClockSeconds = std::numeric_limits<int32_t>::max() / 1000;
  EXPECT_TRUE(Load(BuildOldFile(options)).Result.Ok);
  options.ClockSeconds += 1;
  EXPECT_FALSE(Load(BuildOldFile(options)).Result.Ok);
  options.ClockSeconds = -1;
  EXPECT_FALSE(Load(BuildOldFile(options)).Result.Ok);
}

TEST(SudOldVersions, OnlyTheNineShapesAreRead) {
  OldFileOptions options = Options(2);
  // Block sides whose product wraps round to 9 in 32 bits.
  options.Sizes = {9, 9, 0x7FFFFFFF, 0x7FFFFFF7, 9};
  EXPECT_FALSE(Load(BuildOldFile(options)).Result.Ok);
  // Below the smallest width.
  options.Sizes = {3, 3, 1, 3, 3};
  EXPECT_FALSE(Load(BuildOldFile(options)).Result.Ok);
  options.Sizes = {1, 1, 1, 1, 1};
  EXPECT_FALSE(Load(BuildOldFile(options)).Result.Ok);
}

TEST(SudOldVersions, ACutFileIsRefusedWhateverTheVersion) {
  for (int version = 1; version <= 4; ++version) {
    const std::string file = BuildOldFile(Options(version, {}, {}, 2, version > 2 ? 1 : 0));
    const Loaded whole = Load(file);
    ASSERT_TRUE(whole.Result.Ok) << version << ": " << whole.Result.Message;
    for (size_t cut : {file.size() / 7, file.size() / 2, file.size() - 5})
      EXPECT_FALSE(Load(file.substr(0, cut)).Result.Ok) << version << " cut at " << cut;
  }
}
