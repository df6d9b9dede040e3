// Finding and reading the ready-made solution of a constrained rule.
#include "solver/ready_made_solution.h"

#include <sstream>

#include "engine/geometry.h"
#include "platform/regular_file.h"

namespace quorbel {

namespace {

// A catalogue line is far shorter; a longer one is not a grid of ours.
constexpr size_t kMaxLineLength = 999;

// A catalogue of a few solutions: far less than this.
constexpr uint64_t kMostReadyMadeBytes = uint64_t{4} << 20;

bool ReadLine(std::istream &in, std::string &line) {
  if (!std::getline(in, line))
    return false;
  if (!line.empty() && line.back() == '\r')
    line.pop_back();
  return true;
}

} // namespace

const ReadyMadeRule *FindReadyMadeRule(VariantWords words) {
  for (const ReadyMadeRule &rule : kReadyMadeRules)
    if (Meets(words, rule.Rule))
      return &rule;
  return nullptr;
}

std::string_view ReadyMadeFileName(const ReadyMadeRule &rule, int width) {
  return width == 9 ? rule.File9 : width == 8 ? rule.File8 : std::string_view{};
}

std::optional<std::vector<int8_t>> ReadReadyMadeSolution(const std::string &path, int width) {
  const RegularFileText file = ReadRegularFileText(path, kMostReadyMadeBytes);
  std::istringstream in(file.Text);
  std::string line;
  if (!file.Ok || !ReadLine(in, line) ||
      std::string_view(line).substr(0, kOneLineCatalogHeader.size()) != kOneLineCatalogHeader)
    return std::nullopt;
  while (ReadLine(in, line) && line.empty()) {
  }
  const size_t cells = static_cast<size_t>(width) * static_cast<size_t>(width);
  if (width < 1 || width > kMaxWidth || line.size() < cells || line.size() > kMaxLineLength)
    return std::nullopt;
  std::vector<int8_t> values(cells);
  for (size_t i = 0; i < cells; ++i) {
    const int value = line[i] - '0';
    if (value < 1 || value > width)
      return std::nullopt;
    values[i] = static_cast<int8_t>(value);
  }
  return values;
}

std::vector<int> ShapeKeepingReflections(const GridGeometry &geo) {
  if (geo.BlockRows == geo.BlockCols)
    return {0, 1, 2, 3, 4};
  return {0, 2, 4};
}

} // namespace quorbel
