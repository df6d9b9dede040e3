// The player's solving commands of the Sudoku menu: the proposal (a hint), one loop of the
// methods, the full solve, the search for every solution, and the way back to the last grid
// that still has a solution. Each takes its undo step, reports in the message panel and says
// when the grids are solved. What lies outside the engine (the texts in the player's language,
// the methods panel, the game's counters, the end of game) comes through SolveCommandHost.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/help_contexts.h"
#include "solver/method_mask.h"

namespace quorbel {

struct EngineContext;

// One piece of a panel line, which the application turns into text in the player's language.
struct ReportPiece {
  enum class Kind : int32_t {
    Message,          // message table entry `Number` (French numbering), filled with `Args`
    StartSolve,       // "Start solve..."
    FiltersActivated, // ". Filters activated: "
    Separator,        // " - " between method names
    MethodName,       // the name of method `Number` (LowestBitIndex of its code), a link, with size Args[0]
  };
  Kind kind = Kind::Message;
  int32_t Number = 0;
  std::vector<int32_t> Args;

  bool operator==(const ReportPiece &) const = default;
};
using SolveReport = std::vector<ReportPiece>;

class SolveCommandHost {
public:
  virtual ~SolveCommandHost() = default;
  // The methods panel's controls, read back into its mask.
  virtual MethodMask ReadMethodMask() = 0;
  // A new panel line, and the newest line written over.
  virtual void AddReport(const SolveReport &report) = 0;
  virtual void ReplaceReport(const SolveReport &report) = 0;
  // The progress window of the search, when there is one; the engine's host steps and stops it.
  virtual void StartSearchProgress() {}
  // Values the helps placed: the mark charges them.
  virtual void AddHelpValues(int /*count*/) {}
  // The grids are solved: the cells' animations and, once per game, the end of game.
  virtual void GridSetSolved() {}
};

// Help topics of the commands' links.
inline constexpr int32_t kHelpPropose = HelpContext("propose");
inline constexpr int32_t kHelpOneLoop = HelpContext("one loop");
inline constexpr int32_t kHelpFullSolve = HelpContext("full solve");
inline constexpr int32_t kHelpSearchLaunch = HelpContext("search");
inline constexpr int32_t kHelpSolutionPages = HelpContext("found grids");
inline constexpr int32_t kHelpBackToGood = HelpContext("back to good");

// The 1-based index of the lowest bit set, 0 for none.
int LowestBitIndex(uint32_t mask);

// F9: a hint for the focus cell when it is open, else for any cell.
int ProposeAtCurrentCell(EngineContext &ctx, SolveCommandHost &host);
// Places the next value the methods find, with its explanation marked, in `cell` of the focus grid
// (the hint names the method), or in any cell of the first main grid that yields one (cell -1).
// 1 given or reported, 0 refused, -10 cancelled. A hint that finds nothing leaves no undo step.
int ProposeHint(EngineContext &ctx, SolveCommandHost &host, int cell);
// One pass of the methods over every main grid; the undo step goes when no grid took a value.
int SolveOneLoop(EngineContext &ctx, SolveCommandHost &host);
// One value at a time, grid after grid, until every grid is done or missed once in a row.
int SolveFull(EngineContext &ctx, SolveCommandHost &host);
// Every solution up to MAXSEARCHGRID, kept for the player to step through.
int SearchSolutions(EngineContext &ctx, SolveCommandHost &host);
// Undoes the player's steps until the grids have a solution again, and says how it went: the
// grids were fine, a good grid was reached, the undo steps ran out first, or the search timed out.
int BackToGoodSolution(EngineContext &ctx, SolveCommandHost &host);

} // namespace quorbel
