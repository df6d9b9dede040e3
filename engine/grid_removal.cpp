#include "engine/grid_removal.h"

#include <algorithm>
#include <array>

#include "engine/engine_context.h"
#include "engine/grid_set.h"
#include "engine/twins_editors.h"
#include "engine/undo_services.h"

namespace quorbel {

namespace {

// A grid number held in a link, once `removed` is gone: -1 when it was that grid.
int16_t Renumbered(int16_t grid, int removed) {
  if (grid == removed)
    return -1;
  return grid > removed ? static_cast<int16_t>(grid - 1) : grid;
}

template <typename List> void RenumberLinks(List &list, int removed) {
  for (int i = list.Size() - 1; i >= 0; --i) {
    auto &item = list.Items[static_cast<size_t>(i)];
    item.OtherGrid = Renumbered(item.OtherGrid, removed);
    if (item.OtherGrid < 0)
      list.RemoveAt(i);
  }
}

// The kinds of link between grids, each with the rule bits that live on it. A link is held by one
// grid and names another; both ends count as linked.
enum LinkKind { kRelationLinks, kMultipleLinks, kZoneLinks, kPartnerLinks, kSameInLineLinks, kLinkKinds };

constexpr std::array<VariantWords, kLinkKinds> kRulesOfLink = {
    kVarTwinsRelation, kVarTwinsRelationMultiple, kVarTwinsZone,
    kVarTwinsSubstitution | kVarTwinsEqual | kVarTwinsDifferent, kVarTwinsSameInLine};

using LinkedGrids = std::array<std::array<bool, kMaxGrids>, kLinkKinds>;

LinkedGrids FindLinkedGrids(const GridSet &set, int mains) {
  LinkedGrids linked{};
  auto link = [&](LinkKind kind, int holder, int other) {
    if (other < 0 || other >= mains)
      return;
    linked[kind][static_cast<size_t>(holder)] = true;
    linked[kind][static_cast<size_t>(other)] = true;
  };
  for (int g = 0; g < mains; ++g) {
    const VariantLists &lists = set.Main[static_cast<size_t>(g)].Lists;
    for (const auto &item : lists.TwinsRelation.Used())
      link(kRelationLinks, g, item.OtherGrid);
    for (const auto &item : lists.TwinsMultiple.Used())
      link(kMultipleLinks, g, item.OtherGrid);
    for (const auto &item : lists.TwinsZone.Used())
      link(kZoneLinks, g, item.OtherGrid);
    link(kPartnerLinks, g, lists.TwinsPartner);
    link(kSameInLineLinks, g, lists.SameInLine.PartnerGrid);
  }
  return linked;
}

} // namespace

int RemoveGridFromSet(EngineContext &ctx, int slot) {
  GridSet &set = ctx.Grids;
  const int mains = UsedMainCount(set);
  if (slot < 0 || slot >= mains || mains <= 1)
    return -1;
  ClearUndoHistory(ctx);
  const LinkedGrids linkedBefore = FindLinkedGrids(set, mains);
  const bool sumsGrid = UsedAllCount(set) > mains;
  // The sums grid, after the main grids, moves down with them.
  const auto last = static_cast<size_t>(UsedAllCount(set));
  std::rotate(set.Main.begin() + slot, set.Main.begin() + slot + 1, set.Main.begin() + last);
  std::rotate(set.RefTab.begin() + slot, set.RefTab.begin() + slot + 1, set.RefTab.begin() + last);
  const int left = mains - 1;
  for (int g = 0; g < left; ++g) {
    VariantLists &lists = set.Main[static_cast<size_t>(g)].Lists;
    RenumberLinks(lists.TwinsRelation, slot);
    RenumberLinks(lists.TwinsMultiple, slot);
    RenumberLinks(lists.TwinsZone, slot);
    lists.TwinsPartner = Renumbered(lists.TwinsPartner, slot);
    lists.SameInLine.PartnerGrid = Renumbered(lists.SameInLine.PartnerGrid, slot);
  }
  // A rule whose last link went with the grid goes too; one never linked (just switched on) stays.
  const LinkedGrids linkedAfter = FindLinkedGrids(set, left);
  for (int g = 0; g < left; ++g) {
    const size_t before = static_cast<size_t>(g < slot ? g : g + 1);
    for (int kind = 0; kind < kLinkKinds; ++kind)
      if (linkedBefore[kind][before] && !linkedAfter[kind][static_cast<size_t>(g)])
        set.Main[static_cast<size_t>(g)].GridVar &= ~kRulesOfLink[kind];
  }
  set.MainCount = left;
  set.AllCount = set.OrderCount = left;
  set.Order = GridSet::IdentityOrder();
  set.FocusCell = set.FocusGrid = 0;
  if (sumsGrid)
    MakeTwinsSumsGrid(ctx, left);
  return left;
}

} // namespace quorbel
