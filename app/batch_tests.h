// The generator's test bench: measuring runs that loop over sizes, time-outs and counts, time
// each generator call and write one line per measurement to the panel and to a result file.
// The program's side (the current grid, the clock, the panel, the shell) stands behind
// BenchHost, so the runs are plain code.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/variant_bits.h"

namespace quorbel {

// What the runs loop over; each run reads the fields it names.
struct BenchInputs {
  int32_t Display = 1;   // redraw after each iteration
  int32_t FirstSize = 0; // size indexes 0..5: widths 4, 6, 8, 9, 12, 16
  int32_t LastSize = 5;
  int32_t DiagonalFrom = 0;      // 1 - "Normal": 0 runs without the diagonal rule
  int32_t DiagonalTo = 1;        // "Diagonal": 1 runs with it
  std::vector<int32_t> TimeOuts; // ms; empty: the generation time-out alone
  int32_t Iterations = 20;
  int32_t SeededStart = 0;
  int32_t SeededStop = 10;
  int32_t SeededStep = 1;
  int32_t SeededType = 0; // 0 counts, 1 percentages of the cells, 2 the standard count of the size
  int32_t BlankStart = 0;
  int32_t BlankStop = 10;
  int32_t BlankStep = 1;
  int32_t BlankType = 0;
  int32_t IrregularStart = 0; // layouts of the block file; -1 the last
  int32_t IrregularStop = -1;
  int32_t VariantStart = 1;
  int32_t VariantStop = 10;
  int32_t VariantStep = 1;
};

enum class BenchOutcome { Done, Cancelled, FileNotAccessible };

// Two searches of a carved puzzle: the first finds a solution (1) or not, the second (run only
// after a first solution) finds another one. -9 a time-out, -10 the player's abort.
struct BenchSearch {
  int First = 0;
  int Second = 0;
};

class BenchHost {
public:
  virtual ~BenchHost() = default;

  virtual void Say(const std::string &line) = 0;
  // "End <test> test. File <link to path> saved."
  virtual void SayFileSaved(const std::string &test, const std::string &path) = 0;
  virtual bool AbortRequested() = 0;
  virtual int64_t NowMs() = 0;
  virtual void Redraw() = 0;
  // The path of a result file in the start folder, and the shell's "open" of one.
  virtual std::string ResultPath(std::string_view name) = 0;
  virtual void OpenResult(const std::string &path) = 0;

  virtual int TimeOver() const = 0;
  virtual void SetTimeOver(int ms) = 0;
  virtual int GenerationTimeOver() const = 0;
  // The application's batch-test mode, entered once the result file exists and left at the end.
  virtual void EnterBatchTest() = 0;
  virtual void LeaveBatchTest() = 0;
  // Grids re-initialised, an undo step, difficulty 1, letters; and the candidates again at the end.
  virtual void Prepare() = 0;
  virtual void Finish() = 0;

  // The current grid.
  virtual VariantWords Words() const = 0;
  virtual void SetWords(VariantWords words) = 0;
  virtual int SetShape(int shapeCode) = 0; // the new width
  virtual int CountLayouts() = 0;
  virtual int LoadLayout(int layout) = 0;
  virtual int RandomSolution(int seeds, int layout, int maxFailures) = 0;
  // The carving; -10 when cancelled, else the clue total.
  virtual int Carve(int blanks, int extra, int budget) = 0;
  virtual BenchSearch SearchTwice() = 0;
  virtual int Rate() = 0;
  // The highest method level that solves the grid with every method, -1 when they do not.
  virtual int SolvedLevel() = 0;
  virtual void UpdateCandidates() = 0;
};

// T1: random complete solutions, "testT1.csv".
BenchOutcome RunTestT1(BenchHost &host, const BenchInputs &in);
// T2: carved puzzles, unique or not, and their rating, "testT2.csv".
BenchOutcome RunTestT2(BenchHost &host, const BenchInputs &in);
// T4: random solutions over the irregular layouts of each size, "testT4.txt".
BenchOutcome RunTestT4(BenchHost &host, const BenchInputs &in);
// T8 and T16: puzzles of the current rules over blank (T16: seeded) counts and clue budgets.
BenchOutcome RunTestT8(BenchHost &host, const BenchInputs &in);
BenchOutcome RunTestT16(BenchHost &host, const BenchInputs &in);

// The inputs of Ctrl+I (T1) and Ctrl+J (T2).
BenchInputs QuickBenchInputs(bool withBlanks);

// The standard seeded count of a width under the rules, and the counts a type gives.
int StandardSeededCount(int width, VariantWords words);
std::vector<int> SeededCounts(int type, int start, int stop, int step, int width, VariantWords words);

} // namespace quorbel
