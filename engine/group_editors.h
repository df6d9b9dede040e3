// Editing the group rules' lists: Equality groups, Wheels and PanDigital expressions, and the
// lookups of the item under a cell (Dan, Equality, Magic Sentence). Toggles return 1 when an
// item was added or changed, 0 when one was removed or the list was full.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace quorbel {

struct GridGeometry;
struct GridRecord;

// The most cells an Equality group, the Dan zone and the Magic Sentence hold.
constexpr int kMostEqualityCells = 16;
constexpr int kMostDanCells = 80;
constexpr int kMostSentenceCells = 26;

// Each cell of a MasterMind guess line takes the line's index, every other cell -1.
void MarkMasterMindCells(const GridGeometry &geo, GridRecord &grid);

// The four neighbours of a wheel's centre, up, right, down, left; -1 off the grid.
std::array<int, 4> WheelCells(const GridGeometry &geo, int centre);

// The same set of cells removes the group; a new one (2 to 16 cells) is appended.
int ToggleEqualityGroup(GridRecord &grid, std::span<const int> cells);
// The same centre removes the wheel; a new one is appended with its values and rotation.
int ToggleWheel(GridRecord &grid, int centre, const std::array<int, 4> &values, int rotation);
// Some wheel's centre lies at most one row and one column away from the cell.
bool WheelTouchesCell(const GridGeometry &geo, const GridRecord &grid, int cell);
// The first expression on the same four blocks at the same position (or either position -1)
// is removed when its operators are the same too, else takes the position and operators; with
// none, the expression is appended. Every expression changed or moved is read again.
int TogglePanItem(GridRecord &grid, int position, const std::array<int, 4> &blocks,
                  const std::array<int, 3> &operators);

int FindDanCell(const GridRecord &grid, int cell);
// The wheel centred on the cell, -1 when none.
int FindWheelOfCentre(const GridRecord &grid, int centre);
int FindEqualityGroupOfCell(const GridRecord &grid, int cell);
// The cell's place among the sentence cells; 45 when it is none of them.
int FindMagicSentenceCell(const GridRecord &grid, int cell);

} // namespace quorbel
