// Shared by the undo and search-history tests: a host that records what those stores
// tell the rest of the program, edits that touch every part a snapshot carries, and a
// whole-grid comparison over exactly what CopyGrid carries.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/grid_copy.h"
#include "engine_test_support.h"
#include "platform/random.h"

namespace quorbel::test {

class UndoHost : public EngineHost {
public:
  void AddInfoMessage(std::string_view text) override { Lines.emplace_back(text); }
  void ShowMessage(int number, std::span<const MessageArg> args) override {
    Messages.push_back({number, {args.begin(), args.end()}});
  }
  void RecordMacroStep(const RecordedAction &step) override { Steps.push_back(step); }
  void MarkDocumentModified(std::string_view name) override { Marked.emplace_back(name); }
  void ClearDocumentModified() override { ++ModifiedClears; }
  void ClearUndoPending() override { ++PendingClears; }

  struct Shown {
    int Number;
    std::vector<MessageArg> Args;
  };
  std::vector<std::string> Lines;
  std::vector<Shown> Messages;
  std::vector<RecordedAction> Steps;
  std::vector<std::string> Marked;
  int ModifiedClears = 0;
  int PendingClears = 0;
};

// A change in each part of a grid a snapshot carries: cell values and candidates, a
// variant field, the work flags, now and then a clue list, the comment and the words.
inline void Scribble(const GridGeometry &geo, GridRecord &grid, Random15 &noise) {
  for (int k = 0; k < 3; ++k) {
    CellRecord &cell = grid.Cells[noise.Next() % geo.NCells];
    cell.Value = 1 + noise.Next() % geo.GridWidth;
    cell.Status = noise.Next() % 2 == 0 ? kStatusPlaced : kStatusEmpty;
    cell.ThePoss = static_cast<uint32_t>(noise.Next()) & geo.FullMask;
    cell.OddEven = static_cast<int16_t>(noise.Next() % 2);
  }
  grid.Cells[geo.RowUnitBase + noise.Next() % geo.NRows].ThePoss ^= 1u;
  grid.Work.KillerConflict[noise.Next() % 40] ^= 1;
  if (noise.Next() % 4 == 0)
    grid.Lists.Killer.Append(
        {2, {static_cast<CellRef>(noise.Next() % geo.NCells), 0}, 3 + noise.Next() % 9, 0});
  if (noise.Next() % 5 == 0)
    grid.Comment = "note " + std::to_string(noise.Next());
  grid.SudMissing = noise.Next() % geo.NCells;
  grid.GridVar.word2 ^= 0x4u;
}

// A copy of what the grid holds now, to compare against after an undo.
inline GridRecord Keep(EngineContext &ctx, const GridRecord &grid) {
  GridRecord kept;
  CopyGrid(ctx, kept, &grid, kCopyBoth);
  return kept;
}

// The fields of a cell that a grid copy carries, the rest (padding too) zero.
inline void Carried(const GridGeometry &geo, const CellRecord &cell, CellRecord &carried) {
  std::memset(static_cast<void *>(&carried), 0, sizeof carried);
  CopyCellFields(geo, carried, cell, kCopyBoth);
}

// Equal in everything CopyGrid carries.
inline ::testing::AssertionResult SameGrid(const GridGeometry &geo, const GridRecord &a,
                                           const GridRecord &b) {
  if (a.NRecords != b.NRecords)
    return ::testing::AssertionFailure() << "NRecords " << a.NRecords << " vs " << b.NRecords;
  for (int i = 0; i < a.NRecords; ++i) {
    CellRecord ca, cb;
    Carried(geo, a.Cells[i], ca);
    Carried(geo, b.Cells[i], cb);
    if (std::memcmp(&ca, &cb, sizeof ca) != 0)
      return ::testing::AssertionFailure()
             << "record " << i << " differs (values " << ca.Value << " vs " << cb.Value << ")";
  }
  if (!(a.Lists == b.Lists))
    return ::testing::AssertionFailure() << "variant lists differ";
  if (!(a.Work == b.Work))
    return ::testing::AssertionFailure() << "variant work differs";
  if (a.Comment != b.Comment)
    return ::testing::AssertionFailure() << "comment '" << a.Comment << "' vs '" << b.Comment << "'";
  if (a.State != b.State || a.SudMissing != b.SudMissing || !(a.GridVar == b.GridVar))
    return ::testing::AssertionFailure() << "grid words differ";
  if (a.BlockCells != b.BlockCells || a.BlockOfCell != b.BlockOfCell || a.RegionCells != b.RegionCells ||
      a.RegionMark != b.RegionMark || a.DirectionSteps != b.DirectionSteps)
    return ::testing::AssertionFailure() << "tables differ";
  return ::testing::AssertionSuccess();
}

} // namespace quorbel::test
