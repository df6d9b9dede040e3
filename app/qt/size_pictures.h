// The six size pictures of the new-grid dialogs (4 x 4 to 16 x 16), drawn here as small grids with
// their blocks, each a checkable button under its size.
#pragma once

#include <QPixmap>
#include <QString>
#include <array>

class QGroupBox;
class QObject;
class QToolButton;
class QWidget;

inline constexpr std::array<int, 6> kSizePictureShapes = {0, 2, 4, 5, 7, 8};

struct SizePictures {
  QGroupBox *Box = nullptr;
  std::array<QToolButton *, 6> Buttons{};

  // The button of a shape's picture, none for another shape.
  QToolButton *Of(int shape) const;
};

// The group box of the six buttons; `doubleClicks` watches them for double clicks.
SizePictures MakeSizePictures(QWidget *parent, const QString &title, QObject *doubleClicks);
QPixmap GridPicture(int shape);
