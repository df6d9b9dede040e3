#include <gtest/gtest.h>

#include "app/message_format.h"
#include "app/message_line.h"
#include "platform/paths.h"

using namespace quorbel;

namespace {

CComLine Parsed(const PanelText &text) {
  CComLine line;
  LinkMessageParse(text, line);
  return line;
}

CComLine Parsed(OwnText text) { return Parsed(PanelText(text)); }

int LinkCount(const CComLine &line) {
  int links = 0;
  for (int i = 0; i < line.SegmentCount; ++i)
    links += line.Codes[static_cast<size_t>(i)] != kPlainSegment;
  return links;
}

} // namespace

TEST(LinkMessageParse, PlainWordsAroundOneLinkGiveFourSegments) {
  const CComLine line = Parsed("Open the !readme.txt!-2! file now");
  EXPECT_EQ(line.Empty, 0);
  ASSERT_EQ(line.SegmentCount, 4);
  EXPECT_EQ(line.Segments[0], "==> ");
  EXPECT_EQ(line.Segments[1], "Open the ");
  EXPECT_EQ(line.Segments[2], "readme.txt");
  EXPECT_EQ(line.Codes[2], kLinkOpenFile);
  EXPECT_EQ(line.Segments[3], " file now");
  EXPECT_EQ(line.Codes[1], kPlainSegment);
  EXPECT_EQ(line.Codes[3], kPlainSegment);
  EXPECT_EQ(line.Text, "Open the !readme.txt!-2! file now");
  EXPECT_EQ(MessageLineText(line), "==> Open the readme.txt file now");
}

TEST(LinkMessageParse, AChatTextCanNeverBecomeALink) {
  for (const char *chat : {"!x!-2!", "!x!-4!", "look !here!98315! and !run!-2!"}) {
    SCOPED_TRACE(chat);
    const CComLine line = Parsed(PanelText::Plain(chat));
    EXPECT_EQ(LinkCount(line), 0);
    EXPECT_EQ(MessageLineText(line), std::string("==> ") + chat);
    EXPECT_EQ(LinkMessageAction(line, 1).kind, LinkAction::Kind::None);
  }
  // Nor when it is put between the program's own link marks.
  const CComLine mixed = Parsed(FormatPanelText("Chat: %s!%d!", {"!evil", -2}));
  EXPECT_EQ(LinkCount(mixed), 0);
  const CComLine wrapped = Parsed(PanelText("!") + PanelText::Plain("/bin/sh") + PanelText("!-2!"));
  EXPECT_EQ(LinkCount(wrapped), 0);
  EXPECT_EQ(MessageLineText(wrapped), "==> !/bin/sh!-2!");
}

TEST(LinkMessageParse, MarksThatDoNotFormALinkStayText) {
  EXPECT_EQ(MessageLineText(Parsed("You Get the Max Score of 42!!!\n\n")),
            "==> You Get the Max Score of 42!!!\n\n");
  EXPECT_EQ(LinkCount(Parsed("Champagne!!!")), 0);
  EXPECT_EQ(MessageLineText(Parsed("!text!notanumber! end")), "==> !text!notanumber! end");
  EXPECT_EQ(MessageLineText(Parsed("!text!99999999999! end")), "==> !text!99999999999! end");
  EXPECT_EQ(MessageLineText(Parsed("half !open")), "==> half !open");
  const CComLine later = Parsed("odd ! then !real!7!");
  EXPECT_EQ(LinkCount(later), 1);
  EXPECT_EQ(MessageLineText(later), "==> odd ! then real");
}

TEST(LinkMessageParse, ALeadingLinkHasNoEmptySegmentBeforeIt) {
  const CComLine line = Parsed(FormatPanelText("!Grille de référence!%d! affichée", {98471}));
  ASSERT_EQ(line.SegmentCount, 3);
  EXPECT_EQ(line.Segments[1], "Grille de référence");
  EXPECT_EQ(line.Codes[1], 98471);
}

TEST(LinkMessageParse, LinksBeyondEightSegmentsKeepTheirText) {
  const CComLine four = Parsed("a !b!1! c !d!2! e !f!3! g !h!4! i");
  EXPECT_EQ(four.SegmentCount, kMaxLineSegments);
  EXPECT_EQ(LinkCount(four), 3);
  EXPECT_EQ(MessageLineText(four), "==> a b c d e f g h i");
  const CComLine many = Parsed("!a!1!!b!2!!c!3!!d!4!!e!5!!f!6!!g!7!!h!8!!i!9!");
  EXPECT_LE(many.SegmentCount, kMaxLineSegments);
  EXPECT_EQ(MessageLineText(many), "==> abcdefghi");
}

TEST(MessageLine, HitTestFindsOnlyLinksUnderThePoint) {
  CComLine line = Parsed("see !help!98315! here");
  line.Rects[1] = {0, 0, 40, 12};
  line.Rects[2] = {40, 0, 30, 12};
  line.Rects[3] = {70, 0, 30, 12};
  EXPECT_EQ(HitTestMessageLink(line, 45, 5), 2);
  EXPECT_EQ(HitTestMessageLink(line, 10, 5), -1);
  EXPECT_EQ(HitTestMessageLink(line, 80, 5), -1);
  EXPECT_EQ(HitTestMessageLink(line, 45, 20), -1);
  InitMessageLine(line);
  EXPECT_EQ(HitTestMessageLink(line, 45, 5), -1);
}

TEST(MessageLine, EachLinkCodeAsksForItsAction) {
  SetStartDirectory("/home/player/quorbel");
  const CComLine line = Parsed("!SudGrid\\Demo.macro!-2! !Bug!-3! !https://example.org!-4! !Help!98391!");
  const LinkAction open = LinkMessageAction(line, 1);
  EXPECT_EQ(open.kind, LinkAction::Kind::OpenFile);
  EXPECT_EQ(open.target, "/home/player/quorbel/SudGrid/Demo.macro");
  EXPECT_EQ(LinkMessageAction(line, 3).kind, LinkAction::Kind::MailReport);
  EXPECT_EQ(LinkMessageAction(line, 3).target, "Bug");
  EXPECT_EQ(LinkMessageAction(line, 5).kind, LinkAction::Kind::OpenDocument);
  EXPECT_EQ(LinkMessageAction(line, 5).target, "https://example.org");
  EXPECT_EQ(LinkMessageAction(line, 7).kind, LinkAction::Kind::Help);
  EXPECT_EQ(LinkMessageAction(line, 7).helpContext, 98391);
  EXPECT_EQ(LinkMessageAction(line, 2).kind, LinkAction::Kind::None);
  EXPECT_EQ(LinkMessageAction(line, 99).kind, LinkAction::Kind::None);
  CComLine empty;
  EXPECT_EQ(LinkMessageAction(empty, 0).kind, LinkAction::Kind::None);
}

TEST(StripLinkMarkers, KeepsLinkTextsAndPlainTextsAsWritten) {
  EXPECT_EQ(StripLinkMarkers(FormatPanelText("Try to !Solve!%d!: Successfull (%d found)", {98323, 5})),
            "Try to Solve: Successfull (5 found)");
  EXPECT_EQ(StripLinkMarkers(PanelText::Plain("a !b!2! c")), "a !b!2! c");
}

TEST(WrapMessageText, CutsAtTheLastBlankThatStillFits) {
  const auto width = [](std::string_view text) { return static_cast<int32_t>(text.size()) * 7; };
  const WrappedText fits = WrapMessageText("short words", 100, width);
  EXPECT_EQ(fits.first, "short words");
  EXPECT_TRUE(fits.rest.empty());
  const WrappedText cut = WrapMessageText("one two three four", 70, width); // 10 characters fit
  EXPECT_EQ(cut.first, "one two");
  EXPECT_EQ(cut.rest, "three four");
  const WrappedText whole = WrapMessageText("unbreakable-word here", 35, width);
  EXPECT_EQ(whole.first, "unbreakable-word here");
  EXPECT_TRUE(whole.rest.empty());
}

// A peer's chat line of 8 KB is drawn every second: each row it shows costs a few measures.
TEST(WrapMessageText, ALongLineCostsAFewMeasuresARow) {
  int measures = 0;
  const auto width = [&](std::string_view text) {
    ++measures;
    return static_cast<int32_t>(text.size()) * 7;
  };
  std::string line;
  while (line.size() < 8000)
    line += "word ";
  const WrappedText cut = WrapMessageText(line, 70, width);
  EXPECT_EQ(cut.first, "word word");
  EXPECT_EQ(cut.rest.size(), line.size() - 10);
  EXPECT_LE(measures, 16);
}

TEST(WrapMessageText, AWordWiderThanTheLineBreaksBetweenCharacters) {
  const auto width = [](std::string_view text) { return static_cast<int32_t>(text.size()) * 7; };
  const WrappedText cut = BreakMessageText("/very/long/path", 35, width); // 5 bytes fit
  EXPECT_EQ(cut.first, "/very");
  EXPECT_EQ(cut.rest, "/long/path");
  const WrappedText accent = BreakMessageText("abcd\xC3\xA9"
                                              "f",
                                              35, width); // "é" takes two bytes
  EXPECT_EQ(accent.first, "abcd");
  EXPECT_EQ(accent.rest, "\xC3\xA9"
                         "f");
  EXPECT_EQ(BreakMessageText("wide", 1, width).first, "w"); // never nothing
  EXPECT_EQ(BreakMessageText("", 10, width).first, "");
}
