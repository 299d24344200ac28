// SPDX-License-Identifier: MIT
// A masked map's tile over the elevation colours: exact where the mask is
// pure, clean where stretching leaves in-between values.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <random>

#include "render/RasterOps.h"

using namespace kavalo;

namespace {

QImage noise(int w, int h, std::mt19937& rng) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, 0xFF000000u | (rng() & 0xFFFFFFu));
  return image;
}

// A mask of black blobs on white (black: the map covers the background).
QImage blobMask(int w, int h, std::mt19937& rng) {
  QImage mask(w, h, QImage::Format_RGB32);
  mask.fill(Qt::white);
  for (int k = 0; k < 6; ++k) {
    const int x0 = static_cast<int>(rng() % w), y0 = static_cast<int>(rng() % h);
    const int bw = 2 + static_cast<int>(rng() % 12), bh = 2 + static_cast<int>(rng() % 12);
    for (int y = y0; y < std::min(h, y0 + bh); ++y)
      for (int x = x0; x < std::min(w, x0 + bw); ++x) mask.setPixel(x, y, 0xFF000000u);
  }
  return mask;
}

}  // namespace

TEST(MaskedTile, WhereTheStretchedMaskIsPureTheResultIsTheBitwiseOne) {
  std::mt19937 rng(5);
  struct Case {
    QRect dest;  // over a 40 x 30 source
  };
  // Unscaled, enlarged by 2.5 and 3.3, shrunk, and cut by the clip.
  const Case cases[] = {{QRect(3, 4, 40, 30)}, {QRect(0, 0, 100, 75)}, {QRect(-7, 2, 132, 99)}, {QRect(5, 5, 28, 21)}};
  for (const Case& c : cases) {
    const QImage background = noise(120, 90, rng);
    // The tile has colour bits under white mask pixels too: the bitwise OR
    // shows them there, and so must the composition.
    const QImage tile = noise(40, 30, rng);
    const QImage mask = blobMask(40, 30, rng);
    const QRegion clip(QRect(0, 0, 110, 80));

    QImage reference = background;
    stretchBlt(reference, c.dest, mask, mask.rect(), RasterOp::And, clip);
    stretchBlt(reference, c.dest, tile, tile.rect(), RasterOp::Paint, clip);
    QImage stretchedMask(background.size(), QImage::Format_RGB32);
    stretchedMask.fill(Qt::gray);
    stretchBlt(stretchedMask, c.dest, mask, mask.rect(), RasterOp::Copy, clip);

    QImage composed = background;
    stretchMaskedBlt(composed, c.dest, tile, mask, tile.rect(), clip);
    int pure = 0;
    for (int y = 0; y < background.height(); ++y) {
      for (int x = 0; x < background.width(); ++x) {
        const QRgb m = stretchedMask.pixel(x, y);
        if (m != 0xFF000000u && m != 0xFFFFFFFFu) continue;
        ++pure;
        ASSERT_EQ(composed.pixel(x, y), reference.pixel(x, y)) << x << "," << y << " dest " << c.dest.x();
      }
    }
    // Outside the clip nothing changes (the pure test covered inside it).
    EXPECT_EQ(composed.pixel(115, 85), background.pixel(115, 85));
    EXPECT_GT(pure, 300);
  }
}

TEST(MaskedTile, AtTheEdgesOfTheMapNoChannelGoesBeyondTheBackgroundAndTheMap) {
  // A map colour laid on elevation colours through a mask of black lines,
  // enlarged by a factor that is not whole (or with the one-pixel overlap of
  // neighbouring tiles): along the lines the stretched values lie between.
  const QRgb map = qRgb(0x20, 0x40, 0xA0);
  const QRgb backgroundColour = qRgb(0xE0, 0xC0, 0x40);
  QImage mask(24, 24, QImage::Format_RGB32), tile(24, 24, QImage::Format_RGB32);
  mask.fill(Qt::white);
  tile.fill(Qt::black);
  for (int i = 0; i < 24; ++i) {
    for (int w = 0; w < 2; ++w) {
      mask.setPixel(i, 7 + w, 0xFF000000u);
      mask.setPixel(15 + w, i, 0xFF000000u);
      tile.setPixel(i, 7 + w, map);
      tile.setPixel(15 + w, i, map);
    }
  }
  for (const QRect dest : {QRect(0, 0, 25, 25), QRect(0, 0, 79, 79), QRect(0, 0, 17, 17)}) {
    QImage out(dest.size(), QImage::Format_RGB32);
    out.fill(backgroundColour);
    stretchMaskedBlt(out, dest, tile, mask, tile.rect(), QRegion(out.rect()));
    int between = 0;
    for (int y = 0; y < out.height(); ++y) {
      for (int x = 0; x < out.width(); ++x) {
        const QRgb p = out.pixel(x, y);
        for (int shift : {16, 8, 0}) {
          auto channel = [shift](QRgb c) { return static_cast<int>((c >> shift) & 0xFF); };
          // One step of rounding from each of the two stretches.
          const int lo = std::min(channel(map), channel(backgroundColour)) - 1;
          const int hi = std::max(channel(map), channel(backgroundColour)) + 1;
          ASSERT_GE(channel(p), lo) << x << "," << y << " in " << dest.width();
          ASSERT_LE(channel(p), hi) << x << "," << y << " in " << dest.width();
        }
        if (p != map && p != backgroundColour) ++between;
      }
    }
    if (dest.width() != 24) EXPECT_GT(between, 0);
  }
}

TEST(MaskedTile, ASoftMaskLetsTheBackgroundThroughByItsShare) {
  struct Case {
    int mask, tile, background, expected;
  };
  // t + round(d m / 255); pure masks are bitwise.
  const Case cases[] = {
      {128, 0, 200, 100},      {64, 90, 200, 140},    {191, 10, 255, 201},
      {255, 0x0F, 0xF0, 0xFF}, {0, 0x0F, 0xF0, 0x0F}, {250, 200, 250, 255},
  };
  for (const Case& c : cases) {
    // Five pixels: four at a time and one on its own take the same result.
    QImage mask(5, 1, QImage::Format_RGB32), tile(5, 1, QImage::Format_RGB32), out(5, 1, QImage::Format_RGB32);
    mask.fill(qRgb(c.mask, c.mask, c.mask));
    tile.fill(qRgb(c.tile, 0, c.tile));
    out.fill(qRgb(c.background, c.background, 0));
    stretchMaskedBlt(out, out.rect(), tile, mask, tile.rect(), QRegion(out.rect()));
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(qRed(out.pixel(x, 0)), c.expected) << c.mask << " " << c.tile << " " << c.background << " at " << x;
      EXPECT_EQ(qBlue(out.pixel(x, 0)), c.tile) << "a black background leaves the map as it is";
    }
  }
}
