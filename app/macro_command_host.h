// The script player's host in the program: it keeps the settings a play may put back at its end,
// and carries out every command the player leaves to it through the handler its command word
// names (app/macro_commands.h).
#pragma once

#include <string>

#include "app/macro_commands.h"

namespace quorbel {

class MacroCommandHost final : public MacroHost {
public:
  explicit MacroCommandHost(MacroServices services) : services_(services), context_{services_, {}} {}
  // The handlers' context refers to this host's own services.
  MacroCommandHost(const MacroCommandHost &) = delete;
  MacroCommandHost &operator=(const MacroCommandHost &) = delete;

  // The played macro's folder, where its steps may write too.
  void SetMacroFolder(const std::string &folder) { context_.MacroFolder = folder; }

  void SaveMacroSettings() override;
  void RestoreMacroSettings() override;
  int RunCommand(const MacroCall &call) override;

private:
  MacroServices services_;
  MacroCommandContext context_;
  AppSettings saved_;
};

} // namespace quorbel
