#include "app/message_ring.h"

#include "app/log_file.h"

namespace quorbel {

MessageRing::MessageRing() {
  for (CComLine &line : lines_)
    InitMessageLine(line);
}

void MessageRing::ClearMessagePanel() {
  for (CComLine &line : lines_)
    InitMessageLine(line);
  pending_ = false;
  scrolled_ = false;
  displayIndex_ = writeIndex_;
  if (redraw_)
    redraw_();
}

void MessageRing::AddInfoMessage(const PanelText &text) {
  if (!muted_)
    Post(text);
}

void MessageRing::AddInfoMessageUnrepeated(const PanelText &text) {
  const CComLine &newest = lines_[Wrap(writeIndex_ - 1)];
  if (pending_ || newest.Empty != 0 || newest.Text != text.Joined())
    AddInfoMessage(text);
}

void MessageRing::ForceInfoMessage(const PanelText &text) { Post(text); }

void MessageRing::Post(const PanelText &text) {
  // A pending transient line is the one just before the write index: it is overwritten.
  LinkMessageParse(text, lines_[Wrap(pending_ ? writeIndex_ - 1 : writeIndex_)]);
  if (!pending_)
    writeIndex_ = static_cast<int>(Wrap(writeIndex_ + 1));
  pending_ = false;
  Finish(text);
}

void MessageRing::AddTransientMessage(const PanelText &text) {
  if (muted_)
    return;
  LinkMessageParse(text, lines_[Wrap(writeIndex_)]);
  writeIndex_ = static_cast<int>(Wrap(writeIndex_ + 1));
  pending_ = true;
  Finish(text);
}

void MessageRing::ReplaceInfoMessage(const PanelText &text, int back) {
  if (muted_ || back < 0 || back >= kLineCount)
    return;
  LinkMessageParse(text, lines_[Wrap(writeIndex_ - 1 - back)]);
  Notify(text);
}

void MessageRing::AddInfoMessageFormat(OwnText format, const FormatArg &value) {
  AddInfoMessage(FormatPanelText(format, {value}));
}

void MessageRing::ReplaceInfoMessageFormat(OwnText format, const FormatArg &value, int back) {
  ReplaceInfoMessage(FormatPanelText(format, {value}), back);
}

void MessageRing::Finish(const PanelText &text) {
  displayIndex_ = writeIndex_;
  scrolled_ = false;
  Notify(text);
}

void MessageRing::Notify(const PanelText &text) {
  if (redraw_)
    redraw_();
  if (echo_)
    echo_(text);
  // Last: a log that cannot be written says so in a line of its own, which must follow this one.
  if (log_)
    log_->AppendLogLine(text);
}

} // namespace quorbel
