// What a link of the fast search is: a rule the search reads in its own way on its compact board,
// besides the units. Each link is built from the grid, narrows around cells as they are decided
// and over the whole board, and holds a full board to its rule. Its narrowing never loses a
// solution; a full board is held to the rule before it counts.
//
// A link keeps what a board still owes it to read (`Marks`, copied with the board): fresh marks
// say that nothing of the board was read yet.
#pragma once

#include <concepts>
#include <cstdint>
#include <span>

#include "engine/geometry.h"
#include "engine/search_link_kind.h"

namespace quorbel {

struct GridRecord;

// A board as a link reads it: each cell's value (0 open) and candidates (none once decided).
struct LinkBoard {
  std::span<const uint8_t> value;
  std::span<uint16_t> cand;
};

// The marks of a link that reads the whole board only once, on a fresh board: from then on it
// reads around each cell as the cell is decided.
struct FreshMark {
  bool fresh = false;
};

// The marks of a link that owes a board nothing.
struct NoMarks {};

// A callback by reference, for the narrowing a link keeps out of line.
class NarrowedRef {
public:
  template <typename F>
  explicit NarrowedRef(const F &f)
      : f_(&f), call_([](const void *g, int c) { return (*static_cast<const F *>(g))(c); }) {}
  bool operator()(int c) const { return call_(f_, c); }

private:
  const void *f_;
  bool (*call_)(const void *, int);
};

// The protocol. `narrowed(c)` hears of each open cell the link narrowed (its candidates may be
// empty or single then) and returns false to stop; it may decide the cell and change no other.
// Every call that narrows returns false on a contradiction.
//  - kKind: the link the rule rows name (RuleDef::Link).
//  - kWeighsCandidates: it narrows by what the open cells' candidates can still make, not by the
//    decided cells alone; a search reads it once a chain of forced cells has settled, and again
//    at every node.
//  - kSettlesAgain: an order-free settle reads it whole again as the candidates shrink; without,
//    it reads a board whole once, fresh, and then only around the cells decided.
//  - kSettlesWithProbables: an order-free settle reads the Probables rule besides it.
//  - kCheckedWholeToo: its rule's own check holds a full board too, beyond `HoldOnFull`.
//  - Reads(geo, grid): whether it can read the grid's clues of its rules.
//  - Build(geo, grid, read): built from the grid when `read`, empty (`Any()` false) otherwise;
//    false when it reads other rules or clues than the last build did.
//  - Fresh(): the marks of a board none of it was read on.
//  - Touch(marks, cell): the cell's candidates changed by something else than this link.
//  - NarrowAround(board, marks, cells, narrowed): after `cells` were decided, in that order.
//  - NarrowEvery(board, marks, narrowed): over the whole board, what the marks leave to read.
//  - HoldOnFull(value): whether a board whose cells are all decided keeps the rule.
//  - BranchCell(board): where a search that may take any order branches best by the link (-1
//    wherever it likes).
template <typename L>
concept SearchLink = requires(L &built, const L &link, const GridGeometry &geo, const GridRecord &grid,
                              LinkBoard board, typename L::Marks &marks, std::span<const uint8_t> cells,
                              bool (*narrowed)(int)) {
  { L::kKind } -> std::convertible_to<SearchLinkKind>;
  { L::kWeighsCandidates } -> std::convertible_to<bool>;
  { L::kSettlesAgain } -> std::convertible_to<bool>;
  { L::kSettlesWithProbables } -> std::convertible_to<bool>;
  { L::kCheckedWholeToo } -> std::convertible_to<bool>;
  { L::Reads(geo, grid) } -> std::same_as<bool>;
  { built.Build(geo, grid, true) } -> std::same_as<bool>;
  { link.Any() } -> std::same_as<bool>;
  { link.Fresh() } -> std::same_as<typename L::Marks>;
  link.Touch(marks, 0);
  { link.NarrowAround(board, marks, cells, narrowed) } -> std::same_as<bool>;
  { link.NarrowEvery(board, marks, narrowed) } -> std::same_as<bool>;
  { link.HoldOnFull(std::span<const uint8_t>{}) } -> std::same_as<bool>;
  { link.BranchCell(board) } -> std::same_as<int>;
};

} // namespace quorbel
