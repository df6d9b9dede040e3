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
// A peer's chat line as the message panel shows it: its first 240 bytes and, when it is longer,
// how long it is. The panel is drawn with the board, clock ticks included: a line of a whole
// message would cost every one of them.
std::string DefiPanelLine(std::string_view line);
std::string DefiStart(std::string_view challengeName);
std::string DefiMoveMessage(std::string_view player, int cell, int value, int kind);
// "G" and the file; none when the file is larger than a message may be.
std::optional<std::string> DefiGridMessage(std::string_view fileBytes);

// The blocks of a grid's shape (rows and columns of cells), which a text grid does not tell: its
// size alone is read on that size's usual blocks.
struct DefiBlocks {
  int Rows = 0;
  int Cols = 0;
  bool operator==(const DefiBlocks &) const = default;
};
// The launcher's grid with its blocks: the file and a comment line ";Blocks <rows>x<cols>" that
// readers of text grids pass over. None when it is larger than a message may be.
std::optional<std::string> DefiGridMessage(std::string_view fileBytes, DefiBlocks blocks);
// The blocks a grid's file names, none when it names none (a launcher that does not say them).
std::optional<DefiBlocks> DefiGridBlocks(std::string_view fileBytes);

// Where a challenge stands, as its launcher tells every other player after each change:
// whose turn it is and since when, every player's score and the values of the turn.
struct DefiStanding {
  std::string Name;
  int Score = 0;
  std::vector<int> Moves;
  bool operator==(const DefiStanding &) const = default;
};

struct DefiStandings {
  bool Over = false;
  int Current = 0; // the order's position whose turn it is; the order's length before the first
  int Previous = -1;
  int RemainingMs = 0;
  std::vector<DefiStanding> Players; // in turn order
  bool operator==(const DefiStandings &) const = default;
};

inline constexpr size_t kMostDefiStandingMoves = 16;

// "T|over|current|previous|ms|name|score|v,v,...|..." and a line end. Peers that do not know it
// leave it, as any message of a letter they do not read.
std::string DefiStandingsMessage(const DefiStandings &standings);

enum class DefiMessageKind { Hello, Bye, Chat, Grid, Start, Move, Ready, Standings, Other };

// A move's kind is the board's cell action, as the wire carries it.
enum DefiMoveKind : int {
  kDefiPlace = 1,
  kDefiPlaceNth = 2,
  kDefiPlaceFixed = 3, // a given: only a surprise's cell, revealed by the launcher
  kDefiClear = 6,
  kDefiTogglePencil = 7,
  kDefiRemovePencil = 12,
  kDefiNextValue = 13,
  kDefiPreviousValue = 14,
};

struct DefiMove {
  std::string Player;
  int Cell = 0;
  int Value = 0;
  int Kind = 0;
};

struct DefiMessage {
  DefiMessageKind Kind = DefiMessageKind::Other;
  std::string Caller;                     // hello: the sender's name
  std::string Called;                     // hello: the name it called
  std::string Body;                       // chat text, grid file, challenge name
  std::optional<DefiMove> Move;           // none when the move's fields are not three whole numbers
  std::optional<DefiStandings> Standings; // none when malformed
};

DefiMessage ParseDefiMessage(std::string_view chunk);

// The messages of a chunk that is all there is: cut where each message's own end shows, the
// last one running to the chunk's end.
std::vector<std::string_view> SplitDefiChunk(std::string_view chunk);

} // namespace quorbel
