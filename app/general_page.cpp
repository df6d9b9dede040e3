#include "app/general_page.h"

#include <array>
#include <string_view>

#include "app/log_file.h"
#include "app/option_pages.h"
#include "app/preference_steps.h"
#include "app/settings_schema.h"
#include "app/timeout_table.h"
#include "files/script_words.h"
#include "platform/paths.h"

namespace quorbel {

namespace {

int ClampIndex(int index) { return index < 0 ? 0 : index >= kTimeoutEntries ? kTimeoutEntries - 1 : index; }

} // namespace

void GeneralPage::LoadPageFromSettings() {
  const GeneralSettings &g = settings_.general;
  Values.LastOpen = g.lastOpen == 1;
  Values.PosLoad = g.posLoad == 1;
  Values.UniqSolution = g.uniqSolution == 1;
  Values.AskToBeSaved = g.askToBeSaved == 1;
  Values.PrefLoad = g.prefLoad == 1;
  Values.StandardDirectories = g.standarDir == 1;
  Values.Log = g.log == 1;
  Values.MaxIterGener = g.maxIterGener;
  Values.PrintSize = g.printSize;
  Values.GenerationTimeIndex = TimeoutToComboIndex(settings_.parameter.genereTimeOver);
  Values.SearchTimeIndex = TimeoutToComboIndex(settings_.parameter.timeOver);
}

void GeneralPage::SetLastOpen(bool on) {
  Values.LastOpen = on;
  settings_.general.lastOpen = on ? 1 : 0;
}

void GeneralPage::SetPosLoad(bool on) {
  Values.PosLoad = on;
  settings_.general.posLoad = on ? 1 : 0;
  effects_.RecordStep(SwitchStep(kMacroPref, "POSLOAD", on));
}

void GeneralPage::SetAskToBeSaved(bool on) {
  Values.AskToBeSaved = on;
  settings_.general.askToBeSaved = on ? 1 : 0;
}

void GeneralPage::SetUniqSolution(bool on) {
  Values.UniqSolution = on;
  settings_.general.uniqSolution = on ? 1 : 0;
  effects_.UpdatePreferenceControls(); // the attempts edit follows the box
}

void GeneralPage::SetPrefLoad(bool on) {
  Values.PrefLoad = on;
  settings_.general.prefLoad = on ? 1 : 0;
  effects_.RecordStep(SwitchStep(kMacroPref, "PREFLOAD", on));
}

void GeneralPage::SetLog(bool on) {
  Values.Log = on;
  settings_.general.log = on ? 1 : 0;
}

void GeneralPage::SetMaxIterGener(int32_t attempts) {
  settings_.general.maxIterGener = attempts;
  RepairSettings(settings_);
  Values.MaxIterGener = settings_.general.maxIterGener;
}

void GeneralPage::SetPrintSize(float size) {
  settings_.general.printSize = size;
  RepairSettings(settings_);
  Values.PrintSize = settings_.general.printSize;
}

void GeneralPage::SetGenerationTimeIndex(int index) {
  Values.GenerationTimeIndex = ClampIndex(index);
  settings_.parameter.genereTimeOver = TimeoutTable[static_cast<size_t>(Values.GenerationTimeIndex)];
  effects_.SettingsChanged();
}

void GeneralPage::SetSearchTimeIndex(int index) {
  Values.SearchTimeIndex = ClampIndex(index);
  settings_.parameter.timeOver = TimeoutTable[static_cast<size_t>(Values.SearchTimeIndex)];
  effects_.SettingsChanged();
}

void GeneralPage::SetStandardDirectories(bool on) {
  Values.StandardDirectories = on;
  settings_.general.standarDir = on ? 1 : 0;
  if (!on)
    return;
  StoreFolders(settings_.directory, StandardFolders());
  effects_.SaveSettings();
  effects_.FillMagicList();
}

void GeneralPage::ClearLog() { effects_.ClearLogFile(); }

void GeneralPage::OpenLog() { effects_.OpenWithShell(MakeAbsolutePath(LogFile::kFileName)); }

} // namespace quorbel
