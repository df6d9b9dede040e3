#include "files/catalog_maintenance.h"

#include <filesystem>

#include "files/latin1_text.h"
#include "files/text_grid_comment.h"
#include "files/text_grid_parser.h"
#include "files/text_grid_reader.h"

namespace quorbel {

namespace fs = std::filesystem;

namespace {

constexpr uint64_t kMaxListBytes = uint64_t{64} << 20;
constexpr char kNameEnd = '=';

std::string PathIn(const std::string &startDirectory, std::string_view name) {
  return (fs::path(startDirectory) / name).string();
}

// The text grid of a catalogue name; not ok when it has none or it cannot be read.
FileBytesResult ReadTextGridOf(const std::string &startDirectory, const std::string &name,
                               std::string &path) {
  path = MakeGridFilePath(startDirectory, name, 1);
  if (path.empty())
    return {};
  return ReadFileBytes(path, kMaxOneGridTextBytes);
}

template <typename Visit> void ForEachGrid(const GridCatalog &catalog, Visit visit) {
  for (const CatalogType &type : catalog.Types)
    for (const CatalogGrid &grid : type.Grids)
      visit(grid);
}

} // namespace

FileWriteResult WriteCatalogNames(const std::string &startDirectory, const GridCatalog &catalog) {
  return WriteFileReplacing(PathIn(startDirectory, "GridListName.txt"), CatalogFileListText(catalog));
}

FileWriteResult WriteCatalogComments(const std::string &startDirectory, const GridCatalog &catalog,
                                     Language language, const PassProgress &progress) {
  const bool english = IsEnglish(language);
  std::string text = english ? "Comment English\n" : Utf8ToLatin1("Commentaire Français") + "\n";
  int done = 0;
  ForEachGrid(catalog, [&](const CatalogGrid &grid) {
    std::string path;
    const FileBytesResult file = ReadTextGridOf(startDirectory, grid.File, path);
    const std::string comment = file.Ok ? ReadTextGridComment(file.Bytes, english) : std::string();
    text += grid.File + kNameEnd + Utf8ToLatin1(comment) + "\n";
    if (progress)
      progress(++done);
  });
  return WriteFileReplacing(PathIn(startDirectory, english ? "GridListComEn.txt" : "GridListComFr.txt"),
                            text);
}

FileWriteResult WriteCatalogLevels(const std::string &startDirectory, GridCatalog &catalog,
                                   const PassProgress &progress) {
  int done = 0;
  for (CatalogType &type : catalog.Types)
    for (CatalogGrid &grid : type.Grids) {
      std::string path;
      const FileBytesResult file = ReadTextGridOf(startDirectory, grid.File, path);
      grid.Difficulty = file.Ok ? ReadTextGridLevel(file.Bytes) : 0;
      if (progress)
        progress(++done);
    }
  return WriteFileReplacing(PathIn(startDirectory, kCatalogDifficultyFileName),
                            CatalogDifficultyText(catalog));
}

CommentWriteBack WriteBackCatalogComments(const std::string &startDirectory, const GridCatalog &catalog,
                                          Language language, const PassProgress &progress) {
  CommentWriteBack result;
  const FileBytesResult list = ReadFileBytes(PathIn(startDirectory, kCatalogFileListName), kMaxListBytes);
  if (!list.Ok)
    return result;
  const std::vector<std::string> lines = SplitTextLines(std::string(list.Bytes.begin(), list.Bytes.end()));
  // The plain list of names that the catalogue window keeps there starts with a name.
  if (lines.empty() || ParseTextInt(lines[0]) != static_cast<int32_t>(language))
    return result;
  result.Applies = true;
  for (size_t i = 1; i < lines.size(); ++i) {
    const size_t end = lines[i].find(kNameEnd);
    if (end == std::string::npos)
      continue;
    const std::string name = lines[i].substr(0, end);
    bool listed = false;
    ForEachGrid(catalog, [&](const CatalogGrid &grid) { listed = listed || grid.File == name; });
    std::string path;
    const FileBytesResult file = listed ? ReadTextGridOf(startDirectory, name, path) : FileBytesResult{};
    if (file.Ok) {
      const std::string comment = Latin1ToUtf8(std::string_view(lines[i]).substr(end + 1));
      if (WriteFileReplacing(path, SetTextGridCommentOrLevel(file.Bytes, -1, comment, IsEnglish(language)))
              .Ok())
        ++result.Written;
      else if (result.Failure.empty())
        result.Failure = path;
    }
    if (progress)
      progress(static_cast<int>(i));
  }
  return result;
}

} // namespace quorbel
