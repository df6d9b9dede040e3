#include "app/qt/grid_list_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "app/qt/dialog_text.h"
#include "app/qt/file_commands.h"
#include "app/qt/icon_list_box.h"
#include "app/qt/main_frame.h"
#include "app/qt/quorbel_app.h"
#include "platform/paths.h"

using namespace quorbel;

namespace {

QString Utf8(const std::string &text) { return QString::fromStdString(text); }

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

  auto *buttons = new QHBoxLayout;
  auto *select = new QPushButton(DialogText(language, "Selectionne", "Select Grid"), this);
  auto *next = new QPushButton(DialogText(language, "Grille Suivante", "Next Grid"), this);
  auto *cancel = new QPushButton(DialogText(language, "Annuler", "Cancel"), this);
  select->setDefault(true);
  buttons->addStretch();
  buttons->addWidget(select);
  buttons->addWidget(next);
  buttons->addWidget(cancel);
  layout->addLayout(buttons, 3, 0, 1, 2);

  connect(select, &QPushButton::clicked, this, [this] { OnSelect(); });
  connect(next, &QPushButton::clicked, this, [this] { OnNextGrid(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(grids_, &QListWidget::itemDoubleClicked, this, [this] { OnSelect(); });
  connect(keywords_, &QLineEdit::textChanged, this, [this] { ShowGrids(); });
  connect(types_, &QListWidget::currentRowChanged, this, [this](int row) { ShowType(row); });

  if (!catalog_) {
    comment_->setText(DialogText(language, "Aucun catalogue de grilles (GridList.dat) dans ",
                                 "No grid catalogue (GridList.dat) in ") +
                      Utf8(StartDirectory()));
    return;
  }
  for (const CatalogType &type : catalog_->Types)
    types_->AddListItemWithData(Utf8(type.Name), -1);
  const int shown = app_.Settings().catalog.baseType;
  types_->setCurrentRow(shown >= 0 && shown < types_->count() ? shown : 0);
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

bool CGridList::OnSelect() {
  QListWidgetItem *item = grids_->currentItem();
  if (!item || type_ < 0)
    return false;
  if (!OpenGrid(type_, item->data(Qt::UserRole).toInt()))
    return false;
  accept();
  return true;
}

bool CGridList::OnNextGrid() {
  if (grids_->count() == 0)
    return false;
  const int row = grids_->currentRow() < 0 ? 0 : (grids_->currentRow() + 1) % grids_->count();
  grids_->setCurrentRow(row);
  return OpenGrid(type_, grids_->item(row)->data(Qt::UserRole).toInt());
}

bool CGridList::OpenGrid(int type, int grid) {
  const std::string &name = catalog_->Types[static_cast<size_t>(type)].Grids[static_cast<size_t>(grid)].File;
  const std::string path = MakeGridFilePath(StartDirectory(), name, 0);
  if (path.empty()) {
    app_.Dialogs().MessageBox(
        this, MessageBoxRequest{.title = windowTitle(),
                                .text = DialogText(language_, "La grille du catalogue est introuvable : ",
                                                   "The catalogue grid cannot be found: ") +
                                        Utf8(name),
                                .icon = QMessageBox::Warning,
                                .buttons = QMessageBox::Ok,
                                .defaultButton = QMessageBox::Ok});
    return false;
  }
  if (!OpenGridFile(app_, path))
    return false;
  CatalogSettings &settings = app_.Settings().catalog;
  settings.baseType = type;
  settings.baseGrid = grid;
  app_.SaveSettings();
  return true;
}

void RegisterGridListDialog(CQuorbelApp &app) {
  app.Commands().SetHandler(Cmd::SelectCatalogGrid, [&app](CommandId) {
    CGridList dialog(app, app.CurrentLanguage(), app.MainFrame());
    app.Dialogs().Exec(dialog);
  });
}
