// The script player's host in the program: it passes the player's messages, waits and stops on
// to the services, keeps the settings a play may put back at its end, and carries out every
// other command through the handler its command word names (app/macro_commands.h).
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

  Language CurrentLanguage() const override { return services_.Messages.CurrentLanguage(); }
  void ShowMessage(const PanelText &text, bool evenMuted) override {
    services_.Messages.Show(text, evenMuted);
  }
  void ClearMessages() override { services_.Messages.Clear(); }
  void SetMessagesMuted(bool muted) override { services_.Messages.SetMuted(muted); }
  void Redraw() override { services_.Board.Redraw(); }
  bool PollUserAbort() override { return services_.Playback.PollUserAbort(); }
  bool WaitForKey() override { return services_.Playback.WaitForKey(); }
  bool WaitMs(int ms) override { return services_.Playback.WaitMs(ms); }
  bool GamePaused() const override { return services_.Playback.GamePaused(); }
  void SetMacroMode(bool on) override { services_.Playback.SetPlaying(on); }
  void StopRecording() override { services_.Playback.StopRecording(); }
  void SaveMacroSettings() override;
  void RestoreMacroSettings() override;
  int RunCommand(const MacroCall &call) override;

private:
  MacroServices services_;
  MacroCommandContext context_;
  AppSettings saved_;
};

} // namespace quorbel
