// The expert's definitions of the cell-set and group rules: the diagonals, the Trio classes, the
// allowed sets of the selected cells (pencil marks, segments, pips, Roman numerals), the Dan
// zone, Equality groups, Wheels, the Magic Sentence cells, the MasterMind rows and the Numeral
// letters.
#include <algorithm>
#include <array>

#include "engine/cell_set_rules.h"
#include "engine/digit_tables.h"
#include "engine/group_editors.h"
#include "engine/unit_summary.h"
#include "engine/value_mask.h"
#include "platform/ascii_text.h"
#include "platform/random.h"
#include "view/clue_definitions.h"

namespace quorbel {

namespace {

uint32_t PencilMarks(const CellRecord &cell) { return cell.Status == kStatusPencilled ? cell.Marks : 0; }

void ClearAllowedSet(CellRecord &cell) { SetAllowedSet(cell, kAllowedTypeNone, 0); }

// Back to no allowed set, the set's values given back as pencil marks.
void AllowedSetToMarks(const GridGeometry &geo, CellRecord &cell) {
  const uint32_t marks = static_cast<uint32_t>(cell.AllowedIndex) & geo.FullMask;
  ClearAllowedSet(cell);
  if (marks != 0 && IsOpenStatus(cell.Status)) {
    cell.Status = kStatusPencilled;
    cell.Marks = marks;
    cell.Excluded = marks ^ geo.FullMask;
  }
}

} // namespace

void ClueDefinitions::Diagonal() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  auto &on = grid.Lists.RegionOn;
  const bool first = Meets(grid.GridVar, kVarDiagonal) && on[kRegionDiag1] != 0;
  const bool second = Meets(grid.GridVar, kVarDiagonal) && on[kRegionDiag2] != 0;
  // Both, then the first alone, the second alone, none, and both again.
  const bool nextFirst = first == second;
  const bool nextSecond = first == second ? !first : first;
  Snapshot();
  on[kRegionDiag1] = nextFirst ? 1 : 0;
  on[kRegionDiag2] = nextSecond ? 1 : 0;
  SetRuleBit(grid, kVarDiagonal, nextFirst || nextSecond);
  Post(nextFirst && nextSecond ? "Diagonals added"
       : nextFirst             ? "Diagonal1 added"
       : nextSecond            ? "Diagonal2 added"
                               : "Diagonals removed");
  Finish(true);
}

void ClueDefinitions::ExtraRegion() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  BlockLayout &layout = grid.Lists.Layout;
  auto &on = grid.Lists.RegionOn;
  if (!layout.Defined()) {
    Post("Please Define One to 4 Extra Blocks by command B");
    return;
  }
  const bool extra = Meets(grid.GridVar, kVarExtraRegion);
  const int shown =
      extra ? static_cast<int>(std::count_if(on.begin(), on.end(), [](auto f) { return f != 0; })) : 0;
  // One more region while the next block of the table is defined, then the blocks again.
  const int next = shown + 1;
  Snapshot();
  if (next <= 4 && layout.Cells[static_cast<size_t>(next - 1)][0] >= 0) {
    for (int r = 0; r < 4; ++r)
      on[static_cast<size_t>(r)] = r < next ? 1 : 0;
    SetRuleBit(grid, kVarExtraRegion, true);
    SetRuleBit(grid, kVarIrregular, false);
    Post(next == 1 ? "1 ExtraRegion Set" : std::to_string(next) + " ExtraRegions Set");
  } else {
    on.fill(0);
    SetRuleBit(grid, kVarExtraRegion, false);
    SetRuleBit(grid, kVarIrregular, true);
    Post("ExtraRegion removed and Irregular Set");
  }
  Finish(true);
}

void ClueDefinitions::Trio() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  Snapshot();
  const std::vector<int> cells = Cells(false);
  if (cells.empty())
    for (int c = 0; c < ctx_.Geo.NCells; ++c)
      grid.Cells[c].CellClass = 0;
  for (int cell : cells) {
    CellRecord &record = grid.Cells[cell];
    const int value = KnownValue(cell);
    if (value >= 1 && value <= kMaxWidth) {
      const int cellClass = ctx_.ValueClasses[static_cast<size_t>(value - 1)];
      record.CellClass = static_cast<int16_t>(record.CellClass == 0 ? cellClass : 0);
    } else {
      record.CellClass = static_cast<int16_t>((record.CellClass + 1) % 5);
    }
  }
  bool any = false;
  for (int c = 0; c < ctx_.Geo.NCells; ++c)
    any |= grid.Cells[c].CellClass != 0;
  SetRuleBit(grid, kVarTrio, any);
  Finish();
}

void ClueDefinitions::AllowedSet(int type) {
  if (!expert_)
    return;
  const GridGeometry &geo = ctx_.Geo;
  GridRecord &grid = Grid();
  const VariantWords bit = type == kAllowedTypeMask       ? kVarPencilMark
                           : type == kAllowedTypeSegments ? kVarDigitalClock
                           : type == kAllowedTypePips     ? kVarDomino
                                                          : kVarRomain;
  const std::vector<int> cells = Cells(false);
  Snapshot();
  if (cells.empty()) {
    for (int c = 0; c < geo.NCells; ++c)
      if (grid.Cells[c].AllowedType == type)
        ClearAllowedSet(grid.Cells[c]);
    Post(type == kAllowedTypeMask       ? "Pencil: All selection removed"
         : type == kAllowedTypeSegments ? "Digital Clock: All selection removed"
         : type == kAllowedTypePips     ? "Domino: All selection removed"
                                        : "Romain: All selection removed");
  } else {
    const uint32_t top = ValueBit(geo.GridWidth);
    for (int cell : cells) {
      CellRecord &record = grid.Cells[cell];
      const uint32_t marks = PencilMarks(record);
      const auto index = static_cast<uint32_t>(record.AllowedIndex);
      if (type == kAllowedTypeMask) {
        if ((record.AllowedType == type && index == marks) || marks == 0)
          ClearAllowedSet(record);
        else
          SetAllowedSet(record, type, static_cast<int32_t>(marks));
      } else if (type == kAllowedTypeTable) {
        const int value = KnownValue(cell);
        if (record.AllowedType != type)
          SetAllowedSet(record, type, std::max(value, 1));
        else if (value == geo.GridWidth && record.AllowedIndex < 16)
          SetAllowedSet(record, type, record.AllowedIndex + 1);
        else
          AllowedSetToMarks(geo, record);
      } else {
        // Segments or pips: the pencil marks of values 1..7 (1..9) name them.
        const uint32_t limit = type == kAllowedTypeSegments ? 127 : 511;
        if (record.AllowedType != type)
          SetAllowedSet(record, type,
                        static_cast<int32_t>((index & (geo.FullMask ^ limit)) + (marks & limit)));
        else if (marks == top && index < limit)
          SetAllowedSet(record, type, static_cast<int32_t>(index + top));
        else
          AllowedSetToMarks(geo, record);
      }
    }
    Post(type == kAllowedTypeMask       ? "Pencil data modified"
         : type == kAllowedTypeSegments ? "Digital Clock data added"
         : type == kAllowedTypePips     ? "Domino modified"
                                        : "Romain data modified");
  }
  bool any = false;
  for (int c = 0; c < geo.NCells; ++c)
    any |= grid.Cells[c].AllowedType == type;
  SetRuleBit(grid, bit, any);
  Finish();
}

void ClueDefinitions::Dan() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  DanGroup &dan = grid.Lists.Dan;
  const std::vector<int> cells = Cells(false);
  if (cells.empty()) {
    Snapshot();
    dan = DanGroup{};
    Post("Dan: All selection removed");
  } else if (cells.size() < 2) {
    Post("Dan: Please select more than 1 cell to be set Dan - Max values in first selection");
    return;
  } else if (cells.size() > kMostDanCells) {
    Post("Dan: Please select at most 80 cells");
    return;
  } else if (const CellRecord &first = grid.Cells[cells[0]]; IsOpenStatus(first.Status)) {
    Post("Dan: First selection must have the Max value inside");
    return;
  } else {
    Snapshot();
    dan = DanGroup{};
    dan.MaxDistinct = static_cast<int16_t>(first.Value);
    for (int cell : cells)
      dan.Cells[static_cast<size_t>(dan.NCells++)] = static_cast<CellRef>(cell);
  }
  SetRuleBit(grid, kVarDan, dan.NCells > 0);
  Finish();
}

void ClueDefinitions::Equality() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  auto &groups = grid.Lists.Equality;
  const std::vector<int> cells = Cells(true);
  if (cells.empty()) {
    Snapshot();
    groups.Clear();
    Post("Equality: All selection removed");
  } else if (groups.Full()) {
    Post("Equality: Not selected");
    return;
  } else if (cells.size() < 2 || cells.size() > kMostEqualityCells) {
    Post("Equality: Please select 2 to 16 cells");
    return;
  } else {
    Snapshot();
    Post(ToggleEqualityGroup(grid, cells) == 1 ? "Equality Zone Added" : "Equality Zone Removed");
  }
  SetRuleBit(grid, kVarEquality, groups.Size() > 0);
  Finish();
}

void ClueDefinitions::Wheel() {
  if (!expert_)
    return;
  const GridGeometry &geo = ctx_.Geo;
  const int w = geo.GridWidth;
  GridRecord &grid = Grid();
  auto &wheels = grid.Lists.Wheels;
  const std::vector<int> cells = Cells(true);
  if (cells.empty()) {
    Snapshot();
    wheels.Clear();
    Post("Wheel: All removed");
    SetRuleBit(grid, kVarWheel, false);
    Finish();
    return;
  }
  if (wheels.Full()) {
    Post("Wheel: Not selected");
    return;
  }
  auto isCentre = [&](int cell) { return FindWheelOfCentre(grid, cell) >= 0; };
  auto around = [&](int cell) { return WheelCells(geo, cell); }; // off the border: all four there
  for (int cell : cells) {
    const int r = geo.RowOfCell[cell];
    const int c = geo.ColOfCell[cell];
    if (r == 0 || c == 0 || r == w - 1 || c == w - 1) {
      Post("Wheel: Cells on perimeter is not possible");
      return;
    }
    if (isCentre(cell))
      continue; // taken away below
    for (int n : around(cell))
      if ((isCentre(n) || std::find(cells.begin(), cells.end(), n) != cells.end())) {
        Post("Wheel: 2 wheels must not touch together");
        return;
      }
    for (int n : around(cell))
      if (KnownValue(n) == 0) {
        Post("Wheel: No data available");
        return;
      }
  }
  Snapshot();
  for (int cell : cells) {
    // The wheel turned at random: its values stay in their order, not in their places.
    const int rotation = RandomBelow(ctx_.Random, 4);
    std::array<int, 4> values{};
    const std::array<int, 4> next = around(cell);
    for (int k = 0; k < 4; ++k)
      values[static_cast<size_t>(k)] =
          isCentre(cell) ? 0 : KnownValue(next[static_cast<size_t>((rotation + k) % 4)]);
    Post(ToggleWheel(grid, cell, values, rotation) == 1 ? "Wheel Added" : "Wheel Removed");
  }
  SetRuleBit(grid, kVarWheel, wheels.Size() > 0);
  Finish();
}

void ClueDefinitions::MagicSentence() {
  if (!expert_)
    return;
  GridRecord &grid = Grid();
  MagicSentenceClue &sentence = grid.Lists.MagicSentence;
  const std::vector<int> cells = Cells(false);
  if (cells.size() > kMostSentenceCells) {
    Post("Magic Sentence: Please select at most 26 cells");
    return;
  }
  Snapshot();
  sentence.NCells = 0;
  sentence.SavedValues = MagicSentenceClue::MakeUnsaved();
  sentence.Shown = 0;
  for (int cell : cells)
    sentence.Cells[static_cast<size_t>(sentence.NCells++)] = static_cast<CellRef>(cell);
  Post(cells.empty() ? "Magic Cells Sentence removed" : "Magic Cells Sentence added");
  SetRuleBit(grid, kVarMagicSentence, !cells.empty());
  Finish();
}

void ClueDefinitions::MasterMind() {
  if (!expert_)
    return;
  const GridGeometry &geo = ctx_.Geo;
  GridRecord &grid = Grid();
  MasterMindClue &mind = grid.Lists.MasterMind;
  const std::vector<int> cells = Cells(false);
  if (cells.empty()) {
    Snapshot();
    mind = MasterMindClue{};
    MarkMasterMindCells(geo, grid);
    Post("Master Mind: All selection removed");
    SetRuleBit(grid, kVarMasterMind, false);
    Finish();
    return;
  }
  if (cells.size() < 3) {
    Post("Master Mind: You must select at minimum 1 cell in line + 2 for B&W");
    return;
  }
  const int n = static_cast<int>(cells.size()) - 2;
  const int row = geo.RowOfCell[cells[0]];
  const bool oneRow =
      std::all_of(cells.begin(), cells.begin() + n, [&](int c) { return geo.RowOfCell[c] == row; });
  const int existing = [&] {
    for (int j = 0; j < mind.Lines.Size(); ++j)
      if (mind.Lines.Items[static_cast<size_t>(j)].Row == row)
        return j;
    return -1;
  }();
  if (existing < 0 && (!oneRow || n > kMaxWidth || (mind.Lines.Size() > 0 && n != mind.CodeLength))) {
    Post("Master Mind: You must select " + std::to_string(std::max<int>(mind.CodeLength, 1)) +
         " cells in line + 2 for B&W");
    return;
  }
  if (existing < 0 && mind.Lines.Full()) {
    Post("Master Mind: Not selected");
    return;
  }
  Snapshot();
  if (existing >= 0) {
    mind.Lines.RemoveAt(existing);
    Post("Master Mind: Selection removed");
  } else {
    auto valueOf = [&](int cell) {
      return IsOpenStatus(grid.Cells[cell].Status) ? 0 : grid.Cells[cell].Value;
    };
    if (mind.Lines.Size() == 0) {
      mind.CodeLength = static_cast<int16_t>(n);
      for (int k = 0; k < n; ++k)
        mind.Code[static_cast<size_t>(k)] = static_cast<int16_t>(valueOf(cells[static_cast<size_t>(k)]));
      Post("Master Mind: Selection added");
    }
    MasterMindGuess line;
    line.Row = static_cast<int16_t>(row);
    line.Black = static_cast<int16_t>(valueOf(cells[static_cast<size_t>(n)]));
    line.White = static_cast<int16_t>(valueOf(cells[static_cast<size_t>(n + 1)]));
    for (int k = 0; k < n; ++k)
      line.Columns[static_cast<size_t>(k)] =
          static_cast<int16_t>(geo.ColOfCell[cells[static_cast<size_t>(k)]]);
    mind.Lines.Append(line);
  }
  MarkMasterMindCells(geo, grid);
  SetRuleBit(grid, kVarMasterMind, mind.Lines.Size() > 0);
  Finish();
}

bool ClueDefinitions::Numeral() {
  if (!expert_)
    return false;
  GridRecord &grid = Grid();
  const std::vector<int> cells = Cells(false);
  if (cells.size() > 1) {
    Post("Please select 1 cell with Numeral");
    return false;
  }
  BuildNumeralCharMasks(ctx_);
  if (std::all_of(ctx_.NumeralCharMasks.begin(), ctx_.NumeralCharMasks.end(),
                  [](uint32_t m) { return m == 0; })) {
    Post("Please define Numeral First (Alt-W)");
    return false;
  }
  Snapshot();
  if (cells.empty()) {
    for (int c = 0; c < ctx_.Geo.NCells; ++c)
      grid.Cells[c].Numeral = -1;
    SetRuleBit(grid, kVarNumeral, false);
    Finish();
    return false;
  }
  PromptNumeral(cells[0]);
  SetRuleBit(grid, kVarNumeral, true);
  Finish();
  return true;
}

void ClueDefinitions::PromptNumeral(int cell) {
  const int value = KnownValue(cell);
  if (value >= 1 && value <= kMaxWidth && !ctx_.NumeralStrings[static_cast<size_t>(value - 1)].empty())
    Post("Please Press a key as Numeral - Possible: " + ctx_.NumeralStrings[static_cast<size_t>(value - 1)]);
  else
    Post("Please Press a key as Numeral");
}

int ClueDefinitions::TypeNumeral(int cell, char key) {
  GridRecord &grid = Grid();
  const char upper = AsciiUpper(key);
  if (upper != ' ' && (upper < '0' || upper > 'Y'))
    return cell;
  grid.Cells[cell].Numeral = static_cast<int16_t>(upper == ' ' ? -1 : upper);
  if (upper != ' ' && NumeralMask(ctx_, upper) == 0)
    Post(std::string("Warning - Selected Numeral ") + upper + " has no correspondance");
  bool any = false;
  for (int c = 0; c < ctx_.Geo.NCells; ++c)
    any |= grid.Cells[c].Numeral >= 0;
  SetRuleBit(grid, kVarNumeral, any);
  const int next = (cell + 1) % ctx_.Geo.NCells;
  const CellRecord &record = grid.Cells[next];
  if (!IsOpenStatus(record.Status) || ReferenceValue(next) != 0)
    PromptNumeral(next);
  Finish();
  return next;
}

bool ClueDefinitions::BlockSelection() {
  if (!expert_)
    return false;
  const std::vector<int> cells = Cells(true);
  if (!cells.empty() && static_cast<int>(cells.size()) != ctx_.Geo.GridWidth) {
    Post("Irregular Blocks: must be " + std::to_string(ctx_.Geo.GridWidth) + " cells");
    return false;
  }
  return true;
}

void ClueDefinitions::Block(int number) {
  const GridGeometry &geo = ctx_.Geo;
  GridRecord &grid = Grid();
  BlockLayout &layout = grid.Lists.Layout;
  const std::vector<int> cells = Cells(true);
  if (number < 0 || number > geo.GridWidth || (number > 0 && static_cast<int>(cells.size()) != geo.GridWidth))
    return;
  Snapshot();
  if (number == 0) {
    layout = BlockLayout{};
    SetRuleBit(grid, kVarIrregular, false);
    Post("All Irregular Blocks removed");
    Finish(true);
    return;
  }
  // A cell belongs to one block: taken from any other block it stood in.
  for (int b = 0; b < geo.GridWidth; ++b)
    for (int k = 0; k < geo.GridWidth; ++k)
      if (std::find(cells.begin(), cells.end(), layout.Cells[b][k]) != cells.end())
        layout.Cells[b][k] = -1;
  for (int k = 0; k < geo.GridWidth; ++k)
    layout.Cells[number - 1][k] = static_cast<CellRef>(cells[static_cast<size_t>(k)]);
  layout.RowCount = static_cast<int16_t>(geo.GridWidth);
  std::fill_n(layout.RowLength.begin(), geo.GridWidth, static_cast<int16_t>(geo.GridWidth));
  SetRuleBit(grid, kVarIrregular, true);
  SetRuleBit(grid, kVarExtraRegion, false);
  std::string remaining;
  for (int b = 0; b < geo.GridWidth; ++b)
    if (std::any_of(layout.Cells[b].begin(), layout.Cells[b].begin() + geo.GridWidth,
                    [](int c) { return c < 0; }))
      remaining += std::to_string(b + 1) + "-";
  Post("Irregular Blocks " + std::to_string(number) + " defined, Remaining (" + remaining + ")");
  Finish(true);
}

void ClueDefinitions::TrioData(const std::array<int8_t, 16> &classes) {
  ctx_.ValueClasses = classes;
  GridRecord &grid = Grid();
  for (int c = 0; c < ctx_.Geo.NCells; ++c) {
    CellRecord &record = grid.Cells[c];
    if (record.CellClass == 0)
      continue;
    const int value = KnownValue(c);
    if (value >= 1 && value <= kMaxWidth)
      record.CellClass = classes[static_cast<size_t>(value - 1)];
  }
  Finish();
}

void ClueDefinitions::NumeralStrings(const std::array<std::string, 16> &words) {
  ctx_.NumeralStrings = words;
  BuildNumeralCharMasks(ctx_);
  Finish();
}

void ClueDefinitions::MagicTable(const std::array<int32_t, 26> &table, bool allGrids) {
  if (!expert_)
    return;
  Snapshot();
  GridSet &set = ctx_.Grids;
  for (int slot = 0; slot < std::clamp(set.MainCount, 0, kMaxGrids); ++slot) {
    GridRecord &grid = set.Main[static_cast<size_t>(slot)];
    if (&grid != &Grid() && !allGrids)
      continue;
    grid.Lists.MagicSentence.LetterTable = table;
    SetRuleBit(grid, kVarMagicSentence, true);
  }
  Finish();
}

bool ClueDefinitions::PanSelection(PanChoice &choice) {
  if (!expert_)
    return false;
  const GridGeometry &geo = ctx_.Geo;
  GridRecord &grid = Grid();
  const std::vector<int> cells = Cells(false);
  if (cells.empty()) {
    Snapshot();
    grid.Lists.Pan.Clear();
    SetRuleBit(grid, kVarPanDigital, false);
    Post("Pan: All selection removed");
    Finish();
    return false;
  }
  if (grid.Lists.Pan.Full()) {
    Post("Two many Pan: Not selected");
    return false;
  }
  if (cells.size() < 2 || cells.size() > 4) {
    Post("Pan: Select only one cell in 2 to 4 blocks");
    return false;
  }
  choice = PanChoice{};
  for (size_t k = 0; k < cells.size(); ++k)
    choice.Blocks[k] = grid.BlockOfCell[cells[k]];
  // Side by side the numbers are read along a line of the blocks, stacked down a column.
  const bool sideBySide = std::abs(choice.Blocks[1] - choice.Blocks[0]) == 1;
  auto inside = [&](int cell) {
    return sideBySide ? geo.RowOfCell[cell] % geo.BlockRows : geo.ColOfCell[cell] % geo.BlockCols;
  };
  choice.Position = inside(cells[0]);
  for (int cell : cells)
    if (inside(cell) != choice.Position)
      choice.Position = -1;
  choice.Lines = std::abs(choice.Blocks[1] - choice.Blocks[0]) < 2 ? geo.BlockCols : geo.BlockRows;
  return true;
}

void ClueDefinitions::Pan(const PanChoice &choice, int position, const std::array<int, 3> &operators) {
  const GridGeometry &geo = ctx_.Geo;
  GridRecord &grid = Grid();
  Snapshot();
  const bool sideBySide = std::abs(choice.Blocks[1] - choice.Blocks[0]) == 1;
  const int lines = sideBySide ? geo.BlockRows : geo.BlockCols;
  int result = 0;
  for (int p = position < 0 ? 0 : position; p < (position < 0 ? lines : position + 1); ++p)
    result = TogglePanItem(grid, p, choice.Blocks, operators);
  Post(result == 1 ? "Pan Added" : "Pan Removed");
  SetRuleBit(grid, kVarPanDigital, grid.Lists.Pan.Size() > 0);
  Finish();
}

} // namespace quorbel
