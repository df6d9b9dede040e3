// The best score of each level, kept in the BESTSCORE section of the settings: the mark in
// hundredths, the grid's width and rules and the time it took. A better mark replaces the stored
// one; the best-score dialog shows the four levels.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/variant_bits.h"
#include "platform/abstract_profile_store.h"
#include "platform/language.h"

namespace quorbel {

inline constexpr std::string_view kBestScoreSection = "BESTSCORE";
inline constexpr int kBestScoreLevels = 4; // Easy, Medium, Difficult, Terrible
// What a level holds before any game set it; it compares above every real time.
inline constexpr std::string_view kNoBestTime = "99:99:99";

struct BestScore {
  uint32_t ScoreHundredths = 0;
  int32_t Width = 0;
  VariantWords Rules;
  std::string Time;
};

struct FinishedGame {
  int32_t GameLevel = 1;
  int32_t Width = 9;
  VariantWords Rules; // the current grid's
  float Score = 0;
  std::string Time; // "hh:mm:ss"
};

// The stored best of level 1..4 (defaults where keys are missing).
BestScore ReadBestScore(AbstractProfileStore &store, int level);

// Stores the game as the best of its level when its mark is higher, or equal in a shorter time.
// Medium needs a grid at least 6 wide, Difficult 8, Terrible 9; Easy takes any. True when stored.
bool BestScoreUpdate(AbstractProfileStore &store, const FinishedGame &game);

// The best-score dialog's texts: the title, the four level names, the row captions, and one
// block per level (empty for a level no game set yet).
struct BestScoreTexts {
  std::string Title;
  std::array<std::string, kBestScoreLevels> LevelNames;
  std::string RowCaptions;
  std::array<std::string, kBestScoreLevels> Blocks;
};
BestScoreTexts BestScoreDialogTexts(AbstractProfileStore &store, Language language);

} // namespace quorbel
