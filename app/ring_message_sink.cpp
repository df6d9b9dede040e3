#include "app/ring_message_sink.h"

#include <vector>

#include "app/message_table.h"

namespace quorbel {

void RingMessageSink::Post(int32_t messageNumber, std::span<const MessageArg> args) {
  std::vector<FormatArg> formatArgs;
  formatArgs.reserve(args.size());
  for (const MessageArg &arg : args)
    std::visit([&](const auto &value) { formatArgs.emplace_back(value); }, arg);
  ring_.AddInfoMessage(FormatPanelText(MessageFormat(messageNumber, language_), formatArgs));
}

} // namespace quorbel
