#include "engine/twins_editors.h"

#include <algorithm>

#include "engine/engine_context.h"
#include "engine/grid_cells.h"
#include "engine/grid_copy.h"
#include "engine/grid_set.h"

namespace quorbel {

int ToggleTwinsRelation(GridRecord &grid, int otherCell, int cell, int otherSlot) {
  auto &links = grid.Lists.TwinsRelation;
  if (otherCell == -1)
    otherCell = cell;
  for (int i = 0; i < links.Size(); ++i) {
    const TwinsRelationLink &link = links.Items[static_cast<size_t>(i)];
    if (link.Cell == cell && link.OtherCell == otherCell && link.OtherGrid == otherSlot) {
      links.RemoveAt(i);
      // The conflict flags follow their items down.
      auto &flags = grid.Work.TwinsRelationConflict;
      std::move(flags.begin() + i + 1, flags.end(), flags.begin() + i);
      flags.back() = 0;
      return 0;
    }
  }
  if (links.Full())
    return 0;
  links.Append(
      {static_cast<CellRef>(cell), static_cast<CellRef>(otherCell), static_cast<int16_t>(otherSlot)});
  grid.Work.TwinsRelationConflict[static_cast<size_t>(links.Size() - 1)] = 0;
  return 1;
}

void MakeTwinsSumsGrid(EngineContext &ctx, int mains) {
  GridSet &set = ctx.Grids;
  GridRecord &sums = set.Main[static_cast<size_t>(mains)];
  sums.GridVar = {};
  for (int c = 0; c < ctx.Geo.NCells; ++c) {
    int sum = 0;
    for (int g = 0; g < mains; ++g)
      sum += set.RefTab[static_cast<size_t>(g)].Cells[static_cast<size_t>(c)].Value;
    CellRecord &cell = sums.Cells[static_cast<size_t>(c)];
    cell.Value = sum;
    cell.Status = kStatusGiven;
  }
  CopyGrid(ctx, set.RefTab[static_cast<size_t>(mains)], &sums, 0);
  set.AllCount = set.OrderCount = mains + 1;
  set.Order = GridSet::IdentityOrder();
  set.FocusGrid = 0;
  for (int g = 0; g < mains; ++g)
    set.Main[static_cast<size_t>(g)].GridVar |= kVarTwinsTotal;
}

int ToggleTwinsTotal(EngineContext &ctx) {
  GridSet &set = ctx.Grids;
  const int mains = UsedMainCount(set);
  if (Meets(set.Main[0].GridVar, kVarTwinsTotal)) {
    for (int g = 0; g < mains; ++g)
      set.Main[static_cast<size_t>(g)].GridVar &= ~kVarTwinsTotal;
    set.AllCount = set.OrderCount = mains;
    set.Order = GridSet::IdentityOrder();
    set.FocusGrid = std::min(set.FocusGrid, mains - 1);
    return 0;
  }
  if (mains >= kMaxGrids)
    return -1;
  AllocGridCells(ctx, set.Main[static_cast<size_t>(mains)], 1, 0);
  MakeTwinsSumsGrid(ctx, mains);
  return 1;
}

namespace {

// Each main grid in use but `slot`, with its slot.
template <typename Visit> TwinsPartner FirstOverMainGrids(const GridSet &set, Visit visit) {
  for (int g = 0; g < UsedMainCount(set); ++g)
    if (const TwinsPartner found = visit(g, set.Main[static_cast<size_t>(g)]); found.Cell >= 0)
      return found;
  return {};
}

} // namespace

TwinsPartner FindTwinsRelationPartners(const GridSet &set, int slot, int cell) {
  return FirstOverMainGrids(set, [&](int g, const GridRecord &grid) -> TwinsPartner {
    for (const TwinsRelationLink &link : grid.Lists.TwinsRelation.Used()) {
      if (g == slot && link.Cell == cell && link.OtherGrid != slot)
        return {link.OtherCell, link.OtherGrid};
      if (g != slot && link.OtherGrid == slot && link.OtherCell == cell)
        return {link.Cell, g};
    }
    return {};
  });
}

std::vector<TwinsPartner> TwinsRelationPartners(const GridSet &set, int slot, int cell) {
  std::vector<TwinsPartner> partners;
  auto add = [&](TwinsPartner partner) {
    if (partner.Grid != slot && partner.Grid >= 0 && partner.Grid < UsedMainCount(set) &&
        std::find(partners.begin(), partners.end(), partner) == partners.end())
      partners.push_back(partner);
  };
  for (int g = 0; g < UsedMainCount(set); ++g) {
    const GridRecord &grid = set.Main[static_cast<size_t>(g)];
    if (!Meets(grid.GridVar, kVarTwinsRelation))
      continue;
    for (const TwinsRelationLink &link : grid.Lists.TwinsRelation.Used()) {
      if (g == slot && link.Cell == cell)
        add({link.OtherCell, link.OtherGrid});
      else if (link.OtherGrid == slot && link.OtherCell == cell)
        add({link.Cell, g});
    }
  }
  return partners;
}

TwinsPartner FindTwinsMultiplePartners(const GridSet &set, int slot, int cell) {
  return FirstOverMainGrids(set, [&](int g, const GridRecord &grid) -> TwinsPartner {
    for (const TwinsMultipleGroup &group : grid.Lists.TwinsMultiple.Used())
      for (int k = 0; k < std::clamp<int>(group.NCells, 0, 16); ++k) {
        const auto at = static_cast<size_t>(k);
        if (g == slot && group.Cells[at] == cell && group.OtherGrid != slot)
          return {group.OtherCells[at], group.OtherGrid};
        if (g != slot && group.OtherGrid == slot && group.OtherCells[at] == cell)
          return {group.Cells[at], g};
      }
    return {};
  });
}

TwinsPartner FindTwinsZonePartners(const GridSet &set, const GridGeometry &geo, int slot, int cell) {
  if (slot < 0 || slot >= UsedMainCount(set) || cell < 0 || cell >= geo.NCells)
    return {};
  const int w = geo.GridWidth;
  return FirstOverMainGrids(set, [&](int g, const GridRecord &grid) -> TwinsPartner {
    for (const TwinsZoneLink &link : grid.Lists.TwinsZone.Used()) {
      const bool forward = g == slot && link.OtherGrid != slot;
      const bool backward = g != slot && link.OtherGrid == slot;
      if (!forward && !backward)
        continue;
      const int otherSlot = forward ? link.OtherGrid : g;
      if (otherSlot < 0 || otherSlot >= UsedMainCount(set) || link.Block < 0 || link.Block >= w ||
          link.OtherBlock < 0 || link.OtherBlock >= w)
        continue;
      const GridRecord &here = set.Main[static_cast<size_t>(slot)];
      const GridRecord &there = set.Main[static_cast<size_t>(otherSlot)];
      const int hereBlock = forward ? link.Block : link.OtherBlock;
      const int thereBlock = forward ? link.OtherBlock : link.Block;
      for (int k = 0; k < w; ++k)
        if (here.BlockCells[static_cast<size_t>(hereBlock)][static_cast<size_t>(k)] == cell)
          return {there.BlockCells[static_cast<size_t>(thereBlock)][static_cast<size_t>(k)], otherSlot};
    }
    return {};
  });
}

} // namespace quorbel
