// CGridList, the grid catalogue: the types of "GridList.dat" on the left, the grids of the
// chosen type on the right (narrowed by keywords), and Select or Next Grid to open one, which
// becomes the catalogue grid that a save and the end of the game mark. Select New Grid opens it.
#pragma once

#include <QDialog>
#include <optional>

#include "files/grid_catalog.h"
#include "platform/language.h"

class CIconListBox;
class CQuorbelApp;
class QLabel;
class QLineEdit;
class QListWidget;

class CGridList final : public QDialog {
  Q_OBJECT
public:
  CGridList(CQuorbelApp &app, quorbel::Language language, QWidget *parent);
  ~CGridList() override;

  CIconListBox *TypeList() const { return types_; }
  QListWidget *GridList() const { return grids_; }
  QLineEdit *Keywords() const { return keywords_; }
  // The selected grid's comment in the interface language, kept in its text grid as it is typed.
  QLineEdit *GridComment() const { return gridComment_; }
  // False when "GridList.dat" could not be read: the lists stay empty and the dialog says so.
  bool HasCatalog() const { return catalog_.has_value(); }

  // Opens the selected grid (nothing without a selection); closes the dialog when it opened.
  bool OnSelect();
  // Opens the grid after the selected one (the first when none is selected) and selects it.
  bool OnNextGrid();
  // Writes level 1..4 into the selected grid's text grid; false without a selected text grid.
  bool SetSelectedLevel(int level);

private:
  void ShowType(int type);
  void ShowGrids();
  // `record`: the open is the player's choice and records its script step; a change of the
  // selection only shows the grid on the board.
  bool OpenGrid(int type, int grid, bool record);
  void SelectionChanged(int row);
  struct TextGridFile {
    std::string Path; // "" when no grid is selected or it has no text grid
    quorbel::FileBytesResult File;
  };
  quorbel::CatalogGrid *SelectedGrid();
  TextGridFile ReadSelectedTextGrid();
  void ShowGridComment();
  void StoreGridComment();

  CQuorbelApp &app_;
  quorbel::Language language_;
  std::optional<quorbel::GridCatalog> catalog_;
  int type_ = -1;
  CIconListBox *types_ = nullptr;
  QListWidget *grids_ = nullptr;
  QLineEdit *keywords_ = nullptr;
  QLabel *comment_ = nullptr;
  QLineEdit *gridComment_ = nullptr;
  // The grid a change of the selection opened (type, grid); Select then only records it.
  std::pair<int, int> shown_{-1, -1};
};

// Opens grid `grid` of type `type` (its grid file, else its text grid) and makes it the
// catalogue's current grid; says so over `parent`, under `title`, when it cannot be found. The
// settings are not saved here. `record`: the LOAD or LOADT step is recorded.
bool OpenCatalogGrid(CQuorbelApp &app, const quorbel::GridCatalog &catalog, int type, int grid,
                     QWidget *parent, const QString &title, bool record = true);

void RegisterGridListDialog(CQuorbelApp &app);

// Says in the message panel that "GridList.dat" could not be rewritten, and why; nothing when it was.
void TellCatalogSave(CQuorbelApp &app, const quorbel::FileWriteResult &saved);
