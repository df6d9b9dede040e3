// Grids read from pictures the test draws: the lines found, the kind of grid, the glyphs learnt
// and read again, the numbers of several glyphs, the dictionary file, and strips.
#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>
#include <clocale>
#include <map>
#include <random>
#include <set>

#include "app/settings_schema.h"
#include "media/grid_scan.h"
#include "media/picture.h"
#include "media/qt/picture_from_image.h"
#include "tests/media/qt/grid_drawing.h"

using namespace quorbel;
using namespace quorbel::testing;

namespace {

CPicture PictureOf(const QImage &image) {
  CPicture picture;
  PictureFromImage(image, picture);
  return picture;
}

// Answers with the drawn value: a glyph of a two-digit number gets the first digit it has not
// taught yet, as the reader asks only for glyphs it does not know.
class TruthAsker : public ValueAsker {
public:
  TruthAsker(const std::vector<int> &values, int cells) : values_(values), cells_(cells) {}
  GlyphAnswer Ask(const GlyphQuestion &q) override {
    ++asks;
    const QString digits = QString::number(values_[static_cast<size_t>(q.Row * cells_ + q.Column)]);
    int index = asked_[{q.Column, q.Row}]++;
    while (index + 1 < digits.size() && taught_.count(digits[index].digitValue()))
      ++index;
    const int digit = digits[std::min<qsizetype>(index, digits.size() - 1)].digitValue();
    taught_.insert(digit);
    return {true, digit, false, q.GridLevel};
  }
  int asks = 0;

private:
  std::vector<int> values_;
  int cells_;
  std::map<std::pair<int, int>, int> asked_;
  std::set<int> taught_;
};

class ScriptAsker : public ValueAsker {
public:
  explicit ScriptAsker(std::vector<GlyphAnswer> answers) : answers_(std::move(answers)) {}
  GlyphAnswer Ask(const GlyphQuestion &q) override {
    ++asks;
    GlyphAnswer a = next_ < answers_.size() ? answers_[next_++] : GlyphAnswer{};
    a.GridLevel = q.GridLevel;
    return a;
  }
  int asks = 0;

private:
  std::vector<GlyphAnswer> answers_;
  size_t next_ = 0;
};

std::vector<int> ReadValues(const ScanState &s) {
  std::vector<int> values;
  for (int l = 0; l < s.Down; ++l)
    for (int k = 0; k < s.Across; ++k)
      values.push_back(s.Values[static_cast<size_t>(k)][static_cast<size_t>(l)]);
  return values;
}

QImage Jpeg(const QImage &image) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPEG", 75);
  return QImage::fromData(buffer.data(), "JPEG");
}

std::vector<int> SampleValues(int cells, int most) {
  std::vector<int> values(static_cast<size_t>(cells * cells), 0);
  for (int i = 0; i < cells * cells; ++i)
    if (i % 3 != 1)
      values[static_cast<size_t>(i)] = (i * 7 + i / cells) % most + 1;
  return values;
}

} // namespace

class GridScanTest : public QObject {
  Q_OBJECT

private slots:
  void cleanNoisyAndBlurredGridsReadBackAskingOncePerDigit() {
    struct Case {
      int cells, blockW, blockH, thin, thick;
      bool noise, blur;
    };
    for (const Case c : {Case{9, 3, 3, 1, 3, false, false}, Case{6, 3, 2, 2, 3, true, false},
                         Case{9, 3, 3, 1, 2, false, true}}) {
      Drawing d;
      d.Cells = c.cells;
      d.BlockW = c.blockW;
      d.BlockH = c.blockH;
      d.Thin = c.thin;
      d.Thick = c.thick;
      d.Noise = c.noise;
      d.Blur = c.blur;
      d.Values = SampleValues(c.cells, c.cells);
      auto state = std::make_unique<ScanState>();
      ScanOptions options{1, 50};
      TruthAsker asker(d.Values, d.Cells);
      QCOMPARE(ScanWholeGrid(*state, PictureOf(Render(d)), options, asker), ScanResult::Read);
      QCOMPARE(state->Across, c.cells);
      QCOMPARE(ReadValues(*state), d.Values);
      QVERIFY2(asker.asks <= c.cells, qPrintable(QString::number(asker.asks)));
    }
  }

  void printedGridsReadOutOfTheBoxWithTheShippedDictionary() {
    Dico shipped;
    LoadDico(shipped, QUORBEL_DATA_DIR "/RefSkel.txt");
    for (const QString font : {"Liberation Sans", "Liberation Serif", "DejaVu Sans"})
      for (const int cellPx : {44, 60, 84, 121}) {
        Drawing d;
        d.Font = font;
        d.CellPx = cellPx;
        d.Values = SampleValues(9, 9);
        auto state = std::make_unique<ScanState>();
        state->Dictionary = shipped;
        ScanOptions options{0, DefaultSettings().scan.gridLevel};
        ScriptAsker asker({});
        const QString where = font + QStringLiteral(" %1 px").arg(cellPx);
        QVERIFY2(ScanWholeGrid(*state, PictureOf(Jpeg(Render(d))), options, asker) == ScanResult::Read,
                 qPrintable(where));
        QVERIFY2(asker.asks == 0, qPrintable(where));
        QVERIFY2(ReadValues(*state) == d.Values, qPrintable(where));
      }
  }

  void paleOrThinPrintIsAskedForNotTakenForEmpty() {
    Drawing d;
    d.Ink = 110;
    d.Values = SampleValues(9, 9);
    auto state = std::make_unique<ScanState>();
    ScanOptions options{1, 10};
    TruthAsker asker(d.Values, d.Cells);
    QCOMPARE(ScanWholeGrid(*state, PictureOf(Render(d)), options, asker), ScanResult::Read);
    QCOMPARE(ReadValues(*state), d.Values);
    QVERIFY(asker.asks > 0);
  }

  void aPictureOverTheScannedSideIsShrunkNotCut() {
    Drawing d;
    d.CellPx = 220; // 2,020 pixels a side
    d.Thin = 4;
    d.Thick = 9;
    d.Values = SampleValues(9, 9);
    auto state = std::make_unique<ScanState>();
    ScanOptions options{1, 50};
    TruthAsker asker(d.Values, d.Cells);
    QCOMPARE(ScanWholeGrid(*state, PictureOf(Render(d)), options, asker), ScanResult::Read);
    QCOMPARE(state->Across, 9);
    QCOMPARE(ReadValues(*state), d.Values);
  }

  void theTextGridOfAScan() {
    Drawing d;
    d.Values = SampleValues(9, 9);
    auto state = std::make_unique<ScanState>();
    ScanOptions options{0, 50};
    TruthAsker asker(d.Values, d.Cells);
    QCOMPARE(ScanWholeGrid(*state, PictureOf(Render(d)), options, asker), ScanResult::Read);
    QVERIFY(state->Normal);
    std::string expected = "Quorbel Mode Texte\r\n9\r\n;Start Save Grid1\r\n";
    for (const int v : d.Values)
      expected += std::to_string(v) + "\r\n";
    expected += ";Start Save Varient\r\n";
    QCOMPARE(ScanTextGrid(*state), expected);
  }

  void twoDigitValuesOfASixteenGrid() {
    Drawing d;
    d.Cells = 16;
    d.CellPx = 44;
    d.BlockW = d.BlockH = 4;
    d.Values = SampleValues(16, 16);
    auto state = std::make_unique<ScanState>();
    ScanOptions options{1, 50};
    TruthAsker asker(d.Values, d.Cells);
    QCOMPARE(ScanWholeGrid(*state, PictureOf(Render(d)), options, asker), ScanResult::Read);
    QCOMPARE(ReadValues(*state), d.Values);
  }

  void picturesThatAreNotGridsAreRefused() {
    for (const int cells : {17, 5}) { // too many; a side with no shape
      Drawing d;
      d.Cells = cells;
      d.CellPx = 30;
      d.BlockW = d.BlockH = cells;
      auto state = std::make_unique<ScanState>();
      ScanOptions options{1, 50};
      ScriptAsker asker({});
      QCOMPARE(ScanWholeGrid(*state, PictureOf(Render(d)), options, asker), ScanResult::NotAGrid);
    }
    // Uneven line gaps.
    QImage uneven(400, 400, QImage::Format_RGB32);
    uneven.fill(Qt::white);
    QPainter p(&uneven);
    int at = 10;
    for (int i = 0; i <= 9; ++i, at += i % 2 ? 20 : 60) {
      p.fillRect(at, 0, 2, 400, Qt::black);
      p.fillRect(0, at, 400, 2, Qt::black);
    }
    p.end();
    auto state = std::make_unique<ScanState>();
    ScanOptions options{1, 50};
    ScriptAsker asker({});
    QCOMPARE(ScanWholeGrid(*state, PictureOf(uneven), options, asker), ScanResult::NotAGrid);
  }

  void learntGlyphsNumbersAndCancel() {
    // One cell holding "12", then the same cell again: nothing asked the second time.
    Drawing d;
    d.Cells = 4;
    d.CellPx = 60;
    d.BlockW = d.BlockH = 2;
    d.Values = std::vector<int>(16, 0);
    d.Values[5] = 12;
    d.Values[10] = 5;
    const CPicture picture = PictureOf(Render(d));
    auto state = std::make_unique<ScanState>();
    ScanOptions options{1, 50};
    ScriptAsker teach({{true, 1, false, 0}, {true, 2, false, 0}, {true, 5, false, 0}});
    QCOMPARE(ScanWholeGrid(*state, picture, options, teach), ScanResult::Read);
    QCOMPARE(state->Values[1][1], 12);
    QCOMPARE(state->Values[2][2], 5);
    ScriptAsker none({});
    QCOMPARE(ScanWholeGrid(*state, picture, options, none), ScanResult::Read);
    QCOMPARE(none.asks, 0);
    QCOMPARE(state->Values[1][1], 12);

    // The "1" learnt as a mark to pass by: "12" reads 2.
    auto fresh = std::make_unique<ScanState>();
    ScriptAsker passBy({{true, -1, false, 0}, {true, 2, false, 0}, {true, 5, false, 0}});
    QCOMPARE(ScanWholeGrid(*fresh, picture, options, passBy), ScanResult::Read);
    QCOMPARE(fresh->Values[1][1], 2);

    // Cancel stops the reading; what was read stays.
    auto cancelled = std::make_unique<ScanState>();
    ScriptAsker cancel({{true, 1, false, 0}, {false, -1, false, 0}});
    QCOMPARE(ScanWholeGrid(*cancelled, picture, options, cancel), ScanResult::Cancelled);
    QCOMPARE(cancel.asks, 2);
  }

  void cagesAndIrregularRegionsGiveTheirLines() {
    Drawing cages;
    cages.Cells = 4;
    cages.CellPx = 60;
    cages.BlockW = cages.BlockH = 2;
    cages.Thin = 1;
    cages.Cages = {{3, {0, 1}}, {7, {2, 3, 7}}, {10, {4, 5, 8, 9, 12, 13}}, {11, {6, 10, 11}}, {9, {14, 15}}};
    auto state = std::make_unique<ScanState>();
    ScanOptions options{3, 50};
    std::vector<int> sums(16, 0);
    for (const auto &[sum, cells] : cages.Cages)
      sums[static_cast<size_t>(cells.front())] = sum;
    TruthAsker asker(sums, 4);
    QCOMPARE(ScanWholeGrid(*state, PictureOf(Render(cages)), options, asker), ScanResult::Read);
    const std::string text = ScanTextGrid(*state);
    QVERIFY2(text.find("K3;0;1\r\nK7;2;3;7\r\nK10;4;5;8;9;12;13\r\nK11;6;10;11\r\nK9;14;15\r\n") !=
                 std::string::npos,
             text.c_str());

    Drawing irregular;
    irregular.Cells = 4;
    irregular.CellPx = 60;
    irregular.Thick = 5;
    irregular.Regions = {0, 0, 0, 1, 2, 0, 1, 1, 2, 2, 3, 1, 2, 3, 3, 3};
    auto regions = std::make_unique<ScanState>();
    ScanOptions automatic{0, 50};
    ScriptAsker none({});
    QCOMPARE(ScanWholeGrid(*regions, PictureOf(Render(irregular)), automatic, none), ScanResult::Read);
    QVERIFY(regions->Irregular);
    const std::string blocks = ScanTextGrid(*regions);
    QVERIFY2(blocks.find("B0;0;1;2;5\r\nB1;3;6;7;11\r\nB2;4;8;9;12\r\nB3;10;13;14;15\r\n") !=
                 std::string::npos,
             blocks.c_str());
  }

  void aLineStripWrapsAtTheGridsSide() {
    Drawing strip;
    strip.Cells = 4;
    strip.CellPx = 40;
    strip.BlockW = strip.BlockH = 4;
    strip.Values = {3, 9, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    // Only the first row of the drawing: a one-row strip.
    const QImage whole = Render(strip);
    const QImage row = whole.copy(0, 0, whole.width(), strip.Margin + strip.CellPx + 2);
    auto state = std::make_unique<ScanState>();
    ScanOptions options{0, 50};
    TruthAsker asker(strip.Values, 4);
    QCOMPARE(ScanStrip(*state, PictureOf(row), StripMode::Line, options, asker), ScanResult::Read);
    QCOMPARE(state->Across, 4);
    const std::vector<StripPlacement> placed = PlaceStrip(*state, StripMode::Line, 2, 7, 9);
    QCOMPARE(placed.size(), size_t{4});
    QCOMPARE(placed[0].Column, 7);
    QCOMPARE(placed[1].Column, 8);
    QCOMPARE(placed[2].Column, 0);
    QCOMPARE(placed[3].Column, 1);
    QCOMPARE(placed[3].Row, 2);
    QCOMPARE(placed[1].Value, 9);
    // In a 4-wide grid, the 9 is no value: it is left out.
    QCOMPARE(PlaceStrip(*state, StripMode::Line, 0, 0, 4).size(), size_t{3});
  }

  void theDictionaryFile() {
    QTemporaryDir dir;
    const std::string path = (dir.path() + "/RefSkel.txt").toStdString();
    Dico dico;
    GlyphFeatures features{};
    features[3] = 0.25f;
    for (int i = 0; i < kDicoSlots; ++i)
      AddGlyphToDico(dico, features, i % 10);
    QCOMPARE(dico.NextSlot, 0);
    AddGlyphToDico(dico, features, 7); // the 101st overwrites slot 0
    QCOMPARE(dico.Slots[0].Value, 7);
    dico.Slots[5].Features[0] = std::numeric_limits<float>::quiet_NaN();

    // Written under a French locale, read back the same.
    const char *was = std::setlocale(LC_NUMERIC, nullptr);
    const std::string previous = was ? was : "C";
    std::setlocale(LC_NUMERIC, "fr_FR.UTF-8");
    QVERIFY(SaveDico(dico, path));
    std::setlocale(LC_NUMERIC, previous.c_str());
    Dico back;
    LoadDico(back, path);
    QCOMPARE(back.NextSlot, 1);
    QCOMPARE(back.Slots[99].Value, 9);
    QCOMPARE(back.Slots[42].Features[3], 0.25f);
    QVERIFY(std::isnan(back.Slots[5].Features[0]));
    QCOMPARE(back.Slots[5].Features[1], 0.0f); // the line after it is not shifted

    // A next slot of 150 starts again at 0; a line that is not a number reads as not a number.
    QFile file(QString::fromStdString(path));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("150\r\n4\r\n1\r\n-1.#IND00\r\n0.5\r\n");
    file.close();
    LoadDico(back, path);
    QCOMPARE(back.Slots[0].Value, 4);
    QVERIFY(std::isnan(back.Slots[0].Features[0]));
    QCOMPARE(back.Slots[0].Used, 0); // cut short
    AddGlyphToDico(back, features, 3);
    QCOMPARE(back.Slots[0].Value, 3);

    QVERIFY(IsKnownDistance(1.2f));
    QVERIFY(!IsKnownDistance(1.21f));
  }
};

QTEST_MAIN(GridScanTest)
#include "grid_scan_test.moc"
