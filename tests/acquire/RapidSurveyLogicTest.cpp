// SPDX-License-Identifier: MIT
// The map service's requests and the cut-out of a tile from its cells.
#include <gtest/gtest.h>

#include "net/RapidSurvey.h"

using namespace kavalo;

TEST(RapidSurveyRequest, TextByteForByte) {
  const double west = kWmsOriginLon, north = kWmsOriginLat + kWmsCellSize;
  EXPECT_EQ(rapidSurveyRequest(QStringLiteral("http://s"), west, north - kWmsCellSize, west + kWmsCellSize, north),
            "http://s/geoserver201/gwc/service/wms?LAYERS=habs%3Arapid&FORMAT=image%2Fpng&SERVICE=WMS&VERSION=1.1.1"
            "&REQUEST=GetMap&STYLES=&EXCEPTIONS=application%2Fvnd.ogc.se_inimage&SRS=EPSG%3A4326&&WIDTH=256&HEIGHT=256"
            "&BBOX=139.317626953125,35.98022461,139.323120117188,35.9857177740625");
  // Fifteen significant digits at most; no trailing zeros.
  EXPECT_EQ(wmsNumber(135.0), "135");
  EXPECT_EQ(wmsNumber(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(wmsNumber(-0.5), "-0.5");
}

TEST(RapidSurveyCells, GridOriginAndCutOut) {
  const double cell = kWmsCellSize;
  struct Case {
    double west, north, tw, th;
    int columns, rows, x, y, width, height;
  };
  const double w0 = kWmsOriginLon + 10 * cell;  // on a cell edge: left = 0
  const double n0 = kWmsOriginLat - 20 * cell;  // on an edge: one cell row above
  const Case cases[] = {
      // Exactly one cell wide, on the edges: the tile is the whole first
      // column, and the row below the extra northern row.
      {w0, n0, cell, cell, 1, 2, 0, 256, 256, 256},
      // Half a cell in from the west and the north edge, a cell and a half
      // wide: 2 columns; x = round(0.5 / 2 * 512) = 128.
      {w0 + cell / 2, n0 - cell / 2, 1.5 * cell, cell / 4, 2, 1, 128, 128, 384, 64},
      // A quarter cell wide at an eighth in: x = 32, width = 64.
      {w0 + cell / 8, n0 - cell / 8, cell / 4, cell / 4, 1, 1, 32, 32, 64, 64},
  };
  for (const Case& c : cases) {
    const TileCells t = rapidSurveyCells(c.west, c.west + c.tw, c.north, c.north - c.th, c.tw, c.th);
    EXPECT_NEAR(t.gx, w0, 1e-9);
    EXPECT_EQ(t.columns, c.columns);
    EXPECT_EQ(t.rows, c.rows);
    EXPECT_EQ(t.x, c.x);
    EXPECT_EQ(t.y, c.y);
    EXPECT_EQ(t.width, c.width);
    EXPECT_EQ(t.height, c.height);
  }
  // Halves round to even: a source x of 0.5 mosaic pixels gives 0, 1.5
  // gives 2.
  const double px = cell / 256;
  EXPECT_EQ(rapidSurveyCells(w0 + 0.5 * px, w0 + 100.5 * px, n0 - cell / 2, n0 - cell, 100 * px, cell / 2).x, 0);
  EXPECT_EQ(rapidSurveyCells(w0 + 1.5 * px, w0 + 101.5 * px, n0 - cell / 2, n0 - cell, 100 * px, cell / 2).x, 2);
}
