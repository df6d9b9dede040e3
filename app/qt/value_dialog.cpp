#include "app/qt/value_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/qt/dialog_host.h"

using namespace quorbel;

namespace {

constexpr int kFrameWidth = 110;
constexpr int kFrameHeight = 135;

} // namespace

CDialogValue::CDialogValue(const GlyphQuestion &question, Language language, QWidget *parent)
    : QDialog(parent), question_(question) {
  const bool french = language != Language::English;
  setObjectName(QStringLiteral("CDialogValue"));
  setWindowTitle(french ? QStringLiteral("Entrer les Valeurs") : QStringLiteral("Enter Scan Data"));

  value_ = new QSpinBox(this);
  value_->setObjectName(QStringLiteral("value"));
  value_->setRange(-1, 10000);
  value_->setValue(question.Proposed);
  picture_ = new QLabel(this);
  picture_->setObjectName(QStringLiteral("picture"));
  picture_->setFixedSize(kFrameWidth, kFrameHeight);
  picture_->setAlignment(Qt::AlignCenter);
  picture_->setAutoFillBackground(true);
  QPalette frame = picture_->palette();
  frame.setColor(QPalette::Window, QColor(128, 0, 0)); // the frame's colour 128, red in a colour word
  picture_->setPalette(frame);
  auto *where = new QLabel(
      QStringLiteral("%1-c(%2,%3)").arg(question.Slot).arg(question.Column).arg(question.Row), this);
  where->setObjectName(QStringLiteral("where"));
  all_ = new QCheckBox(french ? QStringLiteral("Tous") : QStringLiteral("All"), this);
  all_->setObjectName(QStringLiteral("all"));
  all_->setChecked(question.AskAll);
  threshold_ = new QSlider(Qt::Horizontal, this);
  threshold_->setObjectName(QStringLiteral("threshold"));
  threshold_->setRange(0, 100);
  threshold_->setValue(question.GridLevel);
  connect(threshold_, &QSlider::sliderReleased, this, [this] { DrawGlyph(threshold_->value()); });

  auto *digits = new QGridLayout;
  for (int d = 0; d <= 9; ++d) {
    const int digit = (d + 1) % 10; // 1..9 then 0
    auto *button = new QPushButton(QString::number(digit), this);
    button->setObjectName(QStringLiteral("digit%1").arg(digit));
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this, [this, digit] { CloseWith(digit); });
    digits->addWidget(button, d / 5, d % 5);
  }
  auto *ignore = new QPushButton(french ? QStringLiteral("Ignore +") : QStringLiteral("Passby+"), this);
  ignore->setObjectName(QStringLiteral("ignore"));
  ignore->setAutoDefault(false);
  ignore->setFocusPolicy(Qt::NoFocus);
  connect(ignore, &QPushButton::clicked, this, [this] { CloseWith(-1); });

  auto *buttons = new QDialogButtonBox(this);
  auto *ok = buttons->addButton(QDialogButtonBox::Ok);
  ok->setObjectName(QStringLiteral("ok"));
  auto *cancel = buttons->addButton(french ? QStringLiteral("Annule") : QStringLiteral("Cancel"),
                                    QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("cancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, [this] {
    value_->setValue(-1);
    reject();
  });

  auto *right = new QVBoxLayout;
  right->addWidget(value_);
  right->addLayout(digits);
  right->addWidget(ignore);
  right->addWidget(all_);
  auto *slider = new QHBoxLayout;
  slider->addWidget(new QLabel(french ? QStringLiteral("Seuil") : QStringLiteral("Threshold"), this));
  slider->addWidget(threshold_);
  right->addLayout(slider);
  auto *top = new QHBoxLayout;
  auto *left = new QVBoxLayout;
  left->addWidget(picture_);
  left->addWidget(where);
  top->addLayout(left);
  top->addLayout(right);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buttons);
  setFocus();
  DrawGlyph(-1);
}

// The glyph as it was read, or at another threshold: red where darker, white elsewhere.
void CDialogValue::DrawGlyph(int level) {
  const GlyphPicture *glyph = question_.Glyph;
  if (!glyph || glyph->Width <= 0 || glyph->Height <= 0)
    return;
  QImage image(glyph->Width, glyph->Height, QImage::Format_RGB32);
  const int threshold = question_.Darkest + (question_.Brightest - question_.Darkest) * level / 100;
  for (int y = 0; y < glyph->Height; ++y)
    for (int x = 0; x < glyph->Width; ++x) {
      const size_t at = static_cast<size_t>(y * glyph->Width + x);
      const bool dark = level < 0 ? glyph->Dark[at] != 0 : glyph->Grey[at] < threshold;
      image.setPixel(x, y, dark ? (level < 0 ? qRgb(0, 0, 0) : qRgb(255, 0, 0)) : qRgb(255, 255, 255));
    }
  picture_->setPixmap(QPixmap::fromImage(
      image.scaled(kFrameWidth - 10, kFrameHeight - 15, Qt::KeepAspectRatio, Qt::FastTransformation)));
}

void CDialogValue::CloseWith(int value) {
  value_->setValue(value);
  accept();
}

void CDialogValue::keyPressEvent(QKeyEvent *event) {
  if (!value_->hasFocus()) {
    const int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
      CloseWith(key - Qt::Key_0);
      return;
    }
    if (key == Qt::Key_Plus) {
      CloseWith(-1);
      return;
    }
  }
  QDialog::keyPressEvent(event);
}

GlyphAnswer CDialogValue::Answer() const {
  GlyphAnswer answer;
  answer.Ok = result() == QDialog::Accepted;
  answer.Value = value_->value();
  answer.AskAll = all_->isChecked();
  answer.GridLevel = threshold_->value();
  return answer;
}

GlyphAnswer DialogValueAsker::Ask(const GlyphQuestion &question) {
  CDialogValue dialog(question, app_.CurrentLanguage(), app_.DialogParent());
  app_.Dialogs().Exec(dialog);
  const GlyphAnswer answer = dialog.Answer();
  app_.Settings().scan.gridLevel = answer.GridLevel; // the slider's threshold holds at once
  return answer;
}
