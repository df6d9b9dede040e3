#include "app/qt/command_dispatcher.h"

using quorbel::Cmd;
using quorbel::CommandId;
using quorbel::CommandRow;

CommandDispatcher::CommandDispatcher() {
  for (const CommandRow &row : quorbel::CommandTable()) {
    for (CommandId id : {row.idFr, row.idEn, row.idAccel})
      if (id != 0)
        rowById_.emplace(id, &row);
    rowsByCmd_[row.cmd].push_back(&row);
  }
}

void CommandDispatcher::SetHandler(Cmd cmd, Handler handler, Update update) {
  entries_[cmd] = Entry{std::move(handler), std::move(update)};
  if (statesChanged_)
    statesChanged_();
}

bool CommandDispatcher::HasHandler(Cmd cmd) const { return entries_.contains(cmd); }

const CommandRow *CommandDispatcher::RowOf(CommandId id) const {
  const auto found = rowById_.find(id);
  return found == rowById_.end() ? nullptr : found->second;
}

std::optional<Cmd> CommandDispatcher::CommandOf(CommandId id) const {
  const CommandRow *row = RowOf(id);
  return row ? std::optional<Cmd>(row->cmd) : std::nullopt;
}

const std::vector<const CommandRow *> &CommandDispatcher::RowsOf(Cmd cmd) const {
  static const std::vector<const CommandRow *> kNone;
  const auto found = rowsByCmd_.find(cmd);
  return found == rowsByCmd_.end() ? kNone : found->second;
}

CommandState CommandDispatcher::State(CommandId id) const {
  const std::optional<Cmd> cmd = CommandOf(id);
  const auto entry = cmd ? entries_.find(*cmd) : entries_.end();
  if (entry == entries_.end())
    return CommandState::Disabled();
  return entry->second.update ? entry->second.update() : CommandState{};
}

bool CommandDispatcher::Execute(CommandId id) {
  if (refusing_ && refusing_())
    return false;
  if (!State(id).enabled)
    return false;
  // The handler is copied: it may replace itself while it runs.
  const Handler handler = entries_.at(*CommandOf(id)).handler;
  if (scope_)
    scope_([&] { handler(id); });
  else
    handler(id);
  if (statesChanged_)
    statesChanged_();
  return true;
}

bool CommandDispatcher::ExecuteCommand(Cmd cmd) {
  for (const CommandRow *row : RowsOf(cmd)) {
    const CommandId id = row->idEn != 0 ? row->idEn : row->idFr != 0 ? row->idFr : row->idAccel;
    if (id != 0)
      return Execute(id);
  }
  return false;
}
