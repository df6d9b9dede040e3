#include "net/defi_protocol.h"

#include "net/text_fields.h"

namespace quorbel {

namespace {

// "|name|cell|value|kind", and nothing more.
std::optional<DefiMove> ParseMove(std::string_view body) {
  const std::vector<std::string_view> fields = SplitFields(body, '|');
  if (fields.size() != 5 || !fields[0].empty())
    return std::nullopt;
  const std::optional<int> cell = WholeNumber(fields[2]);
  const std::optional<int> value = WholeNumber(fields[3]);
  const std::optional<int> kind = WholeNumber(fields[4]);
  if (!cell || !value || !kind)
    return std::nullopt;
  return DefiMove{std::string(fields[1]), *cell, *value, *kind};
}

} // namespace

std::string DefiHello(std::string_view ownName, std::string_view calledName) {
  return std::string(kDefiHelloMark) + std::string(ownName) + std::string(kDefiHelloMark) +
         std::string(calledName);
}

std::string DefiChat(std::string_view text) { return "C" + std::string(text); }

std::string DefiStart(std::string_view challengeName) { return "S|" + std::string(challengeName); }

std::string DefiMoveMessage(std::string_view player, int cell, int value, int kind) {
  return "V|" + std::string(player) + "|" + std::to_string(cell) + "|" + std::to_string(value) + "|" +
         std::to_string(kind);
}

std::optional<std::string> DefiGridMessage(std::string_view fileBytes) {
  if (fileBytes.size() > kMostDefiMessage)
    return std::nullopt;
  return "G" + std::string(fileBytes);
}

DefiMessage ParseDefiMessage(std::string_view chunk) {
  DefiMessage message;
  if (chunk.starts_with(kDefiHelloMark)) {
    message.Kind = DefiMessageKind::Hello;
    const std::string_view rest = chunk.substr(kDefiHelloMark.size());
    const size_t mark = rest.find(kDefiHelloMark);
    message.Caller = std::string(rest.substr(0, mark));
    if (mark != std::string_view::npos)
      message.Called = std::string(rest.substr(mark + kDefiHelloMark.size()));
    return message;
  }
  if (chunk == kDefiBye) {
    message.Kind = DefiMessageKind::Bye;
    return message;
  }
  if (chunk.empty())
    return message;
  message.Body = std::string(chunk.substr(1));
  switch (chunk.front()) {
  case 'C':
    message.Kind = DefiMessageKind::Chat;
    break;
  case 'G':
    message.Kind = DefiMessageKind::Grid;
    break;
  case 'S':
    message.Kind = DefiMessageKind::Start;
    if (message.Body.starts_with('|'))
      message.Body.erase(0, 1);
    break;
  case 'V':
    message.Kind = DefiMessageKind::Move;
    message.Move = ParseMove(chunk.substr(1));
    break;
  case 'Y':
    message.Kind = DefiMessageKind::Ready;
    break;
  default:
    break;
  }
  return message;
}

std::vector<std::string_view> SplitDefiChunk(std::string_view chunk) {
  std::vector<std::string_view> messages;
  while (!chunk.empty()) {
    if (chunk.starts_with("V|")) {
      // "V|name|" then three numbers: the move ends after the third.
      size_t at = chunk.find('|', 2);
      int numbers = 0;
      while (at != std::string_view::npos && numbers < 3) {
        size_t end = at + 1;
        if (end < chunk.size() && chunk[end] == '-')
          ++end;
        while (end < chunk.size() && chunk[end] >= '0' && chunk[end] <= '9')
          ++end;
        ++numbers;
        at = numbers < 3 ? (end < chunk.size() && chunk[end] == '|' ? end : std::string_view::npos) : end;
      }
      if (at == std::string_view::npos || numbers < 3 || at >= chunk.size()) {
        messages.push_back(chunk);
        break;
      }
      messages.push_back(chunk.substr(0, at));
      chunk.remove_prefix(at);
      continue;
    }
    if (chunk.starts_with('G')) {
      const size_t lastLine = chunk.rfind('\n');
      if (lastLine != std::string_view::npos && chunk.substr(lastLine + 1).starts_with("S|")) {
        messages.push_back(chunk.substr(0, lastLine + 1));
        messages.push_back(chunk.substr(lastLine + 1));
        break;
      }
    }
    messages.push_back(chunk);
    break;
  }
  return messages;
}

} // namespace quorbel
