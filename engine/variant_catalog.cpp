// The variant catalogue rows and the compatibility matrix. Names keep the spellings the
// players already know ("SkyScrapper", "Egualité"); the rule sentences are plain and short.
#include "engine/variant_catalog.h"

#include <algorithm>
#include <initializer_list>

#include "engine/rule_registry.h"

namespace quorbel {

namespace {

// Size-class sets of the rows (bit k = size class k, widths 4, 6, 8, 9, 12, 16).
constexpr uint8_t kNoSize = 0x00;
constexpr uint8_t kSize9 = 0x08;
constexpr uint8_t kSizes6To9 = 0x0E;
constexpr uint8_t kSizes4To9 = 0x0F;
constexpr uint8_t kSizes6To16 = 0x3E;
constexpr uint8_t kAllSizes = 0x3F;

using enum SymbolRule;
using enum RuleRow;

// A catalogue row takes its names and bit from its rule's row.
constexpr VariantRow Row(RuleRow row, std::string_view ruleEn, std::string_view ruleFr, uint8_t sizes,
                         SymbolRule symbol) {
  const RuleDef &rule = RuleOf(row);
  return {rule.NameEn, rule.NameFr, ruleEn, ruleFr, rule.Bit, sizes, symbol};
}

constexpr std::array<VariantRow, kVariantRowCount> kCatalogue = {{
    Row(RandomSingle, "Quorbel picks one variant at random and adds it to the classic rules.",
        "Quorbel choisit une variante au hasard et l'ajoute aux règles classiques.", kAllSizes, None),
    Row(RandomMultiple, "Quorbel picks several compatible variants at random and combines them.",
        "Quorbel choisit au hasard plusieurs variantes compatibles et les combine.", kAllSizes, None),
    Row(Separator, "Lines, columns and blocks contain digits 1 through 9.",
        "Lignes, colonnes et blocs contiennent les chiffres de 1 à 9.", kNoSize, None),
    Row(Diagonal, "Each marked diagonal also contains every digit once.",
        "Chaque diagonale marquée contient aussi chaque chiffre une fois.", kAllSizes, None),
    Row(Irregular, "Blocks have irregular shapes; each still contains every digit once.",
        "Les blocs ont des formes irrégulières ; chacun contient toujours chaque chiffre une fois.",
        kSizes4To9, None),
    Row(Less, "The sign between two cells points to the smaller digit.",
        "Le signe entre deux cellules pointe vers le plus petit chiffre.", kSizes4To9, Numbers),
    Row(Odd, "A marked cell holds a digit of the parity shown; all cells marked X share one parity.",
        "Une cellule marquée contient un chiffre de la parité indiquée ; les cellules marquées X ont toutes "
        "la "
        "même parité.",
        kSizes4To9, Numbers),
    Row(XV, "Two cells joined by an X add up to 10, by a V to 5.",
        "Deux cellules reliées par un X totalisent 10, par un V totalisent 5.", kSizes4To9, Numbers),
    Row(Dot,
        "A white dot joins two consecutive digits, a black dot two digits of which one is double the other.",
        "Un point blanc relie deux chiffres consécutifs, un point noir deux chiffres dont l'un est le double "
        "de "
        "l'autre.",
        kSizes4To9, Numbers),
    Row(AllIndicated,
        "Every sign is given: two neighbouring cells without a sign are in none of the relations of the "
        "signs.",
        "Tous les signes sont donnés : deux cellules voisines sans signe ne sont dans aucune des relations "
        "des "
        "signes.",
        kSizes4To9, Numbers),
    Row(Pirate, "The treasure 5 touches, horizontally or vertically, only pirates 1 to 4, never 6 to 9.",
        "Le trésor 5 ne touche, horizontalement ou verticalement, que des pirates de 1 à 4, jamais de 6 à 9.",
        kSize9, Numbers),
    Row(Trio, "The digits are split into classes; a cell's mark gives the class of its digit.",
        "Les chiffres sont répartis en classes ; la marque d'une cellule donne la classe de son chiffre.",
        kAllSizes, NoPictures),
    Row(Navigator, "An arrow points along cells of which one holds the digit of the arrow's cell.",
        "Une flèche désigne des cellules dont l'une contient le chiffre de la cellule de la flèche.",
        kAllSizes, None),
    Row(LittleKiller,
        "A number outside the grid is the sum of the digits on the diagonal its arrow points to; digits may "
        "repeat.",
        "Un nombre hors de la grille est la somme des chiffres de la diagonale que désigne sa flèche ; les "
        "chiffres peuvent se répéter.",
        kSizes4To9, Numbers),
    Row(KillerSum, "The Sum of digits within each dotted subarea equals the number indicated.",
        "La somme des chiffres de chaque zone pointillée est égale au nombre indiqué.", kSizes4To9, Numbers),
    Row(KillerProduct, "The product of the digits within each dotted subarea equals the number indicated.",
        "Le produit des chiffres de chaque zone pointillée est égal au nombre indiqué.", kSizes4To9, Numbers),
    Row(Kimo, "Killer and Little Killer totals are taken modulo the number given.",
        "Les totaux des Killer et Little Killer sont pris modulo le nombre donné.", kSizes4To9, Numbers),
    Row(Touchy, "Each digit touches vertically or horizontally, at least one consecutive digit.",
        "Chaque chiffre touche, verticalement ou horizontalement, au moins un chiffre consécutif.",
        kSizes4To9, None),
    Row(No3OddEven, "No three consecutive cells of a row or column are all odd or all even.",
        "Trois cellules consécutives d'une ligne ou d'une colonne ne sont jamais toutes paires ou toutes "
        "impaires.",
        kSizes6To9, Numbers),
    Row(NoAverage,
        "In three consecutive cells of a row or column, the middle digit is never the average of the other "
        "two.",
        "Dans trois cellules consécutives d'une ligne ou d'une colonne, le chiffre du milieu n'est jamais la "
        "moyenne des deux autres.",
        kSizes4To9, Numbers),
    Row(NoConsecutive, "Horizontally or vertically adjacent cells never hold consecutive digits.",
        "Deux cellules voisines horizontalement ou verticalement n'ont jamais des chiffres consécutifs.",
        kSizes6To9, None),
    Row(NoTouch, "Diagonally adjacent cells never hold the same digit.",
        "Deux cellules voisines en diagonale n'ont jamais le même chiffre.", kSizes6To16, None),
    Row(GiveMe5, "Horizontally or vertically adjacent digits never add up to 5 nor differ by 5.",
        "Deux chiffres voisins horizontalement ou verticalement n'ont jamais 5 pour somme ni pour "
        "différence.",
        kSizes4To9, Numbers),
    Row(OddPair,
        "Two cells joined by a mark have an even or an odd sum, as the mark shows; all X marks share one "
        "parity.",
        "Deux cellules reliées par une marque ont une somme paire ou impaire, selon la marque ; les marques "
        "X "
        "ont toutes la même parité.",
        kSizes4To9, Numbers),
    Row(NoKnightStep, "Two cells a chess knight's move apart never hold the same digit.",
        "Deux cellules à un saut de cavalier l'une de l'autre n'ont jamais le même chiffre.", kAllSizes,
        None),
    Row(Arrow, "The digit in a circle is the sum of the digits along its arrow.",
        "Le chiffre d'un cercle est la somme des chiffres le long de sa flèche.", kSizes4To9, Numbers),
    Row(CreasingLines,
        "Along each line the digits rise or fall, alternate up and down, follow each other, or one is the "
        "sum "
        "of the others, as its kind says.",
        "Le long de chaque ligne, les chiffres montent ou descendent, alternent, se suivent, ou l'un est la "
        "somme des autres, selon son type.",
        kAllSizes, Numbers),
    Row(Outside, "The digits given outside a row or column stand in its cells inside the nearest block.",
        "Les chiffres donnés hors d'une ligne ou d'une colonne se trouvent dans ses cellules du bloc le plus "
        "proche.",
        kAllSizes, NoPictures),
    Row(FrameSum, "A number outside a row or column is the sum of its digits inside the nearest block.",
        "Un nombre hors d'une ligne ou d'une colonne est la somme de ses chiffres du bloc le plus proche.",
        kSizes4To9, Numbers),
    Row(FrameProduct,
        "A number outside a row or column is the product of its digits inside the nearest block.",
        "Un nombre hors d'une ligne ou d'une colonne est le produit de ses chiffres du bloc le plus proche.",
        kSizes4To9, Numbers),
    Row(FrameMax,
        "A number outside a row or column is the place, counted from that side, of its largest digit inside "
        "the "
        "nearest block.",
        "Un nombre hors d'une ligne ou d'une colonne est la place, comptée depuis ce bord, de son plus grand "
        "chiffre du bloc le plus proche.",
        kAllSizes, Numbers),
    Row(Oddview, "Outside a row or column stand the first odd and the first even digit seen from that side.",
        "Hors d'une ligne ou d'une colonne figurent le premier chiffre impair et le premier chiffre pair vus "
        "depuis ce bord.",
        kSizes4To9, Numbers),
    Row(SkyScraper,
        "Digits are building heights; a number outside counts the buildings seen from that side, the taller "
        "hiding the lower.",
        "Les chiffres sont des hauteurs d'immeubles ; un nombre au bord compte les immeubles vus de ce côté, "
        "les plus hauts cachant les plus bas.",
        kSizes4To9, Numbers),
    Row(LastNumber,
        "Seen from the side of a clue, the digits rise, or fall, as its arrow shows, strictly up to the "
        "clue's "
        "digit.",
        "Vus depuis le côté d'un indice, les chiffres montent, ou descendent, selon sa flèche, strictement "
        "jusqu'au chiffre de l'indice.",
        kAllSizes, Numbers),
    Row(Transfer,
        "The digits outside a row or column stand in that order in its cells not crossed out; crossed-out "
        "cells "
        "hold none of them.",
        "Les chiffres hors d'une ligne ou d'une colonne sont, dans cet ordre, dans ses cellules non barrées "
        "; "
        "les cellules barrées n'en ont aucun.",
        kAllSizes, NoPictures),
    Row(MasterMind,
        "Each guess row is scored against the hidden code: black for a right digit in the right place, white "
        "for a right digit in another place.",
        "Chaque ligne d'essai est notée sur le code caché : noir pour un bon chiffre bien placé, blanc pour "
        "un "
        "bon chiffre mal placé.",
        kAllSizes, NoPictures),
    Row(Domino, "The pips shown in a cell all belong to the domino face of its digit.",
        "Les points montrés dans une cellule appartiennent tous à la face de domino de son chiffre.",
        kSizes4To9, None),
    Row(PencilMark, "The pencil marks given in a cell include its digit.",
        "Les marques au crayon données dans une cellule comprennent son chiffre.", kAllSizes, Numbers),
    Row(DigitalClock, "The segments lit in a cell all belong to its digit as a digital clock shows it.",
        "Les segments allumés dans une cellule appartiennent tous à son chiffre tel qu'une montre digitale "
        "l'affiche.",
        kSizes4To9, Numbers),
    Row(Romain, "The Roman numeral shown in a cell is part of its digit written in Roman numerals.",
        "Le nombre romain montré dans une cellule fait partie de son chiffre écrit en chiffres romains.",
        kAllSizes, Numbers),
    Row(Numeral, "The letter in a cell appears in the number word of its digit.",
        "La lettre d'une cellule figure dans le nom en toutes lettres de son chiffre.", kAllSizes, Letters),
    Row(Distance, "A clue of a row or column tells how many cells after digit A stands digit B.",
        "Un indice d'une ligne ou d'une colonne dit combien de cellules après le chiffre A se trouve le "
        "chiffre "
        "B.",
        kSizes4To9, NoPictures),
    Row(Dan, "The cells of the Dan group hold no more different digits than the number given.",
        "Les cellules du groupe Dan n'ont pas plus de chiffres différents que le nombre donné.", kAllSizes,
        None),
    Row(Equality, "All cells of an equality group hold the same digit.",
        "Toutes les cellules d'un groupe d'égalité ont le même chiffre.", kAllSizes, None),
    Row(QuadMax, "In each marked 2x2 square the circled cell holds the largest, or the smallest, digit.",
        "Dans chaque carré 2x2 marqué, la cellule entourée a le plus grand, ou le plus petit, chiffre.",
        kSizes4To9, Numbers),
    Row(Wheel, "The four digits of a wheel fill, in their turning order, the four cells around its centre.",
        "Les quatre chiffres d'une roue occupent, dans leur ordre de rotation, les quatre cellules autour de "
        "son centre.",
        kAllSizes, NoPictures),
    Row(MultTable, "In each group of four cells a, b, c, d, a times b equals the number 10c + d.",
        "Dans chaque groupe de quatre cellules a, b, c, d, a fois b est égal au nombre 10c + d.", kAllSizes,
        Numbers),
    Row(Chess,
        "Each digit stands for a chess piece; no white piece is attacked by a white piece, and every black "
        "piece is defended by a black piece.",
        "Chaque chiffre est une pièce d'échecs ; aucune pièce blanche n'est attaquée par une blanche, et "
        "chaque "
        "pièce noire est défendue par une noire.",
        kAllSizes, None),
    Row(MagicSquare, "In each marked square every row, column and diagonal has the same sum.",
        "Dans chaque carré marqué, chaque ligne, colonne et diagonale a la même somme.", kSize9, Numbers),
    Row(MagicSentence, "The letters are those of a hidden sentence, which the marked cells spell in order.",
        "Les lettres sont celles d'une phrase cachée, que les cellules marquées épellent dans l'ordre.",
        kAllSizes, Letters),
    Row(ExtraRegion, "Each extra region also contains every digit once.",
        "Chaque région supplémentaire contient aussi chaque chiffre une fois.", kAllSizes, None),
    Row(PanDigital,
        "The numbers read in the blocks, combined by the operators shown, meet the comparison given.",
        "Les nombres lus dans les blocs, combinés par les opérateurs montrés, vérifient la comparaison "
        "donnée.",
        kSizes4To9, Numbers),
    Row(Puzzle, "Each piece fits somewhere on the solution with matching digits, turned if allowed.",
        "Chaque pièce se pose quelque part sur la solution avec les mêmes chiffres, tournée si permis.",
        kAllSizes, None),
    Row(Tiled,
        "Each tile fits somewhere on the solution, perhaps upside down or mirrored, its digits read the same "
        "way.",
        "Chaque tuile se pose quelque part sur la solution, peut-être retournée ou en miroir, ses chiffres "
        "lus "
        "de même.",
        kSizes4To9, None), // a tile is a block, and a piece holds at most 10 cells
    Row(BattleShip,
        "Each boat lies somewhere on the solution with matching digits; the numbers beside the grid count "
        "the "
        "boat cells of each row and column.",
        "Chaque bateau se pose quelque part sur la solution avec les mêmes chiffres ; les nombres au bord "
        "comptent les cases de bateau de chaque ligne et colonne.",
        kAllSizes, None),
    Row(TwinsRelation, "Linked cells of two grids hold the same digit.",
        "Les cellules liées de deux grilles ont le même chiffre.", kAllSizes, None),
    Row(TwinsRelationMultiple, "Linked groups of cells of two grids hold the same digits, in any order.",
        "Les groupes de cellules liés de deux grilles ont les mêmes chiffres, dans n'importe quel ordre.",
        kAllSizes, None),
    Row(TwinsSubstitution,
        "The second grid is the first with each digit replaced by another, always the same.",
        "La seconde grille est la première où chaque chiffre est remplacé par un autre, toujours le même.",
        kAllSizes, None),
    Row(TwinsEqual, "The twin grids have the same solution.", "Les grilles jumelles ont la même solution.",
        kAllSizes, None),
    Row(TwinsZone, "Linked blocks of two grids hold the same digits in the same places.",
        "Les blocs liés de deux grilles ont les mêmes chiffres aux mêmes places.", kAllSizes, None),
    Row(TwinsDifferent, "A cell never holds the same digit in the twin grids.",
        "Une cellule n'a jamais le même chiffre dans les grilles jumelles.", kAllSizes, None),
    Row(TwinsSameInLine,
        "The number beside a row counts the places where both grids hold the same digit in that row.",
        "Le nombre au bord d'une ligne compte les places où les deux grilles ont le même chiffre sur cette "
        "ligne.",
        kAllSizes, Numbers),
    Row(TwinsVariantMasked, "Each grid follows its own hidden rule, one of the rules shown; find which.",
        "Chaque grille suit sa propre règle cachée, l'une des règles montrées ; à vous de trouver laquelle.",
        kAllSizes, Numbers),
    Row(TwinsTotal,
        "Each cell of the extra grid holds the sum of the digits of that cell in the other grids.",
        "Chaque cellule de la grille supplémentaire contient la somme des chiffres de cette cellule dans les "
        "autres grilles.",
        kSizes4To9, Numbers),
}};

// A row listed out of place would take another rule's names.
constexpr bool InTheRulesOrder() {
  for (int row = 0; row < kVariantRowCount; ++row)
    if (kCatalogue[static_cast<size_t>(row)].VarNameEn != RuleRegistry[static_cast<size_t>(row)].NameEn ||
        RowIndex(RuleRegistry[static_cast<size_t>(row)].Row) != row)
      return false;
  return true;
}
static_assert(InTheRulesOrder(), "the catalogue's rows are not in the rule table's order");

} // namespace

const std::array<VariantRow, kVariantRowCount> VariantCatalog = kCatalogue;

namespace {

constexpr uint64_t Columns(std::initializer_list<RuleRow> columns) {
  uint64_t mask = 0;
  for (RuleRow column : columns)
    mask |= uint64_t{1} << RowIndex(column);
  return mask;
}

constexpr uint64_t kEveryColumn = ~uint64_t{0};

// Per present row, the candidate rows it withdraws. Kept as lists, not as a 64 x 64
// table, so that each row reads against the rules it cannot live with.
struct Withdrawal {
  RuleRow Present;
  uint64_t Candidates;
};
constexpr std::array<Withdrawal, kVariantRowCount> kWithdrawn = {{
    {RandomSingle, Columns({Separator})},
    {RandomMultiple, Columns({Separator})},
    {Separator, kEveryColumn},
    {Diagonal, Columns({Separator, Irregular, Pirate, ExtraRegion})},
    {Irregular, Columns({Separator, Diagonal, Pirate, ExtraRegion, PanDigital, TwinsVariantMasked})},
    {Less, Columns({Separator, MagicSentence, PanDigital, TwinsVariantMasked})},
    {Odd, Columns({Separator, MagicSentence, TwinsVariantMasked})},
    {XV, Columns({Separator, MagicSentence, PanDigital, TwinsVariantMasked})},
    {Dot, Columns({Separator, MagicSentence, PanDigital, TwinsVariantMasked})},
    {AllIndicated, Columns({Separator, MagicSentence, TwinsVariantMasked})},
    {Pirate, Columns({Separator, Diagonal, Irregular, Touchy, No3OddEven, NoAverage, NoConsecutive, NoTouch,
                      GiveMe5, NoKnightStep, MultTable, MagicSquare, MagicSentence, ExtraRegion,
                      TwinsSubstitution, TwinsEqual, TwinsZone, TwinsDifferent})},
    {Trio, Columns({Separator, TwinsVariantMasked})},
    {Navigator, Columns({Separator, TwinsVariantMasked})},
    {LittleKiller, Columns({Separator, MagicSentence, BattleShip, TwinsVariantMasked})},
    {KillerSum, Columns({Separator, MagicSentence, PanDigital, TwinsVariantMasked})},
    {KillerProduct, Columns({Separator, MagicSentence, PanDigital, TwinsVariantMasked})},
    {Kimo, Columns({Separator, MagicSentence, PanDigital, TwinsVariantMasked})},
    {Touchy, Columns({Separator, Diagonal, Irregular, Pirate, No3OddEven, NoAverage, NoConsecutive, NoTouch,
                      GiveMe5, NoKnightStep, MultTable, MagicSquare, ExtraRegion, TwinsSubstitution,
                      TwinsEqual, TwinsZone, TwinsDifferent})},
    {No3OddEven, Columns({Separator, Diagonal, Irregular, Pirate, Touchy, NoAverage, NoConsecutive, NoTouch,
                          GiveMe5, NoKnightStep, MultTable, MagicSquare, MagicSentence, ExtraRegion,
                          TwinsSubstitution, TwinsEqual, TwinsZone, TwinsDifferent})},
    {NoAverage, Columns({Separator, Diagonal, Irregular, Pirate, Touchy, No3OddEven, NoConsecutive, NoTouch,
                         GiveMe5, NoKnightStep, MultTable, MagicSquare, MagicSentence, ExtraRegion,
                         TwinsSubstitution, TwinsEqual, TwinsZone, TwinsDifferent})},
    {NoConsecutive, Columns({Separator, Diagonal, Irregular, Pirate, Touchy, No3OddEven, NoAverage, NoTouch,
                             GiveMe5, NoKnightStep, MultTable, MagicSquare, ExtraRegion, TwinsSubstitution,
                             TwinsEqual, TwinsZone, TwinsDifferent})},
    {NoTouch, Columns({Separator, Diagonal, Irregular, Pirate, Touchy, No3OddEven, NoAverage, NoConsecutive,
                       GiveMe5, NoKnightStep, MultTable, MagicSquare, ExtraRegion, TwinsSubstitution,
                       TwinsEqual, TwinsZone, TwinsDifferent})},
    {GiveMe5, Columns({Separator, Diagonal, Irregular, Pirate, Touchy, No3OddEven, NoAverage, NoConsecutive,
                       NoTouch, NoKnightStep, MultTable, MagicSquare, MagicSentence, ExtraRegion,
                       TwinsSubstitution, TwinsEqual, TwinsZone, TwinsDifferent})},
    {OddPair, Columns({Separator, MagicSentence, PanDigital})},
    {NoKnightStep, Columns({Separator, Diagonal, Irregular, Pirate, Touchy, No3OddEven, NoAverage,
                            NoConsecutive, NoTouch, GiveMe5, MultTable, MagicSquare, ExtraRegion,
                            TwinsSubstitution, TwinsEqual, TwinsZone, TwinsDifferent})},
    {Arrow, Columns({Separator, MagicSentence, PanDigital, TwinsVariantMasked})},
    {CreasingLines, Columns({Separator, MagicSentence, PanDigital, TwinsVariantMasked})},
    {Outside, Columns({Separator, BattleShip, TwinsVariantMasked})},
    {FrameSum, Columns({Separator, MagicSentence, BattleShip, TwinsVariantMasked})},
    {FrameProduct, Columns({Separator, MagicSentence, BattleShip, TwinsVariantMasked})},
    {FrameMax, Columns({Separator, MagicSentence, BattleShip, TwinsVariantMasked})},
    {Oddview, Columns({Separator, MagicSentence, BattleShip, TwinsVariantMasked})},
    {SkyScraper, Columns({Separator, MagicSentence, BattleShip, TwinsVariantMasked})},
    {LastNumber, Columns({Separator, MagicSentence, BattleShip, TwinsVariantMasked})},
    {Transfer, Columns({Separator, TwinsVariantMasked})},
    {MasterMind, Columns({Separator, TwinsVariantMasked})},
    {Domino, Columns({Separator, MagicSentence, TwinsVariantMasked})},
    {PencilMark, Columns({Separator, TwinsVariantMasked})},
    {DigitalClock, Columns({Separator, MagicSentence, TwinsVariantMasked})},
    {Romain, Columns({Separator, MagicSentence, TwinsVariantMasked})},
    {Numeral, Columns({Separator, TwinsVariantMasked})},
    {Distance, Columns({Separator, BattleShip, TwinsVariantMasked})},
    {Dan, Columns({Separator, TwinsVariantMasked})},
    {Equality, Columns({Separator, TwinsVariantMasked})},
    {QuadMax, Columns({Separator, MagicSentence, PanDigital, TwinsVariantMasked})},
    {Wheel, Columns({Separator, PanDigital, TwinsVariantMasked})},
    {MultTable, Columns({Separator, Pirate, Touchy, No3OddEven, NoAverage, NoConsecutive, NoTouch, GiveMe5,
                         NoKnightStep, PanDigital, TwinsVariantMasked})},
    {Chess, Columns({Separator, TwinsVariantMasked})},
    {MagicSquare, Columns({RandomSingle, RandomMultiple, Separator, Diagonal, Irregular, Pirate, Touchy,
                           No3OddEven, NoAverage, NoConsecutive, NoTouch, GiveMe5, NoKnightStep,
                           MagicSentence, BattleShip, TwinsVariantMasked})},
    {MagicSentence,
     Columns(
         {Separator,    Less,       Odd,           XV,           Dot,        AllIndicated,      Pirate,
          LittleKiller, KillerSum,  KillerProduct, Kimo,         No3OddEven, NoAverage,         GiveMe5,
          OddPair,      Arrow,      FrameSum,      FrameProduct, FrameMax,   Oddview,           SkyScraper,
          LastNumber,   MasterMind, Domino,        DigitalClock, Romain,     Numeral,           Distance,
          QuadMax,      MultTable,  MagicSquare,   PanDigital,   BattleShip, TwinsVariantMasked})},
    {ExtraRegion, Columns({Separator, Diagonal, Irregular, Pirate, Touchy, No3OddEven, NoAverage,
                           NoConsecutive, NoTouch, GiveMe5, NoKnightStep, TwinsVariantMasked})},
    {PanDigital, Columns({RandomSingle,
                          RandomMultiple,
                          Separator,
                          Diagonal,
                          Irregular,
                          Less,
                          XV,
                          Dot,
                          AllIndicated,
                          Pirate,
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
                          QuadMax,
                          Wheel,
                          MultTable,
                          MagicSentence,
                          Puzzle,
                          Tiled,
                          BattleShip,
                          TwinsVariantMasked})},
    {Puzzle, Columns({Separator, PanDigital, Tiled, BattleShip, TwinsVariantMasked})},
    {Tiled, Columns({Separator, MagicSentence, PanDigital, Puzzle, BattleShip, TwinsVariantMasked})},
    {BattleShip, Columns({Separator, LittleKiller, Outside, FrameSum, FrameProduct, FrameMax, Oddview,
                          SkyScraper, LastNumber, Transfer, MasterMind, Distance, MagicSquare, MagicSentence,
                          PanDigital, Puzzle, Tiled, TwinsVariantMasked})},
    {TwinsRelation, Columns({Separator, TwinsSubstitution, TwinsEqual, TwinsZone, TwinsDifferent,
                             TwinsSameInLine, TwinsVariantMasked, TwinsTotal})},
    {TwinsRelationMultiple, Columns({Separator, TwinsRelation, TwinsEqual, TwinsZone, TwinsDifferent,
                                     TwinsSameInLine, TwinsVariantMasked, TwinsTotal})},
    {TwinsSubstitution,
     Columns({Separator, Pirate, Touchy, No3OddEven, NoAverage, NoConsecutive, NoTouch, GiveMe5, NoKnightStep,
              TwinsRelation, TwinsRelationMultiple, TwinsEqual, TwinsZone, TwinsDifferent, TwinsSameInLine,
              TwinsVariantMasked, TwinsTotal})},
    {TwinsEqual, Columns({Separator, Pirate, Touchy, No3OddEven, NoAverage, NoConsecutive, NoTouch, GiveMe5,
                          NoKnightStep, TwinsRelation, TwinsRelationMultiple, TwinsSubstitution, TwinsZone,
                          TwinsDifferent, TwinsSameInLine, TwinsVariantMasked, TwinsTotal})},
    {TwinsZone, Columns({Separator, Pirate, Touchy, No3OddEven, NoAverage, NoConsecutive, NoTouch, GiveMe5,
                         NoKnightStep, TwinsRelation, TwinsRelationMultiple, TwinsSubstitution, TwinsEqual,
                         TwinsDifferent, TwinsVariantMasked, TwinsTotal})},
    {TwinsDifferent, Columns({Separator, Pirate, Touchy, No3OddEven, NoAverage, NoConsecutive, NoTouch,
                              GiveMe5, NoKnightStep, TwinsRelation, TwinsRelationMultiple, TwinsSubstitution,
                              TwinsEqual, TwinsZone, TwinsSameInLine, TwinsVariantMasked, TwinsTotal})},
    {TwinsSameInLine, Columns({Separator, TwinsRelation, TwinsRelationMultiple, TwinsSubstitution, TwinsEqual,
                               TwinsZone, TwinsDifferent, TwinsVariantMasked})},
    {TwinsVariantMasked,
     ~Columns({RandomSingle, RandomMultiple, Diagonal, Pirate, Touchy, No3OddEven, NoAverage, NoConsecutive,
               NoTouch, GiveMe5, NoKnightStep, TwinsVariantMasked})},
    {TwinsTotal, Columns({Separator, TwinsRelation, TwinsRelationMultiple, TwinsSubstitution, TwinsEqual,
                          TwinsZone, TwinsDifferent, TwinsSameInLine, TwinsVariantMasked})},
}};

constexpr bool WithdrawalsInTheRulesOrder() {
  for (int row = 0; row < kVariantRowCount; ++row)
    if (RowIndex(kWithdrawn[static_cast<size_t>(row)].Present) != row)
      return false;
  return true;
}
static_assert(WithdrawalsInTheRulesOrder(), "the compatibility lists are not in the rule table's order");

bool IsRow(int row) { return row >= 0 && row < kVariantRowCount; }

} // namespace

int VariantAvailability(int sizeClass, int row) {
  if (!IsRow(row) || sizeClass < 0 || sizeClass >= kSizeClassCount)
    return 0;
  return (VariantCatalog[row].SizeClasses >> sizeClass) & 1;
}

int VariantCompatibilityMatrix(int present, int candidate) {
  if (!IsRow(present) || !IsRow(candidate))
    return 0;
  return (kWithdrawn[present].Candidates >> candidate) & 1 ? 0 : 1;
}

bool IsVariantOffered(int row, int sizeClass, VariantWords words) {
  if (!VariantAvailability(sizeClass, row))
    return false;
  for (int present = kFirstRuleRow; present < kVariantRowCount; ++present)
    if (Meets(VariantCatalog[present].VarMasks, words) && !VariantCompatibilityMatrix(present, row))
      return false;
  return true;
}

int FindVariantRow(VariantWords words) {
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row)
    if (VariantCatalog[row].VarMasks == words)
      return row;
  return -1;
}

SymbolMode SymbolModeForVariants(VariantWords words, SymbolMode mode, int gridWidth) {
  // Digits cannot show the values above 9; the mixed mode goes on with letters there.
  const SymbolMode numbers = gridWidth <= 9 ? kSymbolDigits : kSymbolMixed;
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row) {
    const VariantRow &variant = VariantCatalog[row];
    if (!Meets(variant.VarMasks, words))
      continue;
    switch (variant.VarSymbolRule) {
    case SymbolRule::Numbers:
      return numbers;
    case SymbolRule::Letters:
      return kSymbolLetters;
    case SymbolRule::NoPictures:
      if (mode == kSymbolPictures)
        mode = numbers;
      break;
    case SymbolRule::None:
      break;
    }
  }
  return mode;
}

} // namespace quorbel
