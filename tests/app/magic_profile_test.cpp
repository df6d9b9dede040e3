// The ".magic" display profiles: the exact lines, a profile read back whole, a short one.
#include "app/magic_profile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

#include "app/settings_schema.h"
#include "platform/paths.h"

namespace quorbel {
namespace {

std::vector<std::string> Lines(const std::string &text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line.substr(0, line.size() - (line.ends_with('\r') ? 1 : 0)));
  return lines;
}

class MagicProfile : public ::testing::Test {
protected:
  void SetUp() override {
    previous_ = StartDirectory();
    SetStartDirectory("/start");
    settings.general.displayBarDx = 0.15;
    settings.general.gridCurrVariant = (uint64_t{0x1234} << 32) | 0x80000000u;
    settings.general.imageName = "/start/Animals.ani";
    settings.general.backgroundImage = "/start/BackGround/sea.jpg";
    for (int i = 0; i < kPictureCount; ++i)
      order[static_cast<size_t>(i)] = kPictureCount - 1 - i;
  }
  void TearDown() override { SetStartDirectory(previous_); }

  AppSettings settings = DefaultSettings();
  BoardColours colours = DefaultColours();
  PictureOrder order{};
  std::string previous_;
};

TEST_F(MagicProfile, TheLinesAreTheFormatsOwn) {
  const std::vector<std::string> lines = Lines(WriteMagicProfile(settings, colours, order));
  ASSERT_EQ(lines.size(), 79u);
  EXPECT_EQ(lines[0], "50 ;PrefLongCase");
  EXPECT_EQ(lines[19], "0.150000 ;PrefBardX");
  EXPECT_EQ(lines[36], "-2147483648 ;PrefGridVar-Part1");
  EXPECT_EQ(lines[45], "Animals.ani");
  EXPECT_EQ(lines[46], "BackGround/sea.jpg");
  EXPECT_EQ(lines[48], "15 ;");
  EXPECT_EQ(lines[63], "0 ;");
  EXPECT_EQ(lines[64], "00000000 ;ColorInit-0BGR");
  EXPECT_EQ(lines[65], "00bb0000 ;ColorInput-0BGR");
  EXPECT_EQ(lines[78], "4660 ;PrefGridVar-Part2");
}

TEST_F(MagicProfile, AProfileComesBackWholeIntoChangedSettings) {
  const std::string text = WriteMagicProfile(settings, colours, order);
  AppSettings changed = DefaultSettings();
  changed.general.longCase = 80;
  changed.general.gridCurrVariant = 0;
  changed.general.displayBarDx = 0.5;
  BoardColours other = DefaultColours();
  other.ColBad = 0x123456;
  PictureOrder identity{};
  ReadMagicProfile(text, changed, other, identity, false);
  EXPECT_EQ(changed.general.longCase, 50);
  EXPECT_EQ(changed.general.gridCurrVariant, settings.general.gridCurrVariant);
  EXPECT_DOUBLE_EQ(changed.general.displayBarDx, 0.15);
  EXPECT_EQ(changed.general.imageName, "/start/Animals.ani");
  EXPECT_EQ(identity, order);
  EXPECT_EQ(other.ColBad, colours.ColBad);
  EXPECT_EQ(changed.general.prefLoad, 1);
  EXPECT_EQ(WriteMagicProfile(changed, other, identity), text);
}

TEST_F(MagicProfile, AShortFileKeepsWhatItDoesNotReachAndAMutedPanelKeepsItsComment) {
  std::string text = WriteMagicProfile(settings, colours, order);
  size_t cut = 0;
  for (int line = 0; line < 40; ++line)
    cut = text.find('\n', cut) + 1;
  AppSettings changed = DefaultSettings();
  changed.general.gridCurrVariant = uint64_t{7} << 32;
  changed.general.puzzleRotation = 0; // line 43, past the cut
  changed.general.displayComment = 0;
  settings.general.displayComment = 1;
  text = WriteMagicProfile(settings, colours, order).substr(0, cut);
  BoardColours other = DefaultColours();
  ReadMagicProfile(text, changed, other, order, true);
  EXPECT_EQ(changed.general.gridCurrVariant, uint64_t{0x80000000u}); // the low word alone
  EXPECT_EQ(changed.general.puzzleRotation, 0);
  EXPECT_EQ(changed.general.displayComment, 0); // muted panel
  // A hostile value goes no further than a load lets it.
  ReadMagicProfile("-3 ;PrefLongCase\n", changed, other, order, false);
  EXPECT_GE(changed.general.longCase, 1);
}

TEST_F(MagicProfile, ANumberThatIsNotFiniteLeavesTheBarWidthAsItWas) {
  const std::vector<std::string> lines = Lines(WriteMagicProfile(settings, colours, order));
  for (const char *word : {"nan", "inf", "-inf", "1e999"}) {
    SCOPED_TRACE(word);
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i)
      text += (i == 19 ? std::string(word) + " ;PrefBardX" : lines[i]) + "\r\n";
    AppSettings changed = DefaultSettings();
    changed.general.displayBarDx = 0.5;
    ReadMagicProfile(text, changed, colours, order, false);
    EXPECT_DOUBLE_EQ(changed.general.displayBarDx, 0.5);
  }
  // Nor does a repair let one through from memory.
  AppSettings repaired = DefaultSettings();
  repaired.general.displayBarDx = std::nan("");
  RepairSettings(repaired);
  EXPECT_DOUBLE_EQ(repaired.general.displayBarDx, 0.15);
}

} // namespace
} // namespace quorbel
