// Path helpers. Stored paths and settings may hold Windows separators ("SudGrid\\x.sud",
// ".\\"); every helper accepts "\\" and "/" alike and hands back "/" paths that the
// Linux file system understands. Relative paths are taken from the start directory.
#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// The program's start directory, the base of every relative path (no trailing "/").
void SetStartDirectory(std::string_view directory);
const std::string &StartDirectory();

// Every "\\" turned into "/".
std::string NormalisePath(std::string_view path);

std::string FileNameOfPath(std::string_view path);
std::string FileTitleOfPath(std::string_view path);
std::string DirectoryOfPath(std::string_view path);
std::string FileExtensionOfPath(std::string_view path);

// Separators normalised, a leading "./" dropped and the start directory put in front
// of a relative path; an empty path stays empty.
std::string MakeAbsolutePath(std::string_view path);
// The inverse: a path under the start directory loses that directory and its separator.
std::string MakeRelativePath(std::string_view path);
// A file of `directory` with `extension` (given with its dot, e.g. ".sud").
std::string MakeFilePath(std::string_view name, std::string_view directory, std::string_view extension);
// The folder made absolute and created with its parents when missing, so that a file dialog
// opens in it; a folder that cannot be made is handed back all the same.
std::string EnsureDirectory(std::string_view directory);

} // namespace quorbel
