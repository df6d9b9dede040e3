// The scratch grid on which Colouring and Forcing Chain try a value and propagate. The
// grid's tables, rules and lists are copied once; each trial then reloads only what a
// trial changes (the records' value part, the rules' work, the grid's state), so a 16 x 16
// grid costs a few kilobytes per trial instead of a whole grid copy.
#pragma once

#include <memory>

namespace quorbel {

struct EngineContext;
struct GridRecord;

class TrialGrid {
public:
  TrialGrid();
  ~TrialGrid();
  TrialGrid(const TrialGrid &) = delete;
  TrialGrid &operator=(const TrialGrid &) = delete;

  // The scratch grid holding `source` as it stands. Valid while the source keeps its
  // rules, lists and tables; only its cells may change between two loads.
  GridRecord &Load(EngineContext &ctx, const GridRecord &source);

private:
  std::unique_ptr<GridRecord> grid_;
  const GridRecord *source_ = nullptr;
};

} // namespace quorbel
