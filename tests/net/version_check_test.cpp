// The published version read from a page, and the three messages.
#include "net/version_check.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

TEST(VersionCheck, TheMarkerLineGivesTheVersion) {
  const std::string line =
      std::string("x").append("sudokuversion").append(11, '.').append("12345678").append("5.2");
  const std::string page = "<html>\nsudokuversion at the start is no marker\n" + line + "\r\n</html>";
  EXPECT_EQ(ReadPublishedVersion(page), "123456785.2");
  EXPECT_EQ(PublishedVersionNumber(ReadPublishedVersion(page)), 5.2);
  EXPECT_EQ(ReadPublishedVersion("sudokuversion                  123456785.2"), "");
  EXPECT_FALSE(PublishedVersionNumber(""));
}

TEST(VersionCheck, MessagesCompareWithOurs) {
  EXPECT_EQ(VersionMessage(5.2, "http://x", 1)
                .rfind("A new version of Quorbel is available on web site http://x\n"
                       "     Your Version: 5.0\n     New version: 5.2.",
                       0),
            0u);
  EXPECT_EQ(VersionMessage(5.0, "http://x", 1).rfind("Your version of Quorbel is on date.", 0), 0u);
  EXPECT_EQ(VersionMessage(std::nullopt, "", 0),
            "Tentative de lecture de version échouée. Vérifier votre connexion Internet.");
}

} // namespace
} // namespace quorbel
