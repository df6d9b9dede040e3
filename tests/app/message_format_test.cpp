#include <gtest/gtest.h>

#include "app/message_format.h"
#include "app/message_table.h"
#include "tests/french_locale.h"

using namespace quorbel;

TEST(FormatText, FillsFieldsFromTypedArguments) {
  EXPECT_EQ(FormatText("%d found - %d left", {12, 3}), "12 found - 3 left");
  EXPECT_EQ(FormatText("Score:%05.2f", {7.5}), "Score:07.50");
  EXPECT_EQ(FormatText("Score:%05.0f", {20.0}), "Score:00020");
  EXPECT_EQ(FormatText("%02d:%02d:%02d", {1, 2, 3}), "01:02:03");
  EXPECT_EQ(FormatText("1...%c", {'G'}), "1...G");
  EXPECT_EQ(FormatText("0x%08x", {0x3E7AF7}), "0x003e7af7");
  EXPECT_EQ(FormatText("%X|%o|%#x", {255, 8, 255}), "FF|10|0xff");
  EXPECT_EQ(FormatText("[%5s][%-5s][%.2s]", {"ab", "ab", "abcdef"}), "[   ab][ab   ][ab]");
  EXPECT_EQ(FormatText("[%+d][% d][%-4d][%4d]", {5, 5, -5, -5}), "[+5][ 5][-5  ][  -5]");
  EXPECT_EQ(FormatText("%d%% done", {40}), "40% done");
  EXPECT_EQ(FormatText("%u", {-1}), "4294967295");
  EXPECT_EQ(FormatText("%ld %I64d %lld", {1, 2, 3}), "1 2 3");
  EXPECT_EQ(FormatText("%.3e|%g|%g", {1234.5, 0.0001, 100000.0}), "1.234e+03|0.0001|100000");
}

TEST(FormatText, AWrongArgumentCountCannotCrash) {
  EXPECT_EQ(FormatText("%d and %s and %f", {}), " and  and ");
  EXPECT_EQ(FormatText("%d", {1, 2, "three"}), "1");
  // A text where a number was asked for is shown as the text; a number where a text was asked as digits.
  EXPECT_EQ(FormatText("%d|%s|%f", {"word", 42, "x"}), "word|42|x");
  EXPECT_EQ(FormatText("%s", {2.5}), "2.5");
  // Every message of both tables, with no argument and with too many, formats without harm.
  for (int n = 0; n < kMessageCount; ++n) {
    for (Language language : {Language::French, Language::English}) {
      const std::string_view format = MessageFormat(n, language).View();
      const std::string_view head = format.substr(0, format.find('%'));
      // Missing arguments leave their fields empty, so the text can only shrink.
      EXPECT_LE(FormatText(MessageFormat(n, language)).size(), format.size());
      EXPECT_EQ(FormatText(MessageFormat(n, language), {1, 2, "x", 3.5, 4, 5, 6, 7}).substr(0, head.size()),
                head);
    }
  }
}

TEST(FormatText, OddFieldsAreShownAsWrittenAndHugeWidthsAreCapped) {
  EXPECT_EQ(FormatText("100%"), "100%");
  EXPECT_EQ(FormatText("%n %p %y", {1}), "%n %p %y");
  EXPECT_LE(FormatText("%999999999d", {1}).size(), 1024u);
  EXPECT_EQ(FormatText("%*d|%-*d|", {4, 7, 3, 8}), "   7|8  |");
}

TEST(FormatText, NumbersKeepTheCLocaleDecimalPointUnderAFrenchLocale) {
  FrenchLocale french;
  EXPECT_TRUE(french.CLibraryIsFrench()) << "no French locale: only the C++ locale was switched";
  EXPECT_EQ(FormatText("%.2f|%g|%e|%5.1f", {0.5, 1.25, 2.0, -0.25}), "0.50|1.25|2.000000e+00| -0.2");
}

TEST(FormatPanelText, TextArgumentsNeverJoinTheFormatsOwnText) {
  const PanelText text = FormatPanelText("Error - File %s not found", {"!x!-2!"});
  ASSERT_EQ(text.Pieces().size(), 3u);
  EXPECT_FALSE(text.Pieces()[0].plain);
  EXPECT_TRUE(text.Pieces()[1].plain);
  EXPECT_EQ(text.Pieces()[1].text, "!x!-2!");
  EXPECT_EQ(text.Joined(), "Error - File !x!-2! not found");
  // Numbers are the program's own: a link code filled from a number stays part of the link.
  const PanelText link = FormatPanelText(MessageFormat(1, Language::English), {98315});
  ASSERT_EQ(link.Pieces().size(), 1u);
  EXPECT_EQ(link.Joined(), "!Reference Grid!98315! on display");
}

TEST(FormatPanelText, DoublePercentMessagesTakeTheirSecondArgumentInASecondPass) {
  const PanelText text = FormatPanelTextTwice(MessageFormat(26, Language::English), {98413}, {3});
  EXPECT_EQ(text.Joined(), "!Group!98413! Level 3");
  EXPECT_EQ(FormatPanelText(MessageFormat(26, Language::French), {98413}).Joined(),
            "!Groupe!98413! Niveau %d");
}
