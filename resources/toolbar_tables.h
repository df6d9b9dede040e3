// The two toolbars: the same 31 entries (26 buttons, 5 separators), French identifiers on one,
// English on the other, and the buttons' pictures, drawn by our own code from the simple
// shapes listed here (a 20 x 25 pixel box each).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/colour_word.h"
#include "resources/command_table.h"

namespace quorbel {

inline constexpr int kToolbarPictureWidth = 20;
inline constexpr int kToolbarPictureHeight = 25;

enum class ShapeKind : uint8_t {
  FillRect,    // p: x, y, width, height (outlined in black too)
  Rect,        // p: x, y, width, height
  Line,        // p: x1, y1, x2, y2
  FillEllipse, // p: x, y, width, height
  Arc,         // p: x, y, width, height, start angle and span in degrees (counter-clockwise)
  Triangle,    // p: three points, filled and outlined in black
  Text,        // p: x, y, width, height, pixel size; bold, centred in the box
};

struct PictureShape {
  ShapeKind kind;
  ColorRef colour;
  std::array<int16_t, 6> p;
  std::string_view text = {};
};

using ToolbarPicture = std::span<const PictureShape>;

// A separator when both identifiers are 0.
struct ToolbarEntry {
  CommandId idFr;
  CommandId idEn;
  ToolbarPicture picture;
  ToolbarPicture under = {}; // drawn first
  bool IsSeparator() const { return idFr == 0 && idEn == 0; }
};

inline constexpr int kToolbarEntryCount = 31;
std::span<const ToolbarEntry> ToolbarTable();

} // namespace quorbel
