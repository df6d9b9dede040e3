// The rules a generation run draws at random (CATALOG/VARMULT), and the single rule each grid
// of a hidden-variant set is given.
#pragma once

#include <cstdint>

#include "engine/variant_bits.h"
#include "platform/random.h"

namespace quorbel {

// VARMULT 1: one catalogue row of 3..63 offered at the size class that the generator can
// make (never Domino or Romain, whose draws turn into MasterMind and Digital Clock, nor Kimo or
// All Indicated, which change other rules' clues); a Killer grid gains Kimo one time in four.
VariantWords DrawOneRandomRule(Random15 &random, int sizeClass);

// VARMULT 2's linked rule: one Twins rule ten times in twenty-five, else none.
VariantWords DrawRandomLinkedRule(Random15 &random);

// VARMULT 2's draws for one grid: `draws` rows of 3..57 offered at the size class, each kept
// only when every row the words already hold accepts it beside them (Kimo and All Indicated
// only beside a rule whose clues they change); then the Kimo chance.
VariantWords AddRandomRules(Random15 &random, VariantWords words, int sizeClass, int draws);

// One set bit of (word1, word2), or of (mask1, mask2) when the words are empty, drawn at
// random; word 2 in the high half of the result; 0 when both are empty. Twins Varient
// Masked is never drawn.
uint64_t PickRandomVariantBit(Random15 &random, uint32_t word1, uint32_t word2, uint32_t mask1,
                              uint32_t mask2);

// The rules a hidden-variant set draws from when the player chose none: the rules whose
// grids need no clue, less those the size class does not offer.
VariantWords HiddenVariantDefaults(int sizeClass);

} // namespace quorbel
