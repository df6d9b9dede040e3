// The metafile reader on any bytes: no crash, no undefined behaviour, and either a refusal with
// words or a drawing whose every operation names a style, points and bitmap it holds, no
// larger than its input allows.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

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
    return 1;
  }
  return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const MetafileDrawing d = ReadMetafile(std::span<const uint8_t>(data, size));
  if (!d.Error.empty()) {
    Check((d.Error == "corrupted WMF" || d.Error == "empty WMF") && d.Ops.empty());
    return 0;
  }
  Check(d.Width >= 1 && d.Height >= 1 && d.Width <= kMetafileLargestSide && d.Height <= kMetafileLargestSide);
  Check(!d.Ops.empty());
  for (const MetaStyle &s : d.Styles)
    for (const double v :
         {s.Transform.M11, s.Transform.M12, s.Transform.M21, s.Transform.M22, s.Transform.Dx, s.Transform.Dy})
      Check(std::isfinite(v));
  uint64_t points = 0;
  uint64_t bitmapBytes = 0;
  for (const CPicture &bitmap : d.Bitmaps)
    bitmapBytes += bitmap.Rows().size();
  for (const MetaOp &op : d.Ops) {
    Check(op.Style < d.Styles.size());
    Check(op.Points.size() >= PointsNeeded(op.Shape));
    points += op.Points.size();
    uint64_t ringPoints = 0;
    for (const uint32_t count : op.Counts)
      ringPoints += count;
    Check(ringPoints <= op.Points.size());
    if (op.Shape == MetaShape::Bitmap) {
      Check(op.Bitmap >= 0 && static_cast<size_t>(op.Bitmap) < d.Bitmaps.size());
      const CPicture &b = d.Bitmaps[static_cast<size_t>(op.Bitmap)];
      Check(op.SourceX >= 0 && op.SourceY >= 0 && op.SourceWidth > 0 && op.SourceHeight > 0);
      Check(int64_t{op.SourceX} + op.SourceWidth <= b.Width() &&
            int64_t{op.SourceY} + op.SourceHeight <= b.Height());
    }
  }
  Check(points <= kPointsPerByte * size);
  Check(bitmapBytes <= kMetafileBitmapFactor * size);
  return 0;
}
