#include "app/qt/expert_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/qt/dialog_text.h"
#include <algorithm>

using quorbel::ExpertSettings;

namespace {

struct EditField {
  int id;
  int32_t ExpertSettings::*member;
};

// In the order of edits_.
constexpr auto kEdits = std::to_array<EditField>({
    {1197, &ExpertSettings::timeOutStart},
    {1198, &ExpertSettings::timeOutStop},
    {1199, &ExpertSettings::timeOutStep},
    {1205, &ExpertSettings::regularStart},
    {1206, &ExpertSettings::regularStop},
    {1196, &ExpertSettings::iterations},
    {1207, &ExpertSettings::selCellStart},
    {1208, &ExpertSettings::selCellStop},
    {1214, &ExpertSettings::selCellStep},
    {1215, &ExpertSettings::blankStart},
    {1216, &ExpertSettings::blankStop},
    {1213, &ExpertSettings::blankStep},
    {1509, &ExpertSettings::variantStart},
    {1510, &ExpertSettings::variantStop},
    {1501, &ExpertSettings::variantStep},
});

} // namespace

CDialogExpert::CDialogExpert(const ExpertSettings &area, quorbel::Language language, QWidget *parent)
    : QDialog(parent), area_(area) {
  const bool french = language != quorbel::Language::English;
  setObjectName(QStringLiteral("CDialogExpert"));
  setWindowTitle(french ? QStringLiteral("Expert Zone") : QStringLiteral("Expert Area"));
  const QString from = french ? QStringLiteral(" : De") : QStringLiteral(" : From");
  const QString to = french ? QStringLiteral("à") : QStringLiteral("To");
  const QString step = french ? QStringLiteral("pas") : QStringLiteral("Step");

  for (size_t i = 0; i < kEdits.size(); ++i)
    edits_[i] = Edit(kEdits[i].id, area_.*kEdits[i].member);
  const QStringList sizes = {QStringLiteral("1-4x4"), QStringLiteral("2-6x6"),   QStringLiteral("3-8x8"),
                             QStringLiteral("4-9x9"), QStringLiteral("5-12x12"), QStringLiteral("6-16x16")};
  firstSize_ = Combo(1193, sizes, area_.sizeStart);
  lastSize_ = Combo(1031, sizes, area_.sizeStop);
  seededType_ =
      Combo(1211, {QStringLiteral("1-Absolu"), QStringLiteral("2-Percent"), QStringLiteral("3-Standard")},
            area_.selCellType);
  blankType_ = Combo(1217, {QStringLiteral("1-AlgMin"), QStringLiteral("2-AlgMax")}, area_.blankType);
  display_ = Check(1200, french ? QStringLiteral("Affiche Grilles") : QStringLiteral("Display Grids"),
                   area_.isDisplay);
  normal_ = Check(1194, QStringLiteral("Normal (124)"), area_.isNormal);
  diagonal_ = Check(1195, QStringLiteral("Diagonal (12)"), area_.isDiagonal);
  // One of the two stays checked.
  connect(normal_, &QCheckBox::clicked, this, [this] {
    if (!normal_->isChecked() && !diagonal_->isChecked())
      diagonal_->setChecked(true);
  });
  connect(diagonal_, &QCheckBox::clicked, this, [this] {
    if (!normal_->isChecked() && !diagonal_->isChecked())
      normal_->setChecked(true);
  });

  auto *grid = new QGridLayout;
  int row = 0;
  const auto addRange = [&](const QString &label, std::initializer_list<QWidget *> widgets) {
    grid->addWidget(new QLabel(label, this), row, 0);
    int column = 1;
    int index = 0;
    for (QWidget *widget : widgets) {
      if (index == 1 || index == 2) {
        grid->addWidget(new QLabel(index == 1 ? to : step, this), row, column++);
      }
      grid->addWidget(widget, row, column++);
      ++index;
    }
    ++row;
  };
  addRange((french ? QStringLiteral("Taille Grille") : QStringLiteral("Grid Size")) + from,
           {firstSize_, lastSize_});
  grid->addWidget(
      new QLabel(french ? QStringLiteral("Nombre d'Itérations:") : QStringLiteral("Number of Iterations:"),
                 this),
      row, 0);
  grid->addWidget(edits_[5], row, 1);
  grid->addWidget(display_, row, 3, 1, 2);
  ++row;
  addRange(QStringLiteral("Timeover") + from, {edits_[0], edits_[1], edits_[2]});
  addRange((french ? QStringLiteral("4-Irrégulier") : QStringLiteral("4-Irregular")) + from,
           {edits_[3], edits_[4]});
  addRange(QStringLiteral("128S-NSelCells") + from, {edits_[6], edits_[7], edits_[8]});
  grid->addWidget(seededType_, row - 1, 6);
  addRange(QStringLiteral("28-NBlanks") + from, {edits_[9], edits_[10], edits_[11]});
  grid->addWidget(blankType_, row - 1, 6);
  addRange(QStringLiteral("8S-Varient") + from, {edits_[12], edits_[13], edits_[14]});

  auto *checks = new QHBoxLayout;
  checks->addWidget(normal_);
  checks->addWidget(diagonal_);
  checks->addStretch();

  struct TestButton {
    int id;
    const char *english;
    const char *french;
    ExpertTest test;
  };
  static constexpr auto kButtons = std::to_array<TestButton>({
      {1202, "1- Check Generate Reference", "1-Test Générer Référence", ExpertTest::T1},
      {1427, "2- Check Generate Grid", "2-Test Générer Grille", ExpertTest::T2},
      {1203, "4- Check Generate Irregular", "4-Test Générer Irrégulier", ExpertTest::T4},
      {1504, "8-Check Test Varient", "8-Test check Varient", ExpertTest::T8},
      {1505, "16-Check Generate Variant", "16-Test Générer Varient", ExpertTest::T16},
  });
  auto *buttons = new QVBoxLayout;
  for (const TestButton &b : kButtons) {
    auto *button = new QPushButton(QString::fromUtf8(french ? b.french : b.english), this);
    button->setObjectName(ControlName(b.id));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, test = b.test] { Take(test); });
    buttons->addWidget(button);
  }
  auto *cancel = new QPushButton(french ? QStringLiteral("Annule") : QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("cancel"));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addStretch();
  buttons->addWidget(cancel);

  auto *form = new QVBoxLayout;
  form->addLayout(grid);
  form->addLayout(checks);
  auto *layout = new QHBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
}

QSpinBox *CDialogExpert::Edit(int id, int value) {
  auto *edit = new QSpinBox(this);
  edit->setObjectName(ControlName(id));
  edit->setRange(-1000000, 100000000);
  edit->setValue(value);
  return edit;
}

QCheckBox *CDialogExpert::Check(int id, const QString &text, int value) {
  auto *box = new QCheckBox(text, this);
  box->setObjectName(ControlName(id));
  box->setChecked(value != 0);
  return box;
}

QComboBox *CDialogExpert::Combo(int id, const QStringList &items, int index) {
  auto *combo = new QComboBox(this);
  combo->setObjectName(ControlName(id));
  combo->addItems(items);
  combo->setCurrentIndex(std::clamp(index, 0, static_cast<int>(items.size()) - 1));
  return combo;
}

void CDialogExpert::Take(ExpertTest test) {
  for (size_t i = 0; i < kEdits.size(); ++i)
    area_.*kEdits[i].member = edits_[i]->value();
  area_.isDisplay = display_->isChecked() ? 1 : 0;
  area_.isNormal = normal_->isChecked() ? 1 : 0;
  area_.isDiagonal = diagonal_->isChecked() ? 1 : 0;
  area_.sizeStart = firstSize_->currentIndex();
  area_.sizeStop = lastSize_->currentIndex();
  area_.selCellType = seededType_->currentIndex();
  if (test != ExpertTest::T1)
    area_.blankType = blankType_->currentIndex();
  chosen_ = test;
  accept();
}
