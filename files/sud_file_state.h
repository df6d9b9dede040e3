// What a grid file holds beside the engine's geometry and grid set: the game state of the
// application (clock, score, stopwatches, methods panel, window placements, a block of
// settings, the numeral texts), the player's undo history, and the words the engine's
// records do not hold, carried from the file that was opened to the file that is saved.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/cell_record.h"
#include "engine/grid_set.h"
#include "files/sud_file_cells.h"
#include "files/variant_block.h"

namespace quorbel {

constexpr int kNumeralCount = 16;
constexpr int kGameStateWords = 7;
constexpr int kUsageTimerCount = 11;
constexpr int kMethodPanelWords = 9;
constexpr int kShownFlagCount = 4;
constexpr int kPlacementCount = 5;
constexpr int kPlacementWords = 11;

// One of the UsageTimers: start tick in milliseconds (-1 stopped) and seconds accumulated.
struct UsageStopwatch {
  int32_t StartTick = -1;
  int32_t Seconds = 0;
  bool operator==(const UsageStopwatch &) const = default;
};

// A window's placement: length, flags, show command, minimised x and y, maximised x and
// y, then the normal rectangle's left, top, right and bottom.
using WindowPlacementWords = std::array<int32_t, kPlacementWords>;

// The settings a grid file carries, as it orders them (keys of GENERAL unless named).
struct SudSettingsBlock {
  std::array<int32_t, 19> LayoutKeys{}; // LONGCASE .. DISPLAYCOMDY
  bool HasDisplayMatrixKeys = true;     // DISPLAYMATALL, DISPLAYMATFOND, DISPLAYMATAUTO (not in version 2)
  double DisplayBarDx = 0;
  std::array<int32_t, 17> DisplayKeys{}; // DELTAFONTCOM .. GRIDCURRDIFFICULTY
  uint64_t GridCurrVariant = 0;          // GRIDCURRVARIENT-PART1 low, -PART2 high
  std::array<int32_t, 8> PlayKeys{};     // ANIMGIF .. AUTONOBOAT
  std::string ImageName;                 // relative to the start directory
  std::string BackgroundImage;           // relative to the start directory
  int32_t CatalogBaseType = -1;          // CATALOG/BASETYPE
  int32_t CatalogBaseGrid = -1;          // CATALOG/BASEGRID
  std::array<int32_t, kNumeralCount> PictureOrder{};
  bool operator==(const SudSettingsBlock &) const = default;
};

struct SudGameState {
  std::array<std::string, kNumeralCount> NumeralStrings; // what stands for the values 1..16
  std::array<int32_t, kNumeralCount> NumeralTable1{};
  std::array<int32_t, kNumeralCount> NumeralTable2{};
  int64_t TimeStamp = 0; // seconds; carried from file to file
  int32_t Paused = 0;
  int32_t NewGridFlag = 0;
  int32_t WordAfterPause = 0;
  int32_t HighestMethodLevel = -1;
  std::array<int32_t, kGameStateWords> GameWords{}; // the grid level (1..4), then six counters
  float GameScore = 0;
  std::optional<int32_t> GameMode; // older files may not say
  uint32_t SaveTick = 0;           // the machine clock when the file was written
  std::vector<UsageStopwatch> UsageTimers = std::vector<UsageStopwatch>(kUsageTimerCount);
  int32_t ClockElapsedMs = 0;
  std::optional<int32_t> ClockLimitMs; // absent in older files: the game-duration setting
  std::array<int32_t, 2> ViewLayoutWords{};
  std::vector<int32_t> MethodWords = std::vector<int32_t>(kMethodPanelWords); // MethodMask, options
  std::array<int32_t, kShownFlagCount> ShownFlags{}; // methods, preferences, profiles, music
  std::optional<SudSettingsBlock> Settings;
  std::string CommentEnglish;
  std::string CommentFrench;
  std::array<WindowPlacementWords, kPlacementCount> Placements{}; // frame, methods, prefs, profiles, music
  bool operator==(const SudGameState &) const = default;
};

// The player's undo history: Steps[i][g] holds the cells of main grid g at step i. PtUndo
// is the undo stack's next row: the steps below it are undone in turn, those from it on
// redone; it is one past the last step when the newest state was never saved as a step.
struct SudUndoHistory {
  int32_t PtUndo = 0;
  std::vector<std::vector<std::vector<CellRecord>>> Steps;
  int32_t MaxPtUndo() const { return static_cast<int32_t>(Steps.size()) - 1; }
};

// Words a file carries that no record of ours holds, per grid slot.
struct SudCarriedWords {
  std::array<VariantBlockReserved, kMaxGrids> Reserved;
  std::array<std::vector<CarriedCellWords>, kMaxGrids> CellWords; // by record
};

struct SudFileContent {
  SudGameState Game;
  SudUndoHistory Undo;
  SudCarriedWords Carried;
};

} // namespace quorbel
