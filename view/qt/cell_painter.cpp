#include "view/qt/cell_painter.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <bit>
#include <optional>

#include "app/cell_animation.h"
#include "engine/unit_summary.h"
#include "platform/qt/colour_ref.h"
#include "view/qt/paint_tools.h"
#include "view/qt/piece_painter.h"
#include "view/qt/variant_decorations.h"

namespace quorbel {

namespace {

// Candidate strings up to this long stay on one line.
constexpr qsizetype kOneLineSymbols = 6;

const GridRecord &GridOf(const CGridDraw &painter) { return *painter.Grid; }

VariantWords ShownRules(const PaintContext &ctx, const CGridDraw &painter) {
  return GridOf(painter).GridVar & ctx.Switches.VarMask;
}

ColorRef StatusColour(const BoardColours &colours, int32_t status) {
  switch (status) {
  case kStatusGiven:
  case kStatusFixed:
    return colours.ColInit;
  case kStatusPlaced:
  case kStatusPencilled:
    return colours.ColInput;
  case kStatusPlacedLastStep:
    return colours.ColFind;
  case kStatusHypothesis:
    return colours.ColSearch;
  case kStatusConflict:
    return colours.ColBad;
  default:
    return colours.ColPossible;
  }
}

ColorRef ValueTextColour(const PaintContext &ctx, const CellRecord &cell) {
  if (ctx.Switches.ShowWarning && cell.Check == kCheckConflict)
    return ctx.Colours.ColBad;
  return StatusColour(ctx.Colours, cell.Status);
}

// Whether an open cell's candidates are shown: always for a highlighted cell, else by the
// display level (the highest level shows every cell).
bool CandidatesShown(const PaintContext &ctx, const CellRecord &cell) {
  if (cell.CellHighlight)
    return true;
  if (!ctx.Switches.PossDisplayOn)
    return false;
  const int level =
      ctx.Switches.PossDisplayLevel >= kPossLevelAll ? ctx.Geo.GridWidth : ctx.Switches.PossDisplayLevel;
  return cell.NPoss <= level + 1;
}

bool InAllowedSet(const PaintContext &ctx, const CellRecord &cell, uint32_t bit) {
  return cell.AllowedType == kAllowedTypeMask && !ctx.Switches.HideVariantsOn && (cell.AllowedSet & bit) != 0;
}

// The colour of value v in an open cell's candidate string or matrix, or none when it is left out.
std::optional<ColorRef> CandidateColour(const PaintContext &ctx, const CellRecord &cell, int v) {
  const uint32_t bit = ValueBit(v);
  const BoardColours &colours = ctx.Colours;
  if (cell.Status == kStatusPencilled && (cell.Marks & bit) != 0)
    return ctx.Switches.ShowWarning && (cell.ThePoss & bit) == 0 ? colours.ColBad
                                                                 : StatusColour(colours, cell.Status);
  if ((cell.ThePoss & bit) != 0 && CandidatesShown(ctx, cell))
    return colours.ColPossible;
  if (InAllowedSet(ctx, cell, bit))
    return ctx.Switches.ShowWarning && cell.AllowedError ? colours.ColBad : colours.ColInit;
  return std::nullopt;
}

// The value with the best score, when some value scored above 0.
int BestProbable(const PaintContext &ctx, const CellRecord &cell) {
  constexpr int kScoreUnit = 100;
  const int best = BestScoredValue(ctx.Geo, cell);
  return best >= kScoreUnit ? best % kScoreUnit : 0;
}

// The part of the board's picture under a rectangle, laid over what is there.
void DrawPicturePart(const PaintContext &ctx, const CellRect &rect) {
  if (!ctx.Background || ctx.Printing || rect.IsEmpty())
    return;
  constexpr double kOpaque = 255.0;
  ctx.Dc.save();
  ctx.Dc.setOpacity(ctx.General.transparency / kOpaque);
  ctx.Dc.drawImage(ToQRect(rect), *ctx.Background, ToQRect(rect));
  ctx.Dc.restore();
}

void DrawSymbolInBox(const PaintContext &ctx, const CellRect &box, int value, ColorRef colour, int font) {
  if (box.IsShown())
    DrawTextCentred(ctx.Dc, SymbolText(ctx, value), box, ctx.Fonts.Font(font), colour);
}

// The best probable's mark: a ring round the cell's text, a wide dark stroke under a thin one of
// the text's colour.
void DrawBestProbableMark(const PaintContext &ctx, const CellRect &rect, ColorRef colour) {
  constexpr int kWidePen = 3;
  const QRect ring =
      ToQRect(rect).adjusted(rect.Width() / 5, rect.Height() / 5, -rect.Width() / 5, -rect.Height() / 5);
  ctx.Dc.save();
  ctx.Dc.setRenderHint(QPainter::Antialiasing);
  ctx.Dc.setBrush(Qt::NoBrush);
  ctx.Dc.setPen(QPen(Qt::black, kWidePen));
  ctx.Dc.drawEllipse(ring);
  ctx.Dc.setPen(QPen(ToQColor(colour), 1));
  ctx.Dc.drawEllipse(ring);
  ctx.Dc.restore();
}

// In pictures mode a placed value shows its picture, when its set could be loaded.
bool ShowsPicture(const PaintContext &ctx, const CellRecord &record, const CellAnimations *pictures,
                  bool playing) {
  return playing && ctx.Symbols == kSymbolPictures && ctx.Pictures && pictures && record.Value >= 1 &&
         record.Value <= kPictureCount && !IsOpenStatus(record.Status) &&
         DrawnSet((*pictures)[kValuePicture], *ctx.Pictures) >= 0;
}

// Where a string of symbols (candidates, a count) fits: inside the cell's ground, clear of its
// frame, and below a cage's total written in its corner.
CellRect StringRect(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &rect) {
  const int border = std::max(1, static_cast<int>(painter.BorderCell));
  const CellRect inner = painter.InnerRect[cell].Inset(border, border);
  CellRect place{std::max(rect.left, inner.left), std::max(rect.top, inner.top),
                 std::min(rect.right, inner.right), std::min(rect.bottom, inner.bottom)};
  if (const CellRect total = CageTotalBox(ctx, painter, cell); total.IsShown())
    place.top = std::max(place.top, std::min(total.bottom, place.bottom - 1));
  return place.IsEmpty() ? rect : place;
}

// The colouring help: one corner mark per chain that fills the cell, the first chain's the
// largest, so a cell every chain fills shows all their colours.
void DrawChainMarks(const PaintContext &ctx, const CGridDraw &painter, int cell) {
  const CellRecord &record = GridOf(painter).Cells[static_cast<size_t>(cell)];
  if (ctx.Switches.ShowColouring != 1 || record.ColourSet <= 0)
    return;
  const CellRect &rect = painter.InnerRect[cell];
  // The largest mark's sides run three fifths of the cell's.
  const int chains = std::popcount(static_cast<uint32_t>(record.ColourSet));
  const int side = std::min(rect.Width(), rect.Height()) * 3 / 5;
  int drawn = 0;
  for (int chain = 0; chain < static_cast<int>(CellColourTable.size()); ++chain)
    if ((record.ColourSet & (1 << chain)) != 0)
      DrawCornerMark(ctx.Dc, rect, side * (chains - drawn++) / chains,
                     CellColourTable[static_cast<size_t>(chain)], false);
}

} // namespace

QString SymbolText(const PaintContext &ctx, int value) {
  // Where no picture can stand for a value, pictures mode writes the mixed symbols.
  const SymbolMode mode = ctx.Symbols == kSymbolPictures ? kSymbolMixed : ctx.Symbols;
  return QString::fromStdString(ValueSymbolText(value, mode, ctx.MagicLetters));
}

AnimPaint AnimPaintOf(const PaintContext &ctx) {
  static const PictureLibrary kNoPictures;
  return AnimPaint{.Pictures = ctx.Pictures ? *ctx.Pictures : kNoPictures,
                   .Fonts = ctx.Fonts,
                   .Symbols = ctx.Symbols,
                   .Ground = ctx.Colours.ColBgCase,
                   .Colouring = ctx.Switches.ShowColouring == 1,
                   .Background = ctx.Background,
                   .Transparency = ctx.General.transparency};
}

bool IsCellSelected(const PaintContext &ctx, const CGridDraw &painter, int cell) {
  return FindSelection(ctx.Selection, cell, painter.Slot) >= 0;
}

bool CellInConflict(const PaintContext &ctx, const CGridDraw &painter, int cell) {
  const GridRecord &grid = GridOf(painter);
  const GridGeometry &geo = ctx.Geo;
  auto conflict = [&](int record) {
    return record >= 0 && static_cast<size_t>(record) < grid.Cells.size() &&
           grid.Cells[static_cast<size_t>(record)].Check == kCheckConflict;
  };
  if (conflict(cell))
    return true;
  if (cell < 0 || cell >= geo.NCells)
    return false;
  if (conflict(geo.RowUnitBase + geo.RowOfCell[cell]) || conflict(geo.ColUnitBase + geo.ColOfCell[cell]) ||
      conflict(geo.BlockUnitBase + grid.BlockOfCell[cell]))
    return true;
  if (Meets(ShownRules(ctx, painter), kVarDiagonal))
    for (int region : {kRegionDiag1, kRegionDiag2})
      if (CellInRegionUnit(grid, region, cell) &&
          conflict(region == kRegionDiag1 ? geo.Diag1Unit : geo.Diag2Unit))
        return true;
  return false;
}

namespace {

// Both ends of a link take the link's colour, numbered over the whole set.
ColorRef TintTwinsZone(const PaintContext &ctx, const CGridDraw &painter, int cell, ColorRef colour) {
  const int block = GridOf(painter).BlockOfCell[cell];
  size_t link = 0;
  for (int owner = 0; owner < UsedMainCount(ctx.Grids); ++owner)
    for (const TwinsZoneLink &zone : ctx.Grids.Main[static_cast<size_t>(owner)].Lists.TwinsZone.Used()) {
      if ((owner == painter.Slot && zone.Block == block) ||
          (zone.OtherGrid == painter.Slot && zone.OtherBlock == block))
        colour = AddColours(colour, kValueColours[link % kValueColours.size()]);
      ++link;
    }
  return colour;
}

ColorRef TintExtraRegions(const PaintContext &, const CGridDraw &painter, int cell, ColorRef colour) {
  const GridRecord &grid = GridOf(painter);
  for (int region = 0; region < 4; ++region)
    if (CellInRegionUnit(grid, region, cell))
      colour = AddColours(colour, kValueColours[static_cast<size_t>(region)]);
  return colour;
}

// The tints of a rule's own regions: the first whose rule is on takes the place of the block
// colours. Not hidden with the variants, for the regions are what the player fills.
struct RegionTint {
  VariantWords Rows;
  ColorRef (*Tint)(const PaintContext &ctx, const CGridDraw &painter, int cell, ColorRef colour);
};
constexpr RegionTint kRegionTints[] = {
    {PainterRows({RuleRow::TwinsZone}), TintTwinsZone},
    {PainterRows({RuleRow::ExtraRegion}), TintExtraRegions},
};

constexpr CellRectPainter kBackgroundPainters[] = {
    {PainterRows({RuleRow::TwinsRelation}), DrawTwinsRelationHatch},
};

void DrawBoatOfCell(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &rect) {
  if (painter.Grid->Cells[static_cast<size_t>(cell)].Boat > 0)
    DrawBoat(ctx, painter, cell, rect);
}

// Drawn over the highlight's ring.
constexpr CellRectPainter kOverHighlightPainters[] = {
    {PainterRows({RuleRow::BattleShip}), DrawBoatOfCell},
};

} // namespace

VariantWords CellPainterRows() {
  return PaintedRows(kRegionTints) | PaintedRows(kBackgroundPainters) | PaintedRows(kOverHighlightPainters);
}

ColorRef CellBackground(const PaintContext &ctx, const CGridDraw &painter, ColorRef override,
                        const CellRect &rect, int cell) {
  const GridRecord &grid = GridOf(painter);
  const CellRecord &record = grid.Cells[static_cast<size_t>(cell)];
  const BoardColours &colours = ctx.Colours;
  ColorRef colour = colours.ColBgCase;
  if (ctx.Switches.ShowWarning && CellInConflict(ctx, painter, cell)) {
    colour = colours.ColBgBad;
  } else if (record.Status == kStatusFixed) {
    colour = colours.ColBgSingle;
  } else if (record.Status == kStatusPlaced || record.Status == kStatusPlacedLastStep ||
             record.Status == kStatusHypothesis) {
    const bool wrong = ctx.Switches.ShowDiff && painter.RefGrid &&
                       static_cast<size_t>(cell) < painter.RefGrid->Cells.size() &&
                       painter.RefGrid->Cells[static_cast<size_t>(cell)].Value != record.Value;
    colour = wrong ? kWrongValueBackground : colours.ColBgSingle;
  }
  if (cell < ctx.Geo.NCells) {
    const VariantWords rules = ShownRules(ctx, painter);
    const auto tint = std::find_if(std::begin(kRegionTints), std::end(kRegionTints),
                                   [&](const RegionTint &t) { return Meets(rules, t.Rows); });
    if (tint != std::end(kRegionTints))
      colour = tint->Tint(ctx, painter, cell, colour);
    else if (ctx.General.blockColors == 1)
      colour = AddColours(colour,
                          kValueColours[static_cast<size_t>(grid.BlockOfCell[cell]) % kValueColours.size()]);
  }
  if (override != kNoOverride)
    colour = override;
  if (IsCellSelected(ctx, painter, cell))
    colour = ScaleColour(colour, kSelectedBrightening);
  FillSolidRect(ctx.Dc, rect, colour);
  // The comparison partner's mark joins the Twins Relation hatching over this background.
  if (cell < ctx.Geo.NCells)
    DrawShownMarks(kBackgroundPainters, ctx, painter, cell, rect);
  return colour;
}

TextPlacement PlaceCentredText(const QString &text, const CellRect &rect, const FontTable &fonts, int font) {
  TextPlacement placement;
  const int width = std::max(1, rect.Width());
  // A short string read in two pieces looks like two numbers: it takes a smaller font instead.
  const bool oneLine = text.size() <= kOneLineSymbols;
  for (int f = static_cast<int>(FontTable::Clamp(font));; --f) {
    const QFontMetrics &metrics = fonts.Metrics(f);
    // Greedy lines: each takes as many characters as its width holds, at least one.
    std::vector<std::pair<qsizetype, int>> lines; // first character, pixel width
    int lineWidth = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
      const int advance = metrics.horizontalAdvance(text[i]);
      if (lines.empty() || lineWidth + advance > width) {
        lines.emplace_back(i, 0);
        lineWidth = 0;
      }
      lineWidth += advance;
      lines.back().second = lineWidth;
    }
    const bool fits =
        (!oneLine || lines.size() == 1) &&
        static_cast<int>(lines.size()) * metrics.height() <= rect.Height() &&
        std::all_of(lines.begin(), lines.end(), [&](const auto &line) { return line.second <= width; });
    if (!fits && f > 0)
      continue;
    placement.Font = f;
    const int top = rect.top + (rect.Height() - static_cast<int>(lines.size()) * metrics.height()) / 2;
    for (size_t l = 0; l < lines.size(); ++l) {
      const qsizetype end = l + 1 < lines.size() ? lines[l + 1].first : text.size();
      int x = rect.left + (width - lines[l].second) / 2;
      const int baseline = top + static_cast<int>(l) * metrics.height() + metrics.ascent();
      for (qsizetype i = lines[l].first; i < end; ++i) {
        placement.Baselines.emplace_back(x, baseline);
        x += metrics.horizontalAdvance(text[i]);
      }
    }
    return placement;
  }
}

void DrawColouredText(QPainter &dc, const QString &text, std::span<const ColorRef> colours,
                      ColorRef defaultColour, const CellRect &rect, const FontTable &fonts, int font) {
  if (text.isEmpty() || text.size() > kMaxColouredText || rect.IsEmpty())
    return;
  const TextPlacement placement = PlaceCentredText(text, rect, fonts, font);
  dc.save();
  dc.setClipRect(ToQRect(rect));
  dc.setFont(fonts.Font(placement.Font));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const size_t at = static_cast<size_t>(i);
    const ColorRef colour = at < colours.size() && colours[at] != kNoOverride ? colours[at] : defaultColour;
    dc.setPen(ToQColor(colour));
    dc.drawText(placement.Baselines[at], QString(text[i]));
  }
  dc.restore();
}

void DrawCellValue(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &rect) {
  const GridGeometry &geo = ctx.Geo;
  const CellRecord &record = GridOf(painter).Cells[static_cast<size_t>(cell)];
  const bool empty = IsOpenStatus(record.Status);
  const bool clue = cell >= geo.NCells && cell < geo.CellLimit;
  const int probType = ctx.General.probType;
  const int font = clue || (empty && probType == 3) ? painter.FontLabel
                   : cell >= geo.NCellRecs          ? painter.FontPiece
                                                    : painter.FontCell;
  const ColorRef colour = ValueTextColour(ctx, record);

  QString text;
  std::array<ColorRef, kMaxColouredText> colours;
  colours.fill(kNoOverride);
  auto appendSymbol = [&](int value, ColorRef symbolColour) {
    const QString symbol = SymbolText(ctx, value);
    for (qsizetype i = 0; i < symbol.size(); ++i) {
      if (text.size() < kMaxColouredText)
        colours[static_cast<size_t>(text.size())] = symbolColour;
      text += symbol[i];
    }
  };
  const int best = empty && ctx.Switches.ShowProbables ? BestProbable(ctx, record) : 0;
  if (ctx.Switches.CellDisplayMode == 1 && cell < geo.NCells) {
    text = QString::number(GridOf(painter).BlockOfCell[cell]);
  } else if (best > 0) {
    DrawBestProbableMark(ctx, rect, colour);
    text = SymbolText(ctx, best);
  } else if (ctx.Switches.ShowSearchProb && empty) {
    text = QString::number(record.NPoss);
  } else if (clue) {
    if (ctx.Switches.ShowPossLineCol)
      for (int v = 1; v <= geo.GridWidth; ++v)
        if ((record.ThePoss & ValueBit(v)) != 0)
          appendSymbol(v, ctx.Colours.ColPossible);
  } else if (empty && probType != 0) {
    for (int v = 1; v <= geo.GridWidth; ++v)
      if (const std::optional<ColorRef> candidate = CandidateColour(ctx, record, v))
        appendSymbol(v, *candidate);
  } else if (painter.Slot >= UsedMainCount(ctx.Grids)) {
    // The Twins Total sums run past the symbols: numbers in every mode.
    text = record.Value > 0 ? QString::number(record.Value) : QString();
  } else {
    text = SymbolText(ctx, record.Value);
  }
  // The cell's animated picture is drawn under the text by the cell animations.
  DrawColouredText(ctx.Dc, text, colours, colour,
                   text.size() > 1 && cell < geo.NCells ? StringRect(ctx, painter, cell, rect) : rect,
                   ctx.Fonts, font);
}

void DrawCandidateMatrix(const PaintContext &ctx, const CGridDraw &painter, int cell) {
  const CellRecord &record = GridOf(painter).Cells[static_cast<size_t>(cell)];
  const BoardColours &colours = ctx.Colours;
  const bool selected = IsCellSelected(ctx, painter, cell);
  const bool conflict = ctx.Switches.ShowWarning && CellInConflict(ctx, painter, cell);
  const bool filled = ctx.General.displayMatFond == 1;
  // Under a cage's total, written in the cell's corner, the matrix takes the height left below it,
  // its symbols smaller by as much.
  const CellRect &inner = painter.InnerRect[cell];
  const CellRect total = CageTotalBox(ctx, painter, cell);
  const bool squeezed = total.IsShown() && total.bottom > inner.top && inner.bottom - total.bottom > 1;
  const double scale = squeezed ? static_cast<double>(inner.bottom - total.bottom) / inner.Height() : 1.0;
  auto below = [&](int y) { return total.bottom + static_cast<int>((y - inner.top) * scale); };
  const int font =
      squeezed
          ? std::max(0, static_cast<int>((painter.FontMatrix + kFontHeightBase) * scale) - kFontHeightBase)
          : painter.FontMatrix;
  for (int v = 1; v <= ctx.Geo.GridWidth; ++v) {
    const ColorRef text = CandidateColour(ctx, record, v).value_or(kAbsentCandidate);
    if (ctx.General.displayMatAll != 1 && text == kAbsentCandidate)
      continue;
    CellRect box = SymbolRect(painter, cell, v - 1, selected);
    if (squeezed && box.IsShown()) {
      box.top = below(box.top);
      box.bottom = below(box.bottom);
    }
    if (filled) {
      ColorRef ground =
          text == colours.ColInput || text == colours.ColPossible ? colours.ColBgSingle : colours.ColBgCase;
      if (conflict)
        ground = colours.ColBgBad;
      FillSolidRect(ctx.Dc, box, selected ? ScaleColour(ground, kSelectedBrightening) : ground);
      DrawPicturePart(ctx, box);
    }
    DrawSymbolInBox(ctx, box, v, text, font);
  }
}

void DrawValueRow(const PaintContext &ctx, const CGridDraw &painter, int cell, ColorRef background) {
  const CellRecord &record = GridOf(painter).Cells[static_cast<size_t>(cell)];
  const bool selected = IsCellSelected(ctx, painter, cell);
  const bool numberBar = cell == ctx.Geo.NumberBar();
  for (int v = 1; v <= ctx.Geo.GridWidth; ++v) {
    const uint32_t bit = ValueBit(v);
    ColorRef colour = kAbsentCandidate;
    if (record.Status == kStatusPencilled && (record.Marks & bit) != 0)
      colour = ctx.Colours.ColInput;
    else if ((record.ThePoss & bit) != 0 && (!numberBar || ctx.Switches.ShowFound))
      colour = ctx.Colours.ColPossible;
    const CellRect box = BarSymbolRect(painter, ctx.Geo, cell, v - 1, selected);
    FillSolidRect(ctx.Dc, box, background);
    DrawPicturePart(ctx, box);
    DrawSymbolInBox(ctx, box, v, colour, painter.FontProb);
  }
}

void DrawCellBorder(const PaintContext &ctx, const CGridDraw &painter, int cell) {
  CellRect frame = CellFrameRect(painter, ctx.Geo, cell);
  if (!frame.IsShown())
    return;
  if (cell == ctx.Geo.NumberBar()) {
    frame.top += 2;
    frame.bottom -= 1;
  }
  // A thick side is the block border: the strip between the outer and the inner box is drawn in
  // the border colour, so block edges read heavier than cell edges.
  const CellRect &outer = painter.OuterRect[cell];
  const int8_t horz = painter.HorzCode[cell];
  const int8_t vert = painter.VertCode[cell];
  const ColorRef border = ctx.Colours.ColBorder;
  if (horz & 1)
    FillSolidRect(ctx.Dc, {outer.left, outer.top, frame.left, outer.bottom}, border);
  if (horz & 2)
    FillSolidRect(ctx.Dc, {frame.right, outer.top, outer.right + 1, outer.bottom + 1}, border);
  if (vert & 1)
    FillSolidRect(ctx.Dc, {outer.left, outer.top, outer.right, frame.top}, border);
  if (vert & 2)
    FillSolidRect(ctx.Dc, {outer.left, frame.bottom, outer.right + 1, outer.bottom + 1}, border);
  if (IsCellSelected(ctx, painter, cell))
    FrameRect(ctx.Dc, frame, static_cast<int>(painter.BorderBlock), kSelectedBorder);
  else
    FrameRect(ctx.Dc, frame, static_cast<int>(painter.BorderCell), border);
}

int PaintCell(const PaintContext &ctx, const CGridDraw &painter, int cell, ColorRef override) {
  if (!painter.Grid || cell < 0 || cell >= kDrawRecords ||
      static_cast<size_t>(cell) >= painter.Grid->Cells.size() || !painter.OuterRect[cell].IsShown())
    return 1;
  const GridGeometry &geo = ctx.Geo;
  const CellRecord &record = painter.Grid->Cells[static_cast<size_t>(cell)];
  const CellAnimations *pictures = PaintedPictures(ctx, painter.Grid, painter.Slot, cell);
  const bool empty = IsOpenStatus(record.Status);
  const bool playing = cell < geo.NCells;
  const int probType = ctx.General.probType;
  const CellRect text = CellTextRect(painter, geo, cell, probType, ctx.Symbols == kSymbolPictures, empty);
  const bool drawn = record.NotDrawn == 0;

  ColorRef background = ctx.Colours.ColBgCase;
  if (drawn)
    background = CellBackground(ctx, painter, override, text, cell);
  if (override == kNoOverride)
    DrawPicturePart(ctx, text);
  if (drawn && playing)
    DrawChainMarks(ctx, painter, cell);
  // The variant layers of the cell, in this order, from the variant decorations: diagonal lines,
  // the numeral and Trio classes, each rule's own marks (Domino to Twins Relation Multiple); the
  // boat follows the highlight.
  if (drawn && playing) {
    DrawCellSetMarks(ctx, painter, cell, text);
    DrawNeighbourMarks(ctx, painter, cell, text);
  }

  if (drawn && record.CellHighlight) {
    ctx.Dc.save();
    ctx.Dc.setPen(Qt::black);
    ctx.Dc.setBrush(ToQColor(ScaleColour(background, kHighlightBrightening)));
    ctx.Dc.drawEllipse(ToQRect(text).adjusted(0, 0, -1, -1));
    ctx.Dc.restore();
  }
  if (drawn && playing)
    DrawShownMarks(kOverHighlightPainters, ctx, painter, cell, text);

  if (drawn && cell < geo.NCellRecs) {
    if (cell == geo.NumberBar()) {
      DrawValueRow(ctx, painter, cell, background);
    } else if (playing && empty && probType == 2) {
      if (ctx.Switches.ShowProbables && BestProbable(ctx, record) > 0)
        DrawCellValue(ctx, painter, cell, text);
      else
        DrawCandidateMatrix(ctx, painter, cell);
    } else if (ShowsPicture(ctx, record, pictures, playing) && painter.Slot < UsedMainCount(ctx.Grids)) {
      DrawAnimCell(ctx.Dc, (*pictures)[kValuePicture], -1, false, text, -1, AnimPaintOf(ctx));
    } else {
      DrawCellValue(ctx, painter, cell, text);
      if (playing && !empty && pictures)
        DrawRingPulse(ctx.Dc, (*pictures)[kValuePicture], text);
      if (playing && empty && probType == 3)
        DrawValueRow(ctx, painter, cell, background);
    }
  }
  DrawCellBorder(ctx, painter, cell);
  // Over the frame: the rules' marks in the cell (cages, arrows, comparison signs, parity
  // letters and the like), then the Tiled grid's corner circles.
  if (drawn && playing) {
    DrawCellClueMarks(ctx, painter, cell);
    DrawGridCornerCircle(ctx, painter, cell);
  }
  return 1;
}

} // namespace quorbel
