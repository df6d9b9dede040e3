#include "media/metafile_context.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "media/metafile_cost.h"

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

const std::vector<PixelColour> &DefaultPalette() {
  static const std::vector<PixelColour> kColours = {
      RgbPixel(0, 0, 0),       RgbPixel(128, 0, 0),     RgbPixel(0, 128, 0),     RgbPixel(128, 128, 0),
      RgbPixel(0, 0, 128),     RgbPixel(128, 0, 128),   RgbPixel(0, 128, 128),   RgbPixel(192, 192, 192),
      RgbPixel(192, 220, 192), RgbPixel(166, 202, 240), RgbPixel(255, 251, 240), RgbPixel(160, 160, 164),
      RgbPixel(128, 128, 128), RgbPixel(255, 0, 0),     RgbPixel(0, 255, 0),     RgbPixel(255, 255, 0),
      RgbPixel(0, 0, 255),     RgbPixel(255, 0, 255),   RgbPixel(0, 255, 255),   RgbPixel(255, 255, 255)};
  return kColours;
}

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

bool MetafileContext::Map(std::vector<MetaPoint> &points) {
  const MetaTransform t = Current();
  if (!Sane(t)) {
    Skip();
    return false;
  }
  for (MetaPoint &p : points) {
    p = Apply(t, p);
    if (!(std::abs(p.X) < kLargestCoordinate && std::abs(p.Y) < kLargestCoordinate)) {
      Skip();
      return false;
    }
  }
  return true;
}

void MetafileContext::AddClip(MetaClip clip) {
  const int32_t before = state_.Style.Clip;
  if (clip.Mode != MetaClipMode::Copy && before >= 0) {
    clip.Previous = before;
    clip.Depth = out_.Clips[static_cast<size_t>(before)].Depth + 1;
    if (clip.Depth > kMostClipDepth) {
      Skip();
      return;
    }
  }
  out_.Clips.push_back(std::move(clip));
  state_.Style.Clip = static_cast<int32_t>(out_.Clips.size() - 1);
}

void MetafileContext::ClipRect(double left, double top, double right, double bottom, MetaClipMode mode) {
  std::vector<MetaPoint> corners = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
  if (!Map(corners))
    return;
  MetaFigures ring;
  ring.Ring(corners);
  AddClip(MetaClip{.Mode = mode, .Verbs = std::move(ring.Verbs), .Points = std::move(ring.Points)});
}

void MetafileContext::ClipDeviceRects(std::span<const std::array<double, 4>> rects, MetaClipMode mode) {
  // Device units meet the picture through the device's mapping alone.
  MetaFigures rings;
  for (const auto &[left, top, right, bottom] : rects) {
    const std::array<MetaPoint, 4> corners = {Apply(base_, {left, top}), Apply(base_, {right, top}),
                                              Apply(base_, {right, bottom}), Apply(base_, {left, bottom})};
    rings.Ring(corners);
  }
  for (const MetaPoint &p : rings.Points)
    if (!(std::abs(p.X) < kLargestCoordinate && std::abs(p.Y) < kLargestCoordinate)) {
      Skip();
      return;
    }
  AddClip(MetaClip{.Mode = mode, .Verbs = std::move(rings.Verbs), .Points = std::move(rings.Points)});
}

void MetafileContext::BeginPath() {
  path_ = MetaFigures{};
  inPath_ = true;
}

void MetafileContext::AbortPath() {
  path_ = MetaFigures{};
  inPath_ = false;
}

void MetafileContext::CloseFigure() {
  if (inPath_)
    path_.Close();
  else
    Skip();
}

void MetafileContext::DrawPath(bool stroke, bool fill) {
  MetaFigures path = std::move(path_);
  path_ = MetaFigures{};
  inPath_ = false;
  if (path.Empty()) {
    Skip();
    return;
  }
  if (fill)
    path.CloseAll();
  const MetaStyle kept = state_.Style;
  if (!stroke)
    state_.Style.Pen.Style = MetaPenStyle::None;
  if (!fill)
    state_.Style.Brush.Style = MetaBrushStyle::None;
  EmitShape(
      MetaOp{.Shape = MetaShape::Path, .Points = std::move(path.Points), .Verbs = std::move(path.Verbs)},
      true);
  state_.Style = kept;
}

void MetafileContext::ClipToPath(MetaClipMode mode) {
  MetaFigures path = std::move(path_);
  path_ = MetaFigures{};
  inPath_ = false;
  if (path.Empty()) { // no path: the clip stays as it was
    Skip();
    return;
  }
  path.CloseAll();
  AddClip(MetaClip{.Mode = mode,
                   .Verbs = std::move(path.Verbs),
                   .Points = std::move(path.Points),
                   .Winding = state_.Style.Winding});
}

void MetafileContext::Figures(MetaFigures figures, bool fromPosition, bool join) {
  if (figures.Empty())
    return;
  const MetaPoint end = figures.Points.back();
  if (!Map(figures.Points))
    return;
  if (fromPosition)
    state_.Position = end;
  if (inPath_) {
    path_.Append(figures, fromPosition && join);
    return;
  }
  const MetaBrush brush = state_.Style.Brush;
  state_.Style.Brush.Style = MetaBrushStyle::None;
  EmitShape(MetaOp{.Shape = MetaShape::Path,
                   .Points = std::move(figures.Points),
                   .Verbs = std::move(figures.Verbs)},
            true);
  state_.Style.Brush = brush;
}

void MetafileContext::MoveTo(MetaPoint p) {
  state_.Position = p;
  if (!inPath_)
    return;
  std::vector<MetaPoint> mapped = {p};
  if (Map(mapped))
    path_.MoveTo(mapped[0]);
}

int32_t MetafileContext::KeepPattern(CPicture tile) {
  out_.Bitmaps.push_back(std::move(tile));
  return static_cast<int32_t>(out_.Bitmaps.size() - 1);
}

bool MetafileContext::Emit(MetaOp op, bool mapped) {
  // A path takes no text; the records that would have drawn a figure never reach here. Once
  // the budget is spent, nothing is drawn.
  if (out_.Cut || (inPath_ && (op.Shape == MetaShape::Text || op.Shape == MetaShape::Opaque))) {
    Skip();
    return false;
  }
  const MetaTransform t = Current();
  if (!Sane(t)) {
    Skip();
    return false;
  }
  for (const MetaPoint &p : op.Points) {
    const MetaPoint q = mapped ? p : Apply(t, p);
    if (!(std::abs(q.X) < kLargestCoordinate && std::abs(q.Y) < kLargestCoordinate)) {
      Skip();
      return false;
    }
  }
  state_.Style.Transform = t;
  const bool newStyle = out_.Styles.empty() || !(out_.Styles.back() == state_.Style);
  if (newStyle)
    out_.Styles.push_back(state_.Style);
  op.Style = static_cast<uint32_t>(out_.Styles.size() - 1);
  const double cost = OperationCost(out_, op);
  if (!(spent_ + cost <= out_.Budget)) {
    if (newStyle)
      out_.Styles.pop_back();
    out_.Cut = true;
    Skip();
    return false;
  }
  spent_ += cost;
  out_.Ops.push_back(std::move(op));
  return true;
}

void MetafileContext::LineTo(MetaPoint p) {
  if (inPath_) {
    MetaFigures line;
    line.LineTo(state_.Position, p);
    Figures(std::move(line), true);
    return;
  }
  EmitShape(MetaOp{.Shape = MetaShape::Polyline, .Points = {state_.Position, p}});
  state_.Position = p;
}

void MetafileContext::Polyline(std::vector<MetaPoint> points, bool fromPosition) {
  if (inPath_) {
    MetaFigures lines;
    MetaPoint from = state_.Position;
    for (const MetaPoint &p : points) {
      if (lines.Empty() && !fromPosition)
        lines.MoveTo(p);
      else
        lines.LineTo(from, p);
      from = p;
    }
    Figures(std::move(lines), fromPosition);
    return;
  }
  if (fromPosition) {
    if (points.empty())
      return;
    points.insert(points.begin(), state_.Position);
    state_.Position = points.back();
  }
  if (points.size() >= 2)
    EmitShape(MetaOp{.Shape = MetaShape::Polyline, .Points = std::move(points)});
}

void MetafileContext::Polygon(std::vector<MetaPoint> points, std::vector<uint32_t> counts) {
  if (points.size() < 2)
    return;
  if (inPath_) {
    MetaFigures rings;
    if (counts.empty())
      counts = {static_cast<uint32_t>(points.size())};
    size_t at = 0;
    for (const uint32_t count : counts) {
      if (count > points.size() - at)
        break;
      rings.Ring(std::span<const MetaPoint>(points).subspan(at, count));
      at += count;
    }
    Figures(std::move(rings), false);
    return;
  }
  EmitShape(MetaOp{.Shape = MetaShape::Polygon, .Points = std::move(points), .Counts = std::move(counts)});
}

void MetafileContext::Rectangle(double left, double top, double right, double bottom) {
  if (inPath_) {
    MetaFigures ring;
    ring.Ring(std::array<MetaPoint, 4>{{{left, top}, {right, top}, {right, bottom}, {left, bottom}}});
    Figures(std::move(ring), false);
    return;
  }
  EmitShape(MetaOp{.Shape = MetaShape::Rectangle, .Points = {{left, top}, {right, bottom}}});
}

void MetafileContext::RoundRect(double left, double top, double right, double bottom, double width,
                                double height) {
  if (inPath_) {
    MetaFigures shape;
    shape.RoundRect(left, top, right, bottom, width, height);
    Figures(std::move(shape), false);
    return;
  }
  EmitShape(MetaOp{
      .Shape = MetaShape::RoundRect, .Points = {{left, top}, {right, bottom}}, .Corner = {width, height}});
}

void MetafileContext::Ellipse(double left, double top, double right, double bottom) {
  if (inPath_) {
    MetaFigures shape;
    shape.Ellipse(left, top, right, bottom);
    Figures(std::move(shape), false);
    return;
  }
  EmitShape(MetaOp{.Shape = MetaShape::Ellipse, .Points = {{left, top}, {right, bottom}}});
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
  points.reserve(static_cast<size_t>(steps) + 2);
  if (kind == ArcKind::Pie)
    points.push_back({cx, cy});
  for (int k = 0; k <= steps; ++k) {
    const double a = a0 + direction * sweep * k / steps;
    points.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
  }
  if (kind == ArcKind::Arc)
    Polyline(std::move(points), fromPosition);
  else
    Polygon(std::move(points), {});
}

void MetafileContext::Text(MetaPoint at, std::string text, const std::vector<MetaPoint> &opaqueBox) {
  if (opaqueBox.size() == 2)
    Emit(MetaOp{.Shape = MetaShape::Opaque, .Points = opaqueBox});
  if (!text.empty())
    Emit(MetaOp{.Shape = MetaShape::Text, .Points = {at}, .Text = std::move(text)});
}

void MetafileContext::FillBox(double left, double top, double right, double bottom, MetaRop rop) {
  // Not a figure: it fills even while a path is open. An operation that takes no pattern
  // covers the whole box, whatever the brush.
  const MetaStyle kept = state_.Style;
  state_.Style.Pen.Style = MetaPenStyle::None;
  if (rop == MetaRop::Invert || rop == MetaRop::Black || rop == MetaRop::White)
    state_.Style.Brush = MetaBrush{};
  Emit(MetaOp{.Shape = MetaShape::Rectangle, .Points = {{left, top}, {right, bottom}}, .Rop = rop});
  state_.Style = kept;
}

void MetafileContext::Bitmap(CPicture bitmap, double x, double y, double width, double height,
                             int32_t sourceX, int32_t sourceY, int32_t sourceWidth, int32_t sourceHeight,
                             MetaRop rop) {
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
  // Kept first: what drawing it costs depends on its size.
  out_.Bitmaps.push_back(std::move(bitmap));
  MetaOp op{.Shape = MetaShape::Bitmap,
            .Points = {{x, y}, {x + width, y + height}},
            .Bitmap = static_cast<int32_t>(out_.Bitmaps.size() - 1),
            .SourceX = left,
            .SourceY = top,
            .SourceWidth = static_cast<int32_t>(right - left),
            .SourceHeight = static_cast<int32_t>(bottom - top),
            .Rop = rop};
  if (!Emit(std::move(op)))
    out_.Bitmaps.pop_back();
}

} // namespace quorbel
