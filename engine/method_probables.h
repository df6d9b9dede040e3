// The Probables method: where a value has at most three places in a block and they share
// a row or a column, the value leaves the rest of that line; places of one or two cells
// become the cells' probable values. Propagation runs it too when asked.
#pragma once

#include <cstdint>

namespace quorbel {

struct EngineContext;
struct GridRecord;

// -2 when a candidate was removed, else -1.
int ApplyProbables(const EngineContext &ctx, GridRecord &grid);

// All the blocks of a grid, as ApplyProbables' blocks to read.
inline constexpr uint32_t kEveryBlock = ~uint32_t{0};

// The same, reading only the blocks in `blocksToRead` (bit b for block b): a block whose
// cells have not changed since it was last read would change nothing again. Each block read
// leaves the set; each block of a cell narrowed joins it. So passes repeated until nothing
// changes, starting from every block, narrow as passes reading every block would.
int ApplyProbables(const EngineContext &ctx, GridRecord &grid, uint32_t &blocksToRead);

// Every playing cell's probable mask = 0.
void ClearProbableMasks(const EngineContext &ctx, GridRecord &grid);

} // namespace quorbel
