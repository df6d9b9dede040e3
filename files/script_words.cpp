#include "files/script_words.h"

#include <algorithm>

namespace quorbel {

const std::array<std::string_view, kScriptWordCount> ScriptWords = {
    "FILES",     // 0
    "ENDFILES",  // 1
    "LOAD",      // 2
    "SAVE",      // 3
    "LOADT",     // 4
    "SAVET",     // 5
    "NEW",       // 6
    "PRINT",     // 7
    "GENERE",    // 8
    "RESET",     // 9
    "INIT",      // 10
    "SEARCH",    // 11
    "DISPREF",   // 12
    "REFGRID",   // 13
    "DISPS",     // 14
    "DISPN",     // 15
    "PROP1",     // 16
    "SOLVE",     // 17
    "KAL",       // 18
    "DISPC",     // 19
    "DISPL",     // 20
    "DISPP",     // 21
    "DISPT",     // 22
    "DISPV",     // 23
    "DISPR",     // 24
    "DISPW",     // 25
    "METHOD",    // 26
    "CARS",      // 27
    "UNDO",      // 28
    "REDO",      // 29
    "PREFDISP",  // 30
    "PREFCELL",  // 31
    "PREFGEOM",  // 32
    "PREFBGIM",  // 33
    "PREFANIM",  // 34
    "PREFBGIMR", // 35
    "DISPPOSS",  // 36
    "AREA",      // 37
    "PREF",      // 38
    "RESETPREF", // 39
    "PAUSE",     // 40
    "COMMENT",   // 41
    "SETDIFF",   // 42
    "SETCELL",   // 43
    "SETPOSS",   // 44
    "SETPROB",   // 45
    "SETBOAT",   // 46
    "MAGIC",     // 47
    "NOMESS",    // 48
    "CLEARCOM",  // 49
    "CLICK",     // 50
    "EXIT",      // 51
    "RESTART",   // 52
    "COPY",      // 53
    "ADDFUNC",   // 54
    "PART",      // 55
    "STAT",      // 56
    "OPTIMISE",  // 57
    "VOLUME",    // 58
    "MUSFILE",   // 59
    "DEBUG",     // 60
    "VAR",       // 61
    "CALCVAR",   // 62
    "ADDMULT",   // 63
    "DELMULT",   // 64
    "VARIANT",   // 65
};

namespace {

constexpr std::array<std::string_view, kScriptWordCount> BuildScriptHelp() {
  std::array<std::string_view, kScriptWordCount> help{};
  help[kMacroFiles] = "Initialisation of multi-files";
  help[kMacroEndFiles] = "End of multi-files";
  help[kMacroLoad] = "Load Sudoku File *.sud";
  help[kMacroSave] = "Save Sudoku File *.sud";
  help[kMacroLoadT] = "Load Text File *.txt";
  help[kMacroSaveT] = "Save Text File *.txt";
  help[kMacroNew] = "Initialise a new Grid with NLines";
  help[kMacroPrint] = "Print the current Grid";
  help[kMacroGenere] = "Generate the Grid with Nnumbers,Diff,VarientPart1,VarientPart2,UNIQ solution";
  help[kMacroReset] = "Restore the grid to initial configuration";
  help[kMacroInit] = "Set the initial configuration";
  help[kMacroSearch] = "Search all possible grids within Max and with/without display";
  help[kMacroDispRef] = "Display Reference Grid";
  help[kMacroRefGrid] = "Compute RefGrid";
  help[kMacroDispS] = "Display Search Grid N";
  help[kMacroDispN] = "Display next Search Grid";
  help[kMacroProp1] = "Propose one value";
  help[kMacroSolve] = "Solve the full grid";
  help[kMacroKal] = "Kaleidoscope";
  help[kMacroDispC] = "Display Cell Possible with filter N";
  help[kMacroDispL] = "Display Line/col Possible Y/N";
  help[kMacroDispP] = "Display Probable Y/N";
  help[kMacroDispT] = "Display Trouve Y/N";
  help[kMacroDispV] = "Display Variant Y/N";
  help[kMacroDispR] = "Display Coloring Y/N";
  help[kMacroDispW] = "Display Warning Y/N";
  help[kMacroMethod] = "Define Method parameters Type";
  help[kMacroCars] = "Define Charactere size with AREA and DELTA";
  help[kMacroUndo] = "Undo the N last actions";
  help[kMacroRedo] = "Redo the N undo actions";
  help[kMacroPrefDisp] = "Define Pref character display VAL";
  help[kMacroPrefCell] = "Define Pref Cell display VAL";
  help[kMacroPrefGeom] = "Define geometrie PARAmeter with VAL";
  help[kMacroPrefBgim] = "Define Pref BG image file *.*";
  help[kMacroPrefAnim] = "Define Pref Anim Images *.ani";
  help[kMacroPrefBgimR] = "Load randomly Pref BG image file Y/N";
  help[kMacroDispPoss] = "Display All Possibles in given Cell";
  help[kMacroArea] = "Display AREA Y/N";
  help[kMacroPref] = "Set Pref PARA Y/N";
  help[kMacroResetPref] = "Restore Pref at macro end";
  help[kMacroPause] = "PAUSE N ms (-1: key click) / and Y/N: if Yes do the Pause on each command";
  help[kMacroComment] = "Display Comment Plus VariableX";
  help[kMacroSetDiff] = "Set Grid Difficulty to 1(easy) to 4(terrible)";
  help[kMacroSetCell] = "Set CELL to given VAL";
  help[kMacroSetPoss] = "Add to CELL the given POSS with Type Add:0, Remove:1, Exchange:2";
  help[kMacroSetProb] = "Set CELL to given PROB with Type Add:0, Remove:1, Exchange:2";
  help[kMacroSetBoat] = "Set CELL with given BOAT";
  help[kMacroMagic] = "Load PrefMagic file *.magic";
  help[kMacroNoMess] = "Inhibite all messages except the COMMENT ones";
  help[kMacroClearCom] = "Clear Comment Area";
  help[kMacroClick] = "Click on Cell or Area";
  help[kMacroExit] = "Exit Macro";
  help[kMacroRestart] = "Restart at macro beginning";
  help[kMacroCopy] = "Copy Files from 'Custom' to new directory";
  help[kMacroAddFunc] = "Add new function= R:Regular def (+File), G:catalog Grid(+File), C:Clean catalog "
                        "status, D: Compute Max Triple";
  help[kMacroPart] = "Separate part to be executed Y/N (up to next command PART)";
  help[kMacroStat] = "Print Tab Statistics";
  help[kMacroOptimise] = "Optimise Grid To have 1 solution the most difficult";
  help[kMacroVolume] = "Volume for MUSIC or SOUND";
  help[kMacroMusFile] = "File or Directory for Music";
  help[kMacroDebug] = "For Debug display command";
  help[kMacroVar] = "Variable number and float value";
  help[kMacroCalcVar] = "Compute Variable by Add,Subs,Mult,Divide,%,&,|,Power";
  help[kMacroAddMult] = "Add a new empty grid";
  help[kMacroDelMult] = "Delete the selected grid";
  help[kMacroVariant] = "Update Variant for the Grid";
  return help;
}

constexpr std::array<std::string_view, kScriptWordCount> BuildScriptSyntax() {
  std::array<std::string_view, kScriptWordCount> syntax{};
  syntax[kMacroNew] = "NLines:-1 for unchange";
  syntax[kMacroGenere] = "DIFF= EASY MEDIUM DIFFICULT TERRIBLE .VAR = "
                         "1-irreg+2-Lk+4Kil+8<>+16-Odd+32XV+64-Dist+128-Dot+256-Puz+512-diag+1024-Two+2048-"
                         "Twins+4096-BatNav DepthVar:0-100";
  syntax[kMacroMethod] = "METHOD=1(LCB)+2(random)+4(prob)+8(var)+16(single)+0x20(group...)+0x1000(burma...)+"
                         "0x80000(color)+0x100000(forcing)";
  syntax[kMacroCars] = "AREA = ALL CELL PROB LINECOL MAT COMMENT";
  syntax[kMacroPrefDisp] = "CAR DISPLAY= NUMBER LETTER MIXED CARTOON";
  syntax[kMacroPrefCell] = "CELL DISPLAY= SINGLE MULTI MAT PROB";
  syntax[kMacroPrefGeom] = "DX DY DXX DYY DIX DIY DPY CDY BDX(%) TRANSPARENCY(0-255) RNDDELAY(0-11;-1:none)";
  syntax[kMacroArea] = "AREA= COMMENT BAR LINECOL METHOD PREFERENCE MAGIC";
  syntax[kMacroPref] =
      "PARA= AUTO PREFLOAD POSLOAD ABSOLUTE BLOCKLIM BLOCKCOL BLOCKBAR CELLSQUARE ANIM ACTION IFFALSE IDEM";
  syntax[kMacroClick] =
      "AREA=Barre image 1-16;Color 17-32;Shuffle:0;Undo:-1,Comment:-2;NoSelect:-3;Cell:100-356";
  syntax[kMacroVolume] = "MUSIC/SOUND";
  return syntax;
}

} // namespace

const std::array<std::string_view, kScriptWordCount> ScriptHelp = BuildScriptHelp();
const std::array<std::string_view, kScriptWordCount> ScriptSyntax = BuildScriptSyntax();

const std::array<std::string_view, kScriptArgWordCount> ScriptArgWords = {
    "EASY",         // 0
    "MEDIUM",       // 1
    "DIFFICULT",    // 2
    "TERRIBLE",     // 3
    "ALL",          // 4
    "CELL",         // 5
    "PROB",         // 6
    "LINECOL",      // 7
    "MAT",          // 8
    "COMMENT",      // 9
    "NUMBER",       // 10
    "LETTER",       // 11
    "MIXED",        // 12
    "CARTOON",      // 13
    "SINGLE",       // 14
    "MULTI",        // 15
    "DX",           // 16
    "DY",           // 17
    "DXX",          // 18
    "DYY",          // 19
    "DIX",          // 20
    "DIY",          // 21
    "DPY",          // 22
    "BDC",          // 23
    "BDB",          // 24
    "CDY",          // 25
    "BDX",          // 26
    "TRANSPARENCY", // 27
    "RNDDELAY",     // 28
    "BAR",          // 29
    "LEGEND",       // 30
    "AUTO",         // 31
    "PREFLOAD",     // 32
    "POSLOAD",      // 33
    "ABSOLUTE",     // 34
    "BLOCKLIM",     // 35
    "BLOCKCOL",     // 36
    "BLOCKBAR",     // 37
    "CELLSQUARE",   // 38
    "ANIM",         // 39
    "ACTION",       // 40
    "DRAG",         // 41
    "PARASIT",      // 42
    "IFFALSE",      // 43
    "ROTATE",       // 44
    "BOATUNIQ",     // 45
    "AUTONOBOAT",   // 46
    "IDEM",         // 47
    "MATALL",       // 48
    "MATFOND",      // 49
    "MATAUTO",      // 50
    "HIDEVAR",      // 51
    "VARDEPTH",     // 52
    "VARMULT",      // 53
    "VARNGRIDS",    // 54
    "UNIQ",         // 55
    "N",            // 56
    "Y",            // 57
    "METHOD",       // 58
    "PREFERENCE",   // 59
    "MAGIC",        // 60
    "MUSIC",        // 61
    "MUSDIR",       // 62
    "MUSLOOP",      // 63
    "MUSSILENT",    // 64
    "KEEPRATIO",    // 65
    "VAR1",         // 66
    "VAR2",         // 67
    "VAR3",         // 68
    "VAR4",         // 69
    "VAR5",         // 70
    "VAR6",         // 71
    "VAR7",         // 72
    "VAR8",         // 73
    "VAR9",         // 74
    "VAR10",        // 75
};

namespace {

template <std::size_t N>
int32_t IndexOf(const std::array<std::string_view, N> &table, std::string_view word) {
  const auto found = std::find(table.begin(), table.end(), word);
  return found == table.end() ? -1 : static_cast<int32_t>(found - table.begin());
}

} // namespace

int32_t FindScriptWord(std::string_view word) { return IndexOf(ScriptWords, word); }

int32_t FindScriptArgWord(std::string_view word) { return IndexOf(ScriptArgWords, word); }

} // namespace quorbel
