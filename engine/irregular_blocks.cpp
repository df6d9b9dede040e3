// Irregular blocks and extra regions between the block file and a grid.
#include "engine/irregular_blocks.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/engine_context.h"
#include "engine/grid_cells.h"
#include "engine/grid_shape.h"
#include "platform/atomic_file.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "platform/regular_file.h"

namespace quorbel {

namespace {

// A layout file is a few kilobytes; anything far larger is not one.
constexpr std::uintmax_t kMaxBlockFileBytes = 4u << 20;
constexpr int kMaxExtraRegions = 4;
constexpr int kLayoutsPerPoll = 1000;

std::string BlockFilePath(std::string_view fileName) {
  return MakeAbsolutePath(fileName.empty() ? kIrregularBlockFile : fileName);
}

std::string_view ShownName(std::string_view fileName) {
  return fileName.empty() ? kIrregularBlockFile : fileName;
}

bool ReadWholeFile(const std::string &path, std::string &text) {
  RegularFileText file = ReadRegularFileText(path, kMaxBlockFileBytes);
  text = std::move(file.Text);
  return file.Ok;
}

// The old text (none when the file does not exist yet) and the new layouts, replacing the file
// whole, so that a failed write leaves it as it was.
bool AppendToFile(const std::string &path, std::string_view added) {
  std::string text;
  std::error_code error;
  if (std::filesystem::exists(path, error) && !ReadWholeFile(path, text))
    return false;
  text += added;
  return WriteFileAtomically(path, text).Ok();
}

void Report(EngineContext &ctx, const BlockFileRead &read, std::string_view fileName) {
  ctx.Host->AddInfoMessage(
      DescribeBlockFileProblem(read, ShownName(fileName), ctx.Geo.GridWidth, ctx.Settings.Language));
}

int Refuse(EngineContext &ctx, BlockFileProblem problem, int value, std::string_view fileName) {
  BlockFileRead read;
  read.Problem = problem;
  read.Value = value;
  Report(ctx, read, fileName);
  return 0;
}

// The regions of the layout that become extra regions: r1 and r2 drawn, r3 and r4 the
// smallest numbers not taken yet.
std::array<int, kMaxExtraRegions> DrawExtraRegions(Random15 &random, int width, int extraCount) {
  std::array<int, kMaxExtraRegions> regions = {-1, -1, -1, -1};
  auto taken = [&](int region) { return std::find(regions.begin(), regions.end(), region) != regions.end(); };
  for (int i = 0; i < extraCount; ++i) {
    if (i < 2) {
      do
        regions[i] = RandomBelow(random, width);
      while (i == 1 && regions[1] == regions[0]);
    } else {
      int region = 0;
      while (taken(region))
        ++region;
      regions[i] = region;
    }
  }
  return regions;
}

BlockLayout ExtraRegionLayout(const RegionLayout &layout, const std::array<int, kMaxExtraRegions> &regions,
                              int extraCount) {
  const BlockLayout blocks = BlockLayoutOf(layout);
  BlockLayout extras;
  for (auto &row : extras.Cells)
    row.fill(-1);
  extras.RowCount = static_cast<int16_t>(extraCount);
  for (int i = 0; i < extraCount; ++i) {
    extras.Cells[i] = blocks.Cells[regions[i]];
    extras.RowLength[i] = static_cast<int16_t>(layout.Width);
  }
  return extras;
}

} // namespace

void RebuildGridRegions(EngineContext &ctx, GridRecord &grid) {
  const int slot = MainGridSlot(ctx.Grids, grid);
  if (slot >= 0)
    BuildGridTables(ctx, 0, 0, slot);
  else
    ResetRegionTables(ctx.Geo, grid);
}

BlockLayout BlockLayoutOf(const RegionLayout &layout) {
  BlockLayout blocks;
  for (auto &row : blocks.Cells)
    row.fill(-1);
  const int width = layout.Width;
  blocks.RowCount = static_cast<int16_t>(width);
  for (int cell = 0; cell < width * width; ++cell) {
    const int region = layout.Region[cell];
    if (region < 0 || region >= width || blocks.RowLength[region] >= width)
      continue;
    blocks.Cells[region][blocks.RowLength[region]++] = static_cast<CellRef>(cell);
  }
  return blocks;
}

std::optional<RegionLayout> RegionLayoutOf(const GridGeometry &geo, const GridRecord &grid) {
  const BlockLayout &blocks = grid.Lists.Layout;
  if (!blocks.Defined() ||
      std::find(kLayoutWidths.begin(), kLayoutWidths.end(), geo.GridWidth) == kLayoutWidths.end())
    return std::nullopt;
  RegionLayout layout;
  layout.Width = geo.GridWidth;
  std::array<bool, kMaxCells> taken{};
  for (int b = 0; b < geo.GridWidth; ++b) {
    for (int k = 0; k < geo.GridWidth; ++k) {
      const int cell = blocks.Cells[b][k];
      if (cell < 0 || cell >= geo.NCells || taken[cell])
        return std::nullopt;
      taken[cell] = true;
      layout.Region[cell] = static_cast<int8_t>(b);
    }
  }
  return layout;
}

int LoadIrregularBlocks(EngineContext &ctx, GridRecord &grid, int layout, std::string_view fileName,
                        int extraCount) {
  const int width = ctx.Geo.GridWidth;
  std::string text;
  if (!ReadWholeFile(BlockFilePath(fileName), text))
    return Refuse(ctx, BlockFileProblem::CannotOpen, 0, fileName);
  const int count = CountLayouts(text, width);
  if (count == 0)
    return Refuse(ctx, BlockFileProblem::NoLayout, -1, fileName);
  int index = RandomBelow(ctx.Random, count);
  if (layout >= 0)
    index = layout;
  if (index >= count)
    return Refuse(ctx, BlockFileProblem::NoLayout, index, fileName);
  extraCount = std::clamp(extraCount, 0, kMaxExtraRegions);
  const std::array<int, kMaxExtraRegions> extras = DrawExtraRegions(ctx.Random, width, extraCount);

  const BlockFileRead read = ReadLayout(text, width, index);
  if (!read.Ok()) {
    Report(ctx, read, fileName);
    return 0;
  }
  if (extraCount == 0) {
    grid.Lists.Layout = BlockLayoutOf(read.Layout);
  } else {
    grid.Lists.Layout = ExtraRegionLayout(read.Layout, extras, extraCount);
    for (int i = 0; i < kMaxExtraRegions; ++i)
      grid.Lists.RegionOn[i] = i < extraCount ? 1 : 0;
  }
  RebuildGridRegions(ctx, grid);
  return 1;
}

int CountIrregularBlocks(const EngineContext &ctx, std::string_view fileName) {
  std::string text;
  if (!ReadWholeFile(BlockFilePath(fileName), text))
    return 0;
  return CountLayouts(text, ctx.Geo.GridWidth);
}

int AppendIrregularBlocks(EngineContext &ctx, const GridRecord &grid, std::string_view fileName) {
  const std::optional<RegionLayout> layout =
      Meets(grid.GridVar, kVarIrregular) ? RegionLayoutOf(ctx.Geo, grid) : std::nullopt;
  if (!layout)
    return Refuse(ctx, BlockFileProblem::NotIrregular, 0, fileName);
  if (!AppendToFile(BlockFilePath(fileName), FormatLayout(*layout)))
    return Refuse(ctx, BlockFileProblem::CannotOpen, 0, fileName);
  return 1;
}

int AddIrregularDefinitions(EngineContext &ctx, std::string_view file, std::string_view target) {
  std::string source;
  if (!ReadWholeFile(MakeAbsolutePath(file), source))
    return Refuse(ctx, BlockFileProblem::CannotOpen, 0, file);
  std::string added;
  int count = 0;
  bool stopped = false;
  for (int width : kLayoutWidths) {
    const BlockFileRead read = ReadEveryLayout(source, width, [&](const RegionLayout &layout) {
      added += FormatLayout(layout);
      // A file of many layouts takes a while: the player may stop it, and nothing is added then.
      stopped = ++count % kLayoutsPerPoll == 0 && ctx.Host->PollUserAbort();
      return !stopped;
    });
    if (stopped)
      return kIrregularMergeStopped;
    if (!read.Ok())
      ctx.Host->AddInfoMessage(DescribeBlockFileProblem(read, file, width, ctx.Settings.Language));
  }
  if (count > 0 && !AppendToFile(BlockFilePath(target), added))
    return Refuse(ctx, BlockFileProblem::CannotOpen, 0, target);
  ctx.Host->AddInfoMessage("Irregular definition " + std::string(file) + " Added");
  return count;
}

} // namespace quorbel
