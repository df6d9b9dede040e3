#include "app/picture_library.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "platform/ascii_text.h"
#include "platform/paths.h"
#include "platform/regular_file.h"

namespace quorbel {

namespace {

constexpr std::array<std::string_view, 34> kFixedPictures{
    "Chess/BlackKnight.gif", "Chess/BlackQueen.gif",  "Chess/BlackKing.gif",   "Chess/BlackBishop.gif",
    "Chess/BlackTower.gif",  "Chess/BlackPawn.gif",   "Chess/WhiteKnight.gif", "Chess/WhiteQueen.gif",
    "Chess/WhiteKing.gif",   "Chess/WhiteBishop.gif", "Chess/WhiteTower.gif",  "Chess/WhitePawn.gif",
    "Chess/MagicWand.gif",   "Chess/BlackStar.gif",   "Chess/RedStar.gif",     "Chess/HourGlass.gif",
    "Chess/Warning.gif",     "Chess/Clock.gif",       "Chess/Sparkle.gif",     "Chess/Bomb.gif",
    "Chess/Smoke.gif",       "Chess/Heart.gif",       "Chess/Bell.gif",        "Chess/Lightning.gif",
    "Chess/Flower.gif",      "Chess/Sun.gif",         "Chess/Moon.gif",        "Chess/Cloud.gif",
    "Chess/Drop.gif",        "Chess/Key.gif",         "Chess/Lock.gif",        "Chess/Flag.gif",
    "Chess/Trophy.gif",      "Chess/Question.gif"};
constexpr std::string_view kDominoList = "domino.ani";

std::string InFolder(const std::string &folder, std::string_view file) {
  const std::string path = NormalisePath(file);
  std::string base = NormalisePath(folder);
  while (base.size() > 1 && base.back() == '/')
    base.pop_back();
  if (path.starts_with('/') || base.empty() || base == ".")
    return MakeAbsolutePath(path);
  return MakeAbsolutePath(base + "/" + path);
}

bool LoadInto(CBitMapGif &set, const std::string &path, std::vector<PictureFailure> *failures) {
  set.ClearFrames();
  std::string failure;
  if (GifLoadImage(set, path, &failure) == 1) {
    set.Name = FileTitleOfPath(path);
    return true;
  }
  std::error_code error;
  if (failures) {
    // The reader says "Erreur <reason> on Image : <path>": its reason is what the player is told.
    const std::string lead = "Erreur ";
    const std::string tail = " on Image : " + path;
    std::string reason;
    if (failure.starts_with(lead) && failure.ends_with(tail) && failure.size() > lead.size() + tail.size())
      reason = failure.substr(lead.size(), failure.size() - lead.size() - tail.size());
    failures->push_back({failure.empty() ? "Erreur on Image : " + path : failure,
                         !std::filesystem::exists(path, error), path, reason});
  }
  return false;
}

} // namespace

std::vector<PictureListEntry> ReadPictureList(std::string_view text) {
  std::vector<PictureListEntry> entries;
  std::istringstream in{std::string(text)};
  std::string line;
  while (std::getline(in, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
      line.pop_back();
    if (line.empty() || line.front() == '!')
      continue;
    std::istringstream fields(line);
    PictureListEntry entry;
    if (!(fields >> entry.LoopFactor))
      continue;
    std::getline(fields >> std::ws, entry.File);
    if (!entry.File.empty())
      entries.push_back(std::move(entry));
  }
  return entries;
}

int LoadCellImageSet(PictureLibrary &pictures, const std::string &name, const std::string &folder,
                     PictureOrder &order, PictureOrderMode mode, std::vector<PictureFailure> *failures) {
  const std::string list = InFolder(folder, name.empty() ? std::string(kDefaultPictureList) : name);
  SettlePictureOrder(order, mode, FileTitleOfPath(list));
  if (list == pictures.LoadedList)
    return static_cast<int>(std::count_if(pictures.Sets.begin(), pictures.Sets.begin() + kPictureCount,
                                          [](const CBitMapGif &set) { return set.FrameCount > 0; }));
  const RegularFileText text = ReadRegularFileText(list, kMostPictureListBytes);
  if (!text.Ok) {
    std::error_code error;
    if (failures)
      failures->push_back({"Erreur " + text.Message + " on Image : " + list,
                           !std::filesystem::exists(list, error), list, text.Message, true});
    return 0;
  }
  const std::vector<PictureListEntry> entries = ReadPictureList(text.Text);
  const std::string base = DirectoryOfPath(list);
  int loaded = 0;
  for (const PictureListEntry &entry : entries) {
    if (loaded == kPictureCount)
      break;
    CBitMapGif &set = pictures.Sets[static_cast<size_t>(loaded)];
    if (!LoadInto(set, InFolder(base, entry.File), failures))
      break;
    set.LoopFactor = entry.LoopFactor;
    ++loaded;
  }
  // A shorter list leaves no picture of the previous one behind.
  for (int i = loaded; i < kPictureCount; ++i)
    pictures.Sets[static_cast<size_t>(i)].ClearFrames();
  pictures.LoadedList = loaded > 0 ? list : std::string();
  return loaded;
}

void LoadFixedImages(PictureLibrary &pictures, const std::string &folder,
                     std::vector<PictureFailure> *failures) {
  LoadInto(pictures.Shuffle, InFolder(folder, "Shuffle.gif"), failures);
  LoadInto(pictures.Undo, InFolder(folder, "Undo.gif"), failures);
  for (size_t i = 0; i < kFixedPictures.size(); ++i)
    LoadInto(pictures.Sets[kFirstChessSet + i], InFolder(folder, kFixedPictures[i]), failures);
}

std::vector<std::string> FindPictureLists(const std::string &folder) {
  std::vector<std::string> lists;
  std::error_code error;
  for (const auto &entry : std::filesystem::directory_iterator(InFolder(folder, "."), error))
    if (entry.is_regular_file(error) && AsciiLowered(entry.path().extension().string()) == ".ani")
      lists.push_back(entry.path().filename().string());
  std::sort(lists.begin(), lists.end(), [](const std::string &a, const std::string &b) {
    const bool dominoA = AsciiLowered(a) == kDominoList;
    const bool dominoB = AsciiLowered(b) == kDominoList;
    return dominoA != dominoB ? dominoB : a < b;
  });
  return lists;
}

} // namespace quorbel
