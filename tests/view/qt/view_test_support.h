// Shared by the board view's Qt tests: an application object with the board view beside it (no
// start-up, no settings store), puzzles loaded the way a player's grid is built, and pixel
// helpers. Set QUORBEL_VIEW_SHOTS to a folder to keep the rendered boards as PNG files.
#pragma once

#include <QDir>
#include <QImage>
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
  CMainFrame &Frame() { return *app->MainFrame(); }

  ScriptedDialogService dialogs;
  std::unique_ptr<CQuorbelApp> app;
  bool started = false;
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
