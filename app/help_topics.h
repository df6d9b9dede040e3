// Which help page a help context opens: the contexts of the fixed topics (platform/help_contexts.h)
// and one context per variant row, whose page is named after the rule. Every context the program
// can open, listed once, for the test that finds each page in both languages.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/language.h"

namespace quorbel {

// The contexts of the variant rows' pages: this number plus the catalogue row.
inline constexpr int32_t kRuleHelpBase = 0x30000;

int32_t RuleHelpContext(int row);
// "rule-" and the rule's English name in small letters with hyphens; the random rows share the
// generation page and the separator row, the classic rules, the rules page.
std::string RuleHelpPage(int row);
// The page of a context; the contents for a context that has none.
std::string HelpPageOf(int32_t context);
// help/<fr|en>/<page>.html, from the program's folder.
std::string HelpPagePath(std::string_view page, Language language);
std::vector<int32_t> AllHelpContexts();

} // namespace quorbel
