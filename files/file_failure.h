// Why a grid file could not be opened, imported or saved: the kind of failure, told to the
// player in his language with the file's name, while the readers' technical detail (field,
// byte offset, system error) goes to the log and after that sentence.
#pragma once

#include <string>
#include <string_view>

#include "platform/language.h"

namespace quorbel {

enum class FileFailure {
  None,
  CannotOpen,     // missing, or no right to read it
  NotAFile,       // a folder or a device
  TooLarge,       // larger than any grid file
  CannotRead,     // a read error, or the file shrank while it was read
  NotAGridFile,   // a header of no format of ours
  Damaged,        // truncated, or a count, length, index or value out of range
  UnplayableSize, // a grid size or shape the program does not play
  Catalogue,      // a one-line grid catalogue whose first line makes no grid
  SizeMismatch,   // imported grids of another size than the set's
  LinkedGrids,    // a set holding linked grids takes no imported grid
  CannotCreate,   // no temporary file could be made beside the target
  CannotWrite,    // writing the new file failed
  CannotReplace,  // the new file could not take the old one's place
  TooLargeToRead, // the new file would be larger than its reader takes: it was not written
};

// The player's sentence for a failure on `path`, in French or in English.
std::string FileFailureSentence(FileFailure failure, std::string_view path, Language language);

// A reader's or the system's detail ("not a regular file", "open: Permission denied") in the
// player's language, as far as its words are known.
std::string LocalisedFileDetail(std::string_view detail, Language language);

// The sentence, then the detail on a line of its own when there is one.
std::string FileFailureMessage(FileFailure failure, std::string_view path, std::string_view detail,
                               Language language);

} // namespace quorbel
