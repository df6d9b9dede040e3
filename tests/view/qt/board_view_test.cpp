// The board view rendered offscreen and checked by its pixels: values and candidates in their
// colours and boxes, conflicts, the selected cell, block and cell lines on every shape, grids
// laid out side by side, the pause, the clock panel, the message panel and its links, and
// single-cell repaints.
#include <QtTest>

#include "app/game_clock.h"
#include "app/panel_text.h"
#include "engine/cell_actions.h"
#include "engine/comparison_editors.h"
#include "engine/grid_removal.h"
#include "engine/sum_clue_editors.h"
#include "tests/view/qt/view_test_support.h"
#include "view/qt/cell_painter.h"
#include "view/qt/paint_tools.h"
#include "view/qt/value_cursors.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

constexpr ColorRef kGivenInk = MakeColorRef(20, 120, 20);
constexpr ColorRef kPlacedInk = MakeColorRef(180, 30, 160);
constexpr int kShapeOf9 = 5;
constexpr int kShapeOf16 = 8;

// A cell's inside, clear of its frame and thick sides.
CellRect Inside(const CGridDraw &painter, int cell) {
  const int margin = static_cast<int>(painter.BorderBlock) + 2;
  return painter.InnerRect[cell].Inset(margin, margin);
}

// A point of the cell's ground: near its top-left corner, where no symbol is drawn.
ColorRef GroundOf(const QImage &image, const CGridDraw &painter, int cell) {
  const CellRect inside = Inside(painter, cell);
  return PixelAt(image, inside.left, inside.top);
}

// The run of `colour` through (x, y) along a row (dx 1) or a column (dy 1).
int RunLength(const QImage &image, int x, int y, int dx, int dy, ColorRef colour) {
  if (PixelAt(image, x, y) != colour)
    return 0;
  int run = 1;
  for (int k = 1; PixelAt(image, x - k * dx, y - k * dy) == colour; ++k)
    ++run;
  for (int k = 1; PixelAt(image, x + k * dx, y + k * dy) == colour; ++k)
    ++run;
  return run;
}

const char *PuzzleFileOfShape(int shape) {
  static const char *const kFiles[kShapeCount] = {"puzzles-4.txt",  "puzzles-6.txt",  "puzzles-6.txt",
                                                  "puzzles-8.txt",  "puzzles-8.txt",  "puzzles-9.txt",
                                                  "puzzles-12.txt", "puzzles-12.txt", "puzzles-16.txt"};
  return kFiles[shape];
}

} // namespace

class BoardViewTest : public QObject {
  Q_OBJECT

private slots:
  void GivenAndPlacedValuesAreDrawnInTheirColoursOnTheirGrounds() {
    BoardFixture board;
    board.Colours().ColInit = kGivenInk;
    board.Colours().ColInput = kPlacedInk;
    SetGridShape(board.Engine(), kShapeOf9, 1, 0);
    GridRecord &grid = board.Engine().Grids.Main[0];
    SetCellValue(board.Engine(), grid, 0, 5, kActionGive);
    SetCellValue(board.Engine(), grid, 1, 3, kActionPlace);
    board.Update();
    const QImage &image = board.Render("values");
    const CGridDraw &painter = board.Painter();
    QVERIFY(CountPixels(image, Inside(painter, 0), kGivenInk) > 20);
    QCOMPARE(CountPixels(image, Inside(painter, 0), kPlacedInk), 0);
    QVERIFY(CountPixels(image, Inside(painter, 1), kPlacedInk) > 20);
    QCOMPARE(GroundOf(image, painter, 0), board.Colours().ColBgCase);
    QCOMPARE(GroundOf(image, painter, 1), board.Colours().ColBgSingle);
    QCOMPARE(CountPixels(image, Inside(painter, 2), kPlacedInk), 0); // an empty cell shows nothing
  }

  void CandidatesSitInTheirMatrixBoxes() {
    BoardFixture board;
    SetGridShape(board.Engine(), kShapeOf9, 1, 0);
    SetCellValue(board.Engine(), board.Engine().Grids.Main[0], 0, 5, kActionPlace);
    board.Update(); // cell 10 shares the first block: 5 is no longer a candidate there
    board.General().probType = 2;
    board.view->Switches().PossDisplayOn = 1;
    board.view->Switches().PossDisplayLevel = kPossLevelAll;
    const QImage &image = board.Render("matrix");
    const CGridDraw &painter = board.Painter();
    const ColorRef possible = board.Colours().ColPossible;
    const CellRect boxOf2 = SymbolRect(painter, 10, 1, false);
    const CellRect boxOf5 = SymbolRect(painter, 10, 4, false);
    QVERIFY(CountPixels(image, boxOf2, possible) > 5);
    QCOMPARE(CountPixels(image, boxOf2, kAbsentCandidate), 0);
    QCOMPARE(CountPixels(image, boxOf5, possible), 0);
    QVERIFY(CountPixels(image, boxOf5, kAbsentCandidate) > 5);
    // Not in the box of its neighbour either: each value stays in its own box.
    QCOMPARE(CountPixels(image, SymbolRect(painter, 10, 0, false), kAbsentCandidate), 0);

    board.General().displayMatAll = 0; // the impossible values are left out
    QCOMPARE(CountPixels(board.Render(), boxOf5, kAbsentCandidate), 0);
    board.view->Switches().PossDisplayOn = 0; // and without the display level, so are the others
    QCOMPARE(CountPixels(board.Render(), boxOf2, possible), 0);
  }

  void ProbablesStyleShowsTheCandidatesInTheSmallRows() {
    BoardFixture board;
    SetGridShape(board.Engine(), kShapeOf9, 1, 0);
    board.Update();
    board.General().probType = 3;
    const QImage &image = board.Render();
    const CGridDraw &painter = board.Painter();
    QVERIFY(CountPixels(image, BarSymbolRect(painter, board.Engine().Geo, 40, 0, false),
                        board.Colours().ColPossible) > 3);
    QVERIFY(CountPixels(image, BarSymbolRect(painter, board.Engine().Geo, 40, 8, false),
                        board.Colours().ColPossible) > 3);
  }

  void CandidateStringsFollowTheDisplayLevelAndFitFifteenSymbols() {
    BoardFixture board;
    SetGridShape(board.Engine(), kShapeOf16, 1, 0);
    board.General().gridCurrDisp = static_cast<int32_t>(kSymbolLetters);
    GridRecord &grid = board.Engine().Grids.Main[0];
    const GridGeometry &geo = board.Engine().Geo;
    test::MakeOpenCell(geo, grid.Cells[0], {3, 7});
    test::MakeOpenCell(geo, grid.Cells[1], {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    test::MakeOpenCell(geo, grid.Cells[2], {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    const ColorRef possible = board.Colours().ColPossible;
    board.view->Switches().PossDisplayOn = 1;
    board.view->Switches().PossDisplayLevel = 0; // cells of one candidate only
    QCOMPARE(CountPixels(board.Render(), Inside(board.Painter(), 0), possible), 0);
    board.view->Switches().PossDisplayLevel = 1; // up to two
    QVERIFY(CountPixels(board.Render(), Inside(board.Painter(), 0), possible) > 10);
    board.view->Switches().PossDisplayLevel = kPossLevelAll;
    const QImage &image = board.Render();
    QVERIFY(CountPixels(image, Inside(board.Painter(), 1), possible) > 10);
    QCOMPARE(CountPixels(image, Inside(board.Painter(), 2), possible), 0); // sixteen symbols: none drawn
  }

  void ACandidateStringTooWideForItsFontTakesASmallerOneOrMoreLines() {
    BoardFixture board;
    const FontTable &fonts = board.view->Fonts();
    for (const QString &text : {QStringLiteral("1234569"), QStringLiteral("123456789ABCDEF")}) {
      for (int side : {24, 32, 48}) {
        const CellRect rect{10, 20, 10 + side, 20 + side};
        const int font = 40; // far too large for the cell
        const TextPlacement placement = PlaceCentredText(text, rect, fonts, font);
        QCOMPARE(placement.Baselines.size(), static_cast<size_t>(text.size()));
        QVERIFY(placement.Font < font);
        const QFontMetrics &metrics = fonts.Metrics(placement.Font);
        for (qsizetype i = 0; i < text.size(); ++i) {
          const QPoint at = placement.Baselines[static_cast<size_t>(i)];
          QVERIFY2(at.x() >= rect.left && at.x() + metrics.horizontalAdvance(text[i]) <= rect.right,
                   qPrintable(text + QStringLiteral(" in ") + QString::number(side)));
          QVERIFY(at.y() - metrics.ascent() >= rect.top && at.y() + metrics.descent() <= rect.bottom);
        }
      }
    }
    // Six candidates read as one string: never "12345" above "6".
    const CellRect cell{0, 0, 44, 44};
    const TextPlacement six = PlaceCentredText(QStringLiteral("123456"), cell, fonts, 40);
    for (const QPoint &at : six.Baselines)
      QCOMPARE(at.y(), six.Baselines.front().y());
  }

  // No stripe of the ground beside a block line, nor across the grid's outer frame.
  void TheBlockLinesFillTheSpaceBetweenTheBlocks() {
    for (const auto &[width, height] : {std::pair{1280, 960}, std::pair{1000, 700}})
      for (const int shape : {0, kShapeOf9}) {
        BoardFixture board(width, height);
        board.LoadPuzzle(shape, FirstPuzzle(shape == 0 ? "puzzles-4.txt" : "puzzles-9.txt"));
        const QImage &image = board.Render();
        const CGridDraw &painter = board.Painter();
        const GridGeometry &geo = board.Engine().Geo;
        const CellRect &before = painter.OuterRect[geo.BlockCols - 1];
        const CellRect &after = painter.OuterRect[geo.BlockCols];
        for (int x = before.right; x < after.left; ++x)
          for (const int y : {before.top, (before.top + before.bottom) / 2})
            QCOMPARE(PixelAt(image, x, y), board.Colours().ColBorder);
      }
  }

  void TheViewsToolsMarkCells() {
    BoardFixture board;
    board.LoadPuzzle(kShapeOf9, FirstPuzzle("puzzles-9.txt"));
    GridRecord &grid = board.Engine().Grids.Main[0];
    board.General().probType = 0;
    SetCellValue(board.Engine(), grid, 1, 2, kActionPlace);
    board.Engine().Grids.RefTab[0].Cells[1].Value = 3; // the solution says otherwise
    grid.Cells[2].CellHighlight = 1;
    board.view->Switches().ShowDiff = 1;
    const QImage &image = board.Render("tools");
    const CGridDraw &painter = board.Painter();
    QCOMPARE(GroundOf(image, painter, 1), kWrongValueBackground);
    const CellRect &disk = painter.OuterRect[2];
    QCOMPARE(PixelAt(image, disk.left + disk.Width() / 2, disk.top + disk.Height() / 2),
             ScaleColour(board.Colours().ColBgCase, kHighlightBrightening));
    QCOMPARE(CountPixels(image, Inside(painter, 3), board.Colours().ColPossible), 0);
    board.view->Switches().ShowSearchProb = 1; // an empty cell shows how many candidates it has
    QVERIFY(CountPixels(board.Render(), Inside(painter, 3), board.Colours().ColPossible) > 10);
  }

  void AConflictIsDrawnInTheConflictColours() {
    BoardFixture board;
    SetGridShape(board.Engine(), kShapeOf9, 1, 0);
    GridRecord &grid = board.Engine().Grids.Main[0];
    SetCellValue(board.Engine(), grid, 0, 7, kActionPlace);
    SetCellValue(board.Engine(), grid, 4, 7, kActionPlace);
    board.Update();
    const CGridDraw &painter = board.Painter();
    const BoardColours &colours = board.Colours();
    QImage image = board.Render();
    QCOMPARE(GroundOf(image, painter, 4), colours.ColBgSingle);
    QCOMPARE(CountPixels(image, Inside(painter, 4), colours.ColBad), 0);

    board.view->Switches().ShowWarning = 1;
    image = board.Render("conflict");
    QCOMPARE(GroundOf(image, painter, 4), colours.ColBgBad);
    QVERIFY(CountPixels(image, Inside(painter, 4), colours.ColBad) > 20);
    QCOMPARE(GroundOf(image, painter, 7), colours.ColBgBad);   // an empty cell of the same row
    QCOMPARE(GroundOf(image, painter, 40), colours.ColBgCase); // elsewhere
  }

  void TheSelectedCellIsBrighterAndFramedInBlue() {
    BoardFixture board;
    SetGridShape(board.Engine(), kShapeOf9, 1, 0);
    board.view->SetFocusCell(40, 0);
    const QImage &image = board.Render("selected");
    const CGridDraw &painter = board.Painter();
    const ColorRef ground = board.Colours().ColBgCase;
    QCOMPARE(GroundOf(image, painter, 41), ground);
    QCOMPARE(GroundOf(image, painter, 40), ScaleColour(ground, kSelectedBrightening));
    QVERIFY(GroundOf(image, painter, 40) != ground);
    QCOMPARE(PixelAt(image, painter.InnerRect[40].left, painter.InnerRect[40].top + 10), kSelectedBorder);
  }

  void BlockLinesAreThickerThanCellLinesOnEveryShape() {
    for (int shape = 0; shape < kShapeCount; ++shape) {
      BoardFixture board;
      board.LoadPuzzle(shape, FirstPuzzle(PuzzleFileOfShape(shape)));
      const QImage &image = board.Render(shape == 0 ? "shape4" : nullptr);
      const GridGeometry &geo = board.Engine().Geo;
      const CGridDraw &painter = board.Painter();
      const ColorRef border = board.Colours().ColBorder;
      const CellRect &first = painter.OuterRect[0];
      const int y = first.top + first.Height() / 2;
      const int x = first.left + first.Width() / 2;
      int thinnestBlock = 1000;
      int thickestCell = 0;
      for (int k = 1; k < geo.GridWidth; ++k) {
        // Where the layout puts the line: between column k - 1 and column k, and row k - 1 and k.
        const int across = RunLength(image, painter.OuterRect[k].left, y, 1, 0, border);
        const int down = RunLength(image, x, painter.OuterRect[k * geo.NCols].top, 0, 1, border);
        QVERIFY2(across > 0 && down > 0, qPrintable(QStringLiteral("shape %1 line %2").arg(shape).arg(k)));
        if (k % geo.BlockCols == 0)
          thinnestBlock = std::min(thinnestBlock, across);
        else
          thickestCell = std::max(thickestCell, across);
        if (k % geo.BlockRows == 0)
          thinnestBlock = std::min(thinnestBlock, down);
        else
          thickestCell = std::max(thickestCell, down);
      }
      QVERIFY2(thinnestBlock > thickestCell, qPrintable(QStringLiteral("shape %1").arg(shape)));
      QVERIFY(CountPixels(image, Inside(painter, 0), board.Colours().ColInit) > 0 ||
              board.Engine().Grids.Main[0].Cells[0].Value == 0);
    }
  }

  void OneTwoAndTwelveGridsLieSideBySideInsideTheBoard() {
    for (int grids : {1, 2, 12}) {
      BoardFixture board;
      board.Colours().ColInit = kGivenInk;
      board.LoadPuzzle(kShapeOf9, FirstPuzzle("puzzles-9.txt"), grids);
      const QImage &image = board.Render(grids == 12 ? "twelve" : nullptr);
      const CellRect &area = board.view->Layout().Board;
      const int last = board.Engine().Geo.NCells - 1;
      std::vector<CellRect> bounds;
      for (int slot = 0; slot < grids; ++slot) {
        const CGridDraw &painter = board.Painter(slot);
        const CellRect box{painter.OuterRect[0].left, painter.OuterRect[0].top, painter.OuterRect[last].right,
                           painter.OuterRect[last].bottom};
        QVERIFY(box.left >= area.left && box.right <= area.right && box.top >= area.top &&
                box.bottom <= area.bottom);
        for (const CellRect &other : bounds)
          QVERIFY(!box.Intersects(other));
        bounds.push_back(box);
        // The first cell holds the puzzle's 4 in every grid.
        QVERIFY(CountPixels(image, painter.OuterRect[0], kGivenInk) > 0);
      }
      if (grids == 1)
        QVERIFY(bounds[0].Width() > area.Width() / 2);
    }
  }

  void LinkedCellsShowTheirLinksColourInBothGrids() {
    BoardFixture board;
    board.LoadPuzzle(kShapeOf9, FirstPuzzle("puzzles-9.txt"), 2);
    GridRecord &first = board.Engine().Grids.Main[0];
    first.GridVar |= kVarTwinsRelation | kVarTwinsRelationMultiple;
    board.Engine().Grids.Main[1].GridVar |= kVarTwinsRelation | kVarTwinsRelationMultiple;
    first.Lists.TwinsRelation.Append({10, 20, 1});
    TwinsMultipleGroup group;
    group.NCells = 1;
    group.OtherGrid = 1;
    group.Cells[0] = 30;
    group.OtherCells[0] = 40;
    first.Lists.TwinsMultiple.Append(group);
    board.Update();
    const QImage &image = board.Render("twins");
    const ColorRef first_link = kValueColours[0];
    QVERIFY(CountPixels(image, board.Painter(0).OuterRect[10], first_link) > 0);
    QVERIFY(CountPixels(image, board.Painter(1).OuterRect[20], first_link) > 0);
    QCOMPARE(CountPixels(image, board.Painter(0).OuterRect[11], first_link), 0);
    QVERIFY(CountPixels(image, board.Painter(1).OuterRect[40], first_link) > 0);
  }

  void TheLegendNamesTheShownRulesUnderTheNumberBar() {
    BoardFixture board;
    board.LoadPuzzle(kShapeOf9, FirstPuzzle("puzzles-9.txt"));
    board.Engine().Grids.Main[0].GridVar = kVarDiagonal | kVarNoTouch;
    const QImage &image = board.Render("legend");
    const CQuorbelView &view = *board.view;
    QCOMPARE(view.Legend().size(), size_t{2});
    QCOMPARE(view.Legend()[0].Text, std::string(">>Diagonal")); // the one grid shown is the current one
    const CellRect &line = view.Layout().Legend[0];
    QVERIFY(line.top >= view.Layout().Slots[9].bottom);
    QVERIFY(CountPixels(image, line, board.Colours().ColInit) > 10);
    board.view->Switches().VarMask = {0x1, 0}; // hidden rules leave the legend
    board.Render();
    QVERIFY(board.view->Legend().empty());
  }

  void LineAndColumnLabelsShowTheValuesStillFree() {
    BoardFixture board;
    board.General().displayLines = 1;
    board.LoadPuzzle(kShapeOf9, FirstPuzzle("puzzles-9.txt"));
    board.view->Switches().ShowPossLineCol = 1;
    const QImage &image = board.Render("labels");
    const GridGeometry &geo = board.Engine().Geo;
    const CGridDraw &painter = board.Painter();
    for (int record : {geo.RowUnitBase, geo.ColUnitBase + 8}) {
      const CellRect &label = painter.OuterRect[record];
      QVERIFY(label.IsShown());
      QVERIFY(CountPixels(image, label, board.Colours().ColPossible) > 10);
    }
  }

  void PauseHidesTheBoardButNotThePanels() {
    BoardFixture board;
    board.LoadPuzzle(kShapeOf9, FirstPuzzle("puzzles-9.txt"));
    board.app->State().SetPaused(true);
    const QImage &image = board.Render("pause");
    const ViewLayout &layout = board.view->Layout();
    QVERIFY(CountPixels(image, layout.Board, 0x821481) > 100);
    QCOMPARE(CountPixels(image, layout.Board, board.Colours().ColBgSingle), 0);
    QVERIFY(CountPixels(image, layout.Slots[0], board.Colours().ColBgCase) > 0);
  }

  void TheClockPanelWritesTheTimeInDigitsNotBoxes() {
    BoardFixture board;
    board.LoadPuzzle(kShapeOf9, FirstPuzzle("puzzles-9.txt"));
    board.app->Settings().game.mode = kModeChampion;
    board.view->Clock().Elapsed = 0; // "00:00"
    const QImage &image = board.Render("clock");
    const ColorRef ink = board.Colours().ColInput;
    const CellRect &panel = board.view->Layout().Clock;
    const auto inkAt = [&](int x, int y) { return PixelAt(image, x, y) == ink; };
    const auto columnHasInk = [&](int x) {
      return CountPixels(image, {x, panel.top, x + 1, panel.bottom}, ink) > 0;
    };
    // The first glyph: the first run of columns with ink, and its rows.
    int left = panel.left;
    while (left < panel.right && !columnHasInk(left))
      ++left;
    int right = left;
    while (right < panel.right && columnHasInk(right))
      ++right;
    QVERIFY(right - left >= 3);
    int top = panel.bottom, bottom = panel.top;
    for (int y = panel.top; y < panel.bottom; ++y)
      if (CountPixels(image, {left, y, right, y + 1}, ink) > 0) {
        top = std::min(top, y);
        bottom = y;
      }
    QVERIFY(bottom - top >= 7);
    // A zero is round: its box's corners hold no ink, where a box drawn of bars fills them.
    QVERIFY(!inkAt(left, top) && !inkAt(right - 1, top) && !inkAt(left, bottom) && !inkAt(right - 1, bottom));
  }

  void MessagesShowNewestFirstAndOnlyOurOwnLinksAct() {
    BoardFixture board;
    QList<QUrl> opened;
    board.view->OpenUrl = [&opened](const QUrl &url) {
      opened << url;
      return true;
    };
    MessageRing &ring = board.app->Messages();
    ring.AddInfoMessage(OwnText("The log is in !Quorbel.sudlog!-2!"));
    ring.AddInfoMessage(PanelText::Plain("A peer wrote !evil!-2!"));
    ring.AddInfoMessage(OwnText("See !the help!5! for the rules"));
    board.Render("messages");
    const CellRect &panel = board.view->Layout().Message;

    const CComLine &newest = ring.Line(ring.NewestIndex());
    const SegmentRect help = newest.Rects[2];
    QVERIFY(panel.Contains(help.x, help.y));
    const CComLine &oldest = ring.Line(ring.NewestIndex() - 2);
    QVERIFY(oldest.Rects[2].y > help.y); // drawn below the newest
    // The peer's "!evil!-2!" stays text: a click on it does nothing.
    const CComLine &peer = ring.Line(ring.NewestIndex() - 1);
    QCOMPARE(peer.SegmentCount, 2);
    QVERIFY(!board.view->MessagePanelClick(peer.Rects[1].x + peer.Rects[1].width - 3, peer.Rects[1].y + 3));
    QVERIFY(opened.isEmpty());

    QVERIFY(board.view->MessagePanelClick(help.x + 2, help.y + 2));
    QVERIFY(board.dialogs.Asked().last().contains(QStringLiteral("Help is not installed")));
    QVERIFY(board.view->MessagePanelClick(oldest.Rects[2].x + 2, oldest.Rects[2].y + 2));
    QCOMPARE(opened.size(), 1);
    QVERIFY(opened[0].isLocalFile());
    QVERIFY(opened[0].toLocalFile().endsWith(QStringLiteral("Quorbel.sudlog")));
    QVERIFY(!board.view->MessagePanelClick(panel.left - 5, panel.top + 5));
  }

  void RedrawCellRepaintsThatCellAlone() {
    BoardFixture board;
    board.LoadPuzzle(kShapeOf9, FirstPuzzle("puzzles-9.txt"));
    const QImage before = board.Render().copy();
    const CGridDraw &painter = board.Painter();
    SetCellValue(board.Engine(), board.Engine().Grids.Main[0], 1, 6, kActionPlace);
    SetCellValue(board.Engine(), board.Engine().Grids.Main[0], 2, 6, kActionPlace);
    board.view->RedrawCell(0, 1);
    const QImage &after = board.view->PaintDC();
    QVERIFY(CountPixels(after, Inside(painter, 1), board.Colours().ColInput) > 20);
    QCOMPARE(CountPixels(after, Inside(painter, 2), board.Colours().ColInput), 0); // not redrawn
    QCOMPARE(after.copy(ToQRect(painter.OuterRect[40])), before.copy(ToQRect(painter.OuterRect[40])));
  }

  void RedrawnCellsLeaveTheirNeighboursLinesAsTheWholeBoardDrawsThem() {
    BoardFixture board;
    board.LoadPuzzle(kShapeOf9, FirstPuzzle("puzzles-9.txt"));
    const QImage whole = board.Render().copy();
    // As the animations at the end of a game do: every cell again, one by one.
    for (int cell = 80; cell >= 0; --cell)
      board.view->RedrawCell(0, cell);
    QCOMPARE(board.view->PaintDC(), whole);
  }

  // The end of a game animates every cell; while a challenge's lines stand in place of the
  // board, no cell comes back over them.
  void NoCellIsDrawnOverTheChallengesLines() {
    BoardFixture board;
    board.LoadPuzzle(kShapeOf9, FirstPuzzle("puzzles-9.txt"));
    board.app->State().StartChallenge();
    const QImage lines = board.Render().copy();
    for (int cell = 0; cell < 81; ++cell)
      board.view->RedrawCell(0, cell);
    QCOMPARE(board.view->PaintDC(), lines);
  }

  void APrintedPageHoldsTheTitleAndTheGridsOnWhite() {
    BoardFixture board;
    board.LoadPuzzle(kShapeOf9, FirstPuzzle("puzzles-9.txt"));
    board.view->SetFocusCell(5, 0); // a selection the page must not show
    board.Render();
    const CellRect screen = board.Painter().BoardRect;
    QImage page(850, 1100, QImage::Format_RGB32); // a letter page at 100 dots an inch
    page.fill(Qt::gray);
    {
      QPainter dc(&page);
      board.view->PaintPage(dc, page.rect(), 100);
    }
    const CellRect whole{0, 0, page.width(), page.height()};
    QCOMPARE(PixelAt(page, 1, 1), ColorRef{0xFFFFFF});
    QCOMPARE(PixelAt(page, page.width() - 2, page.height() - 2), ColorRef{0xFFFFFF});
    QCOMPARE(CountPixels(page, whole, board.Colours().ColBgEcran), 0);    // no board ground
    QCOMPARE(CountPixels(page, whole, kSelectedBorder), 0);               // no selection frame
    QVERIFY(CountPixels(page, whole, board.Colours().ColBgCase) > 10000); // the cells, page-sized
    QVERIFY(CountPixels(page, {0, 0, page.width(), 60}, 0x000000) > 50);  // the title
    QCOMPARE(board.Painter().BoardRect, screen);                          // the screen's layout back
  }

  void AGridTakenOutOfTheSetLeavesNoTabBehind() {
    BoardFixture board;
    board.LoadPuzzle(kShapeOf9, FirstPuzzle("puzzles-9.txt"), 3);
    board.Render();
    const CellRect lastTab = board.view->GridTabs().back().Box;
    QCOMPARE(RemoveGridFromSet(board.Engine(), 1), 2);
    const QImage &image = board.Render();
    QCOMPARE(board.view->GridTabs().size(), size_t{3}); // the whole set, then one tab a grid
    QCOMPARE(CountPixels(image, lastTab, board.Colours().ColBorder), 0);
  }

  void ACellWhoseEntryEffectRunsIsRepaintedEachSecond() {
    BoardFixture board;
    board.LoadPuzzle(kShapeOf9, FirstPuzzle("puzzles-9.txt"));
    board.Render();
    GridRecord &grid = board.Engine().Grids.Main[0];
    SetCellValue(board.Engine(), grid, 1, 6, kActionPlace);
    SetCellValue(board.Engine(), grid, 2, 6, kActionPlace);
    (*board.view->Animations().Of(board.Engine(), 0, 1))[kValuePicture].EffectCountdown =
        5; // flashing; not cell 2
    board.view->Input().Entry.TimerOn = 1;
    board.view->OnClockTimer();
    const QImage &after = board.view->PaintDC();
    QVERIFY(CountPixels(after, Inside(board.Painter(), 1), board.Colours().ColInput) > 20);
    QCOMPARE(CountPixels(after, Inside(board.Painter(), 2), board.Colours().ColInput), 0);
  }

  void CandidateStringsStayInsideTheirCellAndClearOfACagesTotal() {
    BoardFixture board;
    board.LoadPuzzle(kShapeOf9, FirstPuzzle("puzzles-9.txt"));
    GridRecord &grid = board.Engine().Grids.Main[0];
    const GridGeometry &geo = board.Engine().Geo;
    board.view->Switches().PossDisplayOn = 1;
    board.view->Switches().PossDisplayLevel = kPossLevelAll;
    const int open = static_cast<int>(FirstPuzzle("puzzles-9.txt").find('0'));
    test::MakeOpenCell(geo, grid.Cells[open], {1, 4, 6, 8, 9});
    const QImage &image = board.Render("five-candidates");
    const CellRect inner = board.Painter().InnerRect[open];
    const ColorRef possible = board.Colours().ColPossible;
    // Every stroke of the five symbols lies inside the ground, clear of the frame drawn over its edges.
    QVERIFY(CountPixels(image, inner, possible) > 40);
    const int clear = static_cast<int>(board.Painter().BorderCell) + 1;
    QCOMPARE(CountPixels(image, {inner.left, inner.top, inner.left + clear, inner.bottom}, possible), 0);
    QCOMPARE(CountPixels(image, {inner.right - clear, inner.top, inner.right, inner.bottom}, possible), 0);

    ToggleKillerCage(geo, grid, std::vector<int>{open}, 0, board.Engine().Grids.RefTab[0]);
    grid.Lists.Killer.Items[0].Target = 17;
    grid.GridVar |= kVarKillerSum;
    board.Colours().ColInit = kGivenInk; // the total's ink, apart from the cage's lines
    const QImage &caged = board.Render("caged-candidates");
    QVERIFY(CountPixels(caged, inner, possible) > 40);
    // The total's figures end above the first row of the candidates.
    auto rowsOf = [&](ColorRef colour) {
      std::pair<int, int> rows{inner.bottom, inner.top};
      for (int y = inner.top; y < inner.bottom; ++y)
        if (CountPixels(caged, {inner.left, y, inner.right, y + 1}, colour) > 0)
          rows = {std::min(rows.first, y), std::max(rows.second, y)};
      return rows;
    };
    const auto total = rowsOf(kGivenInk);
    QVERIFY(total.first < total.second);
    QVERIFY(rowsOf(possible).first > total.second);

    // The matrix of candidates too: its first row ends up below the total, "1" apart from "17".
    board.General().probType = 2;
    const QImage &matrix = board.Render("caged-matrix");
    const auto matrixTotal = rowsOf(kGivenInk);
    QVERIFY(matrixTotal.first < matrixTotal.second);
    QVERIFY(CountPixels(matrix, inner, possible) > 40);
    QVERIFY(rowsOf(possible).first > matrixTotal.second);
  }

  void AParityLetterGrowsWithItsCellWhateverTheProbablesRow() {
    BoardFixture board(1600, 1150);
    board.LoadPuzzle(kShapeOf9, FirstPuzzle("puzzles-9.txt"));
    GridRecord &grid = board.Engine().Grids.Main[0];
    const int open = static_cast<int>(FirstPuzzle("puzzles-9.txt").find('0'));
    ToggleOddEvenCell(board.Engine().Geo, grid, open, 1);
    grid.GridVar |= kVarOdd;
    board.Update();
    board.Colours().ColInit = kGivenInk;
    // The rows the letter's ink takes, in the cell's upper third.
    auto letterHeight = [&](int probablesRow) {
      board.General().haut19 = probablesRow;
      const QImage &image = board.Render("parity-letter");
      const CellRect &cell = board.Painter().OuterRect[open];
      int first = cell.bottom;
      int last = cell.top;
      for (int y = cell.top; y < cell.top + cell.Height() / 3; ++y)
        if (CountPixels(image, {cell.left, y, cell.right, y + 1}, kGivenInk) > 0) {
          first = std::min(first, y);
          last = std::max(last, y);
        }
      return last - first + 1;
    };
    const int height = letterHeight(10);
    QVERIFY2(height >= board.Painter().OuterRect[open].Height() / 5, qPrintable(QString::number(height)));
    QCOMPARE(letterHeight(0), height);
  }

  void MovingTheFocusRepaintsTheOldAndTheNewCell() {
    BoardFixture board;
    SetGridShape(board.Engine(), kShapeOf9, 1, 0);
    const QImage &image = board.Render();
    const CGridDraw &painter = board.Painter();
    const ColorRef bright = ScaleColour(board.Colours().ColBgCase, kSelectedBrightening);
    QCOMPARE(board.view->MoveFocusToCell(0, 10), 0);
    QCOMPARE(GroundOf(image, painter, 10), bright);
    QCOMPARE(board.view->MoveFocusToCell(0, 20), 0);
    QCOMPARE(GroundOf(image, painter, 10), board.Colours().ColBgCase);
    QCOMPARE(GroundOf(image, painter, 20), bright);
    QCOMPARE(board.view->MoveFocusToCell(0, 20), 1); // already there
  }

  void PicturesModeDrawsTheValuesPictureWithItsEntryEffect() {
    BoardFixture board;
    SetGridShape(board.Engine(), kShapeOf9, 1, 0);
    GridRecord &grid = board.Engine().Grids.Main[0];
    // Value 2 shows picture 5: a plain green square.
    PictureOrderTable &order = board.Engine().Settings.PictureOrder;
    order[1] = 5;
    CBitMapGif &set = board.app->CellPictures().Sets[5];
    set.Frames[0].Create(8, 8, 24, kPictureBmp);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        set.Frames[0].SetPixelColor(x, y, RgbPixel(0, 200, 0));
    set.FrameCount = 1;
    SetCellValue(board.Engine(), grid, 0, 2, kActionPlace);
    board.Update();
    constexpr ColorRef kGreen = 0x00C800;
    QCOMPARE(CountPixels(board.Render(), Inside(board.Painter(), 0), kGreen), 0); // digits first
    board.view->Input().SetSymbolMode(kSymbolPictures, 0);
    const CellRect inside = Inside(board.Painter(), 0);
    QVERIFY(CountPixels(board.Render("pictures"), inside, kGreen) > inside.Width() * inside.Height() / 2);
    // Half-way through an entry effect the bar comes back alone: no picture.
    CAnimGif &picture = (*board.view->Animations().Of(board.Engine(), 0, 0))[kValuePicture];
    picture.EffectKind = kEffectFromTop;
    picture.EffectCountdown = kEffectLength / 2;
    QCOMPARE(CountPixels(board.Render(), inside, kGreen), 0);
  }

  void ATextCursorShowsItsSymbolAndATipAndLetsTheRestThrough() {
    FontTable fonts;
    const CursorImage cursor = MakeTextCursor(QStringLiteral("7x"), fonts.Font(20));
    QVERIFY(cursor.At(0, 0) && cursor.At(7, 0) && cursor.At(0, 7));
    QVERIFY(!cursor.At(8, 1) && !cursor.At(39, 39) && !cursor.At(0, 39));
    int glyph = 0;
    for (int y = 10; y < 30; ++y)
      for (int x = 10; x < 30; ++x)
        glyph += cursor.At(x, y) ? 1 : 0;
    QVERIFY(glyph > 20);
    QVERIFY(cursor.Colour[20 * kCursorSide + 20] == PixelColour{}); // black ink
  }
};

QTEST_MAIN(BoardViewTest)
#include "board_view_test.moc"
