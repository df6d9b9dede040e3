// Compact, immutable snapshots of grids, for the undo stack and the search history.
// A snapshot carries exactly what CopyGrid (mode 0) carries, as runs of 32-bit words
// that differ from a keyframe's image (a keyframe's runs differ from zero), so a step
// that changed a few cells costs little more than those cells. Clue lists and unchanged
// grids are shared between snapshots; nothing shared is ever written again.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/grid_set.h"

namespace quorbel {

struct EngineContext;

struct GridSnapshot {
  std::shared_ptr<const GridSnapshot> Keyframe; // null: this one is a keyframe
  std::vector<uint32_t> Runs;                   // see grid_snapshot.cpp for the encoding
  uint32_t ImageWords = 0;
  std::shared_ptr<const VariantLists> Lists;
  std::string Comment;
};
using SnapshotPtr = std::shared_ptr<const GridSnapshot>;

// Writes the snapshots of one grid slot. It keeps the images of its keyframe and of its
// last capture, so it belongs to one store and one slot.
class SnapshotWriter {
public:
  // A snapshot of `grid`; `previous` itself (no new memory) when the grid still equals it.
  // `previous` (may be null) is the slot's snapshot one step earlier.
  SnapshotPtr Capture(const GridGeometry &geo, const GridRecord &grid, const SnapshotPtr &previous);

private:
  void LoadKeyframe(const SnapshotPtr &keyframe);
  std::shared_ptr<const VariantLists> SharedLists(const GridRecord &grid, const GridSnapshot *previous);

  SnapshotPtr keyframe_;           // what new snapshots are written against
  std::vector<uint32_t> keyImage_; // its image
  SnapshotPtr last_;               // the last snapshot written
  std::vector<uint32_t> image_;    // the image of the grid at the last capture
  std::vector<uint32_t> runs_;
};

// Copies the snapshot into `grid` as CopyGrid (mode 0) would copy the grid it was taken
// of. `scratch` is reused between calls to spare allocations.
void RestoreSnapshot(EngineContext &ctx, const GridSnapshot &snapshot, GridRecord &grid,
                     std::vector<uint32_t> &scratch);

// The snapshots of the main grid slots taken at one step; slots beyond the main count are null.
using SnapshotRow = std::array<SnapshotPtr, kMaxGrids>;

// Rows of main-grid snapshots, each written against the row before it: the undo steps
// or the levels of the search history.
struct SnapshotRows {
  std::vector<SnapshotRow> Rows;
  std::array<SnapshotWriter, kMaxGrids> Writers;
  std::vector<uint32_t> Scratch;
};

// Stores the main grids as row `index`; the rows above it are freed. Running out of
// memory stops the program.
void StoreRow(EngineContext &ctx, SnapshotRows &rows, int index);
// Every main grid with a snapshot in row `index` gets it back; false when there is no such row.
bool RestoreRow(EngineContext &ctx, SnapshotRows &rows, int index);
// Only the first `count` rows stay.
void KeepRows(SnapshotRows &rows, int count);
// Frees every snapshot.
void ClearRows(SnapshotRows &rows);

} // namespace quorbel
