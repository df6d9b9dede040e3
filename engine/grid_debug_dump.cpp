// Writes the grid dump file line by line.
#include "engine/grid_debug_dump.h"

#include <array>
#include <cstdio>
#include <memory>

#include "engine/grid_record.h"
#include "platform/paths.h"

namespace quorbel {

int DumpGridDebug(const GridGeometry &geo, const GridRecord &grid, std::string_view fileName) {
  const std::string path = NormalisePath(fileName);
  std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), "wb"), std::fclose);
  if (!file)
    return 0;
  std::fprintf(file.get(), "SudMissing = %d  TheMinPoss = %d\n", grid.SudMissing, grid.TheMinPoss);
  std::fprintf(file.get(), "i val status  NPoss  ThePoss Iposs\n");
  std::array<int, kMaxPossList> poss{};
  for (const CellRecord &cell : grid.PlayingCells(geo)) {
    std::fprintf(file.get(), "%d %d %d %d %d %d\n", cell.Index, cell.Value, cell.Status, cell.NPoss,
                 ListPossValues(geo, cell, poss), BestScoredValue(geo, cell));
  }
  return 1;
}

} // namespace quorbel
