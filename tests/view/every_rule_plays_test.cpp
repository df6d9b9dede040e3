// Every rule of the catalogue, end to end: generated at Medium with the time limits off, the set
// has one solution, and playing that solution cell by cell through the board finishes the game.
#include <gtest/gtest.h>

#include "app/settings_schema.h"
#include "engine/cell_set_rules.h"
#include "engine/grid_set.h"
#include "engine/grid_shape.h"
#include "engine/update_possibles.h"
#include "engine/variant_catalog.h"
#include "files/sud_file_reader.h"
#include "files/sud_file_writer.h"
#include "solver/generate_grid.h"
#include "tests/engine/engine_test_support.h"
#include "tests/support/count_limit.h"
#include "tests/support/data_directory.h"
#include "tests/support/row_rules.h"
#include "view/board_input.h"
#include "view/clue_definitions.h"

namespace quorbel {
namespace {

class QuietFeedback final : public BoardFeedback {
public:
  void RedrawViewNow() override {}
  void SignalPlacement(int, int) override {}
  void CheckEndOfGame() override {}
  void PlaySoundEffect(int) override {}
  void SaveSettings() override {}
  void SelectionChanged(const SelectionList &) override {}
};

constexpr int kMedium = 2;
constexpr int kMagicSquareRow = 48;
constexpr int kPanDigitalRow = 51;
// Smaller grids first: the check is of the rules, not of the sizes.
constexpr int kSizeClassesByCost[] = {1, 0, 2, 3, 4, 5};

struct Played {
  int Result = 0;
  int Solutions = 0;
  int Refused = 0; // cells the board would not take the solution's value in
  int State = 0;
};

Played GenerateAndPlay(int sizeClass, VariantWords words, int varMult, int seed) {
  test::RecordingHost host;
  auto ctx = std::make_unique<EngineContext>(host);
  ctx->Settings.GridCurrSize = ShapeCodeOfSize(kSizeClassWidth[static_cast<size_t>(sizeClass)]);
  ctx->Settings.CurrentVariant = words;
  TakeNumeralWords(*ctx, kEnglishNumeralWords);
  GeneratorSettings settings;
  settings.SeedOverride = seed;
  settings.GenereTimeOver = test::kTestCountLimitMs;
  settings.VarMult = varMult;
  const GenerationReport report = GenerateGrid(*ctx, settings, kMedium);
  Played played{report.Result, report.Solutions};
  if (report.Result != 1)
    return played;

  AppSettings app = DefaultSettings();
  SelectionList selection;
  QuietFeedback feedback;
  BoardInput input(*ctx, app, selection, feedback);
  GridSet &set = ctx->Grids;
  for (int g = 0; g < UsedMainCount(set); ++g)
    for (int c = 0; c < ctx->Geo.NCells; ++c)
      if (set.Main[g].Cells[c].Status == kStatusEmpty &&
          input.PlaceValue(g, c, set.RefTab[g].Cells[c].Value) != 1)
        ++played.Refused;
  UpdatePossibles(*ctx, -1, -1, -1, 1);
  played.State = CombinedGridState(*ctx, -1);
  return played;
}

class EveryRulePlays : public test::DataDirectoryTest {};

TEST_F(EveryRulePlays, EachCatalogueRowGivesAUniqueSetThatPlaysToTheEnd) {
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row) {
    if (row == kMagicSquareRow || row == kPanDigitalRow)
      continue; // their clues are placed by hand
    int sizeClass = -1;
    for (int k : kSizeClassesByCost)
      if (sizeClass < 0 && VariantAvailability(k, row) == 1)
        sizeClass = k;
    ASSERT_GE(sizeClass, 0) << row;
    SCOPED_TRACE(testing::Message() << VariantCatalog[static_cast<size_t>(row)].VarNameEn << " at "
                                    << kSizeClassWidth[static_cast<size_t>(sizeClass)]);
    const Played played = GenerateAndPlay(sizeClass, test::RowRules(row), 0, row);
    ASSERT_EQ(played.Result, 1);
    EXPECT_EQ(played.Solutions, 1);
    EXPECT_EQ(played.Refused, 0);
    EXPECT_EQ(played.State, kGridConsistent);
  }
}

TEST_F(EveryRulePlays, RandomRulesDrawnOneOrSeveralAtATimePlayToTheEnd) {
  for (int varMult = 1; varMult <= 2; ++varMult)
    for (int seed = 1000; seed <= 4000; seed += 1000) { // seeds apart draw apart
      SCOPED_TRACE(testing::Message() << "VARMULT " << varMult << " seed " << seed);
      const Played played = GenerateAndPlay(1, {}, varMult, seed);
      ASSERT_EQ(played.Result, 1);
      EXPECT_EQ(played.Refused, 0);
      if (played.Solutions == 1) {
        EXPECT_EQ(played.State, kGridConsistent);
      }
    }
}

// The rules no generator makes: defined by the expert on a solution whose first block is a magic
// square, saved, reopened and played to the end.
TEST_F(EveryRulePlays, HandPlacedMagicSquareAndPanDigitalAreSavedReopenedAndPlayed) {
  constexpr int kShapeOf9 = 5;
  constexpr std::array<int, 10> kLoShu = {0, 2, 7, 6, 9, 5, 1, 4, 3, 8}; // relabels 1..9
  constexpr int kNotEqual = 7;
  test::RecordingHost host;
  auto made = std::make_unique<EngineContext>(host);
  SetGridShape(*made, kShapeOf9, 1, 0);
  GridSet &set = made->Grids;
  for (int c = 0; c < 81; ++c) {
    const int value = kLoShu[static_cast<size_t>((c % 9 + c / 9 * 3 + c / 27) % 9 + 1)];
    set.RefTab[0].Cells[c].Value = value;
    set.RefTab[0].Cells[c].Status = kStatusFixed;
    const bool open = c % 9 < 3 && c / 9 < 3; // the magic square is left to play
    SetCellValue(*made, set.Main[0], c, open ? 0 : value, open ? kActionClear : kActionPlaceFixed);
  }
  UpdatePossibles(*made, -1, -1, -1, 1);
  SelectionList selection;
  QuietFeedback feedback;
  ClueDefinitions expert(*made, selection, feedback, true);
  for (int c : {0, 1, 2, 9, 10, 11, 18, 19, 20})
    selection.Pairs[static_cast<size_t>(selection.Count++)] = {c, 0};
  expert.MagicSquare();
  selection.Count = 0;
  for (int c : {0, 3, 6})
    selection.Pairs[static_cast<size_t>(selection.Count++)] = {c, 0};
  ClueDefinitions::PanChoice choice;
  ASSERT_TRUE(expert.PanSelection(choice));
  expert.Pan(choice, choice.Position, {kNotEqual, kNotEqual, 0});
  ASSERT_TRUE(Meets(set.Main[0].GridVar, kVarMagicSquare));
  ASSERT_TRUE(Meets(set.Main[0].GridVar, kVarPanDigital));

  auto read = std::make_unique<EngineContext>(host);
  SudFileContent content;
  const std::string bytes = WriteSudFile(*made, SudFileContent{});
  ASSERT_TRUE(
      ReadSudFile({reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size()}, *read, content).Ok);
  GridRecord &grid = read->Grids.Main[0];
  EXPECT_EQ(grid.Lists.MagicSquares.Size(), 1);
  EXPECT_EQ(grid.Lists.Pan.Size(), 1);
  AppSettings app = DefaultSettings();
  BoardInput input(*read, app, selection, feedback);
  for (int c = 0; c < 81; ++c)
    if (grid.Cells[c].Status == kStatusEmpty) {
      EXPECT_EQ(input.PlaceValue(0, c, read->Grids.RefTab[0].Cells[c].Value), 1) << c;
    }
  UpdatePossibles(*read, -1, -1, -1, 1);
  EXPECT_EQ(CombinedGridState(*read, -1), kGridConsistent);
}

} // namespace
} // namespace quorbel
