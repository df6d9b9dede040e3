#include <gtest/gtest.h>

#include <set>
#include <string>

#include "files/script_words.h"

using namespace quorbel;

TEST(ScriptWords, EveryKeywordIsFoundAtItsOwnIndex) {
  // Lookups take the first match, so a repeated word would hide a command.
  for (int code = 0; code < kScriptWordCount; ++code)
    EXPECT_EQ(FindScriptWord(ScriptWords[code]), code) << ScriptWords[code];
  for (int arg = 0; arg < kScriptArgWordCount; ++arg)
    EXPECT_EQ(FindScriptArgWord(ScriptArgWords[arg]), arg) << ScriptArgWords[arg];
}

TEST(ScriptWords, CodesThatOtherSubsystemsRecordStandWhereTheyExpect) {
  EXPECT_EQ(ScriptWords[kMacroFiles], "FILES");
  EXPECT_EQ(ScriptWords[kMacroLoad], "LOAD");
  EXPECT_EQ(ScriptWords[kMacroGenere], "GENERE");
  EXPECT_EQ(ScriptWords[kMacroMethod], "METHOD");
  EXPECT_EQ(ScriptWords[kMacroPref], "PREF");
  EXPECT_EQ(ScriptWords[kMacroClick], "CLICK");
  EXPECT_EQ(ScriptWords[kMacroVolume], "VOLUME");
  EXPECT_EQ(ScriptWords[kMacroVar], "VAR");
  EXPECT_EQ(ScriptWords[kMacroVariant], "VARIANT");
  EXPECT_EQ(ScriptArgWords[kArgEasy], "EASY");
  EXPECT_EQ(ScriptArgWords[kArgN], "N");
  EXPECT_EQ(ScriptArgWords[kArgY], "Y");
  EXPECT_EQ(ScriptArgWords[kArgKeepRatio], "KEEPRATIO");
  for (int n = 1; n <= 10; ++n)
    EXPECT_EQ(ScriptArgWords[kArgVar1 + n - 1], "VAR" + std::to_string(n));
}

TEST(ScriptWords, LookupIsExactAndCaseSensitive) {
  EXPECT_EQ(FindScriptWord("load"), -1);
  EXPECT_EQ(FindScriptWord("LOAD "), -1);
  EXPECT_EQ(FindScriptWord(""), -1);
  EXPECT_EQ(FindScriptArgWord("VAR11"), -1);
  EXPECT_EQ(FindScriptArgWord("y"), -1);
}

TEST(ScriptWords, EveryCommandHasHelpAndElevenHaveSyntax) {
  std::set<int> withSyntax;
  for (int code = 0; code < kScriptWordCount; ++code) {
    EXPECT_FALSE(ScriptHelp[code].empty()) << code;
    if (!ScriptSyntax[code].empty())
      withSyntax.insert(code);
  }
  const std::set<int> expected{kMacroNew,      kMacroGenere,   kMacroMethod,   kMacroCars,
                               kMacroPrefDisp, kMacroPrefCell, kMacroPrefGeom, kMacroArea,
                               kMacroPref,     kMacroClick,    kMacroVolume};
  EXPECT_EQ(withSyntax, expected);
}

TEST(ScriptWords, TablesHoldNothingThatWouldBreakARecordedLine) {
  // Help follows the last ";" of a recorded line and syntax follows a TAB: neither may end
  // the line, and help may not start another token.
  for (int code = 0; code < kScriptWordCount; ++code) {
    EXPECT_EQ(ScriptWords[code].find_first_of(";\t\r\n"), std::string_view::npos) << code;
    EXPECT_EQ(ScriptHelp[code].find_first_of(";\t\r\n"), std::string_view::npos) << code;
    EXPECT_EQ(ScriptSyntax[code].find_first_of("\t\r\n"), std::string_view::npos) << code;
  }
}
