// Clue generators of the rules that bind a cell to a set of values (Trio classes, number-word
// letters, pencil marks, seven-segment and domino patterns, Roman numerals) and of the group
// rules (Equality groups, Wheels, the MasterMind code and its guess lines, the Dan zone and the
// Magic Sentence), each read off the solution.
#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

#include "engine/cell_set_rules.h"
#include "engine/digit_tables.h"
#include "engine/engine_context.h"
#include "engine/geometry.h"
#include "engine/grid_set.h"
#include "engine/group_editors.h"
#include "engine/magic_sentence.h"
#include "engine/value_mask.h"
#include "platform/ascii_text.h"
#include "platform/random.h"
#include "solver/clue_generator_family.h"

namespace quorbel {

namespace {

constexpr int kSetFailures = 10;
constexpr int kRomanNumerals = 16; // table entries 1..16 are the numerals the board draws
constexpr int kDanFailures = 100;

// In the grid being carved every cell that is not a given is open.
bool IsOpen(const ClueJob &job, int cell) { return !job.IsGiven(cell); }

bool FreeForAllowedSet(const ClueJob &job, int cell) {
  return IsOpen(job, cell) && job.Grid.Cells[cell].AllowedType == kAllowedTypeNone;
}

int ClampedLevel(int level) { return std::clamp(level, 1, 4); }

// The all-clues mode of the per-cell sets: each qualifying cell in order, each kept when a draw
// below `draw` exceeds 2. Returns the cells treated.
template <typename Give> int GiveEveryCell(const ClueJob &job, int draw, Give give) {
  int given = 0;
  for (int cell = 0; cell < job.Geo().NCells; ++cell)
    if (FreeForAllowedSet(job, cell) && (draw <= 0 || RandomBelow(job.Random(), draw) > 2))
      given += give(cell);
  return given;
}

// The first cell from a random one, scanning on cyclically, that `fits`; -1 after a full turn.
template <typename Fits> int ScanFromRandomCell(Random15 &random, const GridGeometry &geo, Fits fits) {
  const int start = RandomBelow(random, geo.NCells);
  for (int k = 0; k < geo.NCells; ++k)
    if (const int cell = (start + k) % geo.NCells; fits(cell))
      return cell;
  return -1;
}

} // namespace

uint32_t TakeNthBit(int n, uint32_t &mask) {
  for (uint32_t rest = mask; rest != 0; rest &= rest - 1)
    if (--n == 0) {
      const uint32_t bit = rest & (~rest + 1);
      mask &= ~bit;
      return bit;
    }
  return 0;
}

// ---- Per-cell sets ----

int GenerateTrioClasses(const ClueJob &job, bool &classesDrawn) {
  const GridGeometry &geo = job.Geo();
  const int w = geo.GridWidth;
  if (!classesDrawn) {
    static constexpr std::array<std::array<int, 4>, 6> kClassCounts = {
        {{2, 2, 2, 2}, {3, 2, 2, 2}, {4, 3, 3, 2}, {4, 3, 3, 2}, {4, 4, 4, 3}, {4, 4, 4, 4}}};
    const int sizeClass = std::clamp(SizeClassOfGrid(geo), 0, 5);
    const int k =
        kClassCounts[static_cast<size_t>(sizeClass)][static_cast<size_t>(ClampedLevel(job.Level) - 1)];
    job.Ctx.ValueClasses.fill(0);
    for (int v = 1; v <= w; ++v)
      job.Ctx.ValueClasses[static_cast<size_t>(v - 1)] =
          static_cast<int8_t>(RandomBelow(job.Random(), k) + 1);
    classesDrawn = true;
  }
  auto classOf = [&](int cell) {
    return job.Ctx.ValueClasses[static_cast<size_t>(job.SolutionValue(cell) - 1)];
  };
  const int result = SpendClueBudget(job, 1, [&](int) {
    const int cell = ScanFromRandomCell(
        job.Random(), geo, [&](int c) { return IsOpen(job, c) && job.Grid.Cells[c].CellClass == 0; });
    if (cell < 0)
      return 0;
    job.Grid.Cells[cell].CellClass = classOf(cell);
    return 1;
  });
  if (job.All)
    for (int k = 1; k <= 4; ++k) {
      std::vector<int> cells;
      bool given = false;
      for (int c = 0; c < geo.NCells; ++c)
        if (job.Grid.Cells[c].CellClass == k) {
          cells.push_back(c);
          given |= job.IsGiven(c);
        }
      if (!given && !cells.empty()) {
        const int c = cells[static_cast<size_t>(RandomBelow(job.Random(), static_cast<int>(cells.size())))];
        job.Grid.Cells[c].Value = job.SolutionValue(c);
        job.Grid.Cells[c].Status = kStatusFixed;
      }
    }
  return result;
}

int GenerateNumeralLetters(const ClueJob &job) {
  const GridGeometry &geo = job.Geo();
  // A letter of the value's word that the rule can read; a word without one fails the try.
  auto give = [&](int cell) {
    CellRecord &record = job.Grid.Cells[cell];
    if (!FreeForAllowedSet(job, cell) || record.Numeral >= 0)
      return 0;
    std::string letters;
    for (const char c : job.Ctx.NumeralStrings[static_cast<size_t>(job.SolutionValue(cell) - 1)]) {
      if (const char upper = AsciiUpper(c); IsNumeralChar(static_cast<unsigned char>(upper)))
        letters += upper;
    }
    if (letters.empty())
      return 0;
    record.Numeral = static_cast<int16_t>(
        letters[static_cast<size_t>(RandomBelow(job.Random(), static_cast<int>(letters.size())))]);
    return 1;
  };
  if (job.All) {
    static constexpr std::array<int, 4> kDraw = {15, 30, 14, 10};
    return job.CountUsed(geo.NCells -
                         GiveEveryCell(job, kDraw[static_cast<size_t>(ClampedLevel(job.Level) - 1)], give));
  }
  return SpendClueBudget(job, kSetFailures, [&](int) { return give(RandomBelow(job.Random(), geo.NCells)); });
}

int GenerateDominoSets(const ClueJob &job) {
  const int level = ClampedLevel(job.Level);
  auto give = [&](int cell) {
    if (!FreeForAllowedSet(job, cell))
      return 0;
    uint32_t pips = static_cast<uint32_t>(PipMask(job.SolutionValue(cell)));
    if (pips == 0)
      return 0;
    for (uint32_t rest = pips; rest != 0; rest &= rest - 1) {
      const uint32_t bit = rest & (~rest + 1);
      if (RandomBelow(job.Random(), level + 1) == level && (pips & ~bit) != 0)
        pips &= ~bit;
    }
    SetAllowedSet(job.Grid.Cells[cell], kAllowedTypePips, static_cast<int32_t>(pips));
    return 1;
  };
  if (job.All)
    return job.CountUsed(job.Budget() - GiveEveryCell(job, 0, give));
  return SpendClueBudget(job, kSetFailures,
                         [&](int) { return give(RandomBelow(job.Random(), job.Geo().NCells)); });
}

int GeneratePencilMarks(const ClueJob &job) {
  const int w = job.Geo().GridWidth;
  const std::array<int, 4> spans = {w - w / 2 - 2, w - w / 3 - 2, w - w / 4 - 2, w - w / 6 - 2};
  const int span = spans[static_cast<size_t>(ClampedLevel(job.Level) - 1)];
  auto give = [&](int cell) {
    if (!FreeForAllowedSet(job, cell))
      return 0;
    uint32_t mask = ValueBit(job.SolutionValue(cell));
    const int extra = RandomBelow(job.Random(), span) + 2;
    for (int k = 0; k < extra; ++k)
      mask |= ValueBit(RandomBelow(job.Random(), w) + 1);
    SetAllowedSet(job.Grid.Cells[cell], kAllowedTypeMask, static_cast<int32_t>(mask));
    return 1;
  };
  if (job.All)
    return job.CountUsed(job.Budget() - GiveEveryCell(job, 0, give));
  return SpendClueBudget(job, kSetFailures,
                         [&](int) { return give(RandomBelow(job.Random(), job.Geo().NCells)); });
}

int GenerateClockSegments(const ClueJob &job) {
  const int w = job.Geo().GridWidth;
  const int level = ClampedLevel(job.Level);
  const std::array<int, 4> ranges = {2 * w / 9, 4 * w / 9, 5 * w / 9, 7 * w / 9};
  const int range = ranges[static_cast<size_t>(level - 1)];
  const int least = level == 4 ? 1 : 0;
  auto give = [&](int cell) {
    if (!FreeForAllowedSet(job, cell))
      return 0;
    const uint32_t full = static_cast<uint32_t>(SegmentMask(job.SolutionValue(cell)));
    if (full == 0)
      return 0;
    uint32_t segments = full;
    const int off = std::min(std::popcount(full) - 1, RandomBelow(job.Random(), range) + least);
    for (int k = 0; k < off; ++k)
      TakeNthBit(RandomBelow(job.Random(), std::popcount(segments)) + 1, segments);
    SetAllowedSet(job.Grid.Cells[cell], kAllowedTypeSegments,
                  static_cast<int32_t>(segments ? segments : full));
    return 1;
  };
  if (job.All) {
    static constexpr std::array<int, 4> kDraw = {32, 20, 14, 10};
    const int unspent = job.Budget() - GiveEveryCell(job, kDraw[static_cast<size_t>(level - 1)], give);
    return job.Count - std::max(unspent, 0);
  }
  return SpendClueBudget(job, kSetFailures,
                         [&](int) { return give(RandomBelow(job.Random(), job.Geo().NCells)); });
}

int GenerateRomanSets(const ClueJob &job) {
  const GridGeometry &geo = job.Geo();
  return SpendClueBudget(job, kSetFailures, [&](int) {
    const int cell = ScanFromRandomCell(job.Random(), geo, [&](int c) { return FreeForAllowedSet(job, c); });
    if (cell < 0)
      return 0;
    // The numerals whose letters the value's own numeral holds in order.
    uint32_t entries = 0;
    for (int k = 1; k <= kRomanNumerals; ++k)
      if (AllowedSetTable(k) & static_cast<int32_t>(ValueBit(job.SolutionValue(cell))))
        entries |= 1u << (k - 1);
    const uint32_t bit = TakeNthBit(RandomBelow(job.Random(), std::popcount(entries)) + 1, entries);
    if (bit == 0)
      return 0;
    SetAllowedSet(job.Grid.Cells[cell], kAllowedTypeTable, std::countr_zero(bit) + 1);
    return 1;
  });
}

// ---- Groups ----

int GenerateEqualityGroups(const ClueJob &job) {
  const GridGeometry &geo = job.Geo();
  const int w = geo.GridWidth;
  static constexpr std::array<int, 17> kSizes = {2, 3, 3, 3, 4, 4, 4, 5, 5, 6, 6, 6, 6, 6, 8, 8, 8};
  auto free = [&](int cell) { return IsOpen(job, cell) && FindEqualityGroupOfCell(job.Grid, cell) < 0; };
  return SpendClueBudget(job, kSetFailures, [&](int) {
    const int size = std::clamp(kSizes[static_cast<size_t>(RandomBelow(job.Random(), 17))] * w / 16, 2,
                                kMostEqualityCells);
    const int start = RandomBelow(job.Random(), geo.NCells);
    if (!free(start))
      return 0;
    std::vector<int> cells = {start};
    // One full turn from a random cell: a value stands only W times in the grid.
    const int from = RandomBelow(job.Random(), geo.NCells);
    for (int k = 0; k < geo.NCells && static_cast<int>(cells.size()) < size; ++k) {
      const int cell = (from + k) % geo.NCells;
      if (cell != start && free(cell) && job.SolutionValue(cell) == job.SolutionValue(start))
        cells.push_back(cell);
    }
    if (cells.size() < 2)
      return 0;
    std::sort(cells.begin(), cells.end());
    // A group tells as much as its cells: it spends one per cell.
    return ToggleEqualityGroup(job.Grid, cells) == 1 ? static_cast<int>(cells.size()) : 0;
  });
}

int GenerateWheels(const ClueJob &job) {
  const GridGeometry &geo = job.Geo();
  const int w = geo.GridWidth;
  auto isCentre = [&](int cell) { return FindWheelOfCentre(job.Grid, cell) >= 0; };
  return SpendClueBudget(job, kSetFailures, [&](int) {
    const int r = RandomBelow(job.Random(), w - 2) + 1;
    const int c = RandomBelow(job.Random(), w - 2) + 1;
    const int cell = r * w + c;
    const std::array<int, 4> around = WheelCells(geo, cell); // off the border: all four there
    if (isCentre(cell) || std::any_of(around.begin(), around.end(), isCentre))
      return 0;
    if (std::all_of(around.begin(), around.end(), [&](int n) { return job.IsGiven(n); }))
      return 0;
    const int rotation = RandomBelow(job.Random(), 4);
    std::array<int, 4> values{};
    for (int k = 0; k < 4; ++k)
      values[static_cast<size_t>(k)] = job.SolutionValue(around[static_cast<size_t>((rotation + k) % 4)]);
    return ToggleWheel(job.Grid, cell, values, rotation) == 1 ? 1 : 0;
  });
}

int GenerateMasterMind(const ClueJob &job) {
  const GridGeometry &geo = job.Geo();
  const int w = geo.GridWidth;
  const int level = ClampedLevel(job.Level);
  MasterMindClue &mind = job.Grid.Lists.MasterMind;
  mind = MasterMindClue{};
  // c columns of a row drawn without repeat, ascending.
  auto drawColumns = [&](int c, std::array<int16_t, 16> &columns) {
    std::array<bool, 16> taken{};
    for (int k = 0; k < c; ++k) {
      int col = RandomBelow(job.Random(), w);
      while (taken[static_cast<size_t>(col)])
        col = (col + 1) % w;
      taken[static_cast<size_t>(col)] = true;
      columns[static_cast<size_t>(k)] = static_cast<int16_t>(col);
    }
    std::sort(columns.begin(), columns.begin() + c);
  };
  int c = 0;
  MasterMindGuess first;
  if (level <= 2) {
    first.Row = static_cast<int16_t>(RandomBelow(job.Random(), w));
    c = std::min(level == 1 ? 3 + RandomBelow(job.Random(), 2) : 4 + RandomBelow(job.Random(), 2), w);
    drawColumns(c, first.Columns);
    for (int k = 0; k < c; ++k)
      mind.Code[static_cast<size_t>(k)] =
          static_cast<int16_t>(job.SolutionValue(first.Row * w + first.Columns[static_cast<size_t>(k)]));
  } else {
    c = std::min(w == 4 ? 2 : RandomBelow(job.Random(), w - 4) + 3, w);
    std::array<bool, 16> used{};
    int position = 0;
    for (int k = 0; k < c; ++k) {
      position = (position + RandomBelow(job.Random(), w) + 1) % w;
      while (used[static_cast<size_t>(position)])
        position = (position + 1) % w;
      used[static_cast<size_t>(position)] = true;
      mind.Code[static_cast<size_t>(k)] = static_cast<int16_t>(position + 1);
    }
  }
  mind.CodeLength = static_cast<int16_t>(c);
  const int lines = job.All ? w : std::min(RandomBelow(job.Random(), w - 2) + 2, w);
  GridRecord *solution = nullptr;
  if (const int slot = MainGridSlot(job.Ctx.Grids, job.Grid); slot >= 0)
    solution = &job.Ctx.Grids.RefTab[static_cast<size_t>(slot)];
  std::array<bool, 16> rowTaken{};
  for (int j = 0; j < lines; ++j) {
    MasterMindGuess line;
    if (j == 0 && level <= 2) {
      line = first;
    } else {
      line.Row = static_cast<int16_t>(RandomBelow(job.Random(), w));
      while (rowTaken[static_cast<size_t>(line.Row)])
        line.Row = static_cast<int16_t>(RandomBelow(job.Random(), w));
      drawColumns(c, line.Columns);
    }
    rowTaken[static_cast<size_t>(line.Row)] = true;
    for (int k = 0; k < c; ++k) {
      const int cell = line.Row * w + line.Columns[static_cast<size_t>(k)];
      const int v = job.SolutionValue(cell);
      if (v == mind.Code[static_cast<size_t>(k)])
        ++line.Black;
      else if (std::find(mind.Code.begin(), mind.Code.begin() + c, v) != mind.Code.begin() + c)
        ++line.White;
    }
    mind.Lines.Append(line);
  }
  // The solution's cells name their lines too.
  MarkMasterMindCells(geo, job.Grid);
  if (solution)
    for (int cell = 0; cell < geo.NCells; ++cell)
      solution->Cells[cell].MasterMindLine = job.Grid.Cells[cell].MasterMindLine;
  const double cost = (job.Factor * c + job.Minimum) * lines;
  return static_cast<int>(job.Count - cost);
}

// ---- Whole-grid steps ----

int GenerateDanZone(const ClueJob &job, int total) {
  const GridGeometry &geo = job.Geo();
  const int w = geo.GridWidth;
  const int level = ClampedLevel(job.Level);
  const int scale = job.VarDepth * level / 4 + 100;
  int budget = total * scale / 100;
  static constexpr std::array<std::array<int, 2>, 4> kDistinct = {{{2, 2}, {4, 2}, {4, 3}, {4, 4}}};
  static constexpr std::array<int, 4> kCells = {4, 7, 10, 14};
  const auto [a, b] = kDistinct[static_cast<size_t>(level - 1)];
  const int most = std::max((RandomBelow(job.Random(), a) + b) * w / 9, 1);
  const int wanted =
      std::min((RandomBelow(job.Random(), kCells[static_cast<size_t>(level - 1)]) + 5) * w / 9, budget);
  int cells = wanted > most ? wanted : most + 1;
  DanGroup &dan = job.Grid.Lists.Dan;
  dan = DanGroup{};
  uint32_t used = 0;
  for (int failures = 0; failures < kDanFailures && cells > 0 && budget > 0 && dan.NCells < kMostDanCells;) {
    const int cell = RandomBelow(job.Random(), geo.NCells);
    const uint32_t bit = ValueBit(job.SolutionValue(cell));
    if (!IsOpen(job, cell) || FindDanCell(job.Grid, cell) >= 0 ||
        ((used & bit) == 0 && std::popcount(used) >= most)) {
      ++failures;
      continue;
    }
    used |= bit;
    dan.Cells[static_cast<size_t>(dan.NCells++)] = static_cast<int16_t>(cell);
    --budget;
    --cells;
    failures = 0;
  }
  dan.MaxDistinct = static_cast<int16_t>(std::popcount(used));
  return budget * 100 / scale;
}

int GenerateMagicSentence(const ClueJob &job) {
  EngineContext &ctx = job.Ctx;
  const GridGeometry &geo = ctx.Geo;
  MagicSentenceClue &sentence = job.Grid.Lists.MagicSentence;
  sentence = MagicSentenceClue{};
  if (PickMagicSentence(ctx) != geo.GridWidth)
    return 0;
  const std::string &letters = ctx.MagicSentence.Letters;
  // Letters A..Z only: the grid keeps them in its letter table.
  if (static_cast<int>(letters.size()) != geo.GridWidth)
    return 0;
  for (int v = 1; v <= geo.GridWidth; ++v) {
    const char letter = letters[static_cast<size_t>(v - 1)];
    if (letter < 'A' || letter > 'Z')
      return 0;
    sentence.LetterTable[static_cast<size_t>(letter - 'A')] = v;
  }
  std::vector<bool> listed(static_cast<size_t>(geo.NCells), false);
  for (const char letter : ctx.MagicSentence.Third) {
    if (letter < 'A' || letter > 'Z' || sentence.NCells == kMostSentenceCells)
      continue;
    const int value = sentence.LetterTable[static_cast<size_t>(letter - 'A')];
    if (value == 0)
      continue;
    // A cell of that value, an open one when there is still one.
    int pick = -1;
    for (const bool openOnly : {true, false}) {
      pick = ScanFromRandomCell(job.Random(), geo, [&](int c) {
        return !listed[static_cast<size_t>(c)] && job.SolutionValue(c) == value &&
               (!openOnly || IsOpen(job, c));
      });
      if (pick >= 0)
        break;
    }
    if (pick < 0)
      continue;
    listed[static_cast<size_t>(pick)] = true;
    sentence.Cells[static_cast<size_t>(sentence.NCells++)] = static_cast<int16_t>(pick);
  }
  return sentence.NCells;
}

} // namespace quorbel
