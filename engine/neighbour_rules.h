// The rules that hold every cell to its neighbours, switched on by their bit alone: no
// consecutive values side by side, no equal values touching diagonally, every value touching a
// consecutive one (Touchy), no three odd or even in a line, no middle value the average of its
// neighbours, no pair summing to or differing by 5, no equal values a knight's move apart, and
// the Pirate's treasure among pirates. Checks mark cells; filters return 1 when they narrowed one.
#pragma once

namespace quorbel {

struct EngineContext;
struct GridGeometry;
struct GridRecord;

void CheckNoConsecutive(const GridGeometry &geo, GridRecord &grid);
int FilterNoConsecutive(const GridGeometry &geo, GridRecord &grid);
void CheckNoTouch(const GridGeometry &geo, GridRecord &grid);
int FilterNoTouch(const GridGeometry &geo, GridRecord &grid);
void CheckTouchy(const GridGeometry &geo, GridRecord &grid);
int FilterTouchy(const GridGeometry &geo, GridRecord &grid);
void CheckNo3OddEven(const GridGeometry &geo, GridRecord &grid);
int FilterNo3OddEven(const GridGeometry &geo, GridRecord &grid);
void CheckNoAverage(const GridGeometry &geo, GridRecord &grid);
int FilterNoAverage(const GridGeometry &geo, GridRecord &grid);
void CheckGiveMe5(const GridGeometry &geo, GridRecord &grid);
int FilterGiveMe5(const GridGeometry &geo, GridRecord &grid);
void CheckNoKnightStep(const GridGeometry &geo, GridRecord &grid);
int FilterNoKnightStep(const GridGeometry &geo, GridRecord &grid);
// Pirate plays on 9 x 9 grids only: 5 is the treasure, 1 to 4 pirates, 6 to 9 commoners.
void CheckPirate(const GridGeometry &geo, GridRecord &grid);
int FilterPirate(const GridGeometry &geo, GridRecord &grid);
// The neighbour score: each filled cell of value v beside a filled u that divides it with a
// quotient q above 1 adds the points of q (Double and Triple). Marks nothing.
void AddNeighbourScore(const EngineContext &ctx, GridRecord &grid);
// The points a Double and Triple grid gets when the table scores no quotient of its width: a
// neighbour q times as large scores q points. Leaves a table that scores something as it is.
void GivePointsWhenNone(EngineContext &ctx);

} // namespace quorbel
