// Compact, immutable snapshots of grids, for the undo stack and the search history.
// A snapshot carries exactly what CopyGrid (mode 0) carries, as runs of 32-bit words
// that differ from a keyframe's image (a keyframe's runs differ from zero), so a step
// that changed a few cells costs a few hundred bytes. Clue lists and unchanged grids
// are shared between snapshots; nothing shared is ever written again.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
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

// Writes the snapshots of one grid slot. It keeps the image of the keyframe that new
// snapshots are written against, so it belongs to one store and one slot.
class SnapshotWriter {
public:
  // A snapshot of `grid`; `previous` itself (no new memory) when the grid still equals it.
  // `previous` (may be null) is the slot's snapshot one step earlier.
  SnapshotPtr Capture(const GridGeometry &geo, const GridRecord &grid, const SnapshotPtr &previous);
  // Lets go of the keyframe and its image.
  void Clear();

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

// One snapshot per main grid, each written against the slot's snapshot in `previous`
// (may be null). Running out of memory stops the program.
SnapshotRow CaptureMainGrids(EngineContext &ctx, std::span<SnapshotWriter, kMaxGrids> writers,
                             const SnapshotRow *previous);
// Every main grid that has a snapshot in the row gets it back.
void RestoreMainGrids(EngineContext &ctx, const SnapshotRow &row, std::vector<uint32_t> &scratch);

} // namespace quorbel
