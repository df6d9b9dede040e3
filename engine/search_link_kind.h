// The links through which the fast search reads a rule in its own way, beside the units. A rule
// row names its link (RuleDef::Link); solver/search_links.h walks them.
#pragma once

#include <cstdint>

namespace quorbel {

enum class SearchLinkKind : uint8_t {
  None,          // the search reads only the rule's units, if any
  Neighbours,    // the neighbour rules, from the grid's words
  ClueDiagonals, // the Little Killer diagonals' totals
  ChessFigures,  // the chess pieces' figures
  SkylineLines,  // the SkyScraper clues' lines
};

} // namespace quorbel
