#include "app/geometry_page.h"

#include <string_view>

#include "app/preference_steps.h"
#include "app/settings_schema.h"
#include "files/script_words.h"

namespace quorbel {

namespace {

struct GeometryEntry {
  int32_t GeneralSettings::*Field;
  std::string_view Word;
};

constexpr std::array<GeometryEntry, kGeometryValues> kEntries = {{
    {&GeneralSettings::longCase, "DX"},
    {&GeneralSettings::hautCase, "DY"},
    {&GeneralSettings::interCaseX, "DXX"},
    {&GeneralSettings::interCaseY, "DYY"},
    {&GeneralSettings::interBlockX, "DIX"},
    {&GeneralSettings::interBlockY, "DIY"},
    {&GeneralSettings::haut19, "DPY"},
    {&GeneralSettings::borderCell, "BDC"},
    {&GeneralSettings::borderBlock, "BDB"},
}};

} // namespace

void GeometryPage::LoadPageFromSettings() {
  for (size_t i = 0; i < kEntries.size(); ++i)
    Values[i] = settings_.general.*kEntries[i].Field;
}

void GeometryPage::SetValue(int index, int32_t value) {
  if (index < 0 || index >= kGeometryValues)
    return;
  const GeometryEntry &entry = kEntries[static_cast<size_t>(index)];
  int32_t &field = settings_.general.*entry.Field;
  field = value;
  RepairSettings(settings_); // a cell of size 0 or -3 never reaches the painter
  Values[static_cast<size_t>(index)] = field;
  effects_.RedrawBoard(false);
  effects_.ClearMagicSelection();
  effects_.RecordStep(NumberStep(kMacroPrefGeom, entry.Word, field));
}

} // namespace quorbel
