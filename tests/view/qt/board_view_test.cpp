// The board view rendered offscreen: what the cells, candidates, lines and panels look like.
#include <QtTest>

#include "tests/view/qt/view_test_support.h"

using namespace quorbel;
using namespace quorbel::testing;

class BoardViewTest : public QObject {
  Q_OBJECT

private slots:
  void ShotsForLooking() {
    BoardFixture board;
    board.LoadPuzzle(5, FirstPuzzle("puzzles-9.txt"));
    board.General().probType = 2;
    board.view->Switches().PossDisplayOn = 1;
    board.view->Switches().PossDisplayLevel = 4;
    board.view->SetFocusCell(1, 0);
    board.Render("nine");
    BoardFixture big;
    big.LoadPuzzle(8, FirstPuzzle("puzzles-16.txt"));
    big.General().probType = 2;
    big.view->Switches().PossDisplayOn = 1;
    big.view->Switches().PossDisplayLevel = 4;
    big.Render("sixteen");
    BoardFixture many;
    many.LoadPuzzle(5, FirstPuzzle("puzzles-9.txt"), 5);
    many.Render("five");
  }
};

QTEST_MAIN(BoardViewTest)
#include "board_view_test.moc"
