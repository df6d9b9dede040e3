// GenerateGrid: the run's set-up, the tries (solution, carving, uniqueness, level), the
// finish. The grids, the shape, the undo steps and the stored solutions of before the run
// are kept aside until it ends, so that a cancel can put them back whole.
#include "solver/generate_grid.h"
#include "engine/message_numbers.h"
#include "engine/rule_registry.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string_view>
#include <tuple>
#include <utility>

#include "engine/digit_tables.h"
#include "engine/engine_context.h"
#include "engine/grid_cells.h"
#include "engine/grid_copy.h"
#include "engine/grid_shape.h"
#include "engine/neighbour_rules.h"
#include "engine/propagate.h"
#include "engine/reference_grids.h"
#include "engine/undo_services.h"
#include "engine/update_possibles.h"
#include "engine/variant_catalog.h"
#include "platform/clock.h"
#include "platform/random.h"
#include "solver/generation_run.h"
#include "solver/hidden_variant_generation.h"
#include "solver/linked_generation.h"
#include "solver/optimise_grid.h"
#include "solver/optimise_to_level.h"
#include "solver/random_solution.h"
#include "solver/random_variants.h"
#include "solver/search.h"
#include "solver/solution_count.h"
#include "solver/statistics_carving.h"
#include "solver/variant_clues.h"

namespace quorbel {

namespace {

constexpr int32_t kMacroGenere = 8; // GENERE in the command-script language
constexpr int kSolutionFailures = 10;
// Solutions per MAXITERGENER attempt, and puzzles dug from each, to reach the level: a
// Terrible rating takes a few, and on small grids some levels are rare, but digs are cheap.
constexpr int kTriesPerAttempt = 10;
// A grid of a linked set takes about (level + 1) givens for every 32 of its cells to become
// unique: some 14 at 9x9 Terrible, 17 at 16x16 Easy, 25 to 55 at 16x16 Terrible.
constexpr int kCellsPerExpectedGiven = 32;
constexpr int kDigCells = 2000; // digs per solution: this over the cell count, at least 8
constexpr int kFewestDigs = 8;

// Rules the generator cannot make (hand-placed clues) are left out of the grids.
VariantWords GeneratedWords(VariantWords current) { return current & GeneratedRuleWords(); }

std::string_view ByLanguage(const EngineContext &ctx, std::string_view french, std::string_view english) {
  return ctx.Settings.Language == kLanguageFrench ? french : english;
}

// (timeGetTime + hour x second x minute) AND 0x7FFF.
int ClockSeed() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  const bool known = localtime_r(&now, &local) != nullptr;
  const uint32_t product = known ? static_cast<uint32_t>(local.tm_hour * local.tm_sec * local.tm_min) : 1u;
  return static_cast<int>((TimeGetTime() + product) & kRandomMax);
}

// The level keywords of the macro step.
const char *LevelKeyword(int level) {
  constexpr std::array<const char *, 4> kKeywords = {"EASY", "MEDIUM", "DIFFICULT", "TERRIBLE"};
  return kKeywords[TableLevel(level) - 1];
}

std::string GridName(int level, int seed) {
  std::array<char, 32> name{};
  std::snprintf(name.data(), name.size(), "Sudoku-L%d-%05d", level, seed);
  return name.data();
}

void PostOutcome(EngineContext &ctx, int number, const std::string *name) {
  if (name != nullptr) {
    const std::array<MessageArg, 2> args = {*name, kHelpGeneration};
    ctx.Host->ReplaceMessage(number, args);
  } else {
    const std::array<MessageArg, 1> args = {kHelpGeneration};
    ctx.Host->ReplaceMessage(number, args);
  }
}

// Everything a cancel puts back: the grid set, the shape, the undo steps, the stored
// solutions and the search record, as they were before the run.
class GridSetKeeper {
public:
  explicit GridSetKeeper(EngineContext &ctx) : ctx_(ctx), geo_(ctx.Geo) {
    std::swap(*grids_, ctx.Grids);
    std::swap(*undo_, ctx.Undo);
    std::swap(*solutions_, ctx.Solutions);
    state_ = {ctx.GridSetState, ctx.TotalOpenCells, ctx.SolutionCount};
    methods_ = ctx.Methods;
  }
  void PutBack() {
    ctx_.Geo = geo_;
    std::swap(*grids_, ctx_.Grids);
    std::swap(*undo_, ctx_.Undo);
    std::swap(*solutions_, ctx_.Solutions);
    std::tie(ctx_.GridSetState, ctx_.TotalOpenCells, ctx_.SolutionCount) = state_;
    ctx_.Methods = methods_;
    ctx_.Host->GridSetReset();
    ctx_.Host->RedrawViewNow();
  }

private:
  EngineContext &ctx_;
  GridGeometry geo_;
  std::unique_ptr<GridSet> grids_ = std::make_unique<GridSet>();
  std::unique_ptr<UndoStack> undo_ = std::make_unique<UndoStack>();
  std::unique_ptr<SearchHistory> solutions_ = std::make_unique<SearchHistory>();
  std::tuple<int32_t, int32_t, int32_t> state_;
  MethodRecord methods_;
};

// TIMEOVER holds GENERETIMEOVER while the run lasts.
class TimeOverSwap {
public:
  TimeOverSwap(EngineContext &ctx, int32_t generating) : ctx_(ctx), saved_(ctx.Settings.TimeOver) {
    ctx.Settings.TimeOver = generating;
  }
  ~TimeOverSwap() { ctx_.Settings.TimeOver = saved_; }
  TimeOverSwap(const TimeOverSwap &) = delete;
  TimeOverSwap &operator=(const TimeOverSwap &) = delete;

private:
  EngineContext &ctx_;
  int32_t saved_;
};

// A copy of the best try so far, to put back when no try reaches the level.
struct BestTry {
  int Distance = -1; // |rating - level|; -1 none kept
  int Rating = 0;
  std::unique_ptr<GridRecord> Grid = std::make_unique<GridRecord>();
  std::unique_ptr<GridRecord> Solution = std::make_unique<GridRecord>();
};

class Generation {
public:
  Generation(EngineContext &ctx, const GeneratorSettings &settings, GenerationReport &report)
      : ctx_(ctx), report_(report) {
    run_.Settings = settings;
    run_.Level = report.Level;
    run_.GridCount = 1;
    run_.MakeClues = GenerateVariantClues;
  }

  void Run();

private:
  bool Unique() const { return run_.Settings.UniqSolution == 1; }
  GridRecord &Grid() { return ctx_.Grids.Main[0]; }
  void DrawGridWords();
  int LinkedCount(VariantWords words) const;
  int Try();
  int RunSingle(int tries);
  int RunHidden();
  void MakeValuesGivens(GridRecord &grid);
  void GiveWholeSolution();
  void KeepIfBetter(int rating);
  void PutBackBest();
  void SayRulesLeftOut();
  void Finish();

  EngineContext &ctx_;
  GenerationReport &report_;
  GenerationRun run_;
  BestTry best_;
  bool solutionMade_ = false;
  GridWords words_{}; // the rules of each grid of the set
  bool hidden_ = false;
  int good_ = 0; // hidden-variant grids accepted
};

// CATALOG/VARNGRIDS grids for a set with a linked rule (one fewer with Twins Total, whose
// sums take a grid of their own); one grid otherwise.
int Generation::LinkedCount(VariantWords words) const {
  if (!Meets(words, kVarLinkedGridRules))
    return 1;
  const int most = Meets(words, kVarTwinsTotal) ? kMaxGrids - 1 : kMaxGrids;
  return std::clamp(run_.Settings.VarNGrids, 2, most);
}

// The rules of each grid: the player's, or drawn at random (CATALOG/VARMULT); the number of
// grids follows from them.
void Generation::DrawGridWords() {
  const int sizeClass = SizeClassOfShape(ctx_.Settings.GridCurrSize);
  VariantWords base = run_.CurrentWords;
  int n = LinkedCount(base);
  if (run_.Settings.VarMult == 1) {
    base = DrawOneRandomRule(ctx_.Random, sizeClass);
    n = LinkedCount(base);
    words_.fill(base);
  } else if (run_.Settings.VarMult == 2) {
    base |= DrawRandomLinkedRule(ctx_.Random);
    n = LinkedCount(base);
    words_[0] = AddRandomRules(ctx_.Random, base, sizeClass, RandomBelow(ctx_.Random, 3) + (n < 2 ? 2 : 0));
    // A linked rule drawn for the first grid asks for a set.
    n = std::max(n, LinkedCount(words_[0]));
    for (int k = 1; k < n; ++k)
      words_[static_cast<size_t>(k)] =
          AddRandomRules(ctx_.Random, base, sizeClass, RandomBelow(ctx_.Random, 3));
  } else {
    words_.fill(base);
  }
  run_.GridCount = n;
  run_.CurrentWords = words_[0];
  // Magic Sentence on one grid of a set only.
  VariantWords all;
  for (int k = 0; k < n; ++k)
    all |= words_[static_cast<size_t>(k)];
  if (n >= 2 && Meets(all, kVarMagicSentence)) {
    const int keeper = RandomBelow(ctx_.Random, n);
    for (int k = 0; k < n; ++k)
      if (k != keeper)
        words_[static_cast<size_t>(k)] &= ~kVarMagicSentence;
  }
  hidden_ = Meets(all, kVarTwinsVariantMasked);
}

// One try: a solution, its carving, a uniqueness count, then (with UNIQSOLUTION) the
// repair to one solution and the level. Returns 1 when the try is kept (unique at the
// level, or any grid without UNIQSOLUTION), 0 to try again, -10 when cancelled.
int Generation::Try() {
  ++report_.Tries;
  GridRecord &grid = Grid();
  ResetGrid(ctx_.Geo, grid, kResetKeepLastStep);
  // An earlier try's allowed sets (Pencil Mark, Digital Clock, Domino, Romain) are clues of its
  // own solution: left in place they bind the new one, and no solution could be made.
  for (CellRecord &cell : grid.Cells)
    SetAllowedSet(cell, kAllowedTypeNone, 0);
  grid.GridVar = run_.CurrentWords;
  RandomSolutionOptions options;
  options.GameLevel = run_.Level;
  options.VarDepth = run_.Settings.VarDepth;
  const int made = MakeRandomSolution(ctx_, grid, kSeedsFirstLinkedGrid, -1, kSolutionFailures, 0, options);
  if (made == kSolveCancelled)
    return kSolveCancelled;
  if (made < 1)
    return 0;
  solutionMade_ = true;
  ctx_.Host->StepWaitProgress(-1);

  CarvingRequest request;
  request.Steps = run_.Settings.StepDisplay;
  const CarvingOutcome carved = FindGridWithStatistics(ctx_, grid, run_, request);
  if (carved.Status == kSolveCancelled)
    return kSolveCancelled;
  if (carved.Status < 0) {
    PostOutcome(ctx_, kMsgGenerationError, nullptr);
    return 0;
  }

  int count = SearchLinkedSolutions(ctx_, 0, 0, kUniqueLimit, 0);
  if (count == kSolveCancelled)
    return kSolveCancelled;
  ctx_.Host->StepWaitProgress(-1);
  if (!Unique()) {
    report_.Solutions = count;
    return 1;
  }
  // A count out of time is met as several solutions are: by givens from the solution.
  if (count > 1 || count == kSolveTimeOut) {
    int added = 0;
    count = AddGivensUntilUnique(ctx_, RangeOfGrids(ctx_, 0), 1, added);
    if (count == kSolveCancelled)
      return kSolveCancelled;
  }
  report_.Solutions = count;
  if (count != 1)
    return 0;
  MakeValuesGivens(Grid());

  // The carved grid is dug first; each further dig starts from the whole solution and
  // takes its givens away in another random order: a new puzzle, far cheaper than a new
  // solution and its carving.
  const int digs = std::max(kFewestDigs, kDigCells / ctx_.Geo.NCells);
  for (int dig = 0; dig < digs; ++dig) {
    if (dig > 0)
      GiveWholeSolution();
    const int rating = OptimiseGridToLevel(ctx_, 0, run_.Level);
    if (rating == kSolveCancelled)
      return kSolveCancelled;
    report_.Rating = rating;
    KeepIfBetter(rating);
    if (rating == run_.Level)
      return 1;
  }
  return 0;
}

// The values of the puzzle, carved or added, are its givens.
void Generation::MakeValuesGivens(GridRecord &grid) {
  for (int c = 0; c < ctx_.Geo.NCells; ++c)
    if (grid.Cells[c].Status < kStatusConflict)
      grid.Cells[c].Status = kStatusFixed;
}

// Only the values come back: the clues and the cells' clue fields stay.
void Generation::GiveWholeSolution() {
  CopyGridCells(ctx_.Geo, kCopyValuePart, Grid(), ctx_.Grids.RefTab[0]);
  for (int c = 0; c < ctx_.Geo.NCells; ++c)
    Grid().Cells[c].Status = kStatusFixed;
}

void Generation::KeepIfBetter(int rating) {
  const int distance = std::abs(rating - run_.Level);
  if (best_.Distance >= 0 && distance >= best_.Distance)
    return;
  best_.Distance = distance;
  best_.Rating = rating;
  CopyGrid(ctx_, *best_.Grid, &Grid(), 0);
  CopyGrid(ctx_, *best_.Solution, &ctx_.Grids.RefTab[0], 0);
}

void Generation::PutBackBest() {
  if (best_.Distance < 0)
    return;
  CopyGrid(ctx_, Grid(), best_.Grid.get(), 0);
  CopyGrid(ctx_, ctx_.Grids.RefTab[0], best_.Solution.get(), 0);
  report_.Rating = best_.Rating;
  report_.Solutions = 1;
}

// The rules asked of the set that no grid kept: no clue of theirs fitted it.
void Generation::SayRulesLeftOut() {
  VariantWords asked;
  for (int k = 0; k < run_.GridCount; ++k)
    asked |= words_[static_cast<size_t>(k)];
  const VariantWords kept = GridSetRules(ctx_);
  std::string names;
  int count = 0;
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row) {
    const VariantWords rule = VariantCatalog[static_cast<size_t>(row)].VarMasks;
    if (Meets(asked, rule) && !Meets(kept, rule)) {
      names += (names.empty() ? "" : ", ") + RuleName(rule, ctx_.Settings.Language);
      ++count;
    }
  }
  if (count == 0)
    return;
  const bool french = ctx_.Settings.Language == kLanguageFrench;
  const std::string without =
      !kept.Any() ? (french ? "la grille est un sudoku sans règle." : "it is a plain sudoku.")
      : french ? (count == 1 ? "la grille se joue sans cette règle." : "la grille se joue sans ces règles.")
               : (count == 1 ? "it is played without that rule." : "it is played without those rules.");
  ctx_.Host->AddInfoMessage(french ? "Aucun indice de " + names + " n'a pu être placé : " + without
                                   : "No clue of " + names + " fitted the grid: " + without);
}

void Generation::Finish() {
  GridSet &set = ctx_.Grids;
  set.FocusGrid = 0;
  for (int slot = 0; slot < UsedMainCount(set); ++slot)
    MakeValuesGivens(set.Main[slot]);
  // A Double and Triple grid scores by the points table: it carries points as the catalogue's do.
  if (Meets(GridSetRules(ctx_), kVarNeighbourScore))
    GivePointsWhenNone(ctx_);
  if (!hidden_)
    MarkRefTabStates(ctx_, -1, 0);
  UpdatePossibles(ctx_, -1, kFilterDefault, -1, 1);

  if (set.RefTab[0].State != kGridConsistent || ctx_.GridSetState == kGridContradiction)
    PostOutcome(ctx_, kMsgGenerationError, nullptr);
  else if (hidden_)
    // Unique only when every grid was accepted.
    PostOutcome(ctx_, good_ == run_.GridCount ? kMsgGeneratedUnique : kMsgGeneratedSeveral, &report_.Name);
  else if (report_.Solutions == kSolveTimeOut) {
    // The count ran out of time: the player is told that one solution is not proven.
    PostOutcome(ctx_, kMsgGenerated, nullptr);
    ctx_.Host->AddInfoMessage(ByLanguage(
        ctx_, "Le comptage des solutions a dépassé le temps limite : la grille peut en avoir plusieurs.",
        "The count of solutions ran out of time: the grid may have more than one."));
  } else
    PostOutcome(ctx_, report_.Solutions == 1 ? kMsgGeneratedUnique : kMsgGeneratedSeveral, &report_.Name);
  if (!hidden_ && Meets(GridSetRules(ctx_), kVarMagicSentence))
    ctx_.Host->AddInfoMessage("Indication: " + ctx_.MagicSentence.Second);
  if (!hidden_)
    SayRulesLeftOut();

  for (int slot = 0; slot < UsedMainCount(set); ++slot)
    EndGridSearch(ctx_, set.Main[slot]);
  if (run_.Settings.AnimAction == 1)
    for (int i = 0; i < UsedOrderCount(set); ++i)
      HideGridContents(ctx_.Geo, 1, set.Main[set.Order[i]]);
  ctx_.Host->RedrawViewNow();
  ClearUndoHistory(ctx_);
  ctx_.Host->MarkDocumentModified(report_.Name);
  ctx_.Host->ClearDocumentModified();
  ctx_.Host->StopWaitProgress();

  const bool rules = CombinedGridVar(set, 1) != 0;
  ctx_.GridComments[kLanguageFrench] = hidden_ ? "Grille Générée par Quorbel avec Variantes cachées"
                                       : rules ? "Grille Générée par Quorbel avec Variantes"
                                               : "Grille Générée par Quorbel";
  ctx_.GridComments[kLanguageEnglish] = hidden_ ? "Grid Generated by Quorbel with masked Varients"
                                        : rules ? "Grid Generated by Quorbel with Varients"
                                                : "Grid Generated by Quorbel";

  // Recorded so that the macro player replays it: size, level, the two variant words, UNIQ.
  RecordedAction step{.Code = kMacroGenere};
  step.Ints[0] = ctx_.Geo.GridWidth;
  step.Strings[1] = LevelKeyword(run_.Level);
  step.Ints[1] = static_cast<int32_t>(ctx_.Settings.CurrentVariant.word1);
  step.Ints[2] = static_cast<int32_t>(ctx_.Settings.CurrentVariant.word2);
  step.Strings[3] = Unique() ? "UNIQ" : "";
  ctx_.Host->RecordMacroStep(step);
}

// One grid: tries until one is unique at the level. 1 kept, 0 none kept, -10 cancelled, -1
// when no solution could be made at all.
int Generation::RunSingle(int tries) {
  int kept = 0;
  for (int t = 0; t < tries && kept == 0; ++t)
    kept = Try();
  if (kept == kSolveCancelled)
    return kept;
  if (!solutionMade_)
    return -1;
  if (kept == 0)
    PutBackBest();
  return 1;
}

// Each grid under a rule of its own, which is then hidden; the set is renamed by a new seed.
int Generation::RunHidden() {
  DrawHiddenRules(ctx_, run_.GridCount, run_.CurrentWords & ~kVarTwinsVariantMasked);
  report_.Seed = run_.Settings.SeedOverride >= 0 ? (run_.Settings.SeedOverride & kRandomMax) : ClockSeed();
  ctx_.Random.Seed(static_cast<uint32_t>(report_.Seed));
  report_.Name = GridName(run_.Level, report_.Seed);
  const HiddenSetOutcome outcome = GenerateHiddenVariantSet(ctx_, run_);
  if (outcome.Result < 0)
    return outcome.Result;
  good_ = outcome.Good;
  report_.Solutions = good_ == run_.GridCount ? 1 : 2;
  return 1;
}

void Generation::Run() {
  GridSetKeeper keeper(ctx_);
  TimeOverSwap timeOver(ctx_, run_.Settings.GenereTimeOver);
  ctx_.Host->AddInfoMessage(ByLanguage(ctx_, "Démarre Génération", "Start Generation"));
  ctx_.Methods.MaxMethodLevel = -1;

  run_.CurrentWords = GeneratedWords(ctx_.Settings.CurrentVariant);
  DrawGridWords();
  const int attempts = std::max(1, run_.Settings.MaxIterGener * run_.Settings.UniqSolution);
  const int tries = Unique() && run_.GridCount == 1 ? attempts * kTriesPerAttempt : attempts;
  ResetGridSet(ctx_, run_.GridCount);
  SetGridShape(ctx_, ctx_.Settings.GridCurrSize, 1, 0);
  // A step per grid filled and per attempt; a linked set made unique also steps once per given
  // it takes, most of its time, which the bar expects in proportion to its cells and level.
  const int givens = Unique() && run_.GridCount > 1
                         ? run_.GridCount * ctx_.Geo.NCells * (run_.Level + 1) / kCellsPerExpectedGiven
                         : 0;
  ctx_.Host->StartWaitProgress(ByLanguage(ctx_, "Génération Grille en cours.\nMerci de patienter...",
                                          "Grid Generation running.\nPlease Wait..."),
                               (run_.GridCount + 1) * tries + givens, true);

  int result = 0;
  if (hidden_) {
    result = RunHidden();
  } else if (run_.GridCount > 1) {
    const int count = GenerateLinkedSet(ctx_, run_, words_);
    report_.Solutions = count;
    result = count == kSolveCancelled ? kSolveCancelled : count == 0 ? -1 : 1;
  } else {
    result = RunSingle(tries);
  }
  // Cancelled, or no solution could be made at all (no irregular layout, say): the grids
  // go back as they were rather than leave a grid without a solution.
  if (result < 1) {
    PostOutcome(ctx_, kMsgGenerationError, nullptr);
    ctx_.Host->StopWaitProgress();
    keeper.PutBack();
    report_.Result = result == kSolveCancelled ? kSolveCancelled : -1;
    return;
  }
  Finish();
  report_.Result = 1;
}

} // namespace

// Magic Square and PanDigital have no generator: their clues are placed by hand.
VariantWords GeneratedRuleWords() {
  const VariantWords unmade = (ClueKindWords() & ~GeneratedClueWords()) | kVarMagicSquare | kVarPanDigital;
  return AllRuleWords() & ~unmade;
}

std::string UngeneratedRuleMessage(VariantWords words, int language) {
  const bool french = language == kLanguageFrench;
  if (const VariantWords left = words & ~GeneratedRuleWords(); left.Any()) {
    const std::string name = RuleName(left, language);
    return french ? "La règle " + name + " ne se génère pas : placez ses indices à la main."
                  : "The " + name + " rule cannot be generated: place its clues by hand.";
  }
  const VariantWords alone = RulesWithoutTheirClues(words);
  if (Meets(alone, kVarKimo))
    return french
               ? "Kimo prend les totaux des Killer et Little Killer modulo son nombre : choisissez l'une "
                 "de ces règles avec lui."
               : "Kimo takes the totals of Killer and Little Killer modulo its number: choose one of those "
                 "rules with it.";
  if (Meets(alone, kVarAllIndicated))
    return french
               ? "Tout Signifiant dit que tous les signes de Plus Petit, XV ou Dot sont donnés : choisissez "
                 "l'une de ces règles avec lui."
               : "All Indicated says that every mark of Less, XV or Dot is given: choose one of those rules "
                 "with it.";
  return {};
}

std::string UnplayedRuleMessage(VariantWords words, int width, int language) {
  const auto at = std::find(kSizeClassWidth.begin(), kSizeClassWidth.end(), width);
  if (at == kSizeClassWidth.end())
    return {};
  const int sizeClass = static_cast<int>(at - kSizeClassWidth.begin());
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row) {
    const VariantWords rule = VariantCatalog[static_cast<size_t>(row)].VarMasks;
    if (!Meets(words, rule) || VariantAvailability(sizeClass, row) == 1)
      continue;
    const std::string name = RuleName(rule, language);
    const std::string size = std::to_string(width) + "x" + std::to_string(width);
    return language == kLanguageFrench ? "La règle " + name + " ne se joue pas en " + size + "."
                                       : "The " + name + " rule is not played at " + size + ".";
  }
  return {};
}

GenerationReport GenerateGrid(EngineContext &ctx, const GeneratorSettings &settings, int level) {
  GenerationReport report;
  report.Level = TableLevel(level);
  // A rule the generator cannot make is refused before anything changes.
  if (const std::string refusal = UngeneratedRuleMessage(ctx.Settings.CurrentVariant, ctx.Settings.Language);
      !refusal.empty()) {
    ctx.Host->AddInfoMessage(refusal);
    report.Result = -1;
    return report;
  }
  if (!ctx.Host->QuerySaveDocument())
    return report;
  report.Seed = settings.SeedOverride >= 0 ? (settings.SeedOverride & kRandomMax) : ClockSeed();
  ctx.Random.Seed(static_cast<uint32_t>(report.Seed));
  report.Name = GridName(report.Level, report.Seed);
  // The run's counts ask only whether a grid has one solution.
  const int32_t uniquenessOnly = std::exchange(ctx.Settings.UniquenessOnly, 1);
  Generation(ctx, settings, report).Run();
  ctx.Settings.UniquenessOnly = uniquenessOnly;
  return report;
}

} // namespace quorbel
