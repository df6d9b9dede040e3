// How the cells show what they may hold: the candidate level commands and the cell display type
// (one value, candidates in a line or a matrix, candidates and probables).
#pragma once

class CQuorbelApp;

namespace quorbel {

// Level 1..5 shows the candidates of cells with up to that many (5: every cell), 0 none;
// choosing the level in use again clears it.
void SetPossLevel(CQuorbelApp &app, int level);

void RegisterCandidateDisplay(CQuorbelApp &app);

} // namespace quorbel
