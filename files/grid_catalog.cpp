// The catalogue's text form and its files in the start directory.
#include "files/grid_catalog.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>

#include "files/latin1_text.h"
#include "platform/ascii_text.h"
#include "platform/paths.h"

namespace quorbel {

namespace {

namespace fs = std::filesystem;

// A catalogue of tens of thousands of grids is a few megabytes.
constexpr uint64_t kMaxCatalogBytes = uint64_t{64} << 20;

constexpr char kCommentLine = ';';
constexpr char kTypeLine = '>';
constexpr char kFrenchCommentLine = '=';
constexpr char kEnglishCommentLine = '!';

// Kept word for word: other copies of the program compare nothing, but players read them.
constexpr std::array kHeaderLines = {
    ";Firt put the name of the type of grid starting with a >",
    ";Followed by ! for EN comment, = for FR comment",
    ";and Followed by as needed grid files names",
};

struct SuffixWord {
  std::string_view Text;
  int32_t Status;
};
constexpr std::array kSuffixes = {
    SuffixWord{" - done", kCatalogDone},
    SuffixWord{" - fait", kCatalogDone},
    SuffixWord{" - running", kCatalogRunning},
    SuffixWord{" - en cours", kCatalogRunning},
};

std::string ReadText(const fs::path &path, bool &found) {
  const FileBytesResult file = ReadFileBytes(path.string(), kMaxCatalogBytes);
  found = file.Ok;
  return found ? std::string(file.Bytes.begin(), file.Bytes.end()) : std::string();
}

bool SameFile(const fs::path &a, const fs::path &b) {
  std::error_code error;
  return fs::equivalent(a, b, error) && !error;
}

} // namespace

int GridCatalog::IndexOf(std::string_view typeName) const {
  for (size_t t = 0; t < Types.size(); ++t)
    if (Types[t].Name == typeName)
      return static_cast<int>(t);
  return -1;
}

int GridCatalog::GridCount() const {
  int count = 0;
  for (const CatalogType &type : Types)
    count += static_cast<int>(type.Grids.size());
  return count;
}

namespace {

enum class LineKind { Blank, Comment, Type, FrenchComment, EnglishComment, Grid };

// What a line holds; its CRs are taken off its end. We write LF alone: every CR left at a line's
// end is what another system put there, and taking off only one would lose one at each save.
LineKind KindOfLine(std::string_view &line) {
  while (!line.empty() && line.back() == '\r')
    line.remove_suffix(1);
  if (line.empty())
    return LineKind::Blank;
  switch (line.front()) {
  case kCommentLine:
    return LineKind::Comment;
  case kTypeLine:
    return LineKind::Type;
  case kFrenchCommentLine:
    return LineKind::FrenchComment;
  case kEnglishCommentLine:
    return LineKind::EnglishComment;
  default:
    return LineKind::Grid;
  }
}

// Each line of the text, without its line feed, as a view into it.
template <typename Visit> void ForEachLine(std::string_view text, Visit visit) {
  while (!text.empty()) {
    const size_t end = std::min(text.find('\n'), text.size());
    visit(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
}

CatalogGrid GridOfLine(std::string_view line) {
  CatalogGrid grid;
  for (const SuffixWord &suffix : kSuffixes)
    if (line.size() > suffix.Text.size() && line.ends_with(suffix.Text)) {
      line.remove_suffix(suffix.Text.size());
      grid.Status = suffix.Status;
      break;
    }
  grid.File = Latin1ToUtf8(line);
  return grid;
}

// The grids of each type as ParseCatalog will make them, the types beyond the last slot counted
// in it.
std::vector<size_t> CountGridsOfTypes(std::string_view latin1) {
  std::vector<size_t> grids;
  ForEachLine(latin1, [&grids](std::string_view line) {
    const LineKind kind = KindOfLine(line);
    if (kind == LineKind::Type && grids.size() < kMostCatalogTypes)
      grids.push_back(0);
    if (kind != LineKind::FrenchComment && kind != LineKind::EnglishComment && kind != LineKind::Grid)
      return;
    if (grids.empty())
      grids.push_back(0); // the default type
    if (kind == LineKind::Grid)
      ++grids.back();
  });
  return grids;
}

} // namespace

// Two passes over the text: the first counts the grids of each type, so that every list is
// made at its size once, and the catalogue in memory stays within a few times its text.
GridCatalog ParseCatalog(std::string_view latin1) {
  const std::vector<size_t> counts = CountGridsOfTypes(latin1);
  GridCatalog catalog;
  catalog.Types.reserve(counts.size());
  const auto addType = [&](std::string name) {
    catalog.Types.push_back({std::move(name), {}, {}, {}});
    catalog.Types.back().Grids.reserve(counts[catalog.Types.size() - 1]);
  };
  auto current = [&]() -> CatalogType & {
    if (catalog.Types.empty())
      addType(std::string(kDefaultCatalogType));
    return catalog.Types.back();
  };
  // From the last slot on, further types go into it: their grids join it, and it keeps its own
  // name and comments.
  bool folding = false;
  ForEachLine(latin1, [&](std::string_view line) {
    switch (KindOfLine(line)) {
    case LineKind::Type:
      folding = catalog.Types.size() == kMostCatalogTypes;
      if (!folding)
        addType(Latin1ToUtf8(line.substr(1)));
      break;
    case LineKind::FrenchComment:
      if (!folding)
        current().CommentFrench = Latin1ToUtf8(line.substr(1));
      break;
    case LineKind::EnglishComment:
      if (!folding)
        current().CommentEnglish = Latin1ToUtf8(line.substr(1));
      break;
    case LineKind::Grid:
      current().Grids.push_back(GridOfLine(line));
      break;
    default:
      break;
    }
  });
  return catalog;
}

std::string_view CatalogStatusSuffix(int32_t status, Language language) {
  const bool english = IsEnglish(language);
  if (status == kCatalogDone)
    return english ? " - done" : " - fait";
  if (status == kCatalogRunning)
    return english ? " - running" : " - en cours";
  return "";
}

std::string CatalogText(const GridCatalog &catalog, Language language) {
  std::string text;
  auto line = [&](std::string_view prefix, std::string_view utf8, std::string_view suffix = "") {
    text += prefix;
    text += Utf8ToLatin1(utf8);
    text += suffix;
    text += '\n';
  };
  for (std::string_view header : kHeaderLines)
    line(header, "");
  for (const CatalogType &type : catalog.Types) {
    line(">", type.Name);
    line("=", type.CommentFrench);
    line("!", type.CommentEnglish);
    for (const CatalogGrid &grid : type.Grids)
      line("", grid.File, CatalogStatusSuffix(grid.Status, language));
  }
  return text;
}

void ApplyCatalogDifficulties(GridCatalog &catalog, std::string_view text) {
  std::vector<int32_t> levels;
  ForEachLine(text, [&levels](std::string_view line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
      line.remove_prefix(1);
    int32_t level = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), level);
    if (error == std::errc())
      levels.push_back(level);
  });
  size_t next = 0;
  for (CatalogType &type : catalog.Types)
    for (CatalogGrid &grid : type.Grids)
      if (next < levels.size())
        grid.Difficulty = levels[next++];
}

std::string CatalogDifficultyText(const GridCatalog &catalog) {
  std::string text = "Difficulty\n";
  for (const CatalogType &type : catalog.Types)
    for (const CatalogGrid &grid : type.Grids)
      text += std::to_string(grid.Difficulty) + "\n";
  return text + "End\n";
}

std::string CatalogFileListText(const GridCatalog &catalog) {
  std::string text;
  for (const CatalogType &type : catalog.Types)
    for (const CatalogGrid &grid : type.Grids)
      text += Utf8ToLatin1(grid.File) + '\n';
  return text;
}

std::vector<int> CatalogGridsMatching(const CatalogType &type, std::string_view keywords) {
  std::vector<std::string> words;
  const std::string folded = AsciiLowered(keywords);
  for (size_t at = folded.find_first_not_of(" \t"); at != std::string::npos;
       at = folded.find_first_not_of(" \t", at)) {
    const size_t end = std::min(folded.find_first_of(" \t", at), folded.size());
    words.push_back(folded.substr(at, end - at));
    at = end;
  }
  const std::string typeText =
      AsciiLowered(type.Name + "\n" + type.CommentFrench + "\n" + type.CommentEnglish);
  std::vector<int> found;
  for (size_t g = 0; g < type.Grids.size(); ++g) {
    const std::string text = AsciiLowered(type.Grids[g].File) + "\n" + typeText;
    if (std::all_of(words.begin(), words.end(),
                    [&](const std::string &word) { return text.find(word) != std::string::npos; }))
      found.push_back(static_cast<int>(g));
  }
  return found;
}

bool AddCatalogGrid(GridCatalog &catalog, std::string_view typeName, std::string_view file,
                    std::string_view commentFrench, std::string_view commentEnglish) {
  int index = catalog.IndexOf(typeName);
  if (index < 0 && catalog.Types.size() >= kMostCatalogTypes) {
    index = static_cast<int>(kMostCatalogTypes) - 1; // a type more folds into the last slot
  } else if (index < 0) {
    catalog.Types.push_back(
        {std::string(typeName), std::string(commentFrench), std::string(commentEnglish), {}});
    index = static_cast<int>(catalog.Types.size()) - 1;
  }
  std::vector<CatalogGrid> &grids = catalog.Types[index].Grids;
  if (std::any_of(grids.begin(), grids.end(), [&](const CatalogGrid &g) { return g.File == file; }))
    return false;
  grids.push_back({std::string(file), kCatalogNotStarted, 0});
  return true;
}

// Read as a catalogue is: its comments are those of a type it creates.
std::vector<std::string> MergeCatalogText(GridCatalog &catalog, std::string_view latin1) {
  std::vector<std::string> left;
  for (const CatalogType &type : ParseCatalog(latin1).Types)
    for (const CatalogGrid &grid : type.Grids)
      if (!AddCatalogGrid(catalog, type.Name, grid.File, type.CommentFrench, type.CommentEnglish))
        left.push_back(type.Name + "/" + grid.File);
  return left;
}

void ClearCatalogStatus(GridCatalog &catalog) {
  for (CatalogType &type : catalog.Types)
    for (CatalogGrid &grid : type.Grids)
      grid.Status = kCatalogNotStarted;
}

std::optional<GridCatalog> LoadCatalog(const std::string &startDirectory) {
  const fs::path dir(startDirectory);
  bool found = false;
  const std::string text = ReadText(dir / kCatalogFileName, found);
  if (!found)
    return std::nullopt;
  GridCatalog catalog = ParseCatalog(text);
  bool hasLevels = false;
  const std::string levels = ReadText(dir / kCatalogDifficultyFileName, hasLevels);
  if (hasLevels)
    ApplyCatalogDifficulties(catalog, levels);
  return catalog;
}

int CountCatalogTypes(const std::string &startDirectory) {
  const std::optional<GridCatalog> catalog = LoadCatalog(startDirectory);
  return catalog ? static_cast<int>(catalog->Types.size()) : -1;
}

FileWriteResult SaveCatalog(const std::string &startDirectory, const GridCatalog &catalog,
                            Language language) {
  const std::string text = CatalogText(catalog, language);
  // A file the reader would refuse is never written: the old one stays, and can still be read.
  if (text.size() > kMaxCatalogBytes)
    return {FileFailure::TooLargeToRead,
            std::to_string(text.size()) + " bytes, at most " + std::to_string(kMaxCatalogBytes)};
  return WriteFileReplacing((fs::path(startDirectory) / kCatalogFileName).string(), text);
}

FileWriteResult SaveCatalogFileList(const std::string &startDirectory, const GridCatalog &catalog) {
  return WriteFileReplacing((fs::path(startDirectory) / kCatalogFileListName).string(),
                            CatalogFileListText(catalog));
}

FileWriteResult AddCatalogEntry(const std::string &startDirectory, std::string_view typeName,
                                std::string_view file, Language language) {
  GridCatalog catalog = LoadCatalog(startDirectory).value_or(GridCatalog{});
  if (!AddCatalogGrid(catalog, typeName, file))
    return {};
  return SaveCatalog(startDirectory, catalog, language);
}

CatalogMerge MergeCatalogFile(const std::string &startDirectory, const std::string &path, Language language) {
  CatalogMerge merge;
  GridCatalog catalog = LoadCatalog(startDirectory).value_or(GridCatalog{});
  const std::string text = ReadText(path, merge.Read);
  if (merge.Read)
    merge.Left = MergeCatalogText(catalog, text);
  merge.Saved = SaveCatalog(startDirectory, catalog, language);
  return merge;
}

FileWriteResult CleanCatalogStatus(const std::string &startDirectory, Language language) {
  std::optional<GridCatalog> catalog = LoadCatalog(startDirectory);
  if (!catalog)
    return {FileFailure::CannotOpen, "no " + std::string(kCatalogFileName)};
  ClearCatalogStatus(*catalog);
  return SaveCatalog(startDirectory, *catalog, language);
}

std::string MakeGridFilePath(const std::string &startDirectory, std::string_view name, int kind) {
  if (name.empty())
    return {};
  const fs::path dir(startDirectory);
  std::error_code error;
  const std::string file(name);
  if (kind != 1) {
    const fs::path sud = dir / "SudGrid" / (file + ".sud");
    if (fs::is_regular_file(sud, error))
      return sud.string();
  }
  const fs::path text = dir / "TextGrid" / (file + ".txt");
  return fs::is_regular_file(text, error) ? text.string() : std::string();
}

namespace {

// `title` empty: any document is the grid.
bool MarkCatalogGrid(const std::string &startDirectory, int32_t status, std::string_view path,
                     std::optional<std::string_view> title, int32_t baseType, int32_t baseGrid,
                     Language language, FileWriteResult *saved) {
  std::optional<GridCatalog> catalog = LoadCatalog(startDirectory);
  if (!catalog || baseType < 0 || baseType >= static_cast<int>(catalog->Types.size()))
    return false;
  std::vector<CatalogGrid> &grids = catalog->Types[baseType].Grids;
  if (baseGrid < 0 || baseGrid >= static_cast<int>(grids.size()))
    return false;
  CatalogGrid &grid = grids[baseGrid];
  if (!path.empty()) {
    const std::string own = MakeGridFilePath(startDirectory, grid.File, 0);
    if (own.empty() || !SameFile(own, fs::path(path)))
      return true;
  } else if (title && (title->empty() || *title != FileTitleOfPath(grid.File))) {
    return true;
  }
  if (grid.Status != kCatalogDone && grid.Status != status) {
    grid.Status = status;
    const FileWriteResult written = SaveCatalog(startDirectory, *catalog, language);
    if (saved)
      *saved = written;
  }
  return true;
}

} // namespace

bool SetCatalogGridStatus(const std::string &startDirectory, int32_t status, std::string_view path,
                          int32_t baseType, int32_t baseGrid, Language language, FileWriteResult *saved) {
  return MarkCatalogGrid(startDirectory, status, path, std::nullopt, baseType, baseGrid, language, saved);
}

bool SetCatalogGridStatusOf(const std::string &startDirectory, int32_t status, std::string_view path,
                            std::string_view title, int32_t baseType, int32_t baseGrid, Language language,
                            FileWriteResult *saved) {
  return MarkCatalogGrid(startDirectory, status, path, title, baseType, baseGrid, language, saved);
}

} // namespace quorbel
