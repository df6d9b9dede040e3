// Writes RefSkel.txt, the scanner's first dictionary. Grids are drawn in the fonts installed
// here at many cell sizes, clean and JPEG-compressed, and read by the scanner itself at the
// program's default threshold; every glyph it cuts is a sample of the digit drawn there. The
// 100 slots then go, one by one, to the sample that brings the most samples of its own digit
// within reach and the fewest of another. Last, grids of sizes it never drew are read with the
// dictionary alone, and the tool tells, font by font, how many digits it read without asking.
//   make_refskel <output file>
#include <QBuffer>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/settings_schema.h"
#include "media/grid_scan.h"
#include "media/picture.h"
#include "media/qt/picture_from_image.h"

using namespace quorbel;

namespace {

constexpr int kJpegQuality = 75;
constexpr std::array kFamilies = {"Liberation Sans", "Liberation Serif", "DejaVu Sans"};
// Cells from a screenshot's to a 300-dpi scan's. Smaller print would take slots from these and
// still be asked for mostly: the 5 x 7 zones of a glyph 12 pixels high jump with every pixel.
constexpr int kSmallestCell = 34;
constexpr int kLargestCell = 110;
// JPEG makes every copy of a glyph differ a little: a few of each digit a grid are enough.
constexpr int kJpegSamplesPerDigit = 3;
// A sample within reach of another digit's slot would be misread: it weighs this much against.
constexpr int kWrongWeight = 4;

int ValueAt(int cells, int cell) { return (cell * 5 + cell / cells) % cells + 1; }

QImage DrawGrid(int cells, const QString &family, int cellPx) {
  const int margin = 10;
  const int side = cells * cellPx + 2 * margin;
  const int block = cells == 16 ? 4 : 3;
  QImage image(side, side, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  for (int i = 0; i <= cells; ++i) {
    const int width = i % block == 0 ? 3 : 1;
    p.fillRect(margin + i * cellPx - width / 2, margin, width, cells * cellPx + 1, Qt::black);
    p.fillRect(margin, margin + i * cellPx - width / 2, cells * cellPx + 1, width, Qt::black);
  }
  QFont font(family);
  font.setPixelSize(cellPx * 3 / 5);
  p.setFont(font);
  for (int cell = 0; cell < cells * cells; ++cell)
    p.drawText(QRect(margin + cell % cells * cellPx, margin + cell / cells * cellPx, cellPx, cellPx),
               Qt::AlignCenter, QString::number(ValueAt(cells, cell)));
  return image;
}

QImage Jpeg(const QImage &image) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPEG", kJpegQuality);
  return QImage::fromData(buffer.data(), "JPEG");
}

struct Sample {
  int Digit = 0;
  GlyphFeatures Features{};
};

// Every glyph is asked for (the dictionary stays empty) and kept with the digit drawn there.
class Collector : public ValueAsker {
public:
  Collector(int cells, std::vector<Sample> &samples) : cells_(cells), samples_(samples) {}
  GlyphAnswer Ask(const GlyphQuestion &q) override {
    const int cell = q.Row * cells_ + q.Column;
    index_ = cell == lastCell_ ? index_ + 1 : 0;
    lastCell_ = cell;
    const std::string digits = std::to_string(ValueAt(cells_, cell));
    if (index_ < digits.size()) {
      const GlyphFeatures features = GlyphFeaturesOf(*q.Glyph);
      if (std::none_of(features.begin(), features.end(), [](float f) { return std::isnan(f); }))
        samples_.push_back({digits[index_] - '0', features});
    }
    return {true, kNotLearnt, false, q.GridLevel};
  }

private:
  static constexpr int kNotLearnt = -2;
  int cells_;
  std::vector<Sample> &samples_;
  int lastCell_ = -1;
  size_t index_ = 0;
};

void Collect(const QImage &image, int cells, int gridLevel, std::vector<Sample> &samples) {
  auto state = std::make_unique<ScanState>();
  CPicture picture;
  PictureFromImage(image, picture);
  ScanOptions options{1, gridLevel};
  Collector collector(cells, samples);
  if (ScanWholeGrid(*state, picture, options, collector) != ScanResult::Read)
    std::fprintf(stderr, "a grid of %d x %d pixels was not found\n", image.width(), image.height());
}

// A grid's samples: the clean glyphs once each, the JPEG ones a few a digit.
void Thin(std::vector<Sample> &samples, size_t from, bool jpeg) {
  std::vector<Sample> kept(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(from));
  std::array<int, 10> taken{};
  for (size_t i = from; i < samples.size(); ++i) {
    const Sample &s = samples[i];
    const bool seen =
        std::any_of(kept.begin() + static_cast<std::ptrdiff_t>(from), kept.end(),
                    [&](const Sample &k) { return k.Digit == s.Digit && k.Features == s.Features; });
    if (seen || (jpeg && taken[static_cast<size_t>(s.Digit)] >= kJpegSamplesPerDigit))
      continue;
    ++taken[static_cast<size_t>(s.Digit)];
    kept.push_back(s);
  }
  samples = std::move(kept);
}

float Distance(const GlyphFeatures &a, const GlyphFeatures &b) {
  float sum = 0;
  for (size_t i = 0; i < a.size(); ++i)
    sum += (a[i] - b[i]) * (a[i] - b[i]);
  return sum;
}

// Greedy cover: each slot to the sample whose reach gains the most.
Dico ChooseSlots(const std::vector<Sample> &samples) {
  const size_t n = samples.size();
  std::vector<std::vector<uint32_t>> reach(n);
  for (size_t i = 0; i < n; ++i)
    for (size_t j = 0; j < n; ++j)
      if (IsKnownDistance(Distance(samples[i].Features, samples[j].Features)))
        reach[i].push_back(static_cast<uint32_t>(j));
  std::vector<bool> covered(n, false);
  Dico dico;
  ClearDico(dico);
  for (int slot = 0; slot < kDicoSlots; ++slot) {
    long best = 0;
    size_t chosen = n;
    for (size_t i = 0; i < n; ++i) {
      long gain = 0;
      for (const uint32_t j : reach[i])
        gain += samples[j].Digit == samples[i].Digit ? (covered[j] ? 0 : 1) : -kWrongWeight;
      if (gain > best) {
        best = gain;
        chosen = i;
      }
    }
    if (chosen == n)
      break;
    for (const uint32_t j : reach[chosen])
      if (samples[j].Digit == samples[chosen].Digit)
        covered[j] = true;
    AddGlyphToDico(dico, samples[chosen].Features, samples[chosen].Digit);
  }
  const auto left = std::count(covered.begin(), covered.end(), false);
  std::printf("%zu samples, %ld out of reach of a slot of their digit\n", n, static_cast<long>(left));
  return dico;
}

// Asks nothing: counts what the dictionary did not know.
class Counter : public ValueAsker {
public:
  int Asked = 0;
  GlyphAnswer Ask(const GlyphQuestion &q) override {
    ++Asked;
    return {true, -2, false, q.GridLevel};
  }
};

} // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_refskel <output file>\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  // The dictionary must know the glyphs as the program cuts them out of the box.
  const int gridLevel = DefaultSettings().scan.gridLevel;
  const QStringList installed = QFontDatabase::families();
  std::vector<Sample> samples;
  for (const char *family : kFamilies) {
    if (!installed.contains(QString::fromLatin1(family))) {
      std::fprintf(stderr, "%s is not installed\n", family);
      continue;
    }
    for (int cellPx = kSmallestCell; cellPx <= kLargestCell; cellPx += 2)
      for (const bool jpeg : {false, true}) {
        const size_t from = samples.size();
        const QImage drawn = DrawGrid(16, QString::fromLatin1(family), cellPx);
        Collect(jpeg ? Jpeg(drawn) : drawn, 16, gridLevel, samples);
        Thin(samples, from, jpeg);
      }
  }
  const Dico dico = ChooseSlots(samples);
  for (const char *family : kFamilies)
    for (const int cellPx : {29, 33, 37, 45, 57, 71, 89, 105, 121}) {
      auto state = std::make_unique<ScanState>();
      state->Dictionary = dico;
      CPicture picture;
      PictureFromImage(Jpeg(DrawGrid(9, QString::fromLatin1(family), cellPx)), picture);
      ScanOptions options{1, gridLevel};
      Counter counter;
      const bool found = ScanWholeGrid(*state, picture, options, counter) == ScanResult::Read;
      int right = 0;
      int wrong = 0;
      for (int cell = 0; cell < 81; ++cell) {
        const int read = state->Values[static_cast<size_t>(cell % 9)][static_cast<size_t>(cell / 9)];
        right += read == ValueAt(9, cell);
        wrong += read != 0 && read != ValueAt(9, cell);
      }
      std::printf("  %-17s %2d px, JPEG: %s, %2d read, %2d misread of 81, %2d glyphs asked\n", family, cellPx,
                  found ? "found" : "no grid", right, wrong, counter.Asked);
    }
  return SaveDico(dico, argv[1]) ? 0 : 1;
}
