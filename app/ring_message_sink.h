// Posts the numbered messages of the file and automation code (the macro recorder's reports)
// into the message panel, from the message table in the interface language of the moment.
#pragma once

#include "app/message_ring.h"
#include "files/message_sink.h"
#include "platform/language.h"

namespace quorbel {

class RingMessageSink final : public MessageSink {
public:
  // `language` is read at each message, so a switch from the menu takes effect at once.
  RingMessageSink(MessageRing &ring, const Language &language) : ring_(ring), language_(language) {}

  // Text arguments (file names and the like) are shown as plain text.
  void Post(int32_t messageNumber, std::span<const MessageArg> args) override;
  // The same over the newest line.
  void Replace(int32_t messageNumber, std::span<const MessageArg> args);

private:
  PanelText Format(int32_t messageNumber, std::span<const MessageArg> args) const;

  MessageRing &ring_;
  const Language &language_;
};

} // namespace quorbel
