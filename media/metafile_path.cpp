#include "media/metafile_path.h"

#include <algorithm>
#include <cmath>

namespace quorbel {

namespace {

// The control points' distance, as a share of the radius, of the cubic curve closest to a
// quarter of a circle.
constexpr double kQuarterCurve = 0.5522847498;

} // namespace

size_t PointsOf(MetaVerb verb) {
  switch (verb) {
  case MetaVerb::Move:
  case MetaVerb::Line:
    return 1;
  case MetaVerb::Curve:
    return 3;
  case MetaVerb::Close:
    return 0;
  }
  return 0;
}

bool IsWellFormed(std::span<const MetaVerb> verbs, std::span<const MetaPoint> points) {
  size_t used = 0;
  bool open = false;
  for (const MetaVerb verb : verbs) {
    if (verb == MetaVerb::Move)
      open = true;
    else if (!open)
      return false;
    if (verb == MetaVerb::Close)
      open = false;
    used += PointsOf(verb);
  }
  return used == points.size();
}

void MetaFigures::MoveTo(MetaPoint p) {
  // A move after a move replaces it: an empty figure draws nothing.
  if (!Verbs.empty() && Verbs.back() == MetaVerb::Move) {
    Points.back() = p;
  } else {
    Verbs.push_back(MetaVerb::Move);
    Points.push_back(p);
  }
  open_ = true;
}

void MetaFigures::LineTo(MetaPoint from, MetaPoint to) {
  if (!open_)
    MoveTo(from);
  Verbs.push_back(MetaVerb::Line);
  Points.push_back(to);
}

void MetaFigures::CurveTo(MetaPoint from, MetaPoint c1, MetaPoint c2, MetaPoint end) {
  if (!open_)
    MoveTo(from);
  Verbs.push_back(MetaVerb::Curve);
  Points.insert(Points.end(), {c1, c2, end});
}

void MetaFigures::Close() {
  if (!open_)
    return;
  Verbs.push_back(MetaVerb::Close);
  open_ = false;
}

void MetaFigures::CloseAll() {
  std::vector<MetaVerb> verbs;
  verbs.reserve(Verbs.size() + 1);
  bool open = false;
  for (const MetaVerb verb : Verbs) {
    if (verb == MetaVerb::Move && open)
      verbs.push_back(MetaVerb::Close);
    open = verb != MetaVerb::Close;
    verbs.push_back(verb);
  }
  if (open)
    verbs.push_back(MetaVerb::Close);
  Verbs = std::move(verbs);
  open_ = false;
}

void MetaFigures::Ring(std::span<const MetaPoint> points) {
  if (points.empty())
    return;
  open_ = false;
  MoveTo(points[0]);
  for (size_t k = 1; k < points.size(); ++k)
    LineTo(points[k - 1], points[k]);
  Close();
}

void MetaFigures::Ellipse(double left, double top, double right, double bottom) {
  RoundRect(left, top, right, bottom, right - left, bottom - top);
}

void MetaFigures::RoundRect(double left, double top, double right, double bottom, double width,
                            double height) {
  const double x0 = std::min(left, right), x1 = std::max(left, right);
  const double y0 = std::min(top, bottom), y1 = std::max(top, bottom);
  const double rx = std::min(std::abs(width), x1 - x0) / 2;
  const double ry = std::min(std::abs(height), y1 - y0) / 2;
  const double cx = rx * kQuarterCurve, cy = ry * kQuarterCurve;
  open_ = false;
  MoveTo({x1 - rx, y0});
  // Each corner: a line to where it starts, then its quarter curve.
  const auto corner = [&](MetaPoint start, MetaPoint c1, MetaPoint c2, MetaPoint end) {
    if (!(Points.back() == start))
      LineTo(Points.back(), start);
    if (!(start == end))
      CurveTo(start, c1, c2, end);
  };
  corner({x1 - rx, y0}, {x1 - rx + cx, y0}, {x1, y0 + ry - cy}, {x1, y0 + ry});
  corner({x1, y1 - ry}, {x1, y1 - ry + cy}, {x1 - rx + cx, y1}, {x1 - rx, y1});
  corner({x0 + rx, y1}, {x0 + rx - cx, y1}, {x0, y1 - ry + cy}, {x0, y1 - ry});
  corner({x0, y0 + ry}, {x0, y0 + ry - cy}, {x0 + rx - cx, y0}, {x0 + rx, y0});
  Close();
}

void MetaFigures::Append(const MetaFigures &other, bool join) {
  size_t verb = 0;
  size_t point = 0;
  if (join && open_ && !other.Verbs.empty() && other.Verbs[0] == MetaVerb::Move) {
    verb = 1;
    point = 1;
  }
  Verbs.insert(Verbs.end(), other.Verbs.begin() + static_cast<ptrdiff_t>(verb), other.Verbs.end());
  Points.insert(Points.end(), other.Points.begin() + static_cast<ptrdiff_t>(point), other.Points.end());
  if (!other.Verbs.empty())
    open_ = other.open_;
}

bool MetaFigures::OpenEnd(MetaPoint &end) const {
  if (!open_ || Points.empty())
    return false;
  end = Points.back();
  return true;
}

} // namespace quorbel
