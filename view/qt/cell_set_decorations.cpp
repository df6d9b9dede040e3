// The marks of the rules that bind a cell to a set of values or tie a group of cells together:
// the diagonals through their cells, the Trio symbols, the Numeral letters, Roman numerals,
// seven-segment and domino figures, the Dan number, the Equality signs, the Wheels and the
// MasterMind cells; and under the grid the Magic Sentence and MasterMind bars.
#include <QFontMetrics>
#include <QPolygon>
#include <algorithm>
#include <array>

#include "app/qt/trio_symbol.h"
#include "engine/digit_tables.h"
#include "engine/group_editors.h"
#include "engine/rule_registry.h"
#include "engine/unit_summary.h"
#include "engine/value_mask.h"
#include "platform/qt/colour_ref.h"
#include "view/qt/cell_painter.h"
#include "view/qt/paint_tools.h"
#include "view/qt/variant_decorations.h"

namespace quorbel {

namespace {

constexpr ColorRef kNumeralColour = 0x706004; // blue, green, red: a dark teal
constexpr ColorRef kRed = 0x0000FF;
constexpr ColorRef kBlack = 0x000000;
constexpr ColorRef kSentenceGround = 0x804000; // dark blue
constexpr ColorRef kWhite = 0xFFFFFF;
// Fifteen colours told apart at a glance, one per Equality group in turn.
constexpr std::array<ColorRef, 15> kEqualityColours = {0x0000C0, 0x008000, 0xC00000, 0x0080C0, 0x800080,
                                                       0x808000, 0x004080, 0x408000, 0x800040, 0x00A0A0,
                                                       0x404040, 0x2060FF, 0xA06020, 0x60A000, 0x6000C0};
// One colour per MasterMind guess line, its cells' chips and its marks in the bar.
constexpr std::array<ColorRef, 8> kLineColours = {0x2080E0, 0x20A020, 0xE06020, 0xA020A0,
                                                  0x20C0C0, 0x0060A0, 0x808000, 0x6040FF};

QFont ScriptFont(const PaintContext &ctx, int size) {
  QFont font = ctx.Fonts.Font(size);
  font.setItalic(true);
  return font;
}

void DrawDiagonals(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &r) {
  const GridRecord &grid = *painter.Grid;
  ctx.Dc.save();
  ctx.Dc.setRenderHint(QPainter::Antialiasing);
  ctx.Dc.setPen(QPen(ToQColor(ctx.Colours.ColBorder), std::max(1, r.Width() / 30)));
  if (CellInRegionUnit(grid, kRegionDiag1, cell))
    ctx.Dc.drawLine(r.left, r.top, r.right, r.bottom);
  if (CellInRegionUnit(grid, kRegionDiag2, cell))
    ctx.Dc.drawLine(r.right, r.top, r.left, r.bottom);
  ctx.Dc.restore();
}

// The Numeral letter in the cell's upper left, half its height: the middle stays the value's.
void DrawNumeralLetter(const PaintContext &ctx, const CellRecord &record, const CellRect &r) {
  const QString letter(QChar(static_cast<char16_t>(record.Numeral)));
  const CellRect box{r.left + 3, r.top + 1, r.left + r.Width() / 2, r.top + r.Height() / 2};
  ctx.Dc.save();
  ctx.Dc.setFont(ScriptFont(ctx, box.Height()));
  ctx.Dc.setPen(ToQColor(record.NumeralError && ctx.Switches.ShowWarning ? kRed : kNumeralColour));
  ctx.Dc.drawText(ToQRect(box), Qt::AlignLeft | Qt::AlignVCenter, letter);
  ctx.Dc.restore();
}

// A sentence cell: its place in the sentence, small, in the bottom-left corner.
void DrawSentencePlace(const PaintContext &ctx, int place, const CellRect &r) {
  const CellRect box{r.left + 2, r.bottom - r.Height() / 3, r.left + r.Width() / 3, r.bottom - 1};
  FillSolidRect(ctx.Dc, box, kSentenceGround);
  DrawTextCentred(ctx.Dc, QString::number(place + 1), box, ctx.Fonts.Font(box.Height() * 3 / 4), kWhite);
}

QString RomanNumeral(int n) {
  static constexpr std::array<std::pair<int, const char *>, 5> kParts = {
      {{10, "X"}, {9, "IX"}, {5, "V"}, {4, "IV"}, {1, "I"}}};
  QString text;
  for (const auto &[value, letters] : kParts)
    for (; n >= value; n -= value)
      text += QString::fromLatin1(letters);
  return text;
}

void DrawRomanNumeral(const PaintContext &ctx, const CellRecord &record, const CellRect &r) {
  if (record.AllowedIndex < 1 || record.AllowedIndex > 16)
    return;
  const CellRect box{r.left + r.Width() / 10, r.top + 3, r.right - 1, r.top + 3 + r.Height() / 3};
  ctx.Dc.save();
  ctx.Dc.setFont(ScriptFont(ctx, box.Height() * 3 / 4));
  ctx.Dc.setPen(ToQColor(ClueColour(ctx, record.AllowedError != 0, ctx.Colours.ColInit)));
  ctx.Dc.drawText(ToQRect(box), Qt::AlignLeft | Qt::AlignVCenter, RomanNumeral(record.AllowedIndex));
  ctx.Dc.restore();
}

void DrawClockSegments(const PaintContext &ctx, const CellRecord &record, const CellRect &r) {
  const int height = std::min(r.Height() * 10 / 14, r.Width());
  const int width = height / 2;
  const CellRect box{r.left + 2, r.top + (r.Height() - height) / 2, r.left + 2 + width,
                     r.top + (r.Height() + height) / 2};
  DrawSegmentDigit(ctx.Dc, static_cast<uint32_t>(record.AllowedIndex), box,
                   ClueColour(ctx, record.AllowedError != 0, ctx.Colours.ColInit), std::max(1, height / 15));
}

// Nine pip places in a square of half the cell: the set's pips black, the others white; a pip
// of the set that the placed value lacks in the conflict colour.
void DrawDominoPips(const PaintContext &ctx, const CellRecord &record, const CellRect &r) {
  const int side = std::min(r.Width(), r.Height()) / 2;
  const uint32_t placed = IsOpenStatus(record.Status) ? 0 : static_cast<uint32_t>(PipMask(record.Value));
  const auto pips = static_cast<uint32_t>(record.AllowedIndex);
  const uint32_t missing = ctx.Switches.ShowWarning && placed != 0 ? pips & ~placed : 0;
  DrawPipSquare(ctx.Dc, pips, missing, ctx.Colours.ColBad,
                {r.left + 4, r.top + 4, r.left + 4 + side, r.top + 4 + side});
}

void DrawDanNumber(const PaintContext &ctx, const GridRecord &grid, const CellRect &r) {
  const CellRect box{r.left, r.top + r.Height() * 2 / 3, r.right, r.bottom};
  QFont font = ctx.Fonts.Font(std::min(static_cast<int>(r.Width() * 0.25 + 1), 159));
  DrawTextCentred(ctx.Dc, QString::number(grid.Lists.Dan.MaxDistinct), box, font,
                  grid.Work.DanConflict && ctx.Switches.ShowWarning ? kRed : kBlack);
}

// Two bars in the cell's top-left third, in the group's colour.
void DrawEqualitySign(const PaintContext &ctx, const GridRecord &grid, int group, const CellRect &r) {
  const ColorRef colour = ClueColour(ctx, grid.Work.EqualityConflict[static_cast<size_t>(group)] != 0,
                                     kEqualityColours[static_cast<size_t>(group) % kEqualityColours.size()]);
  const int left = r.left + r.Width() / 12;
  const int right = r.left + r.Width() / 3;
  const int bar = std::max(2, r.Height() / 16);
  for (const int y : {r.top + r.Height() / 8, r.top + r.Height() / 8 + 2 * bar})
    FillSolidRect(ctx.Dc, {left, y, right, y + bar}, colour);
}

// The wheel round its centre cell: a ring, and its four values clockwise from the top in small
// white boxes along the cell's edges, leaving the middle to the cell's own value.
void DrawWheel(const PaintContext &ctx, const GridRecord &grid, int index, const CellRect &r) {
  const WheelClue &wheel = grid.Lists.Wheels.Items[static_cast<size_t>(index)];
  const int pen = std::max(1, std::min(r.Width(), r.Height()) / 20);
  const ColorRef colour = ClueColour(ctx, grid.Work.WheelConflict[static_cast<size_t>(index)] != 0, kBlack);
  const int box = std::max(6, r.Width() * 2 / 7);
  const QRect ring = ToQRect(r).adjusted(box / 2, box / 2, -box / 2, -box / 2);
  ctx.Dc.save();
  ctx.Dc.setRenderHint(QPainter::Antialiasing);
  ctx.Dc.setPen(QPen(ToQColor(colour), pen));
  ctx.Dc.setBrush(Qt::NoBrush);
  ctx.Dc.drawEllipse(ring);
  const QPoint c = ring.center();
  const std::array<QPoint, 4> places = {QPoint(c.x(), ring.top()), QPoint(ring.right(), c.y()),
                                        QPoint(c.x(), ring.bottom()), QPoint(ring.left(), c.y())};
  const QFont font = ctx.Fonts.Font(box / 2);
  ctx.Dc.setPen(QPen(ToQColor(colour), 1));
  ctx.Dc.setBrush(Qt::white);
  for (size_t k = 0; k < places.size(); ++k) {
    const CellRect place{places[k].x() - box / 2, places[k].y() - box / 2, places[k].x() + box / 2,
                         places[k].y() + box / 2};
    ctx.Dc.drawRect(ToQRect(place));
    DrawTextCentred(ctx.Dc, SymbolText(ctx, wheel.Values[k]), place, font, colour);
  }
  ctx.Dc.restore();
}

// A MasterMind cell: a chip of its line's colour in the bottom-right corner.
void DrawMasterMindChip(const PaintContext &ctx, const GridRecord &grid, int line, const CellRect &r) {
  const int side = std::max(4, r.Width() / 6);
  const bool flagged = grid.Work.MasterMindConflict[static_cast<size_t>(line)] != 0;
  FillSolidRect(ctx.Dc, {r.right - side - 2, r.bottom - side - 2, r.right - 2, r.bottom - 2},
                ClueColour(ctx, flagged, kLineColours[static_cast<size_t>(line) % kLineColours.size()]));
}

} // namespace

void DrawPipSquare(QPainter &dc, uint32_t pips, uint32_t flagged, ColorRef flaggedColour,
                   const CellRect &box) {
  const int step = std::max(2, std::min(box.Width(), box.Height()) / 3);
  dc.save();
  dc.setRenderHint(QPainter::Antialiasing);
  dc.setPen(QPen(Qt::black, 1));
  for (int k = 0; k < 9; ++k) {
    const uint32_t bit = 1u << k;
    dc.setBrush(ToQColor((flagged & bit) != 0 ? flaggedColour : (pips & bit) != 0 ? kBlack : kWhite));
    dc.drawEllipse(QRect(box.left + (k % 3) * step, box.top + (k / 3) * step, step - 1, step - 1));
  }
  dc.restore();
}

void DrawTrioSymbolLabel(const PaintContext &ctx, int cellClass, const std::array<int8_t, 16> &classes,
                         const CellRect &rect) {
  const int side = rect.Height();
  DrawTrioSymbol(ctx.Dc, cellClass, ToQRect({rect.left, rect.top, rect.left + side, rect.bottom}), false);
  QString labels;
  for (int v = 1; v <= ctx.Geo.GridWidth && v <= static_cast<int>(classes.size()); ++v)
    if (classes[static_cast<size_t>(v - 1)] == cellClass)
      labels += (labels.isEmpty() ? QString() : QStringLiteral(" ")) + SymbolText(ctx, v);
  // As large as the share beside the symbol lets the labels be.
  const int room = rect.Width() - side - 2;
  int font = side * 2 / 3;
  while (font > 1 && QFontMetrics(ctx.Fonts.Font(font)).horizontalAdvance(labels) > room)
    --font;
  DrawTextCentred(ctx.Dc, labels, {rect.left + side, rect.top, rect.right, rect.bottom}, ctx.Fonts.Font(font),
                  ctx.Colours.ColInit);
}

namespace {

// The marks below, each drawing only where its cell holds a clue of its rule.
void DrawTrioMark(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &rect) {
  const CellRecord &record = painter.Grid->Cells[static_cast<size_t>(cell)];
  if (record.CellClass > 0)
    DrawTrioSymbol(ctx.Dc, record.CellClass, ToQRect(rect),
                   record.ClassError != 0 && ctx.Switches.ShowWarning);
}

template <int Type, void (*Draw)(const PaintContext &, const CellRecord &, const CellRect &)>
void DrawAllowedSetMark(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &rect) {
  const CellRecord &record = painter.Grid->Cells[static_cast<size_t>(cell)];
  if (record.AllowedType == Type)
    Draw(ctx, record, rect);
}

void DrawSentenceMark(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &rect) {
  const GridRecord &grid = *painter.Grid;
  if (const int place = FindMagicSentenceCell(grid, cell); place < grid.Lists.MagicSentence.NCells)
    DrawSentencePlace(ctx, place, rect);
}

void DrawDanMark(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &rect) {
  if (FindDanCell(*painter.Grid, cell) >= 0)
    DrawDanNumber(ctx, *painter.Grid, rect);
}

void DrawEqualityMark(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &rect) {
  if (const int group = FindEqualityGroupOfCell(*painter.Grid, cell); group >= 0)
    DrawEqualitySign(ctx, *painter.Grid, group, rect);
}

void DrawWheelMark(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &rect) {
  if (const int wheel = FindWheelOfCentre(*painter.Grid, cell); wheel >= 0)
    DrawWheel(ctx, *painter.Grid, wheel, rect);
}

void DrawMasterMindMark(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &rect) {
  const GridRecord &grid = *painter.Grid;
  const CellRecord &record = grid.Cells[static_cast<size_t>(cell)];
  if (record.MasterMindLine >= 0 && record.MasterMindLine < grid.Lists.MasterMind.Lines.Size())
    DrawMasterMindChip(ctx, grid, record.MasterMindLine, rect);
}

// The lines of the rules' own units, under every other mark of the cell.
constexpr CellRectPainter kUnitLinePainters[] = {
    {PainterRows({RuleRow::Diagonal}), DrawDiagonals},
};

// In their painting order, each under the rows whose clues it draws.
constexpr CellRectPainter kCellSetPainters[] = {
    {PainterRows({RuleRow::Trio}), DrawTrioMark},
    {PainterRows({RuleRow::Domino}), DrawAllowedSetMark<kAllowedTypePips, DrawDominoPips>},
    {PainterRows({RuleRow::DigitalClock}), DrawAllowedSetMark<kAllowedTypeSegments, DrawClockSegments>},
    {PainterRows({RuleRow::Romain}), DrawAllowedSetMark<kAllowedTypeTable, DrawRomanNumeral>},
    {PainterRows({RuleRow::MagicSentence}), DrawSentenceMark},
    {PainterRows({RuleRow::Dan}), DrawDanMark},
    {PainterRows({RuleRow::Equality}), DrawEqualityMark},
    {PainterRows({RuleRow::Wheel}), DrawWheelMark},
    {PainterRows({RuleRow::MasterMind}), DrawMasterMindMark},
};

} // namespace

void DrawCellSetMarks(const PaintContext &ctx, const CGridDraw &painter, int cell, const CellRect &rect) {
  DrawShownMarks(kUnitLinePainters, ctx, painter, cell, rect);
  if (ctx.Switches.HideVariantsOn)
    return;
  const CellRecord &record = painter.Grid->Cells[static_cast<size_t>(cell)];
  if (record.Numeral >= 32 && record.Numeral <= 126)
    DrawNumeralLetter(ctx, record, rect);
  DrawShownMarks(kCellSetPainters, ctx, painter, cell, rect);
}

void DrawSentenceAndMasterMindBars(const PaintContext &ctx, const CGridDraw &painter) {
  const GridRecord &grid = *painter.Grid;
  const bool french = ctx.General.language == Language::French;
  if (painter.SentenceBar.IsShown()) {
    const MagicSentenceClue &sentence = grid.Lists.MagicSentence;
    QString letters;
    int found = 0;
    int bad = 0;
    for (int k = 0; k < sentence.NCells && k < 26; ++k) {
      const CellRecord &record = grid.Cells[static_cast<size_t>(sentence.Cells[static_cast<size_t>(k)])];
      if (IsOpenStatus(record.Status)) {
        letters += QLatin1Char('-');
        continue;
      }
      letters += SymbolText(ctx, record.Value);
      const int saved = sentence.SavedValues[static_cast<size_t>(k)];
      ++(sentence.SavedValues[0] < 0 || saved == record.Value ? found : bad);
    }
    const QString text = letters + QStringLiteral("   ") +
                         (french ? QStringLiteral("Phrase Magique Trouvée: %1 Erronnée: %2")
                                 : QStringLiteral("Magic Sentence Found: %1 Bad: %2"))
                             .arg(found)
                             .arg(bad);
    FillSolidRect(ctx.Dc, painter.SentenceBar, ctx.Colours.ColBgCase);
    DrawTextCentred(ctx.Dc, text, painter.SentenceBar, ctx.Fonts.Font(painter.SentenceBar.Height() / 2),
                    ctx.Colours.ColInit);
  }
  if (painter.MasterMindBar.IsShown()) {
    const MasterMindClue &mind = grid.Lists.MasterMind;
    int64_t value = 0;
    for (int k = 0; k < mind.CodeLength && k < 16; ++k)
      value = value * 10 + mind.Code[static_cast<size_t>(k)];
    const CellRect &bar = painter.MasterMindBar;
    FillSolidRect(ctx.Dc, bar, ctx.Colours.ColBgCase);
    // Each guess line: its colour, then a black mark per right place and a white one per value
    // in the wrong place.
    const int h = bar.Height() - 4;
    int x = bar.left + 2;
    ctx.Dc.save();
    ctx.Dc.setRenderHint(QPainter::Antialiasing);
    for (int j = 0; j < mind.Lines.Size(); ++j) {
      const MasterMindGuess &line = mind.Lines.Items[static_cast<size_t>(j)];
      const bool flagged = grid.Work.MasterMindConflict[static_cast<size_t>(j)] != 0;
      FillSolidRect(ctx.Dc, {x, bar.top + 2, x + h, bar.bottom - 2},
                    ClueColour(ctx, flagged, kLineColours[static_cast<size_t>(j) % kLineColours.size()]));
      x += h + 2;
      ctx.Dc.setPen(QPen(Qt::black, 1));
      for (int k = 0; k < line.Black + line.White; ++k, x += h / 2 + 1) {
        ctx.Dc.setBrush(k < line.Black ? Qt::black : Qt::white);
        ctx.Dc.drawEllipse(QRect(x, bar.top + 2 + h / 4, h / 2, h / 2));
      }
      x += h;
    }
    ctx.Dc.restore();
    const CellRect textBox{std::max(x, bar.left + bar.Width() / 2), bar.top, bar.right, bar.bottom};
    DrawTextCentred(ctx.Dc, QStringLiteral("Master Mind Value : %1").arg(value), textBox,
                    ctx.Fonts.Font(bar.Height() / 2), ctx.Colours.ColInit);
  }
}

namespace {

void DrawPanDigitalEntries(const PaintContext &ctx, const CGridDraw &painter) {
  const GridRecord &grid = *painter.Grid;
  static constexpr std::array<const char *, 10> kSigns = {"", "+", "-", "*", "/", "%", "=", "<>", ">", "<"};
  for (int i = 0; i < grid.Lists.Pan.Size(); ++i) {
    const auto at = static_cast<size_t>(i);
    const int numbers = grid.Work.PanNumberCount[at];
    const int digits = grid.Work.PanDigitCount[at];
    if (digits < 1 || numbers < 2)
      continue; // read at the next check
    const ColorRef colour = ClueColour(ctx, grid.Work.PanConflict[at] != 0, ctx.Colours.ColInit);
    const PanExpression &pan = grid.Lists.Pan.Items[at];
    // Each sign between the last digit of one number and the first of the next.
    for (int k = 0; k + 1 < numbers && k < 3; ++k) {
      const int from = grid.Work.PanDigitCells[at][static_cast<size_t>(k)][static_cast<size_t>(digits - 1)];
      const int to = grid.Work.PanDigitCells[at][static_cast<size_t>(k + 1)][0];
      if (from < 0 || to < 0 || from >= kDrawRecords || to >= kDrawRecords)
        continue;
      const CellRect &a = painter.OuterRect[static_cast<size_t>(from)];
      const CellRect &b = painter.OuterRect[static_cast<size_t>(to)];
      if (!a.IsShown() || !b.IsShown())
        continue;
      const int op = pan.Operators[static_cast<size_t>(k)];
      const int side = std::max(8, a.Width() / 3);
      const QPoint mid((a.left + a.right + b.left + b.right) / 4, (a.top + a.bottom + b.top + b.bottom) / 4);
      const CellRect box{mid.x() - side / 2, mid.y() - side / 2, mid.x() + side / 2, mid.y() + side / 2};
      FillSolidRect(ctx.Dc, box, kWhite);
      FrameRect(ctx.Dc, box, 1, colour);
      DrawTextCentred(ctx.Dc, QString::fromLatin1(op >= 0 && op < 10 ? kSigns[static_cast<size_t>(op)] : "?"),
                      box, ctx.Fonts.Font(side * 2 / 3), colour);
    }
  }
}

constexpr GridPainter kOverCellPainters[] = {
    {PainterRows({RuleRow::PanDigital}), DrawPanDigitalEntries},
};

} // namespace

void DrawOverCellMarks(const PaintContext &ctx, const CGridDraw &painter) {
  for (const GridPainter &marks : kOverCellPainters)
    if (RuleShown(ctx, painter, marks.Rows))
      marks.Draw(ctx, painter);
}

VariantWords CellSetMarkRows() {
  return PaintedRows(kUnitLinePainters) | PaintedRows(kCellSetPainters) | PaintedRows(kOverCellPainters);
}

} // namespace quorbel
