// The cell record and cell image layouts as walks over one cell.
#include "files/sud_file_cells.h"

#include "engine/cell_record.h"
#include "engine/geometry.h"
#include "engine/grid_set.h"

namespace quorbel {

namespace {

constexpr int32_t kHighestStatus = 16; // statuses above 7 are action codes kept as status
constexpr int32_t kPictureSets = 67;
constexpr int32_t kHighestNumeral = 255;
constexpr int32_t kMasterMindLines = 16;
// Image words that hold the cell's pictures in memory; pictures are never taken from a file.
constexpr int kImagePictureWords = 95;
constexpr int kImageSpareWords = 3;

struct CellRanges {
  WordRange Value, Record, OptionalRecord;
  WordRange Status{0, kHighestStatus};
  WordRange Boat{0, 2};
  WordRange Class{0, kMaxWidth};
  WordRange Numeral{-1, kHighestNumeral};
  WordRange AllowedType{0, kAllowedTypeTable};
  WordRange OddEven{-1, 10};
  WordRange Picture{-1, kPictureSets - 1};
  WordRange MasterMindLine{-1, kMasterMindLines - 1};
};

CellRanges RangesOf(const GridGeometry &geo, bool sums) {
  CellRanges r;
  r.Value = {0, sums ? SumsGridCeiling(geo) : geo.GridWidth};
  r.Record = {0, geo.AllocatedRecords() - 1};
  r.OptionalRecord = {-1, geo.AllocatedRecords() - 1};
  return r;
}

template <class V, class T> void One(V &v, const char *name, T &field, WordRange range = kAnyWord) {
  v.Word(WordAt{name}, field, true, range);
}

template <class V, class T, size_t N> void Many(V &v, const char *name, std::array<T, N> &fields) {
  for (int i = 0; i < static_cast<int>(N); ++i)
    v.Word(WordAt{name, i}, fields[i], true, kAnyWord);
}

template <class V> void Reserved(V &v, const char *name, int words, int32_t value) {
  for (int i = 0; i < words; ++i)
    v.Word(WordAt{name, i}, value, false, kAnyWord);
}

template <class V> void WalkRecord(V &v, CellRecord &c, CarriedCellWords &w, const CellRanges &x) {
  One(v, "value", c.Value, x.Value);
  One(v, "status", c.Status, x.Status);
  One(v, "cell word A", w[0]);
  One(v, "pencil marks", c.Marks);
  One(v, "cell word B", w[1]);
  One(v, "boat mark", c.Boat, x.Boat);
  One(v, "class", c.CellClass, x.Class);
  One(v, "numeral", c.Numeral, x.Numeral);
  One(v, "allowed-value mask", c.AllowedIndex);
  One(v, "second mask word", c.AllowedMaskWord);
  One(v, "allowed-set type", c.AllowedType, x.AllowedType);
  One(v, "allowed set", c.AllowedSet);
  One(v, "odd/even mark", c.OddEven, x.OddEven);
  One(v, "cell word C", w[2]);
  One(v, "first picture flag", c.ImageIndex, x.Picture);
  One(v, "second picture flag", c.ImageFlag);
  One(v, "marker state", c.MarkerState);
  One(v, "cell word D", w[3]);
  One(v, "cell word E", w[4]);
  One(v, "surprise kind", c.SurpriseKind);
  One(v, "surprise amount", c.SurpriseAmount);
  One(v, "cell word F", w[5]);
}

// The fields in the order of the cell record in memory; the last eight words are those a
// version 3 or 4 image lacks.
template <class V> void WalkImage(V &v, CellRecord &c, const CellRanges &x) {
  One(v, "index", c.Index, x.Record);
  One(v, "value", c.Value, x.Value);
  One(v, "status", c.Status, x.Status);
  One(v, "check", c.Check);
  One(v, "candidates", c.ThePoss);
  One(v, "marks", c.Marks);
  One(v, "saved candidates", c.SavedPoss);
  One(v, "excluded", c.Excluded);
  One(v, "work word", c.WorkWord);
  One(v, "probable mask", c.ProbableMask);
  One(v, "candidate count", c.NPoss);
  One(v, "saved candidate count", c.SavedNPoss);
  One(v, "saved status", c.SavedStatus, x.Status);
  One(v, "hypothesis index", c.HypIndex);
  One(v, "cell highlight", c.CellHighlight);
  One(v, "unit highlight", c.UnitHighlight);
  Many(v, "value scores", c.ValueScores);
  Many(v, "score words", c.ScoreWords);
  Reserved(v, "pictures", kImagePictureWords, 0);
  One(v, "marker state", c.MarkerState);
  One(v, "not drawn", c.NotDrawn);
  Many(v, "block borders", c.BlockBorders);
  One(v, "odd/even mark", c.OddEven, x.OddEven);
  One(v, "odd/even conflict", c.OddEvenError);
  One(v, "boat mark", c.Boat, x.Boat);
  One(v, "class", c.CellClass, x.Class);
  One(v, "class conflict", c.ClassError);
  One(v, "numeral", c.Numeral, x.Numeral);
  One(v, "numeral conflict", c.NumeralError);
  One(v, "allowed index", c.AllowedIndex);
  One(v, "allowed mask word", c.AllowedMaskWord);
  One(v, "allowed conflict", c.AllowedError);
  One(v, "allowed-set type", c.AllowedType, x.AllowedType);
  One(v, "allowed set", c.AllowedSet);
  One(v, "picture index", c.ImageIndex, x.Picture);
  One(v, "figure colour", c.FigureColour);
  One(v, "black attacks", c.BlackAttacks);
  One(v, "white attacks", c.WhiteAttacks);
  One(v, "picture flag", c.ImageFlag);
  One(v, "crossed out", c.CrossedOut);
  One(v, "MasterMind line", c.MasterMindLine, x.MasterMindLine);
  Many(v, "surprise words", c.SurpriseWords);
  One(v, "colour set", c.ColourSet);
  One(v, "elimination set", c.EliminationSet);
  One(v, "colour value", c.ColourValue);
  One(v, "marker word", c.MarkerWord);
  // Not in version 3 and 4 images.
  One(v, "partner 1", c.Partner1, x.OptionalRecord);
  One(v, "partner 2", c.Partner2, x.OptionalRecord);
  Reserved(v, "cell word E", 1, -1);
  One(v, "surprise kind", c.SurpriseKind);
  One(v, "surprise amount", c.SurpriseAmount);
  Reserved(v, "spare", kImageSpareWords, 0);
}

} // namespace

void WriteSudCellRecord(ArchiveWriter &out, const CellRecord &cell, const CarriedCellWords &carried) {
  WordWriter writer(out);
  WalkRecord(writer, const_cast<CellRecord &>(cell), const_cast<CarriedCellWords &>(carried), CellRanges{});
}

int SumsGridCeiling(const GridGeometry &geo) { return geo.GridWidth * (kMaxGrids - 1); }

bool ReadSudCellRecord(ArchiveReader &in, int words, const GridGeometry &geo, std::string_view context,
                       CellRecord &cell, CarriedCellWords &carried, bool sums) {
  WordReader reader(in, static_cast<size_t>(words), std::string(context));
  WalkRecord(reader, cell, carried, RangesOf(geo, sums));
  if (!in.Ok())
    return false;
  const uint32_t marks = cell.Marks;
  StoreCellValue(geo, cell, cell.Value, cell.Status);
  constexpr int kPencilMarkWord = 4;
  if (words >= kPencilMarkWord)
    cell.Marks = marks;
  return true;
}

void WriteCellImage(ArchiveWriter &out, const CellRecord &cell) {
  WordWriter writer(out);
  WalkImage(writer, const_cast<CellRecord &>(cell), CellRanges{});
}

bool ReadCellImage(ArchiveReader &in, size_t bytes, const GridGeometry &geo, std::string_view context,
                   CellRecord &cell) {
  WordReader reader(in, bytes / kFileWordBytes, std::string(context));
  WalkImage(reader, cell, RangesOf(geo, false));
  if (bytes < kCellImageBytes) {
    cell.Partner1 = -1;
    cell.Partner2 = -1;
    cell.SurpriseKind = 0;
    cell.SurpriseAmount = 0;
  }
  return in.Ok();
}

std::vector<LayoutField> CellRecordLayout() {
  LayoutLister lister;
  CellRecord cell;
  CarriedCellWords carried{};
  WalkRecord(lister, cell, carried, CellRanges{});
  return lister.Take();
}

std::vector<LayoutField> CellImageLayout() {
  LayoutLister lister;
  CellRecord cell;
  WalkImage(lister, cell, CellRanges{});
  return lister.Take();
}

} // namespace quorbel
