// CBravo, the end-of-game dialog: the report of the game, the mark, a praise or a taunt with
// its animated picture, and the ways on: a new grid, a new game, the same grid again, or none.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <string>
#include <vector>

#include "platform/language.h"

class QLabel;
class QPushButton;

// The 136 x 100 animation box: the frames of a picture file played in a loop.
class CBravoPicture final : public QWidget {
  Q_OBJECT
public:
  static constexpr int kWidth = 136;
  static constexpr int kHeight = 100;

  explicit CBravoPicture(QWidget *parent = nullptr);
  // Reads every frame of the file; a file that is missing or unreadable leaves no frame.
  void Load(const QString &path);
  int FrameCount() const { return static_cast<int>(frames_.size()); }
  int CurrentFrame() const { return current_; }
  // Moves the animation on by `ms` milliseconds.
  void Advance(int ms);

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  struct Frame {
    QImage image;
    int delayMs;
  };
  std::vector<Frame> frames_;
  int current_ = 0;
  int shownMs_ = 0; // how long the current frame has been shown
};

class CBravo final : public QDialog {
  Q_OBJECT
public:
  // What the dialog ended with, besides Rejected (Cancel).
  enum Choice { kNewGrid = 2, kNewGame = 3, kRedoGrid = 4 };

  // `startDirectory` holds the background picture "Kids.jpg"; the Quick game left unfinished
  // offers no new grid.
  CBravo(quorbel::Language language, const std::string &startDirectory, bool hideNewGrid,
         QWidget *parent = nullptr);

  // The report (with the web challenge's reply, shown as plain text), the mark and the remark.
  void SetTexts(const std::string &report, const std::string &outsideReply, const std::string &score,
                const std::string &praise);
  void SetPicture(const std::string &path);

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
