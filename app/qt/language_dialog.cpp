#include "app/qt/language_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>

using quorbel::Language;

CLanguage::CLanguage(QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("CLanguage"));
  setWindowTitle(QStringLiteral("Language Quorbel"));
  auto *french = new QPushButton(QStringLiteral("Français"), this);
  french->setObjectName(QStringLiteral("french"));
  auto *english = new QPushButton(QStringLiteral("English"), this);
  english->setObjectName(QStringLiteral("english"));
  connect(french, &QPushButton::clicked, this, [this] { Choose(Language::French); });
  connect(english, &QPushButton::clicked, this, [this] { Choose(Language::English); });
  auto *layout = new QHBoxLayout(this);
  layout->addWidget(french);
  layout->addWidget(english);
}

void CLanguage::Choose(Language language) {
  choice_ = language;
  accept();
}
