// CQuorbelDoc, the document of the single-document program: its path, title and modified flag.
// It holds no grid of its own (the grids are the application's); reading and writing grid files
// join it with the grid-file code.
#pragma once

#include <string>
#include <string_view>

class CQuorbelDoc {
public:
  // A new document: no path, not modified, the default title.
  explicit CQuorbelDoc(std::string defaultTitle);

  const std::string &PathName() const { return pathName_; }
  void SetPathName(std::string path) { pathName_ = std::move(path); }
  const std::string &Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }
  bool IsModified() const { return modified_; }
  void SetModifiedFlag(bool modified) { modified_ = modified; }

  // The engine's marks: "NULL" makes the document unmodified and untitled; "" marks it modified
  // only; any other grid name marks it modified, drops its path and takes the name (less a
  // ".txt" ending) as its title.
  void MarkModified(std::string_view gridName);

private:
  std::string defaultTitle_;
  std::string pathName_;
  std::string title_;
  bool modified_ = false;
};
