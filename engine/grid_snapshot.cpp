// Snapshot images, their run encoding, and capture and restore of grids.
//
// The image of a grid is a row of 32-bit words: a GridFrame (the grid-level values and
// tables CopyGrid carries), the VariantWork, then every record in use as CopyCellFields
// carries it, the fields it leaves behind being zero. Runs turn one image into another:
// a header word (unchanged words to skip << 16 | words that follow) and the words to
// write; longer skips or runs take several headers.
#include "engine/grid_snapshot.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <span>
#include <type_traits>

#include "engine/engine_context.h"
#include "engine/grid_cells.h"

namespace quorbel {

namespace {

struct GridFrame {
  int32_t AllocRecords;
  int32_t NRecords;
  int32_t State;
  int32_t SudMissing;
  VariantWords GridVar;
  decltype(GridRecord::DirectionSteps) DirectionSteps;
  decltype(GridRecord::BlockCells) BlockCells;
  decltype(GridRecord::BlockOfCell) BlockOfCell;
  decltype(GridRecord::RegionCells) RegionCells;
  decltype(GridRecord::RegionMark) RegionMark;
};

template <typename T> constexpr uint32_t WordsOf() {
  static_assert(std::is_trivially_copyable_v<T> && sizeof(T) % sizeof(uint32_t) == 0);
  return sizeof(T) / sizeof(uint32_t);
}
constexpr uint32_t kFrameWords = WordsOf<GridFrame>();
constexpr uint32_t kWorkWords = WordsOf<VariantWork>();
constexpr uint32_t kCellWords = WordsOf<CellRecord>();
constexpr uint32_t kCellsStart = kFrameWords + kWorkWords;

constexpr uint32_t kMaxRun = 0xFFFF;
// A delta may grow to this share of its keyframe's runs before a new keyframe is cheaper.
constexpr size_t kKeyframeShare = 16;

int CarriedRecords(const GridRecord &grid) {
  return static_cast<int>(std::min(static_cast<size_t>(std::max(grid.NRecords, 0)), grid.Cells.size()));
}

uint32_t ImageWordsFor(int records) { return kCellsStart + static_cast<uint32_t>(records) * kCellWords; }

// Records of the image are zero-filled before their fields are set, so that padding and
// the fields a copy leaves behind always compare equal.
template <typename T> void ZeroFill(T &value) { std::memset(static_cast<void *>(&value), 0, sizeof(T)); }

void SetFrame(GridFrame &frame, const GridRecord &grid, int records) {
  ZeroFill(frame);
  frame.AllocRecords = grid.AllocRecords;
  frame.NRecords = records;
  frame.State = grid.State;
  frame.SudMissing = grid.SudMissing;
  frame.GridVar = grid.GridVar;
  frame.DirectionSteps = grid.DirectionSteps;
  frame.BlockCells = grid.BlockCells;
  frame.BlockOfCell = grid.BlockOfCell;
  frame.RegionCells = grid.RegionCells;
  frame.RegionMark = grid.RegionMark;
}

// Copies `bytes` to `at` unless they are there already; true when they were not.
bool Update(uint32_t *at, const void *data, size_t bytes) {
  if (std::memcmp(at, data, bytes) == 0)
    return false;
  std::memcpy(at, data, bytes);
  return true;
}

// Brings `image` up to date with the grid; true when anything in it changed. Comparing
// before writing keeps an untouched grid to one read of its image.
bool PackGrid(const GridGeometry &geo, const GridRecord &grid, std::vector<uint32_t> &image) {
  const int records = CarriedRecords(grid);
  const size_t words = ImageWordsFor(records);
  bool changed = image.size() != words;
  image.resize(words);
  GridFrame frame;
  SetFrame(frame, grid, records);
  changed |= Update(image.data(), &frame, sizeof frame);
  changed |= Update(image.data() + kFrameWords, &grid.Work, sizeof grid.Work);
  CellRecord carried;
  ZeroFill(carried);
  for (int i = 0; i < records; ++i) {
    CopyCellFields(geo, carried, grid.Cells[i], kCopyBoth);
    changed |= Update(image.data() + kCellsStart + i * kCellWords, &carried, sizeof carried);
  }
  return changed;
}

// The runs that turn `base` (null: all zero) into `image`.
void EncodeRuns(std::span<const uint32_t> image, const uint32_t *base, std::vector<uint32_t> &runs) {
  constexpr size_t kBlock = 64; // equal blocks go by at memcmp speed
  runs.clear();
  auto same = [&](size_t i) { return image[i] == (base != nullptr ? base[i] : 0u); };
  const size_t n = image.size();
  size_t skip = 0;
  for (size_t pos = 0; pos < n;) {
    if (base != nullptr && pos % kBlock == 0 && pos + kBlock <= n &&
        std::memcmp(image.data() + pos, base + pos, kBlock * sizeof(uint32_t)) == 0) {
      pos += kBlock;
      skip += kBlock;
      continue;
    }
    if (same(pos)) {
      ++pos;
      ++skip;
      continue;
    }
    size_t end = pos + 1;
    while (end < n && end - pos < kMaxRun && !same(end))
      ++end;
    for (; skip > kMaxRun; skip -= kMaxRun)
      runs.push_back(kMaxRun << 16);
    runs.push_back(static_cast<uint32_t>(skip << 16 | (end - pos)));
    runs.insert(runs.end(), image.begin() + static_cast<ptrdiff_t>(pos),
                image.begin() + static_cast<ptrdiff_t>(end));
    skip = 0;
    pos = end;
  }
}

void ApplyRuns(std::span<const uint32_t> runs, std::span<uint32_t> image) {
  size_t pos = 0;
  for (size_t i = 0; i < runs.size();) {
    const uint32_t header = runs[i++];
    pos += header >> 16;
    const size_t length = header & kMaxRun;
    if (length > runs.size() - i || pos + length > image.size())
      return; // never written so: stop rather than run past the image
    std::copy_n(runs.begin() + static_cast<ptrdiff_t>(i), length,
                image.begin() + static_cast<ptrdiff_t>(pos));
    pos += length;
    i += length;
  }
}

void UnpackGrid(EngineContext &ctx, std::span<const uint32_t> image, const GridSnapshot &snapshot,
                GridRecord &grid) {
  GridFrame frame;
  std::memcpy(static_cast<void *>(&frame), image.data(), sizeof frame);
  // The layout first: a re-allocation rebuilds the blocks from it.
  grid.Lists.Layout = snapshot.Lists->Layout;
  if (grid.AllocRecords != frame.AllocRecords)
    AllocGridCells(ctx, grid, 1, 1);
  grid.RegionCells = frame.RegionCells;
  grid.BlockCells = frame.BlockCells;
  grid.BlockOfCell = frame.BlockOfCell;
  grid.RegionMark = frame.RegionMark;

  const size_t stored = (image.size() - kCellsStart) / kCellWords;
  const size_t records =
      std::min({static_cast<size_t>(std::max(frame.NRecords, 0)), stored, grid.Cells.size()});
  grid.NRecords = static_cast<int32_t>(records);
  CellRecord carried;
  for (size_t i = 0; i < records; ++i) {
    std::memcpy(static_cast<void *>(&carried), image.data() + kCellsStart + i * kCellWords, sizeof carried);
    CopyCellFields(ctx.Geo, grid.Cells[i], carried, kCopyBoth);
  }

  grid.Lists = *snapshot.Lists;
  std::memcpy(static_cast<void *>(&grid.Work), image.data() + kFrameWords, sizeof grid.Work);
  grid.DirectionSteps = frame.DirectionSteps;
  grid.GridVar = frame.GridVar;
  grid.Comment = snapshot.Comment;
  grid.State = frame.State;
  grid.SudMissing = frame.SudMissing;
}

} // namespace

SnapshotPtr SnapshotWriter::Capture(const GridGeometry &geo, const GridRecord &grid,
                                    const SnapshotPtr &previous) {
  const bool changed = PackGrid(geo, grid, image_);
  std::shared_ptr<const VariantLists> lists = SharedLists(grid, previous.get());
  auto sameAsPrevious = [&](bool sameImage) {
    return sameImage && lists == previous->Lists && grid.Comment == previous->Comment;
  };
  // Most grids did not change since the last capture.
  if (previous != nullptr && previous == last_ && sameAsPrevious(!changed))
    return previous;

  SnapshotPtr snapshot;
  if (previous != nullptr) {
    const SnapshotPtr &keyframe = previous->Keyframe != nullptr ? previous->Keyframe : previous;
    if (keyframe->ImageWords == image_.size()) {
      LoadKeyframe(keyframe);
      EncodeRuns(image_, keyImage_.data(), runs_);
      if (sameAsPrevious(previous == keyframe ? runs_.empty() : runs_ == previous->Runs))
        snapshot = previous;
      else if (runs_.size() * kKeyframeShare <= keyframe->Runs.size())
        snapshot = std::make_shared<const GridSnapshot>(
            GridSnapshot{keyframe, runs_, static_cast<uint32_t>(image_.size()), lists, grid.Comment});
    }
  }
  if (snapshot == nullptr) {
    EncodeRuns(image_, nullptr, runs_);
    snapshot = std::make_shared<const GridSnapshot>(
        GridSnapshot{nullptr, runs_, static_cast<uint32_t>(image_.size()), std::move(lists), grid.Comment});
    keyframe_ = snapshot;
    keyImage_ = image_;
  }
  last_ = snapshot;
  return snapshot;
}

void SnapshotWriter::LoadKeyframe(const SnapshotPtr &keyframe) {
  if (keyframe_ == keyframe)
    return;
  keyframe_.reset();
  keyImage_.assign(keyframe->ImageWords, 0);
  ApplyRuns(keyframe->Runs, keyImage_);
  keyframe_ = keyframe;
}

std::shared_ptr<const VariantLists> SnapshotWriter::SharedLists(const GridRecord &grid,
                                                                const GridSnapshot *previous) {
  if (previous != nullptr && *previous->Lists == grid.Lists)
    return previous->Lists;
  if (keyframe_ != nullptr && *keyframe_->Lists == grid.Lists)
    return keyframe_->Lists;
  return std::make_shared<const VariantLists>(grid.Lists);
}

void RestoreSnapshot(EngineContext &ctx, const GridSnapshot &snapshot, GridRecord &grid,
                     std::vector<uint32_t> &scratch) {
  if (snapshot.ImageWords < kCellsStart || snapshot.Lists == nullptr)
    return;
  scratch.assign(snapshot.ImageWords, 0);
  if (snapshot.Keyframe != nullptr)
    ApplyRuns(snapshot.Keyframe->Runs, scratch);
  ApplyRuns(snapshot.Runs, scratch);
  UnpackGrid(ctx, scratch, snapshot, grid);
}

void StoreRow(EngineContext &ctx, SnapshotRows &rows, int index) {
  const auto at = static_cast<size_t>(std::max(index, 0));
  const SnapshotRow *previous = at > 0 && at <= rows.Rows.size() ? &rows.Rows[at - 1] : nullptr;
  SnapshotRow row;
  const int used = std::clamp<int>(ctx.Grids.MainCount, 0, kMaxGrids);
  try {
    for (int slot = 0; slot < used; ++slot)
      row[slot] = rows.Writers[slot].Capture(ctx.Geo, ctx.Grids.Main[slot],
                                             previous != nullptr ? (*previous)[slot] : nullptr);
    rows.Rows.resize(at + 1);
  } catch (const std::bad_alloc &) {
    AbortOutOfMemory(ctx);
  }
  rows.Rows[at] = std::move(row);
}

bool RestoreRow(EngineContext &ctx, SnapshotRows &rows, int index) {
  if (index < 0 || static_cast<size_t>(index) >= rows.Rows.size())
    return false;
  const SnapshotRow &row = rows.Rows[index];
  const int used = std::clamp<int>(ctx.Grids.MainCount, 0, kMaxGrids);
  try {
    for (int slot = 0; slot < used; ++slot)
      if (row[slot] != nullptr)
        RestoreSnapshot(ctx, *row[slot], ctx.Grids.Main[slot], rows.Scratch);
  } catch (const std::bad_alloc &) {
    AbortOutOfMemory(ctx);
  }
  return true;
}

void KeepRows(SnapshotRows &rows, int count) {
  if (count >= 0 && static_cast<size_t>(count) < rows.Rows.size())
    rows.Rows.resize(static_cast<size_t>(count));
}

void ClearRows(SnapshotRows &rows) { rows = SnapshotRows(); }

} // namespace quorbel
