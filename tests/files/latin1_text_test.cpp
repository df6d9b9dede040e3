#include <gtest/gtest.h>

#include "files/latin1_text.h"

using namespace quorbel;

TEST(Latin1Text, AccentedFrenchRoundTrips) {
  const std::string utf8 = "Grilles/\xC3\xA9t\xC3\xA9 \xC3\xA0 No\xC3\xABl \xC3\xBF";
  bool lossless = false;
  const std::string latin1 = Utf8ToLatin1(utf8, &lossless);
  EXPECT_TRUE(lossless);
  EXPECT_EQ(latin1, "Grilles/\xE9t\xE9 \xE0 No\xEBl \xFF");
  EXPECT_EQ(Latin1ToUtf8(latin1), utf8);
}

TEST(Latin1Text, EveryLatin1ByteRoundTrips) {
  std::string all;
  for (int b = 1; b < 256; ++b)
    all += static_cast<char>(b);
  bool lossless = false;
  EXPECT_EQ(Utf8ToLatin1(Latin1ToUtf8(all), &lossless), all);
  EXPECT_TRUE(lossless);
}

TEST(Latin1Text, CharactersBeyondLatin1BecomeOneQuestionMarkEach) {
  bool lossless = true;
  // Euro sign (3 bytes), a CJK character (3 bytes), an emoji (4 bytes).
  EXPECT_EQ(Utf8ToLatin1("a\xE2\x82\xAC"
                         "b\xE6\x97\xA5"
                         "c\xF0\x9F\x98\x80",
                         &lossless),
            "a?b?c?");
  EXPECT_FALSE(lossless);
}

TEST(Latin1Text, MalformedSequencesAreReplacedNotTrusted) {
  bool lossless = true;
  // A lone continuation byte, a truncated two-byte sequence at the end, a raw Latin-1 byte.
  EXPECT_EQ(Utf8ToLatin1("x\x80y\xE9z\xC3", &lossless), "x?y?z?");
  EXPECT_FALSE(lossless);
}
