// The Probables method: where a value has at most three places in a block and they share
// a row or a column, the value leaves the rest of that line; places of one or two cells
// become the cells' probable values. Propagation runs it too when asked.
#pragma once

namespace quorbel {

struct EngineContext;
struct GridRecord;

// -2 when a candidate was removed, else -1.
int ApplyProbables(const EngineContext &ctx, GridRecord &grid);

// Every playing cell's probable mask = 0.
void ClearProbableMasks(const EngineContext &ctx, GridRecord &grid);

} // namespace quorbel
