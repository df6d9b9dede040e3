// Reading and replacing single lines of a text grid file.
#include "files/text_grid_comment.h"

#include <vector>

#include "files/latin1_text.h"
#include "files/text_grid_format.h"
#include "files/text_grid_parser.h"

namespace quorbel {

namespace {

constexpr int kHighestLevel = 4;

std::vector<std::string> SplitLines(std::span<const uint8_t> bytes) {
  std::vector<std::string> lines;
  std::string line;
  for (uint8_t byte : bytes) {
    if (byte == '\n') {
      if (!line.empty() && line.back() == '\r')
        line.pop_back();
      lines.push_back(std::move(line));
      line.clear();
    } else {
      line.push_back(static_cast<char>(byte));
    }
  }
  if (!line.empty())
    lines.push_back(std::move(line));
  return lines;
}

char CommentKind(bool english) { return english ? text_grid::kEnglishComment : text_grid::kFrenchComment; }

} // namespace

std::string ReadTextGridComment(std::span<const uint8_t> bytes, bool english) {
  for (const std::string &line : SplitLines(bytes))
    if (!line.empty() && line[0] == CommentKind(english))
      return Latin1ToUtf8(std::string_view(line).substr(1));
  return {};
}

int ReadTextGridLevel(std::span<const uint8_t> bytes) {
  for (const std::string &line : SplitLines(bytes))
    if (!line.empty() && line[0] == text_grid::kLevel)
      return ParseTextInt(std::string_view(line).substr(1)).value_or(0);
  return 0;
}

std::string SetTextGridCommentOrLevel(std::span<const uint8_t> bytes, int level, std::string_view comment,
                                      bool english) {
  std::vector<std::string> lines = SplitLines(bytes);
  std::string replacement;
  char kind;
  if (level == -1) {
    kind = CommentKind(english);
    std::string text = Utf8ToLatin1(comment);
    if (text.empty())
      text = english ? "old comment removed" : "ancien commentaire supprime";
    replacement = kind + text;
  } else {
    kind = text_grid::kLevel;
    replacement = kind + std::to_string(level >= 1 && level <= kHighestLevel ? level : 1);
  }
  bool replaced = false;
  for (std::string &line : lines)
    if (!replaced && !line.empty() && line[0] == kind) {
      line = replacement;
      replaced = true;
    }
  if (!replaced)
    lines.push_back(replacement);
  std::string text;
  for (const std::string &line : lines)
    text += line + "\r\n";
  return text;
}

} // namespace quorbel
