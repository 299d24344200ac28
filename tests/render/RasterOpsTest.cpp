// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <random>

#include "StretchReference.h"
#include "render/RasterOps.h"

using namespace kavalo;

namespace {

QImage solid(int w, int h, QRgb c) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(c);
  return image;
}

QImage noise(int w, int h, std::mt19937& rng) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, 0xFF000000u | (rng() & 0xFFFFFFu));
  return image;
}

// The first pixel of a rectangle whose colour differs from c, as text.
std::string firstDifferent(const QImage& image, const QRect& r, QRgb c) {
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (image.pixel(x, y) != c)
        return "(" + std::to_string(x) + "," + std::to_string(y) +
               ") = " + QString::number(image.pixel(x, y), 16).toStdString();
  return {};
}

}  // namespace

TEST(RasterOps, AUniformSourceKeepsItsExactColourAtEverySize) {
  std::mt19937 rng(7);
  for (int trial = 0; trial < 300; ++trial) {
    const int sw = 1 + static_cast<int>(rng() % 300), sh = 1 + static_cast<int>(rng() % 300);
    const int dw = 1 + static_cast<int>(rng() % 700), dh = 1 + static_cast<int>(rng() % 700);
    const QRgb c = 0xFF000000u | (rng() & 0xFFFFFFu);
    QImage dst = solid(dw, dh, 0xFF123456u);
    stretchBlt(dst, dst.rect(), solid(sw, sh, c), QRect(0, 0, sw, sh), RasterOp::Copy, QRegion(dst.rect()));
    ASSERT_EQ(firstDifferent(dst, dst.rect(), c), "") << sw << "x" << sh << " -> " << dw << "x" << dh;
  }
}

TEST(RasterOps, AnUnscaledRectangleIsCopiedUnchanged) {
  std::mt19937 rng(3);
  const QImage src = noise(60, 40, rng);
  QImage dst = solid(100, 100, 0xFF000000u);
  stretchBlt(dst, QRect(10, 20, 50, 30), src, QRect(5, 4, 50, 30), RasterOp::Copy, QRegion(dst.rect()));
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 50; ++x) ASSERT_EQ(dst.pixel(10 + x, 20 + y), src.pixel(5 + x, 4 + y)) << x << "," << y;
  EXPECT_EQ(dst.pixel(9, 20), 0xFF000000u);
  EXPECT_EQ(dst.pixel(60, 49), 0xFF000000u);

  // Combined one to one with what lies there, inside a clip of two pieces.
  const QRegion clip = QRegion(12, 22, 20, 5) + QRegion(40, 30, 15, 15);
  for (RasterOp rop : {RasterOp::And, RasterOp::Paint}) {
    const QImage before = noise(100, 100, rng);
    QImage combined = before;
    stretchBlt(combined, QRect(10, 20, 50, 30), src, QRect(5, 4, 50, 30), rop, clip);
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 100; ++x) {
        const QRgb s = x >= 10 && x < 60 && y >= 20 && y < 50 ? src.pixel(x - 5, y - 16) : 0;
        const QRgb d = before.pixel(x, y);
        const QRgb expected = !clip.contains(QPoint(x, y)) || s == 0 ? d : rop == RasterOp::And ? (s & d) : (s | d);
        ASSERT_EQ(combined.pixel(x, y), expected) << x << "," << y;
      }
  }
}

TEST(RasterOps, VectorPathAgreesWithTheReferenceEverywhere) {
  std::mt19937 rng(11);
  for (int trial = 0; trial < 120; ++trial) {
    const int sw = 1 + static_cast<int>(rng() % 90), sh = 1 + static_cast<int>(rng() % 90);
    const QImage src = noise(sw + 4, sh + 4, rng);
    const QRect srcRect(static_cast<int>(rng() % 4), static_cast<int>(rng() % 4), sw, sh);
    const int dw = 1 + static_cast<int>(rng() % 250), dh = 1 + static_cast<int>(rng() % 250);
    const QRect dstRect(static_cast<int>(rng() % 40) - 20, static_cast<int>(rng() % 40) - 20, dw, dh);
    const RasterOp rop = static_cast<RasterOp>(rng() % 3);
    // A clip of two strips, as a drag makes.
    const QRegion clip = QRegion(0, 0, 17, 200) + QRegion(0, 150, 200, 50);
    QImage a = noise(200, 200, rng);
    QImage b = a.copy();
    stretchBlt(a, dstRect, src, srcRect, rop, clip);
    test::stretchReference(b, dstRect, src, srcRect, rop, clip);
    ASSERT_EQ(a, b) << sw << "x" << sh << " -> " << dw << "x" << dh << " rop " << static_cast<int>(rop);
  }
}

TEST(RasterOps, APaletteSourceStretchesExactlyAsItsConvertedPicture) {
  // A palette with colours of every kind, transparent ones included (they
  // lie on white), read through as rows are needed rather than converted.
  std::mt19937 rng(5);
  QImage indexed(37, 29, QImage::Format_Indexed8);
  QList<QRgb> table;
  for (int i = 0; i < 200; ++i) table << ((i % 7 == 0 ? (rng() & 0xFF) << 24 : 0xFF000000u) | (rng() & 0xFFFFFFu));
  indexed.setColorTable(table);
  for (int y = 0; y < indexed.height(); ++y)
    for (int x = 0; x < indexed.width(); ++x) indexed.setPixel(x, y, static_cast<uint>(rng() % 200));
  const QImage converted = indexed.convertToFormat(QImage::Format_ARGB32);
  struct Case {
    QRect dest, source;
    bool apron;
  } cases[] = {
      {{3, 4, 33, 25}, {2, 2, 33, 25}, false},    // one to one
      {{0, 0, 20, 15}, {0, 0, 37, 29}, false},    // shrunk
      {{-5, 7, 90, 70}, {1, 1, 35, 27}, false},   // enlarged, cut by the picture's edge
      {{10, 10, 80, 60}, {1, 1, 35, 27}, true},   // enlarged into the apron
      {{0, 0, 50, 40}, {30, 20, 20, 20}, false},  // reaching beyond the source: white
  };
  for (const Case& c : cases)
    for (RasterOp rop : {RasterOp::Copy, RasterOp::And, RasterOp::Paint}) {
      QImage a = noise(100, 90, rng);
      QImage b = a.copy();
      const QRegion clip = QRegion(0, 0, 100, 90).subtracted(QRegion(40, 30, 10, 10));
      if (c.apron) {
        stretchBltWithApron(a, c.dest, indexed, c.source, rop, clip);
        stretchBltWithApron(b, c.dest, converted, c.source, rop, clip);
      } else {
        stretchBlt(a, c.dest, indexed, c.source, rop, clip);
        stretchBlt(b, c.dest, converted, c.source, rop, clip);
      }
      ASSERT_EQ(a, b) << c.dest.width() << "x" << c.dest.height() << " rop " << static_cast<int>(rop);
    }
}

TEST(RasterOps, ShrinkingAveragesAndEnlargingInterpolates) {
  // Two columns, black and white, shrunk to one pixel: their mean.
  QImage src(2, 1, QImage::Format_RGB32);
  src.setPixel(0, 0, 0xFF000000u);
  src.setPixel(1, 0, 0xFFFFFFFFu);
  QImage one = solid(1, 1, 0xFF00FF00u);
  stretchBlt(one, one.rect(), src, src.rect(), RasterOp::Copy, QRegion(one.rect()));
  EXPECT_EQ(qRed(one.pixel(0, 0)), 128);
  // Enlarged to four: the outer pixels hold the edge colours, the inner ones
  // lie between them in order.
  QImage four = solid(4, 1, 0xFF00FF00u);
  stretchBlt(four, four.rect(), src, src.rect(), RasterOp::Copy, QRegion(four.rect()));
  EXPECT_EQ(qRed(four.pixel(0, 0)), 0);
  EXPECT_EQ(qRed(four.pixel(3, 0)), 255);
  EXPECT_GT(qRed(four.pixel(1, 0)), 0);
  EXPECT_LT(qRed(four.pixel(1, 0)), qRed(four.pixel(2, 0)));
  EXPECT_LT(qRed(four.pixel(2, 0)), 255);
}

TEST(RasterOps, OperationsCombineBitwiseInsideTheClipOnly) {
  const QRgb background = 0xFFC0A050u;
  const QRgb source = 0xFF3366F0u;
  const QRegion clip(10, 0, 10, 20);  // x 10..19
  for (RasterOp rop : {RasterOp::Copy, RasterOp::And, RasterOp::Paint}) {
    QImage dst = solid(30, 20, background);
    stretchBlt(dst, QRect(0, 0, 30, 20), solid(7, 5, source), QRect(0, 0, 7, 5), rop, clip);
    const QRgb expected = rop == RasterOp::Copy  ? source
                          : rop == RasterOp::And ? (source & background)
                                                 : (source | background);
    EXPECT_EQ(dst.pixel(10, 5), expected);
    EXPECT_EQ(dst.pixel(19, 19), expected);
    EXPECT_EQ(dst.pixel(9, 5), background);
    EXPECT_EQ(dst.pixel(20, 5), background);

    QImage filled = solid(30, 20, background);
    fillRect(filled, QRect(0, 0, 30, 20), source, rop, clip);
    EXPECT_EQ(filled.pixel(15, 10), expected);
    EXPECT_EQ(filled.pixel(25, 10), background);
  }
}

TEST(RasterOps, SourceOutsideThePictureReadsWhite) {
  // A 4 x 4 black picture asked for 8 x 4: the right half is white.
  QImage dst = solid(8, 4, 0xFF00FF00u);
  stretchBlt(dst, dst.rect(), solid(4, 4, 0xFF000000u), QRect(0, 0, 8, 4), RasterOp::Copy, QRegion(dst.rect()));
  EXPECT_EQ(dst.pixel(1, 1), 0xFF000000u);
  EXPECT_EQ(dst.pixel(6, 1), 0xFFFFFFFFu);
}

TEST(RasterOps, EmptyRectanglesDrawNothing) {
  QImage dst = solid(10, 10, 0xFF010203u);
  const QImage before = dst.copy();
  stretchBlt(dst, QRect(0, 0, 0, 10), solid(3, 3, 0xFF000000u), QRect(0, 0, 3, 3), RasterOp::Copy, QRegion(dst.rect()));
  stretchBlt(dst, QRect(0, 0, 10, 10), solid(3, 3, 0xFF000000u), QRect(0, 0, 0, 3), RasterOp::Copy,
             QRegion(dst.rect()));
  stretchBlt(dst, QRect(20, 20, 5, 5), solid(3, 3, 0xFF000000u), QRect(0, 0, 3, 3), RasterOp::Copy,
             QRegion(dst.rect()));
  EXPECT_EQ(dst, before);
}

TEST(RasterOps, TheVeilIsWhiteAtAlpha80) {
  EXPECT_EQ(veilChannel(0), 80);
  EXPECT_EQ(veilChannel(255), 255);
  // round((80 * 255 + 100 * 175) / 255) = round(148.63) = 149
  EXPECT_EQ(veilChannel(100), 149);
  for (int d = 0; d < 256; ++d) {
    const double exact = (80.0 * 255.0 + d * 175.0) / 255.0;
    ASSERT_LE(std::abs(veilChannel(static_cast<uint8_t>(d)) - exact), 0.5) << d;
  }
  QImage dst = solid(6, 6, 0xFF000000u);
  dst.setPixel(5, 5, 0xFF6400FFu);
  veilRect(dst, QRect(2, 2, 10, 10), QRegion(dst.rect()));
  EXPECT_EQ(dst.pixel(1, 1), 0xFF000000u);
  EXPECT_EQ(dst.pixel(2, 2), 0xFF505050u);
  EXPECT_EQ(dst.pixel(5, 5), qRgb(149, 80, 255));
}

TEST(RasterOps, CopyImageMovesAPictureByAnOffset) {
  std::mt19937 rng(5);
  const QImage snapshot = noise(40, 30, rng);
  QImage view = solid(40, 30, 0xFF0000FFu);
  copyImage(view, QPoint(7, -4), snapshot, QRegion(view.rect()));
  EXPECT_EQ(view.pixel(7, 0), snapshot.pixel(0, 4));
  EXPECT_EQ(view.pixel(39, 25), snapshot.pixel(32, 29));
  EXPECT_EQ(view.pixel(6, 10), 0xFF0000FFu);   // the uncovered strip on the left
  EXPECT_EQ(view.pixel(20, 26), 0xFF0000FFu);  // and at the bottom
  QImage clipped = solid(40, 30, 0xFF0000FFu);
  copyImage(clipped, QPoint(0, 0), snapshot, QRegion(10, 10, 5, 5));
  EXPECT_EQ(clipped.pixel(12, 12), snapshot.pixel(12, 12));
  EXPECT_EQ(clipped.pixel(9, 12), 0xFF0000FFu);
}
