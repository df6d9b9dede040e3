// Burma: for one value, the places in every row, column and block, seen from the other
// two kinds (a row's places as columns and as blocks, and so on), then a search of base
// sets in increasing unit order. The tables are built once per value: removals made
// meanwhile only shrink the true places, so a pattern read from the tables still holds.
#include "solver/burma.h"

#include <array>

#include "engine/engine_context.h"
#include "engine/unit_queries.h"
#include "engine/unit_summary.h"
#include "solver/method_units.h"

namespace quorbel {

namespace {

constexpr int kLineKinds = 3; // rows, columns, blocks

struct Pattern {
  int Base;
  int Cover;
};
// Each base kind with both other kinds, in the order the search tries them. The table's size
// follows its rows, and a row that is not two different kinds does not build.
constexpr auto kPatterns = std::to_array<Pattern>({{kUnitRow, kUnitColumn},
                                                   {kUnitRow, kUnitBlock},
                                                   {kUnitColumn, kUnitBlock},
                                                   {kUnitColumn, kUnitRow},
                                                   {kUnitBlock, kUnitRow},
                                                   {kUnitBlock, kUnitColumn}});
constexpr bool EveryPatternPairsTwoKinds() {
  for (const Pattern &p : kPatterns)
    if (p.Base == p.Cover || p.Base < 0 || p.Base >= kLineKinds || p.Cover < 0 || p.Cover >= kLineKinds)
      return false;
  return true;
}
static_assert(EveryPatternPairsTwoKinds(), "a Burma pattern must pair two different kinds of unit");

struct BurmaSearch {
  EngineContext &Ctx;
  GridRecord &Grid;
  uint32_t Bit = 0;
  std::array<int8_t, kMaxWidth> SizeBits{}; // BurmaBits
  int DepthLimit = -1;
  // [kind][unit]: places of the value; [kind][other kind][unit]: the other kind's units
  // that hold them.
  std::array<std::array<int, kMaxWidth>, kLineKinds> Places{};
  std::array<std::array<std::array<uint32_t, kMaxWidth>, kLineKinds>, kLineKinds> Positions{};
  Pattern Kinds{};
  std::array<int, kMaxWidth> Chosen{};
  uint32_t ChosenUnits = 0;
  bool Changed = false;
  bool Stopped = false;

  void BuildTables() {
    const GridGeometry &geo = Ctx.Geo;
    Places = {};
    Positions = {};
    for (int cell = 0; cell < geo.NCells; ++cell) {
      const CellRecord &c = Grid.Cells[cell];
      if (!IsOpenStatus(c.Status) || (c.ThePoss & Bit) == 0)
        continue;
      std::array<int, kLineKinds> unit{};
      for (int kind = 0; kind < kLineKinds; ++kind)
        unit[kind] = UnitIndexOfCell(geo, Grid, kind, cell);
      for (int kind = 0; kind < kLineKinds; ++kind) {
        ++Places[kind][unit[kind]];
        for (int other = 0; other < kLineKinds; ++other)
          Positions[kind][other][unit[kind]] |= 1u << unit[other];
      }
    }
  }

  void RemoveFromCover(uint32_t cover) {
    const GridGeometry &geo = Ctx.Geo;
    for (int line = 0; line < geo.GridWidth; ++line) {
      if ((cover & (1u << line)) == 0)
        continue;
      for (int16_t cell : UnitCells(geo, Grid, Kinds.Cover, line)) {
        CellRecord &c = Grid.Cells[cell];
        if (!IsOpenStatus(c.Status) || (c.ThePoss & Bit) == 0 ||
            (ChosenUnits & (1u << UnitIndexOfCell(geo, Grid, Kinds.Base, cell))) != 0)
          continue;
        RestrictPoss(geo, c, c.ThePoss & ~Bit);
        Changed = true;
      }
    }
  }

  void Search(int depth, int from, uint32_t coverSoFar) {
    const int width = Ctx.Geo.GridWidth;
    for (int unit = from; unit < width && !Stopped; ++unit) {
      if (Places[Kinds.Base][unit] < 2)
        continue;
      const uint32_t cover = coverSoFar | Positions[Kinds.Base][Kinds.Cover][unit];
      const int lines = CountValues(cover, width);
      // More cover lines than the largest set can only grow: nothing below can fit.
      if (lines - 1 > DepthLimit)
        continue;
      Chosen[depth] = unit;
      ChosenUnits |= 1u << unit;
      bool crowded = false;
      for (int k = 0; k <= depth; ++k)
        crowded |= Places[Kinds.Base][Chosen[k]] > depth + 1;
      if (!crowded && depth > 0 && SizeBits[depth] != 0 && lines <= depth + 1)
        RemoveFromCover(cover);
      if (depth < DepthLimit)
        Search(depth + 1, unit + 1, cover);
      ChosenUnits &= ~(1u << unit);
      Stopped = Stopped || Ctx.Host->PollUserAbort();
    }
  }
};

} // namespace

int ApplyBurma(EngineContext &ctx, GridRecord &grid, int sizes) {
  const GridGeometry &geo = ctx.Geo;
  const int width = geo.GridWidth;
  BurmaSearch search{ctx, grid};
  for (int k = 0; k < width - 1; ++k) {
    search.SizeBits[k] = (sizes & (1 << k)) != 0 ? 1 : 0;
    if (search.SizeBits[k] != 0)
      search.DepthLimit = k;
  }
  if (search.DepthLimit < 1)
    return 0;
  for (int v = 1; v <= width && !search.Stopped; ++v) {
    search.Bit = ValueBit(v);
    search.BuildTables();
    for (const Pattern &kinds : kPatterns) {
      search.Kinds = kinds;
      search.Search(0, 0, 0);
    }
  }
  return search.Changed ? 1 : 0;
}

} // namespace quorbel
