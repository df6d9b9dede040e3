// CBravo, the end-of-game dialog: the report of the game, the mark, a praise or a taunt with
// its animated picture, and the ways on: a new grid, a new game, the same grid again, or none.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <string>

#include "app/cell_animation.h"
#include "app/picture_library.h"
#include "platform/language.h"

class QLabel;
class QPushButton;

// The 136 x 100 animation box: a picture set of the library played in a loop.
class CBravoPicture final : public QWidget {
  Q_OBJECT
public:
  static constexpr int kWidth = 136;
  static constexpr int kHeight = 100;

  CBravoPicture(quorbel::PictureLibrary &pictures, QWidget *parent = nullptr);
  // Reads every frame of the file into the library's set `set` (the praise's or the taunt's)
  // and plays it; a file that is missing or unreadable leaves no frame.
  void Load(const QString &path, int set);
  int FrameCount() const;
  int CurrentFrame() const { return anim_.Frame; }
  // Moves the animation on by `ms` milliseconds.
  void Advance(int ms);

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  quorbel::PictureLibrary &pictures_;
  quorbel::CAnimGif anim_;
};

class CBravo final : public QDialog {
  Q_OBJECT
public:
  // What the dialog ended with, besides Rejected (Cancel).
  enum Choice { kNewGrid = 2, kNewGame = 3, kRedoGrid = 4 };

  // `startDirectory` holds the background picture "Kids.jpg"; the Quick game left unfinished
  // offers no new grid.
  CBravo(quorbel::Language language, const std::string &startDirectory, bool hideNewGrid,
         quorbel::PictureLibrary &pictures, QWidget *parent = nullptr);

  // The report (with the web challenge's reply, shown as plain text), the mark and the remark.
  void SetTexts(const std::string &report, const std::string &outsideReply, const std::string &score,
                const std::string &praise);
  // The praise's picture, or the taunt's.
  void SetPicture(const std::string &path, bool praise);

  QString Report() const;
  QString Score() const;
  QString Praise() const;
  const CBravoPicture &Picture() const { return *picture_; }

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  static constexpr int kTimerMs = 100;

  QLabel *report_;
  QLabel *score_;
  QLabel *praise_;
  CBravoPicture *picture_;
  QImage background_;
  QTimer timer_;
  QElapsedTimer lastTick_;
};
