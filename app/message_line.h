// One line of the message panel (`CComLine`): the text cut into plain segments and clickable
// links, each link written inline as "!text!code!". Parsing, hit testing and what a click on a
// link asks for live here; drawing and carrying out the action belong to the view.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "app/panel_text.h"

namespace quorbel {

inline constexpr int kMaxLineSegments = 8;
inline constexpr int32_t kPlainSegment = -1;
inline constexpr std::string_view kLinePrefix = "==> ";

// Link codes with an action of their own; any other code opens the help topic of that number.
inline constexpr int32_t kLinkOpenFile = -2;     // the file named by the link text, from the start directory
inline constexpr int32_t kLinkMailReport = -3;   // an error-report mail with the link text as subject
inline constexpr int32_t kLinkOpenDocument = -4; // the link text as a file, folder or web page

// Where the error-report mail goes.
inline constexpr std::string_view kContactAddress = "quorbel@localhost";

struct SegmentRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;

  bool Contains(int32_t px, int32_t py) const {
    return px >= x && py >= y && px < x + width && py < y + height;
  }
};

struct CComLine {
  int32_t Empty = 1; // 1: the line holds nothing
  int32_t SegmentCount = 0;
  std::string Text; // the whole text as passed, link marks included
  std::array<std::string, kMaxLineSegments> Segments;
  std::array<int32_t, kMaxLineSegments> Codes{};     // kPlainSegment or the link's code
  std::array<SegmentRect, kMaxLineSegments> Rects{}; // where the last drawing put each segment
};

void InitMessageLine(CComLine &line);

// Fills the line: segment 0 is kLinePrefix, then plain text and links in order. Only the
// program's own pieces of `text` can form links. At most kMaxLineSegments segments: links that
// do not fit are kept as their plain text, so nothing of the message is lost.
void LinkMessageParse(const PanelText &text, CComLine &line);

// All segments joined (what the copy command puts on the clipboard).
std::string MessageLineText(const CComLine &line);

// The text with every link reduced to its text, as the log keeps it.
std::string StripLinkMarkers(const PanelText &text);

// A segment too wide for the rest of its line is cut after the last blank at which its first part
// still fits; the rest (after that blank) continues on the next position. A segment that fits, or
// has no such blank, is drawn whole (`rest` empty). `textWidth` measures text in the panel's font.
struct WrappedText {
  std::string_view first;
  std::string_view rest;
};
WrappedText WrapMessageText(std::string_view text, int32_t widthLeft,
                            const std::function<int32_t(std::string_view)> &textWidth);

// A text that no blank lets fit, at the start of a line: its longest head that fits, cut between
// two characters (never inside one), at least one character; the rest continues below.
WrappedText BreakMessageText(std::string_view text, int32_t widthLeft,
                             const std::function<int32_t(std::string_view)> &textWidth);

// Index of the link segment whose rectangle holds the point; -1 when none.
int HitTestMessageLink(const CComLine &line, int32_t x, int32_t y);

struct LinkAction {
  enum class Kind { None, OpenFile, MailReport, OpenDocument, Help };
  Kind kind = Kind::None;
  std::string target; // absolute path (OpenFile), subject (MailReport), file or address (OpenDocument)
  int32_t helpContext = 0;
};

// What a click on `segment` asks for (`LinkMessageClick` carries it out); None for an empty line,
// a plain segment or an index out of range.
LinkAction LinkMessageAction(const CComLine &line, int segment);

} // namespace quorbel
