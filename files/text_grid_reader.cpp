// The text grid reader: the header and size are checked, the body is parsed whole into a
// stage (text_grid_parser), and only a text read to its end replaces or extends the grid set.
#include "files/text_grid_reader.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "engine/digit_tables.h"
#include "engine/engine_context.h"
#include "engine/grid_shape.h"
#include "engine/puzzle_pieces.h"
#include "files/sud_file_format.h"
#include "files/text_grid_parser.h"

namespace quorbel {

namespace {

struct Header {
  bool TooLarge = false;   // larger than any text grid: not read at all
  bool Recognised = false; // the first line is the header
  int Size = 0;
  std::vector<std::string> Lines;
};

// The header line, the size line and the rest.
Header ReadHeader(std::span<const uint8_t> bytes) {
  Header header;
  header.TooLarge = bytes.size() > kMaxTextGridFileBytes;
  if (header.TooLarge)
    return header;
  header.Lines = SplitTextLines(std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()));
  header.Recognised = !header.Lines.empty() && header.Lines[0].starts_with(kTextGridHeader);
  if (header.Recognised && header.Lines.size() > 1)
    header.Size = ParseTextInt(header.Lines[1]).value_or(0);
  return header;
}

TextGridResult Refused(FileFailure failure, std::string message) {
  TextGridResult result;
  result.Failure = failure;
  result.Message = std::move(message);
  return result;
}

// The refusal of a text whose size or first line is wrong, as it was read.
TextGridResult NotATextGrid(const Header &header, size_t bytes) {
  if (header.TooLarge)
    return Refused(FileFailure::TooLarge, std::to_string(bytes) + " bytes, at most " +
                                              std::to_string(kMaxTextGridFileBytes) + " for a text grid");
  return Refused(FileFailure::NotAGridFile, "the first line is not \"" + std::string(kTextGridHeader) + "\"");
}

bool IsShapeSize(int size) {
  return std::any_of(kGridShapes.begin(), kGridShapes.end(),
                     [&](const GridShape &s) { return s.Size == size; });
}

// Files written before held a turned Tiled piece's digits as it showed them (9 for 6, 5 for 2).
// A piece whose digits disagree with the grid's known values, where they agree read upside down
// or mirrored, is read that way: the grid keeps its solution.
void ReadTiledDigitsAsTheyLie(StagedTextGrid &staged) {
  if (!Meets(staged.Var, kVarTiled))
    return;
  auto known = [&](CellRef c) {
    if (c < 0 || static_cast<size_t>(c) >= staged.Cells.size())
      return 0;
    const StagedCell &e = staged.Cells[static_cast<size_t>(c)];
    return e.Value != 0 ? e.Value : e.RefValue;
  };
  auto agrees = [&](const PuzzlePiece &piece, auto turn) {
    for (int k = 0; k < std::clamp<int>(piece.NCells, 0, kMaxPieceDigits); ++k) {
      const int digit = piece.Digits[static_cast<size_t>(k)];
      if (digit == 0)
        continue;
      const int shown = turn(digit);
      const int value = known(piece.Cells[static_cast<size_t>(k)]);
      if (shown < 0 || (value != 0 && value != shown))
        return false;
    }
    return true;
  };
  for (PuzzlePiece &piece : staged.Lists->Pieces.Used()) {
    if (agrees(piece, [](int d) { return d; }))
      continue;
    for (auto turn : {DigitUpsideDown, DigitMirror})
      if (agrees(piece, turn)) {
        for (int k = 0; k < std::clamp<int>(piece.NCells, 0, kMaxPieceDigits); ++k)
          if (int16_t &digit = piece.Digits[static_cast<size_t>(k)]; digit != 0)
            digit = static_cast<int16_t>(turn(digit));
        break;
      }
  }
}

// A turn the grid's rule does not allow would show the player a piece that cannot lie that way.
void KeepAllowedTurns(GridRecord &grid) {
  for (PuzzlePiece &piece : grid.Lists.Pieces.Used()) {
    const PieceTurns turns = AllowedPieceTurns(grid, piece);
    if (piece.Rotation < 0 || piece.Rotation > 3 || ((turns.Rotations >> piece.Rotation) & 1u) == 0)
      piece.Rotation = 0;
    if (!turns.Mirror)
      piece.Mirror = 0;
  }
}

void ApplyGrid(EngineContext &ctx, int slot, StagedTextGrid &staged) {
  ReadTiledDigitsAsTheyLie(staged);
  GridRecord &grid = ctx.Grids.Main[slot];
  GridRecord &reference = ctx.Grids.RefTab[slot];
  for (GridRecord *g : {&grid, &reference}) {
    ClearGrid(ctx, *g, kResetAll);
    ResetGridState(*g);
    g->GridVar = {};
  }
  grid.GridVar = staged.Var;
  grid.Lists = *staged.Lists;
  KeepAllowedTurns(grid);
  grid.Work.SubstitutionMap = staged.SubstitutionMap;
  auto cells = grid.PlayingCells(ctx.Geo);
  auto references = reference.PlayingCells(ctx.Geo);
  for (size_t i = 0; i < staged.Cells.size() && i < cells.size(); ++i) {
    const StagedCell &e = staged.Cells[i];
    CellRecord &cell = cells[i];
    if (e.Value != 0)
      StoreCellValue(ctx.Geo, cell, e.Value, kStatusFixed);
    if (e.RefValue != 0)
      StoreCellValue(ctx.Geo, references[i], e.RefValue, e.RefStatus);
    cell.CellClass = e.Class;
    cell.Numeral = e.Numeral;
    if (e.AllowedType != kAllowedTypeNone)
      SetAllowedSet(cell, e.AllowedType, e.AllowedIndex);
    cell.SurpriseKind = e.SurpriseKind;
    cell.SurpriseAmount = e.SurpriseAmount;
    cell.SurpriseWords[0] = e.SurpriseWord;
    cell.CrossedOut = e.CrossedOut ? 1 : 0;
  }
  // Block layouts, extra regions and odd/even marks follow the lists just read; the pieces get
  // the records that show them.
  BuildGridTables(ctx, 0, 0, slot);
  ShowPuzzlePieces(ctx, grid);
}

// Parses the body of a text whose header was read into a stage for `geo`.
std::optional<std::string> ParseBody(const Header &header, const GridGeometry &geo, int firstSlot,
                                     TextGridStage &stage) {
  constexpr size_t kFirstBodyLine = 2;
  const std::string error = ParseTextGrid(header.Lines, kFirstBodyLine, geo, firstSlot, stage);
  if (!error.empty())
    return error;
  return std::nullopt;
}

TextGridResult Loaded(TextGridStage &stage, TextGridInfo &info, int firstSlot) {
  TextGridResult result;
  result.Ok = true;
  result.Warnings = std::move(stage.Warnings);
  result.FirstGrid = firstSlot;
  result.GridCount = static_cast<int>(stage.Grids.size());
  info = std::move(stage.Info);
  return result;
}

} // namespace

int TextGridSize(std::span<const uint8_t> bytes) {
  const Header header = ReadHeader(bytes);
  return header.Recognised ? header.Size : 0;
}

namespace {

// The text read whole on the default shape of its size; the stage is filled when it reads.
TextGridResult StageTextGrid(std::span<const uint8_t> bytes, Header &header, TextGridStage &stage) {
  header = ReadHeader(bytes);
  if (!header.Recognised)
    return NotATextGrid(header, bytes.size());
  if (!IsShapeSize(header.Size))
    return Refused(FileFailure::UnplayableSize,
                   "size " + std::to_string(header.Size) + " is not one of 4, 6, 8, 9, 12 and 16");
  GridGeometry geo;
  const GridShape &shape = kGridShapes[ShapeCodeOfSize(header.Size)];
  geo.NRows = geo.NCols = geo.GridWidth = shape.Size;
  geo.BlockRows = shape.BlockRows;
  geo.BlockCols = shape.BlockCols;
  ComputeGeometryTables(geo);
  if (auto error = ParseBody(header, geo, 0, stage))
    return Refused(FileFailure::Damaged, *error);
  TextGridResult result;
  result.Ok = true;
  return result;
}

} // namespace

TextGridResult CheckTextGrid(std::span<const uint8_t> bytes) {
  Header header;
  auto stage = std::make_unique<TextGridStage>();
  return StageTextGrid(bytes, header, *stage);
}

TextGridResult OpenTextGrid(std::span<const uint8_t> bytes, EngineContext &ctx, TextGridInfo &info) {
  Header header;
  auto stage = std::make_unique<TextGridStage>();
  if (TextGridResult staged = StageTextGrid(bytes, header, *stage); !staged.Ok)
    return staged;

  SetGridSize(ctx, header.Size, 1);
  GridSet &set = ctx.Grids;
  const int grids = static_cast<int>(stage->Grids.size());
  int mainGrids = 0;
  for (int g = 0; g < grids; ++g) {
    ApplyGrid(ctx, g, stage->Grids[g]);
    if (!stage->Grids[g].Linked)
      mainGrids = g + 1;
  }
  set.MainCount = std::max(mainGrids, 1);
  set.AllCount = grids;
  set.OrderCount = grids;
  set.Order = GridSet::IdentityOrder();
  set.FocusCell = -1;
  set.FocusGrid = 0;
  set.SpareWord = stage->SpareWord ? 1 : 0;
  return Loaded(*stage, info, 0);
}

TextGridResult ImportTextGrid(std::span<const uint8_t> bytes, EngineContext &ctx, TextGridInfo &info) {
  const Header header = ReadHeader(bytes);
  if (!header.Recognised)
    return NotATextGrid(header, bytes.size());
  if (header.Size != ctx.Geo.GridWidth)
    return Refused(FileFailure::SizeMismatch, "the text's size is " + std::to_string(header.Size) +
                                                  ", the grids' " + std::to_string(ctx.Geo.GridWidth));
  GridSet &set = ctx.Grids;
  if (set.AllCount != set.MainCount)
    return Refused(FileFailure::LinkedGrids, std::to_string(set.AllCount - set.MainCount) + " linked grids");
  auto stage = std::make_unique<TextGridStage>();
  const int first = set.AllCount;
  if (auto error = ParseBody(header, ctx.Geo, first, *stage))
    return Refused(FileFailure::Damaged, *error);
  const int grids = static_cast<int>(stage->Grids.size());
  for (int g = 0; g < grids; ++g) {
    ApplyGrid(ctx, first + g, stage->Grids[g]);
    if (!stage->Grids[g].Linked)
      set.MainCount = first + g + 1;
    if (set.OrderCount < kMaxGrids)
      set.Order[set.OrderCount++] = first + g;
  }
  set.AllCount = first + grids;
  if (stage->SpareWord)
    set.SpareWord = 1;
  return Loaded(*stage, info, first);
}

} // namespace quorbel
