// What a metafile draws: placeable WMF and enhanced (EMF) records read into a list of drawing
// operations, each with the pen, brush, font, mapping and clip that were in force. Records that
// are not played are counted. Plain C++, read whole from memory, so it can be fuzzed on its own;
// a painter plays the list (media/qt/metafile_painter.*).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "media/picture.h"

namespace quorbel {

struct MetaPoint {
  double X = 0;
  double Y = 0;
  bool operator==(const MetaPoint &) const = default;
};

// Logical units to picture pixels: x' = M11 x + M21 y + Dx, y' = M12 x + M22 y + Dy.
struct MetaTransform {
  double M11 = 1, M12 = 0, M21 = 0, M22 = 1, Dx = 0, Dy = 0;
  bool operator==(const MetaTransform &) const = default;
};

enum class MetaPenStyle : uint8_t { Solid, Dash, Dot, DashDot, DashDotDot, None, User };
enum class MetaBrushStyle : uint8_t { Solid, None, Hatched, Pattern };
// How a wide pen ends its lines and turns their corners.
enum class MetaPenCap : uint8_t { Round, Square, Flat };
enum class MetaPenJoin : uint8_t { Round, Bevel, Miter };

// A user style's dashes and gaps: at most this many lengths.
inline constexpr size_t kMostPenDashes = 16;

struct MetaPen {
  MetaPenStyle Style = MetaPenStyle::Solid;
  double Width = 0; // logical units; 0 is one pixel whatever the mapping
  PixelColour Colour{};
  MetaPenCap Cap = MetaPenCap::Round;
  MetaPenJoin Join = MetaPenJoin::Round;
  // A user style: a dash, a gap, a dash... in logical units, or pixels for a pen of width 0.
  std::array<float, kMostPenDashes> Dashes{};
  uint8_t DashCount = 0;
  bool operator==(const MetaPen &) const = default;
};

struct MetaBrush {
  MetaBrushStyle Style = MetaBrushStyle::Solid;
  uint8_t Hatch = 0; // horizontal, vertical, \, /, cross, diagonal cross
  PixelColour Colour = RgbPixel(255, 255, 255);
  int32_t Pattern = -1; // the tile of a pattern brush among the drawing's bitmaps
  bool Mono = false;    // a tile of two colours, drawn in the text and background colours
  bool operator==(const MetaBrush &) const = default;
};

struct MetaFont {
  std::string Face{}; // UTF-8
  double Height = 0;  // logical units: below 0 the characters' height, above 0 the cell's, 0 a default
  double Angle = 0;   // tenths of a degree, anticlockwise
  int32_t Weight = 0; // 100 .. 900, 0 the usual
  bool Italic = false;
  bool Underline = false;
  bool StrikeOut = false;
  bool operator==(const MetaFont &) const = default;
};

// Alignment of a text on its reference point, as the files store it.
inline constexpr uint32_t kMetaAlignRight = 2;
inline constexpr uint32_t kMetaAlignCentre = 6;
inline constexpr uint32_t kMetaAlignBottom = 8;
inline constexpr uint32_t kMetaAlignBaseline = 24;

// Everything in force when an operation draws.
struct MetaStyle {
  MetaPen Pen{};
  MetaBrush Brush{};
  MetaFont Font{};
  MetaTransform Transform{};
  int32_t Clip = -1;            // among the drawing's clips; -1 the whole picture
  bool Winding = false;         // polygon fill: winding, else alternate
  bool OpaqueBackground = true; // text and hatch gaps filled with the background colour
  PixelColour Background = RgbPixel(255, 255, 255);
  PixelColour TextColour{};
  uint32_t TextAlign = 0;
  bool operator==(const MetaStyle &) const = default;
};

// The parts of a path: a new figure (one point), a line (one), a cubic Bezier curve (two
// control points and its end) and the figure closed (none).
enum class MetaVerb : uint8_t { Move, Line, Curve, Close };
size_t PointsOf(MetaVerb verb);
// True when `points` are exactly what `verbs` use, each figure opened by a move.
bool IsWellFormed(std::span<const MetaVerb> verbs, std::span<const MetaPoint> points);

// How a drawing meets the pixels beneath: S the source (a bitmap, a pattern fill, or the pen
// and brush of a shape drawn in a mix mode), D the picture. Every operation of the two.
enum class MetaRop : uint8_t {
  Copy,          // S
  Or,            // S | D
  And,           // S & D
  Xor,           // S ^ D
  NotCopy,       // ~S
  AndNotPicture, // S & ~D
  NotOr,         // ~(S | D)
  OrNotSource,   // ~S | D
  Invert,        // ~D
  Black,
  White,
  AndNotSource, // ~S & D
  NotAnd,       // ~(S & D)
  NotXor,       // ~(S ^ D)
  OrNotPicture, // S | ~D
  Picture,      // D: nothing drawn
};

// A clip: a path in picture pixels met with the clip before it as regions meet.
enum class MetaClipMode : uint8_t { And = 1, Or = 2, Xor = 3, Diff = 4, Copy = 5 };
struct MetaClip {
  int32_t Previous = -1; // the clip before; -1 the whole picture
  MetaClipMode Mode = MetaClipMode::Copy;
  std::vector<MetaVerb> Verbs{};
  std::vector<MetaPoint> Points{};
  bool Winding = false;
  uint32_t Depth = 1; // clips in the chain back to one that copies or to the whole picture
};
// Each clip met with the one before costs the painter a region operation: a chain is bounded.
inline constexpr uint32_t kMostClipDepth = 256;

enum class MetaShape : uint8_t {
  Polyline,  // Points, pen only
  Polygon,   // Points in rings of Counts, pen and brush
  Rectangle, // Points[0] and [1] opposite corners
  RoundRect, // as Rectangle, Corner the ellipse of the corners
  Ellipse,   // the box's corners
  Text,      // Points[0] the reference point
  Bitmap,    // Points[0] and [1] the box drawn into, Source the part of Bitmaps[Bitmap] (rows from the top)
  Opaque,    // the box filled with the background colour (a text's opaque box)
  Path,      // Points in picture pixels as Verbs use them; the pen strokes, the brush fills
};

struct MetaOp {
  MetaShape Shape = MetaShape::Polyline;
  uint32_t Style = 0;
  std::vector<MetaPoint> Points{};
  std::vector<uint32_t> Counts{};
  MetaPoint Corner{};
  std::string Text{}; // UTF-8
  int32_t Bitmap = -1;
  int32_t SourceX = 0, SourceY = 0, SourceWidth = 0, SourceHeight = 0;
  std::vector<MetaVerb> Verbs{};
  MetaRop Rop = MetaRop::Copy; // a bitmap's, a box's filled with the brush, or the mix of a pen and brush
};

// What painting one drawing may cost at the most, in the nanoseconds `OperationCost` counts
// (media/metafile_cost.h): about a second.
inline constexpr double kMetafilePaintBudget = 1e9;

struct MetafileDrawing {
  int32_t Width = 0; // the picture's size, at most 4000 a side
  int32_t Height = 0;
  std::string Error{}; // "corrupted WMF", "empty WMF", kMetafileTooCostly; empty when it can be played
  std::vector<MetaStyle> Styles{};
  std::vector<MetaOp> Ops{};
  std::vector<CPicture> Bitmaps{};
  std::vector<MetaClip> Clips{};
  uint32_t Skipped = 0; // records read but not played
  bool Cut = false;     // the records after the operations are not played: painting them costs too much
  double Budget = kMetafilePaintBudget; // what painting it may cost; its operations cost no more
};

inline constexpr int32_t kMetafileLargestSide = 4000;
// A drawing whose first operation already costs more than painting may.
inline constexpr const char *kMetafileTooCostly = "WMF too complex to draw";
// The decoded pixels of a metafile's bitmaps, beside the bytes they came from.
inline constexpr uint64_t kMetafileBitmapFactor = 64;

// What a metafile's header says: the box its records draw in (placeable: metafile units;
// enhanced: device units), the picture's size, where its records lie.
struct MetafileHeader {
  bool Enhanced = false;
  int64_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  uint16_t UnitsPerInch = 0;
  uint32_t Objects = 0; // the size of the object table
  size_t RecordsStart = 0;
  size_t RecordsEnd = 0;
  double DevicePerMmX = 96 / 25.4;
  double DevicePerMmY = 96 / 25.4;
  int32_t Width = 0; // the picture's size, at most 4000 a side
  int32_t Height = 0;
  std::string Error{}; // "corrupted WMF", "empty WMF"
};
MetafileHeader ReadMetafileHeader(std::span<const uint8_t> bytes);

// Reads a placeable WMF or an EMF: the drawing, or why there is none. Its operations stop where
// painting them would cost more than `budget`.
MetafileDrawing ReadMetafile(std::span<const uint8_t> bytes, double budget = kMetafilePaintBudget);

// Plays a drawing into a picture of its size (24 bits); false with the reason in the picture.
using MetafilePlayer = bool (*)(const MetafileDrawing &drawing, CPicture &picture);
// The program installs its painter at start; with none, metafiles are refused.
void SetMetafilePlayer(MetafilePlayer player);
MetafilePlayer CurrentMetafilePlayer();

} // namespace quorbel
