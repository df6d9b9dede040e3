#include "app/qt/about_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(quorbel::Language language, bool expert, QWidget *parent) : QDialog(parent) {
  const bool english = quorbel::IsEnglish(language);
  setObjectName(QStringLiteral("CAboutDlg"));
  setWindowTitle(english ? QStringLiteral("About Quorbel") : QStringLiteral("A propos de Quorbel"));

  auto *name = new QLabel(QStringLiteral("Quorbel version 5.0"), this);
  QFont big = name->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  name->setFont(big);
  auto *line = new QLabel(english ? QStringLiteral("Sudoku game and puzzle workbench")
                                  : QStringLiteral("Jeu de Sudoku et atelier de grilles"),
                          this);
  // Shown greyed unless expert mode is on.
  auto *debug = new QLabel(
      english ? QStringLiteral("Debug Mode Activated") : QStringLiteral("Mode Debug Activé"), this);
  debug->setObjectName(QStringLiteral("debugMode"));
  debug->setEnabled(expert);
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto *layout = new QVBoxLayout(this);
  layout->addWidget(name);
  layout->addWidget(line);
  layout->addWidget(debug);
  layout->addWidget(buttons);
}
