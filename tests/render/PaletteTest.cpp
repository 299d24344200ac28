// SPDX-License-Identifier: MIT
// Eight-bit tiles of a warped map scan: a palette of the tile's own colours,
// flat tints left flat, and the colour error far below a fixed colour cube's.
#include <gtest/gtest.h>

#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QTransform>
#include <algorithm>
#include <array>

#include "render/ColourDifference.h"
#include "render/ImageLibrary.h"
#include "render/PaletteQuantizer.h"

using namespace kavalo;

namespace {

// A map sheet as a scan shows it, turned a few degrees and resampled as a
// warp does: paper, fields, water, roads and lettering, with the blended
// shades of their edges and the grain of the paper.
QImage warpedMapScan(int size, uint32_t seed, bool grain) {
  QImage sheet(size + 64, size + 64, QImage::Format_RGB32);
  sheet.fill(qRgb(244, 238, 222));
  QPainter p(&sheet);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(QRect(20, 30, size / 2, size / 3), QColor(214, 228, 190));
  p.setBrush(QColor(170, 205, 230));
  p.setPen(QPen(QColor(60, 110, 170), 2));
  p.drawEllipse(QPoint(size * 2 / 3, size * 2 / 3), size / 5, size / 7);
  QRandomGenerator random(seed);
  for (int i = 0; i < 40; ++i) {
    p.setPen(QPen(i % 3 ? QColor(40, 40, 40) : QColor(180, 60, 40), 1 + random.bounded(3)));
    QPainterPath road(QPointF(random.bounded(size), random.bounded(size)));
    road.cubicTo(random.bounded(size), random.bounded(size), random.bounded(size), random.bounded(size),
                 random.bounded(size), random.bounded(size));
    p.setBrush(Qt::NoBrush);
    p.drawPath(road);
  }
  p.end();
  for (int y = 0; y < sheet.height() && grain; ++y) {
    auto* line = reinterpret_cast<QRgb*>(sheet.scanLine(y));
    for (int x = 0; x < sheet.width(); ++x) {
      const int n = static_cast<int>(random.bounded(5)) - 2;
      line[x] = qRgb(std::clamp(qRed(line[x]) + n, 0, 255), std::clamp(qGreen(line[x]) + n, 0, 255),
                     std::clamp(qBlue(line[x]) + n, 0, 255));
    }
  }
  const QImage turned = sheet.transformed(QTransform().rotate(3.0), Qt::SmoothTransformation);
  return turned.copy(QRect((turned.width() - size) / 2, (turned.height() - size) / 2, size, size))
      .convertToFormat(QImage::Format_RGB32);
}

constexpr QRgb kPaper = qRgb(244, 238, 222);

// The share of the plain paper (pixels whose whole 5 x 5 neighbourhood is
// paper) that takes the paper's most common palette index.
double flatShare(const QImage& indexed, const QImage& scan) {
  std::array<int, 256> counts{};
  int total = 0;
  for (int y = 2; y < scan.height() - 2; ++y)
    for (int x = 2; x < scan.width() - 2; ++x) {
      bool plain = true;
      for (int dy = -2; dy <= 2 && plain; ++dy)
        for (int dx = -2; dx <= 2 && plain; ++dx) plain = (scan.pixel(x + dx, y + dy) | 0xff000000u) == kPaper;
      if (!plain) continue;
      ++counts[static_cast<size_t>(indexed.pixelIndex(x, y))];
      ++total;
    }
  return total == 0 ? 0.0 : *std::max_element(counts.begin(), counts.end()) / static_cast<double>(total);
}

}  // namespace

TEST(ColourDifference, KnownDistances) {
  EXPECT_DOUBLE_EQ(ciede2000(qRgb(12, 34, 56), qRgb(12, 34, 56)), 0.0);
  EXPECT_NEAR(ciede2000(qRgb(0, 0, 0), qRgb(255, 255, 255)), 100.0, 0.01);
  // Symmetric, and a step of one level is barely visible.
  EXPECT_NEAR(ciede2000(qRgb(200, 30, 90), qRgb(20, 160, 240)), ciede2000(qRgb(20, 160, 240), qRgb(200, 30, 90)), 1e-9);
  EXPECT_LT(ciede2000(qRgb(128, 128, 128), qRgb(129, 128, 128)), 1.0);
  EXPECT_EQ(meanColourDifference(QImage(2, 2, QImage::Format_RGB32), QImage(3, 2, QImage::Format_RGB32)), -1.0);
}

TEST(TilePalette, AWarpedScanKeepsItsColoursAndItsFlatTints) {
  for (uint32_t seed : {1u, 7u, 42u}) {
    for (bool grain : {true, false}) {
      const QImage scan = warpedMapScan(256, seed, grain);
      QImage tile = scan;
      ASSERT_TRUE(DIBto8Bit(tile));
      ASSERT_EQ(tile.format(), QImage::Format_Indexed8);
      EXPECT_LE(tile.colorCount(), 256);
      // Far below what a fixed cube of 216 colours gives (about 3 to 4).
      const double error = meanColourDifference(tile, scan);
      EXPECT_GE(error, 0.0);
      EXPECT_LT(error, 1.5) << "seed " << seed << " grain " << grain;
      // Written and read back, the PNG is the same picture.
      EXPECT_DOUBLE_EQ(meanColourDifference(decodePng(encodePng(tile)), scan), error);
      // Plain paper is one colour, not a dot pattern.
      if (!grain) {
        EXPECT_GT(flatShare(tile, scan), 0.99) << "seed " << seed;
      }
    }
  }
}

TEST(TilePalette, FewColoursAreKeptExactly) {
  QImage image(64, 64, QImage::Format_RGB32);
  // 32 x 8 = 256 colours, the most a palette holds.
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) image.setPixel(x, y, qRgb((x % 32) * 8, (y / 8) * 30, 77));
  const QImage indexed = quantizeToPalette(image);
  ASSERT_EQ(indexed.format(), QImage::Format_Indexed8);
  EXPECT_EQ(meanColourDifference(indexed, image), 0.0);
  EXPECT_TRUE(quantizeToPalette(QImage()).isNull());
}
