// The challenge's strip under the board: the players' boxes, marked for the chat line, and the
// chat line itself.
#include <QLineEdit>

#include "app/qt/defi_dialog.h"
#include "platform/qt/colour_ref.h"
#include "view/defi_strip.h"
#include "view/qt/paint_tools.h"
#include "view/qt/quorbel_view.h"

using namespace quorbel;

namespace {

constexpr ColorRef kOwnBox = 0x8000;
constexpr ColorRef kMarkedBox = 14540253;
constexpr ColorRef kOtherBox = 13012864;
constexpr ColorRef kLightInk = 0xFFFFFF;

void DrawLabelBox(QPainter &dc, ColorRef brush, const QString &text, const CellRect &box, const QFont &font,
                  ColorRef ink) {
  FillSolidRect(dc, box, 0);
  FillSolidRect(dc, {box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, brush);
  dc.setPen(ToQColor(0));
  dc.drawRect(box.left + 2, box.top + 2, box.Width() - 5, box.Height() - 5);
  DrawTextCentred(dc, text, box, font, ink);
}

} // namespace

void CQuorbelView::DrawDefiStrip(const PaintContext &ctx) {
  const CDialogDefi *challenge = ChallengeDialog();
  const bool shown = layout_.DefiStrip.IsShown() && challenge;
  if (!shown) {
    if (chatLine_)
      chatLine_->hide();
    return;
  }
  FillSolidRect(ctx.Dc, layout_.DefiStrip, ctx.Colours.ColBgCase);
  const ChallengeBoard board = challenge->Board();
  const DefiStripLayout strip = LayOutDefiStrip(layout_.DefiStrip, static_cast<int>(board.Players.size()));
  const QFont &font = fonts_.Font(std::min(159, layout_.DefiStrip.Height() / 3));
  for (size_t b = 0; b < board.Players.size() && b < strip.Boxes.size(); ++b) {
    const ChallengeBoard::Box &player = board.Players[b];
    const ColorRef brush = player.Local ? kOwnBox : player.Marked ? kMarkedBox : kOtherBox;
    // The player whose turn it is has the arrow.
    const QString text = (player.Turn ? QStringLiteral("\u25B6 ") : QString()) +
                         QString::fromStdString(player.Name) + QStringLiteral(" ") +
                         QString::number(player.Score);
    DrawLabelBox(ctx.Dc, brush, text, strip.Boxes[b], font, player.Local ? kLightInk : 0);
  }
  if (!strip.Boxes.empty())
    DrawLabelBox(ctx.Dc, kOtherBox, QString(), strip.Boxes.back(), font, 0);
  DrawTextCentred(ctx.Dc, QStringLiteral("Chat:"), strip.ChatLabel, font, ctx.Colours.ColInit);
  if (!chatLine_) {
    chatLine_ = new QLineEdit(this);
    chatLine_->setObjectName(QStringLiteral("chatLine"));
    connect(chatLine_, &QLineEdit::returnPressed, this, [this] {
      if (CDialogDefi *defi = ChallengeDialog())
        defi->SendBoardChat(chatLine_->text().toStdString());
      chatLine_->clear();
    });
  }
  chatLine_->setGeometry(strip.ChatEdit.left, strip.ChatEdit.top, strip.ChatEdit.Width(),
                         strip.ChatEdit.Height());
  chatLine_->show();
}

bool CQuorbelView::ClickDefiStrip(QPoint at, bool ctrl) {
  CDialogDefi *challenge = ChallengeDialog();
  if (!challenge || !layout_.DefiStrip.IsShown())
    return false;
  const int players = challenge->Players().Count();
  const int box = HitTestPlayerBox(LayOutDefiStrip(layout_.DefiStrip, players), at.x(), at.y());
  if (box < 0)
    return false;
  challenge->MarkForChat(box, ctrl);
  if (chatLine_)
    chatLine_->setFocus();
  return true;
}
