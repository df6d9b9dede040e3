// The rules between linked grids: a cell pair (Twins Relation), a group in each grid holding the
// same values (Relation Multiple), whole grids cell by cell (Equal, Differents), a value map
// between two grids (Substitution), a block of each (Zone), and rows counted alike (Same in
// Line). Each check marks the cells it finds wrong; each filter narrows the open cells on both
// sides and returns 1 when a mask changed.
#pragma once

#include <cstdint>
#include <span>

namespace quorbel {

struct EngineContext;
struct GridRecord;
struct GridSet;

// Whether the main grids in use are linked, so that a search of one runs through the others: a
// rule between grids on any of them, or a relation or zone clue, whose filters read the clue alone.
bool MainGridsLinked(const GridSet &set);

void CheckTwinsRelation(EngineContext &ctx, GridRecord &grid, int item);
int FilterTwinsRelationCell(EngineContext &ctx, GridRecord &grid, int item);
void CheckTwinsEqual(EngineContext &ctx, GridRecord &grid);
int FilterTwinsEqual(EngineContext &ctx, GridRecord &grid);
void CheckTwinsZone(EngineContext &ctx, GridRecord &grid, int item);
int FilterTwinsZone(EngineContext &ctx, GridRecord &grid, int item);
// Against the partner, or with All Indicated against every main grid from the partner on.
void CheckTwinsDifferent(EngineContext &ctx, GridRecord &grid);
int FilterTwinsDifferent(EngineContext &ctx, GridRecord &grid);
// The grid a Substitution map reads, none when this grid owns no map.
GridRecord *SubstitutionPartner(EngineContext &ctx, GridRecord &grid);
// On the grid that owns the map only; the check rebuilds the stored map, the filter reads the
// cells as they stand.
void CheckTwinsSubstitution(EngineContext &ctx, GridRecord &grid);
int FilterTwinsSubstitution(EngineContext &ctx, GridRecord &grid);
// The value (0-based) of this grid whose map entry is `v` (0-based), -1 when none.
int FindSubstitute(const GridRecord &grid, int v);
void CheckTwinsRelationMultiple(EngineContext &ctx, GridRecord &grid, int group);
int FilterTwinsRelationMultiple(EngineContext &ctx, GridRecord &grid, int group);
// Narrows `allowed` (a value mask per cell) to what the checks of Relation, Equal, Zone and
// Differents let each cell hold against the linked grids' filled cells as they stand.
void AllowedByFilledPartners(EngineContext &ctx, GridRecord &grid, std::span<uint32_t> allowed);
void CheckTwinsSameInLine(EngineContext &ctx, GridRecord &grid);
int FilterTwinsSameInLine(EngineContext &ctx, GridRecord &grid);
// The slot of the grid that this grid's Same in Line check and filter compare it with, -1 when
// they compare it with none (the rule not held, or no partner in use).
int SameInLinePartnerSlot(EngineContext &ctx, GridRecord &grid);

} // namespace quorbel
