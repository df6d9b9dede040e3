#include "app/qt/empty_grid_dialog.h"
#include "app/qt/dialog_pictures.h"
#include "app/qt/dialog_text.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <string_view>

#include "app/empty_grid_choices.h"
#include "app/qt/size_pictures.h"
#include "platform/help_contexts.h"

using namespace quorbel;

namespace {

constexpr int kHelpEmptyGrid = HelpContext("new grid");

} // namespace

CEmptyGrid::CEmptyGrid(DialogHost &host, MakeEmptyGrid make, Language language, int shape, SymbolMode display,
                       QWidget *parent)
    : QDialog(parent), EmptyShape(shape), EmptyDisplay(display), host_(host), make_(std::move(make)) {
  setObjectName(QStringLiteral("CEmptyGrid"));
  setWindowTitle(DialogText(language, "Grille Vide", "Empty Grid"));

  const SizePictures pictures =
      MakeSizePictures(this, DialogText(language, "Choisir Taille de Grille", "Select Grid Size"), this);
  sizes_ = pictures.Buttons;
  for (size_t i = 0; i < sizes_.size(); ++i)
    connect(sizes_[i], &QToolButton::clicked, this, [this, code = kSizePictureShapes[i]] { PickSize(code); });
  QGroupBox *sizeBox = pictures.Box;

  auto *displayBox = new QGroupBox(DialogText(language, "Affichage", "Display"), this);
  auto *displayLayout = new QVBoxLayout(displayBox);
  const std::array<QString, 4> labels = {QStringLiteral("1 2 3..."), QStringLiteral("A B C.."),
                                         QStringLiteral("1 2.. A B.."), QStringLiteral("Enfant")};
  for (int mode = kSymbolDigits; mode <= kSymbolPictures; ++mode) {
    auto *radio = new QRadioButton(labels[static_cast<size_t>(mode)], displayBox);
    displayLayout->addWidget(radio);
    radios_[static_cast<size_t>(mode)] = radio;
    connect(radio, &QRadioButton::clicked, this, [this, mode] {
      EmptyDisplay = static_cast<SymbolMode>(mode);
      UpdateDisplayChoices();
    });
  }

  auto *manual = new QPushButton(DialogText(language, "Entrée Manuelle", "Manual Input"), this);
  auto *help = new QPushButton(DialogText(language, "Aide", "Help"), this);
  auto *cancel = new QPushButton(DialogText(language, "Annuler", "Cancel"), this);
  manual->setObjectName(QStringLiteral("ManualInput"));
  manual->setDefault(true);
  connect(manual, &QPushButton::clicked, this, &CEmptyGrid::ManualInput);
  connect(help, &QPushButton::clicked, this, [this] { host_.ShowHelp(kHelpEmptyGrid); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(manual);
  buttons->addWidget(help);
  buttons->addStretch();
  buttons->addWidget(cancel);

  auto *layout = new QVBoxLayout(this);
  auto *choices = new QHBoxLayout;
  choices->addWidget(sizeBox);
  choices->addWidget(displayBox);
  layout->addLayout(choices);
  layout->addLayout(buttons);

  // The picture of the size asked for; its code becomes the picture's.
  EmptyShape = EmptyGridPictureShape(EmptyShape);
  if (QToolButton *button = SizeButton(EmptyShape))
    button->setChecked(true);
  UpdateDisplayChoices();
}

QToolButton *CEmptyGrid::SizeButton(int shape) const { return SizePictures{nullptr, sizes_}.Of(shape); }

void CEmptyGrid::PickSize(int shape) {
  EmptyShape = shape;
  UpdateDisplayChoices();
}

void CEmptyGrid::UpdateDisplayChoices() {
  const DisplayChoices choices = ::quorbel::UpdateDisplayChoices(EmptyShape, EmptyDisplay);
  radios_[kSymbolDigits]->setEnabled(choices.DigitsEnabled);
  radios_[kSymbolMixed]->setEnabled(choices.MixedEnabled);
  EmptyDisplay = choices.Display;
  radios_[static_cast<size_t>(EmptyDisplay)]->setChecked(true);
}

bool CEmptyGrid::eventFilter(QObject *watched, QEvent *event) {
  // A double click on a size starts the grid at once.
  if (event->type() == QEvent::MouseButtonDblClick)
    for (size_t i = 0; i < sizes_.size(); ++i)
      if (watched == sizes_[i]) {
        EmptyShape = kSizePictureShapes[i];
        UpdateDisplayChoices();
        ManualInput();
        return true;
      }
  return QDialog::eventFilter(watched, event);
}

void CEmptyGrid::ManualInput() {
  if (EmptyShape < 0)
    return; // no size picked yet
  if (make_(EmptyShape, EmptyDisplay))
    accept();
  else
    reject();
}

void CEmptyGrid::paintEvent(QPaintEvent *event) {
  QPainter painter(this);
  const DialogPictures &pictures = host_.Pictures();
  PaintDialogPicture(painter, *this, pictures.Artist, pictures.ArtistStatus);
  QDialog::paintEvent(event);
}
