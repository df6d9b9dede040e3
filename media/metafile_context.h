// The device context a metafile's records act on while they are read: mapping (mode, window,
// viewport, world transform), the pen, brush, font and palette selected, colours and modes,
// the clip, the saved states, the current position and the path being built. Drawing records
// become operations of the drawing with the style in force.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "media/metafile_drawing.h"
#include "media/metafile_path.h"

namespace quorbel {

// Composition: `first`, then `second`.
MetaTransform Then(const MetaTransform &first, const MetaTransform &second);
MetaPoint Apply(const MetaTransform &t, MetaPoint p);

// The palette a device starts with: the twenty static colours.
const std::vector<PixelColour> &DefaultPalette();

enum class ArcKind : uint8_t { Arc, Chord, Pie };

class MetafileContext {
public:
  // `base` takes device units to picture pixels; `devicePerMm` the device's units per millimetre.
  MetafileContext(MetafileDrawing &out, const MetaTransform &base, double devicePerMmX, double devicePerMmY);

  void SetMapMode(uint32_t mode);
  void SetWindowOrg(double x, double y);
  void SetViewportOrg(double x, double y);
  // False (nothing changed) on a zero extent.
  bool SetWindowExt(double x, double y);
  bool SetViewportExt(double x, double y);
  void OffsetWindowOrg(double x, double y);
  void OffsetViewportOrg(double x, double y);
  bool ScaleWindowExt(double xNum, double xDenom, double yNum, double yDenom);
  bool ScaleViewportExt(double xNum, double xDenom, double yNum, double yDenom);
  // Mode 1 identity, 2 before the current one, 3 after it, 4 in its place. False when refused.
  bool ModifyWorldTransform(const MetaTransform &t, uint32_t mode);

  void Save();
  // Below 0: that many states back; above: the state of that depth. False when there is none.
  bool Restore(int32_t which);

  void SetOpaqueBackground(bool opaque) { state_.Style.OpaqueBackground = opaque; }
  void SetBackground(uint32_t colorRef) { state_.Style.Background = Colour(colorRef); }
  void SetTextColour(uint32_t colorRef) { state_.Style.TextColour = Colour(colorRef); }
  void SetTextAlign(uint32_t align) { state_.Style.TextAlign = align; }
  void SetWinding(bool winding) { state_.Style.Winding = winding; }
  // How the pen and the brush of the shapes that follow meet the picture.
  void SetMix(MetaRop mix) { state_.Mix = mix; }
  // A colour as the files store it (0x00BBGGRR, or an index of the selected palette).
  PixelColour Colour(uint32_t colorRef) const;

  void SelectPen(const MetaPen &pen) { state_.Style.Pen = pen; }
  void SelectBrush(const MetaBrush &brush) { state_.Style.Brush = brush; }
  void SelectFont(const MetaFont &font) { state_.Style.Font = font; }
  void SelectPalette(const std::vector<PixelColour> &palette) { state_.Palette = palette; }
  const std::vector<PixelColour> &Palette() const { return state_.Palette; }

  // A rectangle of logical units met with the clip (intersected, or taken out of it).
  void ClipRect(double left, double top, double right, double bottom, MetaClipMode mode);
  // Rectangles (left, top, right, bottom) of device units: an enhanced metafile's region.
  void ClipDeviceRects(std::span<const std::array<double, 4>> rects, MetaClipMode mode);
  void ResetClip() { state_.Style.Clip = -1; }

  // Between the start and the end of a path, drawing records add figures to it instead of
  // drawing; the path then fills, strokes or clips once and is gone.
  bool InPath() const { return inPath_; }
  void BeginPath();
  void EndPath() { inPath_ = false; }
  void AbortPath();
  void CloseFigure();
  void DrawPath(bool stroke, bool fill);
  void ClipToPath(MetaClipMode mode);
  // Lines and curves in logical units: into the open path, or else stroked with the pen. With
  // `fromPosition` the current position moves to their end and, with `join`, their first
  // figure goes on with the path's open one.
  void Figures(MetaFigures figures, bool fromPosition, bool join = true);

  MetaPoint Position() const { return state_.Position; }
  void MoveTo(MetaPoint p);
  void LineTo(MetaPoint p);
  // From the current position first when `fromPosition`, which then moves to the last point.
  void Polyline(std::vector<MetaPoint> points, bool fromPosition);
  void Polygon(std::vector<MetaPoint> points, std::vector<uint32_t> counts);
  void Rectangle(double left, double top, double right, double bottom);
  void RoundRect(double left, double top, double right, double bottom, double width, double height);
  void Ellipse(double left, double top, double right, double bottom);
  // Anticlockwise on the picture from the ray through `start` to the ray through `end`; an arc
  // drawn `fromPosition` is joined to the current position, which moves to its end.
  void Arc(ArcKind kind, double left, double top, double right, double bottom, MetaPoint start, MetaPoint end,
           bool fromPosition = false);
  // `box` (two corners) filled with the background colour first when given.
  void Text(MetaPoint at, std::string text, const std::vector<MetaPoint> &opaqueBox);
  // The brush over a box as the raster operation says (the brush is the source).
  void FillBox(double left, double top, double right, double bottom, MetaRop rop = MetaRop::Copy);
  void Bitmap(CPicture bitmap, double x, double y, double width, double height, int32_t sourceX,
              int32_t sourceY, int32_t sourceWidth, int32_t sourceHeight, MetaRop rop = MetaRop::Copy);
  // A pattern brush's tile kept with the drawing: its index there.
  int32_t KeepPattern(CPicture tile);

  // A record is counted once as not played, whatever part of it failed.
  void BeginRecord() { skipped_ = false; }
  void Skip() {
    if (!skipped_)
      ++out_.Skipped;
    skipped_ = true;
  }
  // True once the operations kept cost all the painter may spend: the records after them are
  // not played.
  bool Spent() const { return out_.Cut; }

private:
  struct State {
    MetaStyle Style;
    uint32_t MapMode = 1;
    double WindowOrgX = 0, WindowOrgY = 0, WindowExtX = 1, WindowExtY = 1;
    double ViewportOrgX = 0, ViewportOrgY = 0, ViewportExtX = 1, ViewportExtY = 1;
    MetaTransform World;
    std::vector<PixelColour> Palette = DefaultPalette();
    MetaPoint Position;
    MetaRop Mix = MetaRop::Copy;
  };

  MetaTransform Current() const;
  // Adds the operation with the style in force; false (and counted) when it cannot be drawn
  // or the painter could not afford it. `mapped`: its points are picture pixels already.
  bool Emit(MetaOp op, bool mapped = false);
  // A shape drawn with the pen and the brush, in the mix in force.
  bool EmitShape(MetaOp op, bool mapped = false) {
    op.Rop = state_.Mix;
    return Emit(std::move(op), mapped);
  }
  // Logical units to picture pixels; false (and counted) when the mapping or a point is wild.
  bool Map(std::vector<MetaPoint> &points);
  void AddClip(MetaClip clip);

  MetafileDrawing &out_;
  MetaTransform base_;
  double devicePerMmX_;
  double devicePerMmY_;
  State state_;
  std::vector<State> saved_;
  bool skipped_ = false;
  bool inPath_ = false;
  double spent_ = 0; // what the operations kept cost the painter
  MetaFigures path_; // picture pixels
};

} // namespace quorbel
