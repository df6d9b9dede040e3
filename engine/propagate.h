// The candidate propagation driver: brings one grid's unit summaries, candidates and
// state up to date, runs the rule filters until none changes anything and the rule
// checks in their fixed order, and picks the open cell to branch on.
// After Propagate: State 3 (complete, consistent), 8 (open cells remain) or 5 (a
// conflict, or a cell without candidates); SudMissing counts the open cells; TheMinPoss
// is the open cell with the fewest candidates (-1 when none).
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/grid_record.h"
#include "engine/variant_bits.h"

namespace quorbel {

struct EngineContext;

// Filter modes of FilterConstraints and UpdatePossibles.
enum FilterMode : int {
  kFilterDefault = -1,   // UpdatePossibles only: the methods panel's variant-filter switch
  kFilterNone = 0,       // no rule filter
  kFilterIfSwitchOn = 1, // the rule filters when the variant-filter switch is on
  kFilterAlways = 2,     // the rule filters whenever the grid has a filtered rule (the search's mode)
};

// The rules that have a filter. Outside them FilterConstraints runs no rule filter.
constexpr VariantWords kFilteredVariants = {0xE3FFB1FEu, 0x3E9FEFFFu};

// Whether a filter mode lets the filters run: mode 2 (the search's) always, any other
// mode when bit 0 of (mode AND the methods panel's variant-filter switch) is set; and
// whether the rule filters themselves run, which also needs a rule that has a filter.
bool FilterModeRuns(const EngineContext &ctx, int mode);
bool RuleFiltersApply(const EngineContext &ctx, const GridRecord &grid, int mode);

// The comparison flags InitPossibles writes for the All Indicated rule.
enum AllIndicatedFlag : int {
  kAllIndicatedXV = 0,
  kAllIndicatedDot = 1,
  kAllIndicatedLess = 2,
  kAllIndicatedConsecutive = 3, // a consecutive mark exists
  kAllIndicatedRatio = 4,       // a ratio mark exists
};

// InitPossibles, the filters until they change nothing (at most MaxFilterPasses passes;
// more is logged as a rule that adds candidates back), CheckConstraints and
// ChooseMinPossCell. Allocates nothing. Returns 1; 0 when the grid's cells do not fit
// the current geometry (nothing is changed then).
int Propagate(EngineContext &ctx, GridRecord &grid, int mode, int applyProbables);

// Rebuilds every unit summary and every open cell's candidates from the filled cells;
// sets State 3 or 5, SudMissing, and the rules' derived work. Returns 1 (0 as above).
int InitPossibles(EngineContext &ctx, GridRecord &grid);

// What InitPossibles sees on its last pass over the cells. When no filter changes a cell
// afterwards and the grid has no rule check, it settles the conflict state and the
// branching cell without two more passes over every record.
struct LastPassFindings {
  bool Rules = false; // HasVariantRules
  bool AnyConflict = false;
  int MinPossCell = -1;
  // Whether a playing cell holds an odd/even mark, the only cells the Odd rule's steps read;
  // seen when the grid has rules, else taken to be so.
  bool MarkedCells = true;
};
int InitPossibles(EngineContext &ctx, GridRecord &grid, LastPassFindings &findings);
// InitPossibles of the main grid in `slot`, taken back from the memo when it holds that
// grid's rebuild of the same cells (engine/candidate_memo.h), and kept there otherwise.
int InitPossiblesOfSlot(EngineContext &ctx, int slot, GridRecord &grid, LastPassFindings &findings);
// CheckConstraints then ChooseMinPossCell, or their outcome taken from the findings
// when no cell changed since InitPossibles.
void SettleGrid(EngineContext &ctx, GridRecord &grid, const LastPassFindings &findings, bool cellsChanged);

// One pass of the rule filters, then the Probables method when asked. Returns 1 when a
// candidate was removed. A loop of passes may keep the Probables method's blocks to read
// (ApplyProbables) in `probablesToRead`, starting from kEveryBlock: it must then put every
// block back into it whenever something else narrows the grid between two passes. Without
// `markedCells` (LastPassFindings) the Odd rule's pass over the marked cells is left out.
int FilterConstraints(EngineContext &ctx, GridRecord &grid, int mode, int applyProbables,
                      uint32_t *probablesToRead = nullptr, bool markedCells = true);

// Every rule's check, then State 5 when any playing cell is in conflict. Returns 1.
int CheckConstraints(EngineContext &ctx, GridRecord &grid);
// Every rule's check alone, on a grid that fits the geometry. Without `markedCells` the Odd
// rule's pass over the marked cells is left out: it would find none.
void CheckRules(EngineContext &ctx, GridRecord &grid, bool markedCells = true);

// State 8 when open cells remain and no conflict was found; TheMinPoss = the first open
// cell with the fewest (but some) candidates. Returns 1 unless State is 5.
int ChooseMinPossCell(const GridGeometry &geo, GridRecord &grid);

// Values placed by the last solving step (status 2) become ordinary placed values.
int CommitNewValues(const GridGeometry &geo, GridRecord &grid);

// Whether any clue list of the grid holds an item (the clues beside the grid included), leaving
// out the lists of the rows whose RuleTrait bits meet `leftOut` (rule_registry.h): the links
// between grids, the clues that only reject a finished grid, or those the fast search reads in
// its own way. The lists are the rows' own (RuleDef::Clues).
bool HasClueItems(const VariantLists &lists, uint8_t leftOut = 0);

// The rules that act only through their clues: without a clue they change nothing.
constexpr VariantWords kCluedOnlyRules =
    kVarLittleKiller | kVarKillerSum | kVarKillerProduct | kVarKimo | kVarArrow | kVarCreasingLines |
    kVarOutside | kVarFrameSum | kVarFrameProduct | kVarFrameMax | kVarOddview | kVarSkyScraper |
    kVarLastNumber | kVarTransfer | kVarMagicSquare | kVarMultTable | kVarLess | kVarXV | kVarDot |
    kVarAllIndicated | kVarDistance | kVarOddPair | kVarQuadMax | kVarNavigator | kVarChess | kVarDan |
    kVarEquality | kVarPanDigital | kVarWheel | kVarMasterMind | kVarMagicSentence | kVarPuzzle | kVarTiled |
    kVarBattleShip;
// The rules whose clues stand beside the grid.
constexpr VariantWords kSideClueRules = kVarOutside | kVarFrameSum | kVarFrameProduct | kVarFrameMax |
                                        kVarOddview | kVarSkyScraper | kVarLastNumber | kVarTransfer;
// A grid with no rule bit and no clue item needs none of the rules' work.
bool HasVariantRules(const GridRecord &grid);

// The steps to the four orthogonal neighbours (up, right, down, left), twice over.
void InitDirectionVectors(const GridGeometry &geo, GridRecord &grid);

// Every pass that changes something removes a candidate, so an honest filter loop ends
// within NCells x GridWidth passes; the cap leaves room to spare.
int MaxFilterPasses(const GridGeometry &geo);
// Logs a filter loop stopped by the cap: some rule's filter adds candidates back.
void ReportFilterPassCap(EngineContext &ctx, std::string_view where, int passes);

// The cells of the grid cover the unit records of the current geometry. Inline: the rules
// between grids ask it of each linked grid at every step.
inline bool FitsGeometry(const GridGeometry &geo, const GridRecord &grid) {
  return geo.NCells > 0 && grid.Cells.size() >= static_cast<size_t>(geo.NCellRecs) &&
         grid.NRecords <= static_cast<int>(grid.Cells.size());
}

} // namespace quorbel
