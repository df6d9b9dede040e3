// The generator's test bench over a scripted generator: result lines, timing statistics, the
// abort, the loops that must end, and what each run puts back.
#include "app/app_state.h"
#include "app/batch_tests.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/temp_dir.h"

namespace quorbel {
namespace {

namespace fs = std::filesystem;

class ScriptedBench : public BenchHost {
public:
  explicit ScriptedBench(fs::path dir) : dir_(std::move(dir)) {}

  std::vector<std::string> said;
  std::vector<int> durations{10}; // ms each random solution takes, in turn
  int solutionResult = 1;
  int abortAfterPolls = -1; // the poll that reports the abort, -1 never
  int timeOver = 2048;
  AppState state;
  int width = 4;
  int randomCalls = 0;
  std::vector<int> timeOversSeen;
  std::string opened;
  VariantWords words;

  void Say(const std::string &line) override { said.push_back(line); }
  void SayFileSaved(const std::string &test, const std::string &path) override {
    said.push_back("End " + test + " saved " + fs::path(path).filename().string());
  }
  bool AbortRequested() override { return polls_++ == abortAfterPolls; }
  int64_t NowMs() override { return clock_; }
  void Redraw() override {}
  std::string ResultPath(std::string_view name) override { return (dir_ / std::string(name)).string(); }
  void OpenResult(const std::string &path) override { opened = path; }
  int TimeOver() const override { return timeOver; }
  void SetTimeOver(int ms) override { timeOver = ms; }
  int GenerationTimeOver() const override { return 510; }
  void EnterBatchTest() override { state.EnterBatchTest(); }
  void LeaveBatchTest() override { state.LeaveBatchTest(); }
  void Prepare() override {}
  void Finish() override {}
  VariantWords Words() const override { return words; }
  void SetWords(VariantWords w) override { words = w; }
  int SetShape(int code) override { return width = code == 0 ? 4 : code == 2 ? 6 : 9; }
  int CountLayouts() override { return 3; }
  int LoadLayout(int) override { return 1; }
  int RandomSolution(int, int, int) override {
    timeOversSeen.push_back(timeOver);
    clock_ += durations[static_cast<size_t>(randomCalls++) % durations.size()];
    return solutionResult;
  }
  int Carve(int, int, int) override { return 7; }
  BenchSearch SearchTwice() override { return {1, 0}; }
  int Rate() override { return 2; }
  int SolvedLevel() override { return 3; }
  void UpdateCandidates() override {}

  std::vector<std::string> FileLines(const std::string &name) const {
    std::ifstream in(dir_ / name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
      lines.push_back(line);
    return lines;
  }

private:
  fs::path dir_;
  int64_t clock_ = 0;
  int polls_ = 0;
};

class BatchTests : public ::testing::Test {
protected:
  BenchInputs OneSize() const {
    BenchInputs in;
    in.FirstSize = in.LastSize = 0;
    in.DiagonalFrom = in.DiagonalTo = 0;
    in.TimeOuts = {100};
    in.Iterations = 2;
    in.SeededStart = in.SeededStop = 3;
    return in;
  }

  // Our own folder: another suite running beside this one has its own.
  quorbel::testing::TempDir temp;
  fs::path dir = temp.Path();
};

TEST_F(BatchTests, T1WritesHeaderGroupAndStatisticsOfTheDurations) {
  ScriptedBench bench(dir);
  bench.durations = {10, 30}; // mean 20, sigma 10
  bench.words = {0x200, 0};
  EXPECT_EQ(RunTestT1(bench, OneSize()), BenchOutcome::Done);
  const std::vector<std::string> lines = bench.FileLines("testT1.csv");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "TestReferenceGenere:GridVar=;200");
  EXPECT_EQ(lines[1], "TestRef:Size=;4;Type=;Nom;SelCell=;3;Niter=;2");
  EXPECT_EQ(lines[2], "TimeOut=;100;Iter:;2;ok:;2;TO:;0;Moy:;20.000000;Sigma:;10.000000;tmax:;30");
  EXPECT_EQ(bench.said.back(), "End T1 test");
  EXPECT_EQ(bench.opened, (dir / "testT1.csv").string());
  EXPECT_EQ(bench.timeOversSeen, (std::vector<int>{100, 100}));
  EXPECT_EQ(bench.timeOver, 2048); // put back
  EXPECT_EQ(bench.state.Mode(), RunMode::Player);
}

TEST_F(BatchTests, EmptyRangesStillWriteTheHeaderAndEmptyTimeOutsUseTheGenerationOne) {
  ScriptedBench bench(dir);
  BenchInputs in = OneSize();
  in.FirstSize = 3;
  in.LastSize = 1;
  EXPECT_EQ(RunTestT1(bench, in), BenchOutcome::Done);
  EXPECT_EQ(bench.FileLines("testT1.csv").size(), 1u);
  EXPECT_FALSE(bench.opened.empty());

  ScriptedBench again(dir);
  in = OneSize();
  in.TimeOuts.clear();
  in.Iterations = 1;
  RunTestT1(again, in);
  EXPECT_EQ(again.timeOversSeen, (std::vector<int>{510}));
}

TEST_F(BatchTests, AnAbortAfterOneIterationCancelsKeepsTheFileAndRestoresTheTimeOut) {
  ScriptedBench bench(dir);
  bench.abortAfterPolls = 1; // the poll before the start passes, the first iteration's aborts
  BenchInputs in = OneSize();
  in.BlankStart = in.BlankStop = 0;
  EXPECT_EQ(RunTestT2(bench, in), BenchOutcome::Cancelled);
  EXPECT_EQ(bench.said.back(), "T2 test cancelled");
  EXPECT_EQ(bench.randomCalls, 1);
  EXPECT_EQ(bench.timeOver, 2048);
  EXPECT_TRUE(bench.opened.empty());
  EXPECT_GE(bench.FileLines("testT2.csv").size(), 2u); // header and group line kept
}

TEST_F(BatchTests, ZeroStepsAndZeroIterationsEnd) {
  ScriptedBench bench(dir);
  BenchInputs in = OneSize();
  in.SeededStart = 0;
  in.SeededStop = 50;
  in.SeededStep = 0;
  in.BlankStep = 0;
  in.Iterations = 0;
  EXPECT_EQ(RunTestT2(bench, in), BenchOutcome::Done);
  EXPECT_EQ(bench.randomCalls, 0);
  const std::vector<std::string> lines = bench.FileLines("testT2.csv");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2].rfind("NCells=;0;NBlank=;0;Iter:;0;Nok:;0", 0), 0u);
}

TEST_F(BatchTests, AFileThatCannotBeCreatedRunsNothing) {
  ScriptedBench bench(dir / "missing");
  EXPECT_EQ(RunTestT4(bench, OneSize()), BenchOutcome::FileNotAccessible);
  EXPECT_EQ(bench.said.back(), "File testT4.txt not accessible");
  EXPECT_EQ(bench.randomCalls, 0);
}

TEST_F(BatchTests, T8TablesHoldTheUniqueShareTheClueTotalAndTheLevel) {
  ScriptedBench bench(dir);
  BenchInputs in = OneSize();
  in.BlankStart = 2;
  in.BlankStop = 1;
  in.VariantStart = in.VariantStop = 5;
  EXPECT_EQ(RunTestT8(bench, in), BenchOutcome::Done);
  const std::vector<std::string> lines = bench.FileLines("testT8.txt");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[2], "NBlank= 2 NVar= 5 MyVar= 7 Iter: 2 Nok: 2 NTO: 0 N>1S: 0 tmax: 10 diffmoy: 3.000000 "
                      "diffmin: 3 diffmax: 3");
  EXPECT_EQ(bench.FileLines("T8-PS4.csv"), (std::vector<std::string>{"2,5,100", "1,5,100"}));
  EXPECT_EQ(bench.FileLines("T8-PD4.csv").front(), "2,5,30");
  const std::vector<std::string> summary = bench.FileLines("T80-0.csv");
  ASSERT_EQ(summary.size(), 10u);
  EXPECT_EQ(summary[1], "Nok;005;");
  EXPECT_EQ(summary[2], "002;100 ;");
  EXPECT_EQ(bench.said.back(), "End T8 saved T80-0.csv");
}

TEST(BenchCounts, SeededCountsByType) {
  const std::vector<int> percent = SeededCounts(1, 10, 30, 0, 9, {}); // a 0-cell step becomes 1
  ASSERT_EQ(percent.size(), 17u);
  EXPECT_EQ(percent.front(), 8);
  EXPECT_EQ(percent.back(), 24);
  EXPECT_EQ(SeededCounts(2, -1, -1, 1, 9, {}), (std::vector<int>{21}));
  EXPECT_EQ(SeededCounts(2, -1, -1, 1, 9, {0x201, 0}), (std::vector<int>{9})); // irregular wins
  EXPECT_EQ(StandardSeededCount(16, {0x4000, 0}), 12);
}

} // namespace
} // namespace quorbel
