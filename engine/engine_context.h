// The engine context: everything the engine works on and reads, in one record that
// the application owns and passes to every engine operation. The engine is not
// re-entrant; one context serves the user-interface thread. It holds 25 grids (about
// 1.3 MB): keep it on the heap or in a long-lived owner, not on a small stack.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/engine_settings.h"
#include "engine/geometry.h"
#include "engine/grid_set.h"
#include "engine/host.h"
#include "engine/magic_sentence.h"
#include "engine/method_record.h"
#include "engine/search_history.h"
#include "engine/undo_stack.h"
#include "platform/random.h"

namespace quorbel {

struct CandidateMemo;

struct EngineContext {
  EngineContext(); // with a NullHost
  explicit EngineContext(EngineHost &host);
  EngineContext(const EngineContext &) = delete;
  EngineContext &operator=(const EngineContext &) = delete;

  EngineHost *Host; // never null
  EngineSettings Settings;
  GridGeometry Geo; // the shape every grid shares, set by SetGridShape and friends
  GridSet Grids;
  UndoStack Undo;
  SearchHistory Solutions;
  MethodRecord Methods; // what the solving methods used, and the levels
  // Every draw of the engine and the solver: a context of its own keeps a generation's stream
  // apart from any other context's, and a test seeds only the context it runs.
  Random15 Random;

  // Written by UpdatePossibles for the rest of the program: the combined state of the
  // main grids (3 solved, 5 contradiction, 8 open) and their open cells.
  int32_t GridSetState = kGridConsistent;
  int32_t TotalOpenCells = 0;
  // The parity every X cell and X pair shares (0 even, 1 odd), one for all grids; 10 while no
  // placed value tells it (ResolveXParity, at every InitPossibles).
  int32_t XParity = 10;
  // Solutions found by the running or last solution count; each count starts it at 0.
  int32_t SolutionCount = 0;
  std::array<std::string, 2> GridComments; // the generated grid's comment, French and English
  // Numeral: the word of each value 1..16, and for each character 32..89 (entry c - 32) the
  // values whose word holds it (NumeralCharMasks, rebuilt from the words).
  std::array<std::string, 16> NumeralStrings;
  std::array<uint32_t, 58> NumeralCharMasks{};
  // Trio: the class (1..4, 0 none) of each value 1..16, at entry value - 1.
  std::array<int8_t, 16> ValueClasses{};
  // Double and Triple: the points of two neighbours whose quotient is q, at entry q - 2.
  std::array<uint32_t, 16> Points{};
  // The points dialog's five digits: a 16 x 16 grid's neighbour score then stays within 32 bits.
  static constexpr uint32_t kMostPoints = 99999;
  uint32_t PointsOf(int quotient) const {
    return quotient >= 2 && quotient - 2 < static_cast<int>(Points.size())
               ? Points[static_cast<size_t>(quotient - 2)]
               : 0;
  }
  MagicSentenceText MagicSentence;
  // The classic search's boards, kept from call to call so that its loop never allocates; the
  // solver makes it on first use and owns its type.
  std::shared_ptr<void> SearchScratch;
  // The main grids' last rebuilds, kept while a solution count runs (CandidateMemoScope).
  std::shared_ptr<CandidateMemo> InitMemo;
};

} // namespace quorbel
