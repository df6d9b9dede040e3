// The challenge's peer protocol: short Latin-1 messages over TCP, told apart by their first
// character, fields separated by "|". Built and parsed here; the sockets carry them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

inline constexpr size_t kMostDefiMessage = 8192; // a received chunk, a sent grid file
inline constexpr std::string_view kDefiBye = "bye";
inline constexpr std::string_view kDefiHelloMark = ">>>>>";

std::string DefiHello(std::string_view ownName, std::string_view calledName);
std::string DefiChat(std::string_view text);
std::string DefiStart(std::string_view challengeName);
std::string DefiMoveMessage(std::string_view player, int cell, int value, int kind);
// "G" and the file; none when the file is larger than a message may be.
std::optional<std::string> DefiGridMessage(std::string_view fileBytes);

enum class DefiMessageKind { Hello, Bye, Chat, Grid, Start, Move, Ready, Other };

struct DefiMove {
  std::string Player;
  int Cell = 0;
  int Value = 0;
  int Kind = 0;
};

struct DefiMessage {
  DefiMessageKind Kind = DefiMessageKind::Other;
  std::string Caller;           // hello: the sender's name
  std::string Called;           // hello: the name it called
  std::string Body;             // chat text, grid file, challenge name
  std::optional<DefiMove> Move; // none when the move's fields are not three whole numbers
};

DefiMessage ParseDefiMessage(std::string_view chunk);

// The messages of one received chunk. The protocol has no frame, so two quick sends can arrive
// as one chunk: moves are split where a move's last number ends, and a start that follows a
// grid file on its own last line is split from the file. Anything else is one message.
std::vector<std::string_view> SplitDefiChunk(std::string_view chunk);

} // namespace quorbel
