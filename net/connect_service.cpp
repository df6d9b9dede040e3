#include "net/connect_service.h"

#include <cctype>
#include <cstdio>
#include <utility>

#include "net/text_fields.h"

namespace quorbel {

namespace {

constexpr std::string_view kRecordMark = ">>>>>>";
constexpr std::string_view kNameMark = "-----";

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// The texts between successive record marks, at most 100.
std::vector<std::string_view> Records(std::string_view text, size_t dropAtEnd) {
  std::vector<std::string_view> records;
  size_t at = text.find(kRecordMark);
  while (at != std::string_view::npos && static_cast<int>(records.size()) < kMostServiceRecords) {
    const size_t start = at + kRecordMark.size();
    const size_t next = text.find(kRecordMark, start);
    if (next == std::string_view::npos)
      break;
    std::string_view record = text.substr(start, next - start);
    record.remove_suffix(std::min(dropAtEnd, record.size()));
    records.push_back(record);
    at = next;
  }
  return records;
}

std::optional<std::string> BetweenNameMarks(std::string_view text) {
  const size_t first = text.find(kNameMark);
  if (first == std::string_view::npos)
    return std::nullopt;
  const size_t start = first + kNameMark.size();
  const size_t second = text.find(kNameMark, start);
  if (second == std::string_view::npos)
    return std::nullopt;
  return std::string(text.substr(start, second - start));
}

uint32_t DottedIp(std::string_view address) {
  const std::vector<std::string_view> parts = SplitFields(address, '.');
  if (parts.size() != 4)
    return 0;
  uint32_t ip = 0;
  for (const std::string_view part : parts) {
    const std::optional<int> n = WholeNumber(part);
    if (!n || *n < 0 || *n > 255)
      return 0;
    ip = ip << 8 | static_cast<uint32_t>(*n);
  }
  return ip;
}

// name|int|address|port|six texts|status|yes|code: a record short of a field is none.
std::optional<DefiPlayerRecord> ParsePlayer(std::string_view record) {
  const std::vector<std::string_view> f = SplitFields(record, '|');
  if (f.size() < 13 || !IsDefiPlayerName(f[0]))
    return std::nullopt;
  const std::optional<int> port = WholeNumber(f[3]);
  if (!port || f[10].size() != 1)
    return std::nullopt;
  DefiPlayerRecord player;
  player.Name = std::string(f[0]);
  player.Address = std::string(f[2]);
  player.Port = *port;
  for (size_t i = 0; i < player.Fields.size(); ++i)
    player.Fields[i] = std::string(f[4 + i]);
  player.Status = std::max(0, DefiStatusOfLetter(f[10][0]));
  player.YesNo = f[11] == "Y" ? 1 : 0;
  player.Code = f[12].empty() ? 0 : f[12][0];
  player.Remote = 1;
  player.Ip = DottedIp(f[2]);
  return player;
}

std::optional<DefiChallenge> ParseChallenge(std::string_view record) {
  const std::vector<std::string_view> f = SplitFields(record, '|');
  if (f.size() < 15 || f[0].empty())
    return std::nullopt;
  DefiChallenge challenge;
  challenge.Name = std::string(f[0]);
  challenge.Code = WholeNumber(f[1]).value_or(0);
  challenge.Creator = std::string(f[2]);
  challenge.Letter = f[3].empty() ? 0 : f[3][0];
  for (size_t i = 0; i < challenge.Parameters.size(); ++i) {
    const std::optional<int> n = WholeNumber(f[4 + i]);
    if (!n)
      return std::nullopt;
    challenge.Parameters[i] = *n;
  }
  return challenge;
}

} // namespace

std::string EncodeServiceField(std::string_view text) {
  std::string encoded;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte == '%' || byte >= 0x7F) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", byte);
      encoded += hex;
    } else {
      encoded += c;
    }
  }
  return encoded;
}

std::string ServiceHost::HostLine() const { return Port == 80 ? Name : Name + ":" + std::to_string(Port); }

ServiceHost ParseServiceHost(std::string_view setting) {
  ServiceHost host;
  const size_t colon = setting.rfind(':');
  if (colon == std::string_view::npos || colon == 0) {
    host.Name = std::string(setting);
    return host;
  }
  host.Name = std::string(setting.substr(0, colon));
  const std::optional<int> port = WholeNumber(setting.substr(colon + 1));
  host.Port = port && *port > 0 && *port <= 65535 ? *port : 80;
  return host;
}

std::string ConnectRequest(std::string_view host, std::string_view ownName, std::string_view command) {
  return "GET /Connect.php?" + EncodeServiceField(ownName) + "|" + EncodeServiceField(command) +
         " HTTP/1.1\nhost: " + std::string(host) + "\nConnection: Keep-Alive\nLanguage: FR\n\n";
}

std::string CreateChallengeCommand(std::string_view name, const std::array<int, 11> &parameters) {
  std::string command = "D|C|" + std::string(name) + "|W";
  for (const int p : parameters)
    command.append("|").append(std::to_string(p));
  return command;
}

namespace {

// The Content-Length among the header lines, none when no line gives a number.
std::optional<size_t> ContentLength(std::string_view headers) {
  constexpr std::string_view kLength = "content-length:";
  for (size_t at = 0; at < headers.size();) {
    const size_t stop = headers.find('\n', at);
    const std::string_view line =
        headers.substr(at, stop == std::string_view::npos ? std::string_view::npos : stop - at);
    at = stop == std::string_view::npos ? headers.size() : stop + 1;
    if (line.size() <= kLength.size())
      continue;
    std::string lower(line.substr(0, kLength.size()));
    for (char &c : lower)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower != kLength)
      continue;
    std::string_view value = line.substr(kLength.size());
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
      value.remove_prefix(1);
    while (!value.empty() && (value.back() == '\r' || value.back() == ' '))
      value.remove_suffix(1);
    const std::optional<int> length = WholeNumber(value);
    if (!length || *length < 0)
      return std::nullopt;
    return static_cast<size_t>(*length);
  }
  return std::nullopt;
}

} // namespace

ServiceReplyReader::State ServiceReplyReader::Append(std::string_view bytes) {
  if (tooLarge_ || bytes.size() > kMostServiceReplyBytes - text_.size()) {
    tooLarge_ = true;
    return State::TooLarge;
  }
  text_.append(bytes);
  // A line feed followed by LF or CR LF ends the headers; one whose follower has not come yet
  // is looked at again with the next piece.
  while (!bodyStart_ && searched_ < text_.size()) {
    const size_t feed = text_.find('\n', searched_);
    if (feed == std::string::npos) {
      searched_ = text_.size();
      break;
    }
    searched_ = feed;
    if (feed + 1 >= text_.size())
      break;
    if (text_[feed + 1] == '\n') {
      bodyStart_ = feed + 2;
    } else if (text_[feed + 1] == '\r') {
      if (feed + 2 >= text_.size())
        break;
      if (text_[feed + 2] == '\n')
        bodyStart_ = feed + 3;
    }
    if (bodyStart_)
      length_ = ContentLength(std::string_view(text_).substr(0, feed));
    else
      searched_ = feed + 1;
  }
  if (length_ && *length_ > kMostServiceReplyBytes) {
    tooLarge_ = true;
    return State::TooLarge;
  }
  return bodyStart_ && length_ && text_.size() - *bodyStart_ >= *length_ ? State::Whole : State::Partial;
}

bool ServiceReplyComplete(std::string_view text, bool closed) {
  if (closed)
    return true;
  ServiceReplyReader reader;
  return reader.Append(text) == ServiceReplyReader::State::Whole;
}

ServiceReply ParseServiceReply(std::string_view text) {
  ServiceReply reply;
  if (Contains(text, "Internal Server Error") || !Contains(text, "HTTP/1.1 200 OK"))
    return reply;
  reply.Available = true;
  constexpr std::string_view kCommand = ">>>Com:";
  const size_t at = text.find(kCommand);
  if (at == std::string_view::npos || at + kCommand.size() >= text.size())
    return reply;
  reply.Kind = text[at + kCommand.size()];
  switch (reply.Kind) {
  case 'C':
    if (!Contains(text, "User Name free") && Contains(text, "New User Name"))
      reply.NewName = BetweenNameMarks(text);
    // The service names the player as a peer would: by a name every message can carry.
    if (reply.NewName && !IsDefiPlayerName(*reply.NewName))
      reply.RefusedName = std::exchange(reply.NewName, std::nullopt);
    break;
  case 'T':
    if (!Contains(text, "Group Name used") && !Contains(text, "Group Name free") &&
        Contains(text, "New Group Name"))
      reply.NewGroup = BetweenNameMarks(text);
    break;
  case 'G':
    for (const std::string_view record : Records(text, 3))
      if (std::optional<DefiPlayerRecord> player = ParsePlayer(record))
        reply.Players.push_back(std::move(*player));
    break;
  case 'L':
    for (const std::string_view record : Records(text, 0))
      if (std::optional<DefiChallenge> challenge = ParseChallenge(record))
        reply.Challenges.push_back(std::move(*challenge));
    break;
  default:
    break;
  }
  return reply;
}

std::optional<std::string> ServiceQueue::Submit(std::string command, bool listening) {
  if (state_ != 1 && listening) {
    if (!queue_.empty()) {
      // The oldest goes first; a new command waits behind the others, when there is room.
      if (!command.empty() && Waiting() < kServiceQueue)
        queue_.push_back(std::move(command));
      command = std::move(queue_.front());
      queue_.pop_front();
    }
    if (command.empty())
      return std::nullopt;
    state_ = 1;
    return command;
  }
  if (!command.empty() && Waiting() < kServiceQueue)
    queue_.push_back(std::move(command));
  return std::nullopt;
}

std::optional<std::string> ServiceQueue::ReplyHandled() {
  state_ = 2;
  return Submit({}, true);
}

} // namespace quorbel
