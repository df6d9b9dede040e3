// The text grid format's vocabulary, shared by its writer and its reader: the first
// character of each line kind (Latin-1 bytes, several of them beyond ASCII) and the
// letters inside lines that name a kind.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quorbel {

// Extra information a text grid carries beside the grids.
struct TextGridInfo {
  std::string CommentEnglish; // UTF-8
  std::string CommentFrench;
  std::array<std::string, 16> NumeralStrings;
  std::array<int32_t, 16> NumeralTable1{}; // the Double and Triple points ("6" line)
  std::array<int32_t, 16> NumeralTable2{}; // the Trio classes of the values ("%" line)
  int32_t Level = 0;                       // 1..4; anything else is not written
  std::string ProfileName;                 // read only: a preference profile to apply ("#")
  bool operator==(const TextGridInfo &) const = default;
};

namespace text_grid {

constexpr char kNextGrid = 'S';
constexpr char kNextLinkedGrid = '@';
constexpr char kCommentLine = ';';
constexpr char kEnglishComment = '=';
constexpr char kFrenchComment = '!';
constexpr char kProfile = '#';
constexpr char kNumeralString = 'H';
constexpr char kLevel = 'N';
constexpr char kPointsTable = '6';
constexpr char kReferenceValue = 'R';

constexpr char kLittleKiller = 'L';
constexpr char kDiagonal = 'G';
constexpr char kDistance = 'D';
constexpr char kEven = 'E';
constexpr char kOdd = 'O';
constexpr char kSharedParity = 'Z';
// Comparison marks, by kind 2..9.
constexpr char kCompX = 'X';
constexpr char kCompV = 'V';
constexpr char kCompConsecutive = '-';
constexpr char kCompRatio = '/';
constexpr char kCompSumN = '\xE8';  // è
constexpr char kCompDiffN = '\xE9'; // é
constexpr char kCompGreater = '>';
constexpr char kCompLess = '<';
constexpr char kAllIndicated = '}';
constexpr char kSumCage = 'K';
constexpr char kProductCage = '*';
constexpr char kZeroCages = '\xB0'; // °
// Our region lines: "B" row index, then the row's cells.
constexpr char kRegionRow = 'B';
constexpr char kTiled = 'J';
constexpr char kPiece = 'P';
constexpr char kPieceRotation = '9';
constexpr char kPieceOption = '(';
// Our piece turns: each piece's quarter turns and mirror flag, in piece order.
constexpr char kPieceTurns = '|';
constexpr char kBoatCounts = 'A';
constexpr char kClassTable = '%';
constexpr char kCellClass = '3';
constexpr char kRegionCount = 'Y';
constexpr char kOutsideClue = 'C';
constexpr char kTransfer = '8';
constexpr char kFrameClue = 'F';
constexpr char kNumeral = '$';
constexpr char kOddPair = 'U';
constexpr char kQuad = 'Q';
constexpr char kAllowedSet = 'M';
constexpr char kKimo = '&';
constexpr char kPanDigital = '+';
constexpr char kDan = '?';
constexpr char kArrow = '\xA7';         // §
constexpr char kMagicSentence = '\xB5'; // µ
constexpr char kNoConsecutive = '^';
constexpr char kNoTouch = '\xA8'; // ¨
constexpr char kWheel = ')';
constexpr char kEquality = '\xE7'; // ç
constexpr char kCreasing = '0';
constexpr char kNavigator = '1';
constexpr char kChess = '5';
constexpr char kMagicSquare = '7';
constexpr char kTwinsRelation = '4';
constexpr char kTwinsZone = 'W';
constexpr char kTwinsDifferent = 'R';
constexpr char kTwinsEqual = 'I';
constexpr char kTwinsSubstitution = 'T';
constexpr char kTwinsTotal = '{';
constexpr char kMultTable = '[';
constexpr char kPirate = ']';
constexpr char kMasterMind = '\xB1';      // ±
constexpr char kTwinsMultiple = '\xA9';   // ©
constexpr char kTwinsSameInLine = '\xA4'; // ¤
constexpr char kSpareWordSet = '\xBC';    // ¼
constexpr char kNoKnightStep = '\xBD';    // ½
constexpr char kTouchy = '\xBE';          // ¾
constexpr char kNo3OddEven = '\xBF';      // ¿
constexpr char kNoAverage = '\xA5';       // ¥
constexpr char kGiveMe5 = '\xD8';         // Ø
constexpr char kSurprise = '\xE0';        // à
// A hidden-variant grid: the rule it hides, word 1 then word 2.
constexpr char kHiddenRule = '\xA3'; // £
// A Magic Sentence letter with no saved value.
constexpr char kNoSentenceLetter = '.';

} // namespace text_grid

} // namespace quorbel
