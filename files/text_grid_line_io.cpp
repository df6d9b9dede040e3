#include "files/text_grid_line_io.h"

#include "engine/engine_context.h"
#include "files/latin1_text.h"

namespace quorbel {

void TextLineWriter::Row(std::string_view prefix, const std::vector<int> &numbers, bool closed) {
  text_ += prefix;
  for (size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0)
      text_.push_back(';');
    text_ += std::to_string(numbers[i]);
  }
  if (closed && !numbers.empty())
    text_.push_back(';');
  text_ += "\r\n";
}

void TextLineWriter::Text(std::string_view latin1) {
  text_ += latin1;
  text_ += "\r\n";
}

const GridRecord &TextLineSource::Grid() const { return Ctx.Grids.Main[Slot]; }

std::span<const CellRecord> TextLineSource::Cells() const { return Grid().PlayingCells(Ctx.Geo); }

bool TextLineReader::Fail(const std::string &what) {
  if (error_.empty())
    error_ = "line " + std::to_string(lineNumber_) + ": " + what;
  return false;
}

void TextLineReader::Warn(const std::string &what) {
  stage_.Warnings.push_back("line " + std::to_string(lineNumber_) + ": " + what);
}

bool TextLineReader::Numbers(std::string_view line, size_t skip, std::vector<int32_t> &out, bool commas) {
  out.clear();
  std::string_view rest = skip <= line.size() ? line.substr(skip) : std::string_view{};
  while (!TrimTextField(rest).empty()) {
    size_t end = rest.find_first_of(commas ? ";," : ";");
    const std::string_view field = rest.substr(0, end);
    const auto value = ParseTextInt(field);
    if (!value)
      return Fail(std::string("\"").append(Latin1ToUtf8(TrimTextField(field))).append("\" is not a number"));
    out.push_back(*value);
    if (end == std::string_view::npos)
      break;
    rest.remove_prefix(end + 1);
  }
  return true;
}

bool TextLineReader::AtLeast(const std::vector<int32_t> &numbers, size_t count, const char *kind) {
  if (numbers.size() >= count)
    return true;
  return Fail(std::string(kind) + " needs " + std::to_string(count) + " numbers");
}

bool TextLineReader::InRange(int64_t value, int64_t lo, int64_t hi, const char *what) {
  if (value >= lo && value <= hi)
    return true;
  return Fail(std::string(what) + " " + std::to_string(value) + " is outside " + std::to_string(lo) + ".." +
              std::to_string(hi));
}

bool TextLineReader::AreCells(const std::vector<int32_t> &numbers, size_t from, size_t count) {
  for (size_t k = from; k < from + count && k < numbers.size(); ++k)
    if (!IsCell(numbers[k]))
      return false;
  return true;
}

bool TextLineReader::PartnerSlot(int32_t thisNumber, int32_t partnerNumber, int16_t &slot) {
  // In 64 bits: two numbers far apart must not wrap round to a grid of the set.
  const int64_t partner = int64_t{CurrentSlot()} + partnerNumber - thisNumber;
  if (!InRange(partner, 0, kMaxGrids - 1, "partner grid"))
    return false;
  slot = static_cast<int16_t>(partner);
  return true;
}

} // namespace quorbel
