// Appending to, loading from and importing one-line catalogue files.
#include "files/one_line_catalog.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <sys/stat.h>

#include "engine/engine_context.h"
#include "engine/grid_set.h"
#include "engine/grid_shape.h"
#include "engine/update_possibles.h"
#include "files/file_bytes.h"
#include "files/text_grid_parser.h"
#include "files/text_grid_writer.h"
#include "platform/paths.h"
#include "platform/random.h"
#include "platform/regular_file.h"
#include "solver/one_line_grid.h"

namespace quorbel {

namespace {

constexpr uint64_t kMaxCatalogFileBytes = uint64_t{256} << 20;
// Longer words are no grid of ours: 16 × 16 needs 256 characters.
constexpr size_t kMaxWordLength = 2999;

// The non-blank lines, without their line ends and trailing blanks.
std::vector<std::string> GridLines(std::string_view text) {
  std::vector<std::string> lines = SplitTextLines(text);
  for (std::string &line : lines)
    line.erase(line.find_last_not_of(" \t\r") + 1);
  std::erase_if(lines, [](const std::string &line) { return line.empty(); });
  return lines;
}

std::string_view FirstWord(std::string_view line) {
  const size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos)
    return {};
  line.remove_prefix(start);
  return line.substr(0, std::min(line.find_first_of(" \t"), kMaxWordLength));
}

// The import's reading of a character: "1".."9", "A".."P" and ":".."@" are values.
int ImportedValue(char c) {
  if (c >= '1' && c <= '@')
    return c - '0';
  if (c >= 'A' && c <= 'P')
    return c - 'A' + 1;
  if (c >= 'a' && c <= 'p')
    return c - 'a' + 1;
  return 0;
}

// The grid's size from the length of its word: the whole part of the square root.
int ImportedWidth(size_t length) {
  const int root = static_cast<int>(std::sqrt(static_cast<double>(length)));
  return OneLineGridWidth(static_cast<size_t>(root) * static_cast<size_t>(root));
}

std::string GridName(const std::string &title, size_t k) {
  char number[16];
  std::snprintf(number, sizeof number, "%02zu", k);
  return title + number;
}

std::string Beside(const std::string &path, std::string_view name, std::string_view extension = "") {
  return MakeFilePath(std::string(name), DirectoryOfPath(path), extension);
}

} // namespace

bool AppendMiniSLine(const std::string &path, const EngineContext &ctx, int slot) {
  if (slot < 0 || slot >= kMaxGrids)
    return false;
  struct stat info {};
  const bool exists = ::stat(path.c_str(), &info) == 0;
  std::string lines = exists ? std::string() : std::string(kOneLineHeader) + "\r\n";
  lines += OneLineOfGrid(ctx, ctx.Grids.Main[slot]) + "\r\n";
  return AppendToRegularFile(path, lines);
}

bool LoadMiniSLine(EngineContext &ctx, int slot, const std::string &path, int n) {
  if (slot < 0 || slot >= kMaxGrids)
    return false;
  const FileBytesResult file = ReadFileBytes(path, kMaxCatalogFileBytes);
  if (!file.Ok)
    return false;
  const std::string_view text(reinterpret_cast<const char *>(file.Bytes.data()), file.Bytes.size());
  const size_t headerEnd = text.find('\n');
  if (!IsOneLineHeader(text.substr(0, headerEnd)) || headerEnd == std::string_view::npos)
    return false;
  const std::vector<std::string> lines = GridLines(text.substr(headerEnd + 1));
  if (lines.empty())
    return false;
  const int count = static_cast<int>(lines.size());
  const int index = n >= 1 ? n - 1 : RandomBelow(ctx.Random, count);
  if (index < 0 || index >= count)
    return false;
  const std::string &line = lines[static_cast<size_t>(index)];
  const GridGeometry &geo = ctx.Geo;
  if (static_cast<int>(line.size()) < geo.NCells)
    return false;
  GridRecord &grid = ctx.Grids.Main[slot];
  for (int i = 0; i < geo.NCells; ++i) {
    const int value = line[static_cast<size_t>(i)] - '0';
    if (value >= 1 && value <= geo.GridWidth)
      StoreCellValue(geo, grid.Cells[i], value, kStatusFixed);
    else
      ResetCellState(geo, grid.Cells[i]);
  }
  ResetGridState(grid);
  return true;
}

std::vector<std::string> OneLineImportTargets(const std::string &path, std::string_view text) {
  std::vector<std::string> targets = {Beside(path, kImportCatalogName), Beside(path, kImportListName),
                                      Beside(path, kImportMacroName)};
  const std::string title = FileTitleOfPath(path);
  const size_t lines = GridLines(text).size();
  for (size_t k = 1; k <= lines; ++k)
    targets.push_back(Beside(path, GridName(title, k), ".txt"));
  return targets;
}

OneLineImport ImportOneLineCatalog(EngineContext &ctx, const std::string &path, std::string_view text) {
  OneLineImport result;
  const std::string title = FileTitleOfPath(path);
  const std::string directory = DirectoryOfPath(path);
  const std::string catalogPath = Beside(path, kImportCatalogName);
  // The grids made before a bad line stay listed. The three files are replaced as every save is,
  // so a link to anything but a regular file is refused rather than written into.
  const std::string listPath = Beside(path, kImportListName);
  const std::string macroPath = Beside(path, kImportMacroName);
  for (const std::string &file : {catalogPath, listPath, macroPath})
    if (const FileWriteResult ready = WriteFileReplacing(file, ""); !ready.Ok()) {
      result.Stopped = "cannot create the catalogue, list and macro files beside the grid file (" + file +
                       ": " + ready.Message + ")";
      return result;
    }
  result.WroteFiles = true;
  std::ostringstream catalog;
  std::ostringstream list;
  std::ostringstream macro;
  macro << ";;;;;;;;;;;;;;;;;;;;;;;;;;;;;;\n;This macro install the ZivuVavida Catalog and check Grids "
           "solutions\n;\n"
        << "AREA;COMMENT;Y\nRESETPREF\n;update the catalog file\nADDFUNC;G;" << catalogPath << "\n"
        << ";copy and regenerate all new grids\nFILES\n";
  catalog << ">" << title << "\n"
          << "=Generation Automatique Catalogue de VudezaDur " << title << ".\n"
          << "!Automatic Catalog Generation from DuviziVor " << title << ".\n";

  const std::vector<std::string> lines = GridLines(text);
  // A catalogue may hold thousands of lines: the bar shows how far the import is, and Escape
  // stops it between two grids.
  EngineHost &host = *ctx.Host;
  host.StartWaitProgress(ctx.Settings.Language == kLanguageFrench ? "Import du catalogue " + title
                                                                  : "Importing the catalogue " + title,
                         static_cast<int>(std::min<size_t>(lines.size(), INT32_MAX)), false);
  for (size_t k = 1; k <= lines.size(); ++k) {
    if (host.PollUserAbort()) {
      result.Stopped = "line " + std::to_string(k) + ": stopped by the player";
      break;
    }
    const std::string_view word = FirstWord(lines[k - 1]);
    const int width = ImportedWidth(word.size());
    if (width == 0) {
      result.Stopped = "line " + std::to_string(k) + ": " + std::to_string(word.size()) +
                       " characters make no grid of 16, 36, 64, 81, 144 or 256 cells";
      break;
    }
    std::string cells(static_cast<size_t>(width * width), '0');
    for (size_t i = 0; i < cells.size(); ++i) {
      const int value = ImportedValue(word[i]);
      if (value >= 1 && value <= width)
        cells[i] = static_cast<char>('0' + value);
    }
    // One plain grid: nothing of the set open before may reach the files.
    ResetGridSet(ctx, 1);
    ctx.Grids.Main[0].GridVar = {};
    SetGridSize(ctx, width, 1);
    LoadOneLineGrid(ctx, cells, 0);
    RecomputeAllCandidates(ctx);

    const std::string name = GridName(title, k);
    const FileWriteResult saved = WriteFileReplacing(Beside(path, name, ".txt"), WriteTextGrid(ctx, {}));
    if (!saved.Ok()) {
      result.Stopped =
          "line " + std::to_string(k) + ": " + name + ".txt could not be written (" + saved.Message + ")";
      break;
    }
    catalog << name << "\n";
    list << name << ".txt\n";
    macro << name << "\n";
    result.GridNames.push_back(name);
    host.StepWaitProgress(static_cast<int>(std::min<size_t>(k, INT32_MAX)));
  }
  host.StopWaitProgress();
  macro << "LOADT;-" << directory
        << "\nSEARCH;2;Y\nREFGRID\nRESET\nMETHOD;2097149\nSOLVE\nRESET\nSTAT\nSETDIFF\nSAVET;-"
           "TextGrid\\\nENDFILES\n";
  for (const auto &[file, text] : {std::pair{catalogPath, catalog.str()}, std::pair{listPath, list.str()},
                                   std::pair{macroPath, macro.str()}})
    if (const FileWriteResult written = WriteFileReplacing(file, text);
        !written.Ok() && result.Stopped.empty())
      result.Stopped = file + " could not be written (" + written.Message + ")";
  return result;
}

} // namespace quorbel
