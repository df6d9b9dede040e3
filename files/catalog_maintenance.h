// The catalogue maintainer's passes, which the catalogue window runs on opening when the
// setting CATALOG/NGRIDLIST asks: lists of the names, comments and levels of every catalogue
// grid, and comments edited in a list written back into the text grids.
#pragma once

#include <functional>
#include <string>

#include "files/file_bytes.h"
#include "files/grid_catalog.h"
#include "platform/language.h"

namespace quorbel {

// CATALOG/NGRIDLIST values; any other runs no pass.
inline constexpr int32_t kPassComments = -2;
inline constexpr int32_t kPassNames = -3;
inline constexpr int32_t kPassLevels = -4;

// Called after each grid a pass has handled, with the count handled so far.
using PassProgress = std::function<void(int done)>;

// "GridListName.txt": every grid name, one per line.
FileWriteResult WriteCatalogNames(const std::string &startDirectory, const GridCatalog &catalog);
// "GridListComFr.txt" or "GridListComEn.txt": a heading, then "name=comment" for every grid,
// with the comment its text grid holds in that language.
FileWriteResult WriteCatalogComments(const std::string &startDirectory, const GridCatalog &catalog,
                                     Language language, const PassProgress &progress);
// "GridListDiff.txt" from the level line of every grid's text grid (0 when it has none).
FileWriteResult WriteCatalogLevels(const std::string &startDirectory, GridCatalog &catalog,
                                   const PassProgress &progress);

struct CommentWriteBack {
  bool Applies = false; // "GridListCom.txt" exists and its first line is the language's number
  int Written = 0;      // text grids rewritten
  std::string Failure;  // the first text grid that could not be rewritten, when any
};
// "GridListCom.txt" made from a comment list (its heading replaced by the language's number):
// each "name=comment" line becomes the comment of that grid's text grid in the language.
CommentWriteBack WriteBackCatalogComments(const std::string &startDirectory, const GridCatalog &catalog,
                                          Language language, const PassProgress &progress);

} // namespace quorbel
