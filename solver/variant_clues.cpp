#include "solver/variant_clues.h"

#include <array>

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

enum ClueKindIndex : int {
  kClueLittleKiller = 1,
  kClueKillerSum = 2,
  kClueLess = 3,
  kClueOdd = 4,
  kClueXV = 5,
  kClueDistance = 6,
  kCluePuzzle = 7,
  kClueDot = 8,
  kClueTiled = 9,
  kClueTrio = 10,
  kClueOutside = 11,
  kClueFrameSum = 12,
  kClueFrameProduct = 13,
  kClueKillerProduct = 14,
  kClueDomino = 15,
  kCluePencil = 16,
  kClueNumeral = 17,
  kClueOddPair = 18,
  kClueOddview = 19,
  kClueQuad = 20,
  kClueClock = 21,
  kClueRomain = 22,
  kClueSkyScraper = 23,
  kClueArrow = 24,
  kClueCreasing = 25,
  kClueEquality = 26,
  kClueWheel = 27,
  kClueNavigator = 28,
  kClueLastNumber = 29,
  kClueChess = 30,
  kClueFrameMax = 31,
  kClueMasterMind = 32,
  kClueTwinsMultiple = 34,
  kClueTwinsSameInLine = 35,
};
constexpr int kLastEntryOfTheLoop = 35; // the later entries are whole-grid steps

// The kinds whose generator is built, by their entry in the clue table.
constexpr int kBuiltKinds[] = {kClueLittleKiller,
                               kClueKillerSum,
                               kClueLess,
                               kClueOdd,
                               kClueXV,
                               kClueDistance,
                               kClueDot,
                               kClueOutside,
                               kClueFrameSum,
                               kClueFrameProduct,
                               kClueKillerProduct,
                               kClueOddPair,
                               kClueOddview,
                               kClueQuad,
                               kClueSkyScraper,
                               kClueArrow,
                               kClueCreasing,
                               kClueLastNumber,
                               kClueFrameMax,
                               kClueNavigator,
                               kClueChess,
                               kCluePirate,
                               kClueTrio,
                               kClueDomino,
                               kCluePencil,
                               kClueNumeral,
                               kClueClock,
                               kClueRomain,
                               kClueEquality,
                               kClueWheel,
                               kClueMasterMind,
                               kClueMagicSentence,
                               kClueDan,
                               kCluePuzzle,
                               kClueTiled,
                               kClueBattleShip,
                               kClueTwinsRelation,
                               kClueTwinsMultiple,
                               kClueTwinsSameInLine};

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

// Runs entry i's generator; 0 for a kind whose generator is not built.
int RunGenerator(int i, const ClueJob &job, GenerationRun &run) {
  const int slot = MainGridSlot(job.Ctx.Grids, job.Grid);
  switch (i) {
  case kClueTwinsRelation:
    return slot > 0 ? GenerateTwinsRelations(job, RelationPartner(job.Grid, slot)) : 0;
  case kClueTwinsMultiple:
    return slot > 0 ? RunTwinsMultiple(job, run, slot) : 0;
  case kClueTwinsSameInLine:
    return slot > 0 ? GenerateTwinsSameInLine(job, slot - 1) : 0;
  case kClueTrio:
    return GenerateTrioClasses(job, run.ValueClassesDrawn);
  case kClueDomino:
    return GenerateDominoSets(job);
  case kCluePencil:
    return GeneratePencilMarks(job);
  case kClueNumeral:
    return GenerateNumeralLetters(job);
  case kClueClock:
    return GenerateClockSegments(job);
  case kClueRomain:
    return GenerateRomanSets(job);
  case kClueEquality:
    return GenerateEqualityGroups(job);
  case kClueWheel:
    return GenerateWheels(job);
  case kClueMasterMind:
    return GenerateMasterMind(job);
  case kClueLittleKiller:
    return GenerateLittleKillerClues(job);
  case kClueKillerSum:
    return GenerateKillerCages(job, 0);
  case kClueKillerProduct:
    return GenerateKillerCages(job, 1);
  case kClueLess:
    return GenerateLessClues(job);
  case kClueOdd:
    return GenerateOddEvenClues(job);
  case kClueXV:
    return GenerateXVClues(job);
  case kClueDistance:
    return GenerateDistanceClues(job);
  case kClueDot:
    return GenerateDotClues(job);
  case kClueOddPair:
    return GenerateOddPairClues(job);
  case kClueQuad:
    return GenerateQuadClues(job);
  case kClueOutside:
    return GenerateOutsideClues(job);
  case kClueFrameSum:
    return GenerateFrameClues(job, 1);
  case kClueFrameProduct:
    return GenerateFrameClues(job, 2);
  case kClueFrameMax:
    return GenerateFrameClues(job, 6);
  case kClueOddview:
    return GenerateOddviewClues(job);
  case kClueSkyScraper:
    return GenerateSkyScraperClues(job);
  case kClueArrow:
    return GenerateArrows(job);
  case kClueCreasing:
    return GenerateCreasingLines(job);
  case kClueLastNumber:
    return GenerateLastNumberClues(job);
  case kClueNavigator:
    return GenerateNavigatorArrows(job);
  case kClueChess:
    return GenerateChessFigures(job);
  case kCluePuzzle:
    return GeneratePuzzlePieces(job, job.Ctx.Settings.PuzzlePieceUnique == 1,
                                job.Ctx.Settings.PuzzleRotation == 1);
  case kClueTiled:
    return GenerateTiledPieces(job);
  default: // Pirate has no clue: its rule alone makes the grid
    return 0;
  }
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
  VariantWords words = HiddenVariantTable[kClueTransfer].Words;
  for (int i : kBuiltKinds)
    words |= HiddenVariantTable[i].Words;
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

  for (int i = 0; i <= kLastEntryOfTheLoop; ++i) {
    const VariantWords words = HiddenVariantTable[i].Words;
    if (Meets(words, grid.GridVar) && tables.Allocated[i] != 0) {
      tables.Result[i] = RunGenerator(i, jobOf(i), run);
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
  LinkPartnersOfGrids(ctx.Grids);

  int total = 0;
  for (int result : tables.Result)
    total += result;
  return total;
}

} // namespace quorbel
