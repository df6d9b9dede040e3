#include "media/qt/metafile_painter.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <span>
#include <tuple>
#include <unordered_map>

#include "media/metafile_context.h"
#include "media/metafile_cost.h"
#include "media/picture_codecs.h"
#include "media/picture_file.h"
#include "media/qt/picture_from_image.h"

namespace quorbel {

namespace {

constexpr double kDefaultTextPixels = 16; // what a font of height 0 gets
constexpr int kThinnestHeavy = 100;
constexpr int kHeaviest = 900;
constexpr int kRegularWeight = 400;
// What region work costs against the drawing's budget, in OperationCost's nanoseconds
// (measured): a rectangle of a region made, met or set as the clip, a picture row crossed by
// an edge of a clip path, a pixel of a pattern brush's tile made into an image.
constexpr double kRegionRectNs = 180;
constexpr double kClipEdgeRowNs = 1.5;
constexpr double kTilePixelNs = 3;
// A region of more rectangles than this (4 MB) is refused: rectangles met with rectangles can
// multiply.
constexpr qsizetype kMostRegionRects = qsizetype{1} << 18;
// Regions and tiles kept for the operations that follow; past this many, made again.
constexpr size_t kMostKept = 64;

QColor ToQColor(PixelColour c) { return QColor(c.Red(), c.Green(), c.Blue()); }

QTransform ToQTransform(const MetaTransform &t) { return QTransform(t.M11, t.M12, t.M21, t.M22, t.Dx, t.Dy); }

QPointF ToQPoint(const MetaPoint &p) { return QPointF(p.X, p.Y); }

// How many picture pixels one logical unit spans (the mean of the two axes).
double UnitPixels(const MetaTransform &t) { return std::sqrt(std::abs(t.M11 * t.M22 - t.M12 * t.M21)); }

class Player {
public:
  Player(QPainter &painter, const MetafileDrawing &drawing)
      : dc_(painter), drawing_(drawing), largest_(LargestPixels(drawing)), budget_(drawing.Budget) {}

  // False once the drawing has spent its budget.
  bool Play(const MetaOp &op) {
    if (op.Style >= drawing_.Styles.size())
      return true;
    const MetaStyle &s = drawing_.Styles[op.Style];
    if (!Spend(OperationCost(drawing_, op)) || !Prepare(op, s))
      return false;
    if (op.Rop == MetaRop::Picture)
      return true; // the pixels beneath are kept as they are
    switch (op.Shape) {
    case MetaShape::Path:
      dc_.drawPath(PathOf(op, s));
      break;
    case MetaShape::Polyline:
      dc_.drawPolyline(Points(op).data(), static_cast<int>(op.Points.size()));
      break;
    case MetaShape::Polygon:
      Polygon(op, s);
      break;
    case MetaShape::Rectangle:
      dc_.drawRect(Box(op));
      break;
    case MetaShape::RoundRect:
      dc_.drawRoundedRect(Box(op), std::abs(op.Corner.X) / 2, std::abs(op.Corner.Y) / 2);
      break;
    case MetaShape::Ellipse:
      dc_.drawEllipse(Box(op));
      break;
    case MetaShape::Opaque:
      dc_.fillRect(Box(op), ToQColor(s.Background));
      break;
    case MetaShape::Text:
      Text(op, s);
      break;
    case MetaShape::Bitmap:
      Bitmap(op);
      break;
    }
    return true;
  }

private:
  // False once the clip's making has spent the budget.
  bool Prepare(const MetaOp &op, const MetaStyle &s) {
    dc_.resetTransform();
    if (s.Clip != clip_) {
      if (s.Clip < 0) {
        dc_.setClipping(false);
      } else {
        const QRegion *region = ClipRegion(s.Clip);
        if (!region || !Spend(kRegionRectNs * static_cast<double>(region->rectCount())))
          return false;
        dc_.setClipRegion(*region);
      }
      clip_ = s.Clip;
    }
    // A path's points are picture pixels already; its pen keeps the width the mapping gives.
    const QTransform transform = op.Shape == MetaShape::Path ? QTransform() : ToQTransform(s.Transform);
    dc_.setTransform(transform);
    dc_.setPen(PenOf(s));
    dc_.setBrush(op.Shape == MetaShape::Polyline ? QBrush() : BrushOf(s, transform));
    dc_.setBackgroundMode(s.OpaqueBackground ? Qt::OpaqueMode : Qt::TransparentMode);
    dc_.setBackground(ToQColor(s.Background));
    dc_.setCompositionMode(CompositionOf(op.Rop));
    return budget_ >= 0;
  }

  static QPainter::CompositionMode CompositionOf(MetaRop rop) {
    switch (rop) {
    case MetaRop::Or:
      return QPainter::RasterOp_SourceOrDestination;
    case MetaRop::And:
      return QPainter::RasterOp_SourceAndDestination;
    case MetaRop::Xor:
      return QPainter::RasterOp_SourceXorDestination;
    case MetaRop::NotCopy:
      return QPainter::RasterOp_NotSource;
    case MetaRop::AndNotPicture:
      return QPainter::RasterOp_SourceAndNotDestination;
    case MetaRop::NotOr:
      return QPainter::RasterOp_NotSourceAndNotDestination;
    case MetaRop::OrNotSource:
      return QPainter::RasterOp_NotSourceOrDestination;
    case MetaRop::Invert:
      return QPainter::RasterOp_NotDestination;
    case MetaRop::Black:
      return QPainter::RasterOp_ClearDestination;
    case MetaRop::White:
      return QPainter::RasterOp_SetDestination;
    case MetaRop::AndNotSource:
      return QPainter::RasterOp_NotSourceAndDestination;
    case MetaRop::NotAnd:
      return QPainter::RasterOp_NotSourceOrNotDestination;
    case MetaRop::NotXor:
      return QPainter::RasterOp_NotSourceXorDestination;
    case MetaRop::OrNotPicture:
      return QPainter::RasterOp_SourceOrNotDestination;
    case MetaRop::Picture:
      return QPainter::CompositionMode_Destination;
    case MetaRop::Copy:
      break;
    }
    return QPainter::CompositionMode_SourceOver;
  }

  static QPainterPath PathOf(std::span<const MetaVerb> verbs, std::span<const MetaPoint> points) {
    QPainterPath path;
    size_t at = 0;
    for (const MetaVerb verb : verbs) {
      if (at + PointsOf(verb) > points.size())
        break;
      switch (verb) {
      case MetaVerb::Move:
        path.moveTo(ToQPoint(points[at]));
        break;
      case MetaVerb::Line:
        path.lineTo(ToQPoint(points[at]));
        break;
      case MetaVerb::Curve:
        path.cubicTo(ToQPoint(points[at]), ToQPoint(points[at + 1]), ToQPoint(points[at + 2]));
        break;
      case MetaVerb::Close:
        path.closeSubpath();
        break;
      }
      at += PointsOf(verb);
    }
    return path;
  }

  static QPainterPath PathOf(const MetaOp &op, const MetaStyle &s) {
    QPainterPath path = PathOf(op.Verbs, op.Points);
    path.setFillRule(s.Winding ? Qt::WindingFill : Qt::OddEvenFill);
    return path;
  }

  bool Spend(double cost) {
    budget_ -= cost;
    return budget_ >= 0;
  }

  // A region paid for by its rectangles; false when it is past its bound or the budget.
  bool Afford(const QRegion &region) {
    return region.rectCount() <= kMostRegionRects &&
           Spend(kRegionRectNs * static_cast<double>(region.rectCount()));
  }

  // A clip's own region within the picture: rectangles as they are, other figures as the
  // pixels they fill. None when it costs more than the budget left.
  std::optional<QRegion> OwnRegion(const MetaClip &clip) {
    static constexpr std::array<MetaVerb, 5> kRect = {MetaVerb::Move, MetaVerb::Line, MetaVerb::Line,
                                                      MetaVerb::Line, MetaVerb::Close};
    const QRect whole(0, 0, drawing_.Width, drawing_.Height);
    std::vector<QRegion> rects;
    bool onlyRects = clip.Verbs.size() % kRect.size() == 0 && clip.Points.size() * 5 == clip.Verbs.size() * 4;
    for (size_t v = 0, at = 0; onlyRects && v < clip.Verbs.size(); v += kRect.size(), at += 4) {
      const MetaPoint &a = clip.Points[at], &b = clip.Points[at + 1], &c = clip.Points[at + 2],
                      &d = clip.Points[at + 3];
      onlyRects = std::equal(kRect.begin(), kRect.end(), clip.Verbs.begin() + static_cast<ptrdiff_t>(v)) &&
                  a.Y == b.Y && b.X == c.X && c.Y == d.Y && d.X == a.X;
      const QPoint topLeft(static_cast<int>(std::lround(std::min(a.X, c.X))),
                           static_cast<int>(std::lround(std::min(a.Y, c.Y))));
      const QPoint bottomRight(static_cast<int>(std::lround(std::max(a.X, c.X))),
                               static_cast<int>(std::lround(std::max(a.Y, c.Y))));
      if (const QRect inside = QRect(topLeft, bottomRight - QPoint(1, 1)) & whole; !inside.isEmpty())
        rects.emplace_back(inside);
    }
    if (onlyRects) {
      // Pairs united, then pairs of pairs: each rectangle takes part in few unions.
      while (rects.size() > 1) {
        std::vector<QRegion> pairs;
        for (size_t k = 0; k + 1 < rects.size(); k += 2) {
          pairs.push_back(rects[k].united(rects[k + 1]));
          if (!Afford(pairs.back()))
            return std::nullopt;
        }
        if (rects.size() % 2)
          pairs.push_back(rects.back());
        rects = std::move(pairs);
      }
      return rects.empty() ? QRegion() : rects[0];
    }
    const QPolygon polygon = PathOf(clip.Verbs, clip.Points).toFillPolygon().toPolygon();
    // Filling a polygon into a region walks its edges down every row it spans.
    const QRect box = polygon.boundingRect();
    if (!Spend(kClipEdgeRowNs * static_cast<double>(polygon.size()) * std::max(box.height(), 1)))
      return std::nullopt;
    QRegion region = QRegion(polygon, clip.Winding ? Qt::WindingFill : Qt::OddEvenFill);
    if (!Afford(region))
      return std::nullopt;
    return region.intersected(whole);
  }

  // The clip met with those before it, made once and kept a while; none once over budget.
  const QRegion *ClipRegion(int32_t index) {
    if (auto found = regions_.find(index); found != regions_.end())
      return &found->second;
    std::vector<int32_t> chain;
    int32_t from = index;
    while (from >= 0 && static_cast<size_t>(from) < drawing_.Clips.size() && !regions_.contains(from)) {
      chain.push_back(from);
      from = drawing_.Clips[static_cast<size_t>(from)].Previous;
    }
    QRegion region = from >= 0 && regions_.contains(from) ? regions_[from]
                                                          : QRegion(0, 0, drawing_.Width, drawing_.Height);
    if (regions_.size() + chain.size() > kMostKept)
      regions_.clear();
    for (auto k = chain.rbegin(); k != chain.rend(); ++k) {
      const MetaClip &clip = drawing_.Clips[static_cast<size_t>(*k)];
      const std::optional<QRegion> own = OwnRegion(clip);
      if (!own)
        return nullptr;
      switch (clip.Mode) {
      case MetaClipMode::And:
        region = region.intersected(*own);
        break;
      case MetaClipMode::Or:
        region = region.united(*own);
        break;
      case MetaClipMode::Xor:
        region = region.xored(*own);
        break;
      case MetaClipMode::Diff:
        region = region.subtracted(*own);
        break;
      case MetaClipMode::Copy:
        region = *own;
        break;
      }
      if (!Afford(region))
        return nullptr;
      regions_[*k] = region;
    }
    return &regions_[index];
  }

  QPen PenOf(const MetaStyle &s) const {
    static constexpr std::array<Qt::PenStyle, 7> kStyles = {
        Qt::SolidLine,      Qt::DashLine, Qt::DotLine,       Qt::DashDotLine,
        Qt::DashDotDotLine, Qt::NoPen,    Qt::CustomDashLine};
    static constexpr std::array<Qt::PenCapStyle, 3> kCaps = {Qt::RoundCap, Qt::SquareCap, Qt::FlatCap};
    static constexpr std::array<Qt::PenJoinStyle, 3> kJoins = {Qt::RoundJoin, Qt::BevelJoin, Qt::MiterJoin};
    const MetaPen &pen = s.Pen;
    QPen out(ToQColor(pen.Colour));
    out.setStyle(kStyles[static_cast<size_t>(pen.Style)]);
    out.setCosmetic(true); // the points are mapped already: the width is the picture's pixels
    const double pixels = PenPixels(pen, s.Transform, largest_);
    const bool wide = pixels >= kWidePenPixels;
    if (!wide) { // one pixel, whatever the pen's width
      out.setWidth(0);
      out.setCapStyle(Qt::FlatCap);
    } else {
      out.setWidthF(pixels);
      out.setCapStyle(kCaps[static_cast<size_t>(pen.Cap)]);
      out.setJoinStyle(kJoins[static_cast<size_t>(pen.Join)]);
    }
    if (pen.Style == MetaPenStyle::User)
      out.setDashPattern(DashesOf(pen, s.Transform, wide ? pixels : 1));
    return out;
  }

  // A user style's lengths in pen widths, as Qt takes them: in pairs (an odd list is gone
  // through twice, its dashes becoming gaps), each at least a pixel long.
  static QList<qreal> DashesOf(const MetaPen &pen, const MetaTransform &t, double widthPixels) {
    const double unit = pen.Width == 0 ? 1 : UnitPixels(t);
    QList<qreal> dashes;
    for (int pass = 0; pass < (pen.DashCount % 2 ? 2 : 1); ++pass)
      for (size_t k = 0; k < pen.DashCount; ++k)
        dashes.push_back(std::max(pen.Dashes[k] * unit, 1.0) / widthPixels);
    return dashes;
  }

  // The brush, its hatches and tiles laid on the picture's pixels whatever the mapping.
  QBrush BrushOf(const MetaStyle &s, const QTransform &transform) {
    const MetaBrush &brush = s.Brush;
    QBrush out = brush.Style == MetaBrushStyle::Pattern ? QBrush(Tile(s)) : BrushOf(brush);
    if (brush.Style == MetaBrushStyle::Pattern || brush.Style == MetaBrushStyle::Hatched) {
      bool invertible = false;
      const QTransform back = transform.inverted(&invertible);
      if (invertible)
        out.setTransform(back);
    }
    return out;
  }

  // A pattern brush's tile; a two-colour one in the text and background colours.
  QImage Tile(const MetaStyle &s) {
    const MetaBrush &brush = s.Brush;
    if (brush.Pattern < 0 || static_cast<size_t>(brush.Pattern) >= drawing_.Bitmaps.size())
      return QImage();
    const auto key = std::make_tuple(brush.Pattern, brush.Mono ? s.TextColour.Value : 0u,
                                     brush.Mono ? s.Background.Value : 0u);
    if (auto found = tiles_.find(key); found != tiles_.end())
      return found->second;
    if (tiles_.size() >= kMostKept)
      tiles_.clear();
    const CPicture &picture = drawing_.Bitmaps[static_cast<size_t>(brush.Pattern)];
    budget_ -= kTilePixelNs * static_cast<double>(picture.Width()) * picture.Height();
    QImage tile;
    if (brush.Mono) {
      CPicture recoloured = picture;
      recoloured.SetPalette(std::array<PixelColour, 2>{s.TextColour, s.Background});
      tile = ImageFromPicture(recoloured);
    } else {
      tile = ImageFromPicture(picture);
    }
    return tiles_[key] = tile;
  }

  static QBrush BrushOf(const MetaBrush &brush) {
    static constexpr std::array<Qt::BrushStyle, 6> kHatches = {Qt::HorPattern,   Qt::VerPattern,
                                                               Qt::FDiagPattern, Qt::BDiagPattern,
                                                               Qt::CrossPattern, Qt::DiagCrossPattern};
    switch (brush.Style) {
    case MetaBrushStyle::Solid:
      return QBrush(ToQColor(brush.Colour));
    case MetaBrushStyle::Hatched:
      return QBrush(ToQColor(brush.Colour), kHatches[std::min<size_t>(brush.Hatch, kHatches.size() - 1)]);
    case MetaBrushStyle::None:
    case MetaBrushStyle::Pattern:
      break;
    }
    return QBrush();
  }

  static std::vector<QPointF> Points(const MetaOp &op) {
    std::vector<QPointF> points;
    points.reserve(op.Points.size());
    for (const MetaPoint &p : op.Points)
      points.push_back(ToQPoint(p));
    return points;
  }

  static QRectF Box(const MetaOp &op) {
    return op.Points.size() < 2 ? QRectF()
                                : QRectF(ToQPoint(op.Points[0]), ToQPoint(op.Points[1])).normalized();
  }

  void Polygon(const MetaOp &op, const MetaStyle &s) {
    const Qt::FillRule rule = s.Winding ? Qt::WindingFill : Qt::OddEvenFill;
    if (op.Counts.empty()) {
      dc_.drawPolygon(Points(op).data(), static_cast<int>(op.Points.size()), rule);
      return;
    }
    QPainterPath path;
    path.setFillRule(rule);
    size_t at = 0;
    for (const uint32_t count : op.Counts) {
      if (count == 0 || at + count > op.Points.size())
        break;
      path.moveTo(ToQPoint(op.Points[at]));
      for (size_t k = 1; k < count; ++k)
        path.lineTo(ToQPoint(op.Points[at + k]));
      path.closeSubpath();
      at += count;
    }
    dc_.drawPath(path);
  }

  void Text(const MetaOp &op, const MetaStyle &s) {
    // Fonts need the GUI application's font database.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()) || op.Points.empty())
      return;
    const MetaFont &font = s.Font;
    const double scale = std::hypot(s.Transform.M21, s.Transform.M22);
    double pixels = font.Height == 0 ? kDefaultTextPixels : std::abs(font.Height) * scale;
    pixels = std::clamp(pixels, 1.0, largest_);
    QFont f(font.Face.empty() ? QStringLiteral("Arial") : QString::fromStdString(font.Face));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    if (font.Height > 0) { // the cell's height: the characters' is what remains of it
      const double cell = QFontMetricsF(f).height();
      if (cell > 0)
        f.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels * pixels / cell))));
    }
    f.setWeight(static_cast<QFont::Weight>(std::clamp(
        font.Weight <= 0 ? kRegularWeight : static_cast<int>(font.Weight), kThinnestHeavy, kHeaviest)));
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    f.setStrikeOut(font.StrikeOut);
    const QString text = QString::fromStdString(op.Text);
    const QFontMetricsF metrics(f);
    const double width = metrics.horizontalAdvance(text);
    const uint32_t across = s.TextAlign & kMetaAlignCentre;
    const uint32_t down = s.TextAlign & kMetaAlignBaseline;
    const double x = across == kMetaAlignCentre ? -width / 2 : across == kMetaAlignRight ? -width : 0;
    const double y = down == kMetaAlignBaseline ? 0
                     : down == kMetaAlignBottom ? -metrics.descent()
                                                : metrics.ascent();
    dc_.resetTransform();
    dc_.translate(s.Transform.M11 * op.Points[0].X + s.Transform.M21 * op.Points[0].Y + s.Transform.Dx,
                  s.Transform.M12 * op.Points[0].X + s.Transform.M22 * op.Points[0].Y + s.Transform.Dy);
    dc_.rotate(-font.Angle / 10);
    if (s.OpaqueBackground)
      dc_.fillRect(QRectF(x, y - metrics.ascent(), width, metrics.ascent() + metrics.descent()),
                   ToQColor(s.Background));
    dc_.setFont(f);
    dc_.setPen(ToQColor(s.TextColour));
    dc_.drawText(QPointF(x, y), text);
  }

  void Bitmap(const MetaOp &op) {
    if (op.Bitmap < 0 || static_cast<size_t>(op.Bitmap) >= drawing_.Bitmaps.size() || op.Points.size() < 2 ||
        op.SourceWidth <= 0 || op.SourceHeight <= 0)
      return;
    const QImage image = ImageFromPicture(drawing_.Bitmaps[static_cast<size_t>(op.Bitmap)]);
    if (image.isNull())
      return;
    // The source part stretched onto the box, turned over where the box is.
    const double ax = (op.Points[1].X - op.Points[0].X) / op.SourceWidth;
    const double ay = (op.Points[1].Y - op.Points[0].Y) / op.SourceHeight;
    const QTransform fit(ax, 0, 0, ay, op.Points[0].X - op.SourceX * ax, op.Points[0].Y - op.SourceY * ay);
    dc_.setTransform(fit * dc_.transform());
    const QRectF source(op.SourceX, op.SourceY, op.SourceWidth, op.SourceHeight);
    dc_.drawImage(source, image, source);
  }

  QPainter &dc_;
  const MetafileDrawing &drawing_;
  double largest_;
  double budget_;
  int32_t clip_ = -1; // the clip the painter holds
  std::unordered_map<int32_t, QRegion> regions_;
  std::map<std::tuple<int32_t, uint32_t, uint32_t>, QImage> tiles_;
};

} // namespace

QImage PaintMetafile(const MetafileDrawing &drawing) {
  QImage image(drawing.Width, drawing.Height, QImage::Format_RGB32);
  if (image.isNull())
    return image;
  image.fill(Qt::white);
  QPainter painter(&image);
  Player player(painter, drawing);
  for (const MetaOp &op : drawing.Ops)
    if (!player.Play(op))
      break;
  return image;
}

bool PlayMetafile(const MetafileDrawing &drawing, CPicture &picture) {
  // The picture first: a set that cannot hold it refuses before anything is painted.
  if (!picture.Create(drawing.Width, drawing.Height, 24, kPictureWmf))
    return RefusePicture(picture, "Cancelled");
  const QImage image = PaintMetafile(drawing);
  if (image.isNull()) {
    picture.Destroy();
    return RefusePicture(picture, "Cancelled");
  }
  for (int y = 0; y < image.height(); ++y) {
    const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
    uint8_t *row = picture.Row(image.height() - 1 - y); // pictures keep their rows from the bottom
    for (int x = 0; x < image.width(); ++x) {
      row[3 * x] = static_cast<uint8_t>(qBlue(line[x]));
      row[3 * x + 1] = static_cast<uint8_t>(qGreen(line[x]));
      row[3 * x + 2] = static_cast<uint8_t>(qRed(line[x]));
    }
  }
  return true;
}

std::optional<QImage> PaintMetafileFile(const std::string &path) {
  CPictureIOFile file;
  std::vector<uint8_t> bytes;
  if (!file.Open(path, "rb") || !ReadMetafileBytes(file, bytes) || !ReadMetafileHeader(bytes).Error.empty())
    return std::nullopt;
  const MetafileDrawing drawing = ReadMetafile(bytes);
  return drawing.Error.empty() ? PaintMetafile(drawing) : QImage();
}

void InstallMetafilePlayer() { SetMetafilePlayer(&PlayMetafile); }

} // namespace quorbel
