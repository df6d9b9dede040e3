// The SkyScraper clues as a search reads them to leave a dead node at once: a line's values seen
// from its clue's side, each higher than all before it, must number the clue. Read on candidates
// with the line's values let repeat (its own unit keeps them apart), which only widens what a
// line may hold, so no solution is ever ruled out.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "engine/geometry.h"

namespace quorbel {

struct GridRecord;

class SkylineLinks {
public:
  // The grid's SkyScraper clues, while its side clues are checked; none otherwise.
  void Build(const GridGeometry &geo, const GridRecord &grid);
  bool Any() const { return count_ > 0; }

  // Narrows every open cell of a clue's line to the values some line seen so can give it.
  // False when a line can hold no such values. `changed` is set when a candidate went.
  bool Narrow(std::span<const uint8_t> value, std::span<uint16_t> cand, bool &changed) const;

private:
  static constexpr int kMaxLines = 4 * kMaxWidth;
  struct Line {
    std::array<uint8_t, kMaxWidth> cells{}; // from the clue's side inwards
    int clue = 0;
  };
  bool NarrowLine(const Line &line, std::span<const uint8_t> value, std::span<uint16_t> cand,
                  bool &changed) const;

  std::array<Line, kMaxLines> lines_{};
  int count_ = 0;
  int width_ = 0;
};

} // namespace quorbel
