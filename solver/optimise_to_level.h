// Bringing a uniquely solvable puzzle to a difficulty level: givens from its solution where
// the level's methods get stuck, or givens the uniqueness does not need taken away.
#pragma once

namespace quorbel {

struct EngineContext;

// Works on main grid `slot`, whose reference grid holds its one solution. While the grid
// rates above `level`, the methods of the level solve a copy until they are stuck and one
// open cell of it, drawn at random, becomes a given. Once it rates below, its givens are
// taken away in random order while the solution stays unique and the rating stays at or
// below the level, until it reaches the level. Returns the rating reached (1..5), -10
// when the player cancelled.
int OptimiseGridToLevel(EngineContext &ctx, int slot, int level);

} // namespace quorbel
