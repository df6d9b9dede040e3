// Method levels and the record of their use.
#include "engine/method_record.h"

#include <algorithm>

#include "engine/value_mask.h"

namespace quorbel {

namespace {

constexpr int kNoLevel = -1;
constexpr int kLargestGroupLevel = 8;

int LevelOfCode(int32_t code, int size) {
  switch (code) {
  case kMethodLinColBlk:
    return 0;
  case kMethodSingle:
    return 1;
  case kMethodProbables:
    return 2;
  case kMethodGroup:
    return size < 2 ? kNoLevel : std::min(size + 1, kLargestGroupLevel);
  case kMethodForcingChain:
    return 9;
  case kMethodColouring:
    return 10;
  case kMethodBurma:
    return 11;
  case kMethodRandom:
    return 12;
  default:
    return kNoLevel;
  }
}

} // namespace

int MethodLevel(int size, int32_t codes) {
  int level = kNoLevel;
  for (int32_t code = kMethodLinColBlk; code <= kMethodBurma; code <<= 1)
    if ((codes & code) != 0)
      level = std::max(level, LevelOfCode(code, size));
  return level;
}

int RecordMethodUse(MethodRecord &record, int32_t code, int size) {
  // A placement that needed earlier removals is as hard as they were.
  const int current = MethodLevel(record.MaxGroupSize, record.MethodsUsed);
  int level = MethodLevel(size, code);
  if (current != kNoLevel && current > level)
    level = current;
  if (level > record.MaxMethodLevel) {
    record.LastMethodBit = code;
    record.MaxMethodLevel = level;
    record.LastMethodSize = size;
    record.GameMaxMethodLevel = std::max(record.GameMaxMethodLevel, level);
  }
  return 1;
}

int LevelFromDifficulty(int difficulty) {
  if (difficulty <= 0)
    return 1;
  if (difficulty == 1)
    return 2;
  return difficulty <= 4 ? 3 : 4;
}

int SingleValueOfMask(uint32_t mask) {
  mask &= 0xFFFFu;
  return mask != 0 && (mask & (mask - 1)) == 0 ? LowestValue(mask, kMaxWidth) : 0;
}

int CandidateCount(uint32_t mask, int width) {
  const int count = CountValues(mask, width);
  return count == 0 ? width + 1 : count;
}

} // namespace quorbel
