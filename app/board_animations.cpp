#include "app/board_animations.h"

#include <algorithm>

#include "app/app_random.h"
#include "engine/engine_context.h"

namespace quorbel {

namespace {

bool OnMagicSentence(const GridRecord &grid, int cell) {
  const MagicSentenceClue &sentence = grid.Lists.MagicSentence;
  const auto cells =
      std::span(sentence.Cells).first(static_cast<size_t>(std::clamp<int>(sentence.NCells, 0, 26)));
  return std::find(cells.begin(), cells.end(), cell) != cells.end();
}

// The set each picture of the cell shows, as SelectAnimSet takes it.
std::array<int, kCellPictures> WantedSets(const GridRecord &grid, int cell) {
  const CellRecord &record = grid.Cells[static_cast<size_t>(cell)];
  std::array<int, kCellPictures> sets{};
  sets.fill(kNoPictureSet);
  if (record.Value >= 1 && record.Value <= kMaxWidth)
    sets[kValuePicture] = record.Value - 1;
  if (record.ImageIndex >= 0)
    sets[kFigurePicture] = record.ImageIndex + kFirstChessPictureSet;
  if (OnMagicSentence(grid, cell))
    sets[kSentencePicture] = kMagicSentencePictureSet;
  if (record.MarkerState == 1)
    std::fill(sets.begin() + kFirstMarkerPicture, sets.end(), kMagicSquareMarkerSet);
  return sets;
}

void FollowCell(const GridRecord &grid, int cell, const PictureOrderTable &order, CellAnimations &pictures) {
  const std::array<int, kCellPictures> sets = WantedSets(grid, cell);
  for (int k = 0; k < kCellPictures; ++k) {
    CAnimGif &anim = pictures[static_cast<size_t>(k)];
    const int set = sets[static_cast<size_t>(k)];
    const int resolved =
        set >= 0 && set < static_cast<int>(order.size()) ? order[static_cast<size_t>(set)] : set;
    if (anim.RequestedSet != set || anim.ResolvedSet != resolved)
      SelectAnimSet(anim, set, order);
  }
}

} // namespace

BoardAnimations::Row *BoardAnimations::RowOf(const EngineContext &ctx, int slot) {
  if (slot < 0 || slot >= kMaxGrids)
    return nullptr;
  const GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(slot)];
  const size_t cells =
      static_cast<size_t>(std::clamp<int>(ctx.Geo.NCells, 0, static_cast<int>(grid.Cells.size())));
  Row &row = rows_[static_cast<size_t>(slot)];
  if (row.GridId != grid.Id || row.Cells.size() != cells) {
    row.GridId = grid.Id;
    row.Cells.assign(cells, CellAnimations{});
  }
  return &row;
}

CellAnimations *BoardAnimations::Of(const EngineContext &ctx, int slot, int cell) {
  Row *row = RowOf(ctx, slot);
  if (!row || cell < 0 || static_cast<size_t>(cell) >= row->Cells.size())
    return nullptr;
  CellAnimations &pictures = row->Cells[static_cast<size_t>(cell)];
  FollowCell(ctx.Grids.Main[static_cast<size_t>(slot)], cell, ctx.Settings.PictureOrder, pictures);
  return &pictures;
}

const CellAnimations *BoardAnimations::Find(int slot, int cell) const {
  if (slot < 0 || slot >= kMaxGrids)
    return nullptr;
  const Row &row = rows_[static_cast<size_t>(slot)];
  return cell >= 0 && static_cast<size_t>(cell) < row.Cells.size() ? &row.Cells[static_cast<size_t>(cell)]
                                                                   : nullptr;
}

void BoardAnimations::Follow(const EngineContext &ctx) {
  for (int slot = 0; slot < UsedMainCount(ctx.Grids); ++slot)
    if (Row *row = RowOf(ctx, slot))
      for (size_t cell = 0; cell < row->Cells.size(); ++cell)
        FollowCell(ctx.Grids.Main[static_cast<size_t>(slot)], static_cast<int>(cell),
                   ctx.Settings.PictureOrder, row->Cells[cell]);
}

void StartCellAnimations(EngineContext &ctx, const GridRecord &grid) {
  if (ctx.Settings.AnimatedImages != 1)
    return;
  constexpr int kMaxLoops = 5;
  for (int cell = 0; cell < ctx.Geo.NCells && static_cast<size_t>(cell) < grid.Cells.size(); ++cell)
    ctx.Host->StartCellAnimation(grid, cell, kValuePicture, kAnimCountedLoops, RandomBelow(kMaxLoops) + 1);
}

} // namespace quorbel
