#include "app/static_texts.h"

#include "engine/cell_set_rules.h"

namespace quorbel {

// clang-format off
const WordTable16 NumberWordsFr = {"UN", "DEUX", "TROIS", "QUATRE", "CINQ", "SIX", "SEPT", "HUIT", "NEUF", "DIX",
                                   "ONZE", "DOUZE", "TREIZE", "QUATORZE", "QUINZE", "SEIZE"};
const WordTable16 NumberWordsEn = kEnglishNumeralWords;
const WordTable16 NumberWordsIt = {"UNO", "DUE", "TRE", "QUATTRO", "CINQUE", "SEI", "SETTE", "OTTO", "NOVE", "DIECI",
                                   "UNDICI", "DODICI", "TREDICI", "QUATTORDICI", "QUINDICI", "SEDICI"};
const WordTable16 NumberWordsEs = {"UNO", "DOS", "TRES", "CUATRO", "CINCO", "SEIS", "SIETE", "OCHO", "NUEVE", "DIEZ",
                                   "ONCE", "DOCE", "TRECE", "CATORCE", "QUINCE", "DIECISEIS"};
const WordTable16 NumberWordsDe = {"EINS", "ZWEI", "DREI", "VIER", "FUNF", "SECHS", "SIEBEN", "ACHT", "NEUN", "ZEHN",
                                   "ELF", "ZWOLF", "DREIZEHN", "VIERZEHN", "FUNFZEHN", "SECHZEHN"};
// clang-format on

const std::array<const WordTable16 *, kNumberWordLanguages> NumberWords = {
    &NumberWordsFr, &NumberWordsEn, &NumberWordsIt, &NumberWordsEs, &NumberWordsDe};

// clang-format off
const std::array<std::string_view, 32> KeypadLetters = {
    "", "ABC", "DEF", "GHI", "JKL", "MNO", "PQRS", "TUV", "WXYZ", "", "", "", "", "", "", "",
    "EK", "DOU", "TEEN", "CHAR", "PANCH", "CHEY", "SAT", "ATH", "NAU", "", "", "", "", "", "", "",
};
// clang-format on

const std::array<std::string_view, 6> GridSizeNames = {"4x4", "6x6", "8x8", "9x9", "12x12", "16x16"};

const std::array<std::string_view, kGameModeCount> ModeNamesFr = {"Champion", "Enfant",   "Rapide", "Triple",
                                                                  "Catalog",  "Quellabo", "Defi",   "Genere"};
const std::array<std::string_view, kGameModeCount> ModeNamesEn = {
    "Champion", "Kid", "Quick", "Triple", "Catalog", "Quellabo", "Challenge", "Generate"};

std::string_view GameModeName(int mode, Language language) {
  if (mode < 0 || mode >= kGameModeCount)
    return {};
  return (IsEnglish(language) ? ModeNamesEn : ModeNamesFr)[static_cast<size_t>(mode)];
}

const std::array<PictureRemark, 8> PraiseMessages = {{
    {"A+ pour toi", "A+ for you", "./Chess/aplus.gif"},
    {"T'es un chef", "You're a chief", "./Chess/bravocrayon.gif"},
    {"Woaa! Quel génie!", "Woaa! What a genius!", "./Chess/bravogenie.gif"},
    {"Un vrai magicien", "A true Magician", "./Chess/bravomagicien.gif"},
    {"Ca fume un max", "It's hot tonight", "./Chess/cafume.gif"},
    {"Champagne!!!", "Champagne!!!", "./Chess/champagne.gif"},
    {"T'es trop facile", "You're so easy", "./Chess/ouifacile.gif"},
    {"Superchampion...", "Superchampion...", "./Chess/superchampion.gif"},
}};

const std::array<PictureRemark, 7> TauntMessages = {{
    {"Arrete de brouter", "Stop grazing", "./Chess/arretedebrouter.gif"},
    {"Arrete de fumer", "Stop smoking", "./Chess/arretedefumer.gif"},
    {"Bouh! Nul...", "Bouh! Zero...", "./Chess/bounul.gif"},
    {"Na, t'es nul...", "Na, You're void...", "./Chess/natesnul.gif"},
    {"T'es bouché ?", "You're blocked ?", "./Chess/tesbouche.gif"},
    {"Va boire un coca...", "Go drink a coca...", "./Chess/vaboireuncoca.gif"},
    {"T'as un bug?", "Got a bug?", "./Chess/yaunbug.gif"},
}};

const std::string_view WelcomeFr = "Bienvenue sur Quorbel, le Jeux de Sudoku sur PC\nPar l'équipe Quorbel";
const std::string_view WelcomeEn = "Welcome on Quorbel, the Sudoku Game on PC\nBy the Quorbel team";

// clang-format off
const std::array<std::string_view, kStartAreaCount> StartAreaTextsFr = {
    "Catalogue: Des grilles des principaux championnats du monde de Sudoku. Des variantes comme vous n'en avez jamais vu.\nSélectionner votre grille dans le catalogue.",
    "Génération de Grille: Générer une grille de taille 4X4 à 16x16 en passant par la traditionnelle 9x9.\n4 niveaux de difficulté.\nEt plus de 50 variantes que vous pouvez sélectionner ou combiner.",
    "Charge Grille: Retrouvez la grille que vous avez sauvegardée, dans l'état ou vous l'avez sauvée.\nEt maintenant, il est temps de la finir.",
    "Nouvelle Grille Vide: Vous n'arrivez pas à finir la grille de votre hebdomadaire préféré. Pas de problème.\nRentrez la à partir d'une grille vide, et utilisez la résolution automatique. ",
    "Mode Championnat: Vous devez résoudre une des grilles du catalogue proposée aléatoirement. En fonction de la difficulté et du temps passé, votre score va diminuer.\nA vous d'aller assez vite pour avoir au moins la moyenne...",
    "Les Bouts de choux: Bonjour les enfants. Sudokuuuuuuuuu....\nAvec les grilles faciles du début, tu pourras t'exercer, avant d'arriver sur des grilles plus difficiles.\nSoit persévérant. Tu peux y arriver.",
    "Mode Rapidité: Vous avez un temps limite pour remplir la grille de Sudoku. Ce temps est calculé en fonction de la difficulté de la grille.\nAttention, car à la fin du temps limite, les cases que vous avez trouvées commencent à disparaître. Plus aucun chiffre, vous avez perdu...",
    "Double & Triple: Un soduku vide au départ. A vous de placer les chiffres pour faire un vrai Sudoku. Plus vous trouvez des chiffres voisins étant des multiples, plus vous ajoutez des points.\nArriverez vous à avoir le nombre maximum de points ?",
    "Quellabo: Votre Grille à partir de nombreux Sites Internet. Récupérez la automatiquement, jouez avec, et regarder votre score.\nAurez vous un bon classement ?",
    "Défi: Envie de combattre ? \nLancer un défi à un membre de votre famille ou un ami sur le WEB. \nQui aura le plus de points ?\nNon implémenté dans cette version.",
    "Cliquer sur ce bouton pour avoir de l'aide sur Quorbel",
    "Connexion impossible sur serveur Quorbel\nVérifier votre connection Internet ou Serveur HS",
};

const std::array<std::string_view, kStartAreaCount> StartAreaTextsEn = {
    "Catalog: Grids of the main World Sudoku Championships. Variants like you've never seen.\nSelect your grid in the catalog. ",
    "Grid Generation: Generate a grid of size 4x4 to 16x16 with the traditional 9x9.\n4 adjustable difficulties.\nAnd more than 50 variants you can select or combine.",
    "Grid Load: Load the grid that you saved in the state where it was.\nAnd now it's time to finish.",
    "New Empty Grid: You can not finish the grid of your favorite periodic. No problem.\nEnter it in an empty grid, and use the automatic solving methods to help you.",
    "Mode ChampionShip: You must solve a grid randomly proposed in catalog. Depending on the difficulty and time, your score will decline.\nYou have to go fast enough to get maximum score...",
    "For Kids: Hey kid. Sudokuuuuuuuuu ....\nStarting with easy grids, you may exercise before arriving on grids more difficult.\nBe patient. You can solve it. ",
    "QuickGame: You have a limited time for completing the Sudoku grid. This time is computed based on the difficulty of the grid.\nWarning, because at the end of the time, cells you have found begin to disappear.No more cell, you loose ...",
    "Double & Triple: Start with an empty grid. Put values to make a real Sudoku.The more you find neibhouring cells with given ratio, the more you collect points.\nWill you get the maximum number of points?",
    "Quellabo: Your Grid acquired from  a lot of Internet Sites. Get it automaticly, play, and check your score.\nWill you get a good score ?",
    "Challenge: Want to fight?\nStart a challenge with a family member or a friend on the WEB.\nWho will get the more points?Not implemented in this version.",
    "Press this Button to get Help on Quorbel",
    "Connection impossible on Quorbel server\nPlease verify your Internet Connection or Server Down",
};
// clang-format on

std::string_view StartAreaText(int area, Language language) {
  if (area < 0 || area >= kStartAreaCount)
    return {};
  return (IsEnglish(language) ? StartAreaTextsEn : StartAreaTextsFr)[static_cast<size_t>(area)];
}

} // namespace quorbel
