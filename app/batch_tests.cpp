#include "app/batch_tests.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>

#include "platform/printf_text.h"

namespace quorbel {

namespace {

constexpr std::array<int, 6> kShapeOfSizeIndex = {0, 2, 4, 5, 7, 8};
constexpr std::array<int, 6> kStandardSeeds = {6, 10, 18, 21, 27, 50};
constexpr std::array<int, 6> kDiagonalOrOddSeeds = {4, 5, 6, 8, 10, 12};
constexpr std::array<int, 6> kIrregularSeeds = {2, 5, 8, 9, 17, 30};
constexpr uint32_t kDiagonalBit = 0x200;
constexpr int kCancelled = -10;
constexpr int kTimedOut = -9;

int SizeIndexOfWidth(int width) {
  if (width <= 5)
    return 0;
  if (width <= 7)
    return 1;
  if (width == 8)
    return 2;
  if (width <= 11)
    return 3;
  if (width <= 15)
    return 4;
  return 5;
}

// from..to by step; a step of 0 or less gives `from` alone, so that no loop runs for ever.
std::vector<int> Upwards(int from, int to, int step) {
  std::vector<int> values;
  if (step <= 0)
    step = std::max(1, to - from + 1);
  for (int v = from; v <= to; v += step)
    values.push_back(v);
  return values;
}

// From the larger bound down to the smaller by step.
std::vector<int> Downwards(int a, int b, int step) {
  std::vector<int> values = Upwards(std::min(a, b), std::max(a, b), 1);
  std::reverse(values.begin(), values.end());
  if (step <= 0)
    return {values.front()};
  std::vector<int> taken;
  for (size_t i = 0; i < values.size(); i += static_cast<size_t>(step))
    taken.push_back(values[i]);
  return taken;
}

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE *)>;

FilePtr Create(const std::string &path) { return {std::fopen(path.c_str(), "w"), &std::fclose}; }

void Write(std::FILE *file, const std::string &line) {
  if (file)
    std::fputs((line + "\n").c_str(), file);
}

// Durations of the generator calls of one measurement.
struct Timing {
  int64_t Sum = 0;
  double SumSquares = 0;
  int Max = 0;

  void Add(int64_t ms) {
    Sum += ms;
    SumSquares += static_cast<double>(ms) * static_cast<double>(ms);
    Max = std::max(Max, static_cast<int>(ms));
  }
  double Mean(int iterations) const { return iterations > 0 ? static_cast<float>(Sum) / iterations : 0.0; }
  double Sigma(int iterations) const {
    if (iterations <= 0)
      return 0.0;
    const double mean = Mean(iterations);
    return std::sqrt(std::max(0.0, SumSquares / iterations - mean * mean));
  }
};

// What every run shares: the messages, the result file, the abort and what is put back.
class BenchRun {
public:
  BenchRun(BenchHost &host, std::string_view name) : host_(host), name_(name), timeOver_(host.TimeOver()) {}
  ~BenchRun() {
    file_.reset();
    host_.SetTimeOver(timeOver_);
    if (batchMode_)
      host_.LeaveBatchTest();
  }

  // The start message, the abort poll, the grids made ready and the result file created.
  BenchOutcome Start(const std::string &startText, std::string_view fileName) {
    host_.Say(startText);
    if (host_.AbortRequested())
      return Cancel();
    host_.Prepare();
    path_ = host_.ResultPath(fileName);
    file_ = Create(path_);
    if (!file_) {
      host_.Say(PrintfText("File %s not accessible", std::string(fileName).c_str()));
      return BenchOutcome::FileNotAccessible;
    }
    host_.EnterBatchTest();
    batchMode_ = true;
    return BenchOutcome::Done;
  }

  void Both(const std::string &message, const std::string &line) {
    host_.Say(message);
    Write(file_.get(), line);
  }

  BenchOutcome Cancel() {
    host_.Say(PrintfText("%s test cancelled", name_.c_str()));
    return BenchOutcome::Cancelled;
  }
  bool AbortPolled() { return host_.AbortRequested(); }

  void AfterIteration(const BenchInputs &in) {
    host_.UpdateCandidates();
    if (in.Display == 1)
      host_.Redraw();
  }

  // The end message, or with no text the one that links `linked`.
  BenchOutcome End(const std::string &endText, bool open, const std::string &linked = {}) {
    file_.reset();
    if (linked.empty())
      host_.Say(endText);
    else
      host_.SayFileSaved(name_, linked);
    host_.Finish();
    host_.SetTimeOver(timeOver_);
    host_.Redraw();
    if (open)
      host_.OpenResult(path_);
    return BenchOutcome::Done;
  }

  std::vector<int> TimeOuts(const BenchInputs &in) const {
    return in.TimeOuts.empty() ? std::vector<int>{host_.GenerationTimeOver()} : in.TimeOuts;
  }

  // The shape of a size index, with or without the diagonal rule; returns the width.
  int Shape(int sizeIndex, int diagonal) {
    const int width = host_.SetShape(kShapeOfSizeIndex[static_cast<size_t>(sizeIndex)]);
    if (diagonal >= 0) {
      VariantWords words = host_.Words();
      words.word1 = diagonal == 1 ? words.word1 | kDiagonalBit : words.word1 & ~kDiagonalBit;
      host_.SetWords(words);
    }
    return width;
  }

private:
  BenchHost &host_;
  std::string name_;
  int timeOver_;
  bool batchMode_ = false;
  std::string path_;
  FilePtr file_{nullptr, &std::fclose};
};

std::vector<int> SizeIndexes(const BenchInputs &in) {
  return in.FirstSize > in.LastSize
             ? std::vector<int>{}
             : Upwards(std::clamp(in.FirstSize, 0, 5), std::clamp(in.LastSize, 0, 5), 1);
}

std::vector<int> Diagonals(const BenchInputs &in) { return Upwards(in.DiagonalFrom, in.DiagonalTo, 1); }

// The outcome of timed random solutions: ok and time-out counts; Cancelled stops the run.
struct SolutionTally {
  int Ok = 0;
  int TimeOuts = 0;
  Timing Times;
  bool Cancelled = false;
};

SolutionTally TimeRandomSolutions(BenchHost &host, BenchRun &run, const BenchInputs &in, int seeds,
                                  int layout, int maxFailures) {
  SolutionTally tally;
  for (int i = 0; i < in.Iterations; ++i) {
    const int64_t start = host.NowMs();
    const int made = host.RandomSolution(seeds, layout, maxFailures);
    tally.Times.Add(host.NowMs() - start);
    if (made == kCancelled || run.AbortPolled()) {
      tally.Cancelled = true;
      return tally;
    }
    if (made == 1)
      ++tally.Ok;
    else if (made == kTimedOut)
      ++tally.TimeOuts;
    run.AfterIteration(in);
  }
  return tally;
}

} // namespace

int StandardSeededCount(int width, VariantWords words) {
  const size_t index = static_cast<size_t>(SizeIndexOfWidth(width));
  int count = kStandardSeeds[index];
  if ((words.word1 & 0x4200) != 0)
    count = kDiagonalOrOddSeeds[index];
  if ((words.word1 & 0x1) != 0)
    count = kIrregularSeeds[index];
  return std::max(1, count);
}

std::vector<int> SeededCounts(int type, int start, int stop, int step, int width, VariantWords words) {
  if (type == 1) {
    const int cells = width * width;
    return Upwards(start * cells / 100, stop * cells / 100, std::max(1, step * cells / 100));
  }
  if (type == 2)
    return {StandardSeededCount(width, words)};
  return Upwards(start, stop, step);
}

BenchInputs QuickBenchInputs(bool withBlanks) {
  BenchInputs in;
  in.Display = 1;
  in.FirstSize = 0;
  in.LastSize = 5;
  in.DiagonalFrom = 0;
  in.DiagonalTo = 1;
  in.TimeOuts = {20, 50, 200, 800, 2000, 5000};
  in.Iterations = 20;
  in.SeededStart = -1;
  in.SeededStop = -1;
  in.SeededStep = 1;
  in.SeededType = 2;
  if (withBlanks) {
    in.BlankStart = 0;
    in.BlankStop = 5;
    in.BlankStep = 1;
    in.BlankType = 0;
  }
  return in;
}

BenchOutcome RunTestT1(BenchHost &host, const BenchInputs &in) {
  BenchRun run(host, "T1");
  if (const BenchOutcome started = run.Start("Start Reference Grid test - T1", "testT1.csv");
      started != BenchOutcome::Done)
    return started;
  const unsigned word1 = host.Words().word1;
  run.Both(PrintfText("TestReferenceGenere:GridVar= %x", word1),
           PrintfText("TestReferenceGenere:GridVar=;%x", word1));
  for (const int size : SizeIndexes(in))
    for (const int diagonal : Diagonals(in)) {
      const int width = run.Shape(size, diagonal);
      const char *type = diagonal == 1 ? "DIAG" : "Nom";
      for (const int seeds :
           SeededCounts(in.SeededType, in.SeededStart, in.SeededStop, in.SeededStep, width, host.Words())) {
        run.Both(
            PrintfText("TestRef:Size= %d Type=%s SelCell=%d Niter=%d", width, type, seeds, in.Iterations),
            PrintfText("TestRef:Size=;%d;Type=;%s;SelCell=;%d;Niter=;%d", width, type, seeds, in.Iterations));
        for (const int timeOut : run.TimeOuts(in)) {
          host.SetTimeOver(timeOut);
          const SolutionTally tally = TimeRandomSolutions(host, run, in, seeds, -1, 10);
          if (tally.Cancelled)
            return run.Cancel();
          const double mean = tally.Times.Mean(in.Iterations);
          const double sigma = tally.Times.Sigma(in.Iterations);
          run.Both(PrintfText("TimeOut= %d Iter: %d ok: %d TO: %d Moy: %f Sigma: %f tmax: %d", timeOut,
                              in.Iterations, tally.Ok, tally.TimeOuts, mean, sigma, tally.Times.Max),
                   PrintfText("TimeOut=;%d;Iter:;%d;ok:;%d;TO:;%d;Moy:;%f;Sigma:;%f;tmax:;%d", timeOut,
                              in.Iterations, tally.Ok, tally.TimeOuts, mean, sigma, tally.Times.Max));
        }
      }
    }
  return run.End("End T1 test", true);
}

BenchOutcome RunTestT2(BenchHost &host, const BenchInputs &in) {
  BenchRun run(host, "T2");
  if (const BenchOutcome started = run.Start("Start Nominal test - T2", "testT2.csv");
      started != BenchOutcome::Done)
    return started;
  const VariantWords words = host.Words();
  run.Both(PrintfText("TestGridGenere:GridVar= %x-%x  TypAlg= %d", words.word1, words.word2, in.BlankType),
           PrintfText("TestGridGenere:GridVar=;%x;%x;TypAlg=;%d", words.word1, words.word2, in.BlankType));
  for (const int size : SizeIndexes(in))
    for (const int diagonal : Diagonals(in)) {
      const int width = run.Shape(size, diagonal);
      const char *type = diagonal == 1 ? "DIAG" : "Nom";
      for (const int timeOut : run.TimeOuts(in)) {
        host.SetTimeOver(timeOut);
        run.Both(PrintfText("TestGrid:Size= %d Timeout: %d Type= %s Niter= %d", width, timeOut, type,
                            in.Iterations),
                 PrintfText("TestGrid:Size=;%d;Timeout:;%d;Type=;%s;Niter=;%d", width, timeOut, type,
                            in.Iterations));
        for (const int seeds :
             SeededCounts(in.SeededType, in.SeededStart, in.SeededStop, in.SeededStep, width, host.Words()))
          for (const int blanks : Upwards(in.BlankStart, in.BlankStop, in.BlankStep)) {
            int ok = 0, timedOut = 0, several = 0, rated = 0;
            double ratings = 0;
            Timing times;
            for (int i = 0; i < in.Iterations; ++i) {
              int64_t spent = 0;
              int64_t start = host.NowMs();
              const int made = host.RandomSolution(-2, -1, 10);
              spent += host.NowMs() - start;
              if (made == kCancelled)
                return run.Cancel();
              if (made == 1) {
                start = host.NowMs();
                const int carved = host.Carve(seeds, blanks, -1);
                const BenchSearch search =
                    carved == kCancelled ? BenchSearch{kCancelled, 0} : host.SearchTwice();
                spent += host.NowMs() - start;
                if (search.First == kCancelled || search.Second == kCancelled)
                  return run.Cancel();
                ok += search.First == 1;
                several += search.Second == 1;
                timedOut += search.First == kTimedOut || search.Second == kTimedOut;
                if (search.First == 1) {
                  const int rating = host.Rate();
                  if (rating == kCancelled)
                    return run.Cancel();
                  ratings += rating;
                  ++rated;
                }
              } else if (made == kTimedOut) {
                ++timedOut;
              }
              times.Add(spent);
              run.AfterIteration(in);
              if (run.AbortPolled())
                return run.Cancel();
            }
            const double mean = times.Mean(in.Iterations);
            const double sigma = times.Sigma(in.Iterations);
            const double diff = rated > 0 ? static_cast<float>(ratings / rated) : 0.0;
            run.Both(PrintfText(
                         "NCells= %d NBlank= %d Iter: %d Nok: %d NTO: %d N>1S: %d moy: %f sigma: %f tmax: %d "
                         "diff: %f",
                         seeds, blanks, in.Iterations, ok, timedOut, several, mean, sigma, times.Max, diff),
                     PrintfText(
                         "NCells=;%d;NBlank=;%d;Iter:;%d;Nok:;%d;NTO:;%d;N>1S:;%d;moy:;%f;sigma:;%f;tmax:;%d;"
                         "diff:;%f",
                         seeds, blanks, in.Iterations, ok, timedOut, several, mean, sigma, times.Max, diff));
          }
      }
    }
  return run.End("End T2 test", true);
}

BenchOutcome RunTestT4(BenchHost &host, const BenchInputs &in) {
  BenchRun run(host, "T4");
  if (const BenchOutcome started = run.Start("Start Irregular test - T4", "testT4.txt");
      started != BenchOutcome::Done)
    return started;
  host.SetTimeOver(800);
  host.SetWords(VariantWords{1, 0});
  const auto say = [&run](const std::string &text) { run.Both(text, text); };
  say(PrintfText("TestRegular: GridVar=%x-%x", 1, 0));
  for (const int size : SizeIndexes(in)) {
    const int width = run.Shape(size, -1);
    const int layouts = host.CountLayouts();
    if (layouts <= 0)
      continue;
    const int last = layouts - 1;
    const int from = in.IrregularStart == -1 ? last : std::clamp(in.IrregularStart, 0, last);
    const int to = in.IrregularStop == -1 || in.IrregularStop >= layouts ? last : in.IrregularStop;
    for (int layout = from; layout <= to; ++layout) {
      if (host.LoadLayout(layout) < 1)
        continue;
      say(PrintfText("----->TestRegular:Size= %d Reg= %d / %d Iter= %d", width, layout, last, in.Iterations));
      const std::vector<int> counts =
          SeededCounts(in.SeededType, in.SeededStart, in.SeededStop, in.SeededStep, width, host.Words());
      for (const int timeOut : run.TimeOuts(in)) {
        host.SetTimeOver(timeOut);
        for (const int seeds : counts) {
          const SolutionTally tally = TimeRandomSolutions(host, run, in, seeds, layout, 1);
          if (tally.Cancelled)
            return run.Cancel();
          say(PrintfText("NSelcell= %d TimeOut= %d ok: %d TO: %d Moy: %f Sigma: %f tmax: %d", seeds, timeOut,
                         tally.Ok, tally.TimeOuts, tally.Times.Mean(in.Iterations),
                         tally.Times.Sigma(in.Iterations), tally.Times.Max));
        }
      }
    }
  }
  return run.End("End T4 test", false);
}

namespace {

// One cell of the variant tables: the share of unique puzzles, the clue total and the level.
struct BenchStat {
  int UniquePercent = 0;
  int MyVar = 0;
  int Diff = 0;
};

void WriteSummaryTable(std::FILE *file, const char *title, const std::vector<int> &counts,
                       const std::vector<int> &variants, const std::map<int, BenchStat> &stats,
                       int BenchStat::*field) {
  if (!file)
    return;
  std::string heading = title;
  for (const int variant : variants)
    heading += PrintfText("%03d;", variant);
  Write(file, heading);
  for (const int count : counts) {
    std::string row = PrintfText("%03d;", count);
    for (const int variant : variants) {
      const auto found = stats.find(count * 256 + variant);
      row += PrintfText("%03d ;", found == stats.end() ? 0 : found->second.*field);
    }
    Write(file, row);
  }
}

// T8 carves by blank counts, T16 by seeded counts; the loops and files are the same.
BenchOutcome RunVariantTest(BenchHost &host, const BenchInputs &in, bool seeded) {
  const std::string name = seeded ? "T16" : "T8";
  BenchRun run(host, name);
  const std::string resultName = "test" + name + ".txt";
  if (const BenchOutcome started =
          run.Start(seeded ? "Start Generate Varient test - T16" : "Start Varient test - T8", resultName);
      started != BenchOutcome::Done)
    return started;
  const VariantWords words = host.Words();
  const std::string header = PrintfText("TestGridGenere:GridVar= %x-%x", words.word1, words.word2);
  run.Both(header, header);
  const std::string summaryName = name + PrintfText("%x-%x.csv", words.word1, words.word2);
  FilePtr summary = Create(host.ResultPath(summaryName));
  const std::vector<int> variants = Downwards(in.VariantStart, in.VariantStop, in.VariantStep);
  for (const int size : SizeIndexes(in)) {
    const int width = run.Shape(size, -1);
    FilePtr pv = Create(host.ResultPath(name + PrintfText("-PV%d.csv", width)));
    FilePtr pd = Create(host.ResultPath(name + PrintfText("-PD%d.csv", width)));
    FilePtr ps = Create(host.ResultPath(name + PrintfText("-PS%d.csv", width)));
    std::vector<int> counts;
    if (seeded) {
      counts = SeededCounts(in.SeededType, in.SeededStart, in.SeededStop, in.SeededStep, width, host.Words());
      std::reverse(counts.begin(), counts.end());
    } else {
      counts = Downwards(in.BlankStart, in.BlankStop, in.BlankStep);
    }
    for (const int timeOut : run.TimeOuts(in)) {
      host.SetTimeOver(timeOut);
      const std::string group =
          PrintfText("TestGrid:Size= %d Timeout: %d Niter=%d", width, timeOut, in.Iterations);
      run.Both(group, group);
      Write(summary.get(), group);
      std::map<int, BenchStat> stats;
      for (const int count : counts)
        for (const int variant : variants) {
          int ok = 0, timedOut = 0, several = 0, levels = 0, diffMin = 20, diffMax = -1, tMax = 0;
          int64_t myVarSum = 0;
          double levelSum = 0;
          for (int i = 0; i < in.Iterations; ++i) {
            const int64_t start = host.NowMs();
            const int made = host.RandomSolution(-2, -1, 10);
            if (made == kCancelled)
              return run.Cancel();
            if (made == 1) {
              const int carved = host.Carve(count, -1, variant);
              if (carved == kCancelled)
                return run.Cancel();
              myVarSum += carved;
              const BenchSearch search = host.SearchTwice();
              if (search.First == kCancelled || search.Second == kCancelled)
                return run.Cancel();
              ok += search.First == 1;
              several += search.Second == 1;
              timedOut += search.First == kTimedOut || search.Second == kTimedOut;
            }
            tMax = std::max(tMax, static_cast<int>(host.NowMs() - start));
            if (made == 1) {
              const int level = host.SolvedLevel();
              if (level == kCancelled)
                return run.Cancel();
              if (level > 0) {
                diffMin = std::min(diffMin, level);
                diffMax = std::max(diffMax, level);
                levelSum += level;
                ++levels;
              }
            }
            run.AfterIteration(in);
            if (run.AbortPolled())
              return run.Cancel();
          }
          const int myVar = ok > 0 ? static_cast<int>(myVarSum / ok) : 0;
          const double diffMean = levels > 0 ? static_cast<float>(levelSum / levels) : -1.0;
          const int unique = in.Iterations > 0 ? (ok - several) * 100 / in.Iterations : 0;
          const std::string line = PrintfText(
              "NBlank= %d NVar= %d MyVar= %d Iter: %d Nok: %d NTO: %d N>1S: %d tmax: %d "
              "diffmoy: %f diffmin: %d diffmax: %d",
              count, variant, myVar, in.Iterations, ok, timedOut, several, tMax, diffMean, diffMin, diffMax);
          run.Both(line, line);
          const int diff = static_cast<int>(diffMean * 10);
          Write(pv.get(), PrintfText("%d,%d,%d", count, variant, myVar));
          Write(pd.get(), PrintfText("%d,%d,%d", count, variant, diff));
          Write(ps.get(), PrintfText("%d,%d,%d", count, variant, unique));
          stats[count * 256 + variant] = BenchStat{unique, myVar, diff};
        }
      WriteSummaryTable(summary.get(), "Nok;", counts, variants, stats, &BenchStat::UniquePercent);
      WriteSummaryTable(summary.get(), "MyVar;", counts, variants, stats, &BenchStat::MyVar);
      WriteSummaryTable(summary.get(), "Diff;", counts, variants, stats, &BenchStat::Diff);
    }
  }
  summary.reset();
  return run.End({}, false, host.ResultPath(summaryName));
}

} // namespace

BenchOutcome RunTestT8(BenchHost &host, const BenchInputs &in) { return RunVariantTest(host, in, false); }

BenchOutcome RunTestT16(BenchHost &host, const BenchInputs &in) { return RunVariantTest(host, in, true); }

} // namespace quorbel
