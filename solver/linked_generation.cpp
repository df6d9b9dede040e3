#include "solver/linked_generation.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/grid_copy.h"
#include "engine/propagate.h"
#include "engine/solve_result.h"
#include "engine/twins_editors.h"
#include "engine/unit_summary.h"
#include "engine/update_possibles.h"
#include "engine/value_mask.h"
#include "platform/random.h"
#include "solver/generation_run.h"
#include "solver/optimise_grid.h"
#include "solver/random_solution.h"
#include "solver/solution_count.h"
#include "solver/statistics_carving.h"

namespace quorbel {

namespace {

constexpr int kSolutionFailures = 10;
constexpr int kFillRetries = 10;

// The rules that make a grid hard to fill: such grids are filled first.
constexpr std::array<VariantWords, 9> kHeavyFillRules = {kVarPirate,       kVarTouchy,    kVarNo3OddEven,
                                                         kVarNoAverage,    kVarNoTouch,   kVarGiveMe5,
                                                         kVarNoKnightStep, kVarMultTable, kVarNoConsecutive};

// Rules whose grid copies its linked grid's solution.
constexpr VariantWords kCopyRules = kVarTwinsEqual | kVarTwinsSubstitution;

GridRecord &MainOf(EngineContext &ctx, int slot) { return ctx.Grids.Main[static_cast<size_t>(slot)]; }
GridRecord &SolutionOf(EngineContext &ctx, int slot) { return ctx.Grids.RefTab[static_cast<size_t>(slot)]; }

// The Twins Zone links that block `block` of grid `slot` takes part in.
int ZoneBlockLinks(const GridSet &set, int count, int slot, int block) {
  int links = 0;
  for (int g = 0; g < count; ++g)
    for (const TwinsZoneLink &link : set.Main[static_cast<size_t>(g)].Lists.TwinsZone.Used())
      links +=
          (g == slot && link.Block == block) || (link.OtherGrid == slot && link.OtherBlock == block) ? 1 : 0;
  return links;
}

bool ZoneBlockTaken(const GridSet &set, int count, int slot, int block) {
  return ZoneBlockLinks(set, count, slot, block) > 0;
}

int ZoneBlocksTaken(const GridSet &set, int count, int slot, int width) {
  int taken = 0;
  for (int block = 0; block < width; ++block)
    taken += ZoneBlockTaken(set, count, slot, block) ? 1 : 0;
  return taken;
}

// A random free block of the grid, -1 when every block is linked.
int DrawFreeBlock(Random15 &random, const GridSet &set, int count, int slot, int width) {
  if (ZoneBlocksTaken(set, count, slot, width) >= width)
    return -1;
  for (;;)
    if (const int block = RandomBelow(random, width); !ZoneBlockTaken(set, count, slot, block))
      return block;
}

// The grid each grid is linked to (its partner): with two grids the second to the first; with
// more, each to the one before and the first to the last. Only the rules that compare a grid
// with its partner keep the link; Twins Equal not on the first grid.
void SetPartnerLinks(GridSet &set, int count) {
  for (int k = 0; k < count; ++k) {
    GridRecord &grid = set.Main[static_cast<size_t>(k)];
    const int target = count == 2 ? (k == 1 ? 0 : -1) : (k == 0 ? count - 1 : k - 1);
    const bool linking = Meets(grid.GridVar, kVarTwinsSubstitution | kVarTwinsDifferent) ||
                         (k >= 1 && Meets(grid.GridVar, kVarTwinsEqual));
    grid.Lists.TwinsPartner = static_cast<int16_t>(linking ? target : -1);
    grid.Lists.SubstitutionOwner =
        static_cast<int16_t>(linking && Meets(grid.GridVar, kVarTwinsSubstitution) ? 1 : 0);
  }
}

class LinkedSet {
public:
  LinkedSet(EngineContext &ctx, GenerationRun &run, const GridWords &words)
      : ctx_(ctx), run_(run), words_(words), count_(run.GridCount), width_(ctx.Geo.GridWidth) {}

  int Run();

private:
  int Attempt();
  int MakeSetUnique(int count);
  int FillGrid(int position);
  bool PreFillZones(int t);
  bool CopyZone(int t, int partner, int partnerBlock, int block);
  void ClearZoneCopy(int t, int block);
  void PreFillDifferents(int t);
  void CopyLinkedSolution(int t, bool permute);
  bool Filled(int slot) const { return filled_[static_cast<size_t>(slot)]; }

  EngineContext &ctx_;
  GenerationRun &run_;
  const GridWords &words_;
  int count_;
  int width_;
  std::array<int, kMaxGrids> order_{};
  std::array<bool, kMaxGrids> filled_{};
};

int LinkedSet::Run() {
  const bool unique = run_.Settings.UniqSolution == 1;
  const int attempts = std::max(1, run_.Settings.MaxIterGener * run_.Settings.UniqSolution);
  // A grid that cannot be filled around its partners ends the attempt early and cheaply: such
  // attempts are given more chances than the whole sets.
  int count = 0;
  for (int attempt = 0, tries = 0; attempt < attempts && tries < attempts * kFillRetries; ++tries) {
    count = Attempt();
    if (count == kSolveCancelled)
      return count;
    if (count == 0)
      continue;
    ++attempt;
    if (unique && count != 1)
      count = MakeSetUnique(count);
    if (count == kSolveCancelled)
      return count;
    if (!unique || count == 1)
      return count;
    ctx_.Host->StepWaitProgress(-1);
  }
  return count;
}

// Givens added until the set has one solution: over the whole set while it can be counted, then
// grid by grid in the order the count goes, each made unique under the grids before it, which
// keeps the count of the set short.
int LinkedSet::MakeSetUnique(int count) {
  int added = 0;
  if (count > 1)
    count = AddGivensUntilUnique(ctx_, RangeOfGrids(ctx_, -1), 1, added);
  for (int k = 0; k < count_ && count != 1 && count != kSolveCancelled; ++k) {
    if (AddGivensUntilUnique(ctx_, RangeOfGrids(ctx_, k), 1, added) == kSolveCancelled)
      return kSolveCancelled;
    // A set that ran out of time is counted again once every grid has had its givens: the
    // counts between would only run out of time again.
    if (count != kSolveTimeOut || k == count_ - 1)
      count = SearchLinkedSolutions(ctx_, -1, 0, kUniqueLimit, 0);
  }
  return count;
}

// One attempt at the whole set. Returns the set's count, 0 when a grid could not be made.
int LinkedSet::Attempt() {
  GridSet &set = ctx_.Grids;
  set.MainCount = set.AllCount = set.OrderCount = count_;
  set.Order = GridSet::IdentityOrder();
  filled_.fill(false);
  run_.Carved.fill(0);
  for (int k = 0; k < count_; ++k) {
    GridRecord &grid = MainOf(ctx_, k);
    ResetGrid(ctx_.Geo, grid, kResetAll);
    grid.GridVar = words_[static_cast<size_t>(k)];
    grid.PreFilled = 0;
  }
  SetPartnerLinks(set, count_);
  if (Meets(SplitVariantWords(CombinedGridVar(set, 1)), kVarTwinsZone))
    DrawTwinsZoneLinks(ctx_, count_, run_.Settings.VarDepth, run_.Level);
  order_ = LinkedFillOrder(set, count_, width_);

  for (int position = 0; position < count_; ++position)
    if (const int made = FillGrid(position); made != 1)
      return made == kSolveCancelled ? kSolveCancelled : 0;

  if (Meets(words_[0], kVarTwinsTotal)) {
    // The sums grid takes the first grid's layout.
    CopyGrid(ctx_, MainOf(ctx_, count_), &SolutionOf(ctx_, 0), 0);
    MakeTwinsSumsGrid(ctx_, count_);
  }
  return SearchLinkedSolutions(ctx_, -1, 0, kUniqueLimit, 0);
}

// Fills and carves the grid at `position` of the fill order: 1 done, 0 abandoned, -10 cancelled.
int LinkedSet::FillGrid(int position) {
  const int t = order_[static_cast<size_t>(position)];
  GridRecord &grid = MainOf(ctx_, t);
  ctx_.Grids.FocusGrid = t;
  // Twins Total binds the finished set only; the sums are made from the solutions.
  grid.GridVar = words_[static_cast<size_t>(t)] & ~kVarTwinsTotal;
  for (CellRecord &cell : grid.Cells) {
    cell.AllowedType = kAllowedTypeNone;
    cell.AllowedIndex = 0;
  }
  bool done = false;
  if (position > 0) {
    if (Meets(grid.GridVar, kVarTwinsZone) && !PreFillZones(t))
      return 0;
    if (Meets(grid.GridVar, kVarTwinsDifferent))
      PreFillDifferents(t);
    const int partner = grid.Lists.TwinsPartner;
    if (partner >= 0 && Filled(partner) && Meets(grid.GridVar, kCopyRules)) {
      CopyLinkedSolution(t, Meets(grid.GridVar, kVarTwinsSubstitution));
      done = true;
    }
  }
  if (!done && Meets(grid.GridVar, kVarTwinsEqual) && grid.Lists.TwinsPartner < 0)
    grid.GridVar &= ~kVarTwinsEqual; // nothing to be equal to yet
  if (!done) {
    // The pencil-mark rule makes the allowed sets bind while the grid is completed.
    if (grid.PreFilled != 0)
      grid.GridVar |= kVarPencilMark;
    RandomSolutionOptions options;
    options.GameLevel = run_.Level;
    options.VarDepth = run_.Settings.VarDepth;
    const int16_t partner = grid.Lists.TwinsPartner;
    const int16_t owner = grid.Lists.SubstitutionOwner;
    const int made = MakeRandomSolution(ctx_, grid, position == 0 ? kSeedsFirstLinkedGrid : kSeedsComputed,
                                        -1, kSolutionFailures, 0, options);
    grid.Lists.TwinsPartner = partner;
    grid.Lists.SubstitutionOwner = owner;
    for (CellRecord &cell : grid.Cells) {
      cell.AllowedType = kAllowedTypeNone;
      cell.AllowedIndex = 0;
    }
    if (made == kSolveCancelled)
      return kSolveCancelled;
    if (made < 1)
      return 0;
  }
  grid.GridVar = words_[static_cast<size_t>(t)] & ~kVarTwinsTotal;
  grid.PreFilled = 0;
  filled_[static_cast<size_t>(t)] = true;
  ctx_.Host->StepWaitProgress(-1);
  const CarvingOutcome carved = FindGridWithStatistics(ctx_, grid, run_, CarvingRequest{});
  if (carved.Status == kSolveCancelled)
    return kSolveCancelled;
  if (carved.Status < 0)
    return 0;
  run_.Carved[static_cast<size_t>(t)] = 1;
  return 1;
}

// Each Twins Zone link between this grid and a grid filled before it copies the partner's
// block into this grid's block; a block that cannot take the values moves on to the next
// block. False when some link found no block that could.
bool LinkedSet::PreFillZones(int t) {
  GridSet &set = ctx_.Grids;
  struct ZoneEnd {
    int16_t *Block; // this grid's end of the link, moved when it cannot take the values
    int Partner;
    int PartnerBlock;
  };
  std::vector<ZoneEnd> ends;
  for (int g = 0; g < count_; ++g) {
    auto &links = set.Main[static_cast<size_t>(g)].Lists.TwinsZone;
    for (int i = 0; g != t && Filled(g) && i < links.Size(); ++i)
      if (TwinsZoneLink &link = links.Items[static_cast<size_t>(i)]; link.OtherGrid == t)
        ends.push_back({&link.OtherBlock, g, link.Block});
  }
  auto &own = MainOf(ctx_, t).Lists.TwinsZone;
  for (int i = 0; i < own.Size(); ++i) {
    TwinsZoneLink &link = own.Items[static_cast<size_t>(i)];
    if (link.OtherGrid >= 0 && link.OtherGrid < count_ && Filled(link.OtherGrid))
      ends.push_back({&link.Block, link.OtherGrid, link.OtherBlock});
  }
  for (const ZoneEnd &end : ends) {
    bool copied = false;
    for (int move = 0; move < width_ && !copied; ++move) {
      if (move > 0) {
        *end.Block = static_cast<int16_t>((*end.Block + 1) % width_);
        // A block another link holds besides this one is passed over.
        if (ZoneBlockLinks(set, count_, t, *end.Block) > 1)
          continue;
      }
      copied = CopyZone(t, end.Partner, end.PartnerBlock, *end.Block);
    }
    if (!copied)
      return false;
  }
  MainOf(ctx_, t).PreFilled = 1;
  return true;
}

bool LinkedSet::CopyZone(int t, int partner, int partnerBlock, int block) {
  GridRecord &grid = MainOf(ctx_, t);
  const GridRecord &source = SolutionOf(ctx_, partner);
  const GridRecord &partnerGrid = MainOf(ctx_, partner);
  for (int k = 0; k < width_; ++k) {
    const int cell = grid.BlockCells[static_cast<size_t>(block)][static_cast<size_t>(k)];
    const int from = partnerGrid.BlockCells[static_cast<size_t>(partnerBlock)][static_cast<size_t>(k)];
    CellRecord &c = grid.Cells[static_cast<size_t>(cell)];
    const int value = source.Cells[static_cast<size_t>(from)].Value;
    if (IsFilled(c)) {
      if (c.Value == value)
        continue; // another link put the same value there
      ClearZoneCopy(t, block);
      return false;
    }
    SetCellValue(ctx_, grid, cell, value, kActionPlaceFixed);
    c.Status = kStatusPlacedLastStep;
    c.AllowedIndex = static_cast<int32_t>(ValueBit(value));
    c.AllowedType = kAllowedTypeMask;
  }
  UpdatePossibles(ctx_, t, kFilterDefault, 0, 1);
  if (grid.State != kGridContradiction)
    return true;
  ClearZoneCopy(t, block);
  return false;
}

// Takes back what one block's copy placed (cells of the block bound by a copy).
void LinkedSet::ClearZoneCopy(int t, int block) {
  GridRecord &grid = MainOf(ctx_, t);
  for (int k = 0; k < width_; ++k) {
    const int cell = grid.BlockCells[static_cast<size_t>(block)][static_cast<size_t>(k)];
    CellRecord &c = grid.Cells[static_cast<size_t>(cell)];
    if (c.AllowedType != kAllowedTypeMask || c.Status != kStatusPlacedLastStep)
      continue;
    c.AllowedIndex = 0;
    c.AllowedType = kAllowedTypeNone;
    SetCellValue(ctx_, grid, cell, 0, kActionClear);
  }
  UpdatePossibles(ctx_, t, kFilterDefault, 0, 1);
}

// No cell may take the value its linked grids hold at the same place.
void LinkedSet::PreFillDifferents(int t) {
  GridRecord &grid = MainOf(ctx_, t);
  std::vector<int> against;
  for (int g = 0; g < count_; ++g)
    if (g != t && Filled(g) && MainOf(ctx_, g).Lists.TwinsPartner == t)
      against.push_back(g);
  if (const int own = grid.Lists.TwinsPartner; own >= 0 && own < count_ && Filled(own))
    against.push_back(own);
  for (int c = 0; c < ctx_.Geo.NCells; ++c) {
    CellRecord &cell = grid.Cells[static_cast<size_t>(c)];
    if (cell.AllowedType != kAllowedTypeMask) {
      cell.AllowedType = kAllowedTypeMask;
      cell.AllowedIndex = static_cast<int32_t>(ctx_.Geo.FullMask);
    }
    for (int g : against)
      cell.AllowedIndex &=
          ~static_cast<int32_t>(ValueBit(SolutionOf(ctx_, g).Cells[static_cast<size_t>(c)].Value));
  }
  grid.PreFilled = 1;
}

// The linked grid's solution, as it is (Equal) or through a random map of the values
// (Substitution), becomes this grid's givens and solution.
void LinkedSet::CopyLinkedSolution(int t, bool permute) {
  GridRecord &grid = MainOf(ctx_, t);
  const GridRecord &source = SolutionOf(ctx_, grid.Lists.TwinsPartner);
  std::array<int, kMaxWidth> map{};
  std::iota(map.begin(), map.end(), 0);
  if (permute)
    for (int swap = 0; swap < width_; ++swap)
      std::swap(map[static_cast<size_t>(RandomBelow(ctx_.Random, width_))],
                map[static_cast<size_t>(RandomBelow(ctx_.Random, width_))]);
  for (int c = 0; c < ctx_.Geo.NCells; ++c) {
    const int value = source.Cells[static_cast<size_t>(c)].Value;
    SetCellValue(ctx_, grid, c, value >= 1 && value <= width_ ? map[static_cast<size_t>(value - 1)] + 1 : 0,
                 kActionPlaceFixed);
  }
  UpdatePossibles(ctx_, t, kFilterDefault, 0, 1);
  CopyGrid(ctx_, SolutionOf(ctx_, t), &grid, 0);
  grid.SolutionMade = 1;
}

} // namespace

std::array<int, kMaxGrids> LinkedFillOrder(const GridSet &set, int count, int width) {
  std::array<int, kMaxGrids> weight{};
  std::vector<int> left;
  for (int k = 0; k < count; ++k) {
    const GridRecord &grid = set.Main[static_cast<size_t>(k)];
    int w = count - k;
    if (Meets(grid.GridVar, kVarTwinsZone))
      w += width * ZoneBlocksTaken(set, count, k, width);
    for (const VariantWords rule : kHeavyFillRules)
      w += Meets(grid.GridVar, rule) ? width : 0;
    weight[static_cast<size_t>(k)] = w;
    left.push_back(k);
  }
  std::stable_sort(left.begin(), left.end(), [&](int a, int b) {
    return weight[static_cast<size_t>(a)] > weight[static_cast<size_t>(b)];
  });
  std::array<int, kMaxGrids> order{};
  std::array<bool, kMaxGrids> placed{};
  for (int position = 0; position < count; ++position) {
    auto ready = [&](int k) {
      const GridRecord &grid = set.Main[static_cast<size_t>(k)];
      const int partner = grid.Lists.TwinsPartner;
      return !Meets(grid.GridVar, kCopyRules) || partner < 0 || partner >= count ||
             placed[static_cast<size_t>(partner)];
    };
    auto next = std::find_if(left.begin(), left.end(), ready);
    if (next == left.end())
      next = left.begin(); // a ring: its first grid starts it
    order[static_cast<size_t>(position)] = *next;
    placed[static_cast<size_t>(*next)] = true;
    left.erase(next);
  }
  return order;
}

void DrawTwinsZoneLinks(EngineContext &ctx, int count, int varDepth, int level) {
  GridSet &set = ctx.Grids;
  const int width = ctx.Geo.GridWidth;
  for (int k = 0; k < count; ++k)
    set.Main[static_cast<size_t>(k)].Lists.TwinsZone.Clear();
  if (count < 2)
    return;
  const int span = (varDepth / 30 + (level > 2 ? 2 : 1)) * count;
  const int g = span / 2 / 2;
  const int links = g > 0 ? RandomBelow(ctx.Random, g) + g + 1 : 0;
  for (int made = 0; made < links; ++made) {
    const int a = RandomBelow(ctx.Random, count);
    int b = RandomBelow(ctx.Random, count);
    while (b == a)
      b = RandomBelow(ctx.Random, count);
    auto &list = set.Main[static_cast<size_t>(a)].Lists.TwinsZone;
    if (list.Full())
      continue;
    const int i = DrawFreeBlock(ctx.Random, set, count, a, width);
    const int j = DrawFreeBlock(ctx.Random, set, count, b, width);
    if (i < 0 || j < 0)
      continue; // a grid with every block linked takes no more links
    list.Append({static_cast<int16_t>(i), static_cast<int16_t>(j), static_cast<int16_t>(b)});
  }
}

int GenerateLinkedSet(EngineContext &ctx, GenerationRun &run, const GridWords &words) {
  return LinkedSet(ctx, run, words).Run();
}

} // namespace quorbel
