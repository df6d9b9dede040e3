// Ready-made solutions of the constrained neighbourhood rules: a search seeded at random
// rarely completes such grids, so a solution kept in a data file beside the program is
// turned by a reflection instead. The files have the one-line catalogue format: the
// header "Quorbel Mode MiniS", then one grid per line, one character per cell.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/variant_bits.h"

namespace quorbel {

struct GridGeometry;

struct ReadyMadeRule {
  VariantWords Rule;
  std::string_view File9; // the file for 9 x 9 grids, "" none
  std::string_view File8; // the file for 8 x 8 grids, "" none
  // The seeded search places 2W - 1 seeds fewer, the rule constraining the grid that much.
  bool FewerSeeds;
};

// In the order they are looked for: the first rule a grid holds decides.
constexpr auto kReadyMadeRules = std::to_array<ReadyMadeRule>({
    {kVarPirate, "Pirate9.txt", "", false},
    {kVarTouchy, "Touchy9.txt", "Touchy8.txt", true},
    {kVarNoTouch, "NoTouch9.txt", "", true},
    {kVarNo3OddEven, "No3OddEven9.txt", "", true},
    {kVarNoAverage, "NoAverage9.txt", "", true},
    {kVarNoConsecutive, "NonConsecutive9.txt", "NonConsecutive8.txt", true},
    {kVarGiveMe5, "GiveMeFive9.txt", "GiveMeFive8.txt", true},
    {kVarNoKnightStep, "NoKnightStep9.txt", "NoKnightStep8.txt", true},
});

constexpr std::string_view kOneLineCatalogHeader = "Quorbel Mode MiniS";

// The first rule of the table the words hold; null when none.
const ReadyMadeRule *FindReadyMadeRule(VariantWords words);
// The rule's file for a grid width; "" when it has none at that width.
std::string_view ReadyMadeFileName(const ReadyMadeRule &rule, int width);

// The values (row by row) of the first grid line of a one-line catalogue file, only when
// the file starts with the header and that line gives each of the width x width cells a
// value 1..width (":" is 10, up to "@" for 16). Anything else gives none.
std::optional<std::vector<int8_t>> ReadReadyMadeSolution(const std::string &path, int width);

// The reflections of PickSymmetryPattern (0 none, 1..4) that map every block of the
// geometry's regular shape onto a block: all of them for square blocks, only the top-bottom
// and left-right ones when blocks are wider than high or the other way round.
std::vector<int> ShapeKeepingReflections(const GridGeometry &geo);

} // namespace quorbel
