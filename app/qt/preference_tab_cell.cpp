// The Cell tab: the four ways an open cell shows its candidates, the board's side areas and the
// matrix options.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/qt/dialog_text.h"
#include "app/qt/preference_tabs.h"

using namespace quorbel;

CPrefPage2::CPrefPage2(CQuorbelApp &app, CellPage &page, Language language, QWidget *parent)
    : PreferenceTab(app, parent), page_(page) {
  auto *layout = new QVBoxLayout(this);
  auto *cell = new QGroupBox(DialogText(language, "Affichage Case", "Cell Display"), this);
  auto *cellLayout = new QVBoxLayout(cell);
  struct Text {
    std::string_view french, english;
  };
  const std::array<Text, 4> modes = {{{"1 valeur par case:", "1 value per cell:"},
                                      {"Valeurs Possibles en ligne:", "Possible Values in Line"},
                                      {"Valeurs Possibles en Matrice:", "Possible values in Matrix"},
                                      {"Possibles et Probables:", "Possibles and Probables:"}}};
  auto *group = new QButtonGroup(this);
  for (int mode = 0; mode < kCellDisplayModes; ++mode) {
    modes_[static_cast<size_t>(mode)] =
        new QRadioButton(DialogText(language, modes[static_cast<size_t>(mode)].french,
                                    modes[static_cast<size_t>(mode)].english),
                         cell);
    group->addButton(modes_[static_cast<size_t>(mode)], mode);
    cellLayout->addWidget(modes_[static_cast<size_t>(mode)]);
  }
  connect(group, &QButtonGroup::idClicked, this, [this](int mode) { page_.ChooseMode(mode); });
  layout->addWidget(cell);

  const std::array<Text, 7> boxes = {{
      {"Affichage Possibles Lignes et Colonnes", "Display Possibles per Lines and Colomns"},
      {"Affichage Zone Commentaires", "Display Comment Area"},
      {"Affichage Zone Selection Image", "Display Image Select Bar"},
      {"Montre Identiques si Click", "Show Identical if click"},
      {"Tous les chiffres", "All Numbers"},
      {"Fond", "Backgound"},
      {"Auto Position", "Auto Position"},
  }};
  auto *display = new QGroupBox(DialogText(language, "Affichage Grille", "Grid Display"), this);
  auto *matrix = new QGroupBox(DialogText(language, "Matrice", "Matrix"), this);
  auto *displayLayout = new QVBoxLayout(display);
  auto *matrixLayout = new QVBoxLayout(matrix);
  for (size_t i = 0; i < boxes.size(); ++i) {
    QGroupBox *owner = i < 4 ? display : matrix;
    boxes_[i] = new QCheckBox(DialogText(language, boxes[i].french, boxes[i].english), owner);
    (i < 4 ? displayLayout : matrixLayout)->addWidget(boxes_[i]);
    connect(boxes_[i], &QCheckBox::clicked, this,
            [this, i](bool on) { page_.SetSwitch(static_cast<CellPageSwitch>(i), on); });
  }
  layout->addWidget(display);
  layout->addWidget(matrix);
  layout->addStretch();
}

void CPrefPage2::Refresh() {
  const CellPageValues &v = page_.Values;
  // The mode shown is the one last chosen here or at the sheet's opening.
  modes_[static_cast<size_t>(std::clamp(page_.PictureMode, 0, kCellDisplayModes - 1))]->setChecked(true);
  const std::array<bool, 7> ticked = {v.Lines,  v.Comment, v.BarArea, v.BarAreaIdem,
                                      v.MatAll, v.MatFond, v.MatAuto};
  for (size_t i = 0; i < boxes_.size(); ++i)
    boxes_[i]->setChecked(ticked[i]);
  UpdateControls();
}

// Auto Position follows the profiles and the macros only.
void CPrefPage2::UpdateControls() { boxes_[6]->setEnabled(false); }
