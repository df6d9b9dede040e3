#include "app/qt/frame_commands.h"

#include "app/qt/expert_commands.h"
#include "app/qt/file_commands.h"
#include "app/qt/grid_list_dialog.h"
#include "app/qt/macro_host.h"
#include "app/qt/magic_profile_dialog.h"
#include "app/qt/preference_window.h"
#include "app/qt/quorbel_app.h"
#include "app/qt/solve_command_handlers.h"
#include "app/qt/start_routines.h"

#include "app/qt/candidate_display.h"
#include "app/qt/defi_dialog.h"
#include "app/qt/display_toggles.h"
#include "app/qt/generate_commands.h"
#include "app/qt/grid_commands.h"
#include "app/qt/quellabo_dialog.h"
#include "app/qt/version_dialog.h"

void RegisterFrameCommands(CQuorbelApp &app) {
  quorbel::RegisterDisplayToggles(app);
  quorbel::RegisterCandidateDisplay(app);
  quorbel::RegisterGridCommands(app);
  quorbel::RegisterGenerateCommands(app);
  RegisterMethodPanel(app, app);
  InstallMacroPlayer(app);
  RegisterExpertCommands(app);
  RegisterExpertOutputCommands(app);
  InstallChallenge(app);
  RegisterVersionCheck(app.Commands(), app);
  InstallQuellabo(app);
  RegisterPreferenceSheet(app);
  RegisterMagicProfileDialog(app);
  RegisterEmptyGridCommand(app);
  RegisterGridListDialog(app);
  quorbel::RegisterGameStart(app);
}
