// Generated grids saved and opened again, as text and as a grid file: the same puzzle as the player
// sees it (rules shown and hidden, givens, every clue, the legend, the Double and Triple points,
// pieces as turned), which counts what it counted before. Every row the generator makes, each at one
// of the sizes that offer it, and the combinations it makes: Kimo over the sums it changes, the
// comparison rules with All Indicated, Double and Triple, random rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "engine/cell_set_rules.h"
#include "engine/engine_context.h"
#include "engine/grid_set.h"
#include "engine/grid_shape.h"
#include "engine/rule_registry.h"
#include "engine/update_possibles.h"
#include "files/sud_file_reader.h"
#include "files/sud_file_writer.h"
#include "files/text_grid_reader.h"
#include "files/text_grid_writer.h"
#include "platform/paths.h"
#include "solver/generate_grid.h"
#include "solver/solution_count.h"
#include "tests/support/row_rules.h"
#include "view/legend_lines.h"

namespace quorbel {
namespace {

constexpr int kLimit = 10;
constexpr int32_t kCountTimeOver = 60000;

std::unique_ptr<EngineContext> NewContext() {
  auto ctx = std::make_unique<EngineContext>();
  TakeNumeralWords(*ctx, kEnglishNumeralWords);
  return ctx;
}

// Each grid counted with the rule it hides switched on, as the player plays it.
int CountWithRulesShown(EngineContext &ctx) {
  std::array<VariantWords, kMaxGrids> words{};
  for (int g = 0; g < UsedMainCount(ctx.Grids); ++g) {
    GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(g)];
    words[static_cast<size_t>(g)] = grid.GridVar;
    grid.GridVar |= grid.Lists.HiddenRule;
  }
  ctx.Settings.TimeOver = kCountTimeOver;
  UpdatePossibles(ctx, -1, -1, -1, 1);
  const int count = SearchLinkedSolutions(ctx, -1, 0, kLimit, 0);
  for (int g = 0; g < UsedMainCount(ctx.Grids); ++g)
    ctx.Grids.Main[static_cast<size_t>(g)].GridVar = words[static_cast<size_t>(g)];
  return count;
}

// What the player sees of a grid beside its rules and clue lists: its givens and each cell's marks.
struct CellSeen {
  int32_t Given, AllowedType, AllowedIndex;
  int16_t Class, Numeral;
  bool CrossedOut;
  bool operator==(const CellSeen &) const = default;
};
struct GridSeen {
  VariantWords Rules;
  std::unique_ptr<VariantLists> Lists; // its clues, the hidden rule among them
  std::vector<CellSeen> Cells;
  std::vector<std::string> Legend;
};
struct SetSeen {
  std::vector<GridSeen> Grids;
  std::string Points; // the Double and Triple legend, empty without the rule
};

// The clues as the player meets them: what lies past a row's or a piece's length, and what
// propagation fills in, left out.
void SeenOnly(VariantLists &lists) {
  BlockLayout &layout = lists.Layout;
  for (size_t r = 0; r < layout.Cells.size(); ++r)
    std::fill(layout.Cells[r].begin() + std::clamp<int>(layout.RowLength[r], 0, 16), layout.Cells[r].end(),
              -1);
  for (PuzzlePiece &piece : lists.Pieces.Used()) {
    const int n = std::clamp<int>(piece.NCells, 0, 10);
    std::fill(piece.Cells.begin() + n, piece.Cells.end(), -1);
    std::fill(piece.Digits.begin() + n, piece.Digits.end(), 0);
    std::fill(piece.Identities.begin() + n, piece.Identities.end(), -1);
  }
  // Whether pieces turn is the player's preference, and without pieces nothing turns.
  if (lists.Pieces.Size() == 0)
    lists.PuzzleRotation = 0;
  // Read off the solution by each propagation.
  lists.MagicSentence.SavedValues = MagicSentenceClue::MakeUnsaved();
  // A grid without a partner holds no substitution map.
  if (lists.TwinsPartner < 0)
    lists.SubstitutionOwner = 0;
}

SetSeen WhatThePlayerSees(const EngineContext &ctx) {
  SetSeen seen;
  const VariantWords shown = GridSetRules(ctx);
  for (int g = 0; g < UsedMainCount(ctx.Grids); ++g) {
    const GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(g)];
    GridSeen &s = seen.Grids.emplace_back();
    s.Rules = grid.GridVar;
    s.Lists = std::make_unique<VariantLists>(grid.Lists);
    SeenOnly(*s.Lists);
    for (const CellRecord &cell : grid.PlayingCells(ctx.Geo))
      s.Cells.push_back({cell.Status == kStatusGiven || cell.Status == kStatusFixed ? cell.Value : 0,
                         cell.AllowedType, cell.AllowedIndex, cell.CellClass, cell.Numeral,
                         cell.CrossedOut != 0});
    for (const LegendLine &line : BuildLegendLines(shown, grid.GridVar, &grid, Language::English))
      s.Legend.push_back(line.Text);
  }
  if (Meets(shown, kVarNeighbourScore))
    seen.Points = DoubleTripleLine(ctx.Points, ctx.Geo.GridWidth);
  return seen;
}

// The clue lists that differ, by name.
std::string ListsThatDiffer(const VariantLists &a, const VariantLists &b) {
  std::string names;
  const auto differs = [&](const char *name, bool same) {
    if (!same)
      names += std::string(name) + " ";
  };
#define QUORBEL_COMPARE(member) differs(#member, a.member == b.member);
  QUORBEL_COMPARE(Layout)
  QUORBEL_COMPARE(LittleKiller)
  QUORBEL_COMPARE(Killer)
  QUORBEL_COMPARE(OddEven)
  QUORBEL_COMPARE(Comparisons)
  QUORBEL_COMPARE(Distance)
  QUORBEL_COMPARE(Pieces)
  QUORBEL_COMPARE(PuzzleRotation)
  QUORBEL_COMPARE(PieceParity)
  QUORBEL_COMPARE(BoatClueRow)
  QUORBEL_COMPARE(BoatClueCol)
  QUORBEL_COMPARE(TwinsRelation)
  QUORBEL_COMPARE(OddPairs)
  QUORBEL_COMPARE(Quads)
  QUORBEL_COMPARE(TwinsZone)
  QUORBEL_COMPARE(MagicSentence)
  QUORBEL_COMPARE(Arrows)
  QUORBEL_COMPARE(Creasing)
  QUORBEL_COMPARE(Dan)
  QUORBEL_COMPARE(Equality)
  QUORBEL_COMPARE(Wheels)
  QUORBEL_COMPARE(Pan)
  QUORBEL_COMPARE(Navigator)
  QUORBEL_COMPARE(Chess)
  QUORBEL_COMPARE(MagicSquares)
  QUORBEL_COMPARE(Transfer)
  QUORBEL_COMPARE(TwinsPartner)
  QUORBEL_COMPARE(MultTable)
  QUORBEL_COMPARE(MasterMind)
  QUORBEL_COMPARE(SubstitutionOwner)
  QUORBEL_COMPARE(TwinsMultiple)
  QUORBEL_COMPARE(Frame)
  QUORBEL_COMPARE(Outside)
  QUORBEL_COMPARE(SameInLine)
  QUORBEL_COMPARE(RegionOn)
  QUORBEL_COMPARE(ComparisonTotal)
  QUORBEL_COMPARE(KimoModulus)
  QUORBEL_COMPARE(ZeroFlag)
  QUORBEL_COMPARE(ValuePermutation)
  QUORBEL_COMPARE(HiddenRule)
#undef QUORBEL_COMPARE
  return names;
}

void ExpectSameSight(const SetSeen &before, const SetSeen &after) {
  ASSERT_EQ(after.Grids.size(), before.Grids.size());
  EXPECT_EQ(after.Points, before.Points);
  for (size_t g = 0; g < before.Grids.size(); ++g) {
    SCOPED_TRACE(testing::Message() << "grid " << g);
    const GridSeen &a = before.Grids[g];
    const GridSeen &b = after.Grids[g];
    EXPECT_EQ(b.Rules, a.Rules);
    EXPECT_TRUE(*b.Lists == *a.Lists) << ListsThatDiffer(*a.Lists, *b.Lists);
    EXPECT_TRUE(b.Cells == a.Cells);
    EXPECT_EQ(b.Legend, a.Legend);
  }
}

// The tables a save takes from the engine and an open gives back, as the program does: the
// Double and Triple points and the Trio classes.
template <typename Tables> void GiveTables(const EngineContext &ctx, Tables &tables) {
  std::copy(ctx.Points.begin(), ctx.Points.end(), tables.NumeralTable1.begin());
  std::copy(ctx.ValueClasses.begin(), ctx.ValueClasses.end(), tables.NumeralTable2.begin());
}
template <typename Tables> void TakeTables(const Tables &tables, EngineContext &ctx) {
  for (size_t i = 0; i < ctx.Points.size(); ++i)
    ctx.Points[i] = static_cast<uint32_t>(tables.NumeralTable1[i]);
  for (size_t i = 0; i < ctx.ValueClasses.size(); ++i)
    ctx.ValueClasses[i] = static_cast<int8_t>(tables.NumeralTable2[i]);
  SettleValueClasses(ctx.Geo.GridWidth, ctx.ValueClasses);
}

std::span<const uint8_t> Bytes(const std::string &text) {
  return {reinterpret_cast<const uint8_t *>(text.data()), text.size()};
}

struct Sample {
  VariantWords Words;
  int Size;
  int Seed;
  int Level = 2;
  int VarMult = 0; // 2: rules drawn at random
};

// The rules' names, the size and the seed: "KillerSumKimo_9_1".
std::string NameOf(const Sample &s) {
  std::string name = s.VarMult == 2 ? "RandomMultiple" : "";
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row)
    if (Meets(s.Words, RuleRegistry[static_cast<size_t>(row)].Bit))
      name += RuleRegistry[static_cast<size_t>(row)].NameEn;
  if (Meets(s.Words, kVarNeighbourScore))
    name += "DoubleAndTriple";
  std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
  return name + "_" + std::to_string(s.Size) + "_" + std::to_string(s.Seed);
}

// Every row the generator makes, at one of its sizes in turn, so that every size has its rows.
std::vector<Sample> Samples() {
  std::vector<Sample> samples;
  int turn = 0;
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row) {
    if (!Meets(GeneratedRuleWords(), VariantCatalog[static_cast<size_t>(row)].VarMasks))
      continue;
    std::vector<int> sizes;
    for (int k = 0; k < kSizeClassCount; ++k)
      if (VariantAvailability(k, row) == 1)
        sizes.push_back(kSizeClassWidth[static_cast<size_t>(k)]);
    if (!sizes.empty())
      samples.push_back({test::RowRules(row), sizes[static_cast<size_t>(turn++) % sizes.size()], row});
  }
  const Sample combinations[] = {
      {kVarTiled, 9, 5, 3}, // a turned piece shows a 9 for a 6, or a 5 for a 2
      {kVarTwinsVariantMasked | kVarDiagonal | kVarNoConsecutive, 6, 5},
      {kVarKillerSum | kVarKimo, 9, 1},
      {kVarKillerProduct | kVarKimo, 9, 4},
      {kVarLittleKiller | kVarKimo, 9, 3},
      {kVarMasterMind, 9, 10, 3}, // the code and guesses of a MasterMind left without its rule
      {kVarNeighbourScore, 9, 3},
      {kVarNeighbourScore, 12, 1, 1},
      {kVarLess | kVarXV | kVarDot | kVarAllIndicated, 9, 2},
      {kVarXV | kVarAllIndicated, 6, 1},
      {{}, 9, 1, 2, 2},
      {{}, 9, 2, 2, 2},
      {{}, 6, 3, 2, 2},
      {{}, 8, 4, 2, 2},
  };
  samples.insert(samples.end(), std::begin(combinations), std::end(combinations));
  return samples;
}

class GeneratedGridsReopened : public ::testing::TestWithParam<Sample> {};

TEST_P(GeneratedGridsReopened, AsTheSamePuzzleFromTextAndFromTheGridFile) {
  const Sample &sample = GetParam();
  const std::string previous = StartDirectory(); // irregular layouts, sentences, ready-made solutions
  SetStartDirectory(std::string(QUORBEL_TEST_DATA) + "/../../data");
  auto made = NewContext();
  made->Settings.GridCurrSize = ShapeCodeOfSize(sample.Size);
  made->Settings.CurrentVariant = sample.Words;
  GeneratorSettings settings;
  settings.SeedOverride = sample.Seed;
  settings.GenereTimeOver = -1;
  settings.VarNGrids = 2;
  settings.VarMult = sample.VarMult;
  ASSERT_EQ(GenerateGrid(*made, settings, sample.Level).Result, 1);
  const SetSeen seen = WhatThePlayerSees(*made);
  const int before = CountWithRulesShown(*made);
  ASSERT_GE(before, 1);

  TextGridInfo tables;
  GiveTables(*made, tables);
  auto fromText = NewContext();
  TextGridInfo info;
  const TextGridResult read = OpenTextGrid(Bytes(WriteTextGrid(*made, tables)), *fromText, info);
  ASSERT_TRUE(read.Ok) << read.Message;
  TakeTables(info, *fromText);
  {
    SCOPED_TRACE("text");
    ExpectSameSight(seen, WhatThePlayerSees(*fromText));
    EXPECT_EQ(CountWithRulesShown(*fromText), before);
  }

  SudFileContent content;
  GiveTables(*made, content.Game);
  auto fromSud = NewContext();
  SudFileContent readContent;
  const SudReadResult sud = ReadSudFile(Bytes(WriteSudFile(*made, content)), *fromSud, readContent);
  ASSERT_TRUE(sud.Ok) << sud.Message;
  TakeTables(readContent.Game, *fromSud);
  {
    SCOPED_TRACE("grid file");
    ExpectSameSight(seen, WhatThePlayerSees(*fromSud));
    EXPECT_EQ(CountWithRulesShown(*fromSud), before);
  }
  SetStartDirectory(previous);
}

INSTANTIATE_TEST_SUITE_P(EveryRowAndCombination, GeneratedGridsReopened, ::testing::ValuesIn(Samples()),
                         [](const ::testing::TestParamInfo<Sample> &info) { return NameOf(info.param); });

// The Kimo samples above hold what they are here for: remainders of 0.
TEST(GeneratedGridsReopened, TheKimoSamplesHoldTotalsOfZero) {
  for (const auto &[words, seed] :
       {std::pair{kVarKillerSum | kVarKimo, 1}, std::pair{kVarKillerProduct | kVarKimo, 4},
        std::pair{kVarLittleKiller | kVarKimo, 3}}) {
    auto made = NewContext();
    made->Settings.GridCurrSize = ShapeCodeOfSize(9);
    made->Settings.CurrentVariant = words;
    GeneratorSettings settings;
    settings.GenereTimeOver = -1;
    settings.SeedOverride = seed;
    ASSERT_EQ(GenerateGrid(*made, settings, 2).Result, 1);
    const VariantLists &lists = made->Grids.Main[0].Lists;
    const auto zero = [](const auto &clue) { return clue.Target == 0; };
    EXPECT_TRUE(std::any_of(lists.Killer.Used().begin(), lists.Killer.Used().end(), zero) ||
                std::any_of(lists.LittleKiller.Used().begin(), lists.LittleKiller.Used().end(), zero))
        << words.word1;
  }
}

} // namespace
} // namespace quorbel
