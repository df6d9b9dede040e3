// The challenge's connect service: one-line commands sent to a small web service as HTTP
// requests, one at a time with a queue of ten behind, and the replies that bring back the
// player's name, the players of the group, the open challenges and the group's name.
#pragma once

#include <array>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/defi_players.h"

namespace quorbel {

inline constexpr int kServiceQueue = 10;
inline constexpr int kMostServiceRecords = 100;

struct DefiChallenge {
  std::string Name;
  int Code = 0;
  std::string Creator;
  char Letter = 0;
  // type, difficulty, grid size, maximum time, cells per turn, possible values, bonus, joker,
  // surprise, hidden grid, others refused
  std::array<int, 11> Parameters{};
};

// Blanks, control characters, '%' and bytes above 127 as %XX; '|' stays, it parts the fields.
std::string EncodeServiceField(std::string_view text);
// The service's address as the setting gives it: "host" or "host:port" (port 80 when none).
struct ServiceHost {
  std::string Name;
  int Port = 80;
  // What the request's host line says: the port too, unless it is 80.
  std::string HostLine() const;
};
ServiceHost ParseServiceHost(std::string_view setting);

// "GET /Connect.php?<name>|<command> HTTP/1.1" and its headers, lines ending in "\n".
std::string ConnectRequest(std::string_view host, std::string_view ownName, std::string_view command);
// "D|C|<name>|W|" and the eleven parameters.
std::string CreateChallengeCommand(std::string_view name, const std::array<int, 11> &parameters);

// Far beyond a hundred players' records: a larger reply is dropped.
inline constexpr size_t kMostServiceReplyBytes = size_t{1} << 20;
// How long a request may wait for its whole reply.
inline constexpr int kServiceTimeoutMs = 15000;

// A reply read as it arrives, each byte looked at once: the headers end at the first blank line
// (CR LF or LF alone) wherever the pieces were cut, and their Content-Length is read then.
class ServiceReplyReader {
public:
  enum class State { Partial, Whole, TooLarge };
  // Whole once the headers ended and as many bytes as Content-Length said followed.
  State Append(std::string_view bytes);
  const std::string &Text() const { return text_; }

private:
  std::string text_;
  size_t searched_ = 0; // where the search for the blank line goes on
  std::optional<size_t> bodyStart_;
  std::optional<size_t> length_; // none: the reply ends with the connection
  bool tooLarge_ = false;
};

// A reply is handled once whole: its headers ended and as many bytes as Content-Length said, or
// the server closed the connection.
bool ServiceReplyComplete(std::string_view text, bool closed);

struct ServiceReply {
  bool Available = false;                 // a "200 OK" without "Internal Server Error"
  char Kind = 0;                          // the letter after ">>>Com:", 0 when none
  std::optional<std::string> NewName;     // 'C' with "New User Name", a name a peer could say
  std::optional<std::string> RefusedName; // one that is not: it changes nothing
  std::optional<std::string> NewGroup;    // 'T' with "New Group Name"
  std::vector<DefiPlayerRecord> Players;  // 'G'
  std::vector<DefiChallenge> Challenges;  // 'L'
};
ServiceReply ParseServiceReply(std::string_view text);

// One request in flight, ten commands waiting. Each call gives the command to send now, if any.
class ServiceQueue {
public:
  int State() const { return state_; } // 0 idle, 1 a request in flight, 2 a reply handled
  int Waiting() const { return static_cast<int>(queue_.size()); }
  std::optional<std::string> Submit(std::string command, bool listening);
  std::optional<std::string> ReplyHandled();
  // A request that failed, timed out or was refused: the next command waiting goes out.
  std::optional<std::string> Failed() {
    state_ = 0;
    return Submit({}, true);
  }
  void Reset() {
    state_ = 0;
    queue_.clear();
  }

private:
  int state_ = 0;
  std::deque<std::string> queue_;
};

} // namespace quorbel
