// Where the file and automation code posts its numbered panel messages. The application
// fills the numbered text of the message table with the typed arguments, in order.
#pragma once

#include <cstdint>
#include <span>

#include "engine/message_arg.h"

namespace quorbel {

class MessageSink {
public:
  virtual ~MessageSink() = default;
  virtual void Post(int32_t messageNumber, std::span<const MessageArg> args) = 0;
};

} // namespace quorbel
