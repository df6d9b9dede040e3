// The command-script language's vocabulary: the command keywords (whose indexes are the
// action codes that the recorder takes), their help and syntax texts, and the argument
// keywords. Constant tables, initialised before the program starts.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quorbel {

inline constexpr int kScriptWordCount = 66;
inline constexpr int kScriptArgWordCount = 76;

// Index of each command keyword in ScriptWords.
enum MacroActionCode : int32_t {
  kMacroFiles = 0,
  kMacroEndFiles = 1,
  kMacroLoad = 2,
  kMacroSave = 3,
  kMacroLoadT = 4,
  kMacroSaveT = 5,
  kMacroNew = 6,
  kMacroPrint = 7,
  kMacroGenere = 8,
  kMacroReset = 9,
  kMacroInit = 10,
  kMacroSearch = 11,
  kMacroDispRef = 12,
  kMacroRefGrid = 13,
  kMacroDispS = 14,
  kMacroDispN = 15,
  kMacroProp1 = 16,
  kMacroSolve = 17,
  kMacroKal = 18,
  kMacroDispC = 19,
  kMacroDispL = 20,
  kMacroDispP = 21,
  kMacroDispT = 22,
  kMacroDispV = 23,
  kMacroDispR = 24,
  kMacroDispW = 25,
  kMacroMethod = 26,
  kMacroCars = 27,
  kMacroUndo = 28,
  kMacroRedo = 29,
  kMacroPrefDisp = 30,
  kMacroPrefCell = 31,
  kMacroPrefGeom = 32,
  kMacroPrefBgim = 33,
  kMacroPrefAnim = 34,
  kMacroPrefBgimR = 35,
  kMacroDispPoss = 36,
  kMacroArea = 37,
  kMacroPref = 38,
  kMacroResetPref = 39,
  kMacroPause = 40,
  kMacroComment = 41,
  kMacroSetDiff = 42,
  kMacroSetCell = 43,
  kMacroSetPoss = 44,
  kMacroSetProb = 45,
  kMacroSetBoat = 46,
  kMacroMagic = 47,
  kMacroNoMess = 48,
  kMacroClearCom = 49,
  kMacroClick = 50,
  kMacroExit = 51,
  kMacroRestart = 52,
  kMacroCopy = 53,
  kMacroAddFunc = 54,
  kMacroPart = 55,
  kMacroStat = 56,
  kMacroOptimise = 57,
  kMacroVolume = 58,
  kMacroMusFile = 59,
  kMacroDebug = 60,
  kMacroVar = 61,
  kMacroCalcVar = 62,
  kMacroAddMult = 63,
  kMacroDelMult = 64,
  kMacroVariant = 65,
};

// The script's CLICK names value v of the colour bar (the slots' corners) as this plus v.
inline constexpr int kColourBarClickBase = 16;
// CLICK on a grid tab: argument 2 the tab (0 every grid, k grid k alone), argument 3 2 when the
// tab was clicked with Ctrl (the grid joins or leaves those shown).
inline constexpr int kClickGridTab = -4;

// Index of each argument keyword in ScriptArgWords.
enum ScriptArgWord : int32_t {
  kArgEasy = 0,
  kArgMedium = 1,
  kArgDifficult = 2,
  kArgTerrible = 3,
  kArgAll = 4,
  kArgCell = 5,
  kArgProb = 6,
  kArgLineCol = 7,
  kArgMat = 8,
  kArgComment = 9,
  kArgNumber = 10,
  kArgLetter = 11,
  kArgMixed = 12,
  kArgCartoon = 13,
  kArgSingle = 14,
  kArgMulti = 15,
  kArgDx = 16,
  kArgDy = 17,
  kArgDxx = 18,
  kArgDyy = 19,
  kArgDix = 20,
  kArgDiy = 21,
  kArgDpy = 22,
  kArgBdc = 23,
  kArgBdb = 24,
  kArgCdy = 25,
  kArgBdx = 26,
  kArgTransparency = 27,
  kArgRndDelay = 28,
  kArgBar = 29,
  kArgLegend = 30,
  kArgAuto = 31,
  kArgPrefLoad = 32,
  kArgPosLoad = 33,
  kArgAbsolute = 34,
  kArgBlockLim = 35,
  kArgBlockCol = 36,
  kArgBlockBar = 37,
  kArgCellSquare = 38,
  kArgAnim = 39,
  kArgAction = 40,
  kArgDrag = 41,
  kArgParasit = 42,
  kArgIfFalse = 43,
  kArgRotate = 44,
  kArgBoatUniq = 45,
  kArgAutoNoBoat = 46,
  kArgIdem = 47,
  kArgMatAll = 48,
  kArgMatFond = 49,
  kArgMatAuto = 50,
  kArgHideVar = 51,
  kArgVarDepth = 52,
  kArgVarMult = 53,
  kArgVarNGrids = 54,
  kArgUniq = 55,
  kArgN = 56,
  kArgY = 57,
  kArgMethod = 58,
  kArgPreference = 59,
  kArgMagic = 60,
  kArgMusic = 61,
  kArgMusDir = 62,
  kArgMusLoop = 63,
  kArgMusSilent = 64,
  kArgKeepRatio = 65,
  kArgVar1 = 66,
  kArgVar2 = 67,
  kArgVar3 = 68,
  kArgVar4 = 69,
  kArgVar5 = 70,
  kArgVar6 = 71,
  kArgVar7 = 72,
  kArgVar8 = 73,
  kArgVar9 = 74,
  kArgVar10 = 75,
};

extern const std::array<std::string_view, kScriptWordCount> ScriptWords;
// One line of help per command, written after each recorded step.
extern const std::array<std::string_view, kScriptWordCount> ScriptHelp;
// The argument words a command accepts; empty for most commands.
extern const std::array<std::string_view, kScriptWordCount> ScriptSyntax;
extern const std::array<std::string_view, kScriptArgWordCount> ScriptArgWords;

// Index of the first entry equal to `word` byte for byte, -1 when none is.
int32_t FindScriptWord(std::string_view word);
int32_t FindScriptArgWord(std::string_view word);

} // namespace quorbel
