#include "app/qt/language_dialog.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>

using quorbel::Language;

namespace {
// A title bar's icon and its minimise, maximise and close buttons, with some room to spare.
constexpr int kTitleBarButtonsWidth = 140;
} // namespace

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
  // The window manager draws the title beside its own buttons, often in bold: leave it room for
  // both, or the title is cut short.
  QFont bold = font();
  bold.setBold(true);
  setMinimumWidth(QFontMetrics(bold).horizontalAdvance(windowTitle()) + kTitleBarButtonsWidth);
}

void CLanguage::Choose(Language language) {
  choice_ = language;
  accept();
}
