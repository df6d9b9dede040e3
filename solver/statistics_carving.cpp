// The carving stages in order: blank counts, clue budget, pattern checks, random blanks,
// clue data, statistics. The GENERATION values come from the run's in-memory settings:
// nothing here reads or writes the settings store, so the generator's own TIMEOVER stays
// in force for the whole run.
#include "solver/statistics_carving.h"
#include "engine/message_numbers.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/grid_copy.h"
#include "engine/grid_shape.h"
#include "engine/propagate.h"
#include "engine/update_possibles.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "solver/carving_blank_counts.h"
#include "solver/carving_patterns.h"
#include "solver/carving_trace.h"
#include "solver/clue_budget.h"
#include "solver/count_time_share.h"
#include "solver/generation_run.h"
#include "solver/random_solution.h"
#include "solver/search.h"

namespace quorbel {

namespace {

constexpr int kFullDepth = 100;
constexpr int kPirateValue = 5;

// How many solution fives the Pirate rule keeps, by GRIDCURRDIFFICULTY.
int PirateKeptFives(int difficulty, int width) {
  const int fives = difficulty == 2 ? 2 : difficulty < 3 ? 6 : 0;
  return std::min(fives, width);
}

class Carving {
public:
  Carving(EngineContext &ctx, GridRecord &grid, GenerationRun &run, const CarvingRequest &request)
      : ctx_(ctx), geo_(ctx.Geo), grid_(grid), run_(run), request_(request), steps_(request.Steps) {}

  CarvingOutcome Run();

private:
  void Stage(std::string_view text) { ShowGenerationStep(ctx_, text, steps_); }
  int CountUndecided() const {
    int n = 0;
    for (int c = 0; c < geo_.NCells; ++c)
      n += grid_.Cells[c].Status == kCarveUndecided ? 1 : 0;
    return n;
  }
  int PlannedBlanks(BlankPlan &plan);
  void AllotClueBudget(int &blanks, int &kept);
  void KeepPirateFives();
  int BlankPirateFives();
  void BlankAtRandom(int count);
  int MakeClues();
  int BuyBackGivens(int extra, int blanks);
  CarvingOutcome Cancelled() {
    trace_.Close();
    return {kSolveCancelled, 0};
  }

  EngineContext &ctx_;
  const GridGeometry &geo_;
  GridRecord &grid_;
  GenerationRun &run_;
  const CarvingRequest &request_;
  int steps_;
  CarvingTrace trace_;
  std::unique_ptr<GridRecord> solution_ = std::make_unique<GridRecord>();
};

int Carving::PlannedBlanks(BlankPlan &plan) {
  plan = DrawBlankPlan(ctx_.Random, geo_.GridWidth, run_.Level);
  int blanks = CorrectBlanksForRules(ctx_, grid_, run_, plan.Blanks);
  if (request_.Blanks >= 0)
    blanks = request_.Blanks;
  return std::clamp(blanks, 0, geo_.NCells);
}

// The clue kinds replace givens: their share of the budget is blanked on top.
void Carving::AllotClueBudget(int &blanks, int &kept) {
  if (!grid_.GridVar.Any())
    return;
  int depth = run_.Settings.VarDepth;
  if (request_.Depth != -1) {
    depth = request_.Depth;
  } else if (request_.Budget != -1) {
    AllocateClueCounts(ctx_.Random, geo_, grid_.GridVar, run_, depth == kFullDepth ? 1 : 0, request_.Budget,
                       blanks);
    return;
  }
  const int allotted = AllocateClueCounts(ctx_.Random, geo_, grid_.GridVar, run_, depth == kFullDepth ? 1 : 0,
                                          ClueBudget(depth, kept), blanks);
  blanks = std::min(blanks + allotted, geo_.NCells);
  kept = geo_.NCells - blanks;
}

// Pirate: some solution fives stay, one per block, drawn among the blocks whose five is
// still undecided.
void Carving::KeepPirateFives() {
  const int width = geo_.GridWidth;
  if (!Meets(grid_.GridVar, kVarPirate) || width < kPirateValue)
    return;
  const int wanted = PirateKeptFives(run_.Settings.GridCurrDifficulty, width);
  for (int marked = 0; marked < wanted; ++marked) {
    const int start = RandomBelow(ctx_.Random, width);
    bool found = false;
    for (int i = 0; i < width && !found; ++i)
      for (int k = 0; k < width && !found; ++k) {
        CellRecord &cell = grid_.Cells[grid_.BlockCells[(start + i) % width][k]];
        if (cell.Value == kPirateValue && cell.Status == kCarveUndecided) {
          cell.Status = kCarveKept;
          found = true;
        }
      }
    if (!found)
      return;
  }
}

// Pirate at the Terrible level: every undecided five goes, counted among the blanks.
int Carving::BlankPirateFives() {
  if (!Meets(grid_.GridVar, kVarPirate) || run_.Settings.GridCurrDifficulty <= 3)
    return 0;
  int blanked = 0;
  for (int c = 0; c < geo_.NCells; ++c)
    if (grid_.Cells[c].Status == kCarveUndecided && grid_.Cells[c].Value == kPirateValue) {
      SetCellValue(ctx_, grid_, c, 0, kActionClear);
      ++blanked;
    }
  return blanked;
}

// Each draw scans on from a random cell to the next undecided one, so it always ends.
void Carving::BlankAtRandom(int count) {
  for (int pass = 0; pass < count; ++pass) {
    const int start = RandomBelow(ctx_.Random, geo_.NCells);
    int cell = -1;
    for (int i = 0; i < geo_.NCells && cell < 0; ++i)
      if (grid_.Cells[(start + i) % geo_.NCells].Status == kCarveUndecided)
        cell = (start + i) % geo_.NCells;
    if (cell < 0)
      return;
    SetCellValue(ctx_, grid_, cell, 0, kActionClear);
    trace_.Write("Randomn(n=%d): pos=%d\n", pass, cell);
  }
}

// The clue kinds' data; without a clue generator no kind gets any, and a kind without
// clues leaves the grid's words.
int Carving::MakeClues() {
  if (!grid_.GridVar.Any())
    return 1;
  run_.Clues.Result.fill(0);
  if (run_.MakeClues)
    return run_.MakeClues(ctx_, grid_, run_);
  grid_.GridVar &= ~ClueKindWords();
  return 0;
}

// Adds back, one per pass, the given whose solution value the remaining solutions share
// least, until the grid is unique or the extra passes are spent. -10 when cancelled.
int Carving::BuyBackGivens(int extra, int blanks) {
  auto scratch = std::make_unique<GridRecord>();
  // The pick reads only a tally of the first solutions met, and any tree gives a fair one: a
  // classic puzzle takes the quicker order-free walk. Puzzles with rules or links keep theirs,
  // and so the grids they are carved to.
  const bool classic = run_.GridCount == 1 && !run_.CurrentWords.Any() && !HasVariantRules(grid_);
  const CountWalk walk{.orderFree = classic};
  // The passes share one count's time limit: a grid whose tallies run long is left to the
  // repair that follows, which gives it what it lacks from its solution.
  CountTimeShare share(ctx_, ctx_.Settings.TimeOver);
  for (int pass = 1; pass <= extra && !share.Spent(); ++pass) {
    if (request_.Messages == 1)
      ctx_.Host->ReplaceInfoMessage("Do Optimisation ... " + std::to_string(pass), 0);
    Stage("using statistics on Search Solutions time:" + std::to_string(pass));
    CopyGrid(ctx_, *scratch, &grid_, 0);
    Propagate(ctx_, *scratch, kFilterAlways, 0);
    const int cell = share.Run([&] { return PickLeastFrequentCell(ctx_, *scratch, *solution_, walk); });
    if (cell == kSolveCancelled)
      return kSolveCancelled;
    if (cell < 0)
      break;
    const int value = solution_->Cells[cell].Value;
    SetCellValue(ctx_, grid_, cell, value, kActionPlaceFixed);
    trace_.Write("Prob(n=%d): pos=%d val=%d\n", blanks, cell, value);
    UpdatePossibles(ctx_, -1, kFilterDefault, -1, 1);
  }
  return 1;
}

CarvingOutcome Carving::Run() {
  const int cells = geo_.NCells;
  if (request_.Messages == 1) {
    const std::array<MessageArg, 1> args = {kHelpGeneration};
    ctx_.Host->ReplaceMessage(kMsgGridMask, args);
  }
  CopyGrid(ctx_, *solution_, &grid_, 0);

  BlankPlan plan;
  int blanks = PlannedBlanks(plan);
  int kept = cells - blanks;
  for (int c = 0; c < cells; ++c)
    grid_.Cells[c].Status = kCarveUndecided;
  Stage("Original in FIND");
  AllotClueBudget(blanks, kept);

  if (steps_ == 1) {
    const std::string &path = run_.Settings.TraceFile;
    trace_ = CarvingTrace(path.empty() ? MakeAbsolutePath(kCarvingTraceName) : path);
    if (!trace_.On())
      steps_ = 0;
  }
  trace_.Write("Full start:%d  Blank:%d  Full after Varient:%d\n", cells - blanks, blanks, kept);

  KeepPirateFives();
  for (PatternCheck check : kPatternChecks) {
    Stage(PatternCheckStage(check));
    if (RunPatternCheck(ctx_, grid_, check, kept, trace_) == kSolveCancelled)
      return Cancelled();
  }

  const int undecided = CountUndecided();
  const int extra =
      std::max(0, std::min(request_.Extra >= 0 ? request_.Extra : plan.Extra, undecided - blanks));
  trace_.Write("NCount:%d  N+blank:%d  Nalgo:%d\n", undecided, extra, 0);
  blanks = std::max(0, blanks - BlankPirateFives());

  Stage("Set Randomly blanc values");
  BlankAtRandom(blanks + extra);
  Stage("keep only non blank lines");
  trace_.Write("NCount:%d  N+blank:%d  Nalgo:%d\n", CountUndecided(), extra, 0);
  for (int c = 0; c < cells; ++c)
    if (grid_.Cells[c].Status == kCarveUndecided)
      grid_.Cells[c].Status = kCarveKept;

  const int clueTotal = MakeClues();
  const int slot = MainGridSlot(ctx_.Grids, grid_);
  if (slot >= 0)
    BuildGridTables(ctx_, 0, 0, slot);
  Stage("Do a solve on existing data");
  UpdatePossibles(ctx_, -1, kFilterDefault, -1, 1);

  if (BuyBackGivens(extra, blanks) == kSolveCancelled)
    return Cancelled();
  trace_.Close();
  EndGridSearch(ctx_, grid_);
  return {1, clueTotal};
}

} // namespace

CarvingOutcome FindGridWithStatistics(EngineContext &ctx, GridRecord &grid, GenerationRun &run,
                                      const CarvingRequest &request) {
  return Carving(ctx, grid, run, request).Run();
}

} // namespace quorbel
