#include "view/qt/anim_painter.h"

#include <algorithm>

#include "app/cell_animation.h"
#include "platform/qt/colour_ref.h"
#include "view/qt/paint_tools.h"

namespace quorbel {

const std::array<ColorRef, 16> CellColourTable{0x0000FF, 0x9202FB, 0x00CC00, 0x888888, 0xFF0F97, 0xF0E10C,
                                               0xBB0000, 0x0060C0, 0x008000, 0xDDDDDD, 0xFF0000, 0x000000,
                                               0xFFFFFF, 0x706004, 0xC68F80, 0xFF40D0};

namespace {

constexpr int kRings = 3;
constexpr double kTextShare = 1.5;
constexpr int kMostShrink = 8;

} // namespace

void DrawPictureFrame(QPainter &dc, const CBitMapGif &set, int frame, int kind, int countdown, int length,
                      const CellRect &box) {
  if (!box.IsShown() || box.IsEmpty())
    return;
  const int w = box.Width();
  const int h = box.Height();
  // Shrunk pixel by pixel, a picture loses what falls between the pixels kept (a domino's pips):
  // a smaller box takes the frame drawn at its own size, then scaled down smoothly. One far
  // larger than its box is drawn at kMostShrink times the box, so that every paint of a board
  // of thousands of pixels a side does not cost a picture of millions.
  const int factor = std::clamp(std::max((set.Width + w - 1) / w, (set.Height + h - 1) / h), 1, kMostShrink);
  if (factor == 1) {
    DrawPictureFrame(dc, set, frame, kind, countdown, length,
                     SurfaceRect{box.left, box.top, box.right, box.bottom});
    return;
  }
  QImage large(w * factor, h * factor, QImage::Format_ARGB32_Premultiplied);
  large.fill(Qt::transparent);
  {
    QPainter painter(&large);
    DrawPictureFrame(painter, set, frame, kind, countdown, length, SurfaceRect{0, 0, w * factor, h * factor});
  }
  dc.save();
  dc.setRenderHint(QPainter::SmoothPixmapTransform);
  dc.drawImage(ToQRect(box), large.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  dc.restore();
}

void DrawAnimCell(QPainter &dc, const CAnimGif &anim, int frameOverride, bool outline, const CellRect &box,
                  int colourIndex, const AnimPaint &paint) {
  if (paint.Symbols == kSymbolPictures || anim.ResolvedSet >= kPictureCount) {
    const int set = DrawnSet(anim, paint.Pictures);
    if (set < 0)
      return;
    const CBitMapGif &pictures = paint.Pictures.Sets[static_cast<size_t>(set)];
    const int frame = frameOverride >= 0 ? frameOverride : anim.Frame;
    DrawPictureFrame(dc, pictures, std::clamp(frame, 0, pictures.FrameCount - 1), anim.EffectKind,
                     anim.EffectCountdown, anim.EffectLength, box);
    return;
  }
  FillSolidRect(dc, box, paint.Ground);
  if (paint.Colouring && colourIndex >= 0 && colourIndex < static_cast<int>(CellColourTable.size()))
    DrawCornerMark(dc, box, std::min(box.Width(), box.Height()),
                   CellColourTable[static_cast<size_t>(colourIndex)], outline);
  if (paint.Background && paint.Transparency > 0) {
    dc.save();
    dc.setOpacity(paint.Transparency / 255.0);
    dc.drawImage(ToQRect(box), *paint.Background, ToQRect(box));
    dc.restore();
  }
  DrawRingPulse(dc, anim, box);
  const int font = static_cast<int>(box.Height() / kTextShare + 1);
  DrawTextCentred(dc, QString::fromStdString(ValueSymbolText(anim.RequestedSet + 1, paint.Symbols)), box,
                  paint.Fonts.Font(font), 0x000000);
}

void DrawCornerMark(QPainter &dc, const CellRect &box, int size, ColorRef colour, bool outline) {
  if (size <= 0 || !box.IsShown())
    return;
  const int x0 = box.right - size;
  dc.save();
  dc.setPen(Qt::NoPen);
  dc.setBrush(ToQColor(colour));
  const QPoint corner[3] = {{x0, box.top}, {box.right, box.top}, {box.right, box.top + size}};
  dc.drawPolygon(corner, 3);
  if (outline) {
    dc.setPen(Qt::black);
    dc.setBrush(Qt::NoBrush);
    const QPoint inner[3] = {
        {x0 + 5, box.top + 2}, {box.right - 2, box.top + 2}, {box.right - 2, box.top + size - 5}};
    const QPoint outer[3] = {
        {x0 + 4, box.top + 1}, {box.right - 1, box.top + 1}, {box.right - 1, box.top + size - 4}};
    dc.drawPolygon(inner, 3);
    dc.drawPolygon(outer, 3);
  }
  dc.restore();
}

void DrawRingPulse(QPainter &dc, const CAnimGif &anim, const CellRect &box) {
  if (anim.Mode != kAnimPulse || anim.RingCountdown < 0 || anim.RingLength <= 0)
    return;
  const int length = anim.RingLength;
  int e = anim.RingCountdown;
  if (length / 2 >= e)
    e = length - e;
  const QPointF centre((box.left + box.right) / 2.0, (box.top + box.bottom) / 2.0);
  dc.save();
  dc.setRenderHint(QPainter::Antialiasing);
  dc.setPen(QPen(Qt::black, 1));
  dc.setBrush(Qt::NoBrush);
  for (int i = 0; i < kRings; ++i)
    dc.drawEllipse(centre, box.Width() * e / 2.0 / length - i, box.Height() * e / 2.0 / length - i);
  dc.restore();
}

} // namespace quorbel
