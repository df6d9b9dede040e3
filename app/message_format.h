// The safe formatter: printf-style fields ("%d", "%05.2f", "%s", "%c", "%x", "%%") filled from
// typed arguments. The format is always an OwnText, so a text from a file or a peer can never
// be read as a format; a missing argument leaves its field empty, a surplus one is ignored, and
// an argument of the wrong kind is shown in its own form, so no call can crash. Numbers always
// use the C locale's ".", whatever locale the user runs.
#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "app/own_text.h"
#include "app/panel_text.h"

namespace quorbel {

class FormatArg {
public:
  template <std::integral T> FormatArg(T value) : value_(static_cast<int64_t>(value)) {}
  FormatArg(double value) : value_(value) {}
  FormatArg(std::string_view text) : value_(text) {}
  FormatArg(const std::string &text) : value_(std::string_view(text)) {}
  FormatArg(const char *text) : value_(text ? std::string_view(text) : std::string_view()) {}

  const std::variant<int64_t, double, std::string_view> &Value() const { return value_; }

private:
  std::variant<int64_t, double, std::string_view> value_;
};

using FormatArgs = std::initializer_list<FormatArg>;

// The formatted text, for titles, status panes, log lines and files.
std::string FormatText(OwnText format, FormatArgs args = {});

// The formatted text for the message panel: the format's own "!text!code!" links stay links,
// while every text argument becomes a plain piece.
PanelText FormatPanelText(OwnText format, FormatArgs args = {});
PanelText FormatPanelText(OwnText format, std::span<const FormatArg> args);

// For message texts that hold "%%d": the first pass fills the fields with numbers (so its result
// can safely serve as a format), the second fills the "%d" that the first pass left.
PanelText FormatPanelTextTwice(OwnText format, std::initializer_list<int64_t> first, FormatArgs second);

} // namespace quorbel
