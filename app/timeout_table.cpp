#include "app/timeout_table.h"

#include <string_view>

namespace quorbel {

namespace {

constexpr int kLongestFinite = 18;
constexpr int kGenerationDefault = 4;
constexpr int kSearchDefault = 6;

constexpr std::array<std::string_view, kTimeoutEntries> kTexts = {
    "0,03s", "0,06s", "0,12s", "0,25s", "0,51s", "1s",   "2s",   "4s",    "8s",     "16s",
    "32s",   "1mn",   "2mn",   "4mn",   "8mn",   "17mn", "34mn", "1h9mn", "2h19mn", ""};

constexpr std::array<int32_t, kTimeoutEntries> MakeTimeouts() {
  std::array<int32_t, kTimeoutEntries> table{};
  for (int i = 0; i <= kLongestFinite; ++i)
    table[static_cast<size_t>(i)] = int32_t{32} << i;
  table[kNoTimeoutIndex] = -1;
  return table;
}

} // namespace

const std::array<int32_t, kTimeoutEntries> TimeoutTable = MakeTimeouts();

int TimeoutToComboIndex(int32_t milliseconds) {
  if (milliseconds == -1)
    return kNoTimeoutIndex;
  if (milliseconds <= TimeoutTable[0])
    return 0;
  for (int i = 1; i < kLongestFinite; ++i)
    if (TimeoutTable[static_cast<size_t>(i)] >= milliseconds)
      return i;
  return kLongestFinite;
}

std::string TimeoutText(int index, bool french, TimeoutList list) {
  if (index < 0 || index >= kTimeoutEntries)
    return {};
  if (index == kNoTimeoutIndex)
    return french ? "Aucun" : "None";
  std::string text(kTexts[static_cast<size_t>(index)]);
  if (index == (list == TimeoutList::Generation ? kGenerationDefault : kSearchDefault))
    text += french ? "(défaut)" : "(default)";
  return text;
}

} // namespace quorbel
