// Whole challenge messages out of a peer's byte stream. The wire marks no message's end, so
// an end is read from the message itself where it can be (a move's last number, the start
// that follows a grid, a hello naming us, "bye"), and otherwise from the stream falling quiet.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "net/defi_protocol.h"

namespace quorbel {

// The longest message: "G" and a grid file of 8192 bytes.
inline constexpr size_t kMostDefiLine = kMostDefiMessage + 1;
// What a caller may send before its hello has made it a player.
inline constexpr size_t kMostDefiHello = 512;

// The length of the first whole message of `stream`, 0 while it may still go on. `quiet` says
// nothing more came for a while: what stands is then whole. `ownName` ends a hello calling us.
size_t DefiMessageLength(std::string_view stream, std::string_view ownName, bool quiet);

class DefiFramer {
public:
  void Append(std::string_view bytes) { buffer_.append(bytes); }
  // The next whole message; none while the first one may go on.
  std::optional<std::string> Next(std::string_view ownName, bool quiet);
  size_t Pending() const { return buffer_.size(); }
  void Clear() { buffer_.clear(); }

private:
  std::string buffer_;
};

} // namespace quorbel
