// Golden renders of the board's decorations: one small board per family of marks, drawn offscreen
// and compared with a picture kept under tests/data/golden, so a mark that goes missing, moves or
// changes colour fails. Set QUORBEL_UPDATE_GOLDEN=1 to write the pictures again after a change
// that is meant; a failing render is kept beside the build as "<name>-actual.png".
#include <QtTest>

#include "engine/comparison_editors.h"
#include "engine/digit_tables.h"
#include "engine/grid_cells.h"
#include "engine/sum_clue_editors.h"
#include "engine/twins_editors.h"
#include "tests/view/qt/view_test_support.h"
#include "view/chain_colouring.h"
#include "view/qt/variant_decorations.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

constexpr int kBoardWidth = 460;
constexpr int kBoardHeight = 340;
// A pixel counts as changed beyond this difference in a channel; a render passes while no more
// than this share of its pixels changed (font hinting may move an edge, never a mark).
constexpr int kChannelTolerance = 40;
constexpr double kChangedShare = 0.002;

// The board area of a render: every shown grid with its clues, without the panels.
QImage BoardOf(BoardFixture &board) {
  const QImage &image = board.Render();
  const CellRect &area = board.view->Layout().Board;
  return image.copy(area.left, area.top, area.Width(), area.Height());
}

int ChangedPixels(const QImage &a, const QImage &b) {
  int changed = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QColor p = a.pixelColor(x, y);
      const QColor q = b.pixelColor(x, y);
      if (std::abs(p.red() - q.red()) > kChannelTolerance ||
          std::abs(p.green() - q.green()) > kChannelTolerance ||
          std::abs(p.blue() - q.blue()) > kChannelTolerance)
        ++changed;
    }
  return changed;
}

// Compares with the kept picture; with QUORBEL_UPDATE_GOLDEN set, keeps this one instead.
void CompareWithGolden(const QImage &render, const char *name) {
  const QString golden = QStringLiteral(QUORBEL_TEST_DATA "/golden/") + QLatin1String(name) + ".png";
  if (qEnvironmentVariableIsSet("QUORBEL_UPDATE_GOLDEN")) {
    QDir().mkpath(QFileInfo(golden).path());
    QVERIFY(render.save(golden));
    return;
  }
  const QImage kept(golden);
  QVERIFY2(!kept.isNull(), qPrintable(golden + " is missing"));
  const QImage actual = render.convertToFormat(QImage::Format_RGB32);
  const QImage expected = kept.convertToFormat(QImage::Format_RGB32);
  const bool same = actual.size() == expected.size() &&
                    ChangedPixels(actual, expected) <= actual.width() * actual.height() * kChangedShare;
  if (!same)
    actual.save(QLatin1String(name) + "-actual.png");
  QVERIFY2(same, qPrintable(QStringLiteral("%1 differs from its golden picture").arg(name)));
}

struct SmallBoard : BoardFixture {
  explicit SmallBoard(int grids = 1) : BoardFixture(kBoardWidth, kBoardHeight) {
    LoadPuzzle(ShapeCodeOfSize(6), FirstPuzzle("puzzles-6.txt"), grids);
    General().displayComment = 0;
    view->Switches().PossDisplayOn = 1;
    view->Switches().PossDisplayLevel = kPossLevelAll;
  }
  GridRecord &Grid(int slot = 0) { return Engine().Grids.Main[static_cast<size_t>(slot)]; }
  const GridGeometry &Geo() { return Engine().Geo; }
};

} // namespace

class DecorationGoldenTest : public QObject {
  Q_OBJECT

private slots:
  // Cages with their totals clear of the candidates, a Little Killer sum beside the grid, an arrow.
  void SumClues() {
    SmallBoard board;
    GridRecord &grid = board.Grid();
    const GridRecord &ref = board.Engine().Grids.RefTab[0];
    ToggleKillerCage(board.Geo(), grid, std::vector<int>{0, 1, 6}, 0, ref);
    ToggleKillerCage(board.Geo(), grid, std::vector<int>{9, 10}, 0, ref);
    ToggleKillerCage(board.Geo(), grid, std::vector<int>{18, 24}, 0, ref); // across a block line
    grid.Lists.Killer.Items[0].Target = 15;
    grid.Lists.Killer.Items[1].Target = 7;
    grid.Lists.Killer.Items[2].Target = 5;
    ToggleLittleKillerClue(board.Geo(), 30, 5, grid, 21, ref);
    ToggleArrow(grid, std::vector<int>{20, 26, 32});
    grid.GridVar |= kVarKillerSum | kVarLittleKiller | kVarArrow;
    board.Update();
    CompareWithGolden(BoardOf(board), "sum-clues");
    // The outline goes on across the block line, in a casing of the cells' ground.
    const CGridDraw &painter = board.Painter();
    const CellRect &upper = painter.InnerRect[18];
    const CellRect &lower = painter.InnerRect[24];
    const QImage &image = board.Render();
    const CellRect &outer = painter.OuterRect[18];
    const int x = outer.right - 1 - std::max(2, outer.Width() / 10) - 1; // beside its right side
    int casing = 0;
    for (int y = upper.bottom; y < lower.top; ++y)
      casing += PixelAt(image, x, y) == board.Colours().ColBgCase ? 1 : 0;
    QCOMPARE(casing, lower.top - upper.bottom);
  }

  // Greater-than signs, an X, a V, a white dot and an odd cell's mark.
  void ComparisonMarks() {
    SmallBoard board;
    GridRecord &grid = board.Grid();
    ToggleComparisonMark(board.Geo(), 0, grid, 1, 8);
    ToggleComparisonMark(board.Geo(), 7, grid, 13, 9);
    ToggleComparisonMark(board.Geo(), 14, grid, 15, 2);
    ToggleComparisonMark(board.Geo(), 21, grid, 27, 3);
    ToggleComparisonMark(board.Geo(), 28, grid, 29, 4);
    ToggleOddEvenCell(board.Geo(), grid, 35, 1);
    grid.GridVar |= kVarLess | kVarXV | kVarDot | kVarOdd;
    board.Update();
    CompareWithGolden(BoardOf(board), "comparison-marks");
  }

  // Both diagonals, a domino's pips and a seven-segment figure in their cells.
  void CellSetMarks() {
    SmallBoard board;
    GridRecord &grid = board.Grid();
    grid.Lists.RegionOn[kRegionDiag1] = grid.Lists.RegionOn[kRegionDiag2] = 1;
    grid.GridVar |= kVarDiagonal | kVarDomino | kVarDigitalClock;
    ResetRegionTables(board.Geo(), grid);
    CellRecord &domino = grid.Cells[8];
    domino.AllowedType = kAllowedTypePips;
    domino.AllowedIndex = 0x145; // corners and centre: a five
    CellRecord &clock = grid.Cells[23];
    clock.AllowedType = kAllowedTypeSegments;
    clock.AllowedIndex = 0x4F; // top, both right, bottom and middle: a three
    CompareWithGolden(BoardOf(board), "cell-set-marks");
  }

  // Two linked grids: the Relation link's hatching in both, the Zone's tint on both blocks.
  void TwinsLinks() {
    SmallBoard board(2);
    GridRecord &first = board.Grid(0);
    ToggleTwinsRelation(first, 4, 4, 1);
    first.Lists.TwinsZone.Append({3, 3, 1});
    first.GridVar |= kVarTwinsRelation | kVarTwinsZone;
    board.Grid(1).GridVar |= kVarTwinsZone;
    board.Update();
    CompareWithGolden(BoardOf(board), "twins-links");
  }

  // The clues beside the grid: each frame shape, outside values read two ways, a Distance clue.
  void SideClues() {
    SmallBoard board;
    GridRecord &grid = board.Grid();
    FrameClues &frame = grid.Lists.Frame;
    frame.Kind[kSideTop][0] = 1; // a sum
    frame.Value[kSideTop][0] = 9;
    frame.Kind[kSideRight][1] = 2; // a product
    frame.Value[kSideRight][1] = 120;
    frame.Kind[kSideBottom][2] = 6; // the place of the largest
    frame.Value[kSideBottom][2] = 3;
    frame.Kind[kSideLeft][3] = 3; // a skyscraper count
    frame.Value[kSideLeft][3] = 2;
    OutsideClues &outside = grid.Lists.Outside;
    outside.Kind[kSideTop][4] = 1;
    outside.Count[kSideTop][4] = 2;
    outside.Values[kSideTop][4][0] = 1;
    outside.Values[kSideTop][4][1] = 5;
    outside.Kind[kSideLeft][5] = 2;
    outside.Count[kSideLeft][5] = 2;
    outside.Values[kSideLeft][5][0] = 3;
    outside.Values[kSideLeft][5][1] = 4;
    grid.Lists.Distance.Append({2, 6, 3, 1, 0});
    grid.GridVar |= kVarFrameSum | kVarFrameProduct | kVarFrameMax | kVarSkyScraper | kVarOutside |
                    kVarOddview | kVarDistance;
    board.Update();
    CompareWithGolden(BoardOf(board), "side-clues");
  }

  // A rule that acts through its clues and has no painter would be played blind. Kimo's modulus
  // is written in the totals of the cages it changes.
  void EveryCluedRuleHasAPainter() {
    const VariantWords painted = PaintedRuleRows();
    for (const RuleDef &rule : RuleRegistry)
      if ((rule.Traits & kActsThroughClues) != 0 && rule.Row != RuleRow::Kimo)
        QVERIFY2(Meets(painted, rule.Bit), rule.NameEn.data());
  }

  // The colouring help: the chains of a value from a conjugate pair, one corner colour each.
  void ColouringChains() {
    SmallBoard board;
    board.view->Switches().ShowColouring = 1;
    const SelectionList none;
    QVERIFY(ColourValueChains(board.Engine(), none, 1, 0) >= 2);
    CompareWithGolden(BoardOf(board), "colouring-chains");
  }
};

QTEST_MAIN(DecorationGoldenTest)
#include "decoration_golden_test.moc"
