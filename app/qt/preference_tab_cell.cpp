// The Cell tab: the four ways an open cell shows its candidates, the board's side areas and the
// matrix options.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "app/qt/dialog_text.h"
#include "app/qt/preference_tabs.h"

using namespace quorbel;

namespace {

constexpr int kPictureWidth = 51;
constexpr int kPictureHeight = 30;

// A small cell drawn as the mode shows it: one value, the candidates in a line, the candidates in
// a matrix, or candidates with one probable; framed in blue and lit when chosen.
QPixmap CellModePicture(int mode, bool on) {
  QPixmap picture(kPictureWidth, kPictureHeight);
  picture.fill(on ? QColor(0xE8, 0xF0, 0xFF) : QColor(0xD8, 0xD8, 0xD8));
  QPainter painter(&picture);
  QFont font = painter.font();
  const QColor ink = on ? QColor(0x00, 0x00, 0xBB) : QColor(0x70, 0x70, 0x70);
  painter.setPen(ink);
  switch (mode) {
  case 0:
    font.setPixelSize(20);
    painter.setFont(font);
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("5"));
    break;
  case 1:
    font.setPixelSize(10);
    painter.setFont(font);
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("1 2 5 8"));
    break;
  default:
    font.setPixelSize(8);
    painter.setFont(font);
    for (int v = 1; v <= 9; ++v) {
      const QRect box(8 + (v - 1) % 3 * 12, 1 + (v - 1) / 3 * 9, 12, 9);
      if (mode == 3 && v == 5)
        painter.fillRect(box, on ? QColor(0xFF, 0xC0, 0x40) : QColor(0xB0, 0xB0, 0xB0));
      painter.drawText(box, Qt::AlignCenter, QString::number(v));
    }
    break;
  }
  painter.setPen(QPen(on ? QColor(0x00, 0x40, 0xFF) : QColor(0x80, 0x80, 0x80), on ? 2 : 1));
  painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
  return picture;
}

} // namespace

CPrefPage2::CPrefPage2(DialogHost &host, CellPage &page, Language language, QWidget *parent)
    : PreferenceTab(host, parent), page_(page) {
  auto *layout = new QVBoxLayout(this);
  auto *cell = new QGroupBox(DialogText(language, "Affichage Case", "Cell Display"), this);
  auto *cellLayout = new QGridLayout(cell);
  struct Text {
    std::string_view french, english;
  };
  const std::array<Text, 4> modes = {{{"1 valeur par case:", "1 value per cell:"},
                                      {"Valeurs Possibles en ligne:", "Possible Values in Line"},
                                      {"Valeurs Possibles en Matrice:", "Possible values in Matrix"},
                                      {"Possibles et Probables:", "Possibles and Probables:"}}};
  for (int mode = 0; mode < kCellDisplayModes; ++mode) {
    const auto at = static_cast<size_t>(mode);
    cellLayout->addWidget(new QLabel(DialogText(language, modes[at].french, modes[at].english), cell), mode,
                          0);
    modes_[at] = new ClickableLabel(
        [this, mode] {
          page_.ChooseMode(mode);
          Refresh();
        },
        cell);
    modes_[at]->setPixmap(CellModePicture(mode, false));
    cellLayout->addWidget(modes_[at], mode, 1);
  }
  cellLayout->setColumnStretch(2, 1);
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
  // The pictures show the mode last chosen here, which a reload does not change.
  for (int mode = 0; mode < kCellDisplayModes; ++mode)
    modes_[static_cast<size_t>(mode)]->setPixmap(CellModePicture(mode, mode == page_.PictureMode));
  const std::array<bool, 7> ticked = {v.Lines,  v.Comment, v.BarArea, v.BarAreaIdem,
                                      v.MatAll, v.MatFond, v.MatAuto};
  for (size_t i = 0; i < boxes_.size(); ++i)
    boxes_[i]->setChecked(ticked[i]);
  UpdateControls();
}

// Auto Position follows the profiles and the macros only.
void CPrefPage2::UpdateControls() { boxes_[6]->setEnabled(false); }
