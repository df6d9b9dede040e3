#include "app/text_lines.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string_view>

#include "app/message_format.h"

namespace quorbel {

namespace {
constexpr std::array<std::string_view, 12> kMonthNames = {"January",   "February", "March",    "April",
                                                          "May",       "June",     "July",     "August",
                                                          "September", "October",  "November", "December"};
constexpr int kTmYearBase = 1900;
} // namespace

std::string FormatDateTime(const std::tm &time) {
  const std::string_view month =
      time.tm_mon >= 0 && time.tm_mon < 12 ? kMonthNames[static_cast<size_t>(time.tm_mon)] : "";
  return FormatText("%02d %s %d - %02d:%02d",
                    {time.tm_mday, month, time.tm_year + kTmYearBase, time.tm_hour, time.tm_min});
}

std::vector<std::string_view> SplitTextLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    lines.push_back(line);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  }
  return lines;
}

size_t StripTrailingNewline(std::string &text) {
  if (!text.empty() && text.back() == '\n')
    text.pop_back();
  return text.size();
}

int32_t TakeLeadingInt(std::string &buffer) {
  size_t i = 0;
  while (i < buffer.size() && (buffer[i] == ' ' || buffer[i] == '\t'))
    ++i;
  bool negative = false;
  if (i < buffer.size() && (buffer[i] == '-' || buffer[i] == '+'))
    negative = buffer[i++] == '-';
  int64_t value = 0;
  for (; i < buffer.size() && buffer[i] >= '0' && buffer[i] <= '9'; ++i)
    if (value <= std::numeric_limits<int32_t>::max())
      value = value * 10 + (buffer[i] - '0');
  value = negative ? -value : value;
  const auto limited = static_cast<int32_t>(
      std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
  const size_t blank = buffer.find(' ');
  buffer = blank == std::string::npos ? std::string() : buffer.substr(blank + 1);
  StripTrailingNewline(buffer);
  return limited;
}

} // namespace quorbel
