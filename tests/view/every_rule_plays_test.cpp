// Every rule of the catalogue, end to end: generated at Medium with the time limits off, the set
// has one solution, and playing that solution cell by cell through the board finishes the game.
#include <gtest/gtest.h>

#include "app/settings_schema.h"
#include "engine/cell_set_rules.h"
#include "engine/grid_set.h"
#include "engine/update_possibles.h"
#include "engine/variant_catalog.h"
#include "platform/paths.h"
#include "solver/generate_grid.h"
#include "tests/engine/engine_test_support.h"
#include "view/board_input.h"

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
  ctx->NumeralStrings = {"ONE",  "TWO", "THREE",  "FOUR",   "FIVE",     "SIX",      "SEVEN",   "EIGHT",
                         "NINE", "TEN", "ELEVEN", "TWELVE", "THIRTEEN", "FOURTEEN", "FIFTEEN", "SIXTEEN"};
  BuildNumeralCharMasks(*ctx);
  GeneratorSettings settings;
  settings.SeedOverride = seed;
  settings.GenereTimeOver = -1;
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

class EveryRulePlays : public ::testing::Test {
protected:
  void SetUp() override {
    previous_ = StartDirectory();
    SetStartDirectory(std::string(QUORBEL_TEST_DATA) + "/../../data");
  }
  void TearDown() override { SetStartDirectory(previous_); }
  std::string previous_;
};

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
    const Played played =
        GenerateAndPlay(sizeClass, VariantCatalog[static_cast<size_t>(row)].VarMasks, 0, row);
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
      if (played.Solutions == 1)
        EXPECT_EQ(played.State, kGridConsistent);
    }
}

} // namespace
} // namespace quorbel
