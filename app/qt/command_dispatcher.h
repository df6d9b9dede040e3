// The program's message map: every command identifier of the command table (French menu,
// English menu, accelerator) leads to its command's one handler and one update predicate.
// Subsystems plug their commands in with SetHandler; a command without one stays disabled.
#pragma once

#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "resources/command_table.h"

struct CommandState {
  bool enabled = true;
  std::optional<bool> checked; // set: the item carries a check mark, ticked when true

  static CommandState Disabled() { return {false, std::nullopt}; }
  static CommandState Ticked(bool ticked, bool enabled = true) { return {enabled, ticked}; }
};

class CommandDispatcher {
public:
  // The handler receives the identifier that reached it (the recent-file commands need it).
  using Handler = std::function<void(quorbel::CommandId)>;
  using Update = std::function<CommandState()>;

  CommandDispatcher();

  // `update` may be empty: the command is then always enabled and carries no check mark.
  void SetHandler(quorbel::Cmd cmd, Handler handler, Update update = {});
  bool HasHandler(quorbel::Cmd cmd) const;

  // While this answers true (a long computation pumps events) every command is refused.
  void SetRefusal(std::function<bool()> refusing) { refusing_ = std::move(refusing); }
  // Runs `work` around every handler (the long-computation scope of the message pump).
  void SetHandlerScope(std::function<void(const std::function<void()> &)> scope) {
    scope_ = std::move(scope);
  }
  // Runs after every handler that ran and after every SetHandler (the frame brings its items
  // up to date).
  void SetStatesChanged(std::function<void()> changed) { statesChanged_ = std::move(changed); }

  std::optional<quorbel::Cmd> CommandOf(quorbel::CommandId id) const;
  // The rows of the table that reach a command, in table order.
  const std::vector<const quorbel::CommandRow *> &RowsOf(quorbel::Cmd cmd) const;
  const quorbel::CommandRow *RowOf(quorbel::CommandId id) const;

  // Disabled without a handler or for an unknown identifier; else what the update predicate says.
  CommandState State(quorbel::CommandId id) const;
  // Runs the handler. False when the identifier is unknown, the command has no handler, is
  // disabled or is refused.
  bool Execute(quorbel::CommandId id);
  // The same, reached by the command rather than one of its identifiers.
  bool ExecuteCommand(quorbel::Cmd cmd);

private:
  struct Entry {
    Handler handler;
    Update update;
  };

  std::unordered_map<quorbel::CommandId, const quorbel::CommandRow *> rowById_;
  std::unordered_map<quorbel::Cmd, std::vector<const quorbel::CommandRow *>> rowsByCmd_;
  std::unordered_map<quorbel::Cmd, Entry> entries_;
  std::function<bool()> refusing_;
  std::function<void(const std::function<void()> &)> scope_;
  std::function<void()> statesChanged_;
};
