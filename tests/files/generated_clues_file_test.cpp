// Grids the generator makes with clue rules come back whole from both grid formats.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/cell_set_rules.h"
#include "engine/engine_context.h"
#include "engine/grid_shape.h"
#include "engine/rule_registry.h"
#include "files/sud_file_reader.h"
#include "files/sud_file_writer.h"
#include "files/text_grid_reader.h"
#include "files/text_grid_writer.h"
#include "platform/paths.h"
#include "solver/generate_grid.h"
#include "solver/hidden_variant_table.h"
#include "solver/variant_clues.h"

namespace quorbel {
namespace {

constexpr int kShapeNine = 5;

std::span<const uint8_t> Bytes(const std::string &text) {
  return {reinterpret_cast<const uint8_t *>(text.data()), text.size()};
}

// The text grid without its rule lines that begin with one of `letters`; `dropped` counts them.
std::string WithoutRuleLines(const std::string &text, std::string_view letters, int &dropped) {
  std::string kept;
  bool ruleLines = false;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find("\r\n", start), text.size());
    const std::string_view line(text.data() + start, end - start);
    if (line.starts_with(";Start Save"))
      ruleLines = line.starts_with(";Start Save Varient");
    if (ruleLines && !line.empty() && letters.find(line[0]) != std::string_view::npos)
      ++dropped;
    else
      kept.append(line).append("\r\n");
    start = end + 2;
  }
  return kept;
}

// Each rule the grids hold is written on the lines its row names, and only those lines give it.
void ExpectRuleLinesOfTheRows(const EngineContext &made, const std::string &text) {
  for (const RuleDef &rule : RuleRegistry) {
    bool held = false;
    for (int g = 0; g < UsedMainCount(made.Grids); ++g)
      held = held || Meets(made.Grids.Main[g].GridVar, rule.Bit);
    if (!held)
      continue;
    int dropped = 0;
    const std::string without = WithoutRuleLines(text, rule.TextLetters, dropped);
    EXPECT_GT(dropped, 0) << rule.NameEn;
    auto read = std::make_unique<EngineContext>();
    SetGridShape(*read, kShapeNine, 1, 0);
    TextGridInfo info;
    // A Magic Sentence line takes the next line as its letters: without it the file is refused.
    if (!OpenTextGrid(Bytes(without), *read, info).Ok) {
      EXPECT_EQ(rule.Row, RuleRow::MagicSentence) << rule.NameEn;
      continue;
    }
    for (int g = 0; g < UsedMainCount(read->Grids); ++g)
      EXPECT_FALSE(Meets(read->Grids.Main[g].GridVar, rule.Bit)) << rule.NameEn;
  }
}

void ExpectSameClues(const GridRecord &made, const GridRecord &read, VariantWords words) {
  EXPECT_EQ(read.GridVar, words);
  EXPECT_TRUE(read.Lists.Killer == made.Lists.Killer); // a Kimo total of 0 too
  EXPECT_TRUE(read.Lists.LittleKiller == made.Lists.LittleKiller);
  EXPECT_TRUE(read.Lists.Arrows == made.Lists.Arrows);
  EXPECT_TRUE(read.Lists.Creasing == made.Lists.Creasing);
  EXPECT_TRUE(read.Lists.Frame == made.Lists.Frame);
  EXPECT_TRUE(read.Lists.Outside == made.Lists.Outside);
  EXPECT_TRUE(read.Lists.Transfer == made.Lists.Transfer);
  EXPECT_TRUE(read.Lists.MultTable == made.Lists.MultTable);
  EXPECT_EQ(read.Lists.KimoModulus, made.Lists.KimoModulus);
  EXPECT_TRUE(read.Lists.Navigator == made.Lists.Navigator);
  EXPECT_TRUE(read.Lists.Chess == made.Lists.Chess);
  EXPECT_TRUE(read.Lists.Dan == made.Lists.Dan);
  EXPECT_TRUE(read.Lists.Equality == made.Lists.Equality);
  EXPECT_TRUE(read.Lists.Wheels == made.Lists.Wheels);
  EXPECT_TRUE(read.Lists.MasterMind == made.Lists.MasterMind);
  EXPECT_TRUE(read.Lists.TwinsRelation == made.Lists.TwinsRelation);
  EXPECT_TRUE(read.Lists.TwinsMultiple == made.Lists.TwinsMultiple);
  EXPECT_TRUE(read.Lists.TwinsZone == made.Lists.TwinsZone);
  EXPECT_TRUE(read.Lists.SameInLine == made.Lists.SameInLine);
  EXPECT_EQ(read.Lists.TwinsPartner, made.Lists.TwinsPartner);
  // The saved values are the solution's, read again at the next propagation.
  EXPECT_EQ(read.Lists.MagicSentence.NCells, made.Lists.MagicSentence.NCells);
  EXPECT_TRUE(read.Lists.MagicSentence.Cells == made.Lists.MagicSentence.Cells);
  EXPECT_TRUE(read.Lists.MagicSentence.LetterTable == made.Lists.MagicSentence.LetterTable);
  for (size_t c = 0; c < made.Cells.size(); ++c) {
    EXPECT_EQ(read.Cells[c].CellClass, made.Cells[c].CellClass) << c;
    EXPECT_EQ(read.Cells[c].Numeral, made.Cells[c].Numeral) << c;
    EXPECT_EQ(read.Cells[c].AllowedType, made.Cells[c].AllowedType) << c;
    EXPECT_EQ(read.Cells[c].AllowedIndex, made.Cells[c].AllowedIndex) << c;
  }
}

TEST(GeneratedClues, SurviveTheGridFileAndTheTextGrid) {
  std::vector<VariantWords> rules = {kVarKillerSum | kVarKimo, kVarMultTable};
  for (const HiddenVariantEntry &entry : HiddenVariantTable)
    if (Meets(entry.Words, GeneratedClueWords()) && !Meets(entry.Words, kVarPirate)) // Pirate has no clue
      rules.push_back(entry.Words);
  // The Magic Sentence's sentences come from our own files.
  const std::string previous = StartDirectory();
  SetStartDirectory(std::string(QUORBEL_TEST_DATA) + "/../../data");
  for (const VariantWords words : rules) {
    SCOPED_TRACE(testing::Message() << "rule " << words.word1 << "/" << words.word2);
    auto made = std::make_unique<EngineContext>();
    made->Settings.GridCurrSize = kShapeNine;
    made->Settings.CurrentVariant = words;
    made->NumeralStrings = {"UN", "DEUX", "TROIS", "QUATRE", "CINQ", "SIX", "SEPT", "HUIT", "NEUF"};
    BuildNumeralCharMasks(*made);
    GeneratorSettings settings;
    settings.SeedOverride = 77;
    ASSERT_EQ(GenerateGrid(*made, settings, 1).Result, 1);
    // A rule between grids lives on the grids after the first.
    const int grids = UsedMainCount(made->Grids);
    bool held = false;
    for (int g = 0; g < grids; ++g)
      held = held || Meets(made->Grids.Main[g].GridVar, words);
    ASSERT_TRUE(held);

    auto fromSud = std::make_unique<EngineContext>();
    SudFileContent content;
    ASSERT_TRUE(ReadSudFile(Bytes(WriteSudFile(*made, SudFileContent{})), *fromSud, content).Ok);
    auto fromText = std::make_unique<EngineContext>();
    SetGridShape(*fromText, kShapeNine, 1, 0);
    TextGridInfo info;
    const std::string text = WriteTextGrid(*made, TextGridInfo{});
    const TextGridResult read = OpenTextGrid(Bytes(text), *fromText, info);
    ASSERT_TRUE(read.Ok) << read.Message;
    ExpectRuleLinesOfTheRows(*made, text);
    ASSERT_EQ(UsedMainCount(fromSud->Grids), grids);
    ASSERT_EQ(UsedMainCount(fromText->Grids), grids);
    for (int g = 0; g < grids; ++g) {
      const GridRecord &grid = made->Grids.Main[g];
      ExpectSameClues(grid, fromSud->Grids.Main[g], grid.GridVar);
      ExpectSameClues(grid, fromText->Grids.Main[g], grid.GridVar);
    }
  }
  SetStartDirectory(previous);
}

TEST(GeneratedClues, TheSumsGridAndTheHiddenRulesSurviveBothGridFormats) {
  for (const VariantWords words : {kVarTwinsTotal, kVarTwinsVariantMasked}) {
    SCOPED_TRACE(testing::Message() << "rule " << words.word1 << "/" << words.word2);
    auto made = std::make_unique<EngineContext>();
    made->Settings.GridCurrSize = kShapeNine;
    made->Settings.CurrentVariant = words;
    GeneratorSettings settings;
    settings.SeedOverride = 5;
    settings.VarNGrids = 3;
    ASSERT_EQ(GenerateGrid(*made, settings, 1).Result, 1);
    auto read = std::make_unique<EngineContext>();
    SudFileContent content;
    const SudReadResult result = ReadSudFile(Bytes(WriteSudFile(*made, SudFileContent{})), *read, content);
    ASSERT_TRUE(result.Ok) << result.Message;
    ASSERT_EQ(read->Grids.AllCount, made->Grids.AllCount);
    for (int g = 0; g < made->Grids.AllCount; ++g) {
      EXPECT_EQ(read->Grids.Main[g].Lists.HiddenRule, made->Grids.Main[g].Lists.HiddenRule);
      for (int c = 0; c < made->Geo.NCells; ++c)
        ASSERT_EQ(read->Grids.Main[g].Cells[c].Value, made->Grids.Main[g].Cells[c].Value) << g << " " << c;
    }
    auto text = std::make_unique<EngineContext>();
    SetGridShape(*text, kShapeNine, 1, 0);
    TextGridInfo info;
    const TextGridResult back = OpenTextGrid(Bytes(WriteTextGrid(*made, TextGridInfo{})), *text, info);
    ASSERT_TRUE(back.Ok) << back.Message;
    ASSERT_EQ(text->Grids.AllCount, made->Grids.AllCount);
    for (int g = 0; g < made->Grids.AllCount; ++g) {
      EXPECT_EQ(text->Grids.Main[g].Lists.HiddenRule, made->Grids.Main[g].Lists.HiddenRule);
      for (int c = 0; c < made->Geo.NCells; ++c)
        ASSERT_EQ(text->Grids.Main[g].Cells[c].Value, made->Grids.Main[g].Cells[c].Value) << g << " " << c;
    }
  }
}

} // namespace
} // namespace quorbel
