// The Geometry tab: the nine layout values the board uses when it is not sized automatically.
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/qt/dialog_host.h"
#include "app/qt/dialog_text.h"
#include "app/qt/preference_tabs.h"

using namespace quorbel;

CPrefPage4::CPrefPage4(DialogHost &host, GeometryPage &page, Language language, QWidget *parent)
    : PreferenceTab(host, parent), page_(page) {
  auto *layout = new QVBoxLayout(this);
  struct Text {
    std::string_view french, english;
  };
  const std::array<Text, 4> groups = {{{"Dimension Case", "Cell Size"},
                                       {"Espacement entre Cases", "Spacing between Cells"},
                                       {"Espacement entre Blocks", "Spacing between Blocks"},
                                       {"Divers", "Various"}}};
  const std::array<Text, kGeometryValues> labels = {{{"Longueur:", "Length:"},
                                                     {"Hauteur:", "Height:"},
                                                     {"Horizontal:", "Horizontal:"},
                                                     {"Vertical:", "Vertical:"},
                                                     {"Horizontal:", "Horizontal:"},
                                                     {"Vertical:", "Vertical:"},
                                                     {"Hauteur Probable:", "Height Probable:"},
                                                     {"Taille Bordure Case:", "Cell Border Size:"},
                                                     {"Taille Bordure Block:", "Block Border Size:"}}};
  constexpr std::array<int, kGeometryValues> kGroupOf = {0, 0, 1, 1, 2, 2, 3, 3, 3};
  std::array<QGridLayout *, 4> grids{};
  for (size_t g = 0; g < groups.size(); ++g) {
    auto *box = new QGroupBox(DialogText(language, groups[g].french, groups[g].english), this);
    grids[g] = new QGridLayout(box);
    layout->addWidget(box);
  }
  for (size_t i = 0; i < edits_.size(); ++i) {
    QGridLayout *grid = grids[static_cast<size_t>(kGroupOf[i])];
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(DialogText(language, labels[i].french, labels[i].english)), row, 0);
    edits_[i] = new QLineEdit;
    edits_[i]->setValidator(new QIntValidator(-9999, 9999, edits_[i]));
    edits_[i]->setMaximumWidth(70);
    grid->addWidget(edits_[i], row, 1);
    connect(edits_[i], &QLineEdit::textEdited, this, [this, i](const QString &text) {
      bool ok = false;
      if (const int value = text.toInt(&ok); ok)
        page_.SetValue(static_cast<int>(i), value);
    });
  }
  auto *note = new QLabel(
      DialogText(language, "Nota: Décocher \"Grille Automatique\" (Grille) pour modifier la Géometrie",
                 "Nota: Unselect \"Automatic Grid\" (Grid) for Geometry update"),
      this);
  note->setWordWrap(true);
  layout->addWidget(note);
  layout->addStretch();
}

void CPrefPage4::Refresh() {
  for (size_t i = 0; i < edits_.size(); ++i)
    if (edits_[i]->text().toInt() != page_.Values[i] || edits_[i]->text().isEmpty())
      edits_[i]->setText(QString::number(page_.Values[i]));
  UpdateControls();
}

// With automatic sizing only the two borders can be edited.
void CPrefPage4::UpdateControls() {
  const bool automatic = host_.Settings().general.autoSize == 1;
  for (size_t i = 0; i < kSizedGeometryValues; ++i)
    edits_[i]->setEnabled(!automatic);
}
