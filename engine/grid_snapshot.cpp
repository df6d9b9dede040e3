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
constexpr size_t kKeyframeShare = 4;

int CarriedRecords(const GridRecord &grid) {
  return static_cast<int>(std::min(static_cast<size_t>(std::max(grid.NRecords, 0)), grid.Cells.size()));
}

uint32_t ImageWordsFor(int records) { return kCellsStart + static_cast<uint32_t>(records) * kCellWords; }

// Zero-filled first, so that padding and the fields a copy leaves behind compare equal.
template <typename T> T Zeroed() {
  T value;
  std::memset(static_cast<void *>(&value), 0, sizeof(T));
  return value;
}

GridFrame MakeFrame(const GridRecord &grid, int records) {
  GridFrame frame = Zeroed<GridFrame>();
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
  return frame;
}

// Feeds the grid's image to `feed(data, words)` piece by piece, in image order.
template <typename Feed> void PackGrid(const GridGeometry &geo, const GridRecord &grid, Feed &&feed) {
  const int records = CarriedRecords(grid);
  const GridFrame frame = MakeFrame(grid, records);
  feed(&frame, kFrameWords);
  feed(&grid.Work, kWorkWords);
  CellRecord carried = Zeroed<CellRecord>();
  for (int i = 0; i < records; ++i) {
    CopyCellFields(geo, carried, grid.Cells[i], kCopyBoth);
    feed(&carried, kCellWords);
  }
}

// Writes the runs that turn `base` (null: all zero) into the words fed in.
class RunEncoder {
public:
  RunEncoder(std::vector<uint32_t> &out, const uint32_t *base) : out_(out), base_(base) { out_.clear(); }

  void Feed(const void *data, size_t words) {
    const auto *bytes = static_cast<const unsigned char *>(data);
    if (base_ != nullptr && std::memcmp(bytes, base_ + pos_, words * sizeof(uint32_t)) == 0) {
      pos_ += words;
      skip_ += words;
      open_ = false;
      return;
    }
    for (size_t i = 0; i < words; ++i) {
      uint32_t word;
      std::memcpy(&word, bytes + i * sizeof(uint32_t), sizeof(uint32_t));
      Put(word);
    }
  }

private:
  void Put(uint32_t word) {
    const uint32_t old = base_ != nullptr ? base_[pos_] : 0;
    ++pos_;
    if (word == old) {
      ++skip_;
      open_ = false;
      return;
    }
    if (!open_ || (out_[header_] & kMaxRun) == kMaxRun) {
      for (; skip_ > kMaxRun; skip_ -= kMaxRun)
        out_.push_back(kMaxRun << 16);
      header_ = out_.size();
      out_.push_back(static_cast<uint32_t>(skip_) << 16);
      skip_ = 0;
      open_ = true;
    }
    out_.push_back(word);
    ++out_[header_];
  }

  std::vector<uint32_t> &out_;
  const uint32_t *base_;
  size_t pos_ = 0;
  size_t skip_ = 0;
  size_t header_ = 0;
  bool open_ = false;
};

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
  const uint32_t words = ImageWordsFor(CarriedRecords(grid));
  std::shared_ptr<const VariantLists> lists = SharedLists(grid, previous.get());
  if (previous != nullptr) {
    const SnapshotPtr &keyframe = previous->Keyframe != nullptr ? previous->Keyframe : previous;
    if (keyframe->ImageWords == words) {
      LoadKeyframe(keyframe);
      RunEncoder encoder(runs_, keyImage_.data());
      PackGrid(geo, grid, [&](const void *data, size_t n) { encoder.Feed(data, n); });
      const bool sameImage = previous == keyframe ? runs_.empty() : runs_ == previous->Runs;
      if (sameImage && lists == previous->Lists && grid.Comment == previous->Comment)
        return previous;
      if (runs_.size() * kKeyframeShare <= keyframe->Runs.size())
        return std::make_shared<const GridSnapshot>(
            GridSnapshot{keyframe, runs_, words, lists, grid.Comment});
    }
  }
  return NewKeyframe(geo, grid, std::move(lists));
}

void SnapshotWriter::Clear() {
  keyframe_.reset();
  keyImage_ = {};
  runs_ = {};
}

SnapshotPtr SnapshotWriter::NewKeyframe(const GridGeometry &geo, const GridRecord &grid,
                                        std::shared_ptr<const VariantLists> lists) {
  keyframe_.reset();
  keyImage_.resize(ImageWordsFor(CarriedRecords(grid)));
  size_t pos = 0;
  PackGrid(geo, grid, [&](const void *data, size_t n) {
    std::memcpy(keyImage_.data() + pos, data, n * sizeof(uint32_t));
    pos += n;
  });
  RunEncoder encoder(runs_, nullptr);
  encoder.Feed(keyImage_.data(), keyImage_.size());
  keyframe_ = std::make_shared<const GridSnapshot>(
      GridSnapshot{nullptr, runs_, static_cast<uint32_t>(keyImage_.size()), std::move(lists), grid.Comment});
  return keyframe_;
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

SnapshotRow CaptureMainGrids(EngineContext &ctx, std::span<SnapshotWriter, kMaxGrids> writers,
                             const SnapshotRow *previous) {
  SnapshotRow row;
  const int used = std::clamp<int>(ctx.Grids.MainCount, 0, kMaxGrids);
  try {
    for (int slot = 0; slot < used; ++slot)
      row[slot] = writers[slot].Capture(ctx.Geo, ctx.Grids.Main[slot],
                                        previous != nullptr ? (*previous)[slot] : nullptr);
  } catch (const std::bad_alloc &) {
    AbortOutOfMemory(ctx);
  }
  return row;
}

void RestoreMainGrids(EngineContext &ctx, const SnapshotRow &row, std::vector<uint32_t> &scratch) {
  const int used = std::clamp<int>(ctx.Grids.MainCount, 0, kMaxGrids);
  try {
    for (int slot = 0; slot < used; ++slot)
      if (row[slot] != nullptr)
        RestoreSnapshot(ctx, *row[slot], ctx.Grids.Main[slot], scratch);
  } catch (const std::bad_alloc &) {
    AbortOutOfMemory(ctx);
  }
}

} // namespace quorbel
