#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/archive_reader.h"
#include "files/archive_writer.h"

using namespace quorbel;

namespace {

std::vector<uint8_t> BytesOf(const std::string &text) { return {text.begin(), text.end()}; }

std::vector<uint8_t> StringWithLength(size_t length) {
  ArchiveWriter out;
  out.WriteString(std::string(length, 'x'));
  return BytesOf(out.Bytes());
}

} // namespace

TEST(ArchiveEncoding, NumbersAreLittleEndianWithTheLowWordFirst) {
  ArchiveWriter out;
  out.WriteInt32(-2);
  out.WriteInt64(0x0000000100000002);
  out.WriteFloat(1.5f);
  out.WriteDouble(-0.25);
  const std::string expected("\xFE\xFF\xFF\xFF"
                             "\x02\x00\x00\x00\x01\x00\x00\x00"
                             "\x00\x00\xC0\x3F"
                             "\x00\x00\x00\x00\x00\x00\xD0\xBF",
                             24);
  ASSERT_EQ(out.Bytes(), expected);

  const auto bytes = BytesOf(out.Bytes());
  ArchiveReader in(bytes);
  EXPECT_EQ(in.ReadInt32("a"), -2);
  EXPECT_EQ(in.ReadInt64("b"), 0x0000000100000002);
  EXPECT_EQ(in.ReadFloat("c"), 1.5f);
  EXPECT_EQ(in.ReadDouble("d"), -0.25);
  EXPECT_TRUE(in.Ok());
  EXPECT_EQ(in.Remaining(), 0u);
}

TEST(ArchiveEncoding, StringLengthPrefixGrowsWithTheLength) {
  EXPECT_EQ(StringWithLength(254).size(), 1 + 254u);
  const auto medium = StringWithLength(255);
  ASSERT_EQ(medium.size(), 3 + 255u);
  EXPECT_EQ(medium[0], 0xFF);
  EXPECT_EQ(medium[1] | (medium[2] << 8), 255);
  const auto longest16 = StringWithLength(0xFFFD);
  EXPECT_EQ(longest16.size(), 3 + 0xFFFDu);
  const auto large = StringWithLength(0xFFFE);
  ASSERT_EQ(large.size(), 7 + 0xFFFEu);
  EXPECT_EQ(large[1], 0xFF);
  EXPECT_EQ(large[2], 0xFF);

  for (size_t length : {0u, 254u, 255u, 0xFFFDu, 0xFFFEu}) {
    const auto bytes = StringWithLength(length);
    ArchiveReader in(bytes);
    EXPECT_EQ(in.ReadString("text").size(), length);
    EXPECT_TRUE(in.Ok());
  }
}

TEST(ArchiveEncoding, StringsAreLatin1OnDiskAndUtf8InMemory) {
  ArchiveWriter out;
  out.WriteString("\xC3\xA9t\xC3\xA9");
  EXPECT_EQ(out.Bytes(), std::string("\x03\xE9t\xE9", 4));
  const auto bytes = BytesOf(out.Bytes());
  ArchiveReader in(bytes);
  EXPECT_EQ(in.ReadString("text"), "\xC3\xA9t\xC3\xA9");
}

TEST(ArchiveEncoding, WideStringsAreReadAsUtf8) {
  // 0xFF 0xFFFE announces 16-bit characters, then the length: "é€".
  const std::vector<uint8_t> bytes = {0xFF, 0xFE, 0xFF, 0x02, 0xE9, 0x00, 0xAC, 0x20};
  ArchiveReader in(bytes);
  EXPECT_EQ(in.ReadString("text"), "\xC3\xA9\xE2\x82\xAC");
  EXPECT_TRUE(in.Ok());
}

TEST(ArchiveEncoding, TimeWithoutItsMarkerIsTheFirstWordAlone) {
  ArchiveWriter out;
  out.WriteTime(1234567890123);
  out.WriteInt32(-5);
  const auto bytes = BytesOf(out.Bytes());
  ArchiveReader in(bytes);
  EXPECT_EQ(in.ReadTime("stamp"), 1234567890123);
  EXPECT_EQ(in.ReadTime("old stamp"), -5);
  EXPECT_EQ(in.Remaining(), 0u);
}

TEST(ArchiveReading, ALengthBeyondTheFileIsRefusedBeforeAnythingIsAllocated) {
  const std::vector<uint8_t> bytes = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'};
  ArchiveReader in(bytes);
  EXPECT_EQ(in.ReadString("comment"), "");
  EXPECT_FALSE(in.Ok());
  EXPECT_NE(in.Error().find("comment"), std::string::npos);
  EXPECT_NE(in.Error().find("too early"), std::string::npos);
}

TEST(ArchiveReading, TheFirstFailureSticksAndLaterReadsYieldZero) {
  const std::vector<uint8_t> bytes = {1, 0, 0};
  ArchiveReader in(bytes);
  EXPECT_EQ(in.ReadInt32("first"), 0);
  const std::string first = in.Error();
  EXPECT_NE(first.find("first at byte 0"), std::string::npos);
  EXPECT_EQ(in.ReadInt32("second"), 0);
  EXPECT_TRUE(in.ReadRaw(1, "third").empty());
  EXPECT_EQ(in.Error(), first);
  EXPECT_EQ(in.Offset(), 0u);
}
