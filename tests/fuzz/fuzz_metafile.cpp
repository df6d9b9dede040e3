// The metafile reader on any bytes: no crash, no undefined behaviour, and either a refusal with
// words or a drawing whose every operation names a style, points, bitmap, tile and clip it
// holds, paths and clips whose parts use their points exactly, no larger than its input allows
// and no dearer to paint than its budget.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "media/metafile_cost.h"
#include "media/metafile_drawing.h"

using namespace quorbel;

namespace {

// What one byte of input may become: the points of an arc's curve, a bitmap's pixels.
constexpr uint64_t kPointsPerByte = 32;

void Check(bool holds) {
  if (!holds)
    std::abort();
}

size_t PointsNeeded(MetaShape shape) {
  switch (shape) {
  case MetaShape::Polyline:
  case MetaShape::Polygon:
  case MetaShape::Rectangle:
  case MetaShape::RoundRect:
  case MetaShape::Ellipse:
  case MetaShape::Bitmap:
  case MetaShape::Opaque:
    return 2;
  case MetaShape::Text:
  case MetaShape::Path:
    return 1;
  }
  return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const MetafileDrawing d = ReadMetafile(std::span<const uint8_t>(data, size));
  if (!d.Error.empty()) {
    Check((d.Error == "corrupted WMF" || d.Error == "empty WMF" || d.Error == kMetafileTooCostly) &&
          d.Ops.empty());
    return 0;
  }
  Check(d.Width >= 1 && d.Height >= 1 && d.Width <= kMetafileLargestSide && d.Height <= kMetafileLargestSide);
  Check(!d.Ops.empty());
  uint64_t points = 0;
  for (size_t k = 0; k < d.Clips.size(); ++k) {
    const MetaClip &clip = d.Clips[k];
    Check(clip.Previous < static_cast<int64_t>(k) && clip.Previous >= -1);
    Check(clip.Depth >= 1 && clip.Depth <= kMostClipDepth);
    Check(IsWellFormed(clip.Verbs, clip.Points));
    points += clip.Points.size();
  }
  for (const MetaStyle &s : d.Styles) {
    Check(s.Clip >= -1 && s.Clip < static_cast<int64_t>(d.Clips.size()));
    Check(s.Brush.Pattern >= -1 && s.Brush.Pattern < static_cast<int64_t>(d.Bitmaps.size()));
    Check(s.Brush.Style != MetaBrushStyle::Pattern || s.Brush.Pattern >= 0);
    Check(s.Pen.DashCount <= kMostPenDashes && (s.Pen.Style != MetaPenStyle::User || s.Pen.DashCount > 0));
    for (const double v :
         {s.Transform.M11, s.Transform.M12, s.Transform.M21, s.Transform.M22, s.Transform.Dx, s.Transform.Dy})
      Check(std::isfinite(v));
  }
  uint64_t bitmapBytes = 0;
  for (const CPicture &bitmap : d.Bitmaps)
    bitmapBytes += bitmap.Rows().size();
  double cost = 0;
  for (const MetaOp &op : d.Ops) {
    Check(op.Style < d.Styles.size());
    cost += OperationCost(d, op);
    Check(op.Points.size() >= PointsNeeded(op.Shape));
    points += op.Points.size();
    uint64_t ringPoints = 0;
    for (const uint32_t count : op.Counts)
      ringPoints += count;
    Check(ringPoints <= op.Points.size());
    if (op.Shape == MetaShape::Path)
      Check(IsWellFormed(op.Verbs, op.Points));
    if (op.Shape == MetaShape::Bitmap) {
      Check(op.Bitmap >= 0 && static_cast<size_t>(op.Bitmap) < d.Bitmaps.size());
      const CPicture &b = d.Bitmaps[static_cast<size_t>(op.Bitmap)];
      Check(op.SourceX >= 0 && op.SourceY >= 0 && op.SourceWidth > 0 && op.SourceHeight > 0);
      Check(int64_t{op.SourceX} + op.SourceWidth <= b.Width() &&
            int64_t{op.SourceY} + op.SourceHeight <= b.Height());
    }
  }
  Check(cost <= d.Budget);
  Check(points <= kPointsPerByte * size);
  Check(bitmapBytes <= kMetafileBitmapFactor * size);
  return 0;
}
