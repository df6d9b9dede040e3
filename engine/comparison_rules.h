// The rules between two cells (or the four cells of a 2 x 2 corner): odd and even cells, the
// comparison marks (X, V, dots, greater and less), All Indicated, Distance, Odd Pair and Quad.
// Checks mark conflicting cells and raise the clue's flag; filters narrow open cells and return 1
// when a candidate mask changed.
#pragma once

#include <cstdint>

namespace quorbel {

struct EngineContext;
struct GridGeometry;
struct GridRecord;

constexpr int32_t kXParityUnknown = 10;

// The mask operations of the comparisons, each within the grid's values.
uint32_t MaskSum10(uint32_t mask, const GridGeometry &geo);
uint32_t MaskSum5(uint32_t mask, const GridGeometry &geo);
uint32_t MaskNeighbours(uint32_t mask, const GridGeometry &geo);
uint32_t MaskDoubles(uint32_t mask, const GridGeometry &geo);
uint32_t MaskHalves(uint32_t mask, const GridGeometry &geo);
uint32_t MaskSumN(uint32_t mask, int n, const GridGeometry &geo);
uint32_t MaskAboveLowest(uint32_t mask, const GridGeometry &geo);
uint32_t MaskBelowHighest(uint32_t mask, const GridGeometry &geo);
uint32_t MaskBelowNthHighest(uint32_t mask, int n, const GridGeometry &geo);
uint32_t MaskAboveNthLowest(int n, uint32_t mask, const GridGeometry &geo);

// The shared X parity, from the first main grid holding a placed X cell (Odd) or X pair (Odd Pair).
void ResolveXParity(EngineContext &ctx);

void CheckOddEvenCell(const EngineContext &ctx, GridRecord &grid, int cell);
int FilterOddEvenCell(const EngineContext &ctx, GridRecord &grid, int cell);
// Comparison mark i, by its kind (2..9).
void CheckComparison(const GridGeometry &geo, GridRecord &grid, int i);
int FilterComparison(const GridGeometry &geo, GridRecord &grid, int i);
void CheckAllIndicated(const GridGeometry &geo, GridRecord &grid);
int FilterAllIndicated(const GridGeometry &geo, GridRecord &grid);
void CheckDistance(const GridGeometry &geo, GridRecord &grid, int i);
int FilterDistance(const GridGeometry &geo, GridRecord &grid, int i);
void CheckOddPair(const EngineContext &ctx, GridRecord &grid, int i);
int FilterOddPair(EngineContext &ctx, GridRecord &grid, int i);
void CheckQuad(const GridGeometry &geo, GridRecord &grid, int i);
int FilterQuad(const GridGeometry &geo, GridRecord &grid, int i);

} // namespace quorbel
