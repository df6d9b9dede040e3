#include "app/message_format.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace quorbel {

// Appends numbers as the program's own text (a link's code is a number) and arguments as plain.
class PanelTextBuilder {
public:
  void Emit(std::string_view text, bool plain) { text_.AppendPiece(text, plain); }
  PanelText Take() { return std::move(text_); }

private:
  PanelText text_;
};

namespace {

// Our formats never ask for more; the caps keep a slip in a format from asking for megabytes.
constexpr int kMaxFieldWidth = 1024;
constexpr int kMaxPrecision = 512;
constexpr int kDefaultFloatPrecision = 6;

struct FieldSpec {
  bool left = false;
  bool plus = false;
  bool space = false;
  bool zero = false;
  bool alternate = false;
  int width = 0;
  int precision = -1; // -1: none given
  char conversion = 0;
};

bool IsConversion(char c) { return std::string_view("diuoxXcsfFeEgG").find(c) != std::string_view::npos; }

int64_t ArgAsInteger(const FormatArg &arg) {
  if (const auto *i = std::get_if<int64_t>(&arg.Value()))
    return *i;
  const double d = std::get<double>(arg.Value());
  if (!std::isfinite(d))
    return 0;
  const double limit = static_cast<double>(std::numeric_limits<int64_t>::max());
  return static_cast<int64_t>(std::clamp(d, -limit, limit));
}

int StarValue(const FormatArg *arg) {
  if (!arg || std::holds_alternative<std::string_view>(arg->Value()))
    return 0;
  return static_cast<int>(std::clamp<int64_t>(ArgAsInteger(*arg), -kMaxFieldWidth, kMaxFieldWidth));
}

std::string Padded(std::string body, const FieldSpec &fieldSpec) {
  const size_t width = static_cast<size_t>(fieldSpec.width);
  if (body.size() >= width)
    return body;
  if (fieldSpec.left)
    body.append(width - body.size(), ' ');
  else
    body.insert(0, width - body.size(), ' ');
  return body;
}

// Sign or prefix, then digits, with zero padding between them when asked for.
std::string JoinNumber(std::string_view prefix, std::string digits, const FieldSpec &fieldSpec,
                       bool zeroAllowed) {
  const size_t width = static_cast<size_t>(fieldSpec.width);
  if (fieldSpec.zero && !fieldSpec.left && zeroAllowed && prefix.size() + digits.size() < width)
    digits.insert(0, width - prefix.size() - digits.size(), '0');
  return Padded(std::string(prefix) + digits, fieldSpec);
}

std::string SignOf(bool negative, const FieldSpec &fieldSpec) {
  if (negative)
    return "-";
  if (fieldSpec.plus)
    return "+";
  return fieldSpec.space ? " " : "";
}

std::string FormatInteger(int64_t value, const FieldSpec &fieldSpec) {
  const bool isSigned = fieldSpec.conversion == 'd' || fieldSpec.conversion == 'i';
  uint64_t magnitude;
  bool negative = false;
  if (isSigned) {
    negative = value < 0;
    magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  } else if (value < 0 && value >= std::numeric_limits<int32_t>::min()) {
    // A negative int shown unsigned reads as its 32-bit pattern, as the C library shows it.
    magnitude = static_cast<uint32_t>(static_cast<int32_t>(value));
  } else {
    magnitude = static_cast<uint64_t>(value);
  }
  const int base = fieldSpec.conversion == 'o'                                    ? 8
                   : (fieldSpec.conversion == 'x' || fieldSpec.conversion == 'X') ? 16
                                                                                  : 10;
  char buffer[32];
  auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude, base).ptr;
  std::string digits(buffer, end);
  if (fieldSpec.conversion == 'X')
    std::transform(digits.begin(), digits.end(), digits.begin(), [](char c) { return std::toupper(c); });
  if (fieldSpec.precision >= 0) {
    if (fieldSpec.precision == 0 && magnitude == 0)
      digits.clear();
    else if (digits.size() < static_cast<size_t>(fieldSpec.precision))
      digits.insert(0, static_cast<size_t>(fieldSpec.precision) - digits.size(), '0');
  }
  std::string prefix = isSigned ? SignOf(negative, fieldSpec) : "";
  if (fieldSpec.alternate && magnitude != 0) {
    if (base == 16)
      prefix = fieldSpec.conversion == 'X' ? "0X" : "0x";
    else if (base == 8 && digits.front() != '0')
      digits.insert(0, 1, '0');
  }
  return JoinNumber(prefix, std::move(digits), fieldSpec, fieldSpec.precision < 0);
}

std::string FormatFloat(double value, const FieldSpec &fieldSpec) {
  const bool upper =
      fieldSpec.conversion == 'F' || fieldSpec.conversion == 'E' || fieldSpec.conversion == 'G';
  const char kind = static_cast<char>(std::tolower(fieldSpec.conversion));
  const int precision = fieldSpec.precision < 0 ? kDefaultFloatPrecision : fieldSpec.precision;
  const std::chars_format format = kind == 'e'   ? std::chars_format::scientific
                                   : kind == 'g' ? std::chars_format::general
                                                 : std::chars_format::fixed;
  std::string digits;
  const bool finite = std::isfinite(value);
  if (!finite) {
    digits = std::isnan(value) ? "nan" : "inf";
  } else {
    // std::to_chars never looks at the locale: "0.5" stays "0.5" under a French locale.
    char buffer[kMaxPrecision + 400];
    const int wanted = (kind == 'g' && precision == 0) ? 1 : precision;
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), format, wanted);
    digits.assign(buffer, result.ptr);
  }
  if (upper)
    std::transform(digits.begin(), digits.end(), digits.begin(), [](char c) { return std::toupper(c); });
  return JoinNumber(SignOf(std::signbit(value), fieldSpec), std::move(digits), fieldSpec, finite);
}

std::string FormatTextField(std::string_view text, const FieldSpec &fieldSpec) {
  if (fieldSpec.precision >= 0 && text.size() > static_cast<size_t>(fieldSpec.precision))
    text = text.substr(0, static_cast<size_t>(fieldSpec.precision));
  return Padded(std::string(text), fieldSpec);
}

// Renders one field. `plain` tells whether the result is outside text (strings and characters).
std::string RenderField(const FieldSpec &fieldSpec, const FormatArg *arg, bool &plain) {
  plain = false;
  if (!arg)
    return {};
  if (const auto *text = std::get_if<std::string_view>(&arg->Value())) {
    plain = true;
    if (fieldSpec.conversion == 'c')
      return FormatTextField(text->substr(0, 1), fieldSpec);
    return FormatTextField(*text, fieldSpec);
  }
  switch (fieldSpec.conversion) {
  case 's':
    return FormatTextField(std::holds_alternative<double>(arg->Value())
                               ? FormatFloat(std::get<double>(arg->Value()), FieldSpec{.conversion = 'g'})
                               : std::to_string(ArgAsInteger(*arg)),
                           fieldSpec);
  case 'c':
    plain = true;
    return FormatTextField(std::string(1, static_cast<char>(ArgAsInteger(*arg) & 0xFF)), fieldSpec);
  case 'f':
  case 'F':
  case 'e':
  case 'E':
  case 'g':
  case 'G':
    if (const auto *d = std::get_if<double>(&arg->Value()))
      return FormatFloat(*d, fieldSpec);
    return FormatFloat(static_cast<double>(ArgAsInteger(*arg)), fieldSpec);
  default:
    return FormatInteger(ArgAsInteger(*arg), fieldSpec);
  }
}

// Walks the format; `emit` receives each run of text with whether it is plain.
template <class Emit> void FormatCore(std::string_view format, std::span<const FormatArg> args, Emit &&emit) {
  size_t next = 0;
  auto takeArg = [&]() -> const FormatArg * { return next < args.size() ? &args[next++] : nullptr; };
  size_t i = 0;
  while (i < format.size()) {
    const size_t percent = format.find('%', i);
    if (percent == std::string_view::npos) {
      emit(format.substr(i), false);
      break;
    }
    emit(format.substr(i, percent - i), false);
    size_t j = percent + 1;
    if (j < format.size() && format[j] == '%') {
      emit("%", false);
      i = j + 1;
      continue;
    }
    FieldSpec fieldSpec;
    for (; j < format.size(); ++j) {
      const char c = format[j];
      if (c == '-')
        fieldSpec.left = true;
      else if (c == '+')
        fieldSpec.plus = true;
      else if (c == ' ')
        fieldSpec.space = true;
      else if (c == '0')
        fieldSpec.zero = true;
      else if (c == '#')
        fieldSpec.alternate = true;
      else
        break;
    }
    if (j < format.size() && format[j] == '*') {
      fieldSpec.width = StarValue(takeArg());
      if (fieldSpec.width < 0) {
        fieldSpec.left = true;
        fieldSpec.width = -fieldSpec.width;
      }
      ++j;
    }
    for (; j < format.size() && std::isdigit(static_cast<unsigned char>(format[j])); ++j)
      fieldSpec.width = std::min(fieldSpec.width * 10 + (format[j] - '0'), kMaxFieldWidth);
    if (j < format.size() && format[j] == '.') {
      ++j;
      fieldSpec.precision = 0;
      if (j < format.size() && format[j] == '*') {
        fieldSpec.precision = std::max(StarValue(takeArg()), -1);
        ++j;
      }
      for (; j < format.size() && std::isdigit(static_cast<unsigned char>(format[j])); ++j)
        fieldSpec.precision = std::min(fieldSpec.precision * 10 + (format[j] - '0'), kMaxPrecision);
    }
    // Length modifiers change nothing here: every argument already carries its own width.
    while (j < format.size() && std::string_view("hlLqjzt").find(format[j]) != std::string_view::npos)
      ++j;
    if (format.substr(j, 3) == "I64" || format.substr(j, 3) == "I32")
      j += 3;
    if (j >= format.size() || !IsConversion(format[j])) {
      // Not a field we know: shown as written rather than guessed at.
      const size_t end = std::min(j + 1, format.size());
      emit(format.substr(percent, end - percent), false);
      i = end;
      continue;
    }
    fieldSpec.conversion = format[j];
    bool plain = false;
    const std::string field = RenderField(fieldSpec, takeArg(), plain);
    emit(field, plain);
    i = j + 1;
  }
}

std::string FormatToString(std::string_view format, std::span<const FormatArg> args) {
  std::string out;
  FormatCore(format, args, [&](std::string_view text, bool) { out += text; });
  return out;
}

PanelText FormatToPanel(std::string_view format, std::span<const FormatArg> args) {
  PanelTextBuilder builder;
  FormatCore(format, args, [&](std::string_view text, bool plain) { builder.Emit(text, plain); });
  return builder.Take();
}

} // namespace

std::string FormatText(OwnText format, FormatArgs args) {
  return FormatToString(format.View(), std::span(args.begin(), args.size()));
}

PanelText FormatPanelText(OwnText format, FormatArgs args) {
  return FormatToPanel(format.View(), std::span(args.begin(), args.size()));
}

PanelText FormatPanelText(OwnText format, std::span<const FormatArg> args) {
  return FormatToPanel(format.View(), args);
}

PanelText FormatPanelTextTwice(OwnText format, std::initializer_list<int64_t> first, FormatArgs second) {
  std::vector<FormatArg> numbers(first.begin(), first.end());
  // Only numbers went in, so the result is still the program's own text.
  const std::string middle = FormatToString(format.View(), numbers);
  return FormatToPanel(middle, std::span(second.begin(), second.size()));
}

} // namespace quorbel
