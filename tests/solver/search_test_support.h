// Shared builders for the search tests: grids from one-line text, the checks every search
// must pass (no trial value left behind, a solution complete and consistent), and hosts
// that abort, sleep or watch the progress bar.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/engine_context.h"
#include "solver/one_line_grid.h"
#include "tests/engine/engine_test_support.h"

namespace quorbel::test {

// A solved 9x9 grid whose cells 1, 7, 19 and 25 (rows 0 and 2, columns 1 and 7) hold a
// deadly rectangle: with those four cleared the grid has exactly two solutions.
constexpr const char *kSolvedNine =
    "413726985956418723287593416761852394345961872829374651698245137574139268132687549";
constexpr int kDeadlyRectangle[] = {1, 7, 19, 25};

inline std::unique_ptr<EngineContext> MakeContext(EngineHost &host) {
  return std::make_unique<EngineContext>(host);
}

// Lays the context out for the line's size and loads it into main grid 0.
inline GridRecord &LoadGrid(EngineContext &ctx, const std::string &line) {
  const std::string error = LoadOneLineGrid(ctx, line, 0);
  EXPECT_EQ(error, "");
  return ctx.Grids.Main[0];
}

inline std::string EmptyLine(int width) { return std::string(static_cast<size_t>(width * width), '0'); }

inline int CountTrialCells(const EngineContext &ctx, const GridRecord &grid) {
  int trials = 0;
  for (int c = 0; c < ctx.Geo.NCells; ++c)
    trials += grid.Cells[c].Status == kStatusHypothesis ? 1 : 0;
  return trials;
}

// Every row, column and block holds every value once, and every clue of `puzzle` stands.
inline bool SolvesPuzzle(const EngineContext &ctx, const GridRecord &grid, const std::string &puzzle) {
  const GridGeometry &geo = ctx.Geo;
  const std::string line = OneLineOfGrid(ctx, grid);
  for (int c = 0; c < geo.NCells; ++c)
    if (puzzle[c] != '0' && puzzle[c] != '.' && puzzle[c] != line[c])
      return false;
  return EveryUnitHoldsEveryValue(geo, grid);
}

// Answers the abort poll with `abortAfter` false polls, then true; and runs `onPoll` first.
class PollingHost : public EngineHost {
public:
  bool PollUserAbort() override {
    ++Polls;
    if (OnPoll)
      OnPoll();
    return AbortAfter >= 0 && Polls > AbortAfter;
  }
  void StepWaitProgress(int position) override { Progress.push_back(position); }
  void ReplaceMessage(int number, std::span<const MessageArg> args) override {
    Messages.push_back({number, std::vector<MessageArg>(args.begin(), args.end())});
  }
  void DefiSendMove(int, int, int) override { ++MovesSent; }

  int AbortAfter = -1; // -1: never
  int Polls = 0;
  std::function<void()> OnPoll;
  std::vector<int> Progress;
  std::vector<std::pair<int, std::vector<MessageArg>>> Messages;
  int MovesSent = 0;
};

inline void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

} // namespace quorbel::test
