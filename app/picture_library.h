// The pictures the board draws: the 16 cell pictures of the chosen list (a ".ani" file), the
// chess pieces, markers and effect pictures after them, the end-of-game pictures, and the
// number bar's undo and shuffle buttons. Loaded from the animated-pictures folder.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/picture_order.h"
#include "engine/cell_image.h"
#include "media/picture_set.h"

namespace quorbel {

inline constexpr int kPictureSetCount = 67;
inline constexpr int kFirstChessSet = kFirstChessPictureSet; // knight, queen, king, bishop, rook, pawn
inline constexpr int kMagicWandSet = 28;                     // the Magic Sentence cells' mark
inline constexpr int kBlackStarSet = kMagicSquareMarkerSet;
inline constexpr int kRedStarSet = 30;
inline constexpr int kHourGlassSet = 31;
inline constexpr int kWarningSet = 32;
inline constexpr int kClockSet = 33; // 8 opening frames, then 6 stages of 3
inline constexpr int kPraiseSet = 65;
inline constexpr int kTauntSet = 66;
inline constexpr std::string_view kDefaultPictureList = "Animals.ani";
// A list names at most a few dozen files: anything far larger is no list of ours.
inline constexpr uint64_t kMostPictureListBytes = uint64_t{1} << 20;

struct PictureLibrary {
  std::array<CBitMapGif, kPictureSetCount> Sets;
  CBitMapGif Undo;
  CBitMapGif Shuffle;
  std::string LoadedList; // the list the cell pictures came from; empty before the first load

  bool HasFrames(int set) const {
    return set >= 0 && set < kPictureSetCount && Sets[static_cast<size_t>(set)].FrameCount > 0;
  }
};

// A picture that could not be loaded: `Missing` when no such file exists (a folder without
// pictures). `Text` is the reader's "Erreur <reason> on Image : <path>", for the log; the player
// is told `Path` and `Reason` in his language.
struct PictureFailure {
  std::string Text;
  bool Missing = false;
  std::string Path;
  std::string Reason; // the reader's words, empty when it gave none
  bool List = false;  // the picture list itself, not one of its pictures
};

struct PictureListEntry {
  int LoopFactor = 0;
  std::string File;
};

// The entries of a picture list: one per line, a loop factor then a file; "!" starts a remark.
std::vector<PictureListEntry> ReadPictureList(std::string_view text);

// Loads the list `name` (the default one when empty; relative to `folder`) into the cell
// pictures and settles `order` for it. A list already loaded only settles the order. Loading
// stops at the first picture that cannot be loaded, which joins `failures`. Returns the number
// of pictures the cells can show (0: none, the list could not be read).
int LoadCellImageSet(PictureLibrary &pictures, const std::string &name, const std::string &folder,
                     PictureOrder &order, PictureOrderMode mode, std::vector<PictureFailure> *failures);

// The buttons, the chess pieces, the markers and the effect pictures, from `folder`.
void LoadFixedImages(PictureLibrary &pictures, const std::string &folder,
                     std::vector<PictureFailure> *failures);

// The picture lists of `folder`, by file name, the Domino one apart at the end.
std::vector<std::string> FindPictureLists(const std::string &folder);

} // namespace quorbel
