// The rebuild memo. For each playing cell it keeps what InitPossibles read there (status,
// value, marks, and the candidate words it left alone) and what it wrote; for each unit
// summary the words it wrote. While every read word is as it was, the rebuild would write
// the same words again, so they are written back; any difference is a miss, and the
// rebuild runs. Words the rebuild neither reads nor writes are not touched.
#include "engine/candidate_memo.h"

#include <array>
#include <vector>

#include "engine/engine_context.h"
#include "engine/grid_record.h"

namespace quorbel {

namespace {

// The rules whose preparation writes beyond the grid's value words (the shared parity, the
// chess attacks) or whose units read other records (diagonals, extra regions): their grids
// are always rebuilt.
constexpr VariantWords kNotRemembered = kVarOdd | kVarOddPair | kVarChess | kVarDiagonal | kVarExtraRegion;

constexpr uint32_t kAll = ~0u;

// A playing cell. A candidate word the rebuild wrote has its care mask 0: it is written
// back. One it left alone is compared instead (care mask all ones) and stays as it is.
struct CellMemo {
  int32_t Status;
  int32_t Value;
  uint32_t Marks;
  uint32_t ThePoss, PossCare;
  uint32_t Excluded, ExcludedCare;
  int32_t NPoss;
  uint32_t NPossCare;
  int32_t Check;
};

// A row, column or block summary: its status is read (a pencilled one keeps it).
struct UnitMemo {
  int32_t Status;
  uint32_t ThePoss;
  uint32_t Excluded;
  int32_t Check;
  int32_t NPoss;
};

struct SlotMemo {
  bool Valid = false;
  int32_t GridId = 0;
  int32_t NRecords = 0;
  VariantWords GridVar;
  int32_t State = 0;
  int32_t SudMissing = 0;
  uint32_t NumberBarProbables = 0;
  LastPassFindings Findings;
  std::vector<CellMemo> Cells;
  std::vector<UnitMemo> Units;
};

// Which candidate words InitPossibles wrote in a playing cell, from what it left there.
struct Wrote {
  bool ThePoss = false, Excluded = false, NPoss = false;
};
Wrote WroteInCell(const CellRecord &cell) {
  switch (cell.Status) {
  case kStatusEmpty:
  case kStatusPencilled:
    return {true, true, true};
  case kStatusPlaced:
  case kStatusPlacedLastStep:
  case kStatusFixed:
    // Written or not as a repeat elsewhere decides: compared, they are written only when
    // they are as the rebuild would leave them.
    return {};
  case kStatusHypothesis:
    return {true, false, true};
  default:
    return {false, false, cell.Status > kStatusPencilled};
  }
}

// The row, column and block summaries that CheckGridUnits writes: fn(memo entry, record).
template <typename Fn> void ForEachUnit(const GridGeometry &geo, Fn fn) {
  const int w = geo.GridWidth;
  for (int u = 0; u < w; ++u) {
    fn(3 * u, geo.RowUnitBase + u);
    fn(3 * u + 1, geo.ColUnitBase + u);
    fn(3 * u + 2, geo.BlockUnitBase + u);
  }
}

bool SameReads(const CellMemo &m, const CellRecord &c) {
  const uint32_t differ =
      static_cast<uint32_t>(m.Status ^ c.Status) | static_cast<uint32_t>(m.Value ^ c.Value) |
      (m.Marks ^ c.Marks) | ((m.ThePoss ^ c.ThePoss) & m.PossCare) |
      ((m.Excluded ^ c.Excluded) & m.ExcludedCare) | (static_cast<uint32_t>(m.NPoss ^ c.NPoss) & m.NPossCare);
  return differ == 0;
}

} // namespace

struct CandidateMemo {
  std::array<SlotMemo, kMaxGrids> Slots;
};

CandidateMemoScope::CandidateMemoScope(EngineContext &ctx) : ctx_(ctx), owner_(ctx.InitMemo == nullptr) {
  if (owner_)
    ctx_.InitMemo = std::make_shared<CandidateMemo>();
}

CandidateMemoScope::~CandidateMemoScope() {
  if (owner_)
    ctx_.InitMemo.reset();
}

bool TakeRememberedInit(EngineContext &ctx, int slot, GridRecord &grid, LastPassFindings &findings) {
  if (!ctx.InitMemo || slot < 0 || slot >= kMaxGrids)
    return false;
  const SlotMemo &memo = ctx.InitMemo->Slots[static_cast<size_t>(slot)];
  if (!memo.Valid || memo.GridId != grid.Id || memo.NRecords != grid.NRecords ||
      !(memo.GridVar == grid.GridVar))
    return false;
  const GridGeometry &geo = ctx.Geo;
  CellRecord *cells = grid.Cells.data();
  const int n = geo.NCells;
  // One pass: a cell is written back once its reads compare equal. A miss further on leaves
  // the cells before it half restored, which is no harm: the rebuild that follows writes
  // every one of those words again, and reads none of them.
  const bool rules = memo.Findings.Rules;
  bool marked = false;
  for (int i = 0; i < n; ++i) {
    const CellMemo &m = memo.Cells[static_cast<size_t>(i)];
    CellRecord &cell = cells[i];
    if (!SameReads(m, cell))
      return false;
    cell.ThePoss = m.ThePoss;
    cell.Excluded = m.Excluded;
    cell.NPoss = m.NPoss;
    cell.Check = m.Check;
    cell.ProbableMask = 0;
    if (rules) {
      cell.OddEvenError = 0;
      cell.Partner1 = cell.Partner2 = -1;
      marked |= cell.OddEven != -1;
    }
  }
  bool sameUnits = true;
  ForEachUnit(
      geo, [&](int k, int r) { sameUnits &= memo.Units[static_cast<size_t>(k)].Status == cells[r].Status; });
  if (!sameUnits)
    return false;
  for (int r = n; r < memo.NRecords; ++r) {
    cells[r].Check = kCheckConsistent;
    if (rules)
      cells[r].OddEvenError = 0;
  }
  ForEachUnit(geo, [&](int k, int r) {
    const UnitMemo &m = memo.Units[static_cast<size_t>(k)];
    CellRecord &unit = cells[r];
    unit.ThePoss = m.ThePoss;
    unit.Excluded = m.Excluded;
    unit.Check = m.Check;
    unit.NPoss = m.NPoss;
  });
  cells[geo.NumberBar()].ProbableMask = memo.NumberBarProbables;
  grid.State = memo.State;
  grid.SudMissing = memo.SudMissing;
  findings = memo.Findings;
  if (rules)
    findings.MarkedCells = marked;
  return true;
}

void RememberInit(EngineContext &ctx, int slot, const GridRecord &grid, const LastPassFindings &findings) {
  if (!ctx.InitMemo || slot < 0 || slot >= kMaxGrids)
    return;
  SlotMemo &memo = ctx.InitMemo->Slots[static_cast<size_t>(slot)];
  memo.Valid = !Meets(grid.GridVar, kNotRemembered);
  if (!memo.Valid)
    return;
  const GridGeometry &geo = ctx.Geo;
  memo.GridId = grid.Id;
  memo.NRecords = grid.NRecords;
  memo.GridVar = grid.GridVar;
  memo.State = grid.State;
  memo.SudMissing = grid.SudMissing;
  memo.NumberBarProbables = grid.Cells[geo.NumberBar()].ProbableMask;
  memo.Findings = findings;
  memo.Cells.resize(static_cast<size_t>(geo.NCells));
  for (int i = 0; i < geo.NCells; ++i) {
    const CellRecord &c = grid.Cells[i];
    const Wrote wrote = WroteInCell(c);
    memo.Cells[static_cast<size_t>(i)] = {c.Status,
                                          c.Value,
                                          c.Marks,
                                          c.ThePoss,
                                          wrote.ThePoss ? 0u : kAll,
                                          c.Excluded,
                                          wrote.Excluded ? 0u : kAll,
                                          c.NPoss,
                                          wrote.NPoss ? 0u : kAll,
                                          c.Check};
  }
  memo.Units.resize(static_cast<size_t>(3 * geo.GridWidth));
  ForEachUnit(geo, [&](int k, int r) {
    const CellRecord &u = grid.Cells[r];
    memo.Units[static_cast<size_t>(k)] = {u.Status, u.ThePoss, u.Excluded, u.Check, u.NPoss};
  });
}

} // namespace quorbel
