// Bringing a uniquely solvable puzzle to a difficulty level: givens from its solution where
// the level's methods get stuck, or givens the uniqueness does not need taken away.
#pragma once

namespace quorbel {

struct EngineContext;

// Works on main grid `slot`, whose reference grid holds its one solution. A grid rated
// below `level` first loses, in random order, every given the uniqueness does not need, as
// far as half of one count's time limit (TIMEOVER) takes all its counts.
// While it rates above the level, the methods of the level solve a copy until they are
// stuck and one open cell of it, drawn at random, becomes a given. When that leaves it
// below the level, givens are taken away again while the solution stays unique and the
// rating at or below the level, until it reaches the level; a classic grid aimed at the top
// level is left below it instead, for another dig. Returns the rating reached
// (1..5), -10 when the player cancelled; a level outside 1..4 leaves a harder grid as it is.
int OptimiseGridToLevel(EngineContext &ctx, int slot, int level);

} // namespace quorbel
