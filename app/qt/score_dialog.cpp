#include "app/qt/score_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

#include "app/qt/dialog_host.h"

namespace {

QLabel *Text(const std::string &text, QWidget *parent) {
  auto *label = new QLabel(QString::fromStdString(text), parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

} // namespace

CDialogScore::CDialogScore(const quorbel::BestScoreTexts &texts, QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("CDialogScore"));
  setWindowTitle(QStringLiteral("Score"));
  auto *layout = new QGridLayout(this);
  QLabel *title = Text(texts.Title, this);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  layout->addWidget(title, 0, 0, 1, quorbel::kBestScoreLevels + 1, Qt::AlignHCenter);
  layout->addWidget(Text(texts.RowCaptions, this), 2, 0);
  for (int level = 0; level < quorbel::kBestScoreLevels; ++level) {
    QLabel *name = Text(texts.LevelNames[static_cast<size_t>(level)], this);
    name->setFont(bold);
    layout->addWidget(name, 1, level + 1);
    QLabel *block = Text(texts.Blocks[static_cast<size_t>(level)], this);
    block->setObjectName(QStringLiteral("level%1").arg(level + 1));
    blocks_[static_cast<size_t>(level)] = block;
    layout->addWidget(block, 2, level + 1);
  }
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons, 3, 0, 1, quorbel::kBestScoreLevels + 1);
}

QString CDialogScore::LevelBlock(int level) const {
  if (level < 1 || level > quorbel::kBestScoreLevels)
    return {};
  return blocks_[static_cast<size_t>(level - 1)]->text();
}

void OnBestScore(DialogHost &app, quorbel::AbstractProfileStore *profile) {
  if (!profile)
    return;
  CDialogScore dialog(quorbel::BestScoreDialogTexts(*profile, app.CurrentLanguage()), app.DialogParent());
  app.Dialogs().Exec(dialog);
}
