#include "solver/variant_clues.h"

#include <array>
#include <memory>
#include <vector>

#include "engine/engine_context.h"
#include "engine/grid_cells.h"
#include "engine/grid_set.h"
#include "engine/puzzle_pieces.h"
#include "platform/random.h"
#include "solver/clue_generator_family.h"
#include "solver/generation_run.h"
#include "solver/hidden_variant_table.h"

namespace quorbel {

namespace {

// The grid a Twins Relation grid is related to: its link, else the grid before it.
int RelationPartner(const GridRecord &grid, int slot) {
  return grid.Lists.TwinsPartner >= 0 ? grid.Lists.TwinsPartner : slot - 1;
}

// Relation Multiple groups towards the grid before; the grid before the last also gives the
// last grid a group towards itself, once the last grid is carved.
int RunTwinsMultiple(const ClueJob &job, GenerationRun &run, int slot) {
  int made = GenerateTwinsMultipleGroup(job, job.Grid, slot - 1);
  const int last = run.GridCount - 1;
  if (slot == last - 1 && last < static_cast<int>(run.Carved.size()) && run.Carved[static_cast<size_t>(last)])
    made += GenerateTwinsMultipleGroup(job, job.Ctx.Grids.Main[static_cast<size_t>(last)], slot) > 0 ? 1 : 0;
  return made;
}

// The clue generators by the row they make clues for; Pirate needs no clue, and the steps over
// the whole grid (Transfer, Dan, Magic Sentence, Battle Ship) run before these.
using ClueGenerator = int (*)(const ClueJob &job, GenerationRun &run, int slot);
struct GeneratorEntry {
  RuleRow Row;
  ClueGenerator Make;
};
constexpr GeneratorEntry kGenerators[] = {
    {RuleRow::TwinsRelation,
     [](const ClueJob &job, GenerationRun &, int slot) {
       return slot > 0 ? GenerateTwinsRelations(job, RelationPartner(job.Grid, slot)) : 0;
     }},
    {RuleRow::TwinsRelationMultiple,
     [](const ClueJob &job, GenerationRun &run, int slot) {
       return slot > 0 ? RunTwinsMultiple(job, run, slot) : 0;
     }},
    {RuleRow::TwinsSameInLine,
     [](const ClueJob &job, GenerationRun &, int slot) {
       return slot > 0 ? GenerateTwinsSameInLine(job, slot - 1) : 0;
     }},
    {RuleRow::Trio, [](const ClueJob &job, GenerationRun &run,
                       int) { return GenerateTrioClasses(job, run.ValueClassesDrawn); }},
    {RuleRow::Domino, [](const ClueJob &job, GenerationRun &, int) { return GenerateDominoSets(job); }},
    {RuleRow::PencilMark, [](const ClueJob &job, GenerationRun &, int) { return GeneratePencilMarks(job); }},
    {RuleRow::Numeral, [](const ClueJob &job, GenerationRun &, int) { return GenerateNumeralLetters(job); }},
    {RuleRow::DigitalClock,
     [](const ClueJob &job, GenerationRun &, int) { return GenerateClockSegments(job); }},
    {RuleRow::Romain, [](const ClueJob &job, GenerationRun &, int) { return GenerateRomanSets(job); }},
    {RuleRow::Equality, [](const ClueJob &job, GenerationRun &, int) { return GenerateEqualityGroups(job); }},
    {RuleRow::Wheel, [](const ClueJob &job, GenerationRun &, int) { return GenerateWheels(job); }},
    {RuleRow::MasterMind, [](const ClueJob &job, GenerationRun &, int) { return GenerateMasterMind(job); }},
    {RuleRow::LittleKiller,
     [](const ClueJob &job, GenerationRun &, int) { return GenerateLittleKillerClues(job); }},
    {RuleRow::KillerSum,
     [](const ClueJob &job, GenerationRun &, int) { return GenerateKillerCages(job, 0); }},
    {RuleRow::KillerProduct,
     [](const ClueJob &job, GenerationRun &, int) { return GenerateKillerCages(job, 1); }},
    {RuleRow::Less, [](const ClueJob &job, GenerationRun &, int) { return GenerateLessClues(job); }},
    {RuleRow::Odd, [](const ClueJob &job, GenerationRun &, int) { return GenerateOddEvenClues(job); }},
    {RuleRow::XV, [](const ClueJob &job, GenerationRun &, int) { return GenerateXVClues(job); }},
    {RuleRow::Distance, [](const ClueJob &job, GenerationRun &, int) { return GenerateDistanceClues(job); }},
    {RuleRow::Dot, [](const ClueJob &job, GenerationRun &, int) { return GenerateDotClues(job); }},
    {RuleRow::OddPair, [](const ClueJob &job, GenerationRun &, int) { return GenerateOddPairClues(job); }},
    {RuleRow::QuadMax, [](const ClueJob &job, GenerationRun &, int) { return GenerateQuadClues(job); }},
    {RuleRow::Outside, [](const ClueJob &job, GenerationRun &, int) { return GenerateOutsideClues(job); }},
    {RuleRow::FrameSum, [](const ClueJob &job, GenerationRun &, int) { return GenerateFrameClues(job, 1); }},
    {RuleRow::FrameProduct,
     [](const ClueJob &job, GenerationRun &, int) { return GenerateFrameClues(job, 2); }},
    {RuleRow::FrameMax, [](const ClueJob &job, GenerationRun &, int) { return GenerateFrameClues(job, 6); }},
    {RuleRow::Oddview, [](const ClueJob &job, GenerationRun &, int) { return GenerateOddviewClues(job); }},
    {RuleRow::SkyScraper,
     [](const ClueJob &job, GenerationRun &, int) { return GenerateSkyScraperClues(job); }},
    {RuleRow::Arrow, [](const ClueJob &job, GenerationRun &, int) { return GenerateArrows(job); }},
    {RuleRow::CreasingLines,
     [](const ClueJob &job, GenerationRun &, int) { return GenerateCreasingLines(job); }},
    {RuleRow::LastNumber,
     [](const ClueJob &job, GenerationRun &, int) { return GenerateLastNumberClues(job); }},
    {RuleRow::Navigator,
     [](const ClueJob &job, GenerationRun &, int) { return GenerateNavigatorArrows(job); }},
    {RuleRow::Chess, [](const ClueJob &job, GenerationRun &, int) { return GenerateChessFigures(job); }},
    {RuleRow::Puzzle,
     [](const ClueJob &job, GenerationRun &, int) {
       return GeneratePuzzlePieces(job, job.Ctx.Settings.PuzzlePieceUnique == 1,
                                   job.Ctx.Settings.PuzzleRotation == 1);
     }},
    {RuleRow::Tiled, [](const ClueJob &job, GenerationRun &, int) { return GenerateTiledPieces(job); }},
};

constexpr int kCluePuzzle = ClueKindOf(RuleRow::Puzzle);
constexpr int kClueTiled = ClueKindOf(RuleRow::Tiled);
constexpr int kClueMasterMind = ClueKindOf(RuleRow::MasterMind);
constexpr int kLastEntryOfTheLoop = kClueBattleShip - 1; // the later entries are whole-grid steps

// The generators by kind, null for Pirate.
constexpr std::array<ClueGenerator, kHiddenVariantKinds> GeneratorsByKind() {
  std::array<ClueGenerator, kHiddenVariantKinds> byKind{};
  for (const GeneratorEntry &entry : kGenerators)
    byKind[static_cast<size_t>(ClueKindOf(entry.Row))] = entry.Make;
  return byKind;
}
constexpr std::array<ClueGenerator, kHiddenVariantKinds> kGeneratorOfKind = GeneratorsByKind();

// Every kind laid list by list has its generator, and no generator stands outside the loop.
constexpr bool GeneratorsCoverTheLoop() {
  for (int i = 0; i < kHiddenVariantKinds; ++i)
    if ((kGeneratorOfKind[static_cast<size_t>(i)] != nullptr) !=
        (i <= kLastEntryOfTheLoop && i != kCluePirate))
      return false;
  return std::size(kGenerators) == static_cast<size_t>(kLastEntryOfTheLoop);
}
static_assert(GeneratorsCoverTheLoop(), "a clue kind of the loop has no generator, or one twice");

// Runs entry i's generator; 0 for Pirate, whose rule alone makes the grid.
int RunGenerator(int i, const ClueJob &job, GenerationRun &run) {
  const ClueGenerator make = kGeneratorOfKind[static_cast<size_t>(i)];
  return make ? make(job, run, MainGridSlot(job.Ctx.Grids, job.Grid)) : 0;
}

// The pieces just made get their records and turns for play.
void ReadyPieces(EngineContext &ctx, GridRecord &grid) {
  ResetRegionTables(ctx.Geo, grid);
  NormalisePuzzlePieces(ctx, grid);
}

// A Kimo grid without a modulus draws one that suits its width.
void DrawKimoModulus(Random15 &random, const GridGeometry &geo, GridRecord &grid) {
  if (!Meets(grid.GridVar, kVarKimo) || grid.Lists.KimoModulus != 0)
    return;
  static constexpr std::array<int, 3> k4 = {2, 3, 5};
  static constexpr std::array<int, 4> k8 = {5, 7, 9, 10};
  static constexpr std::array<int, 4> k9 = {7, 9, 10, 11};
  static constexpr std::array<int, 3> k16 = {10, 11, 13};
  const int w = geo.GridWidth;
  if (w == 4)
    grid.Lists.KimoModulus = k4[RandomBelow(random, 3)];
  else if (w <= 8)
    grid.Lists.KimoModulus = k8[RandomBelow(random, 4)];
  else if (w == 9)
    grid.Lists.KimoModulus = k9[RandomBelow(random, 4)];
  else
    grid.Lists.KimoModulus = k16[RandomBelow(random, 3)];
}

// What a generator may change of its grid: the clue lists and the cells' clue fields (and
// givens, in the all-clues mode). A kind whose result drops its rule gets them back as they were,
// so that the grid holds no clue of a rule it does not hold.
class ClueKindSnapshot {
public:
  void Take(const GridRecord &grid) {
    *lists_ = grid.Lists;
    cells_ = grid.Cells;
  }
  void PutBack(GridRecord &grid) const {
    grid.Lists = *lists_;
    grid.Cells = cells_;
  }

private:
  std::unique_ptr<VariantLists> lists_ = std::make_unique<VariantLists>();
  std::vector<CellRecord> cells_;
};

// The solution's cells name the grid's MasterMind lines as its own cells do.
void CopyMasterMindLinesToSolution(EngineContext &ctx, const GridRecord &grid) {
  const int slot = MainGridSlot(ctx.Grids, grid);
  if (slot < 0)
    return;
  GridRecord &solution = ctx.Grids.RefTab[static_cast<size_t>(slot)];
  for (int c = 0; c < ctx.Geo.NCells; ++c)
    solution.Cells[static_cast<size_t>(c)].MasterMindLine = grid.Cells[static_cast<size_t>(c)].MasterMindLine;
}

// Kimo and All Indicated go with the last rule whose clues they change.
void DropRulesWithoutTheirClues(GridRecord &grid) {
  const VariantWords alone = RulesWithoutTheirClues(grid.GridVar);
  grid.GridVar &= ~alone;
  if (Meets(alone, kVarKimo))
    grid.Lists.KimoModulus = 0;
}

// A Twins Zone link makes its partner a Relation grid; a Substitution grid makes its linked
// grid one too.
void LinkPartnersOfGrids(GridSet &set) {
  for (int slot = 0; slot < UsedMainCount(set); ++slot) {
    const GridRecord &grid = set.Main[static_cast<size_t>(slot)];
    for (const TwinsZoneLink &link : grid.Lists.TwinsZone.Used())
      if (link.OtherGrid >= 0 && link.OtherGrid < UsedMainCount(set))
        set.Main[static_cast<size_t>(link.OtherGrid)].GridVar |= kVarTwinsRelation;
    const int partner = grid.Lists.TwinsPartner;
    if (Meets(grid.GridVar, kVarTwinsSubstitution) && partner >= 0 && partner < UsedMainCount(set))
      set.Main[static_cast<size_t>(partner)].GridVar |= kVarTwinsSubstitution;
  }
}

} // namespace

const GridGeometry &ClueJob::Geo() const { return Ctx.Geo; }
Random15 &ClueJob::Random() const { return Ctx.Random; }

VariantWords GeneratedClueWords() {
  VariantWords words = kVarPirate | kVarTransfer | kVarDan | kVarMagicSentence | kVarBattleShip;
  for (const GeneratorEntry &entry : kGenerators)
    words |= RuleOf(entry.Row).Bit;
  return words;
}

int GenerateVariantClues(EngineContext &ctx, GridRecord &grid, GenerationRun &run) {
  ClueTables &tables = run.Clues;
  tables.Result.fill(0);
  const GridRecord &solution = GetRefTab(ctx.Grids, grid);
  const bool all = tables.DepthIsMax == 1 || Meets(grid.GridVar, kVarAllIndicated);
  auto jobOf = [&](int i) {
    ClueJob job{ctx, grid, solution, tables.Allocated[i], run.Settings.Clues.Factor[i], TableLevel(run.Level),
                all};
    job.OddEvenKind = &run.OddEvenKind;
    job.Minimum = run.Settings.Clues.Minimum[i];
    job.VarDepth = run.Settings.VarDepth;
    return job;
  };

  // The whole-grid steps.
  if (Meets(grid.GridVar, kVarTransfer)) {
    GenerateTransferPattern(jobOf(kClueTransfer));
    tables.Result[kClueTransfer] = std::max(tables.Allocated[kClueTransfer], 1);
  }
  if (Meets(grid.GridVar, kVarDan)) {
    const int total = tables.Allocated[kClueDan];
    const ClueJob job = jobOf(kClueDan);
    GenerateDanZone(job, total);
    tables.Result[kClueDan] = grid.Lists.Dan.NCells > 0 ? std::max(total, 1) : 0;
  }
  if (Meets(grid.GridVar, kVarMagicSentence) && GenerateMagicSentence(jobOf(kClueMagicSentence)) > 0)
    tables.Result[kClueMagicSentence] = std::max(tables.Allocated[kClueMagicSentence], 1);
  if (Meets(grid.GridVar, kVarBattleShip)) {
    const int total = tables.Allocated[kClueBattleShip];
    GenerateBattleShip(jobOf(kClueBattleShip), total, ctx.Settings.PuzzlePieceUnique == 1);
    tables.Result[kClueBattleShip] = grid.Lists.Pieces.Size() > 0 ? std::max(total, 1) : 0;
    grid.Lists.PuzzleRotation = 1;
    ReadyPieces(ctx, grid);
  }
  DrawKimoModulus(ctx.Random, ctx.Geo, grid);
  grid.Lists.Killer.Clear();

  ClueKindSnapshot before;
  for (int i = 0; i <= kLastEntryOfTheLoop; ++i) {
    const VariantWords words = HiddenVariantTable[i].Words;
    if (Meets(words, grid.GridVar) && tables.Allocated[i] != 0) {
      before.Take(grid);
      tables.Result[i] = RunGenerator(i, jobOf(i), run);
      if (tables.Result[i] == 0 && i != kCluePirate) {
        before.PutBack(grid);
        // The MasterMind lines are marked on the solution too.
        if (i == kClueMasterMind)
          CopyMasterMindLinesToSolution(ctx, grid);
      }
      if (i == kCluePuzzle)
        grid.Lists.PuzzleRotation = static_cast<int16_t>(ctx.Settings.PuzzleRotation == 1 ? 1 : 0);
      if (i == kCluePuzzle || i == kClueTiled)
        ReadyPieces(ctx, grid);
    }
    // Pirate needs no clue: its rule stays without one.
    if (tables.Result[i] == 0 && i != kCluePirate)
      grid.GridVar &= ~words;
  }
  for (int i = kLastEntryOfTheLoop + 1; i < kHiddenVariantKinds; ++i)
    if (i != kClueTransfer && tables.Result[i] == 0)
      grid.GridVar &= ~HiddenVariantTable[i].Words;
  DropRulesWithoutTheirClues(grid);
  LinkPartnersOfGrids(ctx.Grids);

  int total = 0;
  for (int result : tables.Result)
    total += result;
  return total;
}

} // namespace quorbel
