#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>

#include "engine/magic_sentence.h"
#include "engine_test_support.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "tests/support/temp_dir.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

constexpr int kShape4 = 0;
constexpr int kShape6 = 2;

std::multiset<std::string> CharactersOf(const std::string &utf8) {
  std::multiset<std::string> out;
  for (size_t i = 0; i < utf8.size();) {
    const size_t length = (static_cast<unsigned char>(utf8[i]) & 0x80) == 0 ? 1 : 2; // Latin-1 only
    out.insert(utf8.substr(i, length));
    i += length;
  }
  return out;
}

TEST(MagicSentenceLine, SplitsIntoLettersAndTwoTexts) {
  const MagicSentenceText full = SplitMagicSentence("ABCD;hint;sentence; with a semicolon");
  EXPECT_EQ(full.Letters, "ABCD");
  EXPECT_EQ(full.Second, "hint");
  EXPECT_EQ(full.Third, "sentence; with a semicolon");
  const MagicSentenceText two = SplitMagicSentence("ABCD;hint");
  EXPECT_EQ(two.Second, "hint");
  EXPECT_EQ(two.Third, "");
  const MagicSentenceText none = SplitMagicSentence("just words");
  EXPECT_EQ(none.Letters, "");
  EXPECT_EQ(none.Second, "just words");
}

class MagicSentenceFile : public ::testing::Test {
protected:
  quorbel::testing::TempDir dir;
  ShapedContext s{kShape4};
  std::string path = dir.File("MSentEn.dat");

  void Write(const std::string &latin1) { quorbel::testing::WriteBytes(path, latin1); }
};

TEST_F(MagicSentenceFile, TakesASentenceOfTheGridSizeAndScramblesItsLetters) {
  Write("! remark\r\nWXYZ;before any size\r\nG 6\r\nABCDEF;six;SIX\r\nG 4\r\nABCD;four;DCBA\r\n");
  s.Ctx.Random.Seed(7);
  ASSERT_EQ(PickMagicSentenceFrom(s.Ctx, path), 4);
  const MagicSentenceText &sentence = s.Ctx.MagicSentence;
  EXPECT_EQ(CharactersOf(sentence.Letters), CharactersOf("ABCD"));
  EXPECT_EQ(sentence.Second, "four");
  EXPECT_EQ(sentence.Third, "DCBA"); // the line end is gone, the last letter is not
}

TEST_F(MagicSentenceFile, ReadsLatin1LettersAsSingleCharacters) {
  SetGridShape(s.Ctx, kShape6, 1, 0);
  Write("G 6\r\n\xC9"
        "CLAIR;apr\xE8s l'orage;\xC9"
        "CLAIRCI\r\n");
  ASSERT_EQ(PickMagicSentenceFrom(s.Ctx, path), 6);
  EXPECT_EQ(CharactersOf(s.Ctx.MagicSentence.Letters), CharactersOf("ÉCLAIR"));
  EXPECT_EQ(s.Ctx.MagicSentence.Second, "après l'orage");
}

TEST_F(MagicSentenceFile, EveryMatchingSentenceCanBeDrawn) {
  Write("G 4\nABCD;one\nEFGH;two\nIJKL;three\n");
  std::set<std::string> drawn;
  s.Ctx.Random.Seed(3);
  for (int draw = 0; draw < 60; ++draw) {
    PickMagicSentenceFrom(s.Ctx, path);
    drawn.insert(s.Ctx.MagicSentence.Second);
  }
  EXPECT_EQ(drawn, (std::set<std::string>{"one", "two", "three"}));
}

TEST_F(MagicSentenceFile, NoSentenceOfTheSizeEmptiesTheSentence) {
  s.Ctx.MagicSentence.Letters = "OLD";
  Write("G 9\r\nABCDEFGHI;nine;\r\n");
  EXPECT_EQ(PickMagicSentenceFrom(s.Ctx, path), 0);
  EXPECT_EQ(s.Ctx.MagicSentence.Letters, "");
}

TEST_F(MagicSentenceFile, AMissingFileKeepsTheSentence) {
  s.Ctx.MagicSentence.Letters = "OLD";
  EXPECT_EQ(PickMagicSentenceFrom(s.Ctx, dir.File("absent.dat")), 0);
  EXPECT_EQ(s.Ctx.MagicSentence.Letters, "OLD");
}

TEST_F(MagicSentenceFile, TheLanguageChoosesTheFileInTheStartDirectory) {
  const std::string previous = StartDirectory();
  SetStartDirectory(dir.Path().string());
  quorbel::testing::WriteBytes(dir.File("MSentFr.dat"), "G 4\r\nABCD;quatre;\r\n");
  quorbel::testing::WriteBytes(dir.File("MSentEn.dat"), "G 4\r\nABCD;four;\r\n");
  s.Ctx.Settings.Language = kLanguageFrench;
  EXPECT_EQ(PickMagicSentence(s.Ctx), 4);
  EXPECT_EQ(s.Ctx.MagicSentence.Second, "quatre");
  s.Ctx.Settings.Language = kLanguageEnglish;
  EXPECT_EQ(PickMagicSentence(s.Ctx), 4);
  EXPECT_EQ(s.Ctx.MagicSentence.Second, "four");
  SetStartDirectory(previous);
}

TEST(MagicSentenceLetters, ReplacementCountsWholeCharacters) {
  EngineContext ctx;
  ctx.MagicSentence.Letters = "ÉTÉS";
  EXPECT_EQ(ReplaceCharInSentence(ctx, U'É', U'E'), 2);
  EXPECT_EQ(ctx.MagicSentence.Letters, "ETES");
  EXPECT_EQ(ReplaceCharInSentence(ctx, U'S', U'Ç'), 1);
  EXPECT_EQ(ctx.MagicSentence.Letters, "ETEÇ");
  EXPECT_EQ(ReplaceCharInSentence(ctx, U'E', U'E'), 0);
  ctx.MagicSentence.Letters.clear();
  EXPECT_EQ(ReplaceCharInSentence(ctx, U'A', U'B'), 0);
}

// Our own sentence files: each size's letters are distinct capitals, one per value, and the
// sentence is written with them.
TEST(MagicSentenceData, EverySentenceUsesExactlyItsLetters) {
  for (const char *name : {"MSentEn.dat", "MSentFr.dat"}) {
    std::ifstream in(std::string(QUORBEL_TEST_DATA) + "/../../data/" + name, std::ios::binary);
    ASSERT_TRUE(in) << name;
    std::map<int, int> perSize;
    int size = 0;
    for (std::string line; std::getline(in, line);) {
      ASSERT_TRUE(!line.empty() && line.back() == '\r') << name << ": " << line;
      line.pop_back();
      if (line.empty() || line[0] == '!')
        continue;
      if (line[0] == 'G') {
        size = std::stoi(line.substr(2));
        continue;
      }
      const MagicSentenceText sentence = SplitMagicSentence(line);
      const std::set<char> letters(sentence.Letters.begin(), sentence.Letters.end());
      EXPECT_EQ(sentence.Letters.size(), static_cast<size_t>(size)) << line;
      EXPECT_EQ(letters.size(), sentence.Letters.size()) << line;
      // The grid keeps its letters in a table of A to Z.
      EXPECT_TRUE(std::all_of(letters.begin(), letters.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
          << line;
      std::set<char> used;
      for (char c : sentence.Third)
        if (c != ' ' && c != '\'')
          used.insert(c);
      EXPECT_EQ(used, letters) << line;
      ++perSize[size];
    }
    for (int width : {4, 6, 8, 9, 12, 16})
      EXPECT_GT(perSize[width], 0) << name << " has no sentence for " << width;
  }
}

} // namespace
