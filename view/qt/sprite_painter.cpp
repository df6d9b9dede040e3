#include "view/qt/sprite_painter.h"

#include <QPainter>

namespace quorbel {

namespace {

bool HasRect(const SurfaceRect &r) {
  return r.Bottom != kNoMoveRect.Bottom && r.Right > r.Left && r.Bottom > r.Top;
}

QRect ToRect(const SurfaceRect &r) { return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }

void Restore(QPainter &compose, const QImage &clean, const SurfaceRect &r) {
  if (HasRect(r))
    compose.drawImage(ToRect(r), clean, ToRect(r));
}

void Show(SpriteBuffers &buffers, const SurfaceRect &r) {
  if (HasRect(r) && buffers.Show)
    buffers.Show(ToRect(r));
}

} // namespace

void StepSprites(std::span<CMoveGif> sprites, const SurfaceRect &area, uint32_t now,
                 const AnimStepContext &step, const AnimPaint &paint, SpriteBuffers &buffers) {
  if (buffers.Compose.size() != buffers.Clean.size())
    buffers.Compose = buffers.Clean.copy();
  for (CMoveGif &sprite : sprites)
    StepMove(sprite, area, now, step);
  {
    QPainter compose(&buffers.Compose);
    for (const CMoveGif &sprite : sprites)
      Restore(compose, buffers.Clean, sprite.OldRect);
    for (const CMoveGif &sprite : sprites)
      Restore(compose, buffers.Clean, sprite.Rect);
    for (const CMoveGif &sprite : sprites)
      if (HasRect(sprite.Rect))
        DrawAnimCell(compose, sprite, sprite.Frame, true,
                     CellRect{sprite.Rect.Left, sprite.Rect.Top, sprite.Rect.Right, sprite.Rect.Bottom}, 0,
                     paint);
  }
  for (const CMoveGif &sprite : sprites)
    Show(buffers, sprite.OldRect);
  for (CMoveGif &sprite : sprites) {
    Show(buffers, sprite.Rect);
    MoveShown(sprite);
  }
}

} // namespace quorbel
