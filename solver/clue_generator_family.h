// What every clue generator shares: the budget taken from its count and factor, the tries
// that stop after a run of failures, and the count it returns.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "engine/grid_record.h"

namespace quorbel {

struct EngineContext;
class Random15;
struct GenerationRun;

// One generator's call: the grid, its solution, and what the run says of this kind.
struct ClueJob {
  EngineContext &Ctx;
  GridRecord &Grid;
  const GridRecord &Solution;
  int Count = 0;                  // the kind's allotted count
  double Factor = 1.0;            // FAC<stem> / 100
  int Level = 1;                  // 1..4
  bool All = false;               // every clue the solution has (full depth, or All Indicated)
  int32_t *OddEvenKind = nullptr; // the run's shared parity of Odd and Odd Pair, -1 not drawn yet
  double Minimum = 0;             // MIND<stem>
  int VarDepth = 33;              // CATALOG/VARDEPTH

  const GridGeometry &Geo() const;
  Random15 &Random() const; // the context's generator
  int SolutionValue(int cell) const { return Solution.Cells[cell].Value; }
  bool IsGiven(int cell) const { return Grid.Cells[cell].Status == kStatusFixed; }
  // trunc(count x factor), and the count a budget left `unspent` used: count - trunc(unspent / factor).
  int Budget() const { return static_cast<int>(Count * Factor); }
  int CountUsed(int unspent) const {
    return Count - static_cast<int>(std::max(unspent, 0) / std::max(Factor, 1e-9));
  }
};

// budget = trunc(count x factor); each try returns what it spent (0 or less: a failure);
// tries stop when the budget is spent (never in the all-clues mode), or after `maxFailures`
// failures in a row. Returns count - trunc(unspent / factor).
template <typename Try> int SpendClueBudget(const ClueJob &job, int maxFailures, Try tryOnce) {
  int budget = job.Budget();
  for (int failures = 0; (budget > 0 || job.All) && failures < maxFailures;) {
    const int spent = tryOnce(budget);
    if (spent > 0) {
      budget -= spent;
      failures = 0;
    } else {
      ++failures;
    }
  }
  return job.CountUsed(budget);
}

// The clue generators of the sum and product rules (solver/sum_clue_generators.cpp).
int GenerateLittleKillerClues(const ClueJob &job);
int GenerateKillerCages(const ClueJob &job, int product);
int GenerateArrows(const ClueJob &job);
int GenerateCreasingLines(const ClueJob &job);
// The clues beside the grid (solver/frame_clue_generators.cpp).
int GenerateOutsideClues(const ClueJob &job);
int GenerateFrameClues(const ClueJob &job, int kind);
int GenerateOddviewClues(const ClueJob &job);
int GenerateSkyScraperClues(const ClueJob &job);
int GenerateLastNumberClues(const ClueJob &job);
// The clue generators of the rules between two cells (solver/comparison_clue_generators.cpp).
int GenerateXVClues(const ClueJob &job);
int GenerateLessClues(const ClueJob &job);
int GenerateOddEvenClues(const ClueJob &job);
int GenerateDotClues(const ClueJob &job);
int GenerateDistanceClues(const ClueJob &job);
int GenerateOddPairClues(const ClueJob &job);
int GenerateQuadClues(const ClueJob &job);
// The neighbourhood rules (solver/neighbour_clue_generators.cpp). The Navigator direction of a
// cell towards the line beside it where its value stands again; -1 when the cell and that
// target are both givens. `flag` counts the givens among them.
int ChooseNavigatorDirection(const ClueJob &job, int cell, int &flag);
int GenerateNavigatorArrows(const ClueJob &job);
// At most two figures, each kept only when the solution bears it; never the white rook.
int GenerateChessFigures(const ClueJob &job);
// The cell-set and group rules (solver/cell_set_clue_generators.cpp). Trio draws the classes
// of the values once per run (`classesDrawn`).
int GenerateTrioClasses(const ClueJob &job, bool &classesDrawn);
int GenerateNumeralLetters(const ClueJob &job);
int GenerateDominoSets(const ClueJob &job);
int GeneratePencilMarks(const ClueJob &job);
int GenerateClockSegments(const ClueJob &job);
int GenerateRomanSets(const ClueJob &job);
int GenerateEqualityGroups(const ClueJob &job);
int GenerateWheels(const ClueJob &job);
// The code and 2 to W guess lines; at levels 1 and 2 the first line is the code's own cells.
int GenerateMasterMind(const ClueJob &job);
// The whole-grid Dan zone from the running total; returns the new total.
int GenerateDanZone(const ClueJob &job, int total);
// A sentence of the grid's width: its letters stand for the values, its cells spell it.
// Returns the cells listed, 0 when no sentence could be had.
int GenerateMagicSentence(const ClueJob &job);
// The n-th (from 1) set bit of the mask, cleared from it; 0 when there are fewer.
uint32_t TakeNthBit(int n, uint32_t &mask);
// The pieces (solver/piece_clue_generators.cpp). Puzzle pieces grow as chains of neighbours,
// at most two givens each and never givens only; with `unique` each fits the solution in one
// place only (over its quarter turns when `turns`).
int GeneratePuzzlePieces(const ClueJob &job, bool unique, bool turns);
// What a Puzzle piece of `size` cells costs beyond its first unit.
int PuzzlePieceCost(int size);
// One piece per block, its digits shown or hidden by a draw that hardens with the level; a piece
// holding a grid corner marks it.
int GenerateTiledPieces(const ClueJob &job);
// The fleet of the grid's width laid as straight boats that never touch, with the clue numbers
// per row and column; returns the running total.
int GenerateBattleShip(const ClueJob &job, int total, bool unique);
// The clues between linked grids (solver/twins_clue_generators.cpp), each towards the grid in
// `partnerSlot`: cell pairs of equal value; one group of cells whose values a group of the partner
// holds too, added to `grid` (the partner gets the rule's bit); the count of equal cells of rows.
int GenerateTwinsRelations(const ClueJob &job, int partnerSlot);
int GenerateTwinsMultipleGroup(const ClueJob &job, GridRecord &grid, int partnerSlot);
int GenerateTwinsSameInLine(const ClueJob &job, int partnerSlot);
// The whole-grid Transfer pattern: a crossed-out cell per row and column, and a clue per line.
void GenerateTransferPattern(const ClueJob &job);

} // namespace quorbel
