#include "app/qt/board_placeholder.h"

#include <QPainter>

#include "platform/qt/colour_ref.h"

namespace {
constexpr int kShownLines = 6;
constexpr int kMargin = 12;
} // namespace

CBoardPlaceholder::CBoardPlaceholder(const quorbel::MessageRing &ring, const quorbel::BoardColours &colours,
                                     QWidget *parent)
    : QWidget(parent), ring_(ring), colours_(colours) {
  setObjectName(QStringLiteral("BoardPlaceholder"));
  setMinimumSize(320, 240);
}

void CBoardPlaceholder::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  painter.fillRect(rect(), quorbel::ToQColor(colours_.ColBgEcran));

  QFont title(QStringLiteral("Arial"));
  title.setBold(true);
  title.setPixelSize(std::max(24, height() / 8));
  painter.setFont(title);
  painter.setPen(quorbel::ToQColor(colours_.ColInit));
  painter.drawText(rect().adjusted(0, 0, 0, -height() / 4), Qt::AlignCenter, QStringLiteral("Quorbel"));

  QFont text(QStringLiteral("Arial"));
  text.setPixelSize(14);
  painter.setFont(text);
  const int lineHeight = painter.fontMetrics().height();
  int y = height() - kMargin - kShownLines * lineHeight;
  for (int back = kShownLines - 1; back >= 0; --back, y += lineHeight) {
    const quorbel::CComLine &line = ring_.Line(ring_.NewestIndex() - back);
    if (line.Empty)
      continue;
    painter.drawText(QRect(kMargin, y, width() - 2 * kMargin, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(quorbel::MessageLineText(line)));
  }
}
