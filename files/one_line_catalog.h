// One-line catalogue files: a header line, then one puzzle per line, one character per cell.
// The program appends grids to them and loads a chosen line; opened as a document, such a
// file becomes text grid files with a catalogue fragment and a macro that checks them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

struct EngineContext;

// Creates the file with its header when it does not exist, then appends the grid's values
// on one line. False when the file can neither be opened nor created.
bool AppendMiniSLine(const std::string &path, const EngineContext &ctx, int slot);

// Puts line `n` (from 1, the first after the header; below 1 a line drawn at random) as
// the givens of main grid `slot`, whose size stays. A character below "0" or above the
// grid's width is an empty cell. False, with the grid untouched, when the file is missing,
// lacks the header, has no such line or the line is shorter than the grid.
bool LoadMiniSLine(EngineContext &ctx, int slot, const std::string &path, int n);

// The files an import beside `path` writes besides the grids.
inline constexpr std::string_view kImportCatalogName = "Cat.dat";
inline constexpr std::string_view kImportListName = "List.dat";
inline constexpr std::string_view kImportMacroName = "Run.macro";

struct OneLineImport {
  std::vector<std::string> GridNames; // "<title>01", ... each saved as "<name>.txt"
  std::string Stopped;                // empty when every line was taken; else which line and why
  bool WroteFiles = false;            // false when Cat.dat, List.dat or Run.macro could not be made
};

// Every file the import of `text` (the file after its header line) beside `path` would
// write, so that the player is asked once before any is replaced.
std::vector<std::string> OneLineImportTargets(const std::string &path, std::string_view text);
// An import that would write more files than this asks the player first.
inline constexpr size_t kManyImportFiles = 100;

// Turns each line of `text` into a text grid file beside `path` (grid 0 of `ctx` holds each in
// turn), lists them in "Cat.dat" and "List.dat" and writes "Run.macro", which checks and rates
// them when the player plays it. Values are "1".."9", "A".."P" or ":".."@" for 10..16. The
// host's progress bar follows the lines, and its abort poll stops the import between two grids.
OneLineImport ImportOneLineCatalog(EngineContext &ctx, const std::string &path, std::string_view text);

} // namespace quorbel
