// CInitGrid, the start screen: ten picture buttons, one per way into a game, over a picture, and
// the description of the button that has the focus. A click (or Enter on the focused area)
// closes it with the chosen area, which the caller starts; Help opens the help page.
#pragma once

#include <QDialog>
#include <array>

#include "platform/language.h"

class CPictureButton;
class DialogHost;
class QLabel;
class QPushButton;

class CInitGrid final : public QDialog {
  Q_OBJECT
public:
  CInitGrid(DialogHost &app, quorbel::Language language, QWidget *parent);

  // The area whose description shows and which Enter starts; 0 before any has the focus.
  int SelectedArea() const { return selectedArea_; }
  QString AreaText() const;
  // The area the player chose, once the screen closed with OK; 0 when Enter closed it on none.
  int ChosenArea() const { return chosen_; }
  // The button of an area (Catalog .. Défi); none for Help or an unknown area.
  CPictureButton *Button(int area) const;
  QPushButton *HelpButton() const { return help_; }

  // Enter: starts the selected area (the challenge only when it is allowed), opens help on
  // Help, and only closes on none.
  void OnOK();

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void paintEvent(QPaintEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void ShowAreaText(int area);
  void Choose(int area);

  DialogHost &app_;
  quorbel::Language language_;
  int selectedArea_ = 0;
  int chosen_ = 0;
  std::array<CPictureButton *, 10> buttons_{};
  QPushButton *help_ = nullptr;
  QLabel *areaText_ = nullptr;
};
