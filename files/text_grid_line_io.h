// The two sides every text grid line kind is written against: the writer's Latin-1 line
// builder with the grid it writes, and the reader's checked view of a line and of the staged
// grid it belongs to.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/geometry.h"
#include "files/text_grid_parser.h"

namespace quorbel {

struct EngineContext;
struct GridRecord;

// Builds Latin-1 lines; every line ends in CR LF.
class TextLineWriter {
public:
  // The prefix, then the numbers separated by ";" (each followed by one when `closed`).
  void Row(std::string_view prefix, std::initializer_list<int> numbers) {
    Row(prefix, std::vector<int>(numbers));
  }
  void Row(std::string_view prefix, const std::vector<int> &numbers, bool closed = false);
  void Text(std::string_view latin1);
  std::string Take() { return std::move(text_); }

private:
  std::string text_;
};

// What a line kind writes from: one grid of the set, or (Slot -1) the set after its grids.
struct TextLineSource {
  const EngineContext &Ctx;
  const TextGridInfo &Info;
  int Slot;

  const GridRecord &Grid() const;
  std::span<const CellRecord> Cells() const;
};

// `first` when given, then the first `count` entries of a list of cells.
template <class Cells> std::vector<int> ListNumbers(std::optional<int> first, const Cells &cells, int count) {
  std::vector<int> numbers;
  if (first)
    numbers.push_back(*first);
  for (int k = 0; k < std::clamp(count, 0, static_cast<int>(cells.size())); ++k)
    numbers.push_back(cells[k]);
  return numbers;
}

// The reading of one grid body after another into the stage. A check that fails records the
// first failure with its line and returns false, so that a line kind stops at it.
class TextLineReader {
public:
  TextLineReader(const GridGeometry &geo, int firstSlot, TextGridStage &stage)
      : geo_(geo), slot_(firstSlot), stage_(stage) {}

  const GridGeometry &Geo() const { return geo_; }
  TextGridStage &Stage() { return stage_; }
  StagedTextGrid &Grid() { return stage_.Grids.back(); }
  VariantLists &Lists() { return *Grid().Lists; }
  void Flag(VariantWords rules) { Grid().Var |= rules; }
  // The slot the grid being read will take in the set.
  int CurrentSlot() const { return slot_ + static_cast<int>(stage_.Grids.size()) - 1; }
  int FirstSlot() const { return slot_; }

  void StartLine(int lineNumber) { lineNumber_ = lineNumber; }
  bool Fail(const std::string &what);
  void Warn(const std::string &what);
  const std::string &Error() const { return error_; }

  // A line kind whose entry runs on to the next line hands that line to `next`.
  using NextLine = void (*)(TextLineReader &, const std::string &);
  void ExpectNextLine(NextLine next) { next_ = next; }
  NextLine TakeNextLine() { return std::exchange(next_, nullptr); }

  // The numbers after `skip` characters, separated by ";" (or "," where allowed); an empty
  // last field (a line ending in ";") is no number.
  bool Numbers(std::string_view line, size_t skip, std::vector<int32_t> &out, bool commas = false);
  bool AtLeast(const std::vector<int32_t> &numbers, size_t count, const char *kind);
  bool InRange(int64_t value, int64_t lo, int64_t hi, const char *what);
  bool IsCell(int64_t value) { return InRange(value, 0, geo_.NCells - 1, "cell"); }
  bool AreCells(const std::vector<int32_t> &numbers, size_t from, size_t count);
  // The grid a link names, given as "this grid + 1" and "partner + 1": kept relative, so that
  // grids imported after others still find their partners.
  bool PartnerSlot(int32_t thisNumber, int32_t partnerNumber, int16_t &slot);
  template <class List> bool Room(List &list, const char *name) {
    if (!list.Full())
      return true;
    Warn(std::string(name) + " are full (" + std::to_string(List::kCapacity) + "); the line is left out");
    return false;
  }

private:
  const GridGeometry &geo_;
  int slot_;
  TextGridStage &stage_;
  int lineNumber_ = 0;
  NextLine next_ = nullptr;
  std::string error_;
};

// Trailing numbers from `from` on into a fixed list of cells, as many as it holds.
template <class T, size_t N>
void CopyCells(std::array<T, N> &cells, int16_t &count, const std::vector<int32_t> &numbers, size_t from) {
  const size_t n = std::min(N, numbers.size() - std::min(from, numbers.size()));
  for (size_t k = 0; k < n; ++k)
    cells[k] = static_cast<T>(numbers[from + k]);
  count = static_cast<int16_t>(n);
}

} // namespace quorbel
