#include "net/defi_framer.h"

namespace quorbel {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "V|name|cell|value|kind": the move ends after the kind's last digit, which only the next
// byte can show. A byte out of that pattern ends a broken move there; the parser refuses it.
size_t MoveLength(std::string_view stream, bool quiet) {
  const size_t waiting = quiet ? stream.size() : 0;
  if (stream.size() < 2)
    return waiting;
  if (stream[1] != '|')
    return 1;
  const size_t nameEnd = stream.find('|', 2);
  if (nameEnd == std::string_view::npos)
    return waiting;
  size_t at = nameEnd;
  // Three numbers; a move that goes on with more fields is kept whole, so that it is refused
  // rather than read as the first five.
  for (int number = 0; number < 3 || (at < stream.size() && stream[at] == '|'); ++number) {
    if (at >= stream.size())
      return waiting;
    if (stream[at] != '|')
      return at;
    ++at;
    if (at < stream.size() && stream[at] == '-')
      ++at;
    while (at < stream.size() && IsDigit(stream[at]))
      ++at;
  }
  return at < stream.size() ? at : waiting;
}

} // namespace

size_t DefiMessageLength(std::string_view stream, std::string_view ownName, bool quiet) {
  const size_t waiting = quiet ? stream.size() : 0;
  if (stream.empty())
    return 0;
  if (stream.starts_with(kDefiHelloMark)) {
    const size_t second = stream.find(kDefiHelloMark, kDefiHelloMark.size());
    if (second != std::string_view::npos && !ownName.empty()) {
      const size_t called = second + kDefiHelloMark.size();
      if (stream.substr(called).starts_with(ownName))
        return called + ownName.size();
    }
    return waiting;
  }
  if (stream.starts_with(kDefiBye))
    return kDefiBye.size();
  if (kDefiBye.starts_with(stream))
    return waiting;
  switch (stream.front()) {
  case 'Y':
    return 1;
  case 'V':
    return MoveLength(stream, quiet);
  case 'G': {
    // The launcher's start follows its grid, on a line of its own.
    const size_t start = stream.find("\nS|");
    return start != std::string_view::npos ? start + 1 : waiting;
  }
  case 'S': {
    // A launcher's standings follow its start at once; a challenge's name holds no "|".
    const size_t standings = stream.find("T|", 2);
    return standings != std::string_view::npos ? standings : waiting;
  }
  case 'T': {
    const size_t end = stream.find('\n');
    return end != std::string_view::npos ? end + 1 : waiting;
  }
  default:
    return waiting;
  }
}

std::optional<std::string> DefiFramer::Next(std::string_view ownName, bool quiet) {
  const size_t length = DefiMessageLength(buffer_, ownName, quiet);
  if (length == 0)
    return std::nullopt;
  std::string message = buffer_.substr(0, length);
  buffer_.erase(0, length);
  return message;
}

} // namespace quorbel
