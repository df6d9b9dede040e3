// Shared by the end-of-game Qt tests: the program started with its board view, a 9 x 9 puzzle in
// play as a new game of a given level, and the game clock set to a known time.
#pragma once

#include <QtTest>
#include <memory>
#include <string_view>

#include "app/qt/end_of_game_flow.h"
#include "app/qt/main_frame.h"
#include "app/qt/quorbel_app.h"
#include "engine/cell_actions.h"
#include "engine/undo_services.h"
#include "engine/update_possibles.h"
#include "platform/clock.h"
#include "solver/one_line_grid.h"
#include "tests/app/qt/app_test_support.h"
#include "view/qt/quorbel_view.h"

namespace quorbel::testing {

// A Medium puzzle with 56 open cells, and its one solution.
constexpr std::string_view kPuzzle =
    "400000085000008003087093010000002004305001070000000000600000000070109200102607000";
constexpr std::string_view kSolution =
    "413726985956418723287593416761852394345961872829374651698245137574139268132687549";
constexpr int kMedium = 2;

struct GameInPlay {
  GameInPlay(const AppTestHome &home, Language language, std::string_view line, int level = kMedium) {
    home.Clear();
    home.WriteInt("GENERAL", "LANGUAGE", static_cast<int32_t>(language));
    app = std::make_unique<CQuorbelApp>(AppOptions{
        .dialogs = &dialogs, .headless = false, .startDirectory = home.StartDirectory().toStdString()});
    InstallBoardView(*app);
    started = app->InitInstance({QStringLiteral("quorbel")});
    if (!started || LoadOneLineGrid(Engine(), line, 0) != "")
      return;
    UpdatePossibles(Engine(), -1, -1, -1, 1);
    // As a new game starts it.
    app->State().ShowGrid();
    app->State().StartNewGrid();
    ResetGameScore(*app);
    app->Game().GameLevel = level;
    app->Game().StartMissing = app->Game().StartSudMissing = Engine().TotalOpenCells;
    View().StartGameClock(0);
  }
  ~GameInPlay() {
    if (app && app->MainFrame())
      app->MainFrame()->hide();
  }

  EngineContext &Engine() const { return app->Engine(); }
  CQuorbelView &View() const { return *GetCurrentView(*app); }
  GridRecord &Grid() const { return Engine().Grids.Main[0]; }
  std::string Line() const { return OneLineOfGrid(Engine(), Grid()); }
  // The game has been played for this long.
  void SetSeconds(int64_t seconds) const {
    View().Clock().Start = TimeGetTime() - static_cast<uint32_t>(seconds * 1000);
    View().Clock().Elapsed = static_cast<int32_t>(seconds * 1000);
  }
  // A player's move as the board makes it, with the board's end-of-game check.
  void Play(int cell, int value) const {
    SaveUndoState(Engine());
    SetCellValue(Engine(), Grid(), cell, value, kActionPlace);
    UpdatePossibles(Engine(), -1, -1, -1, 1);
    View().CheckEndOfGame();
  }
  int BravoShown() const { return static_cast<int>(dialogs.Asked().count(QStringLiteral("dialog CBravo"))); }

  ScriptedDialogService dialogs;
  std::unique_ptr<CQuorbelApp> app;
  bool started = false;
};

} // namespace quorbel::testing
