// The end of a game: the counters of the running game, the mark out of 20 they give with the time
// and the helps used, and the end-of-game report (texts, mark, praise or taunt picture, sound,
// catalogue status). Plain arithmetic and text; the dialog and the profile are elsewhere.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/app_settings.h"
#include "app/stopwatch.h"
#include "files/grid_catalog.h"
#include "platform/language.h"

namespace quorbel {

inline constexpr float kFullMark = 20.0f;
inline constexpr int32_t kPraiseMark = 10; // from this mark on, praise; below, a taunt

// The counters of the running game that the application object keeps; a new game resets them.
// The board keeps the rest: the clock, the score, the errors, the finished and time-out flags.
struct GameTally {
  int32_t GameLevel = 1;       // 1 Easy, 2 Medium, 3 Difficult, 4 Terrible
  int32_t StartMissing = 0;    // cells still to find when the game started
  int32_t StartSudMissing = 0; // the same count, scaling the count penalties
  int32_t SolverHelpCount = 0; // values placed by the hint, one loop and the full solve
  int32_t RightClickUses = 0;
  int32_t TripleMaxScore = 0;
  UsageTimerSet UsageTimers = StoppedTimers();

  static UsageTimerSet StoppedTimers() {
    UsageTimerSet timers;
    for (Stopwatch &timer : timers)
      InitStopwatch(timer);
    return timers;
  }
};

// What the mark is computed from.
struct ScoreInputs {
  int32_t GameLevel = 1;
  int32_t GridWidth = 9;
  int32_t StartSudMissing = 0;
  int32_t SolverHelpCount = 0;
  int32_t RedoCount = 0;
  int32_t UndoCount = 0;
  int32_t RightClickUses = 0;
  int64_t GameSeconds = 0;
  int32_t TimeLimitSeconds = 0; // the game's time limit (ComputeTimeLimit)
  std::array<double, kUsageTimerCount> UsageSeconds{};
  // Set on Double-and-Triple grids: the points of their main grids, which are the score.
  std::optional<int32_t> DoubleTriplePoints;
};

// The score out of 20: the time and the use of the helps charged against the time limit, the
// helps and undo steps beyond an allowance charged per cell to find, and every raw value below 10
// bent into (0, 10). A limit of 0 charges no time; an unknown count of cells to find counts every
// cell of the grid. On Double-and-Triple grids the score is their points, uncapped.
float ComputeGameScore(const ScoreInputs &in);

struct EndOfGameInputs {
  Language language = Language::English;
  int32_t GameMode = 0;
  int32_t GameLevel = 1;
  float GameScore = 0;
  int32_t StartMissing = 0;
  int32_t CellsFound = 0;
  int32_t SolverHelpCount = 0;
  int32_t ErrorCount = 0;
  int32_t UndoSteps = 0; // redo plus undo steps
  int32_t TotalOpenCells = 0;
  int64_t GameSeconds = 0;
  std::string TimeText;
  std::array<int32_t, kUsageTimerCount> UsageSeconds{}; // the stopwatches once stopped
  int32_t TripleMaxScore = 0;
  // The grid scores Double-and-Triple points, in whatever mode it is played: its points are
  // reported as the Double Triple mode reports them, against TripleMaxScore.
  bool ScoresPoints = false;
};

// Catalogue statuses of the grid that was played.
inline constexpr int32_t kCatalogGridPlayed = kCatalogDone;
inline constexpr int32_t kCatalogGridToReplay = kCatalogRunning;

struct EndOfGameResult {
  std::string Message;  // the report
  std::string Score;    // the mark as shown: "14/20", or the points on Double-and-Triple grids
  float ShownScore = 0; // the number Score shows, which the score pane then shows too
  int32_t Mark = 0;     // out of 20: picks the picture and the sound
  bool Praise = false;
  int PictureIndex = 0; // in PraiseMessages or TauntMessages
  std::string PraiseLine;
  std::string_view Picture; // "./Chess/....gif"
  int SoundEffect = 0;
  int32_t CatalogStatus = kCatalogGridPlayed;
  bool KeepsBestScore = false; // the mark may enter the best scores of its level
};

// The report of a game that has ended, in the player's language; the praise or taunt is drawn
// with RandomBelow. A game that ended with cells still open gets 0, but in the Double Triple
// mode. Points are shown as they are, and the mark that picks the picture and the sound is
// always out of 20.
EndOfGameResult EvaluateEndOfGame(const EndOfGameInputs &in);

// The sound effect of a mark: 10 below 2, 11 up to 9, 13 up to 14, 12 from 15.
int EndOfGameSound(int mark);

} // namespace quorbel
