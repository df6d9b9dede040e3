#include "media/glyph_dictionary.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <sstream>
#include <string_view>
#include <type_traits>

#include "platform/atomic_file.h"
#include "platform/regular_file.h"

namespace quorbel {

namespace {

// Far above a full dictionary written as text.
constexpr uint64_t kMostDicoBytes = uint64_t{16} << 20;

// The whole line as a number, else not a number ("-1.#IND00" is not -1).
double ReadNumber(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
    line.remove_suffix(1);
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
    line.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
  if (error != std::errc() || end != line.data() + line.size() || line.empty())
    return std::numeric_limits<double>::quiet_NaN();
  return value;
}

int32_t ReadInt(std::string_view line) {
  const double value = ReadNumber(line);
  if (!std::isfinite(value) || value < INT32_MIN || value > INT32_MAX)
    return 0;
  return static_cast<int32_t>(value);
}

} // namespace

void ClearDico(Dico &dico) {
  dico.NextSlot = 0;
  for (DicoSlot &slot : dico.Slots)
    slot.Used = 0;
}

void LoadDico(Dico &dico, const std::string &path) {
  ClearDico(dico);
  const RegularFileText file = ReadRegularFileText(path, kMostDicoBytes);
  if (!file.Ok)
    return;
  std::istringstream in(file.Text);
  std::string line;
  if (!std::getline(in, line))
    return;
  dico.NextSlot = ReadInt(line);
  for (DicoSlot &slot : dico.Slots) {
    if (!std::getline(in, line))
      return;
    slot.Value = ReadInt(line);
    if (!std::getline(in, line))
      return;
    slot.Used = ReadInt(line);
    for (float &feature : slot.Features) {
      if (!std::getline(in, line)) {
        slot.Used = 0; // a slot cut short is not one
        return;
      }
      feature = static_cast<float>(ReadNumber(line));
    }
  }
}

bool SaveDico(const Dico &dico, const std::string &path) {
  std::string text;
  // to_chars, not printf: its "." holds whatever LC_NUMERIC the desktop set.
  const auto line = [&text](auto value) {
    char number[64];
    std::to_chars_result written;
    if constexpr (std::is_floating_point_v<decltype(value)>)
      written = std::to_chars(number, number + sizeof number, value, std::chars_format::fixed, 6);
    else
      written = std::to_chars(number, number + sizeof number, value);
    text.append(number, written.ptr);
    text += "\r\n";
  };
  line(dico.NextSlot);
  for (const DicoSlot &slot : dico.Slots) {
    line(slot.Value);
    line(slot.Used);
    for (const float feature : slot.Features)
      line(static_cast<double>(feature));
  }
  return WriteFileAtomically(path, text).Ok();
}

void AddGlyphToDico(Dico &dico, const GlyphFeatures &features, int value) {
  if (dico.NextSlot < 0 || dico.NextSlot >= kDicoSlots)
    dico.NextSlot = 0;
  DicoSlot &slot = dico.Slots[static_cast<size_t>(dico.NextSlot)];
  slot.Features = features;
  slot.Value = value;
  slot.Used = 1;
  dico.NextSlot = (dico.NextSlot + 1) % kDicoSlots;
}

bool IsKnownDistance(float distance) { return distance <= kMostGlyphDistance; }

NearestGlyph FindNearestGlyph(const Dico &dico, const GlyphFeatures &features) {
  NearestGlyph nearest;
  float best = std::numeric_limits<float>::infinity();
  for (int s = 0; s < kDicoSlots; ++s) {
    const DicoSlot &slot = dico.Slots[static_cast<size_t>(s)];
    if (slot.Used != 1)
      continue;
    float sum = 0;
    for (int i = 0; i < kGlyphFeatures; ++i) {
      const float d = features[static_cast<size_t>(i)] - slot.Features[static_cast<size_t>(i)];
      sum += d * d;
    }
    if (sum < best) { // a not-a-number sum never wins
      best = sum;
      nearest.Slot = s;
    }
  }
  nearest.Distance = best;
  if (nearest.Slot >= 0 && !IsKnownDistance(best))
    nearest.Slot = -2;
  return nearest;
}

} // namespace quorbel
