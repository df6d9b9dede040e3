// Shape codes and the numbering tables of the current grid shape.
#include "engine/geometry.h"

#include <algorithm>

namespace quorbel {

int ShapeCodeOfSize(int size) {
  switch (size) {
  case 4:
    return 0;
  case 6:
    return 2;
  case 8:
    return 4;
  case 12:
    return 7;
  case 16:
    return 8;
  default:
    return kDefaultShape;
  }
}

int ShapeReadBackAs(int code) {
  return ShapeCodeOfSize(kGridShapes[static_cast<size_t>(std::clamp(code, 0, kShapeCount - 1))].Size);
}

int SizeClassOfGrid(const GridGeometry &geo) {
  switch (geo.GridWidth) {
  case 4:
    return 0;
  case 6:
    return 1;
  case 8:
    return 2;
  case 12:
    return 4;
  case 16:
    return 5;
  default:
    return 3;
  }
}

int SizeClassOfShape(int shape) {
  switch (shape) {
  case 0:
    return 0;
  case 1:
  case 2:
    return 1;
  case 3:
  case 4:
    return 2;
  case 6:
  case 7:
    return 4;
  case 8:
    return 5;
  default:
    return 3;
  }
}

int ShapeCodeOfGeometry(const GridGeometry &geo) {
  switch (geo.GridWidth) {
  case 4:
    return 0;
  case 6:
    return geo.BlockCols == 2 ? 1 : 2;
  case 8:
    return geo.BlockCols == 2 ? 3 : 4;
  case 9:
    return 5;
  case 12:
    return geo.BlockCols == 3 ? 6 : 7;
  case 16:
    return 8;
  default:
    return -1;
  }
}

bool IsValidGeometry(int rows, int cols, int blockRows, int blockCols, int width) {
  // Compared field by field: a product of two sides from a file can wrap round to a width.
  return rows == width && cols == width && std::ranges::any_of(kGridShapes, [&](const GridShape &shape) {
           return shape.Size == width && shape.BlockRows == blockRows && shape.BlockCols == blockCols;
         });
}

bool ComputeGeometryTables(GridGeometry &geo) {
  if (geo.BlockRows == 0 || geo.BlockCols == 0)
    return false;
  geo.NBlockCols = geo.NCols / geo.BlockCols;
  geo.NBlockRows = geo.NRows / geo.BlockRows;
  geo.NCells = geo.NRows * geo.NCols;
  geo.RowUnitBase = geo.NCells;
  geo.ColUnitBase = geo.NCells + geo.NRows;
  geo.CellLimit = (geo.NRows + 1) * (geo.NCols + 1);
  geo.BlockUnitBase = geo.CellLimit;
  geo.Diag1Unit = geo.BlockUnitBase + geo.NCols;
  geo.Diag2Unit = geo.Diag1Unit + 1;
  geo.Extra1Unit = geo.Diag1Unit + 2;
  geo.Extra2Unit = geo.Diag1Unit + 3;
  geo.NUnits = geo.Diag1Unit + 4;
  geo.NCellRecs = geo.NUnits;
  geo.FullMask = WidthMask(geo.GridWidth);

  geo.RowOfCell.fill(0);
  geo.ColOfCell.fill(0);
  geo.PosInBlock.fill(0);
  for (int r = 0; r < geo.NRows; ++r) {
    for (int c = 0; c < geo.NCols; ++c) {
      const int cell = r * geo.NCols + c;
      geo.RowOfCell[cell] = static_cast<int16_t>(r);
      geo.ColOfCell[cell] = static_cast<int16_t>(c);
      geo.RowCells[r][c] = static_cast<int16_t>(cell);
      geo.ColCells[c][r] = static_cast<int16_t>(cell);
      // Equals the position inside the block only for square blocks; the Pirate
      // rule, its one reader, exists for 9 x 9 grids alone.
      geo.PosInBlock[cell] = static_cast<int16_t>((r % geo.BlockCols) * geo.BlockRows + c % geo.BlockRows);
    }
  }
  return true;
}

int PerimeterCell(const GridGeometry &geo, int side, int line, int i) {
  const int w = geo.GridWidth;
  if (line < 0 || line >= w || i < 0 || i >= w)
    return -1;
  switch (side) {
  case kSideTop:
    return i * geo.NCols + line;
  case kSideRight:
    return line * geo.NCols + (geo.NCols - 1 - i);
  case kSideBottom:
    return (geo.NRows - 1 - i) * geo.NCols + line;
  case kSideLeft:
    return line * geo.NCols + i;
  default:
    return -1;
  }
}

} // namespace quorbel
