// The grid property tab (its name, rules, level and comment) and the folders tab (seven folders,
// each chosen through a file in it, applied at OK).
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/qt/dialog_text.h"
#include "app/qt/preference_tabs.h"
#include "app/qt/quorbel_app.h"
#include "app/variant_selection.h"
#include "engine/grid_set.h"
#include "files/quorbel_doc.h"

using namespace quorbel;

CPrefPage9::CPrefPage9(CQuorbelApp &app, Language language, QWidget *parent)
    : PreferenceTab(app, parent), app_(app), language_(language) {
  auto *layout = new QVBoxLayout(this);
  auto *group = new QGroupBox(DialogText(language, "Propriété Grille", "Grid Property"), this);
  auto *groupLayout = new QVBoxLayout(group);
  name_ = new QLabel(group);
  variants_ = new QLabel(group);
  level_ = new QLabel(group);
  for (QLabel *label : {name_, variants_, level_}) {
    label->setWordWrap(true);
    groupLayout->addWidget(label);
  }
  comment_ = new QTextEdit(group);
  groupLayout->addWidget(comment_);
  layout->addWidget(group);
}

void CPrefPage9::Refresh() {
  const bool french = language_ != Language::English;
  const CQuorbelDoc *document = app_.GetCurrentDocument();
  const std::string path = document ? document->PathName() : std::string();
  name_->setText(QString::fromStdString((french ? "Nom: " : "Name: ") + path));
  const GridSet &set = app_.Engine().Grids;
  variants_->setText(QString::fromStdString(
      VariantNamesText(set.Main[static_cast<size_t>(CurrentGridSlot(set))].GridVar, language_)));
  level_->setText(QString::fromStdString(DifficultyText(app_.Game().GameLevel, french)));
  comment_->setPlainText(QString::fromStdString(app_.Engine().GridComments[french ? 0 : 1]));
}

void CPrefPage9::TakeComment() {
  const bool french = language_ != Language::English;
  app_.Engine().GridComments[french ? 0 : 1] = comment_->toPlainText().toStdString();
}

CPrefPage10::CPrefPage10(DialogHost &host, DirectoryPage &page, Language language, QWidget *parent)
    : PreferenceTab(host, parent), page_(page) {
  auto *layout = new QGridLayout(this);
  struct Text {
    std::string_view french, english;
  };
  const std::array<Text, kFolderCount> labels = {{{"Images Animées:", "Animated Images:"},
                                                  {"Images de fond:", "Background:"},
                                                  {"Mes Grilles:", "My Grids:"},
                                                  {"Grilles Texte:", "Text Grids:"},
                                                  {"Profils Magiques:", "Magic Profils:"},
                                                  {"Macro:", "Macro:"},
                                                  {"Musique:", "Music:"}}};
  for (int i = 0; i < kFolderCount; ++i) {
    const auto at = static_cast<size_t>(i);
    layout->addWidget(new QLabel(DialogText(language, labels[at].french, labels[at].english), this), i, 0);
    edits_[at] = new QLineEdit(this);
    edits_[at]->setReadOnly(true);
    layout->addWidget(edits_[at], i, 1);
    auto *browse = new QPushButton(QStringLiteral("%"), this);
    browse->setMaximumWidth(30);
    layout->addWidget(browse, i, 2);
    connect(browse, &QPushButton::clicked, this, [this, i] {
      page_.Browse(i);
      Refresh();
    });
  }
  auto *note =
      new QLabel(DialogText(language, "Clicker sur % et sélectionner un fichier dans le répertoire choisi.",
                            "Click on % and select a file in the choosen directory."),
                 this);
  note->setWordWrap(true);
  layout->addWidget(note, kFolderCount, 0, 1, 3);
  auto *defaults = new QPushButton(DialogText(language, "Défaut", "Default"), this);
  connect(defaults, &QPushButton::clicked, this, [this] {
    page_.SetDefaults();
    Refresh();
  });
  layout->addWidget(defaults, kFolderCount + 1, 0);
  layout->setRowStretch(kFolderCount + 2, 1);
}

void CPrefPage10::Refresh() {
  for (size_t i = 0; i < edits_.size(); ++i)
    edits_[i]->setText(QString::fromStdString(page_.Folders[i]));
}
