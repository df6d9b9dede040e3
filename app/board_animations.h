// The animations of the board's cells, beside the board rather than in the engine's cell
// records, which every trial grid and undo snapshot copies: one row of cells per main grid,
// six pictures a cell (CellPicture). A picture's set follows its cell: the value's picture,
// the chess figure, the Magic Sentence's cells and the Magic Square's markers.
#pragma once

#include <array>
#include <vector>

#include "app/cell_animation.h"
#include "engine/cell_image.h"
#include "engine/grid_set.h"

namespace quorbel {

struct EngineContext;

using CellAnimations = std::array<CAnimGif, kCellPictures>;

class BoardAnimations {
public:
  // The pictures of a cell of main grid `slot`, their sets brought in line with the cell
  // first; null outside the main grids and their cells.
  CellAnimations *Of(const EngineContext &ctx, int slot, int cell);
  // As kept, for painting; null when the cell has none yet.
  const CellAnimations *Find(int slot, int cell) const;
  // Every picture's set in line with its cell. A set that changes stops its picture, as a
  // new value does; a grid of another record or size starts its row afresh.
  void Follow(const EngineContext &ctx);

private:
  struct Row {
    int32_t GridId = -1;
    std::vector<CellAnimations> Cells;
  };
  Row *RowOf(const EngineContext &ctx, int slot);
  std::array<Row, kMaxGrids> rows_;
};

// With animated pictures on, the end of a game starts every playing cell's value picture for
// 1..5 loops, through the host.
void StartCellAnimations(EngineContext &ctx, const GridRecord &grid);

} // namespace quorbel
