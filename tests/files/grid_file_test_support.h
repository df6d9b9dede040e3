// Builders for the grid file tests: grid sets whose every list item, cell field and game
// word is drawn from the seeded generator (within what a reader accepts), and the
// comparisons of what a file carries.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <type_traits>

#include "engine/engine_context.h"
#include "engine/grid_cells.h"
#include "engine/grid_shape.h"
#include "files/clue_shapes.h"
#include "files/sud_file_state.h"
#include "platform/random.h"

namespace quorbel::test {

class Draw {
public:
  explicit Draw(uint32_t seed) : random_(seed) {}
  // lo..hi; lo when the range is empty.
  int In(int lo, int hi) {
    return hi < lo ? lo : lo + static_cast<int>(Word() % static_cast<uint32_t>(hi - lo + 1));
  }
  uint32_t Word() {
    return (static_cast<uint32_t>(random_.Next()) << 17) ^ (random_.Next() << 2) ^ random_.Next();
  }
  int32_t Any() { return static_cast<int32_t>(Word()); }
  // Every byte of a plain record at random.
  template <typename T> void Noise(T &record) {
    static_assert(std::is_trivially_copyable_v<T>);
    auto *bytes = reinterpret_cast<unsigned char *>(&record);
    for (size_t i = 0; i < sizeof(T); ++i)
      bytes[i] = static_cast<unsigned char>(random_.Next());
  }

private:
  Random15 random_;
};

// Lists and work state filled with noise, then every count and every checked field of a
// counted item brought into the range a reader accepts; unused slots keep their noise.
inline void FillVariantLists(Draw &d, const GridGeometry &geo, VariantLists &l, VariantWork &w) {
  d.Noise(l);
  d.Noise(w);
  const int cells = geo.NCells - 1;
  const int width = geo.GridWidth;
  const int records = geo.AllocatedRecords() - 1;
  auto cell = [&] { return static_cast<CellRef>(d.In(0, cells)); };
  auto count = [&](auto &list) { list.Count = d.In(0, std::decay_t<decltype(list)>::kCapacity); };

  l.Layout.RowCount = static_cast<int16_t>(d.In(0, 16));
  for (auto &length : l.Layout.RowLength)
    length = static_cast<int16_t>(d.In(0, 16));
  for (int r = 0; r < l.Layout.RowCount; ++r)
    for (int k = 0; k < l.Layout.RowLength[r]; ++k)
      l.Layout.Cells[r][k] = cell();
  count(l.LittleKiller);
  for (auto &c : l.LittleKiller.Used()) {
    // A cell alone, or the main diagonal either way.
    const int kind = d.In(0, 2);
    c.FirstCell = kind == 0 ? cell() : static_cast<CellRef>(kind == 1 ? 0 : cells);
    c.LastCell = kind == 0 ? c.FirstCell : static_cast<CellRef>(kind == 1 ? cells : 0);
    const DiagonalRun run = LittleKillerRun(width, c.FirstCell, c.LastCell).value_or(DiagonalRun{});
    c.Step = static_cast<int16_t>(run.Step);
    c.NCells = static_cast<int16_t>(run.Count);
    for (int k = 0; k < c.NCells; ++k)
      c.Cells[k] = static_cast<CellRef>(c.FirstCell + k * run.Step);
  }
  count(l.Killer);
  for (auto &c : l.Killer.Used()) {
    c.NCells = static_cast<int16_t>(d.In(0, 10));
    for (int k = 0; k < c.NCells; ++k)
      c.Cells[k] = cell();
    c.IsProduct = static_cast<int16_t>(d.In(0, 1));
  }
  count(l.OddEven);
  for (auto &m : l.OddEven.Used()) {
    m.Cell = cell();
    m.Mark = static_cast<int16_t>(d.In(-1, 10));
  }
  count(l.Comparisons);
  for (auto &m : l.Comparisons.Used()) {
    m.CellA = cell();
    m.CellB = cell();
    m.Kind = static_cast<int16_t>(d.In(2, 9));
  }
  count(l.Distance);
  for (auto &c : l.Distance.Used()) {
    c.ValueA = static_cast<int16_t>(d.In(0, 16));
    c.ValueB = static_cast<int16_t>(d.In(0, 16));
    c.Distance = static_cast<int16_t>(d.In(-16, 16));
    c.Orientation = static_cast<int16_t>(d.In(0, 1));
    c.Line = static_cast<int16_t>(d.In(0, width - 1));
  }
  count(l.Pieces);
  for (auto &p : l.Pieces.Used()) {
    p.NCells = static_cast<int16_t>(d.In(0, 10));
    for (int k = 0; k < p.NCells; ++k) {
      p.Cells[k] = cell();
      p.Digits[k] = static_cast<int16_t>(d.In(0, 16));
      p.Identities[k] = static_cast<CellRef>(d.In(-1, records));
    }
    p.Rotation = static_cast<int16_t>(d.In(0, 3));
    p.Mirror = static_cast<int16_t>(d.In(0, 1));
    p.MarkedCell = static_cast<int16_t>(d.In(-1, 9));
    p.Placed = static_cast<int16_t>(d.In(0, 1));
    p.Found = static_cast<int16_t>(d.In(0, 1));
  }
  l.PieceParity = static_cast<int16_t>(d.In(0, 1));
  count(l.TwinsRelation);
  for (auto &t : l.TwinsRelation.Used()) {
    t.Cell = cell();
    t.OtherCell = cell();
    t.OtherGrid = static_cast<int16_t>(d.In(0, 11));
  }
  count(l.OddPairs);
  for (auto &m : l.OddPairs.Used()) {
    m.CellA = cell();
    m.CellB = cell();
    m.Kind = static_cast<int16_t>(d.In(0, 2));
  }
  count(l.Quads);
  for (auto &q : l.Quads.Used()) {
    for (auto &c : q.Cells)
      c = cell();
    q.Kind = static_cast<int16_t>(d.In(0, 2));
    q.MinCell = static_cast<CellRef>(d.In(-1, cells));
    q.MaxCell = static_cast<CellRef>(d.In(-1, cells));
  }
  count(l.TwinsZone);
  for (auto &z : l.TwinsZone.Used()) {
    z.Block = static_cast<int16_t>(d.In(0, width - 1));
    z.OtherBlock = static_cast<int16_t>(d.In(0, width - 1));
    z.OtherGrid = static_cast<int16_t>(d.In(0, 11));
  }
  l.MagicSentence.NCells = static_cast<int16_t>(d.In(0, 26));
  for (int k = 0; k < l.MagicSentence.NCells; ++k) {
    l.MagicSentence.Cells[k] = cell();
    l.MagicSentence.SavedValues[k] = static_cast<int16_t>(d.In(-1, 16));
  }
  w.MagicSentenceState = static_cast<int8_t>(d.In(0, 2));
  count(l.Arrows);
  for (auto &a : l.Arrows.Used()) {
    a.NCells = static_cast<int16_t>(d.In(1, 10));
    for (int k = 0; k < a.NCells; ++k)
      a.Cells[k] = cell();
  }
  count(l.Creasing);
  for (int i = 0; i < l.Creasing.Size(); ++i) {
    auto &c = l.Creasing.Items[i];
    c.Kind = static_cast<int16_t>(d.In(0, 3));
    c.NCells = static_cast<int16_t>(d.In(0, 10));
    for (int k = 0; k < c.NCells; ++k)
      c.Cells[k] = cell();
    w.CreasingDirection[i] = static_cast<int8_t>(d.In(-2, 1));
  }
  l.Dan.NCells = static_cast<int16_t>(d.In(0, 80));
  for (int k = 0; k < l.Dan.NCells; ++k)
    l.Dan.Cells[k] = cell();
  count(l.Equality);
  for (auto &e : l.Equality.Used()) {
    e.NCells = static_cast<int16_t>(d.In(0, 16));
    for (int k = 0; k < e.NCells; ++k)
      e.Cells[k] = cell();
  }
  count(l.Wheels);
  for (auto &wheel : l.Wheels.Used()) {
    wheel.Centre = cell();
    for (auto &v : wheel.Values)
      v = static_cast<int16_t>(d.In(0, 16));
    wheel.Rotation = static_cast<int16_t>(d.In(0, 3));
  }
  count(l.Pan);
  for (int i = 0; i < l.Pan.Size(); ++i) {
    auto &p = l.Pan.Items[i];
    for (auto &b : p.Blocks)
      b = static_cast<int16_t>(d.In(-1, width - 1));
    p.Position = static_cast<int16_t>(d.In(-1, width - 1));
    for (auto &o : p.Operators)
      o = static_cast<int16_t>(d.In(0, 9));
    w.PanNumberCount[i] = static_cast<int8_t>(d.In(0, 4));
    w.PanDigitCount[i] = static_cast<int8_t>(d.In(-1, 4));
    for (int n = 0; n < w.PanNumberCount[i]; ++n)
      for (int k = 0; k < w.PanDigitCount[i]; ++k)
        w.PanDigitCells[i][n][k] = cell();
  }
  count(l.Navigator);
  for (auto &n : l.Navigator.Used()) {
    n.Cell = cell();
    n.Direction = static_cast<int16_t>(d.In(0, 11));
  }
  count(l.Chess);
  for (auto &c : l.Chess.Used()) {
    c.Cell = cell();
    c.Kind = static_cast<int16_t>(d.In(0, 5));
    c.Colour = static_cast<int16_t>(d.In(0, 1));
  }
  for (auto &v : w.FigureValue)
    v = static_cast<int8_t>(d.In(-1, 16));
  count(l.MagicSquares);
  for (auto &m : l.MagicSquares.Used()) {
    m.NCells = static_cast<int16_t>(d.In(0, 16));
    for (int k = 0; k < m.NCells; ++k)
      m.Cells[k] = cell();
  }
  count(l.Transfer);
  for (auto &t : l.Transfer.Used())
    t.Cell = cell();
  l.TwinsPartner = static_cast<int16_t>(d.In(-1, 11));
  count(l.MultTable);
  for (auto &m : l.MultTable.Used())
    for (auto &c : m.Cells)
      c = cell();
  count(l.MasterMind.Lines);
  l.MasterMind.CodeLength = static_cast<int16_t>(d.In(0, 16));
  for (int k = 0; k < l.MasterMind.CodeLength; ++k)
    l.MasterMind.Code[k] = static_cast<int16_t>(d.In(0, 16));
  l.SubstitutionOwner = static_cast<int16_t>(d.In(0, 1));
  count(l.TwinsMultiple);
  for (auto &t : l.TwinsMultiple.Used()) {
    t.NCells = static_cast<int16_t>(d.In(0, 16));
    t.OtherGrid = static_cast<int16_t>(d.In(-1, 11));
    for (int k = 0; k < t.NCells; ++k) {
      t.Cells[k] = cell();
      t.OtherCells[k] = cell();
    }
  }
  for (auto &row : w.PieceLayoutBoard)
    for (auto &square : row)
      square = static_cast<int16_t>(d.In(-2, records));
  // Clues stand beside the grid's own lines only.
  for (auto &side : l.Frame.Kind)
    for (int line = 0; line < 16; ++line)
      side[line] = static_cast<int16_t>(line < width ? d.In(0, 6) : 0);
  for (int s = 0; s < 4; ++s)
    for (int line = 0; line < 16; ++line) {
      l.Outside.Count[s][line] = static_cast<int16_t>(line < width ? d.In(0, 16) : 0);
      for (int k = 0; k < l.Outside.Count[s][line]; ++k)
        l.Outside.Values[s][line][k] = static_cast<int16_t>(d.In(0, 16));
      l.Outside.Kind[s][line] = static_cast<int16_t>(d.In(0, 3));
    }
  for (auto &flag : l.RegionOn)
    flag = static_cast<int16_t>(d.In(0, 1));
  for (int i = 0; i < 16; ++i) {
    w.BoatsPerRow[i] = static_cast<int8_t>(d.In(0, 16));
    w.BoatsPerCol[i] = static_cast<int8_t>(d.In(0, 16));
    l.BoatClueRow[i] = static_cast<int8_t>(d.In(0, 16));
    l.BoatClueCol[i] = static_cast<int8_t>(d.In(0, 16));
    w.SubstitutionMap[i] = static_cast<int8_t>(d.In(-1, 15));
    l.SameInLine.RowClue[i] = static_cast<int16_t>(d.In(-1, 16));
  }
  l.SameInLine.PartnerGrid = static_cast<int16_t>(d.In(-1, 11));
}

// The fields of a playing or summary record that the 22-word record carries.
inline void FillRecordFields(Draw &d, const GridGeometry &geo, CellRecord &c) {
  c.Value = d.In(0, geo.GridWidth);
  c.Status = d.In(0, 16);
  c.Marks = d.Word();
  c.Boat = static_cast<int8_t>(d.In(0, 2));
  c.CellClass = static_cast<int16_t>(d.In(0, 16));
  c.Numeral = static_cast<int16_t>(d.In(-1, 255));
  c.AllowedIndex = d.Any();
  c.AllowedMaskWord = d.Word();
  c.AllowedType = d.In(0, 4);
  c.AllowedSet = d.Word();
  c.OddEven = static_cast<int16_t>(d.In(-1, 10));
  c.ImageIndex = static_cast<int16_t>(d.In(-1, 66));
  c.ImageFlag = static_cast<int16_t>(d.In(-30000, 30000));
  c.MarkerState = d.Any();
  c.SurpriseKind = d.Any();
  c.SurpriseAmount = d.Any();
}

// A grid set of `grids` grids (the first `mainGrids` of them main grids) on `shape`, every
// file-carried field drawn at random, laid out as the engine lays a grid out.
inline void FillGridSet(Draw &d, EngineContext &ctx, int shape, int mainGrids, int grids) {
  SetGridShape(ctx, shape, 1, 0);
  const GridGeometry &geo = ctx.Geo;
  GridSet &set = ctx.Grids;
  set.MainCount = mainGrids;
  set.AllCount = grids;
  set.OrderCount = d.In(1, grids);
  for (int i = 0; i < set.OrderCount; ++i)
    set.Order[i] = d.In(0, grids - 1);
  set.FocusCell = d.In(-2, geo.CellLimit - 1);
  set.FocusGrid = d.In(0, grids - 1);
  set.SpareWord = d.In(0, 1);
  for (int g = 0; g < grids; ++g) {
    GridRecord &grid = set.Main[g];
    grid.GridVar = {d.Word(), d.Word()};
    FillVariantLists(d, geo, grid.Lists, grid.Work);
    ResetRegionTables(geo, grid);
    for (int r = 0; r < grid.NRecords; ++r)
      FillRecordFields(d, geo, grid.Cells[r]);
    // The engine derives these from the lists; a loaded grid does the same.
    ResetRegionTables(geo, grid);
    grid.State = d.In(3, 9);
    grid.SudMissing = d.In(-1, geo.NCells);
    grid.Comment = "Grille n\xC2\xB0" + std::to_string(g) + " \xC3\xA9t\xC3\xA9";
    for (CellRecord &cell : set.RefTab[g].PlayingCells(geo)) {
      cell.Value = d.In(0, geo.GridWidth);
      cell.Status = d.In(0, 16);
    }
  }
}

inline SudFileContent RandomContent(Draw &d, const EngineContext &ctx, int undoSteps) {
  SudFileContent content;
  SudGameState &game = content.Game;
  for (int i = 0; i < kNumeralCount; ++i) {
    game.NumeralStrings[i] = "num\xC3\xA9ral " + std::to_string(d.In(0, 999));
    game.NumeralTable1[i] = d.Any();
    game.NumeralTable2[i] = d.Any();
  }
  game.TimeStamp = (int64_t{d.Any()} << 20) ^ d.Any();
  game.Paused = d.In(0, 1);
  game.NewGridFlag = d.In(0, 1);
  game.WordAfterPause = d.Any();
  game.HighestMethodLevel = d.In(-1, 20);
  for (int32_t &word : game.GameWords)
    word = d.Any();
  game.GameScore = static_cast<float>(d.In(0, 2000)) / 100.0f;
  game.GameMode = d.In(0, 7);
  game.SaveTick = d.Word();
  for (UsageStopwatch &watch : game.UsageTimers)
    watch = {d.Any(), d.In(0, 100000)};
  game.ClockElapsedMs = d.In(0, 10000000);
  game.ClockLimitMs = d.In(0, 10000000);
  game.ViewLayoutWords = {d.Any(), d.Any()};
  for (int32_t &word : game.MethodWords)
    word = d.Any();
  game.MethodWords[2] = d.In(0, 5);
  for (int32_t &flag : game.ShownFlags)
    flag = d.In(0, 1);
  SudSettingsBlock &settings = game.Settings.emplace();
  for (int32_t &key : settings.LayoutKeys)
    key = d.Any();
  settings.DisplayBarDx = d.In(0, 65535) / 65535.0;
  for (int32_t &key : settings.DisplayKeys)
    key = d.Any();
  settings.GridCurrVariant = (uint64_t{d.Word()} << 32) | d.Word();
  for (int32_t &key : settings.PlayKeys)
    key = d.Any();
  settings.ImageName = "Animals.ani";
  settings.BackgroundImage = "BackGround/m\xC3\xA9t\xC3\xA9o.jpg";
  settings.CatalogBaseType = d.In(-1, 99);
  settings.CatalogBaseGrid = d.In(-1, 999);
  for (int32_t &picture : settings.PictureOrder)
    picture = d.In(0, 15);
  game.CommentEnglish = "A comment";
  game.CommentFrench = "Un commentaire \xC3\xA0 lire";
  for (auto &placement : game.Placements)
    for (int32_t &word : placement)
      word = d.Any();

  const GridSet &set = ctx.Grids;
  for (int i = 0; i < undoSteps; ++i) {
    auto &step = content.Undo.Steps.emplace_back();
    for (int g = 0; g < set.MainCount; ++g) {
      const GridRecord &grid = set.Main[g];
      auto &cells = step.emplace_back(grid.Cells.begin(), grid.Cells.begin() + grid.NRecords);
      for (CellRecord &cell : cells) {
        FillRecordFields(d, ctx.Geo, cell);
        cell.ThePoss = d.Word();
        cell.ValueScores[d.In(0, 15)] = d.Any();
        cell.Partner1 = static_cast<int16_t>(d.In(-1, grid.NRecords - 1));
        cell.ColourSet = d.Any();
      }
    }
  }
  content.Undo.PtUndo = undoSteps > 0 ? d.In(0, undoSteps) : 0;
  for (int g = 0; g < set.AllCount; ++g) {
    d.Noise(content.Carried.Reserved[g]);
    content.Carried.CellWords[g].resize(static_cast<size_t>(set.Main[g].NRecords));
    for (CarriedCellWords &words : content.Carried.CellWords[g])
      for (int32_t &word : words)
        word = d.Any();
  }
  return content;
}

// What the 22-word record of a cell carries, compared field by field.
inline void ExpectSameRecordFields(const CellRecord &a, const CellRecord &b, const std::string &where) {
  SCOPED_TRACE(where);
  EXPECT_EQ(a.Value, b.Value);
  EXPECT_EQ(a.Status, b.Status);
  EXPECT_EQ(a.Marks, b.Marks);
  EXPECT_EQ(a.Boat, b.Boat);
  EXPECT_EQ(a.CellClass, b.CellClass);
  EXPECT_EQ(a.Numeral, b.Numeral);
  EXPECT_EQ(a.AllowedIndex, b.AllowedIndex);
  EXPECT_EQ(a.AllowedMaskWord, b.AllowedMaskWord);
  EXPECT_EQ(a.AllowedType, b.AllowedType);
  EXPECT_EQ(a.AllowedSet, b.AllowedSet);
  EXPECT_EQ(a.OddEven, b.OddEven);
  EXPECT_EQ(a.ImageIndex, b.ImageIndex);
  EXPECT_EQ(a.ImageFlag, b.ImageFlag);
  EXPECT_EQ(a.MarkerState, b.MarkerState);
  EXPECT_EQ(a.SurpriseKind, b.SurpriseKind);
  EXPECT_EQ(a.SurpriseAmount, b.SurpriseAmount);
}

// Every grid of the set as a file carries it: geometry, set words, variant words, lists
// and work state, the cells' record fields, state, comment and the reference values.
inline void ExpectSameGridSet(const EngineContext &a, const EngineContext &b) {
  ASSERT_EQ(a.Geo.NRows, b.Geo.NRows);
  ASSERT_EQ(a.Geo.BlockRows, b.Geo.BlockRows);
  ASSERT_EQ(a.Geo.BlockCols, b.Geo.BlockCols);
  const GridSet &x = a.Grids;
  const GridSet &y = b.Grids;
  ASSERT_EQ(x.AllCount, y.AllCount);
  EXPECT_EQ(x.MainCount, y.MainCount);
  EXPECT_EQ(x.OrderCount, y.OrderCount);
  for (int i = 0; i < x.OrderCount; ++i)
    EXPECT_EQ(x.Order[i], y.Order[i]);
  EXPECT_EQ(x.FocusCell, y.FocusCell);
  EXPECT_EQ(x.FocusGrid, y.FocusGrid);
  EXPECT_EQ(x.SpareWord, y.SpareWord);
  for (int g = 0; g < x.AllCount; ++g) {
    const GridRecord &p = x.Main[g];
    const GridRecord &q = y.Main[g];
    SCOPED_TRACE("grid " + std::to_string(g));
    EXPECT_EQ(p.GridVar, q.GridVar);
    EXPECT_TRUE(p.Lists == q.Lists);
    EXPECT_TRUE(p.Work == q.Work);
    EXPECT_EQ(p.State, q.State);
    EXPECT_EQ(p.SudMissing, q.SudMissing);
    EXPECT_EQ(p.Comment, q.Comment);
    ASSERT_EQ(p.NRecords, q.NRecords);
    for (int r = 0; r < p.NRecords; ++r)
      ExpectSameRecordFields(p.Cells[r], q.Cells[r], "record " + std::to_string(r));
    const auto refP = x.RefTab[g].PlayingCells(a.Geo);
    const auto refQ = y.RefTab[g].PlayingCells(b.Geo);
    ASSERT_EQ(refP.size(), refQ.size());
    for (size_t i = 0; i < refP.size(); ++i) {
      EXPECT_EQ(refP[i].Value, refQ[i].Value);
      EXPECT_EQ(refP[i].Status, refQ[i].Status);
    }
  }
}

} // namespace quorbel::test
