// AppSettings: every user setting as a plain struct of typed fields, one per stored key, grouped
// by the section that stores it. settings_schema.h fills it (defaults, range rules) and saves it.
// Members are zero until loaded; DefaultSettings() gives the defaults.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/language.h"

namespace quorbel {

struct CatalogSettings {
  int32_t baseType{};    // BASETYPE: catalogue type shown (-1 none)
  int32_t baseGrid{};    // BASEGRID: catalogue grid shown (-1 none)
  int32_t nGridList{};   // NGRIDLIST: catalogue list choice
  int32_t displayGrid{}; // DISPLAYGRID
  int32_t varDepth{};    // VARDEPTH: generator's variant depth
  int32_t varNGrids{};   // VARNGRIDS: generator's number of linked grids
  int32_t varMult{};     // VARMULT: how variants are drawn
  int32_t quellaboSite{};
  int32_t quellaboDiff{};
};

// The ways a game is played (GAME/MODE).
inline constexpr int32_t kGameModeChampion = 0;
inline constexpr int32_t kGameModeKids = 1;
inline constexpr int32_t kGameModeQuick = 2;
inline constexpr int32_t kGameModeTriple = 3; // Double and Triple: the mark is the grids' points
inline constexpr int32_t kGameModeCatalog = 4;
inline constexpr int32_t kGameModeQuellabo = 5;
inline constexpr int32_t kGameModeDefi = 6;
inline constexpr int32_t kGameModeGenerated = 7;

struct GameSettings {
  int32_t mode{}; // MODE: one of the kGameMode values
  int32_t kidGrid{};
  int32_t quickGrid{};
  int32_t tripleGrid{};
};

// Absolute once loaded (DirectoryStrings, in this order).
struct DirectorySettings {
  std::string animated;
  std::string background;
  std::string myGrids;
  std::string txtGrids;
  std::string magic;
  std::string macro;
  std::string music;
  std::string image; // IMAGE: the last picture scanned from a file, relative to the start directory
};

struct GeneralSettings {
  int32_t longCase{};    // LONGCASE: cell width of the board layout
  int32_t hautCase{};    // HAUTCASE: cell height
  int32_t interCaseX{};  // INTERCASEX
  int32_t interCaseY{};  // INTERCASEY
  int32_t interBlockX{}; // INTERBLOCKX
  int32_t interBlockY{}; // INTERBLOCKY
  int32_t haut19{};      // HAUT19: height of the probables
  int32_t borderCell{};
  int32_t borderBlock{};
  int32_t absolute{};     // ABSOLUTE: fixed cell size
  int32_t autoSize{};     // AUTO: automatic grid sizing
  int32_t displayLines{}; // DISPLAYLINES
  int32_t displayComment{};
  int32_t displayBarArea{};
  int32_t displayBarAreaIdem{};
  int32_t displayMatAll{};
  int32_t displayMatFond{};
  int32_t displayMatAuto{};
  int32_t displayComDy{};
  double displayBarDx{}; // DISPLAYBARDX: width factor of the bar area
  int32_t deltaFontCom{};
  int32_t deltaFontCell{};
  int32_t deltaFontLc{};
  int32_t deltaFontProb{};
  int32_t deltaFontMatrix{};
  int32_t lastOpen{};
  int32_t posLoad{};
  int32_t log{};
  int32_t standarDir{};
  int32_t prefLoad{};
  int32_t blockLimit{};
  int32_t blockColors{};
  int32_t blockBars{};
  int32_t cellSquare{};
  int32_t keepRatio{};
  int32_t probType{};
  int32_t askToBeSaved{};
  int32_t uniqSolution{};
  int32_t maxIterGener{};
  float printSize{}; // PRINTSIZE: print scale
  int32_t transparency{};
  int32_t delayBgImage{};
  int32_t bgRandom{};
  int32_t gridCurrSize{};       // GRIDCURRSIZE: grid shape code of new grids
  int32_t gridCurrDisp{};       // GRIDCURRDISP: SymbolMode
  int32_t gridCurrDifficulty{}; // 1..4
  uint64_t gridCurrVariant{};   // GRIDCURRVARIENT-PART1 (low) and -PART2 (high)
  int32_t animGif{};
  int32_t resetIfFalse{};
  int32_t animAction{};
  int32_t drag{};
  int32_t parasit{};
  int32_t puzzleRotation{};
  int32_t puzzlePieceUniq{};
  int32_t autoNoBoat{};
  std::string imageName;       // IMAGENAME: cell picture set file
  std::string backgroundImage; // BACKGROUNDIMAGE: absolute once loaded
  Language language = Language::NotChosen;
};

struct MusicSettings {
  int32_t useDirectory{};
  int32_t autoLoop{};
  int32_t silent{};
  int32_t musicVolume{}; // 0..100
  int32_t soundVolume{}; // -8000..0, hundredths of a decibel
  int32_t musicStop{};
  std::string musicFile;
};

struct ExpertSettings {
  int32_t dispMaskTab{};
  int32_t nMaskTab{};
  int32_t donCellMaskTab{};
  // The expert area's ranges for the generator's test bench.
  int32_t timeOutStart{}, timeOutStop{}, timeOutStep{};
  int32_t regularStart{}, regularStop{};
  int32_t iterations{};
  int32_t isDisplay{}, isDiagonal{}, isNormal{};
  int32_t sizeStart{}, sizeStop{}; // 0..5: 4x4 .. 16x16
  int32_t selCellStart{}, selCellStop{}, selCellType{}, selCellStep{};
  int32_t blankStart{}, blankStop{}, blankStep{}, blankType{};
  int32_t variantStart{}, variantStop{}, variantStep{};
};

struct MethodSettings {
  int32_t method{}; // METHOD: the MethodMask
};

struct ParameterSettings {
  int32_t timeOver{}; // TIMEOVER: ms, -1 none
  int32_t maxSearchSave{};
  int32_t maxSearchGrid{};
  int32_t genereTimeOver{}; // GENERETIMEOVER: ms, -1 none
  int32_t qrbDebug{};       // QRBDebug: the expert flag
  int32_t debugDc{};
  int32_t debugDcRt{};
  int32_t debugUndo{};
};

struct ScanSettings {
  int32_t gridLevel{};
  int32_t autoScan{};
};

// One local challenge player as stored (DEFIPLAYER%3d...); its index is its place in the list.
struct DefiPlayerSetting {
  int32_t remote{};
  uint32_t ipAddress{};
  std::string name;
  int32_t handicap{};
  int32_t check{};
};

inline constexpr int kMaxDefiPlayers = 100; // the challenge dialog's player table

struct DefiSettings {
  int32_t defiGridDiff{};
  int32_t defiPossible{};
  int32_t defiMaxTime{};
  int32_t defiNbCells{};
  int32_t defiGridSize{};
  int32_t defiPort{};
  int32_t defiInhibit{};
  std::vector<DefiPlayerSetting> players; // DEFINPLAYERS entries at most kMaxDefiPlayers
  std::string playerName;
  std::string serviceHost; // SERVICEHOST: the connect service's "host[:port]", none by default
  std::string versionPage; // VERSIONPAGE: the maker's home page the version check reads, none by default
};

inline constexpr int kGenerationKinds = 41;

// Per hidden-variant generator (suffixes in settings_schema.h): weighting factor, minimum, limit.
struct GenerationSettings {
  std::array<float, kGenerationKinds> fac{};
  std::array<int32_t, kGenerationKinds> mind{};
  std::array<int32_t, kGenerationKinds> lim{};
};

inline constexpr int kDurationSizes = 6;  // 4X4, 6X6, 8X8, 9X9, 12X12, 16X16
inline constexpr int kDurationLevels = 4; // EASY, MEDIUM, DIFFICULT, TERRIBLE

struct GameDurationSettings {
  int32_t defaultDuration{}; // DEFAULT
  // Game time limits in seconds by grid size and level.
  std::array<std::array<int32_t, kDurationLevels>, kDurationSizes> duration{};
  // Time factors by game mode.
  float mtfChampion{};
  float mtfKids{};
  float mtfQuick{};
  float mtfTriple{};
  float mtfDefi{};
  float mtfOther{};
};

struct GameParasiteSettings {
  int32_t parFacKid{};
  int32_t parOffKid{};
  int32_t parFacQuick{};
  int32_t parOffQuick{};
  int32_t parCte{};
  int32_t moveIndexStart{};
  int32_t moveIndexMax{};
  int32_t moveIndex1{};
  int32_t moveIndex2{};
  int32_t moveIndex3{};
  int32_t moveIndex4{};
  int32_t moveFac1{};
  int32_t moveFac2{};
  int32_t moveFac3{};
  int32_t moveFac4{};
  int32_t moveCte1{};
  int32_t moveCte2{};
  int32_t moveCte3{};
  int32_t moveCte4{};
  int32_t moveCte5{};
};

struct AppSettings {
  CatalogSettings catalog;
  GameSettings game;
  DirectorySettings directory;
  GeneralSettings general;
  MusicSettings music;
  ExpertSettings expert;
  MethodSettings method;
  ParameterSettings parameter;
  ScanSettings scan;
  DefiSettings defi;
  GenerationSettings generation;
  GameDurationSettings gameDuration;
  GameParasiteSettings gameParasite;
};

} // namespace quorbel
