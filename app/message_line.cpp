#include "app/message_line.h"

#include <charconv>
#include <utility>
#include <vector>

#include "platform/paths.h"

namespace quorbel {

namespace {

constexpr char kLinkMark = '!';

struct LineToken {
  std::string text;
  int32_t code = kPlainSegment;
};

// The text as one string with, per character, whether it is the program's own (may form links).
struct MarkedText {
  std::string chars;
  std::vector<bool> own;
};

MarkedText Flatten(const PanelText &text) {
  MarkedText flat;
  for (const PanelText::Piece &piece : text.Pieces()) {
    flat.chars += piece.text;
    flat.own.insert(flat.own.end(), piece.text.size(), !piece.plain);
  }
  return flat;
}

size_t NextOwnMark(const MarkedText &flat, size_t from) {
  for (size_t i = from; i < flat.chars.size(); ++i)
    if (flat.chars[i] == kLinkMark && flat.own[i])
      return i;
  return std::string::npos;
}

bool AllOwn(const MarkedText &flat, size_t begin, size_t end) {
  for (size_t i = begin; i < end; ++i)
    if (!flat.own[i])
      return false;
  return true;
}

bool ParseCode(std::string_view digits, int32_t &code) {
  if (digits.empty())
    return false;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code);
  return error == std::errc() && end == digits.data() + digits.size();
}

// Plain runs and links in order. A link needs its text and code wholly of the program's own
// pieces; any "!" that does not open a well-formed link is kept as text.
std::vector<LineToken> TokenizeLinks(const PanelText &text) {
  const MarkedText flat = Flatten(text);
  std::vector<LineToken> tokens;
  auto addPlain = [&](std::string_view part) {
    if (part.empty())
      return;
    if (tokens.empty() || tokens.back().code != kPlainSegment)
      tokens.push_back({});
    tokens.back().text += part;
  };
  size_t i = 0;
  while (i < flat.chars.size()) {
    const size_t open = NextOwnMark(flat, i);
    if (open == std::string::npos)
      break;
    const size_t middle = NextOwnMark(flat, open + 1);
    const size_t close = middle == std::string::npos ? middle : NextOwnMark(flat, middle + 1);
    int32_t code = 0;
    const bool isLink = close != std::string::npos && middle > open + 1 && AllOwn(flat, open + 1, middle) &&
                        AllOwn(flat, middle + 1, close) &&
                        ParseCode(std::string_view(flat.chars).substr(middle + 1, close - middle - 1), code);
    if (!isLink) {
      addPlain(std::string_view(flat.chars).substr(i, open + 1 - i));
      i = open + 1;
      continue;
    }
    addPlain(std::string_view(flat.chars).substr(i, open - i));
    tokens.push_back({flat.chars.substr(open + 1, middle - open - 1), code});
    i = close + 1;
  }
  if (i < flat.chars.size())
    addPlain(std::string_view(flat.chars).substr(i));
  return tokens;
}

void AddSegment(CComLine &line, std::string text, int32_t code) {
  line.Segments[static_cast<size_t>(line.SegmentCount)] = std::move(text);
  line.Codes[static_cast<size_t>(line.SegmentCount)] = code;
  line.Rects[static_cast<size_t>(line.SegmentCount)] = {};
  ++line.SegmentCount;
}

} // namespace

void InitMessageLine(CComLine &line) {
  line.Empty = 1;
  line.SegmentCount = 0;
  line.Text.clear();
}

void LinkMessageParse(const PanelText &text, CComLine &line) {
  InitMessageLine(line);
  line.Empty = 0;
  line.Text = text.Joined();
  AddSegment(line, std::string(kLinePrefix), kPlainSegment);
  const std::vector<LineToken> tokens = TokenizeLinks(text);
  std::string pending;
  for (size_t t = 0; t < tokens.size(); ++t) {
    const LineToken &token = tokens[t];
    if (token.code == kPlainSegment) {
      pending += token.text;
      continue;
    }
    // A link takes its own segment, the plain text before it another, and one more stays free
    // for whatever follows it.
    const bool last = t + 1 == tokens.size();
    const int needed = (pending.empty() ? 0 : 1) + 1 + (last ? 0 : 1);
    if (line.SegmentCount + needed > kMaxLineSegments) {
      pending += token.text;
      continue;
    }
    if (!pending.empty())
      AddSegment(line, std::exchange(pending, {}), kPlainSegment);
    AddSegment(line, token.text, token.code);
  }
  if (!pending.empty())
    AddSegment(line, std::move(pending), kPlainSegment);
}

std::string MessageLineText(const CComLine &line) {
  std::string text;
  for (int i = 0; i < line.SegmentCount; ++i)
    text += line.Segments[static_cast<size_t>(i)];
  return text;
}

std::string StripLinkMarkers(const PanelText &text) {
  std::string stripped;
  for (const LineToken &token : TokenizeLinks(text))
    stripped += token.text;
  return stripped;
}

WrappedText WrapMessageText(std::string_view text, int32_t widthLeft,
                            const std::function<int32_t(std::string_view)> &textWidth) {
  if (textWidth(text) <= widthLeft)
    return {text, {}};
  // Widths grow with the text: the last blank that fits is searched by halves, so that a long
  // line costs a few measures a row, not one for each of its blanks.
  std::vector<size_t> blanks;
  for (size_t blank = text.find(' ', 1); blank != std::string_view::npos; blank = text.find(' ', blank + 1))
    blanks.push_back(blank);
  size_t low = 0;
  size_t high = blanks.size(); // blanks[0, low) fit, blanks[high, end) do not
  while (low < high) {
    const size_t middle = low + (high - low) / 2;
    if (textWidth(text.substr(0, blanks[middle])) <= widthLeft)
      low = middle + 1;
    else
      high = middle;
  }
  if (low == 0)
    return {text, {}};
  const size_t blank = blanks[low - 1];
  return {text.substr(0, blank), text.substr(blank + 1)};
}

WrappedText BreakMessageText(std::string_view text, int32_t widthLeft,
                             const std::function<int32_t(std::string_view)> &textWidth) {
  auto isContinuation = [&](size_t at) { return (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80; };
  auto nextBoundary = [&](size_t at) {
    do
      ++at;
    while (at < text.size() && isContinuation(at));
    return at;
  };
  size_t cut = text.empty() ? 0 : nextBoundary(0); // one character always goes
  for (size_t next = cut < text.size() ? nextBoundary(cut) : cut;
       cut < text.size() && textWidth(text.substr(0, next)) <= widthLeft;
       next = next < text.size() ? nextBoundary(next) : next)
    cut = next;
  return {text.substr(0, cut), text.substr(cut)};
}

int HitTestMessageLink(const CComLine &line, int32_t x, int32_t y) {
  if (line.Empty)
    return -1;
  for (int i = 0; i < line.SegmentCount; ++i) {
    const auto s = static_cast<size_t>(i);
    if (line.Codes[s] != kPlainSegment && line.Rects[s].Contains(x, y))
      return i;
  }
  return -1;
}

LinkAction LinkMessageAction(const CComLine &line, int segment) {
  if (line.Empty || segment < 0 || segment >= line.SegmentCount)
    return {};
  const auto s = static_cast<size_t>(segment);
  const int32_t code = line.Codes[s];
  const std::string &text = line.Segments[s];
  switch (code) {
  case kPlainSegment:
    return {};
  case kLinkOpenFile:
    return {LinkAction::Kind::OpenFile, MakeAbsolutePath(text), 0};
  case kLinkMailReport:
    return {LinkAction::Kind::MailReport, text, 0};
  case kLinkOpenDocument:
    return {LinkAction::Kind::OpenDocument, text, 0};
  default:
    return {LinkAction::Kind::Help, {}, code};
  }
}

} // namespace quorbel
