// SPDX-License-Identifier: MIT
// Every era is drawn from the same terrain, each on the grid of its own
// frame: stepping through the eras keeps the coast, the rivers and the
// contours in place. These tests look at the same image positions in tiles of
// eras with different frame offsets.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "SampleRun.h"

using namespace sampletest;

namespace {

const kavalo::Era* eraNamed(const QString& name) {
  for (const kavalo::Era& e : sampleRegion().state.eras)
    if (e.name == name) return &e;
  return nullptr;
}

TileGrid gridOf(const kavalo::Era& e, int dx = 0, int dy = 0) {
  const kavalo::MapInfo& m = sampleRegion().state.mapInfo;
  const kavalo::FrameOffset f = m.frame[e.frameType];
  return TileGrid(sampleFolder() + u'/' + e.name, e.ext, f.x + dx, f.y + dy, m.tileWidth, m.tileHeight);
}

struct ShorePoint {
  int x, y;  // image position
  bool sea;
};

// Grid points a little off the coast, on either side: sea points with land
// two to four cells away, land points with sea two to four cells away. A
// picture shifted by tens of pixels gets many of them wrong.
std::vector<ShorePoint> pointsNearTheShore() {
  const kavalo::AltitudeGrid& g = sampleRegion().state.altitude;
  std::vector<ShorePoint> out;
  for (int y = 4; y < g.rows - 4; y += 3)
    for (int x = 4; x < g.columns - 4; x += 3) {
      const bool sea = g.cell(x, y) == kavalo::kSeaValue;
      int nearest = 99;
      for (int dy = -4; dy <= 4; ++dy)
        for (int dx = -4; dx <= 4; ++dx)
          if ((g.cell(x + dx, y + dy) == kavalo::kSeaValue) != sea)
            nearest = std::min(nearest, std::max(std::abs(dx), std::abs(dy)));
      if (nearest >= 2 && nearest <= 4)
        out.push_back({static_cast<int>(std::lround(x * g.pitchX)), static_cast<int>(std::lround(y * g.pitchY)), sea});
    }
  return out;
}

// Share of the points whose colour says sea or land as the grid does.
double shoreAgreement(TileGrid& tiles, bool masked, TileGrid* masks) {
  int agree = 0, seen = 0;
  for (const ShorePoint& p : pointsNearTheShore()) {
    QRgb c;
    if (!tiles.pixel(p.x, p.y, c)) continue;
    if (masked) {
      QRgb m;
      if (!masks->maskPixel(p.x, p.y, m)) continue;
      if (m == qRgb(255, 255, 255)) c = qRgb(255, 255, 255);  // transparent: not water
    }
    const bool water = qBlue(c) > qRed(c) + 8;
    ++seen;
    agree += water == p.sea;
  }
  return seen > 0 ? double(agree) / seen : 0.0;
}

bool brown(QRgb c) { return qRed(c) > 110 && qRed(c) > qGreen(c) + 30 && qGreen(c) > qBlue(c) + 15; }

// Share of the contour pixels of one era that find a contour pixel of the
// other era within a pixel at the same image position.
double contourAgreement(TileGrid& a, TileGrid& b, int x0, int y0, int size) {
  int agree = 0, seen = 0;
  for (int y = y0; y < y0 + size; ++y)
    for (int x = x0; x < x0 + size; ++x) {
      QRgb c;
      if (!a.pixel(x, y, c) || !brown(c)) continue;
      ++seen;
      bool found = false;
      for (int dy = -1; dy <= 1 && !found; ++dy)
        for (int dx = -1; dx <= 1 && !found; ++dx) {
          QRgb d;
          found = b.pixel(x + dx, y + dy, d) && brown(d);
        }
      agree += found;
    }
  return seen > 200 ? double(agree) / seen : 0.0;
}

}  // namespace

TEST(SampleRegionAlignment, PhotosAndMapsOfTheWorldFrameFollowTheCoastOfTheGrid) {
  ASSERT_TRUE(sampleRegion().loaded());
  ASSERT_GT(pointsNearTheShore().size(), 200u);
  const kavalo::Era* photo = eraNamed(QStringLiteral("DKO00"));
  const kavalo::Era* agency = eraNamed(QStringLiteral("W00"));
  const kavalo::Era* sheets = eraNamed(QStringLiteral("2001"));
  ASSERT_TRUE(photo && agency && sheets);
  TileGrid photoTiles = gridOf(*photo);
  EXPECT_GT(shoreAgreement(photoTiles, false, nullptr), 0.9);
  TileGrid agencyTiles = gridOf(*agency);
  EXPECT_GT(shoreAgreement(agencyTiles, true, &agencyTiles), 0.9);
  TileGrid sheetTiles = gridOf(*sheets);
  EXPECT_GT(shoreAgreement(sheetTiles, true, &sheetTiles), 0.9);
  // The same tiles read without the frame offset miss the coast: the check
  // can tell a misplaced grid.
  const kavalo::FrameOffset world = sampleRegion().state.mapInfo.frame[photo->frameType];
  TileGrid misplaced = gridOf(*photo, -world.x, -world.y);
  EXPECT_LT(shoreAgreement(misplaced, false, nullptr), shoreAgreement(photoTiles, false, nullptr) - 0.2);
}

TEST(SampleRegionAlignment, ContoursOfOldAndTokyoFramesCoincide) {
  ASSERT_TRUE(sampleRegion().loaded());
  const kavalo::Era* old = eraNamed(QStringLiteral("1909"));
  const kavalo::Era* tokyo = eraNamed(QStringLiteral("1931"));
  ASSERT_TRUE(old && tokyo);
  ASSERT_NE(sampleRegion().state.mapInfo.frame[old->frameType].x,
            sampleRegion().state.mapInfo.frame[tokyo->frameType].x);
  TileGrid a = gridOf(*old), b = gridOf(*tokyo);
  // Hills of the north-western sheet, which both editions have.
  const double aligned = contourAgreement(b, a, 300, 200, 500);
  EXPECT_GT(aligned, 0.85);
  TileGrid shifted = gridOf(*old, -sampleRegion().state.mapInfo.frame[old->frameType].x, 0);
  EXPECT_LT(contourAgreement(b, shifted, 300, 200, 500), aligned - 0.2);
}
