#include "app/qt/bravo_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kMaxFrames = 44;       // as many as a cell picture set holds
constexpr int kDefaultFrameMs = 100; // for frames that give no delay
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

CBravoPicture::CBravoPicture(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("picture"));
  setFixedSize(kWidth, kHeight);
  setAttribute(Qt::WA_TranslucentBackground);
}

void CBravoPicture::Load(const QString &path) {
  frames_.clear();
  current_ = 0;
  shownMs_ = 0;
  QImageReader reader(path);
  while (reader.canRead() && static_cast<int>(frames_.size()) < kMaxFrames) {
    const QImage image = reader.read();
    if (image.isNull())
      break;
    const int delay = reader.nextImageDelay(); // how long the frame just read stays
    frames_.push_back({image, delay > 0 ? delay : kDefaultFrameMs});
  }
  update();
}

void CBravoPicture::Advance(int ms) {
  if (frames_.size() < 2)
    return;
  shownMs_ += ms;
  const int before = current_;
  while (shownMs_ >= frames_[static_cast<size_t>(current_)].delayMs) {
    shownMs_ -= frames_[static_cast<size_t>(current_)].delayMs;
    current_ = (current_ + 1) % FrameCount();
  }
  if (current_ != before)
    update();
}

void CBravoPicture::paintEvent(QPaintEvent *) {
  if (frames_.empty())
    return;
  QPainter painter(this);
  painter.drawImage(rect(), frames_[static_cast<size_t>(current_)].image);
}

CBravo::CBravo(quorbel::Language language, const std::string &startDirectory, bool hideNewGrid,
               QWidget *parent)
    : QDialog(parent), report_(PlainLabel(this, "report")), score_(PlainLabel(this, "score")),
      praise_(PlainLabel(this, "praise")), picture_(new CBravoPicture(this)),
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

void CBravo::SetPicture(const std::string &path) { picture_->Load(QString::fromStdString(path)); }

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
