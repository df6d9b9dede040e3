#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/macro_line.h"
#include "files/script_words.h"

using namespace quorbel;

namespace {

std::vector<std::string> Tokens(std::string_view text) {
  std::vector<std::string> tokens;
  while (!text.empty())
    tokens.emplace_back(NextMacroToken(text));
  return tokens;
}

} // namespace

TEST(NextMacroToken, SplitsAtSemicolons) {
  EXPECT_EQ(Tokens("B;0;12;3;"), (std::vector<std::string>{"B", "0", "12", "3"}));
  EXPECT_EQ(Tokens("G;9;"), (std::vector<std::string>{"G", "9"}));
  EXPECT_EQ(Tokens("A;;C"), (std::vector<std::string>{"A", "", "C"}));
}

TEST(NextMacroToken, ATabEndsTheTextAndDropsTheRestUpToTheNextSemicolon) {
  EXPECT_EQ(Tokens("SETCELL;105\tcell five;5"), (std::vector<std::string>{"SETCELL", "105", "5"}));
  EXPECT_EQ(Tokens("KEY\tcomment"), (std::vector<std::string>{"KEY"}));
}

TEST(NextMacroToken, StopsAtTheLineEndWhateverFollows) {
  EXPECT_EQ(Tokens("A;b\r\nC;d"), (std::vector<std::string>{"A", "b"}));
  EXPECT_EQ(Tokens("A;b\nC;d"), (std::vector<std::string>{"A", "b"}));
  EXPECT_EQ(Tokens("A\tx\nC;d"), (std::vector<std::string>{"A"}));
}

TEST(NextMacroToken, AnEmptyCursorKeepsGivingEmptyTokens) {
  std::string_view cursor;
  EXPECT_EQ(NextMacroToken(cursor), "");
  EXPECT_EQ(NextMacroToken(cursor), "");
  EXPECT_TRUE(cursor.empty());
}

TEST(FormatMacroLine, WritesKeywordArgumentsHelpAndSyntax) {
  const std::vector<std::string> args{"2097149"};
  EXPECT_EQ(FormatMacroLine(kMacroMethod, args),
            "METHOD;2097149\t\t;Define Method parameters Type\t"
            "METHOD=1(LCB)+2(random)+4(prob)+8(var)+16(single)+0x20(group...)+0x1000(burma...)+"
            "0x80000(color)+0x100000(forcing)");
}

TEST(FormatMacroLine, AStepWithoutArgumentsRunsStraightIntoTheTabs) {
  EXPECT_EQ(FormatMacroLine(kMacroProp1, {}), "PROP1\t\t;Propose one value");
}

TEST(ParseMacroLine, ReadsKeywordAndArgumentIndexes) {
  const MacroStep step = ParseMacroLine("GENERE;9;DIFFICULT;0;0;UNIQ");
  EXPECT_EQ(step.Code(), kMacroGenere);
  EXPECT_EQ(step.strings[0], "GENERE");
  EXPECT_EQ(step.strings[1], "9");
  EXPECT_EQ(step.ints[1], -1);
  EXPECT_EQ(step.strings[2], "DIFFICULT");
  EXPECT_EQ(step.ints[2], kArgDifficult);
  EXPECT_EQ(step.ints[5], kArgUniq);
  EXPECT_EQ(step.strings[6], "");
  EXPECT_EQ(step.ints[6], -1);
}

TEST(ParseMacroLine, ARecordedLineGivesBackOnlyItsArguments) {
  // The help text after the two TABs is not one more argument, nor are the ";" of the syntax.
  const std::string line = FormatMacroLine(kMacroClick, std::vector<std::string>{"105", "0"});
  const MacroStep step = ParseMacroLine(line);
  EXPECT_EQ(step.Code(), kMacroClick);
  EXPECT_EQ(step.strings[1], "105");
  EXPECT_EQ(step.strings[2], "0");
  for (int i = 3; i <= kMacroArgCount; ++i)
    EXPECT_EQ(step.strings[i], "") << i;

  // A recorded SAVE without arguments must not see "R" or anything else as argument 2.
  const MacroStep save = ParseMacroLine(FormatMacroLine(kMacroSave, {}) + "\r\n");
  EXPECT_EQ(save.Code(), kMacroSave);
  for (int i = 1; i <= kMacroArgCount; ++i)
    EXPECT_EQ(save.strings[i], "") << i;
}

TEST(ParseMacroLine, HandWrittenLinesNeedNoHelpText) {
  EXPECT_EQ(ParseMacroLine("EXIT").Code(), kMacroExit);
  const MacroStep step = ParseMacroLine("VAR;3;12.9\r\n");
  EXPECT_EQ(step.Code(), kMacroVar);
  EXPECT_EQ(step.strings[1], "3");
  EXPECT_EQ(step.strings[2], "12.9");
  EXPECT_EQ(step.strings[3], "");
}

TEST(ParseMacroLine, UnknownWordsAndExtraTokensAreHarmless) {
  const MacroStep unknown = ParseMacroLine("Grids/easy.sud");
  EXPECT_EQ(unknown.Code(), -1);
  EXPECT_EQ(unknown.strings[0], "Grids/easy.sud");

  const MacroStep crowded = ParseMacroLine("CLICK;1;2;3;4;5;6;7;8");
  EXPECT_EQ(crowded.strings[6], "6");

  EXPECT_EQ(ParseMacroLine(""), MacroStep{});
  EXPECT_EQ(ParseMacroLine("\t\t;help only").Code(), -1);
}
