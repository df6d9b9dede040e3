// The version 5 writer, step by step in the order the file holds.
#include "files/sud_file_writer.h"

#include <algorithm>
#include <memory>

#include "engine/engine_context.h"
#include "files/archive_writer.h"
#include "files/sud_file_format.h"
#include "files/sud_file_settings.h"

namespace quorbel {

namespace {

int UsedRecords(const GridRecord &grid) {
  return std::clamp<int>(grid.NRecords, 0, static_cast<int>(grid.Cells.size()));
}

void WriteGrid(ArchiveWriter &out, const EngineContext &ctx, int slot, const SudCarriedWords &carried) {
  const GridRecord &grid = ctx.Grids.Main[slot];
  out.WriteUInt32(grid.GridVar.word1);
  out.WriteUInt32(grid.GridVar.word2);
  // The block image is assembled from the grid's lists and the words carried for its slot.
  auto block = std::make_unique<VariantBlockContent>();
  block->Lists = grid.Lists;
  block->Work = grid.Work;
  block->Reserved = carried.Reserved[slot];
  WriteVariantBlock(out, *block);

  const int records = UsedRecords(grid);
  const std::vector<CarriedCellWords> &words = carried.CellWords[slot];
  out.WriteInt32(records);
  for (int r = 0; r < records; ++r)
    WriteSudCellRecord(out, grid.Cells[r],
                       r < static_cast<int>(words.size()) ? words[r] : CarriedCellWords{});
  out.WriteInt32(grid.State);
  out.WriteInt32(grid.SudMissing);
  out.WriteString(grid.Comment);

  const auto reference = ctx.Grids.RefTab[slot].PlayingCells(ctx.Geo);
  for (int i = 0; i < ctx.Geo.NCells; ++i) {
    const bool held = i < static_cast<int>(reference.size());
    out.WriteInt32(held ? reference[i].Value : 0);
    out.WriteInt32(held ? reference[i].Status : kStatusEmpty);
  }
}

void WriteUndo(ArchiveWriter &out, const EngineContext &ctx, const SudUndoHistory &undo, int mainGrids) {
  out.WriteInt32(undo.MaxPtUndo());
  out.WriteInt32(undo.PtUndo);
  const CellRecord cleared = MakeClearedCell(ctx.Geo);
  for (const auto &step : undo.Steps) {
    for (int g = 0; g < mainGrids; ++g) {
      // Each snapshot holds as many records as its grid does in the file.
      const int records = UsedRecords(ctx.Grids.Main[g]);
      const bool held = g < static_cast<int>(step.size());
      for (int r = 0; r < records; ++r)
        WriteCellImage(out, held && r < static_cast<int>(step[g].size()) ? step[g][r] : cleared);
    }
  }
}

} // namespace

std::string WriteSudFile(const EngineContext &ctx, const SudFileContent &content) {
  const GridGeometry &geo = ctx.Geo;
  const GridSet &set = ctx.Grids;
  const SudGameState &game = content.Game;
  const int allGrids = std::clamp<int>(set.AllCount, 1, kMaxGrids);
  const int mainGrids = std::clamp<int>(set.MainCount, 1, allGrids);
  const int shown = std::clamp<int>(set.OrderCount, 0, kMaxGrids);

  ArchiveWriter out;
  out.WriteString(kSudHeaders[kSudCurrentVersion - 1]);
  out.WriteInt32(geo.NCols);
  out.WriteInt32(geo.NRows);
  out.WriteInt32(geo.BlockRows);
  out.WriteInt32(geo.BlockCols);
  out.WriteInt32(geo.GridWidth);
  out.WriteInt32(mainGrids);
  out.WriteInt32(allGrids);
  out.WriteInt32(set.FocusCell);
  out.WriteInt32(set.FocusGrid);
  out.WriteInt32(shown);
  out.WriteInt32(set.SpareWord);

  VariantWords board;
  for (int i = 0; i < shown; ++i)
    if (set.Order[i] >= 0 && set.Order[i] < allGrids)
      board |= set.Main[set.Order[i]].GridVar;
  out.WriteInt64(static_cast<int64_t>((uint64_t{board.word2} << 32) | board.word1));
  for (int i = 0; i < shown; ++i)
    out.WriteInt32(set.Order[i]);

  for (const std::string &numeral : game.NumeralStrings)
    out.WriteString(numeral);
  for (int32_t entry : game.NumeralTable1)
    out.WriteInt32(entry);
  for (int32_t entry : game.NumeralTable2)
    out.WriteInt32(entry);

  for (int g = 0; g < allGrids; ++g)
    WriteGrid(out, ctx, g, content.Carried);

  out.WriteTime(game.TimeStamp);
  out.WriteInt32(game.Paused);
  out.WriteInt32(game.NewGridFlag);
  out.WriteInt32(game.WordAfterPause);
  out.WriteInt32(game.HighestMethodLevel);
  for (int32_t word : game.GameWords)
    out.WriteInt32(word);
  out.WriteFloat(game.GameScore);
  out.WriteInt32(game.GameMode.value_or(0));
  out.WriteUInt32(game.SaveTick);
  for (int i = 0; i < kUsageTimerCount; ++i) {
    const UsageStopwatch watch =
        i < static_cast<int>(game.UsageTimers.size()) ? game.UsageTimers[i] : UsageStopwatch{};
    out.WriteInt32(watch.StartTick);
    out.WriteInt32(watch.Seconds);
  }
  out.WriteInt32(game.ClockElapsedMs);
  out.WriteInt32(game.ClockLimitMs.value_or(0));
  for (int32_t word : game.ViewLayoutWords)
    out.WriteInt32(word);
  for (int i = 0; i < kMethodPanelWords; ++i)
    out.WriteInt32(i < static_cast<int>(game.MethodWords.size()) ? game.MethodWords[i] : 0);
  for (int32_t flag : game.ShownFlags)
    out.WriteInt32(flag);
  WriteSudSettings(out, game.Settings.value_or(SudSettingsBlock{}), game);
  for (const WindowPlacementWords &placement : game.Placements)
    for (int32_t word : placement)
      out.WriteInt32(word);
  WriteUndo(out, ctx, content.Undo, mainGrids);
  return out.Bytes();
}

} // namespace quorbel
