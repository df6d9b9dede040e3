#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/message_table.h"

using namespace quorbel;

namespace {

constexpr int kEmptyMessage = 90;

// The printf conversions of a text, in order ("%%" is no field).
std::string FieldKinds(std::string_view text) {
  std::string kinds;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%')
      continue;
    if (i + 1 < text.size() && text[i + 1] == '%') {
      ++i;
      continue;
    }
    size_t j = i + 1;
    while (j < text.size() && std::string_view("0123456789.-+ #l").find(text[j]) != std::string_view::npos)
      ++j;
    if (j < text.size())
      kinds += text[j];
    i = j;
  }
  return kinds;
}

size_t CountOf(std::string_view text, char c) {
  return static_cast<size_t>(std::count(text.begin(), text.end(), c));
}

} // namespace

TEST(MessageTable, EveryMessageExistsInBothLanguagesAndOnlyNinetyIsEmpty) {
  ASSERT_EQ(MessageTable.size(), 306u);
  for (int n = 0; n < kMessageCount; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(LookupMessage(n, Language::French), MessageTable[static_cast<size_t>(n)]);
    EXPECT_EQ(LookupMessage(n, Language::English), MessageTable[static_cast<size_t>(n + kMessageCount)]);
    EXPECT_EQ(LookupMessage(n, Language::French).empty(), n == kEmptyMessage);
    EXPECT_EQ(LookupMessage(n, Language::English).empty(), n == kEmptyMessage);
  }
}

TEST(MessageTable, BothSidesOfAMessageTakeTheSameArgumentsAndLinks) {
  for (int n = 0; n < kMessageCount; ++n) {
    SCOPED_TRACE(n);
    const std::string_view fr = LookupMessage(n, Language::French);
    const std::string_view en = LookupMessage(n, Language::English);
    EXPECT_EQ(FieldKinds(fr), FieldKinds(en));
    EXPECT_EQ(CountOf(fr, '\n'), CountOf(en, '\n'));
  }
}

TEST(MessageTable, TextsStandLetterForLetterWithTheirSlips) {
  EXPECT_EQ(LookupMessage(79, Language::English), "Relaod current grid ?");
  EXPECT_EQ(LookupMessage(79, Language::French), "Recharge derniere grille ?");
  EXPECT_EQ(LookupMessage(41, Language::French), "Max touvé %d pour case %d");
  EXPECT_EQ(LookupMessage(133, Language::English), "Erreur Macro: ");
  EXPECT_EQ(LookupMessage(46, Language::English), "                 Congratulations\n\n");
  EXPECT_EQ(LookupMessage(137, Language::English), "     Good. Grid finalised...\n\n");
  EXPECT_EQ(LookupMessage(26, Language::French), "!Groupe!%d! Niveau %%d");
  EXPECT_EQ(LookupMessage(152, Language::English), "Copy Comments");
}

TEST(MessageTable, TheWindowTitleCarriesTheGridNameThenTheAuthorLine) {
  for (Language language : {Language::French, Language::English}) {
    const std::string_view title = LookupMessage(0, language);
    EXPECT_EQ(FieldKinds(title), "s");
    EXPECT_NE(title.find('\n'), std::string_view::npos);
  }
  EXPECT_EQ(LookupMessage(0, Language::French).substr(0, 16), "Grille Sudoku %s");
  EXPECT_EQ(LookupMessage(0, Language::English).substr(0, 14), "Sudoku Grid %s");
}

TEST(MessageTable, NumbersOutsideTheTableGiveNothing) {
  EXPECT_TRUE(LookupMessage(-1, Language::French).empty());
  EXPECT_TRUE(LookupMessage(kMessageCount, Language::English).empty());
  EXPECT_TRUE(MessageFormat(1000, Language::French).View().empty());
}

TEST(MessageTable, AnUnchosenLanguageReadsLikeTheEnglishDialogs) {
  EXPECT_EQ(LookupMessage(55, Language::NotChosen), "Your turn...");
  EXPECT_EQ(MessageFormat(55, Language::French).View(), "A vous de jouer...");
}
