#include "app/end_of_game.h"

#include "engine/message_numbers.h"

#include <algorithm>
#include <cmath>

#include "app/app_random.h"
#include "app/message_format.h"
#include "app/message_table.h"
#include "app/static_texts.h"

namespace quorbel {

namespace {

constexpr int kLevelCount = 4;
constexpr double kSecondsPerMinute = 60.0;
constexpr double kPercent = 100.0;

// The penalties, in points out of 20 per unit they charge.
constexpr double kHelpWeight = 3.0;  // per help value beyond the allowance, per cell to find
constexpr double kUndoDivisor = 3.0; // undo and redo steps beyond the grid width
constexpr double kRightClickWeight = 0.5;
constexpr double kLineColumnWeight = 0.25; // per minute shown, per minute of the limit
constexpr double kProbablesWeight = 0.25;
constexpr double kFoundDivisor = 5.0;
constexpr double kVariantFilterWeight = 0.5;

// Message table entries of the report.

// The sound effects of the end of game, by mark.
constexpr int kSoundMarkBelow2 = 10;
constexpr int kSoundMarkBelow10 = 11;
constexpr int kSoundMarkFrom15 = 12;
constexpr int kSoundMarkFrom10 = 13;

double Minutes(double seconds) { return seconds / kSecondsPerMinute; }

// A penalty that only charges what goes beyond an allowance.
double Charge(double points) { return std::min(0.0, points); }

class Report {
public:
  explicit Report(Language language) : language_(language) {}
  void Add(int message, FormatArgs args = {}) {
    text_ += FormatText(MessageFormat(message, language_), args);
  }
  void Add(OwnText literal, FormatArgs args) { text_ += FormatText(literal, args); }
  std::string Take() { return std::move(text_); }

private:
  Language language_;
  std::string text_;
};

// 100 x seconds / the game's seconds; below 1 counts as none, above 100 as all of it.
double Percent(double part, int64_t gameSeconds) {
  if (gameSeconds <= 0)
    return 0;
  const double p = kPercent * part / static_cast<double>(gameSeconds);
  return p < 1 ? 0 : std::min(p, kPercent);
}

int Truncated(double value) { return static_cast<int>(value); }

void AddHelpBreakdown(Report &report, const std::array<double, kUsageTimerCount> &p) {
  double possibles = 0;
  for (int i = kTimerPossLevel1; i <= kTimerPossLevel5; ++i)
    possibles += p[i];
  possibles = possibles < 1 ? 0 : std::min(possibles, kPercent);
  // Colouring takes no part in the peak.
  const double peak = std::max({possibles, p[kTimerLineColumn], p[kTimerProbables], p[kTimerFound],
                                p[kTimerVariantFilter], p[kTimerWarning]});
  report.Add(kMsgPossiblesUse, {Truncated(peak)});
  if (peak <= 0)
    return;
  report.Add(kMsgWith);
  for (int i = kTimerPossLevel1; i <= kTimerPossLevel5; ++i)
    if (p[i] > 0)
      report.Add(kMsgLevelUse, {i - kTimerPossLevel1 + 1, Truncated(p[i])});
  const auto addIf = [&](int timer, auto &&add) {
    if (p[timer] > 0)
      add(Truncated(p[timer]));
  };
  addIf(kTimerLineColumn, [&](int v) { report.Add("L/C:%d%% ", {v}); });
  addIf(kTimerProbables, [&](int v) { report.Add("Prob:%d%% ", {v}); });
  addIf(kTimerFound, [&](int v) { report.Add(kMsgFoundUse, {v}); });
  addIf(kTimerVariantFilter, [&](int v) { report.Add("Var:%d%% ", {v}); });
  addIf(kTimerColouring, [&](int v) { report.Add("Color:%d%% ", {v}); });
  addIf(kTimerWarning, [&](int v) { report.Add("Warning:%d%% ", {v}); });
  report.Add("\n", {});
}

} // namespace

float ComputeGameScore(const ScoreInputs &in) {
  if (in.DoubleTriplePoints)
    return static_cast<float>(*in.DoubleTriplePoints);

  const int level = in.GameLevel >= 1 && in.GameLevel <= kLevelCount ? in.GameLevel : 1;
  const int width = in.GridWidth;
  double raw = kFullMark;

  // The time and the helps shown count against the time limit; without a limit there is none.
  const double limitMinutes = Minutes(in.TimeLimitSeconds);
  if (limitMinutes > 0) {
    const auto share = [&](int timer) { return Minutes(in.UsageSeconds[timer]) / limitMinutes; };
    double possibles = 0;
    for (int i = kTimerPossLevel1; i <= kTimerPossLevel5; ++i)
      possibles += share(i);
    raw -= kFullMark * Minutes(static_cast<double>(in.GameSeconds)) / limitMinutes;
    raw -= kFullMark * possibles;
    raw -= kFullMark * share(kTimerLineColumn) * kLineColumnWeight;
    raw -= kFullMark * share(kTimerProbables) * kProbablesWeight;
    raw -= kFullMark * share(kTimerFound) / kFoundDivisor;
    raw -= kFullMark * share(kTimerVariantFilter) * kVariantFilterWeight;
    raw -= kFullMark * share(kTimerColouring);
  }

  // The counts are charged per cell there was to find; a game that does not know it counts
  // every cell, as an empty grid does.
  const int cellsToFind = in.StartSudMissing > 0 ? in.StartSudMissing : width * width;
  if (cellsToFind > 0) {
    const double cells = cellsToFind;
    const int freeHelps = ((kLevelCount - level) * width) / 5;
    // In doubles: the counts come from the grid file, and any int32 of it must not wrap round.
    const auto beyond = [](double count, int allowance) { return count - allowance; };
    raw += Charge(-kFullMark * kHelpWeight * beyond(in.SolverHelpCount, freeHelps) / cells);
    raw += Charge(-kFullMark * beyond(static_cast<double>(in.RedoCount) + in.UndoCount, width) /
                  kUndoDivisor / cells);
    raw += Charge(-kFullMark * beyond(in.RightClickUses, width) * kRightClickWeight / cells);
  }

  float score = std::isfinite(raw) ? static_cast<float>(raw) : 0.0f;
  if (score < kPraiseMark) {
    const auto bent = static_cast<float>(std::exp(static_cast<float>(score / 10.0f)));
    score = static_cast<float>(10.0f * bent / static_cast<float>(std::exp(1.0)));
  }
  return std::clamp(score, 0.0f, kFullMark);
}

int EndOfGameSound(int mark) {
  if (mark >= 15)
    return kSoundMarkFrom15;
  if (mark >= kPraiseMark)
    return kSoundMarkFrom10;
  if (mark >= 2)
    return kSoundMarkBelow10;
  return kSoundMarkBelow2;
}

EndOfGameResult EvaluateEndOfGame(const EndOfGameInputs &in) {
  EndOfGameResult result;
  Report report(in.language);
  const int levelIndex = std::clamp(in.GameLevel - 1, 0, kLevelCount - 1);
  const std::string_view levelName = LookupMessage(kMsgLevelEasy + levelIndex, in.language);
  int mark = std::isfinite(in.GameScore) ? static_cast<int>(in.GameScore) : 0;
  const int64_t seconds = std::max<int64_t>(in.GameSeconds, 0);
  const bool finished = in.TotalOpenCells == 0;
  // A Double-and-Triple grid scores its points in any mode; outside its own, one left
  // unfinished ends as any other.
  const bool triple = in.GameMode == kGameModeTriple;
  const bool points = triple || (in.ScoresPoints && finished);

  if (points) {
    report.Add(mark == in.TripleMaxScore ? kMsgChampion : kMsgGridFinished);
    report.Add(mark == in.TripleMaxScore ? kMsgMaxReached : kMsgMaxMissed, {in.TripleMaxScore});
    report.Add(kMsgMadeIn, {seconds / 60, seconds % 60});
    report.Add(kMsgErrorsDone, {in.ErrorCount});
    report.Add(kMsgCancelledInputs, {in.UndoSteps});
    result.Score = FormatText("%d", {mark});
  } else if (in.GameMode == kGameModeKids) {
    report.Add(mark < kPraiseMark ? kMsgGridFinished : kMsgChampion);
    report.Add(kMsgMadeIn, {seconds / 60, seconds % 60});
    report.Add(kMsgErrorsDone, {in.ErrorCount});
  } else if (!finished) {
    mark = 0;
    report.Add(kMsgNotFinished);
    report.Add(kMsgCellsFoundOf, {in.CellsFound, in.StartMissing});
    report.Add(kMsgHelpUses, {in.SolverHelpCount});
    report.Add(kMsgErrors, {in.ErrorCount});
    report.Add(kMsgCancelledInputs, {in.UndoSteps});
  } else {
    report.Add(mark < kPraiseMark ? kMsgWellPlayedGridFinalised : kMsgCongratulations);
    report.Add(kMsgSolvedIn, {levelName, in.TimeText});
    report.Add(kMsgCellsFound, {in.StartMissing});
    report.Add(kMsgHelpUses, {in.SolverHelpCount});
    report.Add(kMsgErrors, {in.ErrorCount});
    report.Add(kMsgCancelledInputs, {in.UndoSteps});
    std::array<double, kUsageTimerCount> percents{};
    for (int i = 0; i < kUsageTimerCount; ++i)
      percents[i] = Percent(in.UsageSeconds[i], seconds);
    AddHelpBreakdown(report, percents);
  }
  if (!points)
    result.Score = FormatText("%d/20", {mark});
  result.ShownScore = static_cast<float>(mark);
  result.Message = report.Take();

  const bool replay = points ? mark != in.TripleMaxScore : !finished;
  result.CatalogStatus = replay ? kCatalogGridToReplay : kCatalogGridPlayed;
  // The Kid, Quick and Triple modes keep no best score, nor do points, nor a game left unfinished.
  result.KeepsBestScore =
      (in.GameMode < kGameModeKids || in.GameMode > kGameModeTriple) && finished && !in.ScoresPoints;

  if (points && in.TripleMaxScore > 0)
    mark = static_cast<int>(mark * static_cast<double>(kFullMark) / in.TripleMaxScore);
  mark = std::clamp(mark, 0, static_cast<int>(kFullMark));
  result.Mark = mark;
  result.Praise = mark >= kPraiseMark;
  const auto pick = [&](const auto &remarks) {
    result.PictureIndex = RandomBelow(static_cast<int>(remarks.size()));
    const PictureRemark &remark = remarks[static_cast<size_t>(result.PictureIndex)];
    result.PraiseLine = remark.Text(in.language);
    result.Picture = remark.picture;
  };
  if (result.Praise)
    pick(PraiseMessages);
  else
    pick(TauntMessages);
  result.SoundEffect = EndOfGameSound(mark);
  return result;
}

} // namespace quorbel
