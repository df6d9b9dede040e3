// The variant options, challenge and scan tabs: a few switches each.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/qt/dialog_text.h"
#include "app/qt/preference_tabs.h"

using namespace quorbel;

CPrefPage7::CPrefPage7(DialogHost &host, VariantOptionsPage &page, Language language, QWidget *parent)
    : PreferenceTab(host, parent), page_(page) {
  auto *layout = new QVBoxLayout(this);
  auto *group = new QGroupBox(
      DialogText(language, "Choisir Options pour Variante", "Select Options for Varient"), this);
  auto *groupLayout = new QVBoxLayout(group);
  struct Text {
    std::string_view french, english;
  };
  const std::array<Text, 3> boxes = {{
      {"Rotation des pièces du Puzzle", "Puzzle rotation"},
      {"Puzzle et Bataille Navale : chaque pièce de plus de 2 cases n'a qu'une solution",
       "Puzzle and Naval Fight: each piece with more than 2 cells has only one solution"},
      {"Bataille Navale : Ajoute automatiquement \"Pas de bateau\"",
       "Naval Fight: Add automaticly \"No boats\""},
  }};
  for (size_t i = 0; i < boxes.size(); ++i) {
    boxes_[i] = new QCheckBox(DialogText(language, boxes[i].french, boxes[i].english), group);
    groupLayout->addWidget(boxes_[i]);
    connect(boxes_[i], &QCheckBox::clicked, this,
            [this, i](bool on) { page_.SetOption(static_cast<VariantOption>(i), on); });
  }
  layout->addWidget(group);
  layout->addStretch();
}

void CPrefPage7::Refresh() {
  for (size_t i = 0; i < boxes_.size(); ++i)
    boxes_[i]->setChecked(page_.Values[i]);
}

CPrefPage11::CPrefPage11(DialogHost &host, ChallengePage &page, Language language, QWidget *parent)
    : PreferenceTab(host, parent), page_(page) {
  auto *layout = new QGridLayout(this);
  inhibit_ = new QCheckBox(DialogText(language, "Inhibe Défi", "Inhibit Defi"), this);
  port_ = new QLineEdit(this);
  port_->setValidator(new QIntValidator(0, 65535, port_));
  port_->setMaximumWidth(80);
  // Checking the connection and the random first player belong to the challenge itself.
  auto *check = new QPushButton(DialogText(language, "Vérifie Connexion", "Check Connection"), this);
  check->setEnabled(false);
  layout->addWidget(inhibit_, 0, 0, 1, 2);
  layout->addWidget(new QLabel(DialogText(language, "Port TCP:", "TCP Port:"), this), 1, 0);
  layout->addWidget(port_, 1, 1);
  layout->addWidget(check, 2, 0);
  layout->setRowStretch(3, 1);
  layout->setColumnStretch(2, 1);
  connect(inhibit_, &QCheckBox::clicked, this, [this](bool on) { page_.Inhibit = on; });
  connect(port_, &QLineEdit::textEdited, this, [this](const QString &text) { page_.Port = text.toInt(); });
}

void CPrefPage11::Refresh() {
  inhibit_->setChecked(page_.Inhibit);
  port_->setText(QString::number(page_.Port));
}

CPrefPage12::CPrefPage12(DialogHost &host, ScanPage &page, Language language, QWidget *parent)
    : PreferenceTab(host, parent), page_(page) {
  auto *layout = new QVBoxLayout(this);
  auto *group =
      new QGroupBox(DialogText(language, "Reconnaissance Variantes", "Varients Identification"), this);
  auto *groupLayout = new QVBoxLayout(group);
  struct Text {
    std::string_view french, english;
  };
  const std::array<Text, 4> modes = {{{"Automatique", "Automatically"},
                                      {"Grille Normale", "Normal Grid"},
                                      {"Irregulier", "Irregular"},
                                      {"Killer", "Killer"}}};
  auto *buttons = new QButtonGroup(this);
  for (int mode = 0; mode < 4; ++mode) {
    const auto at = static_cast<size_t>(mode);
    modes_[at] = new QRadioButton(DialogText(language, modes[at].french, modes[at].english), group);
    buttons->addButton(modes_[at], mode);
    groupLayout->addWidget(modes_[at]);
  }
  connect(buttons, &QButtonGroup::idClicked, this, [this](int mode) { page_.SetMode(mode); });
  layout->addWidget(group);
  layout->addStretch();
}

void CPrefPage12::Refresh() { modes_[static_cast<size_t>(std::clamp(page_.Mode, 0, 3))]->setChecked(true); }
