// Services every command runs around an edit of the grid set: clearing the working marks
// of the grids (highlights, trials, search values, last-step values, colours), and the
// comment given to a generated grid.
#pragma once

#include <string_view>

namespace quorbel {

struct EngineContext;

// Clears the board's trial marks and every main grid's highlights and trial word, then:
// endSearch 1 puts back the cells of a search (hypothesis values gone, stored solutions
// forgotten), commit 1 makes last-step values ordinary (CommitNewValues), clearColours 1
// resets the colouring, undoPending 1 takes back the undo step of an unkept trial.
void ReinitGrids(EngineContext &ctx, int endSearch, int commit, int clearColours, int undoPending);
// All four: what every move of the player starts with.
inline void ResetTransientState(EngineContext &ctx) { ReinitGrids(ctx, 1, 1, 1, 1); }

// The comment of a generated grid, for the interface language.
void SetGeneratedComment(EngineContext &ctx, std::string_view text);

} // namespace quorbel
