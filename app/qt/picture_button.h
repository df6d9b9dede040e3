// CPictureButton: a button that is only its pictures, one for up, one held down and one with
// the focus, as the start screen's game buttons are.
#pragma once

#include <QAbstractButton>
#include <QPixmap>

struct ButtonPictures {
  QPixmap Up;
  QPixmap Down;
  QPixmap Focus;
};

class CPictureButton final : public QAbstractButton {
  Q_OBJECT
public:
  CPictureButton(ButtonPictures pictures, QWidget *parent);
  QSize sizeHint() const override;

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  ButtonPictures pictures_;
};
