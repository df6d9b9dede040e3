// The flying pictures over the board, one tick at a time: each sprite moves, the clean board is
// put back where every sprite was and now is, the sprites are drawn over it in the composition
// buffer, and only those rectangles are shown again.
#pragma once

#include <QImage>
#include <QRect>
#include <functional>
#include <span>

#include "app/cell_animation.h"
#include "view/qt/anim_painter.h"

namespace quorbel {

struct SpriteBuffers {
  const QImage &Clean; // the board as painted
  QImage &Compose;     // the board with the sprites over it
  std::function<void(const QRect &)> Show;
};

void StepSprites(std::span<CMoveGif> sprites, const SurfaceRect &area, uint32_t now,
                 const AnimStepContext &step, const AnimPaint &paint, SpriteBuffers &buffers);

} // namespace quorbel
