#include "app/panel_text.h"

#include <algorithm>

namespace quorbel {

PanelText PanelText::Plain(std::string_view text) {
  PanelText result;
  result.AppendPiece(text, true);
  return result;
}

PanelText PanelText::FileLink(std::string_view path, int code) {
  PanelText result;
  const bool linkable = !path.empty() && std::none_of(path.begin(), path.end(), [](char c) {
    return c == '!' || static_cast<unsigned char>(c) < 0x20;
  });
  if (linkable)
    result.AppendPiece(std::string("!").append(path).append("!").append(std::to_string(code)).append("!"),
                       false);
  else
    result.AppendPiece(path, true);
  return result;
}

PanelText &PanelText::operator+=(const PanelText &other) {
  for (const Piece &piece : other.pieces_)
    AppendPiece(piece.text, piece.plain);
  return *this;
}

PanelText &PanelText::AppendPlain(std::string_view text) {
  AppendPiece(text, true);
  return *this;
}

std::string PanelText::Joined() const {
  std::string joined;
  for (const Piece &piece : pieces_)
    joined += piece.text;
  return joined;
}

void PanelText::AppendOwn(std::string_view text) { AppendPiece(text, false); }

void PanelText::AppendPiece(std::string_view text, bool plain) {
  if (text.empty())
    return;
  // Neighbouring pieces of one kind merge, so a link of the program's own text stays in one piece.
  if (!pieces_.empty() && pieces_.back().plain == plain)
    pieces_.back().text += text;
  else
    pieces_.push_back({std::string(text), plain});
}

} // namespace quorbel
