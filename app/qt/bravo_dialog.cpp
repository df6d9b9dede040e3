#include "app/qt/bravo_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/cell_animation.h"
#include "media/qt/picture_painter.h"

using namespace quorbel;

namespace {

constexpr double kScoreFontScale = 2.2;
constexpr double kPraiseFontScale = 1.3;

QLabel *PlainLabel(QWidget *parent, const char *name) {
  auto *label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setTextFormat(Qt::PlainText);
  return label;
}

QFont Scaled(QFont font, double scale, bool bold) {
  font.setPointSizeF(font.pointSizeF() * scale);
  font.setBold(bold);
  return font;
}

} // namespace

CBravoPicture::CBravoPicture(PictureLibrary &pictures, QWidget *parent) : QWidget(parent), pictures_(pictures) {
  setObjectName(QStringLiteral("picture"));
  setFixedSize(kWidth, kHeight);
  setAttribute(Qt::WA_TranslucentBackground);
}

void CBravoPicture::Load(const QString &path, int set) {
  CBitMapGif &pictures = pictures_.Sets[static_cast<size_t>(set)];
  pictures.ClearFrames();
  if (GifLoadImage(pictures, path.toStdString()) == 0)
    pictures.ClearFrames(); // a failed load may have left a frame count behind
  SelectAnimSet(anim_, set, PictureOrderTable{});
  SetAnimMode(anim_, kAnimEndless, 0, pictures_);
  update();
}

int CBravoPicture::FrameCount() const {
  const int set = DrawnSet(anim_, pictures_);
  return set < 0 ? 0 : pictures_.Sets[static_cast<size_t>(set)].FrameCount;
}

void CBravoPicture::Advance(int ms) {
  if (AnimGifStep(anim_, ms, AnimStepContext{.Pictures = pictures_, .PicturesShown = true}) != kAnimNoChange)
    update();
}

void CBravoPicture::paintEvent(QPaintEvent *) {
  const int set = DrawnSet(anim_, pictures_);
  if (set < 0)
    return;
  QPainter painter(this);
  DrawPictureFrame(painter, pictures_.Sets[static_cast<size_t>(set)], anim_.Frame, 0, -1, 0,
                   SurfaceRect{0, 0, width(), height()});
}

CBravo::CBravo(quorbel::Language language, const std::string &startDirectory, bool hideNewGrid,
               PictureLibrary &pictures, QWidget *parent)
    : QDialog(parent), report_(PlainLabel(this, "report")), score_(PlainLabel(this, "score")),
      praise_(PlainLabel(this, "praise")), picture_(new CBravoPicture(pictures, this)),
      background_(QString::fromStdString(startDirectory) + QStringLiteral("/Kids.jpg")) {
  const bool english = quorbel::IsEnglish(language);
  setObjectName(QStringLiteral("CBravo"));
  setWindowTitle(english ? QStringLiteral("Game Finished") : QStringLiteral("Jeu Terminée"));

  report_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  report_->setMinimumWidth(260);
  auto *caption = new QLabel(QStringLiteral("SCORE"), this);
  caption->setAlignment(Qt::AlignCenter);
  score_->setAlignment(Qt::AlignCenter);
  score_->setFont(Scaled(score_->font(), kScoreFontScale, true));
  praise_->setAlignment(Qt::AlignCenter);
  praise_->setWordWrap(true);
  praise_->setFont(Scaled(praise_->font(), kPraiseFontScale, true));

  const auto button = [this](const char *name, const QString &text, int result) {
    auto *b = new QPushButton(text, this);
    b->setObjectName(QLatin1String(name));
    connect(b, &QPushButton::clicked, this, [this, result] { done(result); });
    return b;
  };
  QPushButton *newGrid =
      button("newGrid", english ? QStringLiteral("New Grid") : QStringLiteral("Nouvelle Grille"), kNewGrid);
  QPushButton *newGame =
      button("newGame", english ? QStringLiteral("New Game") : QStringLiteral("Nouveau Jeu"), kNewGame);
  QPushButton *redo = button(
      "redoGrid", english ? QStringLiteral("Redo Grid") : QStringLiteral("Recommencer Grille"), kRedoGrid);
  QPushButton *cancel =
      button("cancel", english ? QStringLiteral("Cancel") : QStringLiteral("Annule"), Rejected);
  newGrid->setVisible(!hideNewGrid);
  cancel->setDefault(true);

  auto *side = new QVBoxLayout;
  side->addWidget(caption);
  side->addWidget(score_);
  side->addWidget(picture_, 0, Qt::AlignHCenter);
  side->addWidget(praise_);
  side->addStretch();
  auto *top = new QHBoxLayout;
  top->addWidget(report_, 1);
  top->addLayout(side);
  auto *buttons = new QHBoxLayout;
  for (QPushButton *b : {newGrid, newGame, redo, cancel})
    buttons->addWidget(b);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);

  // The picture plays while the dialog is open; the timer goes with the dialog.
  connect(&timer_, &QTimer::timeout, this,
          [this] { picture_->Advance(static_cast<int>(lastTick_.restart())); });
  lastTick_.start();
  timer_.start(kTimerMs);
}

void CBravo::SetTexts(const std::string &report, const std::string &outsideReply, const std::string &score,
                      const std::string &praise) {
  report_->setText(QString::fromStdString(report + outsideReply));
  score_->setText(QString::fromStdString(score));
  praise_->setText(QString::fromStdString(praise));
}

void CBravo::SetPicture(const std::string &path, bool praise) {
  picture_->Load(QString::fromStdString(path), praise ? kPraiseSet : kTauntSet);
}

QString CBravo::Report() const { return report_->text(); }
QString CBravo::Score() const { return score_->text(); }
QString CBravo::Praise() const { return praise_->text(); }

void CBravo::paintEvent(QPaintEvent *event) {
  if (!background_.isNull()) {
    QPainter painter(this);
    painter.drawImage(rect(), background_);
  }
  QDialog::paintEvent(event);
}
