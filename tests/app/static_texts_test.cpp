#include <gtest/gtest.h>

#include "app/static_texts.h"

using namespace quorbel;

TEST(StaticTexts, NumberWordsAreUpperCaseAsciiInEveryLanguage) {
  for (const WordTable16 *table : NumberWords)
    for (std::string_view word : *table) {
      SCOPED_TRACE(word);
      EXPECT_FALSE(word.empty());
      for (char c : word)
        EXPECT_TRUE(c >= 'A' && c <= 'Z');
    }
  EXPECT_EQ(NumberWordsDe[4], "FUNF");
  EXPECT_EQ(NumberWordsDe[11], "ZWOLF");
  EXPECT_EQ(NumberWordsEs[15], "DIECISEIS");
  EXPECT_EQ(NumberWordsFr[0], "UN");
  EXPECT_EQ(NumberWordsEn[15], "SIXTEEN");
  EXPECT_EQ(NumberWordsIt[13], "QUATTORDICI");
}

TEST(StaticTexts, KeypadAndTransliterationKeepTheirEmptyEntries) {
  EXPECT_EQ(KeypadLetters[0], "");
  EXPECT_EQ(KeypadLetters[1], "ABC");
  EXPECT_EQ(KeypadLetters[8], "WXYZ");
  EXPECT_EQ(KeypadLetters[kKeypadTransliterationStart], "EK");
  EXPECT_EQ(KeypadLetters[kKeypadTransliterationStart + 8], "NAU");
  // From value 10 on there is neither a letter group nor a transliteration.
  for (int value = 10; value <= 16; ++value) {
    EXPECT_TRUE(KeypadLetters[static_cast<size_t>(value - 1)].empty());
    EXPECT_TRUE(KeypadLetters[static_cast<size_t>(kKeypadTransliterationStart + value - 1)].empty());
  }
}

TEST(StaticTexts, ModeNamesFollowTheLanguageAndRefuseUnknownModes) {
  EXPECT_EQ(GameModeName(6, Language::French), "Defi");
  EXPECT_EQ(GameModeName(6, Language::English), "Challenge");
  EXPECT_EQ(GameModeName(7, Language::English), "Generate");
  EXPECT_TRUE(GameModeName(8, Language::English).empty());
  EXPECT_TRUE(GameModeName(-1, Language::French).empty());
  EXPECT_EQ(GridSizeNames[4], "12x12");
}

TEST(StaticTexts, EveryRemarkHasBothTextsAndAPicture) {
  auto check = [](const PictureRemark &remark) {
    EXPECT_FALSE(remark.french.empty());
    EXPECT_FALSE(remark.english.empty());
    EXPECT_EQ(remark.picture.substr(0, 8), "./Chess/");
    EXPECT_EQ(remark.picture.substr(remark.picture.size() - 4), ".gif");
  };
  for (const PictureRemark &remark : PraiseMessages)
    check(remark);
  for (const PictureRemark &remark : TauntMessages)
    check(remark);
  EXPECT_EQ(TauntMessages[4].Text(Language::French), "T'es bouché ?");
  EXPECT_EQ(PraiseMessages[4].Text(Language::English), "It's hot tonight");
}

TEST(StaticTexts, StartScreenTextsExistForEveryArea) {
  for (int area = 0; area < kStartAreaCount; ++area) {
    EXPECT_FALSE(StartAreaText(area, Language::French).empty());
    EXPECT_FALSE(StartAreaText(area, Language::English).empty());
  }
  EXPECT_EQ(StartAreaText(kStartAreaHelpTip, Language::English), "Press this Button to get Help on Quorbel");
  EXPECT_TRUE(StartAreaText(kStartAreaCount, Language::French).empty());
  EXPECT_EQ(WelcomeEn.substr(0, 41), "Welcome on Quorbel, the Sudoku Game on PC");
  EXPECT_NE(WelcomeFr.find('\n'), std::string_view::npos);
}
