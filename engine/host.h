// The engine's one door to the rest of the program: message panel, polling for the
// player's Escape, progress, repaint, macro recording, the document's modified flag,
// the challenge peer, cell animations and the out-of-memory stop. Every method has a
// harmless default, so the application overrides what it has and tests use NullHost.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "engine/cell_image.h"
#include "engine/message_arg.h"

namespace quorbel {

struct EngineContext;
struct GridRecord;

// One recorded user action: the command keyword's code and its arguments; an empty
// string or an empty integer is absent.
struct RecordedAction {
  int32_t Code = 0;
  std::array<std::string, 6> Strings{};
  std::array<std::optional<int32_t>, 6> Ints{};
};

class EngineHost {
public:
  virtual ~EngineHost() = default;

  // A line of plain text for the message panel (and the log when logging is on).
  virtual void AddInfoMessage(std::string_view /*text*/) {}
  // Overwrites the panel line `back` lines before the newest (0: the newest) with plain text.
  virtual void ReplaceInfoMessage(std::string_view /*text*/, int /*back*/) {}
  // A numbered message: `number` is the French entry of the message table; the host
  // picks the language and fills the format with the arguments in order.
  virtual void ShowMessage(int /*number*/, std::span<const MessageArg> /*args*/) {}
  // The same message written over the newest line (a running count's latest step); a host
  // without a panel of lines adds it.
  virtual void ReplaceMessage(int number, std::span<const MessageArg> args) { ShowMessage(number, args); }

  // True when the player asked a long computation to stop (Escape, right button).
  virtual bool PollUserAbort() { return false; }
  virtual void StartWaitProgress(std::string_view /*text*/, int /*range*/, bool /*automatic*/) {}
  // -1 advances the bar by one, any other value sets its position.
  virtual void StepWaitProgress(int /*position*/) {}
  virtual void StopWaitProgress() {}

  virtual void RedrawViewNow() {}
  // The geometry changed: the board's selection and focus cell no longer mean anything.
  virtual void ClearSelection() {}
  // Starts picture `picture` (CellPicture) of cell `cell` of `grid`: mode 1 once, 2 the frames
  // `count` times, 3 pulse, 4 endless. Only the board's grids have animations.
  virtual void StartCellAnimation(const GridRecord & /*grid*/, int /*cell*/, int /*picture*/, int /*mode*/,
                                  int /*count*/) {}

  virtual void RecordMacroStep(const RecordedAction & /*step*/) {}
  // "NULL" marks the document unmodified and untitled, "" modified only, any other name
  // modified under that title.
  virtual void MarkDocumentModified(std::string_view /*gridName*/) {}
  // Clears the modified flag only; the title stays.
  virtual void ClearDocumentModified() {}
  // Before the grids are replaced: the document saves itself when modified, which may ask
  // the player. False when the player cancelled.
  virtual bool QuerySaveDocument() { return true; }
  // Clears the view's undo-pending flag (a trial the view would otherwise undo).
  virtual void ClearUndoPending() {}
  // A player's move on a main grid, for the challenge peer.
  virtual void DefiSendMove(int /*cell*/, int /*value*/, int /*action*/) {}

  // The board's trial marks go (ReinitGrids).
  virtual void ClearTrialMarks() {}
  // The board's undo-pending flag (a step taken for a trial the player has not kept);
  // reading it clears it.
  virtual bool TakeUndoPending() { return false; }
  // The grid set now holds new grids: the board drops what it kept about the old ones.
  virtual void GridSetReset() {}
  // The reference grids hold a new solution: the game score, truncated, becomes the most
  // the Double-and-Triple mode can reach.
  virtual void SetTripleMaxScoreFromGameScore() {}

  // Shows the message before the process stops; the engine does the stopping.
  virtual void ReportOutOfMemory(std::string_view text);
};

class NullHost final : public EngineHost {};

std::string_view OutOfMemoryText(int language);

// Reports through the host and ends the process with exit code -1.
[[noreturn]] void AbortOutOfMemory(const EngineContext &ctx);

} // namespace quorbel
