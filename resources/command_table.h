// The program's commands: every command identifier the menus, toolbars and accelerators send,
// with the French and English menu texts and the keys. A command is named by `Cmd` (its handler);
// the French menu, the English menu and an accelerator may each reach it under its own number.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace quorbel {

using CommandId = uint16_t;

// One entry per handler. The frame's dispatcher maps each handler to its function.
enum class Cmd : uint16_t {
  // File
  NewGame,
  NewGrid,
  NewEmptyGrid,
  FileOpen,
  FileSave,
  FileSaveAs,
  FilePrint,
  FilePrintPreview,
  FilePrintSetup,
  OpenRecentFile,
  ImportClipboard,
  ImportFile,
  ImportDirectory,
  ResetDico,
  AppExit,
  // Edit
  EditUndo,
  EditRedo,
  EditCut,
  EditCopy,
  EditPaste,
  EditClear,
  EditSelectAll,
  ScanLine,
  ScanColumn,
  ScanGridArea,
  // Display
  DisplayWarning,
  DisplayPossLineCol,
  DisplayProbable,
  DisplayFound,
  FilterVariant,
  DisplayColoring,
  HideVariants,
  PossNone,
  PossLevel1,
  PossLevel2,
  PossLevel3,
  PossLevel4,
  PossLevel5,
  ShowCellPossibles,
  CellDisplaySingle,
  CellDisplayLine,
  CellDisplayMatrix,
  CellDisplayProbable,
  SymbolDigits,
  SymbolLetters,
  SymbolMixed,
  SymbolPictures,
  DisplayType,
  FontIncrease,
  FontDecrease,
  FontReset,
  DisplayLineColArea,
  DisplayCommentZone,
  DisplayImageBar,
  DisplayMethods,
  DisplayPreference,
  DisplayMagicSelect,
  DisplayMusic,
  DisplayWebWindow,
  Pause,
  // Sudoku
  Propose,
  SolveOneLoop,
  FullSolve,
  SearchSolutions,
  BackGoodSolution,
  GenerateEasy,
  GenerateMedium,
  GenerateDifficult,
  GenerateTerrible,
  OptimiseGrid,
  DefineStartupGrid,
  BackToStartupGrid,
  ComputeMaxDoubleTriple,
  AddNewObjects,
  BestScore,
  QuellaboSubmit,
  StopChallenge,
  GenerateGridDialog,
  SelectCatalogGrid,
  // Language
  LanguageFrench,
  LanguageEnglish,
  // Help
  HelpTopics,
  HelpContext,
  ContextHelpMode,
  Demo,
  ExampleLineColBlock,
  ExampleProbable,
  ExampleSingle,
  ExampleGroup,
  ExampleColorChain,
  ExampleBurma,
  Kaleidoscope,
  CheckVersion,
  AppAbout,
  // Battleship marks (keys only)
  MarkBoat,
  MarkWater,
  ClearBoatMark,
  // A moving parasite at once (key only)
  SpawnParasite,
  // Expert: carve the grid and count the puzzle's solutions (key only)
  CountCarvedSolutions,
  // Expert menus D1 to D3 and the expert keys
  ExpertFunc,
  ModifyTimeout,
  ShowDiff,
  ShowBlockNumber,
  StatGrid,
  GenerMaskGrid,
  DisplayRefTab,
  RefTabFromCurrent,
  RefTabFromSearch,
  UpdateNGridList,
  DefineLess,
  DefineGreater,
  AddIrregularToFile,
  AddNewGridToSet,
  DefineAllSignificant,
  DefineArrow,
  DefineNavalFlight,
  DefineBlock,
  DefineChess,
  DefineClock,
  DefineCreasing,
  DefineDan,
  DefineDiagonal,
  DefineDistance,
  DefineDomino,
  DefineDontTouch,
  DefineDot,
  DefineDoubleTriple,
  DefineEquality,
  DefineEven,
  DefineEvenPair,
  DefineExtraRegion,
  DefineFrame,
  DefineGiveMeFive,
  DefineKiller,
  DefineKillerProduct,
  DefineKimo,
  DefineLastNumber,
  DefineLittleKiller,
  DefineMagicSentence,
  DefineMagicSquare,
  DefineMagicTable,
  DefineMasterMind,
  DefineMultiplicationTable,
  DefineTwinsGroupRelation,
  DefineNavigator,
  DefineNo3OddEven,
  DefineNoAverage,
  DefineNoKnightStep,
  DefineNonConsecutive,
  DefineNumeral,
  DefineNumeralString,
  DefineOdd,
  DefineOddPair,
  DefineOddXxx,
  DefineOddview,
  DefineOutside,
  DefinePanDigital,
  DefinePencil,
  DefinePirate,
  DefinePuzzle,
  PuzzleRotate,
  DefineQuadMax,
  DefineQuadMin,
  DefineRoman,
  SingleGrid,
  DefineSkyScraper,
  DefineTiled,
  DefineTouchy,
  TransferFrame,
  TransferHighlight,
  DefineTrio,
  DefineTrioData,
  DefineTwinTotal,
  DefineTwinsMaskedVariants,
  DefineTwinsDiff,
  DefineTwinsEqual,
  DefineTwinsRefGrid,
  DefineTwinsRelation,
  DefineTwinsSameInRow,
  DefineTwinsSubstitution,
  DefineTwinsZone,
  DefineV,
  DefineWheel,
  DefineX,
  DefineXxxPair,
  DefineZeroKiller,
  DefineBattleshipOdd,
  MacroRecordStart,
  MacroRecordStop,
  MacroRecordPause,
  MacroRecordResume,
  RunMacroFile,
  SaveTextGrids,
  WriteDebugFile,
  WriteProbEqual,
  LoadMiniSSearch,
  SaveSearchSolutions,
  BatchTest1,
  BatchTest2,
  BatchTest3,
  SaveTextGridsKey,
  // The expert mode's key sequence: reset, arm, then toggle.
  ExpertKeyReset,
  ExpertKeyArm,
  ExpertKeyToggle,
  // Keys bound to nothing, so that they never reach another command.
  IgnoreCommand,
};

// One way to reach a command. A zero identifier is absent. The keys (Qt's portable key names,
// several separated by "; ") send `idAccel` when it is set, else the French identifier; D-menu
// items carry English texts in both columns.
struct CommandRow {
  Cmd cmd;
  CommandId idFr;
  CommandId idEn;
  CommandId idAccel;
  std::string_view textFr;
  std::string_view textEn;
  std::string_view keys;
};

std::span<const CommandRow> CommandTable();

// The identifiers the frame reaches by number.
inline constexpr CommandId kIdFirstRecentFile = 57616;
inline constexpr int kRecentFileCount = 4;

// F5 to F8 reach the four panels from any window of the program, before any widget sees the
// key; they are never bound as ordinary shortcuts.
struct PanelKey {
  int functionKey; // 5 for F5
  CommandId id;    // the French identifier the key sends
};
inline constexpr PanelKey PanelKeys[] = {{5, 33029}, {6, 32790}, {7, 33026}, {8, 33055}};
bool IsPanelKeyText(std::string_view keys);

} // namespace quorbel
