// The message panel of the board view: the ring's lines, newest first, with their links, and what
// a click on a link does.
#include <QPainter>
#include <QUrl>
#include <QUrlQuery>

#include "platform/qt/colour_ref.h"
#include "view/qt/paint_tools.h"
#include "view/qt/quorbel_view.h"

using namespace quorbel;

namespace {

constexpr int32_t kMessageIndent = 10;
constexpr int32_t kMessageMargin = 2;
constexpr ColorRef kLinkColour = 0xCC0000;
constexpr ColorRef kOlderLineColour = 0x505050;

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int RingPosition(int index) {
  return ((index % MessageRing::kLineCount) + MessageRing::kLineCount) % MessageRing::kLineCount;
}

// Draws the segments one after the other, wrapping at blanks, links underlined; stores where each
// segment's first piece went. Returns the height used.
int DrawMessageLine(QPainter &dc, const QFont &font, const QFontMetrics &metrics, CComLine &line, bool newest,
                    const CellRect &rect, const BoardColours &colours) {
  const int lineHeight = metrics.height();
  QFont linkFont = font;
  linkFont.setUnderline(true);
  auto measure = [&](std::string_view text) { return metrics.horizontalAdvance(FromUtf8(text)); };
  int32_t x = rect.left;
  int32_t y = rect.top;
  line.Rects.fill({}); // a segment left below the panel is not there to be clicked
  for (int s = 0; s < line.SegmentCount; ++s) {
    const auto at = static_cast<size_t>(s);
    const bool link = line.Codes[at] != kPlainSegment;
    dc.setFont(link ? linkFont : font);
    dc.setPen(ToQColor(link ? kLinkColour : newest ? colours.ColInit : kOlderLineColour));
    std::string_view rest = line.Segments[at];
    bool firstPiece = true;
    while (!rest.empty()) {
      WrappedText piece = WrapMessageText(rest, rect.right - x, measure);
      int32_t width = measure(piece.first);
      if (width > rect.right - x) {
        if (x > rect.left) {
          x = rect.left;
          y += lineHeight;
          continue;
        }
        // Wider than the whole panel: cut between characters rather than run past its edge.
        piece = BreakMessageText(rest, rect.right - x, measure);
        width = measure(piece.first);
      }
      dc.drawText(QPoint(x, y + metrics.ascent()), FromUtf8(piece.first));
      if (firstPiece)
        line.Rects[at] = {x, y, width, lineHeight};
      firstPiece = false;
      x += width;
      rest = piece.rest;
      if (!rest.empty()) {
        x = rect.left;
        y += lineHeight;
      }
      // Below the panel nothing shows: a long line costs only the rows it shows.
      if (y >= rect.bottom)
        return y + lineHeight - rect.top;
    }
  }
  return y + lineHeight - rect.top;
}

} // namespace

void CQuorbelView::DrawMessagePanel(const PaintContext &ctx, int full) {
  drawnMessageLines_.clear();
  const CellRect &panel = layout_.Message;
  if (!panel.IsShown() || panel.IsEmpty() || ctx.Printing)
    return;
  QPainter &dc = ctx.Dc;
  if (full == 1)
    FillSolidRect(dc, panel, ctx.Colours.ColBgCase);
  MessageRing &ring = app_.Messages();
  const QFont &font = fonts_.Font(layout_.CommentFont);
  const CellRect text{panel.left + kMessageIndent, panel.top + kMessageMargin, panel.right - kMessageMargin,
                      panel.bottom - kMessageMargin};
  dc.save();
  dc.setClipRect(ToQRect(text));
  int32_t y = text.top;
  const int write = RingPosition(ring.WriteIndex());
  int index = ring.DisplayIndex() - 1;
  for (int k = 0; k < MessageRing::kLineCount && y < text.bottom; ++k, --index) {
    // Backwards from the newest shown, until the ring comes round to the line written next.
    if (k > 0 && RingPosition(index) == write)
      break;
    CComLine &line = ring.Line(index);
    if (line.Empty)
      break;
    y += DrawMessageLine(dc, font, fonts_.Metrics(layout_.CommentFont), line, k == 0,
                         {text.left, y, text.right, text.bottom}, ctx.Colours);
    drawnMessageLines_.push_back(RingPosition(index));
  }
  dc.restore();
  if (full != 1 && y < panel.bottom)
    FillSolidRect(dc, {panel.left, y, panel.right, panel.bottom}, ctx.Colours.ColBgCase);

  // The panel's frame, drawn like a cell's: thick and in the selection colour while it has the focus.
  const CGridDraw &painter = painters_[static_cast<size_t>(PanelGridSlot())];
  const bool focus = app_.Engine().Grids.FocusCell == kFocusMessagePanel;
  const int width = std::max(1, static_cast<int>(focus ? painter.BorderBlock : painter.BorderCell));
  FrameRect(dc, panel, width, focus ? kSelectedBorder : ctx.Colours.ColBorder);
}

bool CQuorbelView::MessagePanelClick(int x, int y) {
  if (!layout_.Message.Contains(x, y))
    return false;
  const MessageRing &ring = app_.Messages();
  for (int index : drawnMessageLines_) {
    const CComLine &line = ring.Line(index);
    const int segment = HitTestMessageLink(line, x, y);
    if (segment >= 0) {
      LinkMessageClick(line, segment);
      return true;
    }
  }
  return false;
}

void CQuorbelView::LinkMessageClick(const CComLine &line, int segment) {
  // Links are only ever made of the program's own text, so what they open is ours.
  const LinkAction action = LinkMessageAction(line, segment);
  switch (action.kind) {
  case LinkAction::Kind::None:
    return;
  case LinkAction::Kind::OpenFile:
    OpenUrl(QUrl::fromLocalFile(QString::fromStdString(action.target)));
    return;
  case LinkAction::Kind::OpenDocument:
    OpenUrl(QUrl::fromUserInput(QString::fromStdString(action.target),
                                QString::fromStdString(app_.ProgramDirectory()), QUrl::AssumeLocalFile));
    return;
  case LinkAction::Kind::MailReport: {
    QUrl mail(QStringLiteral("mailto:") + FromUtf8(kContactAddress));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), QString::fromStdString(action.target));
    mail.setQuery(query);
    OpenUrl(mail);
    return;
  }
  case LinkAction::Kind::Help:
    app_.ShowHelp(action.helpContext);
    return;
  }
}
