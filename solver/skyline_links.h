// The SkyScraper clues as a search reads them to leave a dead node at once: a line's values seen
// from its clue's side, each higher than all before it, must number the clue. Read on candidates
// with the line's values let repeat (its own unit keeps them apart), which only widens what a
// line may hold, so no solution is ever ruled out. A link of the fast search
// (solver/search_link.h), read whole lines at a time.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "engine/geometry.h"
#include "solver/search_link.h"

namespace quorbel {

class SkylineLinks {
public:
  static constexpr SearchLinkKind kKind = SearchLinkKind::SkylineLines;
  static constexpr bool kWeighsCandidates = true;
  static constexpr bool kSettlesAgain = true;
  static constexpr bool kSettlesWithProbables = false;
  static constexpr bool kCheckedWholeToo = false;
  using Marks = NoMarks; // every line is read whole each time

  static bool Reads(const GridGeometry &, const GridRecord &) { return true; }
  // The grid's SkyScraper clues when `read`, while its side clues are checked; none otherwise.
  // False when it reads other lines than the last build did.
  bool Build(const GridGeometry &geo, const GridRecord &grid, bool read);
  bool Any() const { return count_ > 0; }
  Marks Fresh() const { return {}; }
  void Touch(Marks &, int) const {}

  // A cell decided is read with its lines, whole.
  template <typename Narrowed>
  bool NarrowAround(LinkBoard, Marks &, std::span<const uint8_t>, Narrowed) const {
    return true;
  }
  // Narrows every open cell of a clue's line to the values some line seen so can give it. False
  // when a line can hold no such values.
  template <typename Narrowed> bool NarrowEvery(LinkBoard board, Marks &, Narrowed narrowed) const {
    for (int k = 0; k < count_; ++k)
      if (!NarrowLine(lines_[k], board.value, board.cand, NarrowedRef(narrowed)))
        return false;
    return true;
  }
  // Every line seen as its clue says.
  bool HoldOnFull(std::span<const uint8_t> value) const;
  int BranchCell(LinkBoard) const { return -1; }

private:
  static constexpr int kMaxLines = 4 * kMaxWidth;
  struct Line {
    std::array<uint8_t, kMaxWidth> cells{}; // from the clue's side inwards
    int clue = 0;
    bool operator==(const Line &) const = default;
  };
  bool NarrowLine(const Line &line, std::span<const uint8_t> value, std::span<uint16_t> cand,
                  NarrowedRef narrowed) const;

  std::array<Line, kMaxLines> lines_{};
  int count_ = 0;
  int width_ = 0;
};

} // namespace quorbel
