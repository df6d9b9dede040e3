#include "media/metafile_cost.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "media/metafile_context.h"

namespace quorbel {

namespace {

// Nanoseconds, measured on Qt's raster painter without antialiasing:
// - an operation read, styled and drawn, however small;
constexpr double kOperationNs = 4000;
// - a pixel filled with a plain colour, or with a hatch or a tile;
constexpr double kSolidPixelNs = 0.4;
constexpr double kPatternPixelNs = 3;
// - a fill's edges: each row meets the edges crossing it with one another (the square of their
//   count), then walks them;
constexpr double kRowEdgePairNs = 2.5;
constexpr double kRowEdgeNs = 3;
constexpr double kEdgeNs = 20;
// - a pixel of a line one pixel wide, a part of a line, a dash of a wide pen;
constexpr double kLinePixelNs = 15;
constexpr double kSegmentNs = 30;
constexpr double kDashNs = 400;
// - a pixel of a character's cell, a pixel of a bitmap turned into an image, a pixel it covers.
constexpr double kGlyphPixelNs = 2;
constexpr double kBitmapPixelNs = 3;
constexpr double kDrawnBitmapPixelNs = 3;

constexpr double kDefaultTextPixels = 16; // what a font of height 0 gets
// Up to this many edges, the rows' pairs are counted as if every edge crossed every row.
constexpr size_t kFewEdges = 16;

// The dashes and gaps of the usual styles, in pen widths.
constexpr double kDashPattern = 6;        // 4, 2
constexpr double kDotPattern = 3;         // 1, 2
constexpr double kDashDotPattern = 9;     // 4, 2, 1, 2
constexpr double kDashDotDotPattern = 12; // 4, 2, 1, 2, 1, 2

double UnitPixels(const MetaTransform &t) { return std::sqrt(std::abs(t.M11 * t.M22 - t.M12 * t.M21)); }

// The rows of a picture `height` high that edges cross, and what walking them costs. A few
// edges are kept as they come; past them, each row counts the edges crossing it.
class EdgeRows {
public:
  explicit EdgeRows(int32_t height) : height_(height) {}

  // An edge from y0 to y1 (either way), `count` times.
  void Add(double y0, double y1, int32_t count = 1) {
    const double top = std::max(0.0, std::floor(std::min(y0, y1)));
    const double bottom = std::min<double>(height_, std::ceil(std::max(y0, y1)));
    edges_ += count;
    if (!(bottom > top))
      return;
    const Span span{static_cast<int32_t>(top), static_cast<int32_t>(bottom), count};
    crossings_ += static_cast<double>(span.Bottom - span.Top) * count;
    if (change_.empty() && fewCount_ < kFewEdges) {
      few_[fewCount_++] = span;
      return;
    }
    if (change_.empty()) {
      change_.assign(static_cast<size_t>(height_) + 1, 0);
      for (size_t k = 0; k < fewCount_; ++k)
        Count(few_[k]);
    }
    Count(span);
  }

  double Cost() const {
    double pairs = 0; // each row's crossing edges squared, summed
    if (change_.empty()) {
      pairs = crossings_ * static_cast<double>(edges_); // no row is crossed by more edges than there are
    } else {
      int64_t crossing = 0;
      for (const int64_t c : change_) {
        crossing += c;
        pairs += static_cast<double>(crossing) * static_cast<double>(crossing);
      }
    }
    return kEdgeNs * static_cast<double>(edges_) + kRowEdgeNs * crossings_ + kRowEdgePairNs * pairs;
  }

private:
  struct Span {
    int32_t Top;
    int32_t Bottom;
    int32_t Count;
  };
  void Count(const Span &s) {
    change_[static_cast<size_t>(s.Top)] += s.Count;
    change_[static_cast<size_t>(s.Bottom)] -= s.Count;
  }

  int32_t height_;
  int64_t edges_ = 0;
  double crossings_ = 0;              // the rows each edge crosses, summed
  std::array<Span, kFewEdges> few_{}; // kept without allocating: most operations have no more
  size_t fewCount_ = 0;
  std::vector<int64_t> change_; // by row: the edges starting there less those ending
};

// Each side of the figures an operation draws, in picture pixels: a closed figure's last side
// too, or every figure's when `closeAll` (as a fill closes them). A path's curve goes by its
// control points: a line crosses a curve no more often than it crosses their polygon; a
// rounded box or an ellipse by its box's corners, for the same reason.
template <typename Each>
void ForEachSide(const MetaOp &op, const MetaTransform &t, bool closeAll, Each each) {
  const auto ring = [&](auto point, size_t count, bool closed) {
    for (size_t k = 1; k < count; ++k)
      each(point(k - 1), point(k));
    if ((closed || closeAll) && count > 1)
      each(point(count - 1), point(0));
  };
  const auto mapped = [&](size_t first) {
    return [&, first](size_t k) { return Apply(t, op.Points[first + k]); };
  };
  switch (op.Shape) {
  case MetaShape::Polyline:
    ring(mapped(0), op.Points.size(), false);
    break;
  case MetaShape::Polygon: {
    if (op.Counts.empty()) {
      ring(mapped(0), op.Points.size(), true);
      break;
    }
    size_t at = 0;
    for (const uint32_t count : op.Counts) {
      if (count == 0 || count > op.Points.size() - at)
        break;
      ring(mapped(at), count, true);
      at += count;
    }
    break;
  }
  case MetaShape::Rectangle:
  case MetaShape::RoundRect:
  case MetaShape::Ellipse:
  case MetaShape::Opaque:
  case MetaShape::Bitmap: {
    if (op.Points.size() < 2)
      break;
    const MetaPoint a = op.Points[0], c = op.Points[1];
    const std::array<MetaPoint, 4> corners = {Apply(t, a), Apply(t, {c.X, a.Y}), Apply(t, c),
                                              Apply(t, {a.X, c.Y})};
    ring([&](size_t k) { return corners[k]; }, corners.size(), true);
    break;
  }
  case MetaShape::Path: {
    // Figures of picture pixels: from a move to the next move or close.
    size_t at = 0, first = 0, points = 0;
    bool closed = false;
    const auto figure = [&] {
      if (points > 0)
        ring([&](size_t k) { return op.Points[first + k]; }, points, closed);
    };
    for (const MetaVerb verb : op.Verbs) {
      if (at + PointsOf(verb) > op.Points.size())
        break;
      if (verb == MetaVerb::Move) {
        figure();
        first = at, points = 1, closed = false;
      } else if (verb == MetaVerb::Close) {
        closed = true;
        figure();
        points = 0, closed = false;
      } else if (points > 0) {
        points += PointsOf(verb);
      }
      at += PointsOf(verb);
    }
    figure();
    break;
  }
  case MetaShape::Text:
    break;
  }
}

// The pixels of the picture inside the box of the sides' ends.
class Box {
public:
  void Add(MetaPoint p) {
    left_ = std::min(left_, p.X), right_ = std::max(right_, p.X);
    top_ = std::min(top_, p.Y), bottom_ = std::max(bottom_, p.Y);
  }
  double Pixels(const MetafileDrawing &d) const {
    const double width = std::min<double>(right_, d.Width) - std::max(left_, 0.0);
    const double height = std::min<double>(bottom_, d.Height) - std::max(top_, 0.0);
    return width > 0 && height > 0 ? (width + 1) * (height + 1) : 0;
  }

private:
  double left_ = HUGE_VAL, right_ = -HUGE_VAL, top_ = HUGE_VAL, bottom_ = -HUGE_VAL;
};

// The part of a line inside the picture (and a pixel around it), by Liang and Barsky.
double PixelsAlong(MetaPoint a, MetaPoint b, const MetafileDrawing &d) {
  double enter = 0, leave = 1;
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  const double bounds[4][2] = {
      {-dx, a.X + 1}, {dx, d.Width + 1 - a.X}, {-dy, a.Y + 1}, {dy, d.Height + 1 - a.Y}};
  for (const auto &[p, q] : bounds) {
    if (p == 0) {
      if (q < 0)
        return 0;
      continue;
    }
    const double r = q / p;
    if (p < 0)
      enter = std::max(enter, r);
    else
      leave = std::min(leave, r);
  }
  if (enter > leave)
    return 0;
  return (leave - enter) * std::max(std::abs(dx), std::abs(dy)) + 1;
}

double FillCost(const MetaOp &op, const MetaTransform &t, const MetafileDrawing &d, double pixelNs) {
  EdgeRows rows(d.Height);
  Box box;
  ForEachSide(op, t, true, [&](MetaPoint a, MetaPoint b) {
    rows.Add(a.Y, b.Y);
    box.Add(a);
  });
  return pixelNs * box.Pixels(d) + rows.Cost();
}

// The length of a dashed pen's pattern on the picture; 0 for a solid pen.
double PatternPixels(const MetaPen &pen, double unit, double width) {
  switch (pen.Style) {
  case MetaPenStyle::Dash:
    return kDashPattern * width;
  case MetaPenStyle::Dot:
    return kDotPattern * width;
  case MetaPenStyle::DashDot:
    return kDashDotPattern * width;
  case MetaPenStyle::DashDotDot:
    return kDashDotDotPattern * width;
  case MetaPenStyle::User: { // as the painter draws them: each at least a pixel, an odd list twice
    double sum = 0;
    for (size_t k = 0; k < pen.DashCount; ++k)
      sum += std::max(pen.Dashes[k] * (pen.Width == 0 ? 1 : unit), 1.0);
    return pen.DashCount % 2 ? 2 * sum : sum;
  }
  case MetaPenStyle::Solid:
  case MetaPenStyle::None:
    break;
  }
  return 0;
}

double StrokeCost(const MetaOp &op, const MetaStyle &s, const MetafileDrawing &d) {
  const MetaTransform &t = s.Transform;
  const double width = PenPixels(s.Pen, t, LargestPixels(d));
  double length = 0;
  double segments = 0;
  ForEachSide(op, t, false, [&](MetaPoint a, MetaPoint b) {
    length += PixelsAlong(a, b, d);
    ++segments;
  });
  if (width < kWidePenPixels)
    return kLinePixelNs * length + kSegmentNs * segments;
  // A wide pen's outline is filled: each side gives two edges, each corner and end two more.
  EdgeRows rows(d.Height);
  const double half = width / 2;
  ForEachSide(op, t, false, [&](MetaPoint a, MetaPoint b) {
    rows.Add(std::min(a.Y, b.Y) - half, std::max(a.Y, b.Y) + half, 2);
    rows.Add(b.Y - half, b.Y + half, 2);
  });
  double cost = kSolidPixelNs * length * width + rows.Cost();
  if (const double pattern = PatternPixels(s.Pen, UnitPixels(t), width); pattern > 0)
    cost += kDashNs * length / pattern * static_cast<double>(std::max(s.Pen.DashCount / 2, 3));
  return cost;
}

bool Strokes(const MetaOp &op, const MetaStyle &s) {
  switch (op.Shape) {
  case MetaShape::Polyline:
  case MetaShape::Polygon:
  case MetaShape::Rectangle:
  case MetaShape::RoundRect:
  case MetaShape::Ellipse:
  case MetaShape::Path:
    return s.Pen.Style != MetaPenStyle::None;
  default:
    return false;
  }
}

bool Fills(const MetaOp &op, const MetaStyle &s) {
  switch (op.Shape) {
  case MetaShape::Polygon:
  case MetaShape::Rectangle:
  case MetaShape::RoundRect:
  case MetaShape::Ellipse:
  case MetaShape::Path:
    return s.Brush.Style != MetaBrushStyle::None;
  case MetaShape::Opaque:
    return true;
  default:
    return false;
  }
}

} // namespace

double PenPixels(const MetaPen &pen, const MetaTransform &transform, double largest) {
  const double pixels = pen.Width * UnitPixels(transform);
  return pixels >= kWidePenPixels ? std::min(pixels, largest) : 1;
}

double LargestPixels(const MetafileDrawing &drawing) { return 4.0 * std::max(drawing.Width, drawing.Height); }

double OperationCost(const MetafileDrawing &drawing, const MetaOp &op) {
  if (op.Style >= drawing.Styles.size())
    return kOperationNs;
  const MetaStyle &s = drawing.Styles[op.Style];
  double cost = kOperationNs;
  if (op.Shape == MetaShape::Text) {
    const double size = std::hypot(s.Transform.M21, s.Transform.M22) * std::abs(s.Font.Height);
    // A tiny picture's largest size is below the default one.
    const double pixels = std::max(std::min(size, LargestPixels(drawing)), kDefaultTextPixels);
    return cost + kGlyphPixelNs * pixels * pixels * static_cast<double>(op.Text.size());
  }
  if (op.Shape == MetaShape::Bitmap) {
    if (op.Bitmap >= 0 && static_cast<size_t>(op.Bitmap) < drawing.Bitmaps.size()) {
      const CPicture &bitmap = drawing.Bitmaps[static_cast<size_t>(op.Bitmap)];
      cost += kBitmapPixelNs * static_cast<double>(bitmap.Width()) * bitmap.Height();
    }
    return cost + FillCost(op, s.Transform, drawing, kDrawnBitmapPixelNs);
  }
  if (Fills(op, s)) {
    const bool plain = op.Shape == MetaShape::Opaque || s.Brush.Style == MetaBrushStyle::Solid;
    cost += FillCost(op, s.Transform, drawing, plain ? kSolidPixelNs : kPatternPixelNs);
  }
  if (Strokes(op, s))
    cost += StrokeCost(op, s, drawing);
  return cost;
}

} // namespace quorbel
