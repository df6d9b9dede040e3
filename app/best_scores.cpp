#include "app/best_scores.h"

#include <cmath>

#include "app/message_format.h"
#include "engine/variant_catalog.h"

namespace quorbel {

namespace {

constexpr std::array<std::string_view, kBestScoreLevels> kLevelWords = {"EASY", "MEDIUM", "DIFFICULT",
                                                                        "TERRIBLE"};
// The narrowest grid whose game may set the best score of each level.
constexpr std::array<int32_t, kBestScoreLevels> kNarrowestWidth = {0, 6, 8, 9};
// A level block is shown once a game of a real grid set it (the width reads 1 until then).
constexpr int32_t kSmallestShownWidth = 4;
constexpr double kHundredths = 100.0;
// A mark is out of 20: a Double-and-Triple game counts points instead, and a level that once
// stored them (older versions did) would never be beaten again.
constexpr uint32_t kTopHundredths = 2000;

std::string Key(std::string_view prefix, int level) {
  return std::string(prefix) + std::string(kLevelWords[static_cast<size_t>(level - 1)]);
}

bool ValidLevel(int level) { return level >= 1 && level <= kBestScoreLevels; }

// The rules of a best game, by name: the first one, and how many more.
std::string RulesText(VariantWords rules, Language language) {
  std::string first;
  int more = 0;
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row) {
    const VariantRow &entry = VariantCatalog[static_cast<size_t>(row)];
    if (!Meets(rules, entry.VarMasks))
      continue;
    if (first.empty())
      first = IsEnglish(language) ? entry.VarNameEn : entry.VarNameFr;
    else
      ++more;
  }
  if (first.empty())
    return IsEnglish(language) ? "Classic" : "Classique";
  return more == 0 ? first : FormatText("%s +%d", {first, more});
}

} // namespace

BestScore ReadBestScore(AbstractProfileStore &store, int level) {
  BestScore best;
  if (!ValidLevel(level))
    return best;
  best.ScoreHundredths = static_cast<uint32_t>(store.GetInt(kBestScoreSection, Key("SCORE-", level), 0));
  if (best.ScoreHundredths > kTopHundredths) {
    best = BestScore{};
    best.Width = 1;
    best.Time = kNoBestTime;
    return best;
  }
  best.Width = store.GetInt(kBestScoreSection, Key("SIZE-", level), 1);
  best.Rules.word1 = static_cast<uint32_t>(store.GetInt(kBestScoreSection, Key("VAR1-", level), 0));
  best.Rules.word2 = static_cast<uint32_t>(store.GetInt(kBestScoreSection, Key("VAR2-", level), 0));
  best.Time = store.GetString(kBestScoreSection, Key("TIME-", level), kNoBestTime);
  return best;
}

bool BestScoreUpdate(AbstractProfileStore &store, const FinishedGame &game) {
  const int level = game.GameLevel;
  if (!ValidLevel(level) || game.Width < kNarrowestWidth[static_cast<size_t>(level - 1)])
    return false;
  if (!std::isfinite(game.Score) || game.Score < 0 || Meets(game.Rules, kVarNeighbourScore))
    return false;
  const auto hundredths = static_cast<uint32_t>(game.Score * kHundredths);
  if (hundredths > kTopHundredths)
    return false;
  const BestScore best = ReadBestScore(store, level);
  // On an equal mark the shorter time wins; "hh:mm:ss" texts compare as times.
  const bool better =
      hundredths > best.ScoreHundredths || (hundredths == best.ScoreHundredths && game.Time < best.Time);
  if (!better)
    return false;
  store.WriteInt(kBestScoreSection, Key("SCORE-", level), static_cast<int32_t>(hundredths));
  store.WriteInt(kBestScoreSection, Key("SIZE-", level), game.Width);
  store.WriteInt(kBestScoreSection, Key("VAR1-", level), static_cast<int32_t>(game.Rules.word1));
  store.WriteInt(kBestScoreSection, Key("VAR2-", level), static_cast<int32_t>(game.Rules.word2));
  store.WriteString(kBestScoreSection, Key("TIME-", level), game.Time);
  return true;
}

BestScoreTexts BestScoreDialogTexts(AbstractProfileStore &store, Language language) {
  const bool english = IsEnglish(language);
  BestScoreTexts texts;
  texts.Title = english ? "Your Best Score" : "Votre Meilleur Score";
  texts.LevelNames =
      english ? std::array<std::string, kBestScoreLevels>{"Easy", "Medium", "Difficult", "Terrible"}
              : std::array<std::string, kBestScoreLevels>{"Facile", "Moyen", "Difficile", "Terrible"};
  texts.RowCaptions = english ? "Size\nVarient\nTime\nScore" : "Taille\nVariante\nTemps\nScore";
  for (int level = 1; level <= kBestScoreLevels; ++level) {
    const BestScore best = ReadBestScore(store, level);
    if (best.Width < kSmallestShownWidth)
      continue;
    texts.Blocks[static_cast<size_t>(level - 1)] =
        FormatText("%d\n%s\n%s\n%2.2f", {best.Width, RulesText(best.Rules, language), best.Time,
                                         best.ScoreHundredths / kHundredths});
  }
  return texts;
}

} // namespace quorbel
