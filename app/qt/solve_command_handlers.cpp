#include "app/qt/solve_command_handlers.h"
#include "engine/boat_marks.h"
#include "engine/message_numbers.h"

#include <array>

#include "app/message_format.h"
#include "app/message_table.h"
#include "app/qt/command_host.h"
#include "app/qt/dialog_host.h"
#include "app/qt/display_toggles.h"
#include "app/qt/method_panel.h"
#include "engine/grid_copy.h"
#include "engine/grid_services.h"
#include "engine/update_possibles.h"
#include "files/macro_recorder.h"
#include "files/script_words.h"
#include "platform/help_contexts.h"
#include "solver/maximise_score.h"

using namespace quorbel;

namespace {

constexpr int kSearchProgressRange = 1000;

// The methods' names in the hints, by LowestBitIndex of their codes, each a link to its help
// topic; the group's name leaves a field for its size.
struct MethodName {
  int message; // a message table entry, or 0 for the literal
  OwnText literal;
  int32_t help;
};
constexpr auto kMethodNames = std::to_array<MethodName>({
    {24, "", 0},                                                    // none
    {25, "", HelpContext("method line column block")},              // line/column/block
    {27, "", HelpContext("method single")},                         // Single
    {26, "", HelpContext("method group")},                          // Group, with its size
    {0, "!Colouring!%d!", HelpContext("method colouring")},         //
    {0, "!Forcing Chain!%d!", HelpContext("method forcing chain")}, //
    {28, "", HelpContext("method random")},                         // Random
    {0, "!Probable!%d!", HelpContext("method probables")},          //
    {0, "!Burma!%d!", HelpContext("method burma")},                 //
});

PanelText RenderPiece(const ReportPiece &piece, Language language) {
  const bool english = IsEnglish(language);
  switch (piece.kind) {
  case ReportPiece::Kind::StartSolve:
    return english ? OwnText("Start solve...") : OwnText("Démarrage Résolution...");
  case ReportPiece::Kind::FiltersActivated:
    return english ? OwnText(". Filters activated: ") : OwnText(". Filtres activés: ");
  case ReportPiece::Kind::Separator:
    return OwnText(" - ");
  case ReportPiece::Kind::MethodName: {
    if (piece.Number < 0 || piece.Number >= static_cast<int32_t>(kMethodNames.size()))
      return {};
    const MethodName &name = kMethodNames[static_cast<size_t>(piece.Number)];
    const OwnText format = name.message != 0 ? MessageFormat(name.message, language) : name.literal;
    const int64_t size = piece.Args.empty() ? 0 : piece.Args[0];
    return FormatPanelTextTwice(format, {name.help}, {size});
  }
  case ReportPiece::Kind::Message:
    break;
  }
  std::vector<FormatArg> args(piece.Args.begin(), piece.Args.end());
  return FormatPanelText(MessageFormat(piece.Number, language), args);
}

class AppSolveHost final : public SolveCommandHost {
public:
  explicit AppSolveHost(CommandHost &app) : app_(app) {}

  // The methods panel keeps its mask in the METHOD setting (never negative once loaded).
  MethodMask ReadMethodMask() override { return static_cast<MethodMask>(app_.Settings().method.method); }
  void AddReport(const SolveReport &report) override {
    app_.Messages().AddInfoMessage(RenderSolveReport(report, app_.CurrentLanguage()));
  }
  void ReplaceReport(const SolveReport &report) override {
    app_.Messages().ReplaceInfoMessage(RenderSolveReport(report, app_.CurrentLanguage()), 0);
  }
  void StartSearchProgress() override {
    app_.StartWaitProgress(LookupMessage(kMsgSearchRunning, app_.CurrentLanguage()), kSearchProgressRange,
                           false);
  }
  void AddHelpValues(int count) override { AddToCount(app_.Game().SolverHelpCount, count); }
  void GridSetSolved() override { app_.GridSetSolved(); }

private:
  CommandHost &app_;
};

template <typename Command> int Run(CommandHost &app, Command command) {
  AppSolveHost host(app);
  return command(app.Engine(), host);
}

CommandState WhenGridHasCells(CommandHost &app) {
  return CommandState{app.Engine().Geo.NCells > 0, std::nullopt};
}

void ChangeMethods(CommandHost &app, MethodMask mask, bool recomputeCandidates) {
  app.Settings().method.method = static_cast<int32_t>(mask);
  app.SaveSettings();
  if (recomputeCandidates) {
    RecomputeAllCandidates(app.Engine());
    app.RedrawViewNow();
  }
  app.MarkDocumentModified("");
  RecordMacroStep(kMacroMethod, {}, static_cast<int32_t>(mask));
}

void CloseMethodPanel(CommandHost &app, bool save) {
  if (save)
    app.SaveSettings();
  app.Panels().SetShown(kMethodsPanel, false);
  app.RedrawViewNow();
  RecordMacroStep(kMacroArea, "METHOD", {}, "N");
}

} // namespace

PanelText RenderSolveReport(const SolveReport &report, Language language) {
  PanelText text;
  for (const ReportPiece &piece : report)
    text += RenderPiece(piece, language);
  return text;
}

int RunPropose(CommandHost &app) { return Run(app, ProposeAtCurrentCell); }
int RunSolveOneLoop(CommandHost &app) { return Run(app, SolveOneLoop); }
// A solved Battle Ship grid shows its fleet too.
int RunFullSolve(CommandHost &app) {
  const int result = Run(app, SolveFull);
  EngineContext &ctx = app.Engine();
  for (int slot = 0; slot < ctx.Grids.MainCount; ++slot)
    if (ctx.Grids.Main[static_cast<size_t>(slot)].SudMissing == 0)
      MarkBoatCells(ctx.Geo, ctx.Grids.Main[static_cast<size_t>(slot)]);
  app.RedrawViewNow();
  return result;
}
int RunSearchSolutions(CommandHost &app) { return Run(app, SearchSolutions); }
int RunBackToGoodSolution(CommandHost &app) { return Run(app, BackToGoodSolution); }

int RunComputeMaxDoubleTriple(CommandHost &app) {
  EngineContext &ctx = app.Engine();
  const bool french = !IsEnglish(app.CurrentLanguage());
  app.Messages().AddInfoMessage(
      PanelText::Plain(french ? "Double et Triple lancé..." : "Double and Triple launched..."));
  app.StartWaitProgress(LookupMessage(kMsgMaxDoubleTripleRunning, app.CurrentLanguage()),
                        kSearchProgressRange, true);
  if (ctx.Host->PollUserAbort()) {
    app.StopWaitProgress();
    return 0;
  }
  GridRecord &first = ctx.Grids.Main[0];
  const int best = MaximiseScore(ctx, first);
  app.StopWaitProgress();
  app.Game().TripleMaxScore = std::max(0, best);
  UpdatePossibles(ctx, -1, -1, -1, 1);
  std::string text;
  if (best < 1) {
    text =
        (french ? "Double et Triple Arreté avec Score max " : "Double and Triple Aborted with Max score ") +
        std::to_string(-best);
  } else {
    CopyGrid(ctx, ctx.Grids.RefTab[0], &first, 0);
    text = (french ? "Double et Triple: Score maximum " : "Double and Triple: Max score ") +
           std::to_string(best) + (french ? " trouvé." : " found.");
  }
  app.Messages().ReplaceInfoMessage(PanelText::Plain(text), 0);
  // The search's trial values go: the player finds the grid as it was, counted again.
  ReinitGrids(ctx, 1, 1, 1, 1);
  UpdatePossibles(ctx, -1, -1, -1, 1);
  app.RedrawViewNow();
  app.RecordMacroStep(RecordedAction{.Code = kMacroAddFunc, .Strings = {"D"}});
  return best;
}

void RegisterSolveCommands(CommandHost &app) {
  const auto add = [&app](Cmd cmd, int (*run)(CommandHost &)) {
    app.Commands().SetHandler(
        cmd, [&app, run](CommandId) { run(app); }, [&app] { return WhenGridHasCells(app); });
  };
  add(Cmd::Propose, RunPropose);
  add(Cmd::SolveOneLoop, RunSolveOneLoop);
  add(Cmd::FullSolve, RunFullSolve);
  add(Cmd::SearchSolutions, RunSearchSolutions);
  add(Cmd::BackGoodSolution, RunBackToGoodSolution);
  // Offered only while a grid has the Double and Triple rule.
  app.Commands().SetHandler(
      Cmd::ComputeMaxDoubleTriple,
      [&app](CommandId) { app.Pump().RunCommand([&app] { RunComputeMaxDoubleTriple(app); }); },
      [&app] {
        return CommandState{
            Meets(SplitVariantWords(CombinedGridVar(app.Engine().Grids, 0)), kVarNeighbourScore),
            std::nullopt};
      });
}

void RegisterMethodPanel(DialogHost &dialogs, CommandHost &app) {
  app.Panels().Register(std::string(kMethodsPanel), [&dialogs, &app](Language language, QWidget *parent) {
    MethodPanelActions actions{
        [&app](MethodMask mask, bool recompute) { ChangeMethods(app, mask, recompute); },
        [&app](bool save) { CloseMethodPanel(app, save); }};
    return std::make_unique<CMethod>(dialogs, app.Engine(), std::move(actions), language, parent);
  });
  // A grid file carries the panel's mask (its first method word) from game to game.
  OutsideServices &services = app.Services();
  services.gatherGameState = [&app, previous = services.gatherGameState](SudGameState &game) {
    if (previous)
      previous(game);
    if (!game.MethodWords.empty())
      game.MethodWords[0] = app.Settings().method.method;
  };
  services.gameStateLoaded = [&app, previous = services.gameStateLoaded](const SudGameState &game) {
    if (previous)
      previous(game);
    if (game.MethodWords.empty())
      return;
    // As the setting reads it: a negative mask is the default one, unknown bits go.
    const int32_t stored = game.MethodWords[0];
    app.Settings().method.method = static_cast<int32_t>(
        stored < 0 ? kMaskAllButRandom : static_cast<MethodMask>(stored) & kMaskAllMethods);
    if (auto *panel = static_cast<CMethod *>(app.Panels().Window(kMethodsPanel)))
      panel->RefreshMethodChecks();
  };
}
