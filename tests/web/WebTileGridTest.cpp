// SPDX-License-Identifier: MIT
// The arithmetic of web tiles: a tile's bounds in EPSG:3857 and in degrees,
// the tiles over a box, a region's zoom range, the region's tie to the world
// datum and the link between the window's percentage and the web zoom.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "model/Coordinates.h"
#include "output/WebTileGrid.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

// The latitude of a tile row's north edge by the textbook formula (the code
// goes through the Mercator metres instead).
double rowLatitude(int z, int y) {
  return std::atan(std::sinh(std::numbers::pi * (1.0 - 2.0 * y / std::ldexp(1.0, z)))) * 180.0 / std::numbers::pi;
}

}  // namespace

TEST(WebTileGrid, TileBoundsInMetresAndDegrees) {
  const double h = kWebHalfWorld;
  struct Case {
    WebTile tile;
    double minX, minY, maxX, maxY;
  } cases[] = {
      {{0, 0, 0}, -h, -h, h, h},
      {{1, 1, 0}, 0.0, 0.0, h, h},
      {{1, 0, 1}, -h, -h, 0.0, 0.0},
      {{2, 3, 3}, h / 2, -h, h, -h / 2},
      {{10, 909, 403}, -h + 909 * h / 512, h - 404 * h / 512, -h + 910 * h / 512, h - 403 * h / 512},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.tile.z << '/' << c.tile.x << '/' << c.tile.y);
    const MercatorBox m = webTileMercatorBounds(c.tile);
    EXPECT_NEAR(m.minX, c.minX, 1e-6);
    EXPECT_NEAR(m.minY, c.minY, 1e-6);
    EXPECT_NEAR(m.maxX, c.maxX, 1e-6);
    EXPECT_NEAR(m.maxY, c.maxY, 1e-6);
    const LonLatBox d = webTileLonLatBounds(c.tile);
    const double n = std::ldexp(1.0, c.tile.z);
    EXPECT_NEAR(d.west, c.tile.x / n * 360.0 - 180.0, 1e-9);
    EXPECT_NEAR(d.east, (c.tile.x + 1) / n * 360.0 - 180.0, 1e-9);
    EXPECT_NEAR(d.north, rowLatitude(c.tile.z, c.tile.y), 1e-9);
    EXPECT_NEAR(d.south, rowLatitude(c.tile.z, c.tile.y + 1), 1e-9);
  }
}

TEST(WebTileGrid, MercatorRoundTripsAndClampsThePoles) {
  for (double lat : {-80.0, -35.5, 0.0, 12.25, 35.6812, 84.9})
    EXPECT_NEAR(mercatorYToLat(latToMercatorY(lat)), lat, 1e-9) << lat;
  for (double lon : {-180.0, -0.5, 139.7671, 180.0}) EXPECT_NEAR(mercatorXToLon(lonToMercatorX(lon)), lon, 1e-9);
  // Beyond the square world the y stays on its edge instead of running off.
  EXPECT_NEAR(latToMercatorY(90.0), kWebHalfWorld, 1e-3);
  EXPECT_NEAR(latToMercatorY(-90.0), -kWebHalfWorld, 1e-3);
}

TEST(WebTileGrid, TilesCoveringABox) {
  // Zoom 2 cuts longitude at -90, 0, 90; latitude at about 66.51, 0, -66.51.
  struct Case {
    LonLatBox box;
    int z;
    int minX, minY, maxX, maxY, count;
  } cases[] = {
      {{10.0, 10.0, 20.0, 20.0}, 2, 2, 1, 2, 1, 1},       // inside one tile
      {{0.0, 0.0, 90.0, 66.0}, 2, 2, 1, 2, 1, 1},         // edges on tile edges bring in no neighbour
      {{-10.0, -10.0, 10.0, 10.0}, 2, 1, 1, 2, 2, 4},     // across both middle lines
      {{-180.0, -85.0, 180.0, 85.0}, 2, 0, 0, 3, 3, 16},  // the world
      {{139.0, 35.8, 139.25, 36.0}, 11, 1814, 804, 1816, 805, 6},
      {{10.0, 10.0, 10.0, 20.0}, 2, 0, 0, -1, -1, 0},  // no width, no tiles
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.box.west << ',' << c.box.south << ',' << c.box.east << ',' << c.box.north
                                    << " z" << c.z);
    const WebTileRange r = webTilesCovering(c.box, c.z);
    EXPECT_EQ(r.count(), c.count);
    if (c.count == 0) continue;
    EXPECT_EQ(r.minX, c.minX);
    EXPECT_EQ(r.minY, c.minY);
    EXPECT_EQ(r.maxX, c.maxX);
    EXPECT_EQ(r.maxY, c.maxY);
  }
}

TEST(WebTileGrid, ThePyramidsZoomRange) {
  const double z12 = 360.0 / (256.0 * 4096.0);  // longitude per pixel at zoom 12
  struct Case {
    const char* what;
    LonLatBox region;
    double lonPerPx;
    int minZoom, maxZoom;
  } cases[] = {
      // 0.25 degrees across is 728 pixels at zoom 12, 182 at zoom 10.
      {"pixels of zoom 12 exactly", {139.0, 35.9, 139.25, 35.95}, z12, 10, 12},
      // The nearest zoom in the ratio of sizes: 1.4 times a pixel of zoom
      // 12 is nearer 12 than 11 (2 times), 1.5 times is nearer 11.
      {"a little coarser", {139.0, 35.9, 139.25, 35.95}, z12 * 1.4, 10, 12},
      {"coarser still", {139.0, 35.9, 139.25, 35.95}, z12 * 1.5, 10, 11},
      // The sample-sized region: 0.25 x 0.1667 degrees at 0.000625 degrees
      // per pixel is 364 pixels wide at zoom 11 and 182 at zoom 10.
      {"a small region", {139.0, 35.8333333, 139.25, 36.0}, 0.000625, 10, 11},
      {"a region no larger than a tile at its own zoom", {139.0, 35.99, 139.001, 36.0}, z12, 12, 12},
      {"a region of the whole world", {-180.0, -85.0, 180.0, 85.0}, 360.0 / 256.0 / 8.0, 0, 3},
      {"no pixel size", {139.0, 35.9, 139.05, 35.95}, 0.0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const WebZoomRange r = webZoomRange(c.region, c.lonPerPx);
    EXPECT_EQ(r.maxZoom, c.maxZoom);
    EXPECT_EQ(r.minZoom, c.minZoom);
  }
}

TEST(WebTileGrid, RegionGeometryAgreesWithTheProgramsConversions) {
  for (const FrameOffset shift : {FrameOffset{0, 0}, FrameOffset{-37, 52}}) {
    MapInfo info = test::smallGridInfo();
    info.frame[kWorldFrame] = shift;
    const RegionGeometry g = regionGeometry(info);
    for (const ImagePoint p : {ImagePoint{0, 0}, ImagePoint{400, 320}, ImagePoint{123.5f, 77.25f}}) {
      const LatLon ll = ImageToLatLon(info, p.x, p.y, 1);
      EXPECT_NEAR(g.lon(p.x), ll.lon, 2e-5) << p.x << ',' << p.y << " shift " << shift.x;
      EXPECT_NEAR(g.lat(p.y), ll.lat, 2e-5) << p.x << ',' << p.y << " shift " << shift.y;
      EXPECT_NEAR(g.imageX(g.lon(p.x)), p.x, 1e-6);
      EXPECT_NEAR(g.imageY(g.lat(p.y)), p.y, 1e-6);
    }
  }
}

TEST(WebTileGrid, PercentAndWebZoomMeetAtTheSameScale) {
  const MapInfo info = test::smallGridInfo();
  const double z100 = webZoomAt100(info, kDefaultMmPerScreenPx);
  // At 100 % one view pixel is imagePerScreenX image pixels: the web zoom
  // shows the same longitude in a pixel.
  const ScaleFactors s = computeScaleFactors(info, kDefaultMmPerScreenPx, kDefaultMmPerScreenPx);
  const double lonPerViewPx = regionGeometry(info).lonPerPx * s.imagePerScreenX;
  EXPECT_NEAR(360.0 / (256.0 * std::exp2(z100)), lonPerViewPx, lonPerViewPx * 1e-6);
  struct Case {
    int percent;
    double webOffset;
  } cases[] = {{50, -1.0}, {100, 0.0}, {200, 1.0}, {400, 2.0}, {141, 0.4957}};
  for (const Case& c : cases) {
    EXPECT_NEAR(webZoomForPercent(c.percent, z100), z100 + c.webOffset, 1e-3) << c.percent;
    EXPECT_EQ(percentForWebZoom(webZoomForPercent(c.percent, z100), z100), c.percent);
  }
  // Beyond the window's zoom range a web zoom gives its nearest end.
  EXPECT_EQ(percentForWebZoom(z100 + 5.0, z100), 400);
  EXPECT_EQ(percentForWebZoom(z100 - 5.0, z100), 50);
}
