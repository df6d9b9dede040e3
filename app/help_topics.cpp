#include "app/help_topics.h"

#include <cctype>

#include "engine/variant_catalog.h"
#include "platform/help_contexts.h"

namespace quorbel {

namespace {

constexpr std::string_view kIndexPage = "index";

} // namespace

int32_t RuleHelpContext(int row) { return kRuleHelpBase + row; }

std::string RuleHelpPage(int row) {
  if (row == kRandomSingleRow || row == kRandomMultipleRow)
    return "generation";
  if (row == kSeparatorRow)
    return "rules";
  std::string page = "rule";
  bool gap = true;
  for (const char c : VariantCatalog[static_cast<size_t>(row)].VarNameEn) {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      if (gap)
        page += '-';
      page += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      gap = false;
    } else {
      gap = true;
    }
  }
  return page;
}

std::string HelpPageOf(int32_t context) {
  if (context >= kRuleHelpBase && context < kRuleHelpBase + kVariantRowCount)
    return RuleHelpPage(context - kRuleHelpBase);
  for (const HelpTopic &topic : kHelpTopics)
    if (topic.Context == context)
      return std::string(topic.Page);
  return std::string(kIndexPage);
}

std::string HelpPagePath(std::string_view page, Language language) {
  return std::string("help/") + (IsFrench(language) ? "fr/" : "en/") + std::string(page) + ".html";
}

std::vector<int32_t> AllHelpContexts() {
  std::vector<int32_t> contexts;
  for (const HelpTopic &topic : kHelpTopics)
    contexts.push_back(topic.Context);
  for (int row = 0; row < kVariantRowCount; ++row)
    contexts.push_back(RuleHelpContext(row));
  return contexts;
}

} // namespace quorbel
