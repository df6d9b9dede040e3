// Shared by the board view's Qt tests: an application object with the board view beside it (no
// start-up, no settings store), puzzles loaded the way a player's grid is built, and pixel
// helpers. Set QUORBEL_VIEW_SHOTS to a folder to keep the rendered boards as PNG files.
#pragma once

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QWheelEvent>
#include <QtTest>
#include <memory>
#include <string>
#include <string_view>

#include "app/qt/main_frame.h"
#include "app/qt/quorbel_app.h"
#include "engine/grid_shape.h"
#include "engine/update_possibles.h"
#include "platform/qt/colour_ref.h"
#include "tests/app/qt/app_test_support.h"
#include "tests/engine/engine_test_support.h"
#include "view/qt/quorbel_view.h"

namespace quorbel::testing {

struct BoardFixture {
  explicit BoardFixture(int width = 1000, int height = 700) {
    app = std::make_unique<CQuorbelApp>(
        AppOptions{.dialogs = &dialogs, .headless = true, .startDirectory = {}});
    view = std::make_unique<CQuorbelView>(*app);
    view->resize(width, height);
  }

  EngineContext &Engine() { return app->Engine(); }
  GeneralSettings &General() { return app->Settings().general; }
  BoardColours &Colours() { return app->Colours(); }
  const CGridDraw &Painter(int slot = 0) { return view->Painter(slot); }

  // `grids` main grids of `shape`, each with the puzzle line (fixed cells), candidates computed.
  void LoadPuzzle(int shape, std::string_view line, int grids = 1) {
    SetGridShape(Engine(), shape, 1, 0);
    if (grids > 1)
      ResetGridSet(Engine(), grids);
    for (int slot = 0; slot < grids; ++slot)
      test::LoadPuzzleLine(Engine(), Engine().Grids.Main[static_cast<size_t>(slot)], line);
    UpdatePossibles(Engine(), -1, -1, -1, 1);
  }
  void Update() { UpdatePossibles(Engine(), -1, -1, -1, 1); }

  const QImage &Render(const char *shotName = nullptr) {
    const QImage &image = view->RenderView();
    if (shotName && qEnvironmentVariableIsSet("QUORBEL_VIEW_SHOTS")) {
      const QString folder = qEnvironmentVariable("QUORBEL_VIEW_SHOTS");
      QDir().mkpath(folder);
      image.save(folder + QLatin1Char('/') + QLatin1String(shotName) + QStringLiteral(".png"));
    }
    return image;
  }

  ScriptedDialogService dialogs;
  std::unique_ptr<CQuorbelApp> app;
  std::unique_ptr<CQuorbelView> view;
};

// The whole program started in English with the board view as its central widget.
struct FrameWithBoard {
  explicit FrameWithBoard(const AppTestHome &home) {
    home.Clear();
    home.WriteInt("GENERAL", "LANGUAGE", static_cast<int32_t>(Language::English));
    app = std::make_unique<CQuorbelApp>(AppOptions{
        .dialogs = &dialogs, .headless = false, .startDirectory = home.StartDirectory().toStdString()});
    InstallBoardView(*app);
    started = app->InitInstance({QStringLiteral("quorbel")}) && QTest::qWaitForWindowExposed(&Frame());
  }
  ~FrameWithBoard() {
    if (app && app->MainFrame())
      app->MainFrame()->hide();
  }
  CMainFrame &Frame() const { return *app->MainFrame(); }

  ScriptedDialogService dialogs;
  std::unique_ptr<CQuorbelApp> app;
  bool started = false;
};

// The program with a puzzle in play, driven as a player drives it: keys typed into the main
// window (so they reach whichever widget has the focus), clicks on the centres of cells.
struct PlayedBoard : FrameWithBoard {
  explicit PlayedBoard(const AppTestHome &home, int shape, std::string_view puzzle) : FrameWithBoard(home) {
    EngineContext &engine = app->Engine();
    SetGridShape(engine, shape, 1, 0);
    test::LoadPuzzleLine(engine, engine.Grids.Main[0], puzzle);
    UpdatePossibles(engine, -1, -1, -1, 1);
    // As a grid opened from a file: the board takes clicks and the clock runs.
    app->State().ShowGrid();
    app->State().StartNewGrid();
    View().ResetScoreState();
    View().StartGameClock(0);
    Frame().activateWindow();
    View().setFocus();
    View().repaint();
    QCoreApplication::processEvents();
  }

  CQuorbelView &View() const { return *GetCurrentView(*app); }
  EngineContext &Engine() const { return app->Engine(); }
  CellRecord &Cell(int cell, int slot = 0) const {
    return Engine().Grids.Main[static_cast<size_t>(slot)].Cells[static_cast<size_t>(cell)];
  }
  QPoint Centre(const CellRect &box) const {
    return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  }
  QPoint CellCentre(int cell, int slot = 0) const {
    return Centre(View().Painter(slot).OuterRect[static_cast<size_t>(cell)]);
  }
  void Type(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
    QTest::keyClick(Frame().windowHandle(), static_cast<Qt::Key>(key), modifiers);
  }
  void Click(QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
    QTest::mouseClick(&View(), Qt::LeftButton, modifiers, at);
  }
  void ClickCell(int cell, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
    Click(CellCentre(cell), modifiers);
  }
  // One notch of the wheel: `deltaY` 120 rolled away from the player, -120 towards him.
  void Wheel(QPoint at, int deltaY) const {
    QWheelEvent event(at, View().mapToGlobal(at), QPoint(), QPoint(0, deltaY), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&View(), &event);
  }
  QString Pane(int index) const { return Frame().Pane(index)->text(); }
  // The window as shown, kept as a PNG when QUORBEL_VIEW_SHOTS names a folder.
  QImage Shot(const char *name) const {
    const QImage image = Frame().grab().toImage();
    if (qEnvironmentVariableIsSet("QUORBEL_VIEW_SHOTS")) {
      const QString folder = qEnvironmentVariable("QUORBEL_VIEW_SHOTS");
      QDir().mkpath(folder);
      image.save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
    }
    return image;
  }
};

inline ColorRef PixelAt(const QImage &image, int x, int y) { return FromQColor(image.pixelColor(x, y)); }

// Pixels of exactly `colour` inside the rectangle.
inline int CountPixels(const QImage &image, const CellRect &rect, ColorRef colour) {
  int count = 0;
  for (int y = std::max(0, rect.top); y < std::min(image.height(), rect.bottom); ++y)
    for (int x = std::max(0, rect.left); x < std::min(image.width(), rect.right); ++x)
      count += PixelAt(image, x, y) == colour ? 1 : 0;
  return count;
}

inline std::string FirstPuzzle(const char *file) { return test::ReadPuzzleFile(file).front(); }

} // namespace quorbel::testing
