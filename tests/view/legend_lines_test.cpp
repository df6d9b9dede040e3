// The legend of the shown rules.
#include <gtest/gtest.h>

#include "view/legend_lines.h"

namespace quorbel {
namespace {

std::vector<std::string> Texts(const std::vector<LegendLine> &lines) {
  std::vector<std::string> texts;
  for (const LegendLine &line : lines)
    texts.push_back(line.Text);
  return texts;
}

TEST(LegendLinesTest, OneLinePerShownRuleInTheFixedOrderMarkingTheCurrentGrid) {
  GridRecord grid;
  const std::vector<LegendLine> lines =
      BuildLegendLines(kVarNoTouch | kVarDiagonal | kVarKillerSum, kVarKillerSum, &grid, Language::English);
  EXPECT_EQ(Texts(lines), (std::vector<std::string>{"Diagonal", ">>Killer", "Dont Touch"}));
  EXPECT_EQ(lines[1].Bits, kVarKiller);
  EXPECT_EQ(Texts(BuildLegendLines(kVarNoTouch, {}, &grid, Language::French)),
            std::vector<std::string>{"Pas Touche"});
  EXPECT_TRUE(BuildLegendLines({}, {}, &grid, Language::English).empty());
}

TEST(LegendLinesTest, LabelsCarryTheCurrentGridsNumbers) {
  GridRecord grid;
  grid.Lists.KimoModulus = 3;
  grid.Lists.ZeroFlag = 1;
  grid.Lists.ComparisonTotal = 7;
  grid.Lists.Dan.MaxDistinct = 4;
  const std::vector<LegendLine> lines =
      BuildLegendLines(kVarLittleKiller | kVarKimo | kVarDot | kVarDan, {}, &grid, Language::English);
  EXPECT_EQ(Texts(lines),
            (std::vector<std::string>{"Little Killer Mod3", "Zero Kimo Mod3", "Dots(N=7)", "Dan Zone Max4"}));
}

TEST(LegendLinesTest, SomeRulesTakeTheirNameFromTheCatalogueOrTheMessages) {
  const std::vector<LegendLine> english =
      BuildLegendLines(kVarIrregular | kVarOdd, {}, nullptr, Language::English);
  ASSERT_EQ(english.size(), 2u);
  EXPECT_EQ(english[0].Text, "Irregular");
  EXPECT_FALSE(english[1].Text.empty());
  EXPECT_EQ(BuildLegendLines(kVarIrregular, {}, nullptr, Language::French)[0].Text, "Irregulier");
}

} // namespace
} // namespace quorbel
