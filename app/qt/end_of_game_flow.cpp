#include "app/qt/end_of_game_flow.h"

#include "app/best_scores.h"
#include "app/board_animations.h"
#include "app/game_clock.h"
#include "app/message_table.h"
#include "app/qt/board_window.h"
#include "app/qt/bravo_dialog.h"
#include "app/qt/defi_dialog.h"
#include "app/qt/grid_list_dialog.h"
#include "app/qt/main_frame.h"
#include "app/qt/quorbel_app.h"
#include "app/qt/score_dialog.h"
#include "app/time_limit.h"
#include "engine/cell_actions.h"
#include "engine/grid_cells.h"
#include "engine/grid_copy.h"
#include "engine/grid_set.h"
#include "engine/message_numbers.h"
#include "engine/update_possibles.h"
#include "engine/variant_bits.h"
#include "files/grid_catalog.h"
#include "platform/paths.h"
#include "solver/maximise_score.h"
#include "view/board_layout.h"

using namespace quorbel;

namespace {

constexpr int32_t kNoCatalogType = -1;
constexpr int64_t kMsPerSecond = 1000;
constexpr int kMaxScoreRange = 1000;

int64_t GameSeconds(const GameSession &session) {
  return std::max<int64_t>(session.Clock.Elapsed, 0) / kMsPerSecond;
}

const GridRecord &CurrentGrid(CQuorbelApp &app) {
  const GridSet &set = app.Engine().Grids;
  return set.Main[static_cast<size_t>(CurrentGridSlot(set))];
}

// The Double-and-Triple grids score their points instead of a mark.
std::optional<int32_t> DoubleTriplePoints(const GridSet &set) {
  if (!Meets(SplitVariantWords(CombinedGridVar(set, 0)), kVarNeighbourScore))
    return std::nullopt;
  int32_t points = 0;
  for (int slot = 0; slot < UsedMainCount(set); ++slot)
    points += set.Main[static_cast<size_t>(slot)].Work.NeighbourScore;
  return points;
}

// A Double-and-Triple grid played outside its mode was not measured at its start, as that mode
// does: the best score of the solutions of its givens is worked out at its end.
int32_t BestPointsOfGivens(CQuorbelApp &app) {
  EngineContext &ctx = app.Engine();
  if (UsedMainCount(ctx.Grids) != 1)
    return 0;
  auto givens = std::make_unique<GridRecord>();
  CopyGrid(ctx, *givens, &ctx.Grids.Main[0], 0);
  const std::span<CellRecord> cells = givens->PlayingCells(ctx.Geo);
  for (size_t c = 0; c < cells.size(); ++c)
    if (cells[c].Status != kStatusGiven && cells[c].Status != kStatusFixed)
      SetCellValue(ctx, *givens, static_cast<int>(c), 0, kActionClear);
  auto best = std::make_unique<GridRecord>();
  app.StartWaitProgress(LookupMessage(kMsgMaxDoubleTripleRunning, app.CurrentLanguage()), kMaxScoreRange,
                        true);
  const int points = BestScoreOfSolutions(ctx, *givens, *best);
  app.StopWaitProgress();
  RecomputeAllCandidates(ctx);
  // A search stopped early still gives the best it met.
  return std::abs(points);
}

// Open playing cells over the main grids, and cells holding a value the player placed.
int32_t OpenCells(const EngineContext &ctx) {
  int32_t open = 0;
  for (int slot = 0; slot < UsedMainCount(ctx.Grids); ++slot)
    for (const CellRecord &cell : ctx.Grids.Main[static_cast<size_t>(slot)].PlayingCells(ctx.Geo))
      open += cell.Status > kStatusConflict ? 1 : 0;
  return open;
}
int32_t CellsFound(const EngineContext &ctx) {
  int32_t found = 0;
  for (int slot = 0; slot < UsedMainCount(ctx.Grids); ++slot)
    found += CountPlacedCells(ctx.Geo, ctx.Grids.Main[static_cast<size_t>(slot)]);
  return found;
}

// The helps shown now, in the order of the usage stopwatches.
std::array<bool, kUsageTimerCount> HelpsShown(CQuorbelApp &app, BoardWindow &board) {
  const DisplaySwitches &shown = board.Switches();
  std::array<bool, kUsageTimerCount> on{};
  if (shown.PossDisplayOn == 1 && shown.PossDisplayLevel >= 0 && shown.PossDisplayLevel < kPossLevelTimers)
    on[static_cast<size_t>(kTimerPossLevel1 + shown.PossDisplayLevel)] = true;
  on[kTimerLineColumn] = shown.ShowPossLineCol == 1;
  on[kTimerProbables] = shown.ShowProbables == 1;
  on[kTimerFound] = shown.ShowFound == 1;
  on[kTimerVariantFilter] = app.Engine().Settings.VariantFilterSwitch == 1;
  on[kTimerColouring] = shown.ShowColouring == 1;
  on[kTimerWarning] = shown.ShowWarning == 1;
  return on;
}

void StartShownAnimations(EngineContext &ctx) {
  const GridSet &set = ctx.Grids;
  for (int i = 0; i < UsedOrderCount(set); ++i) {
    const int slot = set.Order[static_cast<size_t>(i)];
    if (slot >= 0 && slot < UsedMainCount(set))
      StartCellAnimations(ctx, ctx.Grids.Main[static_cast<size_t>(slot)]);
  }
}

void GatherTally(CQuorbelApp &app, SudGameState &file) {
  const GameTally &game = app.Game();
  file.GameWords = {game.GameLevel,
                    game.StartMissing,
                    game.StartSudMissing,
                    CellsFound(app.Engine()),
                    game.SolverHelpCount,
                    game.RightClickUses,
                    app.Session().Counters.ErrorCount};
  file.UsageTimers.assign(game.UsageTimers.begin(), game.UsageTimers.end());
}

void TallyLoaded(CQuorbelApp &app, const SudGameState &file) {
  GameTally &game = app.Game();
  const auto &words = file.GameWords;
  // A file that never counted them (a text grid) starts the counts from the grid as it is.
  const bool counted = words[kWordStartSudMissing] > 0;
  const int32_t open = OpenCells(app.Engine());
  game.GameLevel = words[kWordGameLevel];
  game.StartMissing = counted ? words[kWordStartMissing] : open;
  game.StartSudMissing = counted ? words[kWordStartSudMissing] : open;
  game.SolverHelpCount = LoadedCount(words[kWordSolverHelpCount]);
  game.RightClickUses = LoadedCount(words[kWordRightClickUses]);
  app.Session().Counters.ErrorCount = LoadedCount(words[kWordErrorCount]);
  // A stopwatch that ran when the file was saved runs on for the time it had then.
  const uint32_t now = TimeGetTime();
  for (size_t i = 0; i < game.UsageTimers.size(); ++i) {
    game.UsageTimers[i] = i < file.UsageTimers.size() ? file.UsageTimers[i] : Stopwatch{};
    RebaseStopwatch(game.UsageTimers[i], file.SaveTick, now);
  }
  // The file keeps the stopwatches but not which helps were shown: a help charges time only
  // while the player sees it.
  if (BoardWindow *board = app.Board()) {
    const std::array<bool, kUsageTimerCount> shown = HelpsShown(app, *board);
    for (size_t i = 0; i < game.UsageTimers.size(); ++i) {
      if (shown[i] && !StopwatchRunning(game.UsageTimers[i]))
        StartStopwatch(game.UsageTimers[i], now);
      else if (!shown[i] && StopwatchRunning(game.UsageTimers[i]))
        StopStopwatch(game.UsageTimers[i], now);
    }
  }
}

} // namespace

ScoreInputs GatherScoreInputs(CQuorbelApp &app) {
  const GameTally &game = app.Game();
  const EngineContext &ctx = app.Engine();
  ScoreInputs in;
  in.GameLevel = game.GameLevel;
  in.GridWidth = ctx.Geo.GridWidth;
  in.StartSudMissing = game.StartSudMissing;
  in.SolverHelpCount = game.SolverHelpCount;
  in.RedoCount = ctx.Undo.RedoCount;
  in.UndoCount = ctx.Undo.UndoCount;
  in.RightClickUses = game.RightClickUses;
  in.GameSeconds = GameSeconds(app.Session());
  in.TimeLimitSeconds = ComputeTimeLimit(app.Settings().gameDuration, ctx.Geo.GridWidth, game.GameLevel,
                                         app.Settings().game.mode);
  for (int i = 0; i < kUsageTimerCount; ++i)
    in.UsageSeconds[static_cast<size_t>(i)] = StopwatchSeconds(game.UsageTimers[static_cast<size_t>(i)]);
  in.DoubleTriplePoints = DoubleTriplePoints(ctx.Grids);
  return in;
}

float ComputeGameScore(CQuorbelApp &app) {
  const float score = ComputeGameScore(GatherScoreInputs(app));
  app.Session().Counters.GameScore = score;
  return score;
}

void EndOfGameEvaluate(CQuorbelApp &app, CBravo &bravo) {
  GameCounters &counters = app.Session().Counters;
  GameTally &game = app.Game();
  EngineContext &ctx = app.Engine();
  AppSettings &settings = app.Settings();
  const float score = ComputeGameScore(app);
  for (Stopwatch &timer : game.UsageTimers)
    StopStopwatch(timer);

  const int64_t seconds = GameSeconds(app.Session());
  EndOfGameInputs in;
  in.language = app.CurrentLanguage();
  in.GameMode = settings.game.mode;
  in.GameLevel = game.GameLevel;
  in.GameScore = score;
  in.StartMissing = game.StartMissing;
  in.CellsFound = CellsFound(ctx);
  in.SolverHelpCount = game.SolverHelpCount;
  in.ErrorCount = counters.ErrorCount;
  in.UndoSteps = ctx.Undo.RedoCount + ctx.Undo.UndoCount;
  in.TotalOpenCells = ctx.TotalOpenCells;
  in.GameSeconds = seconds;
  in.TimeText = ClockText(seconds * kMsPerSecond);
  for (int i = 0; i < kUsageTimerCount; ++i)
    in.UsageSeconds[static_cast<size_t>(i)] = game.UsageTimers[static_cast<size_t>(i)].Seconds;
  in.ScoresPoints = DoubleTriplePoints(ctx.Grids).has_value();
  in.TripleMaxScore =
      in.ScoresPoints && in.GameMode != kGameModeTriple ? BestPointsOfGivens(app) : game.TripleMaxScore;
  const EndOfGameResult result = EvaluateEndOfGame(in);
  counters.GameFinished = 1;

  // The catalogue position outlives its grid: only the catalogue grid itself gets the mark.
  if (const CQuorbelDoc *document = app.GetCurrentDocument();
      document && settings.catalog.baseType != kNoCatalogType) {
    FileWriteResult saved;
    SetCatalogGridStatusOf(StartDirectory(), result.CatalogStatus, document->PathName(), document->Title(),
                           settings.catalog.baseType, settings.catalog.baseGrid, app.CurrentLanguage(),
                           &saved);
    TellCatalogSave(app, saved);
  }
  if (result.KeepsBestScore && app.Profile())
    BestScoreUpdate(*app.Profile(), FinishedGame{.GameLevel = game.GameLevel,
                                                 .Width = ctx.Geo.GridWidth,
                                                 .Rules = CurrentGrid(app).GridVar,
                                                 .Score = score,
                                                 .Time = in.TimeText});
  app.SaveSettings();
  // The score pane says what the end window says.
  counters.GameScore = result.ShownScore;

  bravo.SetPicture(MakeAbsolutePath(settings.directory.animated + std::string(result.Picture)),
                   result.Praise);
  if (app.Services().playSoundEffect)
    app.Services().playSoundEffect(result.SoundEffect);
  app.State().EndGame();
  std::string outsideReply;
  if (settings.game.mode == kGameModeQuellabo && app.Services().quellaboSubmitSolution)
    outsideReply = app.Services().quellaboSubmitSolution() + "\n";
  bravo.SetTexts(result.Message, outsideReply, result.Score, result.PraiseLine);
  app.ClearDocumentModified();
}

void ShowEndOfGame(CQuorbelApp &app) {
  // A challenge ends on every player's board at once, with its winner: it says so itself.
  if (const CDialogDefi *challenge = ChallengeDialog();
      challenge && challenge->Running() && app.Settings().game.mode == kGameModeDefi)
    return;
  const bool hideNewGrid = app.Settings().game.mode == kGameModeQuick && app.Engine().TotalOpenCells != 0;
  CBravo bravo(app.CurrentLanguage(), app.ProgramDirectory(), hideNewGrid, app.CellPictures(),
               app.MainFrame());
  EndOfGameEvaluate(app, bravo);
  // A macro that solves a grid goes on: its game is scored, and nobody is asked what next.
  if (app.State().MacroPlaying())
    return;
  switch (app.Dialogs().Exec(bravo)) {
  case CBravo::kNewGrid:
    app.Commands().ExecuteCommand(Cmd::NewGrid);
    break;
  case CBravo::kNewGame:
    app.Commands().ExecuteCommand(Cmd::NewGame);
    break;
  case CBravo::kRedoGrid:
    app.Commands().ExecuteCommand(Cmd::BackToStartupGrid);
    break;
  default:
    break;
  }
}

void GridSetSolved(CQuorbelApp &app) {
  BoardWindow *board = app.Board();
  if (board && !app.State().Paused()) {
    board->CheckEndOfGame();
    return;
  }
  StartShownAnimations(app.Engine());
  app.RedrawViewNow();
}

void ResetGameScore(CQuorbelApp &app) {
  GameTally &game = app.Game();
  game.SolverHelpCount = 0;
  game.RightClickUses = 0;
  app.Engine().Undo.UndoCount = 0;
  app.Engine().Undo.RedoCount = 0;
  BoardWindow *board = app.Board();
  const std::array<bool, kUsageTimerCount> shown =
      board ? HelpsShown(app, *board) : std::array<bool, kUsageTimerCount>{};
  for (int i = 0; i < kUsageTimerCount; ++i)
    ResetStopwatch(game.UsageTimers[static_cast<size_t>(i)], shown[static_cast<size_t>(i)] ? 1 : 0);
  if (board)
    board->ResetScoreState();
}

void SetTripleMaxScoreFromGameScore(CQuorbelApp &app) {
  app.Game().TripleMaxScore = static_cast<int32_t>(app.Session().Counters.GameScore);
}

void AttachEndOfGame(CQuorbelApp &app) {
  app.Commands().SetHandler(Cmd::BestScore, [&app](CommandId) { OnBestScore(app, app.Profile()); });

  OutsideServices &services = app.Services();
  services.createView = [&app, previous = services.createView](QWidget *parent) -> std::unique_ptr<QWidget> {
    std::unique_ptr<QWidget> view = previous ? previous(parent) : nullptr;
    if (auto *board = dynamic_cast<BoardWindow *>(view.get())) {
      board->EndOfGame = [&app] { ShowEndOfGame(app); };
      board->RunningScore = [&app] { return ComputeGameScore(app); };
    }
    return view;
  };
  services.gatherGameState = [&app, previous = services.gatherGameState](SudGameState &file) {
    if (previous)
      previous(file);
    GatherTally(app, file);
  };
  services.gameStateLoaded = [&app, previous = services.gameStateLoaded](const SudGameState &file) {
    if (previous)
      previous(file);
    TallyLoaded(app, file);
  };
}
