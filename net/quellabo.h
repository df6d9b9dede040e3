// The timed web challenge's plain rules: the site records of QuellaboSite.txt, the grid page's
// address for a level, the reading of a grid out of a page's text, the minutes already spent,
// the solution form's body and the reply's verdict.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

inline constexpr int kMostQuellaboSites = 100;
inline constexpr int kMostFormInputs = 299;

struct QuellaboSite {
  std::string Name;
  std::string LoginPage;          // 1, "none" for no login
  std::string LoginField;         // 2, "name=value" or "none"
  std::string PasswordField;      // 3
  std::string GridAddress;        // 4, takes one %s or %d
  int Kind = 0;                   // 5, also the lowest level code
  int HighestLevel = 0;           // 6
  std::string CellField;          // 7
  int Spare = 0;                  // 8
  std::string GridStart;          // 9
  std::string Layout;             // 10: "block", "line" or "numbers"
  std::string CellMarker;         // 11
  std::string SecondMarker;       // 12, or "none"
  std::string ValueMarker;        // 13
  std::string StartPageMarker;    // 14
  std::string NumberedAddress;    // 15
  std::string SolutionForm;       // 16
  std::string RankingPage;        // 17
  std::string InfoPage;           // 18
  int Ranking = -1;               // 19: -1 none, else 0/1 send the grid for ranking
  std::string DescriptionEnglish; // 20
  std::string DescriptionFrench;  // 21
};

// The count line, then 23 lines a site; at most 100 sites (a larger count is capped). None when
// the text has no count.
std::optional<std::vector<QuellaboSite>> LoadQuellaboSites(std::string_view text);

int QuellaboLevelCount(const QuellaboSite &site);

// A site's format with its one argument: "%s", "%d" and "%%" only; none for anything else.
std::optional<std::string> FormatSiteText(std::string_view format, std::string_view word);
std::optional<std::string> FormatSiteNumber(std::string_view format, int number);

// The grid page of a level (1..5) for the kinds that need no page first; none for a format the
// site's file got wrong, or for kinds 1010, 1020 and 1040.
std::optional<std::string> QuellaboGridAddress(const QuellaboSite &site, int level);
// The number a level's grid address takes, for the kinds that compute it (1030 and the kinds
// not named); none for the others.
std::optional<int> QuellaboFormulaNumber(const QuellaboSite &site, int level);
// Kinds 1010 and 1020: the level's grid number, from the day's first behind the start page's marker.
std::optional<int> QuellaboDayNumber(const QuellaboSite &site, int level, std::string_view startPage);
// Kind 1040: the grid number behind "grid_nb=" in the link of that level's words.
std::optional<int> QuellaboListedNumber(int level, std::string_view listPage);
// Kinds 1010 and 1020: from the start page, the day's first number behind its marker.
std::optional<std::string> QuellaboNumberedAddress(const QuellaboSite &site, int level,
                                                   std::string_view startPage);
// Kind 1040: from the list page, the number of the grid of that level's words.
std::optional<std::string> QuellaboListedAddress(const QuellaboSite &site, int level,
                                                 std::string_view listPage, bool french);

// The page text's cursor moved one on, then to the next match of `pattern` (letters compared
// without case; tags skipped when asked); behind the match when `after`. -1 when none.
long FindInText(std::string_view text, long cursor, std::string_view pattern, bool skipTags, bool after);
// The letters FindInText compared on this thread so far: the page readers' work, which stays
// within a few passes over a page whatever the page holds.
uint64_t PageLettersCompared();
// From the cursor back, "<" by "<", to a tag that starts with `pattern`; -1 when none.
long FindTagBackwards(std::string_view text, long cursor, std::string_view pattern);
// A number at the cursor: "&nbsp;", blanks, "," and ";" skipped; "A".."G" count 10..16; -1
// without a digit. The cursor ends behind it.
int ReadPageNumber(std::string_view text, long &cursor);

struct QuellaboGrid {
  std::vector<int> Values; // W x W, 0 empty
  int Filled = 0;
  bool FormatError = false;
};
// The grid behind the site's start marker, in its layout.
QuellaboGrid ReadQuellaboGrid(std::string_view page, const QuellaboSite &site, int width, int blockSide);

// Kinds 1010 and 1020: the minutes spent since the page says the grid was started, none when it
// does not say; `now` in minutes of the day.
std::optional<int> QuellaboMinutesSpent(std::string_view page, int kind, int now);

struct FormInput {
  std::string Name;
  std::string Value;
  std::string Third;
};
// The page's input elements, at most 299.
std::vector<FormInput> ReadFormInputs(std::string_view page);

// The solution's post body, in the form's order, then every cell.
std::string QuellaboSubmitBody(const QuellaboSite &site, const std::vector<FormInput> &inputs,
                               const std::vector<int> &values, int width, int seconds);

// The reply's verdict, by the words the sites use; `site` names the site in the message.
std::string QuellaboReplyMessage(std::string_view reply, const QuellaboSite &site, std::string_view login,
                                 bool french);

// Where the solution goes: the solution form, followed by the page's "iddeGrille" value when the
// form's address ends with "="; without that input, kind 1030 posts to the grid's own page.
std::string QuellaboSubmitTarget(const QuellaboSite &site, const std::vector<FormInput> &inputs,
                                 std::string_view gridAddress);

// The grid's title: "site-L<level>-<number>" for a numbered grid, else with the day's date
// "site-L<level>-DDMMYYYY".
std::string QuellaboGridName(std::string_view siteName, int level, std::optional<int> number, int day,
                             int month, int year);

} // namespace quorbel
