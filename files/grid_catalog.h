// The grid catalogue: named grid types, each with a French and an English comment and an
// ordered list of grid files, kept in "GridList.dat" in the start directory, with how far
// the player got in each grid.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_bytes.h"
#include "platform/language.h"

namespace quorbel {

inline constexpr int32_t kCatalogDone = 0;
inline constexpr int32_t kCatalogNotStarted = 1;
inline constexpr int32_t kCatalogRunning = 2;

inline constexpr std::string_view kCatalogFileName = "GridList.dat";
inline constexpr std::string_view kCatalogDifficultyFileName = "GridListDiff.txt";
inline constexpr std::string_view kCatalogFileListName = "GridListCom.txt";
// The type that takes the file lines written before any type line.
inline constexpr std::string_view kDefaultCatalogType = "Sudoku";
// Types beyond the last slot fold into it.
inline constexpr size_t kMostCatalogTypes = 100;

struct CatalogGrid {
  std::string File; // a name without folder or extension, looked up by MakeGridFilePath
  int32_t Status = kCatalogNotStarted;
  int32_t Difficulty = 0;
};

struct CatalogType {
  std::string Name;
  std::string CommentFrench;
  std::string CommentEnglish;
  std::vector<CatalogGrid> Grids;
};

struct GridCatalog {
  std::vector<CatalogType> Types;

  // -1 when no type has that name.
  int IndexOf(std::string_view typeName) const;
  int GridCount() const;
};

// The catalogue text, Latin-1 as stored; names and comments come out in UTF-8. Every line is
// read whole, however long; from the last slot on, further types fold into it (their grids join
// it, its name and comments stay).
GridCatalog ParseCatalog(std::string_view latin1);
// The whole file: the three header lines, then each type with its comments and files, the
// status suffixes in the interface language.
std::string CatalogText(const GridCatalog &catalog, Language language);
std::string_view CatalogStatusSuffix(int32_t status, Language language);

// One number per catalogue file, in catalogue order; lines without a number are headings.
void ApplyCatalogDifficulties(GridCatalog &catalog, std::string_view text);
// "GridListDiff.txt": "Difficulty", one level per grid in catalogue order, then "End".
std::string CatalogDifficultyText(const GridCatalog &catalog);
// Every file name, one per line, in catalogue order.
std::string CatalogFileListText(const GridCatalog &catalog);

// The grids of a type that every word of `keywords` names, in any case, in the grid's name or
// in the type's name or comments; all of them when there is no word.
std::vector<int> CatalogGridsMatching(const CatalogType &type, std::string_view keywords);

// Adds the file under the type, creating the type at the end (with the comments) when missing,
// or under the last slot when every slot is taken; false when the file is already listed there.
bool AddCatalogGrid(GridCatalog &catalog, std::string_view typeName, std::string_view file,
                    std::string_view commentFrench = {}, std::string_view commentEnglish = {});
// Adds the entries of another catalogue text, read as ParseCatalog reads one (a grid's status
// is not taken): its ">" lines name the type, "=" and "!" give the comments of a type it
// creates. Returns the "type/file" of each entry already listed, which is left out.
std::vector<std::string> MergeCatalogText(GridCatalog &catalog, std::string_view latin1);
// Every grid back to not started.
void ClearCatalogStatus(GridCatalog &catalog);

// The catalogue of a start directory, with the difficulties when "GridListDiff.txt" is there;
// nothing when "GridList.dat" cannot be read.
std::optional<GridCatalog> LoadCatalog(const std::string &startDirectory);
// -1 when "GridList.dat" cannot be read.
int CountCatalogTypes(const std::string &startDirectory);
// Rewrites "GridList.dat" whole, through a temporary file; a text larger than the reader takes
// is refused, and the old file stays.
FileWriteResult SaveCatalog(const std::string &startDirectory, const GridCatalog &catalog, Language language);
FileWriteResult SaveCatalogFileList(const std::string &startDirectory, const GridCatalog &catalog);
// Adds the file to the catalogue on disk (an empty catalogue when there is none yet).
FileWriteResult AddCatalogEntry(const std::string &startDirectory, std::string_view typeName,
                                std::string_view file, Language language);

struct CatalogMerge {
  FileWriteResult Saved;
  bool Read = false;             // the merged file could be read
  std::vector<std::string> Left; // "type/file" of each entry already listed
};
// Merges a catalogue file into the start directory's catalogue and saves it.
CatalogMerge MergeCatalogFile(const std::string &startDirectory, const std::string &path, Language language);
// Clears every done and running mark of the catalogue on disk.
FileWriteResult CleanCatalogStatus(const std::string &startDirectory, Language language);

// The grid file a catalogue name stands for: "SudGrid/<name>.sud" when it exists (unless
// `kind` is 1), else "TextGrid/<name>.txt" when that exists, else "".
std::string MakeGridFilePath(const std::string &startDirectory, std::string_view name, int kind);

// Marks the current catalogue grid (file `baseGrid` of type `baseType`) with `status` when
// `path` is empty or is that grid's file, unless the grid is already done. Returns true when
// both indexes name a grid; the catalogue's rewrite, when the mark changed, goes to `saved`.
bool SetCatalogGridStatus(const std::string &startDirectory, int32_t status, std::string_view path,
                          int32_t baseType, int32_t baseGrid, Language language,
                          FileWriteResult *saved = nullptr);
// The same for the document in play, which must be that grid: by its path, or by its title when
// it has no path (a text grid opened keeps none). A grid made here (generated, typed in) is none.
bool SetCatalogGridStatusOf(const std::string &startDirectory, int32_t status, std::string_view path,
                            std::string_view title, int32_t baseType, int32_t baseGrid, Language language,
                            FileWriteResult *saved = nullptr);

} // namespace quorbel
