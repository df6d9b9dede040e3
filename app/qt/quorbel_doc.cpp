#include "app/qt/quorbel_doc.h"

CQuorbelDoc::CQuorbelDoc(std::string defaultTitle)
    : defaultTitle_(std::move(defaultTitle)), title_(defaultTitle_) {}

void CQuorbelDoc::MarkModified(std::string_view gridName) {
  if (gridName == "NULL") {
    modified_ = false;
    pathName_.clear();
    title_ = defaultTitle_;
    return;
  }
  modified_ = true;
  if (gridName.empty())
    return;
  pathName_.clear();
  constexpr std::string_view kTextEnding = ".txt";
  if (gridName.ends_with(kTextEnding))
    gridName.remove_suffix(kTextEnding.size());
  title_ = std::string(gridName);
}
