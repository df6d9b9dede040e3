#include "app/expert_area.h"

namespace quorbel {

std::vector<int32_t> TimeOutList(int start, int stop, int step) {
  std::vector<int32_t> list;
  for (int t = start; t <= stop && static_cast<int>(list.size()) < kMaxBenchTimeOuts; t += step)
    list.push_back(t);
  return list;
}

BenchInputs BenchInputsOf(const ExpertSettings &area) {
  BenchInputs in;
  in.Display = area.isDisplay;
  in.FirstSize = area.sizeStart;
  in.LastSize = area.sizeStop;
  in.DiagonalFrom = 1 - area.isNormal;
  in.DiagonalTo = area.isDiagonal;
  in.TimeOuts = TimeOutList(area.timeOutStart, area.timeOutStop, area.timeOutStep);
  in.Iterations = area.iterations;
  in.SeededStart = area.selCellStart;
  in.SeededStop = area.selCellStop;
  in.SeededStep = area.selCellStep;
  in.SeededType = area.selCellType;
  in.BlankStart = area.blankStart;
  in.BlankStop = area.blankStop;
  in.BlankStep = area.blankStep;
  in.BlankType = area.blankType;
  in.IrregularStart = area.regularStart;
  in.IrregularStop = area.regularStop;
  in.VariantStart = area.variantStart;
  in.VariantStop = area.variantStop;
  in.VariantStep = area.variantStep;
  return in;
}

} // namespace quorbel
