// The label of a value in the current symbol mode (setting GENERAL/GRIDCURRDISP): digits,
// letters, digits then letters, or none when the cells show pictures.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/variant_catalog.h"
#include "platform/language.h"

namespace quorbel {
// `value` is 1-based; below 1 gives an empty label. In letters mode a grid with the Magic
// Sentence variant passes its sentence's letters: value v then reads as the v-th of them.
std::string ValueSymbolText(int value, SymbolMode mode, std::string_view magicLetters = {});
// The letter of a parity: odd "I" (impair) and even "P" (pair) in French, "O" and "E" in English.
constexpr char ParityLetter(bool odd, Language language) {
  return language == Language::French ? (odd ? 'I' : 'P') : (odd ? 'O' : 'E');
}

} // namespace quorbel
