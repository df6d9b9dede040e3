// The interface language: every text the player sees exists in French and in English,
// and this one value (setting GENERAL/LANGUAGE) picks the side.
#pragma once

#include <cstdint>

namespace quorbel {

enum class Language : int32_t {
  NotChosen = -1, // first start, before the language dialog has run
  French = 0,
  English = 1,
};

// Which side of a French/English pair to show. Dialog pairs take English for any value other than
// French; text tables follow the same rule so a window never mixes the two.
constexpr bool IsEnglish(Language language) { return language != Language::French; }
constexpr bool IsFrench(Language language) { return !IsEnglish(language); }

// The stored value turned into a language; anything unknown means the player has not chosen yet.
constexpr Language LanguageFromStored(int32_t stored) {
  return stored == 0 ? Language::French : stored == 1 ? Language::English : Language::NotChosen;
}

} // namespace quorbel
