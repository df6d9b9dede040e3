// The Text tab: digits, letters, mixed or pictures, the picture set with its arrows, browser and
// shuffle, a sample symbol, and the animation options.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/qt/dialog_host.h"
#include "app/qt/dialog_text.h"
#include "app/qt/outside_services.h"
#include "app/qt/preference_tabs.h"
#include "app/value_symbol.h"
#include "engine/variant_catalog.h"

using namespace quorbel;

CPrefPage6::CPrefPage6(DialogHost &host, const OutsideServices &services, TextPage &page, Language language,
                       QWidget *parent)
    : PreferenceTab(host, parent), services_(services), page_(page) {
  auto *layout = new QVBoxLayout(this);
  auto *text = new QGroupBox(DialogText(language, "Choisir Affichage Texte", "Select Display Text"), this);
  auto *cartoon =
      new QGroupBox(DialogText(language, "Choisir Affichage Enfant", "Select Display Cartoon"), this);
  auto *textLayout = new QHBoxLayout(text);
  auto *cartoonLayout = new QGridLayout(cartoon);
  auto *group = new QButtonGroup(this);
  const std::array<QString, 4> captions = {QStringLiteral("1 2 3..."), QStringLiteral("A B C.."),
                                           QStringLiteral("1 2.. A B.."),
                                           DialogText(language, "Enfant", "Cartoon")};
  for (int mode = 0; mode < 4; ++mode) {
    modes_[static_cast<size_t>(mode)] = new QRadioButton(captions[static_cast<size_t>(mode)], this);
    group->addButton(modes_[static_cast<size_t>(mode)], mode);
    if (mode < 3)
      textLayout->addWidget(modes_[static_cast<size_t>(mode)]);
  }
  connect(group, &QButtonGroup::idClicked, this, [this](int mode) {
    page_.ChooseMode(mode);
    Refresh();
  });
  preview_ = new QLabel(this);
  preview_->setFrameShape(QFrame::Box);
  preview_->setFixedSize(48, 48);
  textLayout->addStretch();
  textLayout->addWidget(preview_);
  layout->addWidget(text);

  cartoonLayout->addWidget(modes_[3], 0, 0);
  title_ = new ClickableLabel(
      [this] {
        page_.BrowsePictureSet();
        Refresh();
      },
      cartoon);
  cartoonLayout->addWidget(title_, 0, 1, 1, 3);
  auto *previous = new QPushButton(QStringLiteral("<"), cartoon);
  auto *next = new QPushButton(QStringLiteral(">"), cartoon);
  auto *shuffle = new QPushButton(DialogText(language, "Mélange", "Shuffle"), cartoon);
  connect(previous, &QPushButton::clicked, this, [this] {
    page_.StepPictureSet(false);
    Refresh();
  });
  connect(next, &QPushButton::clicked, this, [this] {
    page_.StepPictureSet(true);
    Refresh();
  });
  connect(shuffle, &QPushButton::clicked, this, [this] {
    page_.ShufflePictures();
    Refresh();
  });
  cartoonLayout->addWidget(previous, 1, 1);
  cartoonLayout->addWidget(next, 1, 2);
  cartoonLayout->addWidget(shuffle, 1, 3);
  layout->addWidget(cartoon);

  auto *animation = new QGroupBox(QStringLiteral("Animation"), this);
  auto *animationLayout = new QVBoxLayout(animation);
  struct Text {
    std::string_view french, english;
  };
  const std::array<Text, 5> boxes = {{{"Images Animées", "Animated Images"},
                                      {"Efface Case si Mauvais", "Reset Cell If False"},
                                      {"Actions Animées", "Animated Actions"},
                                      {"Déplacement Bouton Enfoncé", "Drag with Button Pressed"},
                                      {"Images Parasites", "Parasite Images"}}};
  for (size_t i = 0; i < boxes.size(); ++i) {
    boxes_[i] = new QCheckBox(DialogText(language, boxes[i].french, boxes[i].english), this);
    connect(boxes_[i], &QCheckBox::clicked, this, [this, i](bool on) {
      page_.SetSwitch(static_cast<TextPageSwitch>(i), on);
      Refresh();
    });
    if (i == 3)
      layout->addWidget(boxes_[i]);
    else
      animationLayout->addWidget(boxes_[i]);
  }
  layout->addWidget(animation);
  layout->addStretch();
}

void CPrefPage6::Refresh() {
  const TextPageValues &v = page_.Values;
  title_->setText(v.SetTitle.empty() ? QStringLiteral("...") : QString::fromStdString(v.SetTitle));
  const std::array<bool, 5> ticked = {v.AnimGif, v.ResetIfFalse, v.AnimAction, v.Drag, v.Parasit};
  for (size_t i = 0; i < boxes_.size(); ++i)
    boxes_[i]->setChecked(ticked[i]);
  UpdateControls();
}

void CPrefPage6::UpdateControls() {
  const int mode = page_.Values.Mode;
  boxes_[1]->setEnabled(mode == kSymbolPictures && page_.Values.AnimAction);
  boxes_[0]->setEnabled(mode == kSymbolPictures);
  for (int m = 0; m < 4; ++m) {
    modes_[static_cast<size_t>(m)]->setChecked(m == mode);
    modes_[static_cast<size_t>(m)]->setEnabled(DisplayModeOffered(m, host_.Settings().general.gridCurrSize));
  }
  DrawSymbolPreview();
}

// The value 1 as the board draws it in the chosen mode, its picture in pictures mode.
void CPrefPage6::DrawSymbolPreview() {
  QPixmap sample(preview_->size());
  sample.fill(Qt::white);
  const int mode = page_.Values.Mode;
  if (const auto &draw = services_.drawSymbolSample) {
    QPainter painter(&sample);
    draw(painter, sample.rect().adjusted(1, 1, -1, -1), mode);
  } else {
    preview_->setText(QString::fromStdString(ValueSymbolText(1, static_cast<SymbolMode>(mode))));
    return;
  }
  preview_->setPixmap(sample);
}
