// The rule table: one RuleDef per catalogue row, in the catalogue's order. A row holds the rule's
// bit, its names, its family and what it has: its check and filter steps, its traits, the
// letter of its text-grid line, its clue lists and the fast search's link that reads it.
// Propagation walks these steps in the orders of check_constraints.cpp and
// filter_constraints.cpp; the catalogue, the clue kinds, the painters and the definition
// commands are derived from the rows or checked against them.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "engine/boat_marks.h"
#include "engine/cell_set_rules.h"
#include "engine/chess_rules.h"
#include "engine/comparison_rules.h"
#include "engine/group_rules.h"
#include "engine/navigator_rules.h"
#include "engine/neighbour_rules.h"
#include "engine/propagate.h"
#include "engine/puzzle_pieces.h"
#include "engine/rule_steps.h"
#include "engine/search_link_kind.h"
#include "engine/sum_rules.h"
#include "engine/twins_rules.h"
#include "engine/variant_bits.h"
#include "engine/variant_catalog.h"

namespace quorbel {

// The families of rules, each built as one piece of work.
enum class RuleFamily {
  None,          // the random rows and the separator
  Regions,       // diagonals, irregular blocks and extra regions: units of the grid
  SumProduct,    // sums, products and moduli of several cells, and the clues around the grid
  Comparison,    // two cells (or a corner of four) by parity, order, sum, difference or ratio
  Neighbourhood, // neighbours, knight steps and chess pieces
  CellSet,       // sets of values per cell and free groups of cells
  Pieces,        // puzzle pieces, tiles and the fleet
  Twins,         // rules between grids
};

// The catalogue rows by name; the value is the row's index.
enum class RuleRow : int {
  RandomSingle,
  RandomMultiple,
  Separator,
  Diagonal,
  Irregular,
  Less,
  Odd,
  XV,
  Dot,
  AllIndicated,
  Pirate,
  Trio,
  Navigator,
  LittleKiller,
  KillerSum,
  KillerProduct,
  Kimo,
  Touchy,
  No3OddEven,
  NoAverage,
  NoConsecutive,
  NoTouch,
  GiveMe5,
  OddPair,
  NoKnightStep,
  Arrow,
  CreasingLines,
  Outside,
  FrameSum,
  FrameProduct,
  FrameMax,
  Oddview,
  SkyScraper,
  LastNumber,
  Transfer,
  MasterMind,
  Domino,
  PencilMark,
  DigitalClock,
  Romain,
  Numeral,
  Distance,
  Dan,
  Equality,
  QuadMax,
  Wheel,
  MultTable,
  Chess,
  MagicSquare,
  MagicSentence,
  ExtraRegion,
  PanDigital,
  Puzzle,
  Tiled,
  BattleShip,
  TwinsRelation,
  TwinsRelationMultiple,
  TwinsSubstitution,
  TwinsEqual,
  TwinsZone,
  TwinsDifferent,
  TwinsSameInLine,
  TwinsVariantMasked,
  TwinsTotal,
};

constexpr int RowIndex(RuleRow row) { return static_cast<int>(row); }

enum RuleTrait : uint8_t {
  kActsThroughClues = 1,     // without a clue it changes nothing, so the grid keeps the fast search
  kCluesBesideGrid = 2,      // its clues stand beside the grid
  kFilteredBetweenGrids = 4, // its filter runs between the linked grids, not in the grid's pass
  kHideable = 8,             // a hidden-variant grid may hide it (a rule on every cell, without clues)
  // Its clues only reject a finished grid (but where the Puzzle rule's filter reads the pieces,
  // which its bit keeps on the propagating route): a count for uniqueness alone may leave them out.
  kCluesOnlyReject = 16,
  // A count for uniqueness alone may take the fast search, which reads the rule through its link
  // (RuleDef::Link): its bit, and its clues when it acts through clues.
  kReadByFastRoute = 32,
};

// A row's clues: how many a grid holds (or any number above 0 when it holds some), and the clearing of the
// conflict flags its check raises before each propagation (null: the check clears its own). Rows sharing a
// list share both.
struct RuleClues {
  int (*Count)(const VariantLists &) = nullptr;
  void (*ClearConflicts)(VariantWork &, const VariantLists &) = nullptr;
};

struct RuleDef {
  RuleRow Row;
  std::string_view NameEn; // the catalogue's names
  std::string_view NameFr;
  VariantWords Bit; // none for the random rows and the separator
  RuleFamily Family;
  // Its step in the grid's checks and in its filters; null when the units do the work or it has
  // none. Rows that share a clue list or a pass over the cells share the step.
  RuleStep Check;
  RuleStep Filter;
  uint8_t Traits; // RuleTrait bits
  // The first characters of the text-grid lines that set its bit (a comparison's kinds, a
  // parity's marks); empty for none.
  std::string_view TextLetters;
  RuleClues Clues{}; // none for a rule without a clue list or conflict flag
  // The fast search's link that reads the rule (solver/search_links.h); every row with the
  // trait kReadByFastRoute names one.
  SearchLinkKind Link = SearchLinkKind::None;
};

namespace rule_table {

using enum RuleFamily;
using enum RuleRow;

// The steps several rows share.
inline int CheckSideClues(EngineContext &ctx, GridRecord &grid) {
  for (int side = 0; side < 4; ++side)
    for (int line = 0; line < ctx.Geo.GridWidth; ++line) {
      CheckOutsideClue(ctx.Geo, grid, side, line);
      CheckFrameClue(side, line, ctx.Geo, grid);
    }
  return 0;
}
inline int FilterSideClues(EngineContext &ctx, GridRecord &grid) {
  int changed = 0;
  for (int side = 0; side < 4; ++side)
    for (int line = 0; line < ctx.Geo.GridWidth; ++line) {
      changed |= FilterOutsideClue(ctx.Geo, grid, side, line);
      changed |= FilterFrameClue(ctx.Geo, grid, side, line);
    }
  return changed;
}
constexpr VariantWords kAllowedSetRules = kVarPencilMark | kVarDigitalClock | kVarDomino | kVarRomain;
constexpr RuleStep kCheckComparisons = EachClue<ListCount<&VariantLists::Comparisons>, CheckComparison>;
constexpr RuleStep kFilterComparisons = EachClue<ListCount<&VariantLists::Comparisons>, FilterComparison>;
constexpr RuleStep kCheckCages = EachClue<ListCount<&VariantLists::Killer>, CheckKiller>;
constexpr RuleStep kFilterCages = EachClue<ListCount<&VariantLists::Killer>, FilterKiller>;
constexpr RuleStep kCheckPieces = EachClue<ListCount<&VariantLists::Pieces>, CheckPuzzlePiece>;
constexpr RuleStep kCheckAllowedSets = WhenHeld<kAllowedSetRules, CheckAllowedSets>;
constexpr RuleStep kFilterAllowedSets = WhenHeld<kAllowedSetRules, FilterAllowedSets>;
constexpr RuleStep kCheckSides = WhenHeld<kSideClueRules, CheckSideClues>;
constexpr RuleStep kFilterSides = WhenHeld<kSideClueRules, FilterSideClues>;

// The clue lists, each with the conflict flags its check raises.
template <auto Flags, auto List> inline void ClearListFlags(VariantWork &work, const VariantLists &lists) {
  auto &flags = work.*Flags;
  std::fill_n(flags.begin(), std::clamp<int>((lists.*List).Size(), 0, static_cast<int>(flags.size())),
              int8_t{0});
}
template <auto List, auto Flags> constexpr RuleClues kListClues{ListCount<List>, ClearListFlags<Flags, List>};
template <auto List> constexpr RuleClues kUnflaggedClues{ListCount<List>, nullptr};
// 1 at the first clue found: the searches ask it at every node of a grid without rules.
inline int SideClueCount(const VariantLists &lists) {
  for (int side = 0; side < 4; ++side)
    for (int line = 0; line < kMaxWidth; ++line)
      if (lists.Frame.Kind[side][line] != 0 || lists.Outside.Count[side][line] > 0)
        return 1;
  return 0;
}
inline void ClearSideFlags(VariantWork &work, const VariantLists &) {
  for (auto &side : work.FrameConflict)
    side.fill(0);
  for (auto &side : work.OutsideConflict)
    side.fill(0);
}
inline int TransferClueCount(const VariantLists &lists) {
  return lists.Transfer.Size() + SideClueCount(lists);
}
inline void ClearTransferFlags(VariantWork &work, const VariantLists &lists) {
  ClearListFlags<&VariantWork::TransferConflict, &VariantLists::Transfer>(work, lists);
  ClearSideFlags(work, lists);
}
inline void ClearQuadFlags(VariantWork &work, const VariantLists &lists) {
  ClearListFlags<&VariantWork::QuadMinConflict, &VariantLists::Quads>(work, lists);
  ClearListFlags<&VariantWork::QuadMaxConflict, &VariantLists::Quads>(work, lists);
}
constexpr RuleClues kComparisonClues =
    kListClues<&VariantLists::Comparisons, &VariantWork::ComparisonConflict>;
constexpr RuleClues kCageClues = kListClues<&VariantLists::Killer, &VariantWork::KillerConflict>;
constexpr RuleClues kPieceClues = kListClues<&VariantLists::Pieces, &VariantWork::PieceConflict>;
constexpr RuleClues kSideClues{SideClueCount, ClearSideFlags};
constexpr RuleClues kTransferClues{TransferClueCount, ClearTransferFlags};
constexpr RuleClues kQuadClues{ListCount<&VariantLists::Quads>, ClearQuadFlags};
constexpr RuleClues kDanClues{[](const VariantLists &lists) { return static_cast<int>(lists.Dan.NCells); },
                              [](VariantWork &work, const VariantLists &) { work.DanConflict = 0; }};
constexpr RuleClues kSentenceClues{
    [](const VariantLists &lists) { return static_cast<int>(lists.MagicSentence.NCells); }, nullptr};
constexpr RuleClues kMasterMindClues{MasterMindLineCount, nullptr};

template <auto List, auto Fn> constexpr RuleStep Each = EachClue<ListCount<List>, Fn>;
template <VariantWords Bit, auto Fn> constexpr RuleStep Held = WhenHeld<Bit, Fn>;

constexpr uint8_t kClued = kActsThroughClues;
constexpr uint8_t kSide = kActsThroughClues | kCluesBesideGrid;
constexpr uint8_t kBetween = kFilteredBetweenGrids;
constexpr uint8_t kRejecting = kActsThroughClues | kCluesOnlyReject;
constexpr uint8_t kFastLinked = kActsThroughClues | kReadByFastRoute;
constexpr uint8_t kFastHideable = kHideable | kReadByFastRoute;

constexpr RuleClues kNoClues{};
constexpr SearchLinkKind kNeighbourLink = SearchLinkKind::Neighbours;
constexpr SearchLinkKind kDiagonalLink = SearchLinkKind::ClueDiagonals;
constexpr SearchLinkKind kChessLink = SearchLinkKind::ChessFigures;
constexpr SearchLinkKind kSkylineLink = SearchLinkKind::SkylineLines;

constexpr std::array<RuleDef, kVariantRowCount> kRows = {{
    {RandomSingle, "Random Single", "Un seul Aléatoire", {}, None, nullptr, nullptr, 0, ""},
    {RandomMultiple, "Random Multiple", "Aléatoires multiples", {}, None, nullptr, nullptr, 0, ""},
    {Separator, "---------", "---------", {}, None, nullptr, nullptr, 0, ""},
    {Diagonal, "Diagonal", "Diagonal", kVarDiagonal, Regions, nullptr, nullptr, kHideable, "G"},
    {Irregular, "Irregular", "Irregulier", kVarIrregular, Regions, nullptr, nullptr, 0, "B"},
    {Less, "Less", "Plus Petit", kVarLess, Comparison, kCheckComparisons, kFilterComparisons, kClued, "<>",
     kComparisonClues},
    {Odd, "Odd", "Pair", kVarOdd, Comparison, EachMarkedCell<CheckOddEvenCell>,
     EachMarkedCell<FilterOddEvenCell>, 0, "OEZ", kUnflaggedClues<&VariantLists::OddEven>},
    {XV, "XV", "XV", kVarXV, Comparison, kCheckComparisons, kFilterComparisons, kClued, "XV",
     kComparisonClues},
    {Dot, "Dot", "Dot", kVarDot, Comparison, kCheckComparisons, kFilterComparisons, kClued, "-/\xE8\xE9",
     kComparisonClues},
    {AllIndicated, "All Indicated", "Tout Signifiant", kVarAllIndicated, Comparison,
     Held<kVarAllIndicated, CheckAllIndicated>, Held<kVarAllIndicated, FilterAllIndicated>, kClued, "}",
     kComparisonClues},
    {Pirate, "Pirate", "Pirate", kVarPirate, Neighbourhood, Held<kVarPirate, CheckPirate>,
     Held<kVarPirate, FilterPirate>, kFastHideable, "]",
     RuleClues{nullptr, [](VariantWork &work, const VariantLists &) { work.PirateConflict = 0; }},
     kNeighbourLink},
    {Trio, "Trio", "Trio", kVarTrio, CellSet, Held<kVarTrio, CheckCellClasses>,
     Held<kVarTrio, FilterCellClasses>, 0, "3"},
    {Navigator, "Navigator", "Navigator", kVarNavigator, Neighbourhood,
     Each<&VariantLists::Navigator, CheckNavigator>, Each<&VariantLists::Navigator, FilterNavigator>, kClued,
     "1", kListClues<&VariantLists::Navigator, &VariantWork::NavigatorConflict>},
    {LittleKiller, "Little Killer", "Little Killer", kVarLittleKiller, SumProduct,
     Each<&VariantLists::LittleKiller, CheckLittleKiller>,
     Each<&VariantLists::LittleKiller, FilterLittleKiller>, kFastLinked, "L",
     kListClues<&VariantLists::LittleKiller, &VariantWork::LittleKillerConflict>, kDiagonalLink},
    {KillerSum, "Killer Sum", "Killer Somme", kVarKillerSum, SumProduct, kCheckCages, kFilterCages, kClued,
     "K", kCageClues},
    {KillerProduct, "Killer Product", "Killer Produit", kVarKillerProduct, SumProduct, kCheckCages,
     kFilterCages, kClued, "*", kCageClues},
    {Kimo, "Kimo", "Kimo", kVarKimo, SumProduct, kCheckCages, kFilterCages, kClued, "&", kCageClues},
    {Touchy, "Touchy", "Touche", kVarTouchy, Neighbourhood, Held<kVarTouchy, CheckTouchy>,
     Held<kVarTouchy, FilterTouchy>, kFastHideable, "\xBE", kNoClues, kNeighbourLink},
    {No3OddEven, "No 3 Odd Even", "Pas 3 Pairs-Impairs", kVarNo3OddEven, Neighbourhood,
     Held<kVarNo3OddEven, CheckNo3OddEven>, Held<kVarNo3OddEven, FilterNo3OddEven>, kFastHideable, "\xBF",
     kNoClues, kNeighbourLink},
    {NoAverage, "No Average", "Pas Moyenne", kVarNoAverage, Neighbourhood,
     Held<kVarNoAverage, CheckNoAverage>, Held<kVarNoAverage, FilterNoAverage>, kFastHideable, "\xA5",
     kNoClues, kNeighbourLink},
    {NoConsecutive, "No Consecutive", "Pas Consecutif", kVarNoConsecutive, Neighbourhood,
     Held<kVarNoConsecutive, CheckNoConsecutive>, Held<kVarNoConsecutive, FilterNoConsecutive>, kFastHideable,
     "^", kNoClues, kNeighbourLink},
    {NoTouch, "No Touch", "Pas Touche", kVarNoTouch, Neighbourhood, Held<kVarNoTouch, CheckNoTouch>,
     Held<kVarNoTouch, FilterNoTouch>, kFastHideable, "\xA8", kNoClues, kNeighbourLink},
    {GiveMe5, "Give Me 5", "Donne Moi 5", kVarGiveMe5, Neighbourhood, Held<kVarGiveMe5, CheckGiveMe5>,
     Held<kVarGiveMe5, FilterGiveMe5>, kFastHideable, "\xD8", kNoClues, kNeighbourLink},
    {OddPair, "Odd Pair", "Couple Pair", kVarOddPair, Comparison, Each<&VariantLists::OddPairs, CheckOddPair>,
     Each<&VariantLists::OddPairs, FilterOddPair>, kClued, "U",
     kListClues<&VariantLists::OddPairs, &VariantWork::OddPairConflict>},
    {NoKnightStep, "No Knight Step", "Pas Cavalier Echec", kVarNoKnightStep, Neighbourhood,
     Held<kVarNoKnightStep, CheckNoKnightStep>, Held<kVarNoKnightStep, FilterNoKnightStep>, kFastHideable,
     "\xBD", kNoClues, kNeighbourLink},
    {Arrow, "Arrow", "Arrow", kVarArrow, SumProduct, Each<&VariantLists::Arrows, CheckArrow>,
     Each<&VariantLists::Arrows, FilterArrow>, kClued, "\xA7",
     kListClues<&VariantLists::Arrows, &VariantWork::ArrowConflict>},
    {CreasingLines, "Creasing Lines", "Creasing Lines", kVarCreasingLines, SumProduct,
     Each<&VariantLists::Creasing, CheckCreasing>, Each<&VariantLists::Creasing, FilterCreasing>, kClued, "0",
     kListClues<&VariantLists::Creasing, &VariantWork::CreasingConflict>},
    {Outside, "Outside", "Outside", kVarOutside, SumProduct, kCheckSides, kFilterSides, kSide, "C",
     kSideClues},
    {FrameSum, "Frame Sum", "Frame Somme", kVarFrameSum, SumProduct, kCheckSides, kFilterSides, kSide, "F",
     kSideClues},
    {FrameProduct, "Frame Product", "Frame Produit", kVarFrameProduct, SumProduct, kCheckSides, kFilterSides,
     kSide, "F", kSideClues},
    {FrameMax, "Frame Max", "Frame Max", kVarFrameMax, SumProduct, kCheckSides, kFilterSides, kSide, "F",
     kSideClues},
    {Oddview, "Oddview", "Oddview", kVarOddview, SumProduct, kCheckSides, kFilterSides, kSide, "C",
     kSideClues},
    {SkyScraper, "SkyScrapper", "SkyScrapper", kVarSkyScraper, SumProduct, kCheckSides, kFilterSides, kSide,
     "F", kSideClues, kSkylineLink},
    {LastNumber, "Last Number", "Last Number", kVarLastNumber, SumProduct, kCheckSides, kFilterSides, kSide,
     "F", kSideClues},
    {Transfer, "Transfer", "Transfer", kVarTransfer, SumProduct, kCheckSides, kFilterSides, kSide, "8C",
     kTransferClues},
    {MasterMind, "MasterMind", "MasterMind", kVarMasterMind, CellSet,
     EachClueWhenHeld<kVarMasterMind, MasterMindLineCount, CheckMasterMind>,
     EachClueWhenHeld<kVarMasterMind, MasterMindLineCount, FilterMasterMind>, kClued, "\xB1",
     kMasterMindClues},
    {Domino, "Domino", "Domino", kVarDomino, CellSet, kCheckAllowedSets, kFilterAllowedSets, 0, "M"},
    {PencilMark, "Pencil Mark", "Pencil Mark", kVarPencilMark, CellSet, kCheckAllowedSets, kFilterAllowedSets,
     0, "M"},
    {DigitalClock, "Digital Clock", "Montre Digital", kVarDigitalClock, CellSet, kCheckAllowedSets,
     kFilterAllowedSets, 0, "M"},
    {Romain, "Romain", "Romain", kVarRomain, CellSet, kCheckAllowedSets, kFilterAllowedSets, 0, "M"},
    {Numeral, "Numeral", "Lettre", kVarNumeral, CellSet, Held<kVarNumeral, CheckNumerals>,
     Held<kVarNumeral, FilterNumerals>, 0, "$"},
    {Distance, "Distance", "Distance", kVarDistance, Comparison, Each<&VariantLists::Distance, CheckDistance>,
     Each<&VariantLists::Distance, FilterDistance>, kClued, "D",
     kListClues<&VariantLists::Distance, &VariantWork::DistanceConflict>},
    {Dan, "Dan", "Dan", kVarDan, CellSet, Held<kVarDan, CheckDan>, Held<kVarDan, FilterDan>, kClued, "?",
     kDanClues},
    {Equality, "Equality", "Egualité", kVarEquality, CellSet, Each<&VariantLists::Equality, CheckEquality>,
     Each<&VariantLists::Equality, FilterEquality>, kClued, "\xE7",
     kListClues<&VariantLists::Equality, &VariantWork::EqualityConflict>},
    {QuadMax, "Quad Max", "Quad Max", kVarQuadMax, Comparison, Each<&VariantLists::Quads, CheckQuad>,
     Each<&VariantLists::Quads, FilterQuad>, kClued, "Q", kQuadClues},
    {Wheel, "Wheel", "Roue", kVarWheel, CellSet, Each<&VariantLists::Wheels, CheckWheel>,
     Each<&VariantLists::Wheels, FilterWheel>, kClued, ")",
     kListClues<&VariantLists::Wheels, &VariantWork::WheelConflict>},
    {MultTable, "Mult Table", "Mult Table", kVarMultTable, SumProduct,
     EachClueWhenHeld<kVarMultTable, ListCount<&VariantLists::MultTable>, CheckMultTable>,
     EachClueWhenHeld<kVarMultTable, ListCount<&VariantLists::MultTable>, FilterMultTable>, kClued, "[",
     kListClues<&VariantLists::MultTable, &VariantWork::MultTableConflict>},
    {Chess, "Chess", "Echec", kVarChess, Neighbourhood, Held<kVarChess, CheckChess>,
     Held<kVarChess, FilterChess>, kFastLinked, "5",
     kListClues<&VariantLists::Chess, &VariantWork::ChessConflict>, kChessLink},
    {MagicSquare, "Magic Square", "Carré Magique", kVarMagicSquare, SumProduct,
     Each<&VariantLists::MagicSquares, CheckMagicSquare>,
     Each<&VariantLists::MagicSquares, FilterMagicSquare>, kClued, "7",
     kListClues<&VariantLists::MagicSquares, &VariantWork::MagicSquareConflict>},
    {MagicSentence, "Magic Sentence", "Phrase Magique", kVarMagicSentence, CellSet,
     Held<kVarMagicSentence, CheckMagicSentence>, nullptr, kRejecting, "\xB5", kSentenceClues},
    {ExtraRegion, "Extra Region", "Extra Region", kVarExtraRegion, Regions, nullptr, nullptr, 0, "Y"},
    {PanDigital, "PanDigital", "PanDigital", kVarPanDigital, CellSet,
     Each<&VariantLists::Pan, CheckPanDigital>, nullptr, kClued, "+",
     kListClues<&VariantLists::Pan, &VariantWork::PanConflict>},
    {Puzzle, "Puzzle", "Puzzle", kVarPuzzle, Pieces, kCheckPieces, Held<kVarPuzzle, FilterAllPuzzlePieces>,
     kRejecting, "P", kPieceClues},
    {Tiled, "Tiled", "Tiled", kVarTiled, Pieces, kCheckPieces, nullptr, kRejecting, "J", kPieceClues},
    {BattleShip, "Battle Ship", "Bataille Navale", kVarBattleShip, Pieces, Held<kVarBattleShip, CountBoats>,
     nullptr, kRejecting, "A", kPieceClues},
    {TwinsRelation, "Twins Relation", "Twins Relation", kVarTwinsRelation, Twins,
     Each<&VariantLists::TwinsRelation, CheckTwinsRelation>,
     Each<&VariantLists::TwinsRelation, FilterTwinsRelationCell>, kBetween, "4",
     kListClues<&VariantLists::TwinsRelation, &VariantWork::TwinsRelationConflict>},
    {TwinsRelationMultiple, "Twins Relation Multiple", "Twins Relation Multiple", kVarTwinsRelationMultiple,
     Twins,
     EachClueWhenHeld<kVarTwinsRelationMultiple, ListCount<&VariantLists::TwinsMultiple>,
                      CheckTwinsRelationMultiple>,
     EachClueWhenHeld<kVarTwinsRelationMultiple, ListCount<&VariantLists::TwinsMultiple>,
                      FilterTwinsRelationMultiple>,
     kBetween, "\xA9", kListClues<&VariantLists::TwinsMultiple, &VariantWork::TwinsMultipleConflict>},
    {TwinsSubstitution, "Twins Substitution", "Twins Substitution", kVarTwinsSubstitution, Twins,
     Always<CheckTwinsSubstitution>, Always<FilterTwinsSubstitution>, kBetween, "T"},
    {TwinsEqual, "Twins Equal", "Twins Egales", kVarTwinsEqual, Twins, Always<CheckTwinsEqual>,
     Always<FilterTwinsEqual>, kBetween, "I"},
    {TwinsZone, "Twins Zone", "Twins Zone", kVarTwinsZone, Twins,
     Each<&VariantLists::TwinsZone, CheckTwinsZone>, Each<&VariantLists::TwinsZone, FilterTwinsZone>,
     kBetween, "W", kUnflaggedClues<&VariantLists::TwinsZone>},
    {TwinsDifferent, "Twins Differents", "Twins Differents", kVarTwinsDifferent, Twins,
     Held<kVarTwinsDifferent, CheckTwinsDifferent>, Held<kVarTwinsDifferent, FilterTwinsDifferent>, kBetween,
     "R"},
    {TwinsSameInLine, "Twins Same in Line", "Twins Meme en Ligne", kVarTwinsSameInLine, Twins,
     Held<kVarTwinsSameInLine, CheckTwinsSameInLine>, Held<kVarTwinsSameInLine, FilterTwinsSameInLine>, 0,
     "\xA4"},
    {TwinsVariantMasked, "Twins Varient Masked", "Twins Variante Masquée", kVarTwinsVariantMasked, Twins,
     nullptr, nullptr, 0, "\xA3"},
    {TwinsTotal, "Twins Total", "Twins Total", kVarTwinsTotal, Twins, Held<kVarTwinsTotal, CheckTwinsTotal>,
     Held<kVarTwinsTotal, FilterTwinsTotal>, 0, "{"},
}};

} // namespace rule_table

// One entry per catalogue row, in the catalogue's order.
inline constexpr const std::array<RuleDef, kVariantRowCount> &RuleRegistry = rule_table::kRows;

constexpr const RuleDef &RuleOf(RuleRow row) { return RuleRegistry[static_cast<size_t>(row)]; }
constexpr RuleStep CheckOf(RuleRow row) { return RuleOf(row).Check; }
constexpr RuleStep FilterOf(RuleRow row) { return RuleOf(row).Filter; }

// The bits of every row with all of `traits`.
constexpr VariantWords RuleBitsWith(uint8_t traits) {
  VariantWords bits;
  for (const RuleDef &rule : RuleRegistry)
    if ((rule.Traits & traits) == traits && traits != 0)
      bits |= rule.Bit;
  return bits;
}

// The bits of every row the fast search's `link` reads.
constexpr VariantWords RuleBitsLinkedBy(SearchLinkKind link) {
  VariantWords bits;
  for (const RuleDef &rule : RuleRegistry)
    if (rule.Link == link)
      bits |= rule.Bit;
  return bits;
}

// Whether every row's step of one kind (`&RuleDef::Check` or `&RuleDef::Filter`) is among
// `steps`, for the rows whose traits under `traitMask` are `traits`: a walk that forgot a rule
// does not build.
constexpr bool ListsEveryRowStep(std::span<const RuleStep> steps, RuleStep RuleDef::*kind,
                                 uint8_t traitMask = 0, uint8_t traits = 0) {
  for (const RuleDef &rule : RuleRegistry) {
    if (SameStep(rule.*kind, nullptr) != 0 || (rule.Traits & traitMask) != traits)
      continue;
    bool found = false;
    for (RuleStep step : steps)
      found = found || SameStep(step, rule.*kind) == 1;
    if (!found)
      return false;
  }
  return true;
}

// The first rule among `words`, by the catalogue's English or French name (`language` 0
// French, 1 English); Double and Triple, which has no row, last; empty for no rule.
std::string RuleName(VariantWords words, int language);

// The rule bits of every row, and Double and Triple.
VariantWords AllRuleWords();

// The rules of every grid of the set together.
VariantWords GridSetRules(const EngineContext &ctx);

} // namespace quorbel
