// A challenge endpoint for tests that hears everything and does nothing with it: a test
// overrides only what it watches.
#pragma once

#include <string>
#include <utility>

#include "net/qt/defi_sockets.h"

namespace quorbel::testing {

class QuietSocketHost : public DefiSocketHost {
public:
  explicit QuietSocketHost(std::string name) : name_(std::move(name)) {}

  void Inform(const std::string &) override {}
  DefiPlayerList &Players() override { return known; }
  std::string OwnName() const override { return name_; }
  bool Disabled() const override { return false; }
  bool ChallengeRunning() const override { return true; }
  void PlayersChanged() override {}
  void ChatReceived(const std::string &) override {}
  void GridReceived(const std::string &, const std::string &) override {}
  void MoveReceived(const std::string &, const DefiMove &) override {}
  void StartReceived(const std::string &) override {}
  void ReadyReceived() override {}

  DefiPlayerList known;

private:
  std::string name_;
};

} // namespace quorbel::testing
