#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/log_file.h"
#include "app/message_ring.h"
#include "app/ring_message_sink.h"

using namespace quorbel;

namespace {

class MessageRingTest : public ::testing::Test {
protected:
  quorbel::testing::TempDir dir_;
  void SetUp() override {
    logPath_ = dir_.File("ring_test.sudlog");
    log_ = LogFile(logPath_);
    log_.SetEnabled(true);
    ring_.SetLog(&log_);
    ring_.SetRedraw([this] { ++redraws_; });
  }

  std::string Newest() const { return ring_.Line(ring_.NewestIndex()).Text; }
  int FilledLines() const {
    int filled = 0;
    for (int i = 0; i < MessageRing::kLineCount; ++i)
      filled += ring_.Line(i).Empty == 0;
    return filled;
  }

  std::string logPath_;
  LogFile log_;
  MessageRing ring_;
  int redraws_ = 0;
};

} // namespace

TEST_F(MessageRingTest, TheFiftyFirstMessageOverwritesTheFirstLine) {
  for (int i = 0; i < 50; ++i)
    ring_.AddInfoMessageFormat("message %d", i);
  EXPECT_EQ(ring_.WriteIndex(), 0);
  EXPECT_EQ(ring_.Line(0).Text, "message 0");
  ring_.AddInfoMessage("message 50");
  EXPECT_EQ(ring_.Line(0).Text, "message 50");
  EXPECT_EQ(ring_.Line(1).Text, "message 1");
  EXPECT_EQ(ring_.WriteIndex(), 1);
  EXPECT_EQ(ring_.DisplayIndex(), 1);
  EXPECT_EQ(redraws_, 51);
}

TEST_F(MessageRingTest, AMessageReplacesOneTransientLine) {
  ring_.AddInfoMessage("before");
  ring_.AddTransientMessage("Search running");
  EXPECT_TRUE(ring_.Pending());
  ring_.AddInfoMessage("found");
  EXPECT_FALSE(ring_.Pending());
  EXPECT_EQ(FilledLines(), 2);
  EXPECT_EQ(Newest(), "found");
}

TEST_F(MessageRingTest, OfTwoTransientLinesOnlyTheSecondIsReplaced) {
  ring_.AddTransientMessage("step 1");
  ring_.AddTransientMessage("step 2");
  ring_.AddInfoMessage("done");
  EXPECT_EQ(FilledLines(), 2);
  EXPECT_EQ(ring_.Line(0).Text, "step 1");
  EXPECT_EQ(ring_.Line(1).Text, "done");
}

TEST_F(MessageRingTest, AnUnrepeatedLineShowsOnceInARow) {
  ring_.AddInfoMessageUnrepeated("refused");
  ring_.AddInfoMessageUnrepeated("refused");
  EXPECT_EQ(FilledLines(), 1);
  ring_.AddInfoMessage("other");
  ring_.AddInfoMessageUnrepeated("refused");
  EXPECT_EQ(FilledLines(), 3);
  EXPECT_EQ(Newest(), "refused");
}

TEST_F(MessageRingTest, MutedMessagesAreNeitherShownNorLoggedUnlessForced) {
  ring_.SetMessagesMuted(true);
  ring_.AddInfoMessage("hidden");
  ring_.AddTransientMessage("hidden too");
  ring_.ReplaceInfoMessage("hidden three", 0);
  EXPECT_EQ(FilledLines(), 0);
  EXPECT_EQ(redraws_, 0);
  ring_.ForceInfoMessage("forced");
  EXPECT_EQ(Newest(), "forced");
  EXPECT_EQ(quorbel::testing::ReadBytes(logPath_), "forced\n");
}

TEST_F(MessageRingTest, ReplaceOverwritesALineBeforeTheNewestWithoutMoving) {
  ring_.AddInfoMessage("first");
  ring_.AddInfoMessage("second");
  ring_.AddInfoMessage("third");
  ring_.ReplaceInfoMessageFormat("Result %d", 7, 1);
  ring_.ReplaceInfoMessage("last", 0);
  EXPECT_EQ(ring_.WriteIndex(), 3);
  EXPECT_EQ(ring_.Line(1).Text, "Result 7");
  EXPECT_EQ(ring_.Line(2).Text, "last");
  ring_.ReplaceInfoMessage("ignored", MessageRing::kLineCount);
  EXPECT_EQ(ring_.Line(0).Text, "first");
}

TEST_F(MessageRingTest, EveryMessageIsLoggedWithoutItsLinkMarks) {
  ring_.AddInfoMessage("Try to !Solve!98323!: done");
  ring_.AddInfoMessage(PanelText("Chat: ") + PanelText::Plain("hi !x!-2!"));
  EXPECT_EQ(quorbel::testing::ReadBytes(logPath_), "Try to Solve: done\nChat: hi !x!-2!\n");
  EXPECT_EQ(LinkMessageAction(ring_.Line(1), 2).kind, LinkAction::Kind::None);
}

TEST_F(MessageRingTest, ANewMessageBringsTheScrolledPanelBack) {
  ring_.AddInfoMessage("one");
  ring_.SetDisplayIndex(40);
  ring_.SetScrolled(true);
  ring_.AddInfoMessage("two");
  EXPECT_EQ(ring_.DisplayIndex(), 2);
  EXPECT_FALSE(ring_.Scrolled());
}

TEST_F(MessageRingTest, NumberedMessagesOfTheMacroRecorderArriveInTheCurrentLanguage) {
  Language language = Language::French;
  RingMessageSink sink(ring_, language);
  const std::vector<MessageArg> codes = {98505, -2};
  sink.Post(86, codes);
  EXPECT_EQ(MessageLineText(ring_.Line(0)), "==> Fin Macro et sauvegarde ficher MyMacro.macro");
  EXPECT_EQ(LinkMessageAction(ring_.Line(0), 2).helpContext, 98505);
  EXPECT_EQ(LinkMessageAction(ring_.Line(0), 4).kind, LinkAction::Kind::OpenFile);
  language = Language::English;
  const std::vector<MessageArg> fileName = {std::string("!x!-2!.sud")};
  sink.Post(131, fileName);
  EXPECT_EQ(ring_.Line(1).Text, "Error - File !x!-2!.sud not found");
  for (int i = 0; i < ring_.Line(1).SegmentCount; ++i)
    EXPECT_EQ(ring_.Line(1).Codes[static_cast<size_t>(i)], kPlainSegment);
  // A running count writes each step over the newest line.
  const std::vector<MessageArg> found = {98325, 7};
  sink.Replace(15, found);
  EXPECT_NE(MessageLineText(ring_.Line(1)).find("Find solution 7"), std::string::npos);
  EXPECT_EQ(ring_.NewestIndex(), 1);
}
