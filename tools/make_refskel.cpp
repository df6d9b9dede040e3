// Writes RefSkel.txt, the scanner's first dictionary: the digits of grids drawn in the fonts
// installed here, read by the scanner itself and taught with the values drawn. Only glyphs the
// dictionary does not know yet take a slot, so its 100 slots go to the shapes that differ.
//   make_refskel <output file>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

#include "media/grid_scan.h"
#include "media/picture.h"
#include "media/qt/picture_from_image.h"

using namespace quorbel;

namespace {

constexpr int kCells = 16;

int ValueAt(int cell) { return (cell * 5 + cell / kCells) % kCells + 1; }

QImage DrawGrid(const QString &family, int cellPx) {
  const int margin = 10;
  const int side = kCells * cellPx + 2 * margin;
  QImage image(side, side, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  for (int i = 0; i <= kCells; ++i) {
    const int width = i % 4 == 0 ? 3 : 1;
    p.fillRect(margin + i * cellPx - width / 2, margin, width, kCells * cellPx + 1, Qt::black);
    p.fillRect(margin, margin + i * cellPx - width / 2, kCells * cellPx + 1, width, Qt::black);
  }
  QFont font(family);
  font.setPixelSize(cellPx * 3 / 5);
  p.setFont(font);
  for (int cell = 0; cell < kCells * kCells; ++cell)
    p.drawText(QRect(margin + cell % kCells * cellPx, margin + cell / kCells * cellPx, cellPx, cellPx),
               Qt::AlignCenter, QString::number(ValueAt(cell)));
  return image;
}

// Teaches each unknown glyph the digit it stands for: in a cell of two digits, the first one
// not taught yet, as the reader asks only for the glyphs it does not know.
class Teacher : public ValueAsker {
public:
  GlyphAnswer Ask(const GlyphQuestion &q) override {
    const int cell = q.Row * kCells + q.Column;
    const std::string digits = std::to_string(ValueAt(cell));
    size_t index = cell == lastCell_ ? asked_ : 0;
    while (index + 1 < digits.size() && taught_[static_cast<size_t>(digits[index] - '0')])
      ++index;
    index = std::min(index, digits.size() - 1);
    asked_ = cell == lastCell_ ? asked_ + 1 : 1;
    lastCell_ = cell;
    const int digit = digits[index] - '0';
    taught_[static_cast<size_t>(digit)] = true;
    return {true, digit, false, q.GridLevel};
  }

private:
  int lastCell_ = -1;
  size_t asked_ = 0;
  std::array<bool, 10> taught_{};
};

} // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_refskel <output file>\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  auto state = std::make_unique<ScanState>();
  const QStringList families = QFontDatabase::families();
  int grids = 0;
  Teacher teacher; // one for every grid: it knows which digits the dictionary was taught
  for (const char *family :
       {"DejaVu Sans", "Liberation Sans", "DejaVu Serif", "Liberation Serif", "DejaVu Sans Mono"}) {
    if (!families.contains(QString::fromLatin1(family)))
      continue;
    for (const int cellPx : {36, 60}) {
      CPicture picture;
      PictureFromImage(DrawGrid(QString::fromLatin1(family), cellPx), picture);
      ScanOptions options{1, 50};
      if (ScanWholeGrid(*state, picture, options, teacher) == ScanResult::Read)
        ++grids;
      else
        std::fprintf(stderr, "%s at %d pixels: no grid found\n", family, cellPx);
    }
  }
  // A size it was not taught at, read with what it learnt: how many glyphs it still asks for
  // and how many cells it misreads.
  CPicture check;
  PictureFromImage(DrawGrid(QStringLiteral("DejaVu Sans"), 48), check);
  Dico learnt = state->Dictionary;
  ScanOptions options{1, 50};
  ScanWholeGrid(*state, check, options, teacher);
  int wrong = 0;
  for (int cell = 0; cell < kCells * kCells; ++cell)
    wrong += state->Values[static_cast<size_t>(cell % kCells)][static_cast<size_t>(cell / kCells)] !=
             ValueAt(cell);
  int asked = 0;
  for (int s = 0; s < kDicoSlots; ++s)
    asked +=
        state->Dictionary.Slots[static_cast<size_t>(s)].Used != learnt.Slots[static_cast<size_t>(s)].Used;
  std::printf("check at 48 pixels: %d glyphs asked, %d cells misread\n", asked, wrong);
  state->Dictionary = learnt;
  if (!SaveDico(state->Dictionary, argv[1]))
    return 1;
  int used = 0;
  for (const DicoSlot &slot : state->Dictionary.Slots)
    used += slot.Used;
  std::printf("%d grids read, %d glyphs learnt\n", grids, used);
  return 0;
}
