#include "app/ring_message_sink.h"

#include <vector>

#include "app/message_table.h"

namespace quorbel {

PanelText RingMessageSink::Format(int32_t messageNumber, std::span<const MessageArg> args) const {
  std::vector<FormatArg> formatArgs;
  formatArgs.reserve(args.size());
  for (const MessageArg &arg : args)
    std::visit([&](const auto &value) { formatArgs.emplace_back(value); }, arg);
  return FormatPanelText(MessageFormat(messageNumber, language_), formatArgs);
}

void RingMessageSink::Post(int32_t messageNumber, std::span<const MessageArg> args) {
  ring_.AddInfoMessage(Format(messageNumber, args));
}

void RingMessageSink::Replace(int32_t messageNumber, std::span<const MessageArg> args) {
  ring_.ReplaceInfoMessage(Format(messageNumber, args), 0);
}

} // namespace quorbel
