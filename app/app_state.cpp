#include "app/app_state.h"

namespace quorbel {

void AppState::StartGame(bool newGrid) {
  paused_ = false;
  challenge_ = false;
  if (newGrid)
    newGrid_ = true;
}

void AppState::StartMacro() {
  if (batchDepth_ > 0)
    beforeBatch_ = RunMode::Macro;
  else
    mode_ = RunMode::Macro;
}

void AppState::EndMacro() {
  if (batchDepth_ > 0)
    beforeBatch_ = RunMode::Player;
  else
    mode_ = RunMode::Player;
}

void AppState::EnterBatchTest() {
  if (batchDepth_++ == 0)
    beforeBatch_ = mode_;
  mode_ = RunMode::BatchTest;
}

void AppState::LeaveBatchTest() {
  if (batchDepth_ == 0)
    return;
  if (--batchDepth_ == 0)
    mode_ = beforeBatch_;
}

std::optional<std::string> AppState::TakeStartupMacro() {
  std::optional<std::string> path = std::move(pendingMacro_);
  pendingMacro_.reset();
  return path;
}

} // namespace quorbel
