#include "net/defi_protocol.h"

#include "net/defi_framer.h"
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

// The standings' fields: four numbers, then three fields a player; every number whole and in
// its range, at most 100 players of at most 16 values.
std::optional<DefiStandings> ParseStandings(std::string_view body) {
  constexpr size_t kMostPlayers = 100;
  if (body.ends_with('\n'))
    body.remove_suffix(1);
  if (!body.starts_with('|'))
    return std::nullopt;
  const std::vector<std::string_view> fields = SplitFields(body.substr(1), '|');
  if (fields.size() < 4 || (fields.size() - 4) % 3 != 0 || (fields.size() - 4) / 3 > kMostPlayers)
    return std::nullopt;
  DefiStandings standings;
  const std::optional<int> over = WholeNumber(fields[0]);
  const std::optional<int> current = WholeNumber(fields[1]);
  const std::optional<int> previous = WholeNumber(fields[2]);
  const std::optional<int> remaining = WholeNumber(fields[3]);
  const int count = static_cast<int>((fields.size() - 4) / 3);
  if (!over || *over < 0 || *over > 1 || !current || *current < 0 || *current > count || !previous ||
      *previous < -1 || *previous > count || !remaining || *remaining < 0)
    return std::nullopt;
  standings.Over = *over == 1;
  standings.Current = *current;
  standings.Previous = *previous;
  standings.RemainingMs = *remaining;
  for (size_t at = 4; at < fields.size(); at += 3) {
    DefiStanding player;
    player.Name = std::string(fields[at]);
    const std::optional<int> score = WholeNumber(fields[at + 1]);
    if (player.Name.empty() || !score)
      return std::nullopt;
    player.Score = *score;
    if (!fields[at + 2].empty())
      for (const std::string_view value : SplitFields(fields[at + 2], ',')) {
        const std::optional<int> number = WholeNumber(value);
        if (!number || player.Moves.size() >= kMostDefiStandingMoves)
          return std::nullopt;
        player.Moves.push_back(*number);
      }
    standings.Players.push_back(std::move(player));
  }
  return standings;
}

} // namespace

std::string DefiStandingsMessage(const DefiStandings &standings) {
  std::string message = "T|" + std::to_string(standings.Over ? 1 : 0) + "|" +
                        std::to_string(standings.Current) + "|" + std::to_string(standings.Previous) + "|" +
                        std::to_string(standings.RemainingMs);
  for (const DefiStanding &player : standings.Players) {
    message += "|" + player.Name + "|" + std::to_string(player.Score) + "|";
    for (size_t m = 0; m < player.Moves.size(); ++m) {
      if (m != 0)
        message += ',';
      message += std::to_string(player.Moves[m]);
    }
  }
  return message + "\n";
}

std::string DefiHello(std::string_view ownName, std::string_view calledName) {
  return std::string(kDefiHelloMark) + std::string(ownName) + std::string(kDefiHelloMark) +
         std::string(calledName);
}

std::string DefiChat(std::string_view text) {
  std::string message = "C";
  return message.append(text);
}

std::string DefiPanelLine(std::string_view line) {
  constexpr size_t kMostPanelBytes = 240;
  if (line.size() <= kMostPanelBytes)
    return std::string(line);
  return std::string(line.substr(0, kMostPanelBytes)) + "... (" + std::to_string(line.size()) + " bytes)";
}

std::string DefiStart(std::string_view challengeName) { return "S|" + std::string(challengeName); }

std::string DefiMoveMessage(std::string_view player, int cell, int value, int kind) {
  return "V|" + std::string(player) + "|" + std::to_string(cell) + "|" + std::to_string(value) + "|" +
         std::to_string(kind);
}

std::optional<std::string> DefiGridMessage(std::string_view fileBytes) {
  if (fileBytes.size() > kMostDefiMessage)
    return std::nullopt;
  std::string message = "G";
  return message.append(fileBytes);
}

namespace {

constexpr std::string_view kBlocksLine = ";Blocks ";
constexpr int kMostBlockSide = 16;

} // namespace

std::optional<std::string> DefiGridMessage(std::string_view fileBytes, DefiBlocks blocks) {
  std::string file(fileBytes);
  if (!file.empty() && !file.ends_with('\n'))
    file += "\r\n";
  file.append(kBlocksLine)
      .append(std::to_string(blocks.Rows))
      .append("x")
      .append(std::to_string(blocks.Cols))
      .append("\r\n");
  return DefiGridMessage(file);
}

std::optional<DefiBlocks> DefiGridBlocks(std::string_view fileBytes) {
  const size_t at = fileBytes.rfind(std::string("\n").append(kBlocksLine));
  if (at == std::string_view::npos)
    return std::nullopt;
  std::string_view line = fileBytes.substr(at + 1 + kBlocksLine.size());
  line = line.substr(0, line.find('\n'));
  if (line.ends_with('\r'))
    line.remove_suffix(1);
  const size_t cross = line.find('x');
  if (cross == std::string_view::npos)
    return std::nullopt;
  const std::optional<int> rows = WholeNumber(line.substr(0, cross));
  const std::optional<int> cols = WholeNumber(line.substr(cross + 1));
  if (!rows || !cols || *rows < 1 || *cols < 1 || *rows > kMostBlockSide || *cols > kMostBlockSide)
    return std::nullopt;
  return DefiBlocks{*rows, *cols};
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
  case 'T':
    message.Kind = DefiMessageKind::Standings;
    message.Standings = ParseStandings(chunk.substr(1));
    break;
  default:
    break;
  }
  return message;
}

std::vector<std::string_view> SplitDefiChunk(std::string_view chunk) {
  std::vector<std::string_view> messages;
  while (!chunk.empty()) {
    const size_t length = DefiMessageLength(chunk, {}, true);
    messages.push_back(chunk.substr(0, length));
    chunk.remove_prefix(length);
  }
  return messages;
}

} // namespace quorbel
