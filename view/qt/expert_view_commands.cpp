// The expert's view commands: the key sequence that turns expert mode on and off, the cell
// display switches, the expert area (Ctrl+H) and the test bench's runs.
#include <QUrl>
#include <chrono>

#include "app/batch_tests.h"
#include "app/expert_area.h"
#include "app/generation_settings.h"
#include "app/message_format.h"
#include "app/qt/command_host.h"
#include "app/qt/dialog_service.h"
#include "app/qt/expert_dialog.h"
#include "engine/engine_context.h"
#include "engine/grid_copy.h"
#include "engine/grid_services.h"
#include "engine/grid_set.h"
#include "engine/grid_shape.h"
#include "engine/irregular_blocks.h"
#include "engine/undo_services.h"
#include "engine/update_possibles.h"
#include "platform/help_contexts.h"
#include "platform/paths.h"
#include "solver/generation_run.h"
#include "solver/random_solution.h"
#include "solver/rate_grid.h"
#include "solver/search.h"
#include "solver/solve_with_methods.h"
#include "solver/statistics_carving.h"
#include "view/qt/quorbel_view.h"
#include "view/symbol_modes.h"

using namespace quorbel;

namespace {

constexpr int kDebugLink = HelpContext("scripts");

// The program's side of a test bench run: the current grid, the panel and the shell.
class ViewBenchHost final : public BenchHost {
public:
  ViewBenchHost(CommandHost &app, CQuorbelView &view) : app_(app), view_(view), ctx_(app.Engine()) {}

  void Say(const std::string &line) override { app_.PostMessage(PanelText::Plain(line)); }
  void SayFileSaved(const std::string &test, const std::string &path) override {
    app_.PostMessage(FormatPanelText(OwnText("End %s test. File "), {test}) + PanelText::FileLink(path) +
                     PanelText(OwnText(" saved.")));
  }
  bool AbortRequested() override { return app_.Pump().PollUserAbortNow(); }
  int64_t NowMs() override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
  void Redraw() override { view_.RedrawViewNow(); }
  std::string ResultPath(std::string_view name) override { return MakeAbsolutePath(name); }
  void OpenResult(const std::string &path) override {
    app_.Dialogs().OpenExternal(QUrl::fromLocalFile(QString::fromStdString(path)));
  }
  int TimeOver() const override { return app_.Settings().parameter.timeOver; }
  void SetTimeOver(int ms) override {
    app_.Settings().parameter.timeOver = ms;
    app_.SyncEngineSettings();
  }
  int GenerationTimeOver() const override { return app_.Settings().parameter.genereTimeOver; }
  void EnterBatchTest() override { app_.State().EnterBatchTest(); }
  void LeaveBatchTest() override { app_.State().LeaveBatchTest(); }
  void Prepare() override {
    ReinitGrids(ctx_, 1, 1, 1, 1);
    SaveUndoState(ctx_);
    app_.Game().GameLevel = 1;
    Letters();
  }
  void Finish() override { UpdatePossibles(ctx_, -1, -1, -1, 1); }

  VariantWords Words() const override { return Grid().GridVar; }
  void SetWords(VariantWords words) override {
    Grid().GridVar = words;
    ctx_.Settings.CurrentVariant = words;
  }
  int SetShape(int shapeCode) override {
    SetGridShape(ctx_, shapeCode, 1, 1);
    Letters();
    return ctx_.Geo.GridWidth;
  }
  int CountLayouts() override { return CountIrregularBlocks(ctx_); }
  int LoadLayout(int layout) override { return LoadIrregularBlocks(ctx_, Grid(), layout, {}, 0); }
  int RandomSolution(int seeds, int layout, int maxFailures) override {
    return MakeRandomSolution(ctx_, Grid(), seeds, layout, maxFailures, 0);
  }
  int Carve(int blanks, int extra, int budget) override {
    GenerationRun run;
    run.Settings = GeneratorSettingsOf(app_.Settings());
    run.Level = 1;
    run.CurrentWords = Grid().GridVar;
    const CarvingOutcome outcome = FindGridWithStatistics(
        ctx_, Grid(), run,
        CarvingRequest{
            .Steps = 0, .Blanks = blanks, .Extra = extra, .Messages = 0, .Budget = budget, .Depth = -1});
    return outcome.Status == -10 ? -10 : outcome.ClueTotal;
  }
  BenchSearch SearchTwice() override {
    GridRecord &grid = Grid();
    BeginGridSearch(ctx_, grid, 1);
    BenchSearch search;
    search.First = RunGridSearch(ctx_, grid, 1);
    if (search.First == 1)
      search.Second = RunGridSearch(ctx_, grid, 1);
    EndGridSearch(ctx_, grid);
    return search;
  }
  int Rate() override { return RateGridDifficulty(ctx_, Grid()); }
  int SolvedLevel() override {
    GridRecord &grid = Grid();
    ctx_.Methods.GameMaxMethodLevel = -1;
    if (SolveRepeatedly(ctx_, grid, kRatingMasks.back()) == -10)
      return -10;
    return grid.SudMissing == 0 ? ctx_.Methods.GameMaxMethodLevel : -1;
  }
  void UpdateCandidates() override { UpdatePossibles(ctx_, -1, -1, -1, 1); }

private:
  GridRecord &Grid() const { return ctx_.Grids.Main[static_cast<size_t>(CurrentGridSlot(ctx_.Grids))]; }
  void Letters() {
    app_.Settings().general.gridCurrDisp = kSymbolLetters;
    view_.Input().SetSymbolMode(kSymbolLetters, 0);
  }

  CommandHost &app_;
  CQuorbelView &view_;
  EngineContext &ctx_;
};

void RunBench(CommandHost &app, ExpertTest test, const BenchInputs &in) {
  CQuorbelView *view = GetCurrentView(app);
  if (!view || !app.ExpertMode())
    return;
  ViewBenchHost host(app, *view);
  switch (test) {
  case ExpertTest::T1:
    RunTestT1(host, in);
    break;
  case ExpertTest::T2:
    RunTestT2(host, in);
    break;
  case ExpertTest::T4:
    RunTestT4(host, in);
    break;
  case ExpertTest::T8:
    RunTestT8(host, in);
    break;
  case ExpertTest::T16:
    RunTestT16(host, in);
    break;
  case ExpertTest::None:
    break;
  }
}

// T3: the carving of the reference file's solution, traced step by step.
void RunTestT3(CommandHost &app) {
  EngineContext &ctx = app.Engine();
  app.PostMessage(PanelText(OwnText("Start T3 test")));
  const std::string file = MakeAbsolutePath("MyGrid/RefFilev1.sud");
  if (!app.OpenDocumentFile(file)) {
    app.PostMessage(PanelText(OwnText("File ./MyGrid/RefFilev1.sud not accessible")));
    return;
  }
  if (app.Pump().PollUserAbortNow()) {
    app.PostMessage(PanelText(OwnText("T3 test cancelled")));
    return;
  }
  app.State().EnterBatchTest();
  ReinitGrids(ctx, 1, 1, 1, 1);
  SaveUndoState(ctx);
  const int slot = CurrentGridSlot(ctx.Grids);
  GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(slot)];
  CopyGridCells(ctx.Geo, 0, grid, ctx.Grids.RefTab[static_cast<size_t>(slot)]);
  app.Game().GameLevel = 3;
  GenerationRun run;
  run.Settings = GeneratorSettingsOf(app.Settings());
  run.Level = 3;
  run.CurrentWords = grid.GridVar;
  const CarvingOutcome outcome = FindGridWithStatistics(
      ctx, grid, run, CarvingRequest{.Steps = 1, .Blanks = 56, .Extra = -1, .Messages = 1});
  app.State().LeaveBatchTest();
  if (outcome.Status == -10) {
    app.PostMessage(PanelText(OwnText("T3 test cancelled")));
    return;
  }
  app.PostMessage(PanelText(OwnText("End T3 test")));
  UpdatePossibles(ctx, -1, -1, -1, 1);
  app.RedrawViewNow();
}

void ToggleExpertMode(CommandHost &app, CQuorbelView &view) {
  // A toggle right after a reset breaks the sequence, so that only reset, arm, toggle flips.
  view.ExpertKeyStep = view.ExpertKeyStep == 0 ? 10 : view.ExpertKeyStep + 1;
  if (view.ExpertKeyStep != 2)
    return;
  int32_t &flag = app.Settings().parameter.qrbDebug;
  flag = flag == 1 ? 0 : 1;
  if (flag == 1)
    app.PostMessage(FormatPanelText(French(app) ? OwnText("Mode !Debug!%d! Activé")
                                                : OwnText("!Debug!%d! Mode Activated"),
                                    {kDebugLink}));
  else
    app.PostMessage(FormatPanelText(French(app) ? OwnText("Mode !Debug!%d! Désactivé")
                                                : OwnText("!Debug!%d! Mode Deactivated"),
                                    {kDebugLink}));
  app.ApplyFrameLanguage();
  app.SaveSettings();
  view.RedrawViewNow();
}

void StepCellDisplay(CommandHost &app, CQuorbelView &view) {
  DisplaySwitches &s = view.Switches();
  if (s.CellDisplayMode == 0 && s.ShowSearchProb == 0) {
    s.CellDisplayMode = 1;
    app.PostMessage(PanelText(OwnText("Diplay block number in cell")));
  } else if (s.CellDisplayMode == 1) {
    s.CellDisplayMode = 0;
    s.ShowSearchProb = 1;
    app.PostMessage(PanelText(OwnText("Diplay Search Prob result in cell")));
  } else {
    s.CellDisplayMode = 0;
    s.ShowSearchProb = 0;
    app.PostMessage(PanelText(OwnText("Normal display in cell")));
  }
  view.RedrawViewNow();
}

void ToggleShowDiff(CommandHost &app, CQuorbelView &view) {
  int32_t &diff = view.Switches().ShowDiff;
  diff = diff == 0 ? 1 : 0;
  if (diff == 1)
    app.PostMessage(FormatPanelText(French(app) ? OwnText("!Debug!%d! Affiche Diff installé.")
                                                : OwnText("!Debug!%d! Show Diff Set."),
                                    {kDebugLink}));
  else
    app.PostMessage(FormatPanelText(French(app) ? OwnText("!Debug!%d! Affiche Diff annulé.")
                                                : OwnText("!Debug!%d! Show Diff Cancelled."),
                                    {kDebugLink}));
  view.RedrawViewNow();
}

} // namespace

ExpertAreaChoice RunExpertArea(CommandHost &app) {
  CDialogExpert dialog(app.Settings().expert, app.CurrentLanguage(), app.DialogParent());
  app.Dialogs().Exec(dialog);
  // The area is kept whether a run starts or not; Cancel keeps it as it was read.
  app.Settings().expert = dialog.Area();
  app.SaveSettings();
  return {dialog.ChosenTest(), BenchInputsOf(dialog.Area())};
}

void BindExpertViewCommands(CommandHost &app) {
  CommandDispatcher &commands = app.Commands();
  const auto onView = [](void (*action)(CommandHost &, CQuorbelView &), CommandHost &owner) {
    return [action, &owner](CommandId) {
      if (CQuorbelView *view = GetCurrentView(owner))
        action(owner, *view);
    };
  };
  const auto expert = [&app] {
    return app.ExpertMode() && GetCurrentView(app) ? CommandState{} : CommandState::Disabled();
  };
  const auto expertOnGrid = [&app] {
    return app.ExpertMode() && GetCurrentView(app) && app.Engine().Geo.CellLimit > 0
               ? CommandState{}
               : CommandState::Disabled();
  };
  commands.SetHandler(Cmd::ExpertKeyReset,
                      onView([](CommandHost &, CQuorbelView &v) { v.ExpertKeyStep = 0; }, app));
  commands.SetHandler(
      Cmd::ExpertKeyArm,
      onView([](CommandHost &, CQuorbelView &v) { v.ExpertKeyStep = v.ExpertKeyStep == 0 ? 1 : 10; }, app));
  commands.SetHandler(Cmd::ExpertKeyToggle, onView(ToggleExpertMode, app));
  commands.SetHandler(Cmd::ShowBlockNumber, onView(StepCellDisplay, app), expert);
  commands.SetHandler(Cmd::ShowDiff, onView(ToggleShowDiff, app), expert);
  commands.SetHandler(
      Cmd::ExpertFunc,
      [&app](CommandId) {
        const ExpertAreaChoice choice = RunExpertArea(app);
        RunBench(app, choice.Test, choice.Inputs);
      },
      expert);
  commands.SetHandler(
      Cmd::BatchTest1, [&app](CommandId) { RunBench(app, ExpertTest::T1, QuickBenchInputs(false)); },
      expertOnGrid);
  commands.SetHandler(
      Cmd::BatchTest2, [&app](CommandId) { RunBench(app, ExpertTest::T2, QuickBenchInputs(true)); },
      expertOnGrid);
  commands.SetHandler(
      Cmd::BatchTest3, [&app](CommandId) { RunTestT3(app); }, expert);
}
