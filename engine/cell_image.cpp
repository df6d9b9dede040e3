// Plain state changes of a cell picture; the media layer advances and draws it.
#include "engine/cell_image.h"

namespace quorbel {

void ResetAnim(CAnimGif &anim) { anim = CAnimGif{}; }

void SelectAnimSet(CAnimGif &anim, int set, const PictureOrderTable &pictureOrder) {
  if (set >= kNoPictureSet) {
    anim.RequestedSet = static_cast<int16_t>(set);
    anim.ResolvedSet = static_cast<int16_t>(set);
    if (set >= 0 && set < static_cast<int>(pictureOrder.size()))
      anim.ResolvedSet = pictureOrder[set];
  }
  anim.Mode = kAnimStopped;
  anim.Frame = 0;
  anim.TimeToNextFrameMs = 0;
  anim.RepeatCount = 0;
}

} // namespace quorbel
