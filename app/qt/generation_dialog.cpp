#include "app/qt/generation_dialog.h"
#include "app/qt/dialog_pictures.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/empty_grid_choices.h"
#include "app/help_topics.h"
#include "app/qt/dialog_text.h"
#include "app/qt/help_here.h"
#include "app/qt/size_pictures.h"
#include "platform/help_contexts.h"
#include "solver/generate_grid.h"

using namespace quorbel;

namespace {

constexpr int kHelpGeneration = HelpContext("new grid");
constexpr int kMinGrids = 2;
constexpr int kMostLinkedGrids = 12;
constexpr int kMaxDepth = 100;

} // namespace

GrilleSel::GrilleSel(DialogHost &host, GenerateFromChoice generate, Language language, QWidget *parent)
    : QDialog(parent), host_(host), generate_(std::move(generate)), language_(language) {
  setObjectName(QStringLiteral("GrilleSel"));
  setWindowTitle(DialogText(language, "Génération Grille", "Grid Selection"));
  const AppSettings &settings = host.Settings();
  model_.GenShape = settings.general.gridCurrSize;
  model_.GenDisplay = settings.general.gridCurrDisp;
  model_.GenDifficulty = settings.general.gridCurrDifficulty;
  model_.Words = SplitVariantWords(settings.general.gridCurrVariant);
  model_.GenVarMult = settings.catalog.varMult;

  const SizePictures pictures =
      MakeSizePictures(this, DialogText(language, "Choisir Taille de Grille", "Select Grid Size"), this);
  sizes_ = pictures.Buttons;
  for (size_t i = 0; i < sizes_.size(); ++i)
    connect(sizes_[i], &QToolButton::clicked, this, [this, shape = kSizePictureShapes[i]] {
      model_.GenShape = shape;
      UpdateGenerationControls(model_);
      Show();
    });

  auto *displayBox = new QGroupBox(DialogText(language, "Affichage", "Display"), this);
  auto *displayLayout = new QVBoxLayout(displayBox);
  const std::array<QString, 4> displayTexts = {QStringLiteral("1 2 3..."), QStringLiteral("A B C.."),
                                               QStringLiteral("1 2.. A B.."),
                                               DialogText(language, "Enfant", "Cartoon")};
  for (int mode = 0; mode < 4; ++mode) {
    displays_[static_cast<size_t>(mode)] =
        new QRadioButton(displayTexts[static_cast<size_t>(mode)], displayBox);
    displayLayout->addWidget(displays_[static_cast<size_t>(mode)]);
    connect(displays_[static_cast<size_t>(mode)], &QRadioButton::clicked, this, [this, mode] {
      model_.GenDisplay = mode;
      UpdateGenerationControls(model_);
      Show();
    });
  }

  auto *levelBox = new QGroupBox(DialogText(language, "Difficulté", "Difficulty"), this);
  auto *levelLayout = new QVBoxLayout(levelBox);
  const std::array<QString, 4> levelTexts = {
      DialogText(language, "Facile", "Easy"), DialogText(language, "Moyen", "Medium"),
      DialogText(language, "Difficile", "Difficult"), QStringLiteral("Terrible")};
  for (int level = 1; level <= 4; ++level) {
    levels_[static_cast<size_t>(level - 1)] =
        new QRadioButton(levelTexts[static_cast<size_t>(level - 1)], levelBox);
    levelLayout->addWidget(levels_[static_cast<size_t>(level - 1)]);
    connect(levels_[static_cast<size_t>(level - 1)], &QRadioButton::clicked, this,
            [this, level] { model_.GenDifficulty = level; });
  }

  list_ = new QListWidget(this);
  for (int row = 0; row < kVariantRowCount; ++row) {
    const VariantRow &variant = VariantCatalog[static_cast<size_t>(row)];
    auto *item = new QListWidgetItem(DialogText(language, variant.VarNameFr, variant.VarNameEn), list_);
    item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
  }
  connect(list_, &QListWidget::itemChanged, this, &GrilleSel::RowChanged);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    // F1 on the list explains the rule in hand.
    list_->setProperty(kHelpContextProperty, row >= 0 ? RuleHelpContext(row) : HelpContext("rules"));
    if (!showing_ && row >= 0)
      comment_->setText(QString::fromStdString(OnVariantListChange(model_, row, language_)));
  });
  comment_ =
      new QLabel(DialogText(language, "Description des Variantes", "Here is comment on Varients"), this);
  comment_->setWordWrap(true);
  comment_->setMinimumHeight(60);

  depth_ = new QSlider(Qt::Horizontal, this);
  depth_->setRange(0, kMaxDepth);
  depth_->setValue(settings.catalog.varDepth);
  gridCount_ = new QSlider(Qt::Horizontal, this);
  gridCount_->setRange(kMinGrids, kMostLinkedGrids);
  gridCount_->setTickPosition(QSlider::TicksBelow);
  gridCount_->setTickInterval(2);
  gridCount_->setValue(settings.catalog.varNGrids);

  auto *setAll = new QPushButton(DialogText(language, "Toutes", "Set All"), this);
  auto *clearAll = new QPushButton(DialogText(language, "Aucune", "Clear All"), this);
  auto *go = new QPushButton(DialogText(language, "GO", "Generate Grid"), this);
  auto *help = new QPushButton(DialogText(language, "Aide", "Help"), this);
  auto *cancel = new QPushButton(DialogText(language, "Annuler", "Cancel"), this);
  go->setObjectName(QStringLiteral("Go"));
  go->setDefault(true);
  connect(setAll, &QPushButton::clicked, this, [this] {
    SetAllVariants(model_);
    Show();
  });
  connect(clearAll, &QPushButton::clicked, this, [this] {
    ClearAllVariants(model_);
    Show();
  });
  connect(go, &QPushButton::clicked, this, &GrilleSel::OnGenerate);
  connect(help, &QPushButton::clicked, this, [this] { host_.ShowHelp(kHelpGeneration); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto *left = new QVBoxLayout;
  left->addWidget(pictures.Box);
  auto *choices = new QHBoxLayout;
  choices->addWidget(displayBox);
  choices->addWidget(levelBox);
  left->addLayout(choices);
  // Each slider over a row of its labels, spread along it.
  const auto labelled = [this](QSlider *slider, const QStringList &labels) {
    auto *column = new QVBoxLayout;
    column->addWidget(slider);
    auto *row = new QHBoxLayout;
    for (qsizetype i = 0; i < labels.size(); ++i) {
      if (i > 0)
        row->addStretch();
      row->addWidget(new QLabel(labels[i], this));
    }
    column->addLayout(row);
    return column;
  };
  QStringList counts;
  for (int count = kMinGrids; count <= kMostLinkedGrids; count += 2)
    counts << QString::number(count);
  auto *sliders = new QGridLayout;
  sliders->addWidget(new QLabel(DialogText(language, "Nombres dans case", "Numbers in cell"), this), 0, 0);
  sliders->addLayout(labelled(depth_, {QStringLiteral("Normal"), DialogText(language, "Aucun", "None")}), 0,
                     1);
  sliders->addWidget(new QLabel(DialogText(language, "Nombres de Grilles", "Number of Grids"), this), 1, 0);
  sliders->addLayout(labelled(gridCount_, counts), 1, 1);
  left->addLayout(sliders);
  auto *right = new QVBoxLayout;
  right->addWidget(list_, 1);
  auto *listButtons = new QHBoxLayout;
  listButtons->addWidget(setAll);
  listButtons->addWidget(clearAll);
  right->addLayout(listButtons);
  right->addWidget(comment_);
  auto *top = new QHBoxLayout;
  top->addLayout(left);
  top->addLayout(right, 1);
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(go);
  buttons->addWidget(help);
  buttons->addStretch();
  buttons->addWidget(cancel);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);

  model_.GenShape = EmptyGridPictureShape(model_.GenShape) < 0 ? 5 : EmptyGridPictureShape(model_.GenShape);
  const int first = SyncVariantList(model_);
  UpdateGenerationControls(model_);
  Show();
  if (first >= 0)
    list_->scrollToItem(list_->item(first), QAbstractItemView::PositionAtTop);
}

QToolButton *GrilleSel::SizeButton(int shape) const { return SizePictures{nullptr, sizes_}.Of(shape); }

void GrilleSel::Show() {
  showing_ = true;
  for (int row = 0; row < kVariantRowCount; ++row) {
    QListWidgetItem *item = list_->item(row);
    const VariantRowState &state = model_.Rows[static_cast<size_t>(row)];
    item->setCheckState(state.Ticked ? Qt::Checked : Qt::Unchecked);
    Qt::ItemFlags flags = Qt::ItemIsUserCheckable | Qt::ItemIsSelectable;
    if (state.Enabled && row != kSeparatorRow)
      flags |= Qt::ItemIsEnabled;
    item->setFlags(flags);
  }
  for (int mode = 0; mode < 4; ++mode) {
    displays_[static_cast<size_t>(mode)]->setEnabled(model_.DisplayEnabled[static_cast<size_t>(mode)]);
    displays_[static_cast<size_t>(mode)]->setChecked(model_.GenDisplay == mode);
  }
  levels_[static_cast<size_t>(model_.GenDifficulty - 1)]->setChecked(true);
  if (QToolButton *size = SizeButton(model_.GenShape))
    size->setChecked(true);
  gridCount_->setEnabled(model_.GridCountEnabled);
  showing_ = false;
}

void GrilleSel::SetRowTicked(int row, bool ticked) {
  list_->item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void GrilleSel::RowChanged(QListWidgetItem *item) {
  if (showing_)
    return;
  const int row = list_->row(item);
  model_.Rows[static_cast<size_t>(row)].Ticked = item->checkState() == Qt::Checked;
  comment_->setText(QString::fromStdString(OnVariantListChange(model_, row, language_)));
  Show();
}

bool GrilleSel::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::MouseButtonDblClick)
    for (size_t i = 0; i < sizes_.size(); ++i)
      if (watched == sizes_[i]) {
        model_.GenShape = kSizePictureShapes[i];
        UpdateGenerationControls(model_);
        Show();
        OnGenerate();
        return true;
      }
  return QDialog::eventFilter(watched, event);
}

void GrilleSel::OnGenerate() {
  UpdateGenerationControls(model_);
  const int language = static_cast<int>(language_);
  const std::string refusal = UngeneratedRuleMessage(model_.Words, language);
  if (!refusal.empty()) {
    host_.Dialogs().MessageBox(this, MessageBoxRequest{.title = QStringLiteral("Quorbel"),
                                                       .text = QString::fromStdString(refusal),
                                                       .icon = QMessageBox::Information});
    return;
  }
  // Refused or cancelled: the player's grid stays, and so does the dialog.
  if (generate_(GenerationChoice{model_, depth_->value(), gridCount_->value()}))
    accept();
}

void GrilleSel::paintEvent(QPaintEvent *event) {
  QPainter painter(this);
  const DialogPictures &pictures = host_.Pictures();
  PaintDialogPicture(painter, *this, pictures.Artist, pictures.ArtistStatus);
  QDialog::paintEvent(event);
}
