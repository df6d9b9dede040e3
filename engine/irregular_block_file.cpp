// Reading and writing the irregular block file's text. Every count and number of the
// file is checked before it is used: a layout is handed back only when it is whole.
#include "engine/irregular_block_file.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <span>

#include "engine/engine_settings.h"

namespace quorbel {

namespace {

// Walks the text line by line; the line end (LF, with or without CR) is not part of a line.
class LineCursor {
public:
  explicit LineCursor(std::string_view text) : rest_(text) {}

  bool Next(std::string_view &line) {
    if (rest_.empty())
      return false;
    const size_t end = std::min(rest_.find('\n'), rest_.size());
    line = rest_.substr(0, end);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    rest_.remove_prefix(std::min(end + 1, rest_.size()));
    ++number_;
    return true;
  }
  int Number() const { return number_; }

private:
  std::string_view rest_;
  int number_ = 0;
};

std::string_view Trim(std::string_view field) {
  while (!field.empty() && (field.front() == ' ' || field.front() == '\t'))
    field.remove_prefix(1);
  while (!field.empty() && (field.back() == ' ' || field.back() == '\t'))
    field.remove_suffix(1);
  return field;
}

std::optional<int> ParseWhole(std::string_view field) {
  field = Trim(field);
  if (!field.empty() && field.front() == '+')
    field.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (field.empty() || error != std::errc() || end != field.data() + field.size())
    return std::nullopt;
  return value;
}

// The width of a header line "G;W;", 0 when it cannot be read.
int HeaderWidth(std::string_view line) {
  std::string_view rest = line.substr(1);
  if (!rest.empty() && rest.front() == ';')
    rest.remove_prefix(1);
  rest = rest.substr(0, rest.find(';'));
  return ParseWhole(rest).value_or(0);
}

bool IsHeader(std::string_view line) { return !line.empty() && line.front() == 'G'; }

// The region numbers of a row line "B;n;n;...;": fields split at ";", the ";" after the
// last one optional.
BlockFileProblem ParseRow(std::string_view line, int width, std::span<int8_t> out, int &value) {
  if (line.empty() || line.front() != 'B')
    return BlockFileProblem::NotARow;
  std::string_view rest = line.substr(1);
  if (!rest.empty() && rest.front() == ';')
    rest.remove_prefix(1);
  int count = 0;
  while (!Trim(rest).empty()) {
    const size_t cut = rest.find(';');
    const std::optional<int> number = ParseWhole(rest.substr(0, cut));
    rest.remove_prefix(cut == std::string_view::npos ? rest.size() : cut + 1);
    if (!number)
      return BlockFileProblem::NotANumber;
    if (*number < 0 || *number >= width) {
      value = *number;
      return BlockFileProblem::OutOfRange;
    }
    if (count < width)
      out[count] = static_cast<int8_t>(*number);
    ++count;
  }
  if (count != width) {
    value = count;
    return BlockFileProblem::FieldCount;
  }
  return BlockFileProblem::None;
}

std::string Number(int n) { return std::to_string(n); }

} // namespace

int CountLayouts(std::string_view text, int width) {
  LineCursor cursor(text);
  int count = 0;
  for (std::string_view line; cursor.Next(line);)
    if (IsHeader(line) && HeaderWidth(line) == width)
      ++count;
  return count;
}

BlockFileProblem CheckRegionSizes(const RegionLayout &layout, int *faultyRegion) {
  const int width = layout.Width;
  if (std::find(kLayoutWidths.begin(), kLayoutWidths.end(), width) == kLayoutWidths.end())
    return BlockFileProblem::NoLayout;
  std::array<int, kMaxWidth> cells{};
  for (int i = 0; i < width * width; ++i) {
    const int region = layout.Region[i];
    if (region < 0 || region >= width)
      return BlockFileProblem::OutOfRange;
    ++cells[region];
  }
  for (int region = 0; region < width; ++region) {
    if (cells[region] != width) {
      if (faultyRegion)
        *faultyRegion = region;
      return BlockFileProblem::RegionSize;
    }
  }
  return BlockFileProblem::None;
}

namespace {

// The W rows after a header line the cursor has just passed, whole and checked.
BlockFileRead ReadRows(LineCursor &cursor, int width) {
  BlockFileRead read;
  const int header = cursor.Number();
  RegionLayout layout;
  layout.Width = width;
  std::string_view line;
  for (int row = 0; row < width; ++row) {
    if (!cursor.Next(line)) {
      read.Problem = BlockFileProblem::Truncated;
      read.Line = header;
      return read;
    }
    const std::span<int8_t> cells(layout.Region.data() + row * width, static_cast<size_t>(width));
    read.Problem = ParseRow(line, width, cells, read.Value);
    if (!read.Ok()) {
      read.Line = cursor.Number();
      return read;
    }
  }
  read.Problem = CheckRegionSizes(layout, &read.Value);
  if (!read.Ok()) {
    read.Line = header;
    return read;
  }
  read.Layout = layout;
  return read;
}

bool IsLayoutWidth(int width) {
  return std::find(kLayoutWidths.begin(), kLayoutWidths.end(), width) != kLayoutWidths.end();
}

} // namespace

BlockFileRead ReadLayout(std::string_view text, int width, int index) {
  BlockFileRead read;
  if (!IsLayoutWidth(width) || index < 0) {
    read.Problem = BlockFileProblem::NoLayout;
    read.Value = index;
    return read;
  }
  LineCursor cursor(text);
  int seen = 0;
  std::string_view line;
  while (cursor.Next(line)) {
    if (IsHeader(line) && HeaderWidth(line) == width && seen++ == index)
      return ReadRows(cursor, width);
  }
  read.Problem = BlockFileProblem::NoLayout;
  read.Value = index;
  return read;
}

BlockFileRead ReadEveryLayout(std::string_view text, int width,
                              const std::function<bool(const RegionLayout &)> &visit) {
  BlockFileRead read;
  if (!IsLayoutWidth(width))
    return read;
  LineCursor cursor(text);
  std::string_view line;
  while (cursor.Next(line)) {
    if (!IsHeader(line) || HeaderWidth(line) != width)
      continue;
    read = ReadRows(cursor, width);
    if (!read.Ok() || !visit(read.Layout))
      return read;
  }
  read = BlockFileRead{};
  return read;
}

std::string FormatLayout(const RegionLayout &layout) {
  std::string text = "\r\nG;" + Number(layout.Width) + ";\r\n";
  for (int row = 0; row < layout.Width; ++row) {
    text += "B;";
    for (int column = 0; column < layout.Width; ++column)
      text += Number(layout.At(row, column)) + ";";
    text += "\r\n";
  }
  text += "\r\n";
  return text;
}

std::string DescribeBlockFileProblem(const BlockFileRead &read, std::string_view fileName, int width,
                                     int language) {
  const bool french = language == kLanguageFrench;
  const std::string file(fileName);
  const std::string line = Number(read.Line);
  const std::string value = Number(read.Value);
  const std::string w = Number(width);
  const std::string prefix = french ? "Blocs irréguliers : " : "Irregular blocks: ";
  switch (read.Problem) {
  case BlockFileProblem::None:
    return {};
  case BlockFileProblem::CannotOpen:
    return prefix + (french ? file + " ne peut être lu ni écrit" : file + " cannot be read or written");
  case BlockFileProblem::NoLayout:
    if (read.Value < 0)
      return prefix + (french ? file + " n'a pas de disposition de taille " + w
                              : file + " has no layout of size " + w);
    return prefix + (french ? file + " n'a pas de disposition numéro " + value + " de taille " + w
                            : file + " has no layout number " + value + " of size " + w);
  case BlockFileProblem::Truncated:
    return prefix + (french ? file + " se termine au milieu de la disposition de la ligne " + line
                            : file + " ends inside the layout of line " + line);
  case BlockFileProblem::NotARow:
    return prefix + file +
           (french ? " ligne " + line + " : une ligne \"B;\" de " + w + " régions est attendue"
                   : " line " + line + ": a row \"B;\" of " + w + " regions is expected");
  case BlockFileProblem::FieldCount:
    return prefix + file +
           (french ? " ligne " + line + " : " + value + " numéros de région au lieu de " + w
                   : " line " + line + ": " + value + " region numbers instead of " + w);
  case BlockFileProblem::NotANumber:
    return prefix + file +
           (french ? " ligne " + line + " : un champ n'est pas un nombre"
                   : " line " + line + ": a field is not a number");
  case BlockFileProblem::OutOfRange:
    return prefix + file +
           (french ? " ligne " + line + " : le numéro de région " + value + " sort de 0.." + Number(width - 1)
                   : " line " + line + ": region number " + value + " is outside 0.." + Number(width - 1));
  case BlockFileProblem::RegionSize:
    return prefix + file +
           (french
                ? " : la région " + value + " de la disposition de la ligne " + line + " n'a pas " + w +
                      " cases"
                : ": region " + value + " of the layout of line " + line + " does not have " + w + " cells");
  case BlockFileProblem::NotIrregular:
    return prefix + (french ? "la grille n'a pas de blocs irréguliers complets à écrire"
                            : "the grid has no complete irregular blocks to write");
  }
  return {};
}

} // namespace quorbel
