// The candidate update every edit ends with: Propagate's steps over one main grid or all
// of them, with the twins filters between linked grids, then the grid set's combined
// state and open-cell total.
#pragma once

namespace quorbel {

struct EngineContext;

// slot: a main grid, or -1 for every main grid. mode and probables are those of
// FilterConstraints, -1 taking the methods panel's switches. init 1 first rebuilds the
// candidates (InitPossibles). Sets ctx.GridSetState and ctx.TotalOpenCells. Nothing
// happens while no geometry is set.
void UpdatePossibles(EngineContext &ctx, int slot, int mode, int probables, int init);
// UpdatePossibles(ctx, -1, mode, probables, 1) when, since the last such update of every main
// grid with the same mode and probables, only the cells of the grid in `slot` changed (as at a
// search's next node): the set is left as that update would leave it. Where the grids reach one
// another only through the filled cells Same in Line compares, only the grids that the change
// can reach are rebuilt; otherwise every grid is.
void UpdatePossiblesAround(EngineContext &ctx, int slot, int mode, int probables);
// Every grid's candidates from scratch, with the methods panel's switches: what a move, a load
// or a change of display needs.
inline void RecomputeAllCandidates(EngineContext &ctx) { UpdatePossibles(ctx, -1, -1, -1, 1); }

// Whether UpdatePossibles runs the twins filters between linked grids: only over every
// grid of a set of several, and only when the rule filters run.
bool TwinsFiltersApply(const EngineContext &ctx, int slot, int mode);

} // namespace quorbel
