// The message panel's ring of 50 lines: every report to the player lands here, newest last,
// and also goes to the log. A transient line (progress) is replaced by the next message.
// The view owns one ring, draws its lines and repaints when told.
#pragma once

#include <array>
#include <functional>

#include "app/message_format.h"
#include "app/message_line.h"

namespace quorbel {

class LogFile;

class MessageRing {
public:
  static constexpr int kLineCount = 50;

  MessageRing();

  // Where messages are logged (none: not logged) and what repaints the panel at once.
  void SetLog(LogFile *log) { log_ = log; }
  void SetRedraw(std::function<void()> redraw) { redraw_ = std::move(redraw); }
  // Receives every line as it is shown (a headless macro play writes them out); none: nothing.
  void SetEcho(std::function<void(const PanelText &)> echo) { echo_ = std::move(echo); }

  // Each message takes a PanelText or, for the program's own literals and table entries, an OwnText.
  // A new line, or the transient line replaced; nothing while muted.
  void AddInfoMessage(const PanelText &text);
  void AddInfoMessage(OwnText text) { AddInfoMessage(PanelText(text)); }
  // As AddInfoMessage, unless the newest line already says it: a refusal repeated by a held key
  // shows once.
  void AddInfoMessageUnrepeated(const PanelText &text);
  void AddInfoMessageUnrepeated(OwnText text) { AddInfoMessageUnrepeated(PanelText(text)); }
  // A line that the next AddInfoMessage replaces.
  void AddTransientMessage(const PanelText &text);
  void AddTransientMessage(OwnText text) { AddTransientMessage(PanelText(text)); }
  // Overwrites the line `back` lines before the newest (0: the newest); the ring does not move.
  void ReplaceInfoMessage(const PanelText &text, int back);
  void ReplaceInfoMessage(OwnText text, int back) { ReplaceInfoMessage(PanelText(text), back); }
  // As AddInfoMessage, even while muted.
  void ForceInfoMessage(const PanelText &text);
  void ForceInfoMessage(OwnText text) { ForceInfoMessage(PanelText(text)); }
  void AddInfoMessageFormat(OwnText format, const FormatArg &value);
  void ReplaceInfoMessageFormat(OwnText format, const FormatArg &value, int back);
  void SetMessagesMuted(bool muted) { muted_ = muted; }
  // Empties every line.
  void ClearMessagePanel();

  const CComLine &Line(int index) const { return lines_[Wrap(index)]; }
  CComLine &Line(int index) { return lines_[Wrap(index)]; } // the drawing stores segment rectangles
  int WriteIndex() const { return writeIndex_; }
  int NewestIndex() const { return static_cast<int>(Wrap(writeIndex_ - 1)); }
  bool Muted() const { return muted_; }
  bool Pending() const { return pending_; }

  // The panel's scrolling: the line shown last, and whether the player scrolled away from the newest.
  int DisplayIndex() const { return displayIndex_; }
  void SetDisplayIndex(int index) { displayIndex_ = static_cast<int>(Wrap(index)); }
  bool Scrolled() const { return scrolled_; }
  void SetScrolled(bool scrolled) { scrolled_ = scrolled; }

private:
  static size_t Wrap(int index) {
    return static_cast<size_t>(((index % kLineCount) + kLineCount) % kLineCount);
  }
  void Post(const PanelText &text);
  void Finish(const PanelText &text);
  void Notify(const PanelText &text);

  std::array<CComLine, kLineCount> lines_;
  int writeIndex_ = 0;
  bool muted_ = false;
  bool pending_ = false;
  int displayIndex_ = 0;
  bool scrolled_ = false;
  LogFile *log_ = nullptr;
  std::function<void()> redraw_;
  std::function<void(const PanelText &)> echo_;
};

} // namespace quorbel
