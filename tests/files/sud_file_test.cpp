#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "engine/grid_shape.h"
#include "files/archive_writer.h"
#include "files/sud_file_format.h"
#include "files/sud_file_reader.h"
#include "files/sud_file_writer.h"
#include "tests/files/grid_file_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

std::vector<uint8_t> BytesOf(const std::string &text) { return {text.begin(), text.end()}; }

// A loaded program: its engine context and the file content the document keeps.
struct Program {
  Program() { SetGridShape(*Ctx, kDefaultShape, 1, 0); }
  std::unique_ptr<EngineContext> Ctx = std::make_unique<EngineContext>();
  SudFileContent Content;

  std::string Save() const { return WriteSudFile(*Ctx, Content); }
  SudReadResult Open(const std::string &file) {
    const auto bytes = BytesOf(file);
    return ReadSudFile(bytes, *Ctx, Content);
  }
};

// A program whose every grid field, game word and undo step is drawn at random.
std::unique_ptr<Program> RandomProgram(uint32_t seed, int shape, int mainGrids, int grids, int undoSteps) {
  auto program = std::make_unique<Program>();
  Draw draw(seed);
  FillGridSet(draw, *program->Ctx, shape, mainGrids, grids);
  program->Content = RandomContent(draw, *program->Ctx, undoSteps);
  return program;
}

} // namespace

class SudRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(SudRoundTrip, WriteThenReadGivesTheSameGridSetAndState) {
  const int shape = GetParam();
  const auto saved = RandomProgram(100 + shape, shape, 2, 3, 3);
  const std::string file = saved->Save();

  Program loaded;
  const SudReadResult result = loaded.Open(file);
  ASSERT_TRUE(result.Ok) << result.Message;
  EXPECT_EQ(result.Version, 5);
  EXPECT_TRUE(result.Warnings.empty());

  ExpectSameGridSet(*saved->Ctx, *loaded.Ctx);
  EXPECT_EQ(saved->Content.Game, loaded.Content.Game);
  for (int g = 0; g < saved->Ctx->Grids.AllCount; ++g) {
    EXPECT_TRUE(saved->Content.Carried.Reserved[g] == loaded.Content.Carried.Reserved[g]);
    EXPECT_EQ(saved->Content.Carried.CellWords[g], loaded.Content.Carried.CellWords[g]);
  }
  ASSERT_EQ(loaded.Content.Undo.Steps.size(), 3u);
  EXPECT_EQ(loaded.Content.Undo.PtUndo, saved->Content.Undo.PtUndo);
  const auto &before = saved->Content.Undo.Steps[2][1];
  const auto &after = loaded.Content.Undo.Steps[2][1];
  ASSERT_EQ(before.size(), after.size());
  for (size_t r = 0; r < before.size(); ++r) {
    ExpectSameRecordFields(before[r], after[r], "undo record " + std::to_string(r));
    EXPECT_EQ(before[r].ThePoss, after[r].ThePoss);
    EXPECT_EQ(before[r].ValueScores, after[r].ValueScores);
    EXPECT_EQ(before[r].Partner1, after[r].Partner1);
    EXPECT_EQ(before[r].ColourSet, after[r].ColourSet);
  }

  EXPECT_EQ(loaded.Save(), file) << "write, read, write must give the same bytes";
}

INSTANTIATE_TEST_SUITE_P(EveryShape, SudRoundTrip, ::testing::Range(0, kShapeCount));

TEST(SudFile, EveryGridHoldsAVariantBlockOfTheDocumentedSize) {
  Program one;
  Program two;
  two.Ctx->Grids.AllCount = two.Ctx->Grids.MainCount = 2;
  // One more grid adds its two variant words, the block, the records and the rest.
  const GridRecord &grid = two.Ctx->Grids.Main[1];
  const size_t gridBytes =
      8 + kVariantBlockBytes + 4 + grid.NRecords * 22 * 4 + 8 + 1 + two.Ctx->Geo.NCells * 8;
  EXPECT_EQ(two.Save().size() - one.Save().size(), gridBytes);
}

TEST(SudFile, AFreshProgramSavesAndOpensWithNoUndoHistory) {
  Program saved;
  Program loaded;
  ASSERT_TRUE(loaded.Open(saved.Save()).Ok);
  EXPECT_TRUE(loaded.Content.Undo.Steps.empty());
  EXPECT_EQ(loaded.Save(), saved.Save());
}

TEST(SudFile, UnusedListSlotsAndGridsBeyondTheSetAreNotWritten) {
  Program program;
  program.Ctx->Grids.Main[5].Comment = "not in the set";
  const std::string file = program.Save();
  EXPECT_EQ(file.find("not in the set"), std::string::npos);
}

// ---- hostile files: every refusal leaves the program exactly as it was ----

class SudHostileFile : public ::testing::Test {
protected:
  void SetUp() override {
    target_ = RandomProgram(7, 0, 1, 1, 1);
    before_ = target_->Save();
    valid_ = RandomProgram(8, 0, 1, 2, 2)->Save();
  }

  // Opens `file` in the target; true when it loaded. A refusal must say why and change nothing.
  bool OpenInTarget(const std::string &file) {
    const SudReadResult result = target_->Open(file);
    lastFailure_ = result.Failure;
    if (!result.Ok) {
      EXPECT_NE(result.Failure, FileFailure::None);
      EXPECT_FALSE(result.Message.empty());
      EXPECT_EQ(target_->Save(), before_) << "a refused file changed the program";
    }
    return result.Ok;
  }

  static size_t GridSetWordsOffset() { return 1 + kSudHeaders[4].size() + 5 * 4; }
  // The first grid's variant block: after the set words, the order array and the numerals.
  static size_t FirstBlockOffset(const std::string &file) {
    const size_t orderCount = static_cast<uint8_t>(file[GridSetWordsOffset() + 4 * 4]);
    size_t at = GridSetWordsOffset() + 6 * 4 + 8 + orderCount * 4;
    for (int i = 0; i < 16; ++i)
      at += 1 + static_cast<uint8_t>(file[at]);
    return at + 2 * 16 * 4 + 8;
  }
  static size_t FirstRecordCountOffset(const std::string &file) {
    return FirstBlockOffset(file) + kVariantBlockBytes;
  }
  static void PutInt(std::string &file, size_t at, int32_t value) {
    for (int i = 0; i < 4; ++i)
      file[at + i] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
  }

  std::unique_ptr<Program> target_;
  std::string before_;
  std::string valid_;
  FileFailure lastFailure_ = FileFailure::None;
};

TEST_F(SudHostileFile, TheValidFixtureLoads) {
  Program fresh;
  ASSERT_TRUE(fresh.Open(valid_).Ok);
  EXPECT_EQ(fresh.Ctx->Grids.AllCount, 2);
  EXPECT_EQ(fresh.Ctx->Geo.GridWidth, 4);
}

TEST_F(SudHostileFile, AFileCutAtAnyLengthIsRefused) {
  // One 4x4 grid and one undo step: every length outside the variant block and the undo
  // images, and a sample of lengths inside them.
  const std::string small = RandomProgram(9, 0, 1, 1, 1)->Save();
  Program fresh;
  ASSERT_TRUE(fresh.Open(small).Ok);
  const size_t blockStart = FirstBlockOffset(small);
  const size_t blockEnd = blockStart + kVariantBlockBytes;
  const size_t undoStart = small.size() - fresh.Ctx->Grids.Main[0].NRecords * kCellImageBytes;
  const size_t historyStart = undoStart - 8;
  int cuts = 0;
  for (size_t length = 0; length < small.size(); ++length) {
    const bool inBlock = length > blockStart && length < blockEnd;
    const bool inImages = length > undoStart;
    if ((inBlock && length % 101 != 0) || (inImages && length % 53 != 0))
      continue;
    ++cuts;
    const bool loaded = OpenInTarget(small.substr(0, length));
    // Only a file cut right before its undo history loads: the history is optional.
    EXPECT_EQ(loaded, length == historyStart) << "cut at " << length;
    if (loaded) {
      ASSERT_TRUE(target_->Open(before_).Ok);
    }
  }
  EXPECT_GT(cuts, 5000);
}

TEST_F(SudHostileFile, AnUnknownHeaderIsRefusedWithAMessage) {
  std::string file = valid_;
  file[5] = 'X';
  EXPECT_FALSE(OpenInTarget(file));
  EXPECT_EQ(lastFailure_, FileFailure::NotAGridFile);
  EXPECT_FALSE(OpenInTarget(""));
  EXPECT_FALSE(OpenInTarget("Quorbel Mode Sudo v5"));
}

TEST_F(SudHostileFile, AGridSizeOutOfRangeIsRefused) {
  const size_t geometry = 1 + kSudHeaders[4].size();
  for (int32_t width : {0, 3, 17, -4, 1 << 30}) {
    std::string file = valid_;
    for (int i = 0; i < 5; ++i)
      PutInt(file, geometry + 4 * i, i == 2 || i == 3 ? 1 : width);
    EXPECT_FALSE(OpenInTarget(file)) << width;
    EXPECT_EQ(lastFailure_, FileFailure::UnplayableSize);
  }
  std::string blocks = valid_;
  PutInt(blocks, geometry + 8, 4); // 4 x 4 grid with blocks of 4 x 2
  EXPECT_FALSE(OpenInTarget(blocks));
}

TEST_F(SudHostileFile, GridCountsAndShownGridsOutOfRangeAreRefused) {
  const size_t counts = GridSetWordsOffset();
  for (auto [slot, value] : std::vector<std::pair<int, int32_t>>{{0, 0}, {0, 3}, {1, 13}, {1, -1}, {4, 13}}) {
    std::string file = valid_;
    PutInt(file, counts + 4 * slot, value);
    EXPECT_FALSE(OpenInTarget(file)) << slot << " " << value;
    EXPECT_EQ(lastFailure_, FileFailure::Damaged);
  }
  std::string order = valid_;
  PutInt(order, counts + 6 * 4 + 8, 2); // the first shown grid, in a set of two
  EXPECT_FALSE(OpenInTarget(order));
}

TEST_F(SudHostileFile, ARecordCountOutsideTheGridIsRefused) {
  const size_t at = FirstRecordCountOffset(valid_);
  Program fresh;
  ASSERT_TRUE(fresh.Open(valid_).Ok);
  const int32_t records = fresh.Ctx->Grids.Main[0].NRecords;
  std::string check = valid_;
  ASSERT_EQ(static_cast<uint8_t>(check[at]), records);
  // Fewer records than playing cells would let undo steps of no bytes grow into full grids.
  for (int32_t count :
       {fresh.Ctx->Geo.AllocatedRecords() + 1, -1, 0x7FFFFFFF, 0, fresh.Ctx->Geo.NCells - 1}) {
    std::string file = valid_;
    PutInt(file, at, count);
    EXPECT_FALSE(OpenInTarget(file)) << count;
  }
}

TEST_F(SudHostileFile, AListCountBeyondItsCapacityNamesTheList) {
  // The Little Killer count stands right after the layout table (273 words).
  const size_t block = FirstBlockOffset(valid_);
  std::string file = valid_;
  PutInt(file, block + 273 * 4, 65);
  const SudReadResult result = target_->Open(file);
  ASSERT_FALSE(result.Ok);
  EXPECT_NE(result.Message.find("grid 1, variant block, Little Killer: count"), std::string::npos)
      << result.Message;
  EXPECT_NE(result.Message.find("65 is outside 0..64"), std::string::npos) << result.Message;
  EXPECT_EQ(target_->Save(), before_);
}

TEST_F(SudHostileFile, ACellIndexOutsideTheGridIsRefused) {
  // Make the first Little Killer clue counted and give it a first cell past the 16 cells.
  const size_t block = FirstBlockOffset(valid_);
  std::string file = valid_;
  PutInt(file, block + 273 * 4, 1);
  PutInt(file, block + 274 * 4, 16);
  const SudReadResult result = target_->Open(file);
  ASSERT_FALSE(result.Ok);
  EXPECT_NE(result.Message.find("Little Killer: first cell[0]: 16 is outside 0..15"), std::string::npos)
      << result.Message;
}

TEST_F(SudHostileFile, CluesTheTextGridReaderRefusesAreRefusedToo) {
  const size_t block = FirstBlockOffset(valid_);
  // A Little Killer clue from cell 0 to cell 6 of a 4 x 4 grid: not one diagonal.
  std::string offDiagonal = valid_;
  PutInt(offDiagonal, block + 273 * 4, 1);
  PutInt(offDiagonal, block + 274 * 4, 0);
  PutInt(offDiagonal, block + (274 + 64) * 4, 6);
  SudReadResult result = target_->Open(offDiagonal);
  ASSERT_FALSE(result.Ok);
  EXPECT_NE(result.Message.find("cells 0 and 6 are not on one diagonal"), std::string::npos)
      << result.Message;
  // A region row naming cell 16 of a 16-cell grid.
  std::string region = valid_;
  PutInt(region, block, 1);
  PutInt(region, block + 4, 1);
  PutInt(region, block + 17 * 4, 16);
  result = target_->Open(region);
  ASSERT_FALSE(result.Ok);
  EXPECT_NE(result.Message.find("region row 0: cell 16 is outside 0..15"), std::string::npos)
      << result.Message;
  EXPECT_EQ(target_->Save(), before_);
}

TEST_F(SudHostileFile, AValueThatDoesNotFitItsFieldIsRefused) {
  // The layout's first cell is stored in 16 bits.
  const size_t block = FirstBlockOffset(valid_);
  std::string file = valid_;
  PutInt(file, block + 17 * 4, 40000);
  EXPECT_FALSE(OpenInTarget(file));
}

TEST_F(SudHostileFile, AnUndoPositionBeyondItsHistoryIsRefused) {
  // The last grid is followed by the game state; the undo words come after the placements.
  Program fresh;
  ASSERT_TRUE(fresh.Open(valid_).Ok);
  const size_t undoBytes = 2 * fresh.Ctx->Grids.Main[0].NRecords * kCellImageBytes;
  const size_t at = valid_.size() - undoBytes - 4;
  std::string file = valid_;
  PutInt(file, at, 2);
  EXPECT_TRUE(fresh.Open(file).Ok) << "one past the last step: the newest state was not saved as a step";
  PutInt(file, at, 3);
  EXPECT_FALSE(OpenInTarget(file));
  PutInt(file, at, -1);
  EXPECT_FALSE(OpenInTarget(file));
}

TEST_F(SudHostileFile, AHugeUndoHistoryIsLeftOutAndSaid) {
  Program fresh;
  ASSERT_TRUE(fresh.Open(valid_).Ok);
  const size_t undoBytes = 2 * fresh.Ctx->Grids.Main[0].NRecords * kCellImageBytes;
  const size_t at = valid_.size() - undoBytes - 8;
  std::string file = valid_;
  PutInt(file, at, kMaxUndoSteps);
  const SudReadResult result = fresh.Open(file);
  ASSERT_TRUE(result.Ok) << result.Message;
  ASSERT_EQ(result.Warnings.size(), 1u);
  EXPECT_NE(result.Warnings[0].find("3001 steps"), std::string::npos);
  EXPECT_TRUE(fresh.Content.Undo.Steps.empty());
  PutInt(file, at, std::numeric_limits<int32_t>::max());
  const SudReadResult longest = fresh.Open(file);
  ASSERT_EQ(longest.Warnings.size(), 1u);
  EXPECT_NE(longest.Warnings[0].find("of 2147483648 steps"), std::string::npos) << longest.Warnings[0];
  // One step short of the limit is kept, when the file holds it.
  PutInt(file, at, 1000);
  EXPECT_FALSE(OpenInTarget(file)) << "a history of 1001 steps that the file does not hold";
}

TEST_F(SudHostileFile, RandomMutationsNeverCrashAndRefusalsChangeNothing) {
  Draw draw(2024);
  int refused = 0;
  for (int round = 0; round < 400; ++round) {
    std::string file = valid_;
    const int edits = draw.In(1, 8);
    for (int e = 0; e < edits; ++e) {
      const size_t at = draw.In(0, static_cast<int>(file.size()) - 1);
      switch (draw.In(0, 3)) {
      case 0: // a flipped bit
        file[at] = static_cast<char>(file[at] ^ (1 << draw.In(0, 7)));
        break;
      case 1: // a word of extremes
        if (at + 4 <= file.size())
          PutInt(file, at, draw.In(0, 1) ? 0x7FFFFFFF : static_cast<int32_t>(0x80000000));
        break;
      case 2: // a small count
        if (at + 4 <= file.size())
          PutInt(file, at, draw.In(-3, 300));
        break;
      default: // a cut
        file.resize(at);
        break;
      }
    }
    if (OpenInTarget(file)) {
      // What loads is sound enough to be saved and read again.
      Program again;
      EXPECT_TRUE(again.Open(target_->Save()).Ok);
      ASSERT_TRUE(target_->Open(before_).Ok);
    } else {
      ++refused;
    }
  }
  EXPECT_GT(refused, 0);
}
