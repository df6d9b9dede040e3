// The program's constant text tables in several languages: number words, keypad letters, grid
// size and game-mode names, end-of-game praise and taunts with their pictures, and the texts of
// the start screen. Constant data built before start-up; no Qt object among them.
#pragma once

#include <array>
#include <string_view>

#include "platform/language.h"

namespace quorbel {

using WordTable16 = std::array<std::string_view, 16>;

// The words for the values 1..16 (entry v - 1), upper case, without accents.
extern const WordTable16 NumberWordsFr;
extern const WordTable16 NumberWordsEn;
extern const WordTable16 NumberWordsIt;
extern const WordTable16 NumberWordsEs;
extern const WordTable16 NumberWordsDe;
inline constexpr int kNumberWordLanguages = 5;
// The five tables above, French first, in the order the numeral dialog offers them.
extern const std::array<const WordTable16 *, kNumberWordLanguages> NumberWords;

// Entries 0..15: the phone-keypad letter group of key k + 1 at entry k ("ABC" for key 1...);
// entries 16..31: a transliteration of the numbers 1..9, then empty entries.
inline constexpr int kKeypadTransliterationStart = 16;
extern const std::array<std::string_view, 32> KeypadLetters;

extern const std::array<std::string_view, 6> GridSizeNames;

// By game mode 0..7.
inline constexpr int kGameModeCount = 8;
extern const std::array<std::string_view, kGameModeCount> ModeNamesFr;
extern const std::array<std::string_view, kGameModeCount> ModeNamesEn;
std::string_view GameModeName(int mode, Language language); // empty for an unknown mode

// An end-of-game remark with the animated picture shown beside it.
struct PictureRemark {
  std::string_view french;
  std::string_view english;
  std::string_view picture;

  std::string_view Text(Language language) const { return IsEnglish(language) ? english : french; }
};
extern const std::array<PictureRemark, 8> PraiseMessages;
extern const std::array<PictureRemark, 7> TauntMessages;

// The start screen: a welcome line, then one description per area (ten game buttons, the help
// button's tooltip and the text shown when the maker's server cannot be reached).
extern const std::string_view WelcomeFr;
extern const std::string_view WelcomeEn;
inline constexpr int kStartAreaCount = 12;
inline constexpr int kStartAreaHelpTip = 10;
inline constexpr int kStartAreaServerDown = 11;
extern const std::array<std::string_view, kStartAreaCount> StartAreaTextsFr;
extern const std::array<std::string_view, kStartAreaCount> StartAreaTextsEn;
std::string_view StartAreaText(int area, Language language); // empty for an unknown area

} // namespace quorbel
