// PanelText: a message on its way to the message panel and the log, kept as pieces that know
// where they came from. Pieces of the program's own text may hold "!text!code!" links; plain
// pieces (a peer's chat, a file's comment, a web reply, any %s argument) are shown letter for
// letter, so their "!" marks can never make a link.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/own_text.h"

namespace quorbel {

class PanelText {
public:
  struct Piece {
    std::string text;
    bool plain = false; // true: came from outside, never parsed for links
  };

  PanelText() = default;
  PanelText(OwnText text) { AppendOwn(text.View()); }

  static PanelText Plain(std::string_view text);
  // A link that opens a file the program itself chose (a macro it played, say). A path that
  // holds "!" or a control character could not be a link: it is shown plain.
  // `code` -2 opens the file, -4 hands a file or folder to the desktop.
  static PanelText FileLink(std::string_view path, int code = -2);

  PanelText &operator+=(const PanelText &other);
  PanelText &AppendPlain(std::string_view text);

  const std::vector<Piece> &Pieces() const { return pieces_; }
  // The pieces joined as written, link marks included.
  std::string Joined() const;
  bool IsEmpty() const { return pieces_.empty(); }

private:
  friend class PanelTextBuilder;
  void AppendOwn(std::string_view text);
  void AppendPiece(std::string_view text, bool plain);

  std::vector<Piece> pieces_;
};

inline PanelText operator+(PanelText a, const PanelText &b) { return a += b; }

} // namespace quorbel
