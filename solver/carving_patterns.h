// The pattern checks of the carving: sets of cells whose solution values could be exchanged
// without breaking any row, column or block (unavoidable sets). A puzzle that leaves every
// cell of such a set open has two solutions, so one cell of each set found becomes a given
// while the carving's budget of kept cells lasts.
#pragma once

#include <array>
#include <string_view>

namespace quorbel {

struct EngineContext;
struct GridRecord;
class CarvingTrace;

// The provisional statuses of the carving.
enum CarvingStatus : int {
  kCarveUndecided = 2,
  kCarveKept = 3,
  kCarveBlank = 6,
};

enum class PatternCheck : int {
  LineGroups,        // a cycle of values between two rows (or three rows of one band)
  ColumnGroups,      // the same between columns
  LineThreeValues,   // 3 values exchanged between two rows across 3 blocks
  ColumnThreeValues, // the same between columns
  LineTwoValues,     // 2 values, three row pairs in 3 blocks
  ColumnTwoValues,   // 2 values, three column pairs in 3 blocks
};
constexpr std::array<PatternCheck, 6> kPatternChecks = {
    PatternCheck::LineGroups,        PatternCheck::ColumnGroups,  PatternCheck::LineThreeValues,
    PatternCheck::ColumnThreeValues, PatternCheck::LineTwoValues, PatternCheck::ColumnTwoValues,
};

// The stage text shown before the check.
std::string_view PatternCheckStage(PatternCheck check);

// Runs one check over the grid, whose cells all hold their solution values: each set of
// undecided cells it finds is traced and, while `kept` > 0, one of its cells, drawn at
// random, becomes kept and `kept` falls by one. Polls the player's abort once per line.
// Returns 1, or -10 when the player aborted.
int RunPatternCheck(EngineContext &ctx, GridRecord &grid, PatternCheck check, int &kept, CarvingTrace &trace);

} // namespace quorbel
