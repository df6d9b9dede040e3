// The readers of .sud versions 1 to 5: parse into a staging copy, then apply it whole.
// Versions 1 to 4 hold one grid (two with a twin variant) and interleave it with the game
// state; version 5 holds the whole grid set first. The stages read the same primitives,
// so each step below names the version that has it.
#include "files/sud_file_reader.h"

#include <algorithm>
#include <limits>
#include <memory>

#include "engine/engine_context.h"
#include "engine/grid_copy.h"
#include "engine/grid_shape.h"
#include "files/archive_reader.h"
#include "files/sud_file_format.h"
#include "files/sud_file_settings.h"

namespace quorbel {

namespace {

constexpr int kOldFileWidth = 9;
constexpr int kOldFileBlockSide = 3;
constexpr int kMinWidth = 4;
constexpr int kOldFileStopwatchesV1 = 8;
constexpr int kOldFileStopwatchesV2 = 10;
constexpr int kOldMethodWordsV1 = 6;
constexpr int kOldMethodWordsV2 = 8;
constexpr int kMillisPerSecond = 1000;
constexpr int kV1GridWords = 3; // two grid words and a solver word, not kept

struct StagedGrid {
  VariantWords Var;
  std::unique_ptr<VariantBlockContent> Block = std::make_unique<VariantBlockContent>();
  std::vector<CellRecord> Cells;
  std::vector<CarriedCellWords> Carried;
  int32_t State = kGridReset;
  int32_t SudMissing = -1;
  std::string Comment;
  std::vector<std::pair<int32_t, int32_t>> Reference; // (value, status) of the playing cells
};

struct Stage {
  int Version = 0;
  GridGeometry Geo;
  int32_t MainCount = 1;
  int32_t AllCount = 1;
  int32_t FocusCell = -1;
  int32_t FocusGrid = 0;
  int32_t OrderCount = 1;
  int32_t SpareWord = 0;
  std::array<int32_t, kMaxGrids> Order = GridSet::IdentityOrder();
  std::vector<StagedGrid> Grids;
  SudFileContent Content;
  std::vector<std::string> Warnings;
  bool UnplayableGeometry = false;
};

std::string GridName(int slot) { return "grid " + std::to_string(slot + 1); }

// Refuses a value outside lo..hi; returns whether it was inside.
bool Expect(ArchiveReader &in, int64_t value, int64_t lo, int64_t hi, std::string_view what) {
  if (!in.Ok())
    return false;
  if (value >= lo && value <= hi)
    return true;
  in.Fail(what, std::to_string(value) + " is outside " + std::to_string(lo) + ".." + std::to_string(hi));
  return false;
}

bool ReadGeometry(ArchiveReader &in, Stage &s) {
  GridGeometry &geo = s.Geo;
  if (s.Version == 1) {
    geo.NRows = geo.NCols = geo.GridWidth = kOldFileWidth;
    geo.BlockRows = geo.BlockCols = kOldFileBlockSide;
  } else {
    geo.NCols = in.ReadInt32("geometry");
    geo.NRows = in.ReadInt32("geometry");
    geo.BlockRows = in.ReadInt32("geometry");
    geo.BlockCols = in.ReadInt32("geometry");
    geo.GridWidth = in.ReadInt32("geometry");
  }
  if (!in.Ok())
    return false;
  if (geo.GridWidth < kMinWidth ||
      !IsValidGeometry(geo.NRows, geo.NCols, geo.BlockRows, geo.BlockCols, geo.GridWidth)) {
    s.UnplayableGeometry = true;
    in.FailWith("geometry: a grid of " + std::to_string(geo.NRows) + " x " + std::to_string(geo.NCols) +
                " cells with blocks of " + std::to_string(geo.BlockRows) + " x " +
                std::to_string(geo.BlockCols) + " and " + std::to_string(geo.GridWidth) +
                " values is not a grid this program plays");
    return false;
  }
  return ComputeGeometryTables(geo);
}

void ReadNumerals(ArchiveReader &in, SudGameState &game) {
  for (std::string &numeral : game.NumeralStrings)
    numeral = in.ReadString("numeral texts");
  for (int32_t &entry : game.NumeralTable1)
    entry = in.ReadInt32("numeral tables");
  for (int32_t &entry : game.NumeralTable2)
    entry = in.ReadInt32("numeral tables");
}

// The block of an older file is taken as the first bytes of today's layout. Files of ours
// read back exactly; a block that does not fit that reading is left out with a warning,
// so that the grid itself still opens.
void ReadOldVariantBlock(ArchiveReader &in, Stage &s, int slot, size_t bytes) {
  const auto raw = in.ReadRaw(bytes, GridName(slot) + ", variant block");
  if (!in.Ok())
    return;
  ArchiveReader blockReader(raw);
  auto block = std::make_unique<VariantBlockContent>();
  if (ReadVariantBlock(blockReader, bytes, VariantBlockLimitsOf(s.Geo), GridName(slot), *block)) {
    s.Grids[slot].Block = std::move(block);
  } else {
    s.Warnings.push_back("The variant clues of " + GridName(slot) + " could not be read (" +
                         blockReader.Error() + ") and were left out.");
  }
}

void ReadRecords(ArchiveReader &in, Stage &s, int slot, int32_t records, int words) {
  StagedGrid &grid = s.Grids[slot];
  const std::string name = GridName(slot);
  // At least the playing cells: every undo step then costs the file what it costs the program.
  if (!Expect(in, records, s.Geo.NCells, s.Geo.AllocatedRecords(), name + ", record count"))
    return;
  // The count was checked against the grid's size and the bytes are checked as they come.
  const CellRecord cleared = MakeClearedCell(s.Geo);
  grid.Cells.assign(static_cast<size_t>(records), cleared);
  grid.Carried.assign(static_cast<size_t>(records), CarriedCellWords{});
  for (int r = 0; r < records && in.Ok(); ++r) {
    grid.Cells[r].Index = r;
    ReadSudCellRecord(in, words, s.Geo, name + ", cell " + std::to_string(r), grid.Cells[r], grid.Carried[r],
                      slot >= s.MainCount);
  }
}

void ReadGridState(ArchiveReader &in, StagedGrid &grid) {
  grid.State = in.ReadInt32("grid state");
  grid.SudMissing = in.ReadInt32("open cell count");
}

void ReadReference(ArchiveReader &in, Stage &s, int slot) {
  StagedGrid &grid = s.Grids[slot];
  const std::string name = GridName(slot) + ", reference grid";
  grid.Reference.resize(static_cast<size_t>(s.Geo.NCells));
  for (auto &[value, status] : grid.Reference) {
    value = in.ReadInt32(name);
    status = in.ReadInt32(name);
    const int ceiling = slot >= s.MainCount ? SumsGridCeiling(s.Geo) : s.Geo.GridWidth;
    if (!Expect(in, value, 0, ceiling, name + ", value") || !Expect(in, status, 0, 16, name + ", status"))
      return;
  }
}

void ReadStopwatches(ArchiveReader &in, SudGameState &game, int count) {
  game.UsageTimers.assign(static_cast<size_t>(count), UsageStopwatch{});
  for (UsageStopwatch &watch : game.UsageTimers) {
    watch.StartTick = in.ReadInt32("stopwatches");
    watch.Seconds = in.ReadInt32("stopwatches");
  }
}

void ReadMethodWords(ArchiveReader &in, SudGameState &game, int count) {
  game.MethodWords.assign(static_cast<size_t>(count), 0);
  for (int32_t &word : game.MethodWords)
    word = in.ReadInt32("methods panel");
  // The second option word selects one of six displays.
  constexpr size_t kSecondOptionWord = 2;
  constexpr int32_t kLastOption = 5;
  if (game.MethodWords.size() > kSecondOptionWord &&
      (game.MethodWords[kSecondOptionWord] < 0 || game.MethodWords[kSecondOptionWord] > kLastOption))
    game.MethodWords[kSecondOptionWord] = 0;
}

void ReadShownFlags(ArchiveReader &in, SudGameState &game) {
  for (int32_t &flag : game.ShownFlags)
    flag = in.ReadInt32("shown flags");
}

void ReadPlacements(ArchiveReader &in, SudGameState &game) {
  for (WindowPlacementWords &placement : game.Placements)
    for (int32_t &word : placement)
      word = in.ReadInt32("window placements");
}

// Snapshots start as copies of the grid they belong to; the image replaces the plain
// fields of each record. A history longer than the undo stack keeps is left out, said so.
void ReadUndo(ArchiveReader &in, Stage &s, size_t imageBytes) {
  if (in.Remaining() == 0)
    return;
  const int32_t maxPtUndo = in.ReadInt32("undo history");
  const int32_t ptUndo = in.ReadInt32("undo history");
  if (!in.Ok() || maxPtUndo < 0)
    return;
  if (maxPtUndo >= kMaxUndoSteps) {
    s.Warnings.push_back("The undo history of " + std::to_string(int64_t{maxPtUndo} + 1) +
                         " steps is longer than the " + std::to_string(kMaxUndoSteps) +
                         " steps kept and was left out.");
    return;
  }
  // One past the last row is the usual position: the newest state is not a step yet.
  if (!Expect(in, ptUndo, 0, maxPtUndo + 1, "undo position"))
    return;
  uint64_t bytesPerStep = 0;
  for (int g = 0; g < s.MainCount; ++g)
    bytesPerStep += s.Grids[g].Cells.size() * imageBytes;
  const uint64_t steps = static_cast<uint64_t>(maxPtUndo) + 1;
  if (bytesPerStep * steps > in.Remaining()) {
    in.Fail("undo history", "the file ends before its " + std::to_string(steps) + " steps");
    return;
  }
  SudUndoHistory &undo = s.Content.Undo;
  undo.PtUndo = ptUndo;
  undo.Steps.assign(steps, {});
  for (uint64_t i = 0; i < steps && in.Ok(); ++i) {
    auto &step = undo.Steps[i];
    step.resize(static_cast<size_t>(s.MainCount));
    for (int g = 0; g < s.MainCount && in.Ok(); ++g) {
      step[g] = s.Grids[g].Cells;
      const std::string context = "undo step " + std::to_string(i) + ", " + GridName(g);
      for (CellRecord &cell : step[g])
        if (!ReadCellImage(in, imageBytes, s.Geo, context, cell))
          break;
    }
  }
}

void ReadVersion5(ArchiveReader &in, Stage &s) {
  SudGameState &game = s.Content.Game;
  if (!ReadGeometry(in, s))
    return;
  s.MainCount = in.ReadInt32("grid count");
  s.AllCount = in.ReadInt32("grid count");
  s.FocusCell = in.ReadInt32("focus cell");
  s.FocusGrid = in.ReadInt32("focus grid");
  s.OrderCount = in.ReadInt32("shown grid count");
  s.SpareWord = in.ReadInt32("grid set");
  in.ReadInt64("board variant word"); // the shown grids' words, derived again when needed
  if (!Expect(in, s.AllCount, 1, kMaxGrids, "grid count") ||
      !Expect(in, s.MainCount, 1, s.AllCount, "main grid count") ||
      !Expect(in, s.OrderCount, 0, kMaxGrids, "shown grid count"))
    return;
  for (int i = 0; i < s.OrderCount; ++i) {
    s.Order[i] = in.ReadInt32("shown grids");
    if (!Expect(in, s.Order[i], 0, s.AllCount - 1, "shown grids"))
      return;
  }
  ReadNumerals(in, game);

  s.Grids.resize(static_cast<size_t>(s.AllCount));
  for (int g = 0; g < s.AllCount && in.Ok(); ++g) {
    StagedGrid &grid = s.Grids[g];
    grid.Var.word1 = in.ReadUInt32("variant words");
    grid.Var.word2 = in.ReadUInt32("variant words");
    if (!ReadVariantBlock(in, kVariantBlockBytes, VariantBlockLimitsOf(s.Geo), GridName(g), *grid.Block))
      return;
    ReadRecords(in, s, g, in.ReadInt32("record count"), kCellRecordWords);
    ReadGridState(in, grid);
    grid.Comment = in.ReadString("grid comment");
    ReadReference(in, s, g);
  }

  game.TimeStamp = in.ReadTime("time stamp");
  game.Paused = in.ReadInt32("game state");
  game.NewGridFlag = in.ReadInt32("game state");
  game.WordAfterPause = in.ReadInt32("game state");
  game.HighestMethodLevel = in.ReadInt32("game state");
  for (int32_t &word : game.GameWords)
    word = in.ReadInt32("game state");
  game.GameScore = in.ReadFloat("score");
  game.GameMode = in.ReadInt32("game mode");
  game.SaveTick = in.ReadUInt32("clock tick");
  ReadStopwatches(in, game, kUsageTimerCount);
  game.ClockElapsedMs = in.ReadInt32("game clock");
  game.ClockLimitMs = in.ReadInt32("game clock");
  for (int32_t &word : game.ViewLayoutWords)
    word = in.ReadInt32("view layout");
  ReadMethodWords(in, game, kMethodPanelWords);
  ReadShownFlags(in, game);
  game.Settings.emplace();
  ReadSudSettings(in, s.Version, *game.Settings, game);
  ReadPlacements(in, game);
  if (in.Ok())
    ReadUndo(in, s, kCellImageBytes);
}

void ReadOldVersion(ArchiveReader &in, Stage &s) {
  SudGameState &game = s.Content.Game;
  const int v = s.Version;
  if (!ReadGeometry(in, s))
    return;
  s.Grids.resize(1);
  VariantWords var;
  if (v == 2) {
    // One word, read unsigned: widening it as a signed value would fill word 2 with ones.
    var.word1 = in.ReadUInt32("variant word");
  } else if (v > 2) {
    var.word1 = in.ReadUInt32("variant words");
    var.word2 = in.ReadUInt32("variant words");
  }
  if (Meets(var, kOldFileTwinVariants)) {
    s.MainCount = s.AllCount = s.OrderCount = 2;
    s.Grids.resize(2);
  }
  // A twin grid has no words of its own in these files: it shares the first grid's rules.
  for (StagedGrid &grid : s.Grids)
    grid.Var = var;
  const size_t blockBytes = v == 2 ? kVariantBlockBytesV2 : kVariantBlockBytesV3;
  const int recordWords = v == 1 ? kCellRecordWordsV1 : v == 2 ? kCellRecordWordsV2 : kCellRecordWordsV3;
  if (v > 1)
    ReadOldVariantBlock(in, s, 0, blockBytes);
  if (v > 2)
    ReadNumerals(in, game);
  const int32_t records = v == 1 ? s.Geo.NCellRecs - s.Geo.NRows : in.ReadInt32("record count");
  ReadRecords(in, s, 0, records, recordWords);
  ReadGridState(in, s.Grids[0]);
  if (v == 1)
    for (int i = 0; i < kV1GridWords; ++i)
      in.ReadInt32("grid words");
  game.TimeStamp = in.ReadTime("time stamp");
  game.Paused = in.ReadInt32("game state");
  if (v > 2) {
    game.NewGridFlag = in.ReadInt32("game state");
    game.WordAfterPause = in.ReadInt32("game state");
    game.HighestMethodLevel = in.ReadInt32("game state");
  }
  s.Grids[0].Comment = in.ReadString("grid comment");
  for (int32_t &word : game.GameWords)
    word = in.ReadInt32("game state");
  if (v > 1)
    game.GameScore = in.ReadFloat("score");
  if (v > 2) {
    constexpr int kModeShiftV4 = 1; // version 4 numbered the game modes from 0
    const int32_t mode = in.ReadInt32("game mode");
    if (v == 4 && mode > std::numeric_limits<int32_t>::max() - kModeShiftV4)
      in.Fail("game mode", std::to_string(mode) + " is not a game mode");
    game.GameMode = v == 4 && in.Ok() ? mode + kModeShiftV4 : mode;
  } else {
    game.GameMode.reset();
  }
  game.SaveTick = in.ReadUInt32("clock tick");
  ReadStopwatches(in, game,
                  v == 1   ? kOldFileStopwatchesV1
                  : v == 2 ? kOldFileStopwatchesV2
                           : kUsageTimerCount);
  if (v > 1)
    ReadReference(in, s, 0);
  if (s.Grids.size() > 1 && in.Ok()) {
    ReadOldVariantBlock(in, s, 1, blockBytes);
    ReadRecords(in, s, 1, in.ReadInt32("record count"), recordWords);
    ReadGridState(in, s.Grids[1]);
    s.Grids[1].Comment = in.ReadString("grid comment");
    ReadReference(in, s, 1);
  }
  s.FocusCell = in.ReadInt32("focus cell");
  if (v <= 2) {
    const int64_t ms = int64_t{in.ReadInt32("game clock")} * kMillisPerSecond;
    if (in.Ok() && (ms < 0 || ms > std::numeric_limits<int32_t>::max()))
      in.Fail("game clock", std::to_string(ms / kMillisPerSecond) + " seconds is not a game's time");
    game.ClockElapsedMs = static_cast<int32_t>(ms);
    game.ClockLimitMs.reset();
  } else {
    game.ClockElapsedMs = in.ReadInt32("game clock");
    game.ClockLimitMs = in.ReadInt32("game clock");
  }
  for (int32_t &word : game.ViewLayoutWords)
    word = in.ReadInt32("view layout");
  ReadMethodWords(in, game, v == 1 ? kOldMethodWordsV1 : v == 2 ? kOldMethodWordsV2 : kMethodPanelWords);
  ReadShownFlags(in, game);
  if (v > 1) {
    game.Settings.emplace();
    ReadSudSettings(in, v, *game.Settings, game);
  }
  ReadPlacements(in, game);
  if (v > 2 && in.Ok())
    ReadUndo(in, s, kCellImageBytesV3);
}

// Only a stage that was read whole and checked reaches this point.
void ApplyStage(Stage &s, EngineContext &ctx, SudFileContent &content) {
  const GridGeometry &sg = s.Geo;
  SetGridDimensions(ctx, sg.NRows, sg.NCols, sg.BlockRows, sg.BlockCols, sg.GridWidth, 0, 0);
  StoreGridCurrSize(ctx);
  GridSet &set = ctx.Grids;
  content = std::move(s.Content);
  content.Carried = SudCarriedWords{};
  for (int g = 0; g < kMaxGrids; ++g) {
    GridRecord &grid = set.Main[g];
    GridRecord &reference = set.RefTab[g];
    ClearGrid(ctx, grid, kResetAll);
    ResetGridState(grid);
    ClearGrid(ctx, reference, kResetAll);
    ResetGridState(reference);
    if (g >= static_cast<int>(s.Grids.size()))
      continue;
    StagedGrid &staged = s.Grids[g];
    grid.GridVar = staged.Var;
    grid.Lists = staged.Block->Lists;
    grid.Work = staged.Block->Work;
    content.Carried.Reserved[g] = staged.Block->Reserved;
    std::copy_n(staged.Cells.begin(), std::min(staged.Cells.size(), grid.Cells.size()), grid.Cells.begin());
    // A cell record holds no crossed-out word: the Transfer list names the cells.
    for (const TransferCell &crossed : grid.Lists.Transfer.Used())
      if (crossed.Cell >= 0 && static_cast<size_t>(crossed.Cell) < grid.Cells.size())
        grid.Cells[static_cast<size_t>(crossed.Cell)].CrossedOut = 1;
    content.Carried.CellWords[g] = std::move(staged.Carried);
    grid.State = staged.State;
    grid.SudMissing = staged.SudMissing;
    grid.Comment = std::move(staged.Comment);

    CopyGrid(ctx, reference, &grid, 0);
    auto cells = reference.PlayingCells(ctx.Geo);
    for (size_t i = 0; i < staged.Reference.size() && i < cells.size(); ++i)
      StoreCellValue(ctx.Geo, cells[i], staged.Reference[i].first, staged.Reference[i].second);
  }
  // The block and region tables follow the layouts just read.
  BuildGridTables(ctx, 0, 0, -1);

  set.MainCount = s.MainCount;
  set.AllCount = s.AllCount;
  set.OrderCount = s.OrderCount;
  set.Order = s.Order;
  set.SpareWord = s.SpareWord;
  set.FocusCell = s.FocusCell >= -2 && s.FocusCell < ctx.Geo.CellLimit ? s.FocusCell : -1;
  set.FocusGrid = s.FocusGrid >= 0 && s.FocusGrid < s.AllCount ? s.FocusGrid : 0;
}

} // namespace

int SudFileVersion(std::span<const uint8_t> bytes) {
  ArchiveReader in(bytes);
  const std::string header = in.ReadString("header");
  for (int v = 1; v <= kSudVersionCount; ++v)
    if (in.Ok() && header == kSudHeaders[v - 1])
      return v;
  return 0;
}

SudReadResult ReadSudFile(std::span<const uint8_t> bytes, EngineContext &ctx, SudFileContent &content) {
  SudReadResult result;
  auto stage = std::make_unique<Stage>();
  stage->Version = SudFileVersion(bytes);
  if (stage->Version == 0) {
    result.Failure = FileFailure::NotAGridFile;
    result.Message = "the header names no known version";
    return result;
  }
  ArchiveReader in(bytes);
  in.ReadString("header");
  if (stage->Version == kSudCurrentVersion)
    ReadVersion5(in, *stage);
  else
    ReadOldVersion(in, *stage);
  result.Version = stage->Version;
  if (!in.Ok()) {
    result.Failure = stage->UnplayableGeometry ? FileFailure::UnplayableSize : FileFailure::Damaged;
    result.Message = in.Error();
    return result;
  }
  ApplyStage(*stage, ctx, content);
  result.Warnings = std::move(stage->Warnings);
  result.Ok = true;
  return result;
}

} // namespace quorbel
