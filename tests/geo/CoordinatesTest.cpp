// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>

#include "model/Coordinates.h"

using namespace kavalo;

namespace {

MapInfo sampleInfo() {
  MapInfo m;
  m.tileWidth = 370;
  m.tileHeight = 300;
  m.sheetsX = 2;
  m.sheetsY = 2;
  m.tilesPerSheetX = 4;
  m.tilesPerSheetY = 4;
  m.west = 139.75f;
  m.north = 35.75f;
  m.frame[0] = {5, -7};
  m.frame[1] = {0, 0};
  m.frame[2] = {-37, 29};
  m.totalCols = 8;
  m.totalRows = 8;
  return m;
}

Viewport view(const MapInfo& m, float cx, float cy, int zoom, int w, int h, double mm = 25.4 / 96) {
  return Viewport(&m, computeScaleFactors(m, mm, mm), cx, cy, zoom, w, h);
}

}  // namespace

TEST(Coordinates, TheNorthWestCornerIsTheOriginOfTheTokyoGraticule) {
  const MapInfo m = sampleInfo();
  ImagePoint p = LatLonToImage(m, m.north, m.west, 0);
  EXPECT_EQ(p.x, 0.0f);
  EXPECT_EQ(p.y, 0.0f);
  p = LatLonToImage(m, m.north, m.west, 1);
  EXPECT_EQ(p.x, -37.0f);
  EXPECT_EQ(p.y, 29.0f);
  // Any flag other than 1 is the Tokyo datum.
  p = LatLonToImage(m, m.north, m.west, 2);
  EXPECT_EQ(p.x, 0.0f);
}

TEST(Coordinates, ImageAndGeographicPositionsRoundTrip) {
  const MapInfo m = sampleInfo();
  for (int datum : {0, 1}) {
    for (float lat : {35.75f, 35.7f, 35.6f}) {
      for (float lon : {139.75f, 139.8f, 139.99f}) {
        const ImagePoint p = LatLonToImage(m, lat, lon, datum);
        const LatLon back = ImageToLatLon(m, p.x, p.y, datum);
        EXPECT_NEAR(back.lat, lat, 2e-5);
        EXPECT_NEAR(back.lon, lon, 2e-5);
      }
    }
  }
}

TEST(Coordinates, SinglesAreStoredAtTheWrittenPoints) {
  const MapInfo m = sampleInfo();
  // fx is kept as a single before it multiplies the mosaic width.
  const float lon = 139.81234f;
  const float fx = static_cast<float>((static_cast<double>(lon) - m.west) / (2 * 0.125));
  const float fy = static_cast<float>((static_cast<double>(m.north) - 35.7f) / (2 * 0.08333333));
  const ImagePoint p = LatLonToImage(m, 35.7f, lon, 0);
  EXPECT_EQ(p.x, static_cast<float>(static_cast<double>(fx) * 2960.0));
  EXPECT_EQ(p.y, static_cast<float>(static_cast<double>(fy) * 2400.0));
}

TEST(Coordinates, ZeroWorldOffsetGivesTheSameCoordinatesInBothDatums) {
  MapInfo m = sampleInfo();
  m.frame[2] = {0, 0};
  const LatLon a = ImageToLatLon(m, 1234.5f, 567.25f, 0);
  const LatLon b = ImageToLatLon(m, 1234.5f, 567.25f, 1);
  EXPECT_EQ(a.lat, b.lat);
  EXPECT_EQ(a.lon, b.lon);
  const LatLon t = TokyoToWorld(m, 35.7f, 139.8f);
  EXPECT_NEAR(t.lat, 35.7f, 1e-5);
}

TEST(Coordinates, TokyoToWorldShiftsByTheWorldFrameOffset) {
  const MapInfo m = sampleInfo();
  const LatLon w = TokyoToWorld(m, 35.7f, 139.8f);
  // The world graticule lies 37 pixels west and 29 pixels south of the Tokyo
  // one: the same image point reads 37 pixels further east and 29 north.
  EXPECT_NEAR(w.lon - 139.8f, 37.0 / 2960.0 * 0.25, 1e-5);
  EXPECT_NEAR(w.lat - 35.7f, 29.0 / 2400.0 * 2 * 0.08333333, 1e-5);
}

TEST(Coordinates, ScreenDistancesScaleWithZoom) {
  const MapInfo m = sampleInfo();
  // A screen pixel as large as an image pixel on paper.
  const double mm = 370.0 / 1200.0;
  const Viewport v100 = view(m, 1000, 800, 100, 800, 400, mm);
  const Viewport v200 = view(m, 1000, 800, 200, 800, 400, mm);
  EXPECT_EQ(v100.ScreenToImageDX(100), 100.0f);
  EXPECT_EQ(v200.ScreenToImageDX(100), 50.0f);
  const ImageRect r = v100.Get_ViewRect();
  EXPECT_EQ(r.left, 600);
  EXPECT_EQ(r.right, 1400);
  EXPECT_EQ(r.top, 600);
  EXPECT_EQ(r.bottom, 1000);
}

TEST(Coordinates, ImageToScreenRoundsTheProductThenTheSum) {
  MapInfo m = sampleInfo();
  // ScreenPerImage of exactly 1.5: 370 mm over 1200 px and 0.20555... mm per px
  // would not be exact; use 2: 0.5 mm per image px and 0.25 mm per screen px.
  m.tileHeight = 185;
  const Viewport v(&m, computeScaleFactors(m, 0.25, 0.25), 10.0f, 10.0f, 100, 101, 100);
  ASSERT_EQ(v.scale().screenPerImageX, 2.0f);
  // (x - cx) * 2 = 2; W / 2 = 50.5; 52.5 rounds to 52 (half to even).
  EXPECT_EQ(v.ImageToScreen(11, 10), QPoint(52, 50));
  EXPECT_EQ(v.ImageToScreen(12, 10), QPoint(54, 50));
  // The view centre is drawn at the middle of the view.
  const ImagePoint p = v.ScreenToImage(50.5, 50);
  EXPECT_EQ(p.x, 10.0f);
  EXPECT_EQ(p.y, 10.0f);
}

TEST(Coordinates, ViewGeoBoxSpansTheView) {
  const MapInfo m = sampleInfo();
  const Viewport v = view(m, 1480, 1200, 100, 400, 300);
  const GeoBox b = v.Get_ViewGeoBox(0);
  const LatLon c = ImageToLatLon(m, 1480, 1200, 0);
  EXPECT_LT(b.west, c.lon);
  EXPECT_GT(b.east, c.lon);
  EXPECT_GT(b.north, c.lat);
  EXPECT_LT(b.south, c.lat);
  EXPECT_NEAR((b.west + b.east) / 2, c.lon, 1e-5);
}

TEST(Coordinates, DegreesSplitIntoMinutesAndSeconds) {
  DMS d = DegToDMS(35.5f);
  EXPECT_EQ(d.degrees, 35);
  EXPECT_EQ(d.minutes, 30);
  EXPECT_EQ(d.seconds, 0.0f);
  d = DegToDMS(139.999f);
  EXPECT_EQ(d.degrees, 139);
  EXPECT_EQ(d.minutes, 59);
  EXPECT_NEAR(d.seconds, 56.4, 0.05);
}

TEST(Coordinates, BoxRelations) {
  const GeoBox a{139.0f, 139.5f, 36.0f, 35.5f};
  EXPECT_EQ(BoxRelation(a, a), 1);
  EXPECT_EQ(BoxRelation(GeoBox{139.5f, 140.0f, 36.0f, 35.5f}, a), 0);   // shares the east edge
  EXPECT_EQ(BoxRelation(GeoBox{139.1f, 139.2f, 35.9f, 35.8f}, a), 1);   // inside
  EXPECT_EQ(BoxRelation(GeoBox{138.0f, 140.0f, 37.0f, 35.0f}, a), 0);   // around it
  EXPECT_EQ(BoxRelation(GeoBox{139.6f, 140.0f, 36.0f, 35.5f}, a), -1);  // east of it
  EXPECT_EQ(BoxRelation(GeoBox{138.0f, 138.9f, 36.0f, 35.5f}, a), -1);  // west
  EXPECT_EQ(BoxRelation(GeoBox{139.0f, 139.5f, 37.0f, 36.1f}, a), -1);  // north
  EXPECT_EQ(BoxRelation(GeoBox{139.0f, 139.5f, 35.4f, 35.0f}, a), -1);  // south
}

TEST(Coordinates, SheetCellsFollowTheEraFrame) {
  const MapInfo m = sampleInfo();
  SheetCell c = SheetCellAt(m, 1480.0f + 5, 1200.0f - 7, 0);
  EXPECT_TRUE(c.inRange);
  EXPECT_EQ(c.column, 1);
  EXPECT_EQ(c.row, 1);
  // One pixel west of the frame offset is out of range although the
  // truncated quotient is 0.
  c = SheetCellAt(m, 4.0f, 100.0f, 0);
  EXPECT_EQ(c.column, 0);
  EXPECT_FALSE(c.inRange);
  c = SheetCellAt(m, 2960.0f, 100.0f, 1);
  EXPECT_FALSE(c.inRange);
  c = SheetCellAt(m, 2959.4f, 2399.4f, 1);
  EXPECT_TRUE(c.inRange);
}
