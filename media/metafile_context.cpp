#include "media/metafile_context.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace quorbel {

namespace {

constexpr uint32_t kMapText = 1;
constexpr uint32_t kMapIsotropic = 7;
constexpr uint32_t kMapAnisotropic = 8;
// Millimetres per logical unit of the fixed mapping modes 2 .. 6 (their y grows upwards).
constexpr std::array<double, 5> kMillimetresPerUnit = {0.1, 0.01, 0.254, 0.0254, 25.4 / 1440};

// Past these a hostile extent or transform makes coordinates no painter should see.
constexpr double kLargestFactor = 1e6;
constexpr double kLargestCoordinate = 1e7;
constexpr size_t kMostSavedStates = 1024;
constexpr int kMostArcSteps = 512;

constexpr uint32_t kPaletteIndexTag = 0x01;

bool Sane(const MetaTransform &t) {
  for (const double v : {t.M11, t.M12, t.M21, t.M22})
    if (!std::isfinite(v) || std::abs(v) > kLargestFactor)
      return false;
  return std::isfinite(t.Dx) && std::isfinite(t.Dy) && std::abs(t.Dx) < kLargestCoordinate &&
         std::abs(t.Dy) < kLargestCoordinate;
}

double Sign(double v) { return v < 0 ? -1 : 1; }

} // namespace

MetaTransform Then(const MetaTransform &a, const MetaTransform &b) {
  return MetaTransform{.M11 = a.M11 * b.M11 + a.M12 * b.M21,
                       .M12 = a.M11 * b.M12 + a.M12 * b.M22,
                       .M21 = a.M21 * b.M11 + a.M22 * b.M21,
                       .M22 = a.M21 * b.M12 + a.M22 * b.M22,
                       .Dx = a.Dx * b.M11 + a.Dy * b.M21 + b.Dx,
                       .Dy = a.Dx * b.M12 + a.Dy * b.M22 + b.Dy};
}

MetaPoint Apply(const MetaTransform &t, MetaPoint p) {
  return MetaPoint{t.M11 * p.X + t.M21 * p.Y + t.Dx, t.M12 * p.X + t.M22 * p.Y + t.Dy};
}

MetafileContext::MetafileContext(MetafileDrawing &out, const MetaTransform &base, double devicePerMmX,
                                 double devicePerMmY)
    : out_(out), base_(base), devicePerMmX_(devicePerMmX), devicePerMmY_(devicePerMmY) {}

void MetafileContext::SetMapMode(uint32_t mode) {
  if (mode >= kMapText && mode <= kMapAnisotropic)
    state_.MapMode = mode;
  else
    Skip();
}

void MetafileContext::SetWindowOrg(double x, double y) {
  state_.WindowOrgX = x;
  state_.WindowOrgY = y;
}

void MetafileContext::SetViewportOrg(double x, double y) {
  state_.ViewportOrgX = x;
  state_.ViewportOrgY = y;
}

bool MetafileContext::SetWindowExt(double x, double y) {
  if (x == 0 || y == 0)
    return false;
  state_.WindowExtX = x;
  state_.WindowExtY = y;
  return true;
}

bool MetafileContext::SetViewportExt(double x, double y) {
  if (x == 0 || y == 0)
    return false;
  state_.ViewportExtX = x;
  state_.ViewportExtY = y;
  return true;
}

void MetafileContext::OffsetWindowOrg(double x, double y) {
  state_.WindowOrgX += x;
  state_.WindowOrgY += y;
}

void MetafileContext::OffsetViewportOrg(double x, double y) {
  state_.ViewportOrgX += x;
  state_.ViewportOrgY += y;
}

bool MetafileContext::ScaleWindowExt(double xNum, double xDenom, double yNum, double yDenom) {
  return xDenom != 0 && yDenom != 0 &&
         SetWindowExt(state_.WindowExtX * xNum / xDenom, state_.WindowExtY * yNum / yDenom);
}

bool MetafileContext::ScaleViewportExt(double xNum, double xDenom, double yNum, double yDenom) {
  return xDenom != 0 && yDenom != 0 &&
         SetViewportExt(state_.ViewportExtX * xNum / xDenom, state_.ViewportExtY * yNum / yDenom);
}

bool MetafileContext::ModifyWorldTransform(const MetaTransform &t, uint32_t mode) {
  if (!Sane(t))
    return false;
  switch (mode) {
  case 1:
    state_.World = MetaTransform{};
    return true;
  case 2:
    state_.World = Then(t, state_.World);
    return true;
  case 3:
    state_.World = Then(state_.World, t);
    return true;
  case 4:
    state_.World = t;
    return true;
  default:
    return false;
  }
}

void MetafileContext::Save() {
  if (saved_.size() < kMostSavedStates)
    saved_.push_back(state_);
  else
    Skip();
}

bool MetafileContext::Restore(int32_t which) {
  const auto depth = static_cast<int64_t>(saved_.size());
  const int64_t keep = which < 0 ? depth + which : static_cast<int64_t>(which) - 1;
  if (which == 0 || keep < 0 || keep >= depth)
    return false;
  state_ = saved_[static_cast<size_t>(keep)];
  saved_.resize(static_cast<size_t>(keep));
  return true;
}

PixelColour MetafileContext::Colour(uint32_t colorRef) const {
  if (colorRef >> 24 == kPaletteIndexTag) {
    const size_t index = colorRef & 0xFFFF;
    return index < state_.Palette.size() ? state_.Palette[index] : PixelColour{};
  }
  return RgbPixel(static_cast<uint8_t>(colorRef), static_cast<uint8_t>(colorRef >> 8),
                  static_cast<uint8_t>(colorRef >> 16));
}

MetaTransform MetafileContext::Current() const {
  const State &s = state_;
  double sx = 1;
  double sy = 1;
  if (s.MapMode >= 2 && s.MapMode <= 6) {
    const double mm = kMillimetresPerUnit[s.MapMode - 2];
    sx = mm * devicePerMmX_;
    sy = -mm * devicePerMmY_;
  } else if (s.MapMode == kMapIsotropic || s.MapMode == kMapAnisotropic) {
    sx = s.ViewportExtX / s.WindowExtX;
    sy = s.ViewportExtY / s.WindowExtY;
    if (s.MapMode == kMapIsotropic) {
      const double m = std::min(std::abs(sx), std::abs(sy));
      sx = Sign(sx) * m;
      sy = Sign(sy) * m;
    }
  }
  const MetaTransform page{.M11 = sx,
                           .M22 = sy,
                           .Dx = s.ViewportOrgX - s.WindowOrgX * sx,
                           .Dy = s.ViewportOrgY - s.WindowOrgY * sy};
  return Then(Then(s.World, page), base_);
}

void MetafileContext::IntersectClip(double left, double top, double right, double bottom) {
  const MetaTransform t = Current();
  if (!Sane(t)) {
    Skip();
    return;
  }
  const MetaPoint a = Apply(t, {left, top});
  const MetaPoint b = Apply(t, {right, bottom});
  const MetaPoint c = Apply(t, {left, bottom});
  const MetaPoint d = Apply(t, {right, top});
  MetaStyle &s = state_.Style;
  const double l = std::min({a.X, b.X, c.X, d.X});
  const double r = std::max({a.X, b.X, c.X, d.X});
  const double tp = std::min({a.Y, b.Y, c.Y, d.Y});
  const double bt = std::max({a.Y, b.Y, c.Y, d.Y});
  if (!s.Clipped) {
    s.Clipped = true;
    s.ClipLeft = l, s.ClipTop = tp, s.ClipRight = r, s.ClipBottom = bt;
    return;
  }
  s.ClipLeft = std::max(s.ClipLeft, l);
  s.ClipTop = std::max(s.ClipTop, tp);
  s.ClipRight = std::max(s.ClipLeft, std::min(s.ClipRight, r));
  s.ClipBottom = std::max(s.ClipTop, std::min(s.ClipBottom, bt));
}

void MetafileContext::IntersectDeviceClip(double left, double top, double right, double bottom) {
  // Through the device's mapping alone: the same rectangle given as logical units of an
  // identity mapping.
  const State kept = state_;
  state_.MapMode = kMapText;
  state_.WindowOrgX = state_.WindowOrgY = state_.ViewportOrgX = state_.ViewportOrgY = 0;
  state_.World = MetaTransform{};
  IntersectClip(left, top, right, bottom);
  const MetaStyle clipped = state_.Style;
  state_ = kept;
  state_.Style = clipped;
}

bool MetafileContext::Emit(MetaOp op) {
  if (InPath) {
    Skip();
    return false;
  }
  const MetaTransform t = Current();
  if (!Sane(t)) {
    Skip();
    return false;
  }
  for (const MetaPoint &p : op.Points) {
    const MetaPoint q = Apply(t, p);
    if (!(std::abs(q.X) < kLargestCoordinate && std::abs(q.Y) < kLargestCoordinate)) {
      Skip();
      return false;
    }
  }
  state_.Style.Transform = t;
  if (out_.Styles.empty() || !(out_.Styles.back() == state_.Style))
    out_.Styles.push_back(state_.Style);
  op.Style = static_cast<uint32_t>(out_.Styles.size() - 1);
  out_.Ops.push_back(std::move(op));
  return true;
}

void MetafileContext::LineTo(MetaPoint p) {
  Emit(MetaOp{.Shape = MetaShape::Polyline, .Points = {state_.Position, p}});
  state_.Position = p;
}

void MetafileContext::Polyline(std::vector<MetaPoint> points, bool fromPosition) {
  if (fromPosition) {
    if (points.empty())
      return;
    points.insert(points.begin(), state_.Position);
    state_.Position = points.back();
  }
  if (points.size() >= 2)
    Emit(MetaOp{.Shape = MetaShape::Polyline, .Points = std::move(points)});
}

void MetafileContext::Polygon(std::vector<MetaPoint> points, std::vector<uint32_t> counts) {
  if (points.size() >= 2)
    Emit(MetaOp{.Shape = MetaShape::Polygon, .Points = std::move(points), .Counts = std::move(counts)});
}

void MetafileContext::Rectangle(double left, double top, double right, double bottom) {
  Emit(MetaOp{.Shape = MetaShape::Rectangle, .Points = {{left, top}, {right, bottom}}});
}

void MetafileContext::RoundRect(double left, double top, double right, double bottom, double width,
                                double height) {
  Emit(MetaOp{
      .Shape = MetaShape::RoundRect, .Points = {{left, top}, {right, bottom}}, .Corner = {width, height}});
}

void MetafileContext::Ellipse(double left, double top, double right, double bottom) {
  Emit(MetaOp{.Shape = MetaShape::Ellipse, .Points = {{left, top}, {right, bottom}}});
}

void MetafileContext::Arc(ArcKind kind, double left, double top, double right, double bottom, MetaPoint start,
                          MetaPoint end, bool fromPosition) {
  const double cx = (left + right) / 2;
  const double cy = (top + bottom) / 2;
  const double rx = std::abs(right - left) / 2;
  const double ry = std::abs(bottom - top) / 2;
  if (rx == 0 || ry == 0) {
    Skip();
    return;
  }
  const MetaTransform t = Current();
  // Anticlockwise on the picture is decreasing angles in logical units, unless the mapping
  // turns the picture over.
  const double det = t.M11 * t.M22 - t.M12 * t.M21;
  const double a0 = std::atan2((start.Y - cy) / ry, (start.X - cx) / rx);
  const double a1 = std::atan2((end.Y - cy) / ry, (end.X - cx) / rx);
  constexpr double kTurn = 2 * std::numbers::pi;
  double sweep = det >= 0 ? a0 - a1 : a1 - a0;
  while (sweep <= 0)
    sweep += kTurn;
  sweep = std::min(sweep, kTurn);
  const double direction = det >= 0 ? -1 : 1;
  // Steps of about three pixels along the picture's curve.
  const double scale = std::sqrt(std::abs(det));
  const double pixels = sweep * std::max(rx, ry) * scale / 3;
  const int steps =
      std::isfinite(pixels) && pixels < kMostArcSteps ? std::max(4, static_cast<int>(pixels)) : kMostArcSteps;
  std::vector<MetaPoint> points;
  points.reserve(static_cast<size_t>(steps) + 3);
  if (fromPosition)
    points.push_back(state_.Position);
  if (kind == ArcKind::Pie)
    points.push_back({cx, cy});
  for (int k = 0; k <= steps; ++k) {
    const double a = a0 + direction * sweep * k / steps;
    points.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
  }
  if (fromPosition)
    state_.Position = points.back();
  if (kind == ArcKind::Arc)
    Emit(MetaOp{.Shape = MetaShape::Polyline, .Points = std::move(points)});
  else
    Polygon(std::move(points), {});
}

void MetafileContext::Text(MetaPoint at, std::string text, const std::vector<MetaPoint> &opaqueBox) {
  if (opaqueBox.size() == 2)
    Emit(MetaOp{.Shape = MetaShape::Opaque, .Points = opaqueBox});
  if (!text.empty())
    Emit(MetaOp{.Shape = MetaShape::Text, .Points = {at}, .Text = std::move(text)});
}

void MetafileContext::FillBox(double left, double top, double right, double bottom) {
  const MetaPen pen = state_.Style.Pen;
  state_.Style.Pen.Style = MetaPenStyle::None;
  Rectangle(left, top, right, bottom);
  state_.Style.Pen = pen;
}

void MetafileContext::Bitmap(CPicture bitmap, double x, double y, double width, double height,
                             int32_t sourceX, int32_t sourceY, int32_t sourceWidth, int32_t sourceHeight) {
  // Only the part inside the bitmap is drawn.
  const int32_t left = std::clamp(sourceX, 0, bitmap.Width());
  const int32_t top = std::clamp(sourceY, 0, bitmap.Height());
  const int64_t right =
      std::clamp<int64_t>(static_cast<int64_t>(sourceX) + sourceWidth, left, bitmap.Width());
  const int64_t bottom =
      std::clamp<int64_t>(static_cast<int64_t>(sourceY) + sourceHeight, top, bitmap.Height());
  if (right == left || bottom == top || width == 0 || height == 0) {
    Skip();
    return;
  }
  MetaOp op{.Shape = MetaShape::Bitmap,
            .Points = {{x, y}, {x + width, y + height}},
            .Bitmap = static_cast<int32_t>(out_.Bitmaps.size()),
            .SourceX = left,
            .SourceY = top,
            .SourceWidth = static_cast<int32_t>(right - left),
            .SourceHeight = static_cast<int32_t>(bottom - top)};
  if (Emit(std::move(op)))
    out_.Bitmaps.push_back(std::move(bitmap));
}

} // namespace quorbel
