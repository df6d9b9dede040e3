#include "app/qt/start_routines.h"

#include <QMessageBox>
#include <cstdlib>
#include <string>

#include "app/app_random.h"
#include "app/champion_pick.h"
#include "app/message_format.h"
#include "app/message_table.h"
#include "app/qt/board_window.h"
#include "app/qt/defi_dialog.h"
#include "app/qt/dialog_text.h"
#include "app/qt/file_commands.h"
#include "app/qt/frame_command_support.h"
#include "app/qt/generate_commands.h"
#include "app/qt/grid_commands.h"
#include "app/qt/grid_list_dialog.h"
#include "app/qt/init_grid_dialog.h"
#include "app/qt/main_frame.h"
#include "app/qt/quellabo_dialog.h"
#include "app/qt/quorbel_app.h"
#include "app/variant_selection.h"
#include "engine/grid_services.h"
#include "engine/message_numbers.h"
#include "engine/update_possibles.h"
#include "engine/variant_catalog.h"
#include "files/grid_catalog.h"
#include "solver/maximise_score.h"

namespace quorbel {

namespace {

constexpr int kTripleProgressRange = 1000;

void Tell(CQuorbelApp &app, const QString &text) {
  app.Dialogs().MessageBox(app.MainFrame(), MessageBoxRequest{.title = QStringLiteral("Quorbel"),
                                                              .text = text,
                                                              .icon = QMessageBox::Information,
                                                              .buttons = QMessageBox::Ok,
                                                              .defaultButton = QMessageBox::Ok});
}

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The steps every start shares: a game neither finished, timed out, paused nor in a challenge,
// the clock on the limit of the grid and mode, a fresh score.
void CommonGameStart(CQuorbelApp &app, bool newGrid) {
  app.State().StartGame(newGrid);
  if (newGrid) {
    app.SaveSettings();
    if (app.Services().buildValueCursors)
      app.Services().buildValueCursors();
  }
  RestartGame(app, true);
}

std::optional<GridCatalog> ReadCatalog(CQuorbelApp &app) {
  std::optional<GridCatalog> catalog = LoadCatalog(app.ProgramDirectory());
  if (!catalog)
    Tell(app, DialogText(app.CurrentLanguage(), "Le catalogue de grilles (GridList.dat) est introuvable.",
                         "The grid catalogue (GridList.dat) cannot be found."));
  return catalog;
}

void ApplyDisplay(CQuorbelApp &app, int32_t display) {
  app.Settings().general.gridCurrDisp = display;
  app.SyncEngineSettings();
}

// The Quick game is played on its own: no help is shown.
void TurnHelpsOff(CQuorbelApp &app) {
  DisplaySwitches &shown = FrameSwitches(app.Board());
  shown.PossDisplayOn = 0;
  shown.ShowPossLineCol = 0;
  shown.ShowProbables = 0;
  shown.ShowFound = 0;
  shown.ShowColouring = 0;
  shown.ShowWarning = 0;
  app.Engine().Settings.VariantFilterSwitch = 0;
  app.Engine().Settings.ProbablesSwitch = 0;
}

// The best score the grid allows is what the player plays for. A grid file need not say it, so
// it is worked out here, and the best solution becomes the reference the warnings compare with.
int32_t WorkOutTripleMaxScore(CQuorbelApp &app) {
  EngineContext &ctx = app.Engine();
  app.StartWaitProgress(LookupMessage(kMsgMaxDoubleTripleRunning, app.CurrentLanguage()),
                        kTripleProgressRange, true);
  const int best = BestScoreOfSolutions(ctx, ctx.Grids.Main[0], ctx.Grids.RefTab[0]);
  app.StopWaitProgress();
  RecomputeAllCandidates(ctx);
  // A search stopped early still gives the best it met.
  return std::abs(best);
}

// Played on digits, with the warnings shown and no time limit: the points are the score.
bool StartDoubleTriple(CQuorbelApp &app) {
  ApplyDisplay(app, kSymbolDigits);
  FrameSwitches(app.Board()).ShowWarning = 1;
  CommonGameStart(app, true);
  ResetTransientState(app.Engine());
  const int32_t best = WorkOutTripleMaxScore(app);
  app.Game().TripleMaxScore = best;
  app.Messages().AddInfoMessage(FormatPanelText(
      French(app) ? OwnText("Score max à trouver: %d") : OwnText("Max score to found: %d"), {best}));
  if (BoardWindow *view = app.Board())
    view->StartGameClock(-1);
  app.RedrawViewNow();
  return true;
}

} // namespace

bool StartCatalogGame(CQuorbelApp &app) {
  CGridList dialog(app, app.CurrentLanguage(), app.MainFrame());
  if (app.Dialogs().Exec(dialog) != QDialog::Accepted)
    return false;
  app.Settings().game.mode = kGameModeCatalog;
  app.SyncEngineSettings();
  CommonGameStart(app, false);
  return true;
}

bool StartGeneratedGame(CQuorbelApp &app) {
  // The dialog's GO generates and starts the game.
  return RunGenerationDialog(app);
}

bool StartLoadedGame(CQuorbelApp &app) {
  // The file's game decides whether it is over (a solved grid opens finished).
  if (!OpenGridFileDialog(app))
    return false;
  app.State().StartGame(false);
  if (CMainFrame *frame = app.MainFrame())
    frame->activateWindow();
  return true;
}

bool StartEmptyGame(CQuorbelApp &app) { return NewEmptyGrid(app); }

bool StartChampionGame(CQuorbelApp &app) {
  std::optional<GridCatalog> catalog = ReadCatalog(app);
  if (!catalog)
    return false;
  const ChampionPick pick = PickChampionGrid(*catalog, [](int n) { return RandomBelow(n); });
  if (pick.Type < 0) {
    Tell(app, DialogText(app.CurrentLanguage(), "Le catalogue de grilles ne contient aucune grille.",
                         "The grid catalogue holds no grid."));
    return false;
  }
  if (pick.MarksCleared) {
    TellCatalogSave(app, SaveCatalog(app.ProgramDirectory(), *catalog, app.CurrentLanguage()));
    app.ShowMessage(kMsgCatalogStatusReset, {});
  }
  if (!OpenCatalogGrid(app, *catalog, pick.Type, pick.Grid, app.MainFrame(), QStringLiteral("Quorbel")))
    return false;
  AppSettings &settings = app.Settings();
  settings.game.mode = kGameModeChampion;
  settings.general.displayBarArea = 1;
  // The grid's rules may demand their way of showing values.
  ApplyDisplay(app, ApplySymbolConstraint(CombinedVariants(app.Engine()), settings.general.gridCurrSize,
                                          settings.general.gridCurrDisp));
  CommonGameStart(app, true);
  app.RedrawViewNow();
  return true;
}

bool StartSeriesGame(CQuorbelApp &app, GridSeries series) {
  const Language language = app.CurrentLanguage();
  std::optional<GridCatalog> catalog = ReadCatalog(app);
  if (!catalog)
    return false;
  const std::string_view typeName = SeriesCatalogType(series);
  const int type = catalog->IndexOf(typeName);
  const int count = type < 0 ? 0 : static_cast<int>(catalog->Types[static_cast<size_t>(type)].Grids.size());
  if (count == 0) {
    Tell(app, DialogText(language, "Le catalogue ne contient aucune grille du type ",
                         "The catalogue holds no grid of the type ") +
                  Utf8(typeName));
    return false;
  }
  AppSettings &settings = app.Settings();
  int32_t &counter = SeriesCounter(settings.game, series);
  counter = SeriesGridIndex(counter, count);
  if (!OpenCatalogGrid(app, *catalog, type, counter, app.MainFrame(), QStringLiteral("Quorbel")))
    return false;
  settings.game.mode = SeriesGameMode(series);
  if (series == GridSeries::Triple)
    return StartDoubleTriple(app);
  ApplyDisplay(app, kPictureSymbols);
  if (series == GridSeries::Quick)
    TurnHelpsOff(app);
  CommonGameStart(app, true);
  app.RedrawViewNow();
  return true;
}

bool StartQuellaboGame(CQuorbelApp &app) { return StartQuellabo(app); }

bool StartChallengeGame(CQuorbelApp &app) {
  CDialogDefi *challenge = EnsureChallengeDialog(app);
  if (!challenge || app.Settings().defi.defiInhibit == 1) {
    Tell(app, DialogText(app.CurrentLanguage(),
                         "Le défi entre joueurs est désactivé : la page Défi des préférences le rétablit.",
                         "The challenge between players is turned off: the Challenge page of the preferences "
                         "turns it on."));
    return false;
  }
  // A challenge in play keeps its clock: the window is opened to chat or to look at the players.
  const bool inPlay = challenge->InPlay();
  challenge->EnterChallengeMode();
  if (BoardWindow *view = app.Board(); view && !inPlay)
    view->StartGameClock(-1);
  return true;
}

bool StartArea(CQuorbelApp &app, int area) {
  switch (area) {
  case kAreaCatalog:
    return StartCatalogGame(app);
  case kAreaGenerate:
    return StartGeneratedGame(app);
  case kAreaLoad:
    return StartLoadedGame(app);
  case kAreaNew:
    return StartEmptyGame(app);
  case kAreaChampion:
    return StartChampionGame(app);
  case kAreaKids:
    return StartSeriesGame(app, GridSeries::Kids);
  case kAreaQuick:
    return StartSeriesGame(app, GridSeries::Quick);
  case kAreaTriple:
    return StartSeriesGame(app, GridSeries::Triple);
  case kAreaQuellabo:
    return StartQuellaboGame(app);
  case kAreaDefi:
    return StartChallengeGame(app);
  case kAreaHelp:
    app.ShowHelp(kStartScreenHelp);
    return false;
  default:
    return false;
  }
}

void ShowStartScreen(CQuorbelApp &app) {
  for (;;) {
    CInitGrid screen(app, app.CurrentLanguage(), app.MainFrame());
    if (app.Dialogs().Exec(screen) != QDialog::Accepted || screen.ChosenArea() == kAreaNone)
      return;
    if (StartArea(app, screen.ChosenArea()))
      return;
  }
}

// Start-up makes its document itself; from then on New Game is the player's choice.
void OnNewGame(CQuorbelApp &app) { ShowStartScreen(app); }

void OnNewGrid(CQuorbelApp &app) {
  AppSettings &settings = app.Settings();
  const NewGridPlan plan = PlanNewGrid(settings.game.mode, settings.defi.defiInhibit);
  settings.game.mode = plan.Mode;
  if (plan.Series)
    ++SeriesCounter(settings.game, *plan.Series);
  bool started = false;
  switch (plan.Starter) {
  case GridStarter::Champion:
    started = StartChampionGame(app);
    break;
  case GridStarter::Series:
    started = StartSeriesGame(app, *plan.Series);
    break;
  case GridStarter::Catalog:
    started = StartCatalogGame(app);
    break;
  case GridStarter::Quellabo:
    started = StartQuellaboGame(app);
    break;
  case GridStarter::Challenge:
    started = StartChallengeGame(app);
    break;
  case GridStarter::Generate:
    started = StartGeneratedGame(app);
    break;
  case GridStarter::EmptyGrid:
    started = NewEmptyGrid(app);
    break;
  }
  if (started || !plan.FlagOnlyWhenStarted)
    app.State().StartNewGrid();
  app.SaveSettings();
}

void RegisterGameStart(CQuorbelApp &app) {
  app.Commands().SetHandler(Cmd::NewGame, [&app](CommandId) { OnNewGame(app); });
  app.Commands().SetHandler(Cmd::NewGrid, [&app](CommandId) { OnNewGrid(app); });
  app.Services().showGameModeDialog = [&app] { ShowStartScreen(app); };
}

} // namespace quorbel
