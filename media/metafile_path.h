// Figures of lines and cubic Bezier curves as a metafile's records make them: the shapes a path
// holds (rings, ellipses, rounded corners) written as moves, lines, curves and closes.
#pragma once

#include <span>
#include <vector>

#include "media/metafile_drawing.h"

namespace quorbel {

struct MetaFigures {
  std::vector<MetaVerb> Verbs{};
  std::vector<MetaPoint> Points{};

  bool Empty() const { return Verbs.empty(); }
  void MoveTo(MetaPoint p);
  // A line or a curve with no figure open starts one where it begins: at `from`.
  void LineTo(MetaPoint from, MetaPoint to);
  void CurveTo(MetaPoint from, MetaPoint c1, MetaPoint c2, MetaPoint end);
  void Close();
  // Every figure closed, as a fill closes them.
  void CloseAll();
  // A closed figure through the points.
  void Ring(std::span<const MetaPoint> points);
  void Ellipse(double left, double top, double right, double bottom);
  // A rectangle whose corners are quarters of an ellipse `width` by `height`.
  void RoundRect(double left, double top, double right, double bottom, double width, double height);
  // The figures of `other`; with `join`, its first figure goes on from this one's open figure.
  void Append(const MetaFigures &other, bool join);
  // The point the open figure has reached; false when no figure is open.
  bool OpenEnd(MetaPoint &end) const;

private:
  bool open_ = false;
};

} // namespace quorbel
