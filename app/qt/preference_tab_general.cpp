// The General tab: start-up and loading options, unique generation and its attempts, standard
// folders, the log, the print size and the two time limits.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <cmath>

#include "app/qt/dialog_text.h"
#include "app/qt/preference_tabs.h"
#include "app/timeout_table.h"

using namespace quorbel;

namespace {

// The locale's own number reading would take "1,5" for 15: the edits read plain numbers.
bool ReadFloat(const QString &text, float &value) {
  bool ok = false;
  value = QString(text).replace(',', '.').toFloat(&ok);
  return ok && std::isfinite(value); // "nan" and "inf" are no sizes
}

} // namespace

CPrefPage1::CPrefPage1(DialogHost &host, GeneralPage &page, Language language, QWidget *parent)
    : PreferenceTab(host, parent), page_(page) {
  const bool french = language != Language::English;
  auto *grid = new QGridLayout(this);
  struct Box {
    std::string_view french, english;
    void (GeneralPage::*set)(bool);
  };
  const std::array<Box, 7> boxes = {{
      {"Au démarrage Quorbel, Chargement dernière Grille sauvegardée",
       "Open the last Saved Grid at Program Start-Up", &GeneralPage::SetLastOpen},
      {"Au Chargement de la Grille, mettre à jour la position des fenêtres",
       "Modify Windows Position when Grid Loading", &GeneralPage::SetPosLoad},
      {"Generation Grille avec Solution Unique. Max Iterations (5):",
       "Grid Generation with Unique Solution. Max iterations:", &GeneralPage::SetUniqSolution},
      {"Demande si Sauvegarde Grille lors d'une Reinitialisation",
       "Ask if Grid should be Saved when Grid reinit", &GeneralPage::SetAskToBeSaved},
      {"Au Chargement de la Grille, Modifier les Préférences", "Modify Quorbel Preferences when Grid Loading",
       &GeneralPage::SetPrefLoad},
      {"Répertoires Standards", "Standard Directories", &GeneralPage::SetStandardDirectories},
      {"Ficher Compte rendu", "Use Log File", &GeneralPage::SetLog},
  }};
  for (size_t i = 0; i < boxes.size(); ++i) {
    boxes_[i] = new QCheckBox(DialogText(language, boxes[i].french, boxes[i].english), this);
    connect(boxes_[i], &QCheckBox::clicked, this, [this, set = boxes[i].set](bool on) {
      (page_.*set)(on);
      Refresh();
    });
  }
  int row = 0;
  for (size_t i : {0, 1, 3, 4})
    grid->addWidget(boxes_[i], row++, 0, 1, 3);
  attempts_ = new QLineEdit(this);
  attempts_->setValidator(new QIntValidator(1, 100, attempts_));
  attempts_->setMaximumWidth(60);
  grid->addWidget(boxes_[2], row, 0, 1, 2);
  grid->addWidget(attempts_, row++, 2);
  connect(attempts_, &QLineEdit::textEdited, this, [this](const QString &text) {
    bool ok = false;
    if (const int value = text.toInt(&ok); ok)
      page_.SetMaxIterGener(value);
  });

  auto *folders = new QHBoxLayout;
  folders->addWidget(boxes_[5]);
  folders->addStretch();
  folders->addWidget(boxes_[6]);
  auto *clear = new QPushButton(DialogText(language, "Efface", "Clear"), this);
  auto *open = new QPushButton(DialogText(language, "Ouvre", "Open"), this);
  connect(clear, &QPushButton::clicked, this, [this] { page_.ClearLog(); });
  connect(open, &QPushButton::clicked, this, [this] { page_.OpenLog(); });
  folders->addWidget(clear);
  folders->addWidget(open);
  grid->addLayout(folders, row++, 0, 1, 3);

  grid->addWidget(new QLabel(DialogText(language, "Taille Impression:", "Print Size:"), this), row, 0);
  printSize_ = new QLineEdit(this);
  printSize_->setMaximumWidth(60);
  grid->addWidget(printSize_, row++, 1);
  connect(printSize_, &QLineEdit::textEdited, this, [this](const QString &text) {
    if (float value = 0; ReadFloat(text, value))
      page_.SetPrintSize(value);
  });

  generation_ = new QComboBox(this);
  search_ = new QComboBox(this);
  for (int i = 0; i < kTimeoutEntries; ++i) {
    generation_->addItem(QString::fromStdString(TimeoutText(i, french, TimeoutList::Generation)));
    search_->addItem(QString::fromStdString(TimeoutText(i, french, TimeoutList::Search)));
  }
  grid->addWidget(
      new QLabel(DialogText(language, "Réglage Durée Max Generation:", "TimeOver Adjustement. Generation:"),
                 this),
      row, 0);
  grid->addWidget(generation_, row++, 1);
  grid->addWidget(new QLabel(DialogText(language, "Recherche:", "Search:"), this), row, 0);
  grid->addWidget(search_, row++, 1);
  connect(generation_, &QComboBox::activated, this,
          [this](int index) { page_.SetGenerationTimeIndex(index); });
  connect(search_, &QComboBox::activated, this, [this](int index) { page_.SetSearchTimeIndex(index); });
  grid->setRowStretch(row, 1);
}

void CPrefPage1::Refresh() {
  const GeneralPageValues &v = page_.Values;
  const std::array<bool, 7> ticked = {
      v.LastOpen, v.PosLoad, v.UniqSolution, v.AskToBeSaved, v.PrefLoad, v.StandardDirectories, v.Log};
  for (size_t i = 0; i < boxes_.size(); ++i)
    boxes_[i]->setChecked(ticked[i]);
  // An edit being typed in keeps its text: only a value it does not show is written back.
  if (attempts_->text().toInt() != v.MaxIterGener || attempts_->text().isEmpty())
    attempts_->setText(QString::number(v.MaxIterGener));
  if (float shown = 0; !ReadFloat(printSize_->text(), shown) || shown != v.PrintSize)
    printSize_->setText(QString::number(v.PrintSize));
  const QSignalBlocker a(generation_), b(search_);
  generation_->setCurrentIndex(v.GenerationTimeIndex);
  search_->setCurrentIndex(v.SearchTimeIndex);
  UpdateControls();
}

void CPrefPage1::UpdateControls() { attempts_->setEnabled(page_.Values.UniqSolution); }
