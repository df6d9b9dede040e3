// Grid pictures for the scanning tests: lines of chosen widths, digits in a chosen font and grey,
// dashed cages, thick region borders, noise and blur.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <random>
#include <utility>
#include <vector>

namespace quorbel::testing {

struct Drawing {
  int Cells = 9;
  int CellPx = 40;
  int BlockW = 3;
  int BlockH = 3;
  int Thin = 1;
  int Thick = 3;
  std::vector<int> Values; // row by row, 0 empty
  bool Noise = false;
  bool Blur = false;
  std::vector<int> Regions; // irregular blocks, row by row; thick lines between regions
  std::vector<std::pair<int, std::vector<int>>> Cages; // sum, cells
  int Margin = 20;
  QString Font = QStringLiteral("DejaVu Sans");
  int Ink = 0; // the digits' grey
};

inline QImage Render(const Drawing &d) {
  const int side = d.Cells * d.CellPx + 2 * d.Margin;
  QImage image(side, side, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  const auto cellX = [&](int k) { return d.Margin + k * d.CellPx; };
  const auto thick = [&](bool outer, bool block) { return outer || block ? d.Thick : d.Thin; };
  for (int i = 0; i <= d.Cells; ++i) {
    const bool outer = i == 0 || i == d.Cells;
    if (d.Regions.empty()) {
      const int wv = thick(outer, i % d.BlockW == 0);
      const int wh = thick(outer, i % d.BlockH == 0);
      p.fillRect(cellX(i) - wv / 2, d.Margin, wv, d.Cells * d.CellPx + 1, Qt::black);
      p.fillRect(d.Margin, cellX(i) - wh / 2, d.Cells * d.CellPx + 1, wh, Qt::black);
    } else {
      // Segment by segment: thick between two regions.
      for (int j = 0; j < d.Cells; ++j) {
        const auto region = [&](int k, int l) { return d.Regions[static_cast<size_t>(l * d.Cells + k)]; };
        const int wv = thick(outer, !outer && region(i - 1, j) != region(i, j));
        const int wh = thick(outer, !outer && region(j, i - 1) != region(j, i));
        p.fillRect(cellX(i) - wv / 2, cellX(j), wv, d.CellPx + 1, Qt::black);
        p.fillRect(cellX(j), cellX(i) - wh / 2, d.CellPx + 1, wh, Qt::black);
      }
    }
  }
  QFont font(d.Font);
  font.setPixelSize(d.CellPx * 3 / 5);
  p.setFont(font);
  p.setPen(QColor(d.Ink, d.Ink, d.Ink));
  for (int cell = 0; cell < static_cast<int>(d.Values.size()); ++cell)
    if (const int v = d.Values[static_cast<size_t>(cell)]; v > 0)
      p.drawText(QRect(cellX(cell % d.Cells), cellX(cell / d.Cells), d.CellPx, d.CellPx), Qt::AlignCenter,
                 QString::number(v));
  // Dashed cage outlines a tenth of a cell inside, the sum in the first cell's corner.
  QPen dashes(Qt::black, 1, Qt::DashLine);
  QFont small = font;
  small.setPixelSize(d.CellPx / 3);
  for (const auto &cage : d.Cages) {
    const std::vector<int> &cells = cage.second;
    const auto inCage = [&](int k, int l) {
      return k >= 0 && l >= 0 && k < d.Cells && l < d.Cells &&
             std::find(cells.begin(), cells.end(), l * d.Cells + k) != cells.end();
    };
    p.setPen(dashes);
    const int in = d.CellPx / 10;
    for (const int cell : cells) {
      const int k = cell % d.Cells, l = cell / d.Cells;
      const int x0 = cellX(k) + in, y0 = cellX(l) + in, x1 = cellX(k + 1) - in, y1 = cellX(l + 1) - in;
      if (!inCage(k - 1, l))
        p.drawLine(x0, y0, x0, y1);
      if (!inCage(k + 1, l))
        p.drawLine(x1, y0, x1, y1);
      if (!inCage(k, l - 1))
        p.drawLine(x0, y0, x1, y0);
      if (!inCage(k, l + 1))
        p.drawLine(x0, y1, x1, y1);
    }
    p.setPen(Qt::black);
    p.setFont(small);
    const int first = cells.front();
    p.drawText(
        QRect(cellX(first % d.Cells) + in + 2, cellX(first / d.Cells) + in + 2, d.CellPx / 2, d.CellPx / 3),
        Qt::AlignLeft | Qt::AlignTop, QString::number(cage.first));
  }
  p.end();
  if (d.Noise) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> shift(-25, 25);
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) {
        const int g = std::clamp(qGray(image.pixel(x, y)) + shift(random), 0, 255);
        image.setPixel(x, y, qRgb(g, g, g));
      }
  }
  if (d.Blur) {
    const QImage source = image;
    for (int y = 1; y < side - 1; ++y)
      for (int x = 1; x < side - 1; ++x) {
        int sum = 0;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx)
            sum += qGray(source.pixel(x + dx, y + dy)) * (dx == 0 && dy == 0 ? 4 : 1);
        image.setPixel(x, y, qRgb(sum / 12, sum / 12, sum / 12));
      }
  }
  return image;
}

} // namespace quorbel::testing
