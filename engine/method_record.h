// The record of the methods a solving command used: which methods removed candidates,
// the hardest level needed, and the level of the game; the method codes, their levels
// and the grid level 1..4 they turn into. The record lives in the EngineContext.
#pragma once

#include <cstdint>

namespace quorbel {

// One bit per method, as the record and the hint's method names use them (these are
// not the MethodMask bits).
enum MethodCode : int32_t {
  kMethodLinColBlk = 1,
  kMethodSingle = 2,
  kMethodGroup = 4,
  kMethodColouring = 8,
  kMethodForcingChain = 16,
  kMethodRandom = 32,
  kMethodProbables = 64,
  kMethodBurma = 128,
};

// A method's result when it removed candidates and placed nothing.
constexpr int kCandidatesRemoved = -2;

struct MethodRecord {
  // Reset by each SolveWithMethods call:
  int32_t MethodsUsed = 0;    // codes that removed candidates (Group, Colouring, Probables, Burma)
  int32_t MaxGroupSize = 0;   // largest naked subset that removed candidates
  int32_t LastMethodBit = 0;  // code of the use that last raised MaxMethodLevel
  int32_t LastMethodSize = 0; // and its group size
  // Reset by the solving commands:
  int32_t MaxMethodLevel = -1;  // highest level of the command so far
  int32_t MethodPlacements = 0; // values the methods placed
  // Highest level of the game; -1 when a grid is loaded.
  int32_t GameMaxMethodLevel = -1;
};

// The highest level among the codes: LinColBlk 0, Single 1, Probables 2, Group of 2..6
// cells size + 1 and of 7 or more 8 (a group of 0 or 1 cell has none), Forcing Chain 9,
// Colouring 10, Burma 11, Random 12. -1 when no code has a level.
int MethodLevel(int size, int32_t codes);

// Records one use: its level, raised to that of the removals made so far in this call,
// becomes the command's and the game's level when higher. Returns 1.
int RecordMethodUse(MethodRecord &record, int32_t code, int size);

// The grid level of a method level: 0 and below 1, 1 2, 2..4 3, 5 and above 4.
int LevelFromDifficulty(int difficulty);

// The value 1..16 of a mask holding exactly one of the low 16 bits, else 0.
int SingleValueOfMask(uint32_t mask);
// Values among the low `width` bits; width + 1 when there is none, so that an empty
// union never passes for a subset of its own size.
int CandidateCount(uint32_t mask, int width);

} // namespace quorbel
