// The links the fast search walks beside the units, in the order it reads them: the neighbour
// rules, the Little Killer diagonals, the chess figures and the SkyScraper lines. One tuple,
// walked while compiling: no virtual call in the node loop. Every rule row that claims the fast
// route names one of them (RuleDef::Link), or the build stops.
//
// Each walk hands a link a `narrowed(c)` of its own that tells the other links the cell changed
// before it tells the caller.
#pragma once

#include <cstddef>
#include <span>
#include <tuple>
#include <type_traits>
#include <utility>

#include "engine/rule_registry.h"
#include "solver/chess_links.h"
#include "solver/clue_links.h"
#include "solver/neighbour_links.h"
#include "solver/search_link.h"
#include "solver/skyline_links.h"

namespace quorbel {

using SearchLinks = std::tuple<NeighbourLinks, ClueLinks, ChessLinks, SkylineLinks>;
constexpr size_t kSearchLinkCount = std::tuple_size_v<SearchLinks>;
template <size_t I> using SearchLinkAt = std::tuple_element_t<I, SearchLinks>;

namespace search_links {

template <typename Links> struct Marks;
template <typename... L> struct Marks<std::tuple<L...>> { using Type = std::tuple<typename L::Marks...>; };

template <typename... L> constexpr bool AllKeepTheProtocol(std::tuple<L...> *) {
  return (SearchLink<L> && ...);
}

// Every row that claims the fast route names a link, and each link a row names is walked here once.
template <typename... L> constexpr bool WalksEveryRowsLink(std::tuple<L...> *) {
  for (const RuleDef &rule : RuleRegistry) {
    if ((rule.Traits & kReadByFastRoute) != 0 && rule.Link == SearchLinkKind::None)
      return false;
    if (rule.Link != SearchLinkKind::None && ((rule.Link == L::kKind ? 1 : 0) + ...) != 1)
      return false;
  }
  return true;
}

template <typename F, size_t... I> constexpr bool All(F &f, std::index_sequence<I...>) {
  return (f(std::integral_constant<size_t, I>{}) && ...);
}

} // namespace search_links

static_assert(search_links::AllKeepTheProtocol(static_cast<SearchLinks *>(nullptr)),
              "a link of the fast search does not keep the link protocol");
static_assert(search_links::WalksEveryRowsLink(static_cast<SearchLinks *>(nullptr)),
              "a rule claims the fast route without a link the search walks");

// What a board owes each link, in the links' order.
using LinkMarks = search_links::Marks<SearchLinks>::Type;

// `f(index)` for each link in order while it returns true; whether all did.
template <typename F> constexpr bool EveryLink(F &&f) {
  return search_links::All(f, std::make_index_sequence<kSearchLinkCount>{});
}

// Which links a walk reads: all, or only those that weigh the candidates or not.
enum class LinkReading { All, DecidedCells, Candidates };
template <LinkReading Reading, typename L>
constexpr bool InReading = Reading == LinkReading::All ||
                           (Reading == LinkReading::Candidates) == L::kWeighsCandidates;

// Every link built from the grid, reading it where `read(kind)` says and empty elsewhere. False
// when one changed.
template <typename Read>
bool BuildLinks(SearchLinks &links, const GridGeometry &geo, const GridRecord &grid, Read read) {
  bool same = true;
  EveryLink([&](auto i) {
    constexpr size_t I = decltype(i)::value;
    same = std::get<I>(links).Build(geo, grid, read(SearchLinkAt<I>::kKind)) && same;
    return true;
  });
  return same;
}
constexpr bool ReadEveryLink(SearchLinkKind) { return true; }

// Whether every link can read the grid's clues of its rules.
inline bool LinksRead(const GridGeometry &geo, const GridRecord &grid) {
  return EveryLink([&](auto i) { return SearchLinkAt<decltype(i)::value>::Reads(geo, grid); });
}

// Whether a link in play (`Any()`) passes `test`, a predicate on its type.
template <typename Test> bool AnyLinkIn(const SearchLinks &links, Test test) {
  return !EveryLink([&](auto i) { return !(test(std::get<i>(links)) && std::get<i>(links).Any()); });
}
inline bool AnyLink(const SearchLinks &links) {
  return AnyLinkIn(links, [](const auto &) { return true; });
}

inline LinkMarks FreshMarks(const SearchLinks &links) {
  return [&]<size_t... I>(std::index_sequence<I...>) { return LinkMarks{std::get<I>(links).Fresh()...}; }
  (std::make_index_sequence<kSearchLinkCount>{});
}

// A cell's candidates changed: every link but the one at `Except` (none by default) hears of it.
template <size_t Except = kSearchLinkCount>
void TouchLinks(const SearchLinks &links, LinkMarks &marks, int cell) {
  EveryLink([&](auto i) {
    if constexpr (decltype(i)::value != Except)
      std::get<i>(links).Touch(std::get<i>(marks), cell);
    return true;
  });
}

// `read(link, marks, told)` for each link of `Reading` in play, in order, while it returns true:
// `told(c)` tells the other links of each cell it narrows, then `narrowed(c)`.
template <LinkReading Reading, typename Narrowed, typename Read>
bool EachLinkReads(const SearchLinks &links, LinkMarks &marks, Narrowed narrowed, Read read) {
  return EveryLink([&](auto i) {
    constexpr size_t I = decltype(i)::value;
    const auto &link = std::get<I>(links);
    if constexpr (!InReading<Reading, SearchLinkAt<I>>) {
      return true;
    } else {
      return !link.Any() || read(link, std::get<I>(marks), [&](int c) {
        TouchLinks<I>(links, marks, c);
        return narrowed(c);
      });
    }
  });
}

// After `cells` were decided, the links of `Reading` in play narrow around them in order.
template <LinkReading Reading, typename Narrowed>
bool NarrowAroundLinks(const SearchLinks &links, LinkBoard board, LinkMarks &marks,
                       std::span<const uint8_t> cells, Narrowed narrowed) {
  return EachLinkReads<Reading>(links, marks, narrowed, [&](const auto &link, auto &own, auto told) {
    return link.NarrowAround(board, own, cells, told);
  });
}

// The links of `Reading` in play narrow the whole board as their marks say, in order.
template <LinkReading Reading, typename Narrowed>
bool NarrowEveryLink(const SearchLinks &links, LinkBoard board, LinkMarks &marks, Narrowed narrowed) {
  return EachLinkReads<Reading>(links, marks, narrowed, [&](const auto &link, auto &own, auto told) {
    return link.NarrowEvery(board, own, told);
  });
}

// Whether every link in play holds a board whose cells are all decided.
inline bool LinksHoldOnFull(const SearchLinks &links, std::span<const uint8_t> value) {
  return EveryLink([&](auto i) { return !std::get<i>(links).Any() || std::get<i>(links).HoldOnFull(value); });
}

// Where the first link in play that has a say branches (-1 none).
inline int LinkBranchCell(const SearchLinks &links, LinkBoard board) {
  int cell = -1;
  EveryLink([&](auto i) {
    if (std::get<i>(links).Any())
      cell = std::get<i>(links).BranchCell(board);
    return cell < 0;
  });
  return cell;
}

} // namespace quorbel
