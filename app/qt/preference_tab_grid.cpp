// The Grid tab: sizing and block separation, and the background picture with its transparency
// and periodic random change.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "app/qt/dialog_text.h"
#include "app/qt/preference_tabs.h"
#include "engine/grid_set.h"

using namespace quorbel;

CPrefPage3::CPrefPage3(DialogHost &host, const EngineContext &engine, GridPage &page, Language language,
                       QWidget *parent)
    : PreferenceTab(host, parent), engine_(engine), page_(page) {
  auto *layout = new QVBoxLayout(this);
  auto *parameters = new QGroupBox(DialogText(language, "Parametres Grille", "Grid Parameters"), this);
  auto *parameterLayout = new QVBoxLayout(parameters);
  struct Text {
    std::string_view french, english;
  };
  const std::array<Text, 7> boxes = {{
      {"Dimension Grille Automatique", "Automatic Grid Sizing"},
      {"Taille Case Fixe selon Parametres Geometrie", "Cell size Constant depending on Geometry parameters"},
      {"Séparation Couleur entre Blocks", "Color Separation between Blocks"},
      {"Séparation Barres Noirs entre Blocks", "Black Bar Separation between Blocks"},
      {"Blocks de couleur différente", "Blocks with different colors"},
      {"Cases carrées", "Cells are Square"},
      {"Garde Proportions", "Keep Image Ratio"},
  }};
  for (size_t i = 0; i < boxes.size(); ++i) {
    boxes_[i] = new QCheckBox(DialogText(language, boxes[i].french, boxes[i].english), this);
    connect(boxes_[i], &QCheckBox::clicked, this, [this, i](bool on) {
      page_.SetSwitch(static_cast<GridPageSwitch>(i), on);
      Refresh();
    });
    if (i < 6)
      parameterLayout->addWidget(boxes_[i]);
  }
  layout->addWidget(parameters);

  auto *picture = new QGroupBox(DialogText(language, "Image de Fond", "Background Image"), this);
  auto *pictureLayout = new QGridLayout(picture);
  pictureLayout->addWidget(new QLabel(DialogText(language, "Nom:", "Name:"), picture), 0, 0);
  name_ = new ClickableLabel(
      [this] {
        page_.ChooseBackgroundImage();
        Refresh();
      },
      picture);
  pictureLayout->addWidget(name_, 0, 1, 1, 2);
  pictureLayout->addWidget(boxes_[6], 1, 0, 1, 3);
  pictureLayout->addWidget(new QLabel(DialogText(language, "Transparence :", "Transparency :"), picture), 2,
                           0);
  transparency_ = new QSlider(Qt::Horizontal, picture);
  transparency_->setRange(0, 100);
  pictureLayout->addWidget(transparency_, 2, 1, 1, 2);
  random_ = new QCheckBox(DialogText(language, "Aléatoire       Tous les:", "Randomn       Every:"), picture);
  delay_ = new QSlider(Qt::Horizontal, picture);
  delay_->setRange(0, 100);
  pictureLayout->addWidget(random_, 3, 0);
  pictureLayout->addWidget(delay_, 3, 1, 1, 2);
  layout->addWidget(picture);
  layout->addStretch();

  connect(transparency_, &QSlider::valueChanged, this, [this](int value) { page_.MoveTransparency(value); });
  connect(transparency_, &QSlider::sliderReleased, this, [this] { page_.ReleaseTransparency(); });
  connect(delay_, &QSlider::sliderReleased, this, [this] { page_.ReleaseDelay(delay_->value()); });
  connect(random_, &QCheckBox::clicked, this, [this](bool on) {
    page_.SetRandomPicture(on);
    Refresh();
  });
}

void CPrefPage3::Refresh() {
  const GridPageValues &v = page_.Values;
  const std::array<bool, 7> ticked = {v.AutoSize,    v.Absolute,   v.BlockLimit, v.BlockBars,
                                      v.BlockColors, v.CellSquare, v.KeepRatio};
  for (size_t i = 0; i < boxes_.size(); ++i)
    boxes_[i]->setChecked(ticked[i]);
  random_->setChecked(v.BgRandom);
  // Placing the thumbs stores nothing.
  const QSignalBlocker a(transparency_), b(delay_);
  transparency_->setValue(v.Transparency);
  delay_->setValue(v.Delay);
  name_->setText(v.ShownName.empty() ? QStringLiteral("...") : QString::fromStdString(v.ShownName));
  UpdateControls();
}

void CPrefPage3::UpdateControls() {
  boxes_[1]->setEnabled(!page_.Values.AutoSize);
  // Irregular blocks have no colour between them.
  const bool irregular = (CombinedGridVar(engine_.Grids, 1) & kVarIrregular.word1) != 0;
  boxes_[2]->setEnabled(!irregular);
  boxes_[6]->setEnabled(false);
}
