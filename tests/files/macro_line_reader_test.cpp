#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "files/macro_line.h"
#include "files/macro_line_reader.h"
#include "files/script_words.h"

using namespace quorbel;

class MacroLineReaderTest : public ::testing::Test {
protected:
  std::vector<MacroLine> ReadAll(const std::string &bytes) {
    std::istringstream in(bytes);
    std::vector<MacroLine> lines;
    while (auto line = ReadMacroLine(in))
      lines.push_back(*line);
    return lines;
  }
};

TEST_F(MacroLineReaderTest, AcceptsCrLfAndLfLineEnds) {
  const auto lines = ReadAll("LOAD;a\r\nSAVE;b\nEXIT");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text, "LOAD;a");
  EXPECT_EQ(lines[1].text, "SAVE;b");
  EXPECT_EQ(lines[2].text, "EXIT");
}

TEST_F(MacroLineReaderTest, KeepsEmptyLinesAndEndsAtTheEndOfTheFile) {
  const auto lines = ReadAll("\r\n\nA\r\n");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].text, "");
  EXPECT_EQ(lines[1].text, "");
  EXPECT_EQ(lines[2].text, "A");
  EXPECT_TRUE(ReadAll("").empty());
}

TEST_F(MacroLineReaderTest, TurnsLatin1IntoUtf8) {
  const auto lines = ReadAll("LOAD;Grilles/\xE9t\xE9.sud\r\n");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].text, "LOAD;Grilles/\xC3\xA9t\xC3\xA9.sud");
}

TEST_F(MacroLineReaderTest, ALineAtTheLimitIsReadWhole) {
  const std::string line = "COMMENT;" + std::string(kMacroLineLimit - 8, 'x');
  ASSERT_EQ(line.size(), kMacroLineLimit);
  const auto lines = ReadAll(line + "\r\nEXIT\r\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].text, line);
  EXPECT_FALSE(lines[0].stepCut);
  EXPECT_EQ(lines[1].text, "EXIT");
}

TEST_F(MacroLineReaderTest, ALongerLineIsCutAndItsTailIsNoLineOfItsOwn) {
  for (const std::size_t length : {kMacroLineLimit + 1, kMacroLineLimit + 2, std::size_t{5000}}) {
    const std::string line = "COMMENT;" + std::string(length - 8, 'x');
    const auto lines = ReadAll(line + "\r\nEXIT\r\n");
    ASSERT_EQ(lines.size(), 2u) << length;
    EXPECT_EQ(lines[0].text, line.substr(0, kMacroLineLimit));
    EXPECT_TRUE(lines[0].stepCut);
    EXPECT_EQ(lines[1].text, "EXIT");
  }
}

TEST_F(MacroLineReaderTest, CuttingOnlyHelpOrSyntaxLeavesTheStepWhole) {
  // Arguments fill the line up to the limit; the help marker starts right there.
  const std::string head = "LOAD;" + std::string(kMacroLineLimit - 5, 'g');
  const std::string line = FormatMacroLine(kMacroLoad, std::vector<std::string>{head.substr(5)});
  const auto lines = ReadAll(line + "\r\n");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_FALSE(lines[0].stepCut);
  const MacroStep step = ParseMacroLine(lines[0].text);
  EXPECT_EQ(step.Code(), kMacroLoad);
  EXPECT_EQ(step.strings[1], head.substr(5));
  EXPECT_EQ(step.strings[2], "");

  // One argument character more and the step no longer fits.
  const std::string longer = FormatMacroLine(kMacroLoad, std::vector<std::string>{head.substr(5) + "g"});
  EXPECT_TRUE(ReadAll(longer + "\r\n")[0].stepCut);
}

TEST_F(MacroLineReaderTest, ACarriageReturnPastTheLimitIsStillTheLineEnd) {
  const std::string line = std::string(kMacroLineLimit, 'x');
  const auto lines = ReadAll(line + "\r\n");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].text, line);
  EXPECT_FALSE(lines[0].stepCut);
}
