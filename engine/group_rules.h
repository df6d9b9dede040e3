// The group rules that read a layout of cells around or along a clue: a Wheel's four values
// turned round its centre, a MasterMind guess line scored against the hidden code, and the
// Magic Sentence cells held to the solution. Checks mark cells; filters return 1 when they
// narrowed one.
#pragma once

namespace quorbel {

struct EngineContext;
struct GridGeometry;
struct GridRecord;

void CheckWheel(const GridGeometry &geo, GridRecord &grid, int i);
int FilterWheel(const GridGeometry &geo, GridRecord &grid, int i);

void CheckMasterMind(const GridGeometry &geo, GridRecord &grid, int i);
int FilterMasterMind(const GridGeometry &geo, GridRecord &grid, int i);

// The sentence's values saved from the solution when they changed; then 1 complete and right, 0
// a sentence cell still open, 2 a cell differs (the grid is then in contradiction).
void SaveMagicSentence(EngineContext &ctx, GridRecord &grid);
int CheckMagicSentence(EngineContext &ctx, GridRecord &grid);
// Once the sentence's cells all hold their values, their pictures play, once per grid: 1 when
// they start, 0 otherwise.
int AnimateMagicSentence(EngineContext &ctx, GridRecord &grid);
// The same for every main grid.
void AnimateMagicSentences(EngineContext &ctx);

} // namespace quorbel
