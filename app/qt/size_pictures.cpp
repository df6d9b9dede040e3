#include "app/qt/size_pictures.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QPainter>
#include <QToolButton>

#include "engine/geometry.h"

namespace {

constexpr int kIconSide = 48;
constexpr int kPerRow = 3;

} // namespace

QToolButton *SizePictures::Of(int shape) const {
  for (size_t i = 0; i < kSizePictureShapes.size(); ++i)
    if (kSizePictureShapes[i] == shape)
      return Buttons[i];
  return nullptr;
}

QPixmap GridPicture(int shape) {
  const quorbel::GridShape &s = quorbel::kGridShapes[static_cast<size_t>(shape)];
  QPixmap picture(kIconSide, kIconSide);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  const double cell = (kIconSide - 2.0) / s.Size;
  for (int k = 0; k <= s.Size; ++k) {
    const double at = 1 + k * cell;
    painter.setPen(QPen(Qt::black, k % s.BlockCols == 0 ? 2 : 1));
    painter.drawLine(QPointF(at, 1), QPointF(at, kIconSide - 1));
    painter.setPen(QPen(Qt::black, k % s.BlockRows == 0 ? 2 : 1));
    painter.drawLine(QPointF(1, at), QPointF(kIconSide - 1, at));
  }
  return picture;
}

SizePictures MakeSizePictures(QWidget *parent, const QString &title, QObject *doubleClicks) {
  SizePictures pictures;
  pictures.Box = new QGroupBox(title, parent);
  auto *layout = new QGridLayout(pictures.Box);
  auto *group = new QButtonGroup(pictures.Box);
  for (size_t i = 0; i < kSizePictureShapes.size(); ++i) {
    const int shape = kSizePictureShapes[i];
    const int side = quorbel::kGridShapes[static_cast<size_t>(shape)].Size;
    auto *button = new QToolButton(pictures.Box);
    button->setCheckable(true);
    button->setIcon(GridPicture(shape));
    button->setIconSize(QSize(kIconSide, kIconSide));
    button->setText(QStringLiteral("%1 × %1").arg(side));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->installEventFilter(doubleClicks);
    group->addButton(button);
    layout->addWidget(button, static_cast<int>(i / kPerRow), static_cast<int>(i % kPerRow));
    pictures.Buttons[i] = button;
  }
  return pictures;
}
