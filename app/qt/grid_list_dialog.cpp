#include "app/qt/grid_list_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <array>
#include <filesystem>

#include "app/game_start.h"
#include "app/panel_text.h"
#include "app/qt/dialog_text.h"
#include "app/qt/file_commands.h"
#include "app/qt/icon_list_box.h"
#include "app/qt/main_frame.h"
#include "app/qt/quorbel_app.h"
#include "app/qt/start_button_pictures.h"
#include "files/catalog_maintenance.h"
#include "files/file_bytes.h"
#include "files/file_failure.h"
#include "files/text_grid_comment.h"
#include "files/text_grid_reader.h"
#include "platform/paths.h"

using namespace quorbel;

namespace {

QString Utf8(const std::string &text) { return QString::fromStdString(text); }

// The maintainer's pass that CATALOG/NGRIDLIST asks for, then the comments of a list made
// from an earlier comment pass written back, under the progress dialog.
void RunMaintenancePasses(CQuorbelApp &app, GridCatalog &catalog, Language language) {
  const int32_t pass = app.Settings().catalog.nGridList;
  if (pass != kPassComments && pass != kPassNames && pass != kPassLevels)
    return;
  const std::string start = StartDirectory();
  app.StartWaitProgress(IsEnglish(language) ? "Catalog maintenance" : "Maintenance du catalogue",
                        catalog.GridCount(), false);
  const PassProgress step = [&app](int done) { app.StepWaitProgress(done); };
  FileWriteResult written;
  if (pass == kPassNames)
    written = WriteCatalogNames(start, catalog);
  else if (pass == kPassComments)
    written = WriteCatalogComments(start, catalog, language, step);
  else
    written = WriteCatalogLevels(start, catalog, step);
  const CommentWriteBack back = WriteBackCatalogComments(start, catalog, language, step);
  app.StopWaitProgress();
  if (!written.Ok())
    app.Log().AppendLogLine(PanelText::Plain(written.Message));
  if (!back.Failure.empty())
    app.Log().AppendLogLine(PanelText::Plain("cannot rewrite " + back.Failure));
  app.SaveSettings();
}

// The small pictures of the catalogue types: the games that have their own type, then the rest.
std::vector<QPixmap> TypeIcons() {
  std::vector<QPixmap> icons;
  for (const char *name : {"BM_CATALOG", "BM_KIDS", "BM_QUICK", "BM_TRIP"})
    icons.push_back(
        StartButtonPictures(name).Up.scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  return icons;
}

int TypeIcon(const std::string &type) {
  if (type == SeriesCatalogType(GridSeries::Kids))
    return 1;
  if (type == SeriesCatalogType(GridSeries::Quick))
    return 2;
  if (type == SeriesCatalogType(GridSeries::Triple))
    return 3;
  return 0;
}

} // namespace

CGridList::CGridList(CQuorbelApp &app, Language language, QWidget *parent)
    : QDialog(parent), app_(app), language_(language), catalog_(LoadCatalog(StartDirectory())) {
  setObjectName(QStringLiteral("CGridList"));
  setWindowTitle(DialogText(language, "Catalogue de Grilles", "Grid Catalog"));
  auto *layout = new QGridLayout(this);
  types_ = new CIconListBox(this);
  grids_ = new QListWidget(this);
  keywords_ = new QLineEdit(this);
  comment_ = new QLabel(this);
  comment_->setWordWrap(true);
  layout->addWidget(types_, 0, 0);
  layout->addWidget(grids_, 0, 1);
  layout->addWidget(comment_, 1, 0, 1, 2);
  layout->addWidget(new QLabel(DialogText(language, "ou Entrer les Mots clef:", "or Enter Keywords:"), this),
                    2, 0);
  layout->addWidget(keywords_, 2, 1);
  gridComment_ = new QLineEdit(this);
  gridComment_->setEnabled(false);
  layout->addWidget(new QLabel(DialogText(language, "Commentaire de la grille :", "Grid comment:"), this), 3,
                    0);
  layout->addWidget(gridComment_, 3, 1);
  auto *levels = new QHBoxLayout;
  const std::array<std::pair<const char *, const char *>, 4> levelNames = {
      {{"Facile", "Easy"}, {"Moyen", "Medium"}, {"Difficile", "Difficult"}, {"Terrible", "Terrible"}}};
  for (int level = 1; level <= 4; ++level) {
    const auto &[french, english] = levelNames[static_cast<size_t>(level - 1)];
    auto *button = new QPushButton(DialogText(language, french, english), this);
    connect(button, &QPushButton::clicked, this, [this, level] { SetSelectedLevel(level); });
    levels->addWidget(button);
  }
  layout->addLayout(levels, 4, 0, 1, 2);

  auto *buttons = new QHBoxLayout;
  auto *select = new QPushButton(DialogText(language, "Selectionne", "Select Grid"), this);
  auto *next = new QPushButton(DialogText(language, "Grille Suivante", "Next Grid"), this);
  auto *cancel = new QPushButton(DialogText(language, "Annuler", "Cancel"), this);
  select->setDefault(true);
  buttons->addStretch();
  buttons->addWidget(select);
  buttons->addWidget(next);
  buttons->addWidget(cancel);
  layout->addLayout(buttons, 5, 0, 1, 2);

  connect(select, &QPushButton::clicked, this, [this] { OnSelect(); });
  connect(next, &QPushButton::clicked, this, [this] { OnNextGrid(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(grids_, &QListWidget::itemDoubleClicked, this, [this] { OnSelect(); });
  connect(keywords_, &QLineEdit::textChanged, this, [this] { ShowGrids(); });
  connect(grids_, &QListWidget::currentRowChanged, this, [this](int row) { SelectionChanged(row); });
  connect(gridComment_, &QLineEdit::textEdited, this, [this] { StoreGridComment(); });
  connect(types_, &QListWidget::currentRowChanged, this, [this](int row) { ShowType(row); });

  if (!catalog_) {
    comment_->setText(DialogText(language, "Aucun catalogue de grilles (GridList.dat) dans ",
                                 "No grid catalogue (GridList.dat) in ") +
                      Utf8(StartDirectory()));
    return;
  }
  RunMaintenancePasses(app_, *catalog_, language);
  types_->SetImageList(TypeIcons());
  for (const CatalogType &type : catalog_->Types)
    types_->AddListItemWithData(Utf8(type.Name), TypeIcon(type.Name));
  const int shown = app_.Settings().catalog.baseType;
  types_->setCurrentRow(shown >= 0 && shown < types_->count() ? shown : 0);
}

// The lists empty themselves as the children go: their changes must not reach the others.
CGridList::~CGridList() {
  types_->blockSignals(true);
  grids_->blockSignals(true);
}

void CGridList::ShowType(int type) {
  type_ = catalog_ && type >= 0 && type < static_cast<int>(catalog_->Types.size()) ? type : -1;
  if (type_ >= 0) {
    const CatalogType &shown = catalog_->Types[static_cast<size_t>(type_)];
    comment_->setText(Utf8(IsEnglish(language_) ? shown.CommentEnglish : shown.CommentFrench));
  }
  ShowGrids();
}

void CGridList::ShowGrids() {
  grids_->clear();
  if (type_ < 0)
    return;
  const CatalogType &type = catalog_->Types[static_cast<size_t>(type_)];
  for (const int g : CatalogGridsMatching(type, keywords_->text().toStdString())) {
    const CatalogGrid &grid = type.Grids[static_cast<size_t>(g)];
    auto *item =
        new QListWidgetItem(Utf8(grid.File + std::string(CatalogStatusSuffix(grid.Status, language_))));
    item->setData(Qt::UserRole, g);
    grids_->addItem(item);
  }
}

quorbel::CatalogGrid *CGridList::SelectedGrid() {
  const QListWidgetItem *item = grids_->currentItem();
  if (!item || type_ < 0)
    return nullptr;
  return &catalog_->Types[static_cast<size_t>(type_)]
              .Grids[static_cast<size_t>(item->data(Qt::UserRole).toInt())];
}

CGridList::TextGridFile CGridList::ReadSelectedTextGrid() {
  TextGridFile text;
  if (const CatalogGrid *grid = SelectedGrid())
    text.Path = MakeGridFilePath(StartDirectory(), grid->File, 1);
  if (!text.Path.empty())
    text.File = ReadFileBytes(text.Path, kMaxOneGridTextBytes);
  return text;
}

void CGridList::ShowGridComment() {
  const TextGridFile text = ReadSelectedTextGrid();
  const QSignalBlocker quiet(gridComment_);
  gridComment_->setEnabled(text.File.Ok);
  gridComment_->setText(text.File.Ok ? Utf8(ReadTextGridComment(text.File.Bytes, IsEnglish(language_)))
                                     : QString());
}

void CGridList::StoreGridComment() {
  const TextGridFile text = ReadSelectedTextGrid();
  if (!text.File.Ok)
    return;
  WriteFileReplacing(text.Path,
                     SetTextGridCommentOrLevel(text.File.Bytes, -1, gridComment_->text().toStdString(),
                                               IsEnglish(language_)));
  SaveCatalogFileList(StartDirectory(), *catalog_);
}

bool CGridList::SetSelectedLevel(int level) {
  const TextGridFile text = ReadSelectedTextGrid();
  if (!text.File.Ok || !WriteFileReplacing(text.Path, SetTextGridCommentOrLevel(text.File.Bytes, level, "",
                                                                                IsEnglish(language_)))
                            .Ok())
    return false;
  SelectedGrid()->Difficulty = level;
  return true;
}

void CGridList::SelectionChanged(int row) {
  ShowGridComment();
  if (row >= 0 && type_ >= 0)
    OpenGrid(type_, grids_->item(row)->data(Qt::UserRole).toInt(), false);
}

bool CGridList::OnSelect() {
  QListWidgetItem *item = grids_->currentItem();
  if (!item || type_ < 0)
    return false;
  const int grid = item->data(Qt::UserRole).toInt();
  if (shown_ == std::pair(type_, grid)) {
    // Already on the board since it was selected: the choice only leaves its script step.
    RecordOpenedGrid(MakeGridFilePath(
        StartDirectory(), catalog_->Types[static_cast<size_t>(type_)].Grids[static_cast<size_t>(grid)].File,
        0));
  } else if (!OpenGrid(type_, grid, true)) {
    return false;
  }
  accept();
  return true;
}

bool CGridList::OnNextGrid() {
  if (grids_->count() == 0)
    return false;
  const int row = grids_->currentRow() < 0 ? 0 : (grids_->currentRow() + 1) % grids_->count();
  if (row != grids_->currentRow()) {
    grids_->setCurrentRow(row); // the change opens it
    return shown_ == std::pair(type_, grids_->item(row)->data(Qt::UserRole).toInt());
  }
  return OpenGrid(type_, grids_->item(row)->data(Qt::UserRole).toInt(), true);
}

bool CGridList::OpenGrid(int type, int grid, bool record) {
  shown_ = {-1, -1};
  if (!OpenCatalogGrid(app_, *catalog_, type, grid, this, windowTitle(), record))
    return false;
  if (!record)
    shown_ = {type, grid};
  app_.SaveSettings();
  return true;
}

bool OpenCatalogGrid(CQuorbelApp &app, const GridCatalog &catalog, int type, int grid, QWidget *parent,
                     const QString &title, bool record) {
  const std::string &name = catalog.Types[static_cast<size_t>(type)].Grids[static_cast<size_t>(grid)].File;
  const std::string path = MakeGridFilePath(StartDirectory(), name, 0);
  if (path.empty()) {
    app.Dialogs().MessageBox(parent,
                             MessageBoxRequest{.title = title,
                                               .text = DialogText(app.CurrentLanguage(),
                                                                  "La grille du catalogue est introuvable : ",
                                                                  "The catalogue grid cannot be found: ") +
                                                       Utf8(name),
                                               .icon = QMessageBox::Warning,
                                               .buttons = QMessageBox::Ok,
                                               .defaultButton = QMessageBox::Ok});
    return false;
  }
  if (record ? !OpenGridFile(app, path) : !app.OpenDocumentFile(path))
    return false;
  CatalogSettings &settings = app.Settings().catalog;
  settings.baseType = type;
  settings.baseGrid = grid;
  return true;
}

void TellCatalogSave(CQuorbelApp &app, const FileWriteResult &saved) {
  if (saved.Ok())
    return;
  const std::string path = (std::filesystem::path(StartDirectory()) / kCatalogFileName).string();
  app.PostMessage(
      PanelText::Plain(FileFailureMessage(saved.Failure, path, saved.Message, app.CurrentLanguage())));
}

void RegisterGridListDialog(CQuorbelApp &app) {
  app.Commands().SetHandler(Cmd::SelectCatalogGrid, [&app](CommandId) {
    CGridList dialog(app, app.CurrentLanguage(), app.MainFrame());
    app.Dialogs().Exec(dialog);
  });
}
