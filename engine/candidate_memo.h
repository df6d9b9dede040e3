// What InitPossibles left in each main grid, kept while a solution count runs. A count of a
// linked set rebuilds every grid at every node, yet only the searched grid's values change:
// the others take their rebuild back from here, bit for bit, instead of computing it again.
#pragma once

#include "engine/propagate.h"

namespace quorbel {

struct EngineContext;
struct GridRecord;
struct CandidateMemo;

// Keeps the main grids' rebuilds from its construction to its end (a scope inside another
// leaves the outer one's memo in place). Within it, a grid's rules, clue lists and shape
// stay as they are; only its cells may change.
class CandidateMemoScope {
public:
  explicit CandidateMemoScope(EngineContext &ctx);
  ~CandidateMemoScope();
  CandidateMemoScope(const CandidateMemoScope &) = delete;
  CandidateMemoScope &operator=(const CandidateMemoScope &) = delete;

private:
  EngineContext &ctx_;
  bool owner_;
};

// When the memo holds the slot's last rebuild and every field InitPossibles reads is as it
// was then, writes back every field that rebuild wrote (the rule work excepted), the grid's
// state and open count, fills `findings` and returns true. Otherwise returns false, having
// written at most some of the words that the rebuild, which must follow, writes again.
bool TakeRememberedInit(EngineContext &ctx, int slot, GridRecord &grid, LastPassFindings &findings);
// Keeps the rebuild InitPossibles has just made of the slot's grid, when the memo is on and
// the grid's rules prepare nothing beyond its own records.
void RememberInit(EngineContext &ctx, int slot, const GridRecord &grid, const LastPassFindings &findings);

} // namespace quorbel
