#include "app/qt/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace {

constexpr int kEmblemSide = 96;
constexpr int kArtistHeight = 96;
constexpr int kEmblemCells = 4;
// A solved 4 x 4 grid, row by row; the emblem shows it.
constexpr std::array<char, kEmblemCells *kEmblemCells> kEmblemValues = {
    '1', '2', '3', '4', '3', '4', '1', '2', '2', '1', '4', '3', '4', '3', '2', '1'};

} // namespace

QImage QuorbelEmblem(int side) {
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(QColor(255, 250, 235));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const double cell = static_cast<double>(side) / kEmblemCells;
  QFont font = painter.font();
  font.setPixelSize(static_cast<int>(cell * 0.6));
  font.setBold(true);
  painter.setFont(font);
  for (int row = 0; row < kEmblemCells; ++row)
    for (int col = 0; col < kEmblemCells; ++col) {
      const QRectF box(col * cell, row * cell, cell, cell);
      if (row == col)
        painter.fillRect(box, QColor(255, 215, 120));
      painter.setPen(row == col ? QColor(150, 30, 30) : QColor(30, 60, 140));
      painter.drawText(box, Qt::AlignCenter,
                       QString(QChar(kEmblemValues[static_cast<size_t>(row * kEmblemCells + col)])));
    }
  for (int k = 0; k <= kEmblemCells; ++k) {
    const bool block = k % 2 == 0;
    painter.setPen(QPen(QColor(40, 40, 40), block ? 3.0 : 1.0));
    const double at = std::min(k * cell, side - 1.5);
    painter.drawLine(QPointF(at, 0), QPointF(at, side));
    painter.drawLine(QPointF(0, at), QPointF(side, at));
  }
  return image;
}

CAboutDlg::CAboutDlg(quorbel::Language language, bool expert, const QImage &artist,
                     std::function<void()> openHelp, QWidget *parent)
    : QDialog(parent) {
  const bool english = quorbel::IsEnglish(language);
  setObjectName(QStringLiteral("CAboutDlg"));
  setWindowTitle(english ? QStringLiteral("About Quorbel") : QStringLiteral("A propos de Quorbel"));

  auto *emblem = new QLabel(this);
  emblem->setObjectName(QStringLiteral("emblem"));
  emblem->setPixmap(QPixmap::fromImage(QuorbelEmblem(kEmblemSide)));
  auto *picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("artist"));
  if (!artist.isNull())
    picture->setPixmap(QPixmap::fromImage(artist.scaledToHeight(kArtistHeight, Qt::SmoothTransformation)));

  auto *name = new QLabel(QStringLiteral("Quorbel version 5.0"), this);
  name->setObjectName(QStringLiteral("productName"));
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
  auto *help =
      new QLabel(QStringLiteral("<a href=\"help\">%1</a>")
                     .arg(english ? QStringLiteral("Help on Quorbel") : QStringLiteral("Aide sur Quorbel")),
                 this);
  help->setObjectName(QStringLiteral("helpLink"));
  help->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  connect(help, &QLabel::linkActivated, this, [openHelp = std::move(openHelp)] {
    if (openHelp)
      openHelp();
  });
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto *pictures = new QHBoxLayout;
  pictures->addWidget(emblem);
  pictures->addStretch();
  pictures->addWidget(picture);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(pictures);
  layout->addWidget(name);
  layout->addWidget(line);
  layout->addWidget(debug);
  layout->addWidget(help);
  layout->addWidget(buttons);
}
