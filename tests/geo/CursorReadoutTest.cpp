// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "geo/CursorReadout.h"
#include "model/ProgramState.h"

using namespace kavalo;

namespace {

constexpr QChar CR = QChar(13);

// A dataset of 2 x 2 sheets of 2 x 2 tiles of 100 x 80 pixels (a mosaic of
// 400 x 320) from 139.75 E, 35.75 N; the world datum lies 12 pixels east and
// 8 north. An 8 x 8 grid: 50 pixels across a cell, 40 down. The view shows
// one image pixel per view pixel, the mosaic's origin at view pixel (0, 0).
struct ReadoutFixture {
  ProgramState state;
  Viewport view;

  ReadoutFixture() {
    MapInfo& m = state.mapInfo;
    m.tileWidth = 100;
    m.tileHeight = 80;
    m.sheetsX = m.sheetsY = 2;
    m.tilesPerSheetX = m.tilesPerSheetY = 2;
    m.totalCols = m.totalRows = 4;
    m.west = 139.75f;
    m.north = 35.75f;
    m.frame[2] = {12, -8};

    AltitudeGrid& g = state.altitude;
    g.columns = g.rows = 8;
    g.lowest = 0;
    g.highest = 2000;
    g.reliefDivisor = 100;
    g.cells.assign(64, 500);
    g.pitchX = 50.0f;
    g.pitchY = 40.0f;

    // Era 0: own sheets, history column 0; era 1: history column 1.
    Era own;
    own.kind = kScannedSheets;
    own.historyColumn = 0;
    Era later = own;
    later.historyColumn = 1;
    later.frameType = kTokyoFrame;
    state.eras = {own, later};
    state.history.reset(2, 2, 3);
    for (int row = 0; row < 2; ++row)
      for (int col = 0; col < 2; ++col) state.history.set(col, row, 0, 0, QStringLiteral("図%1%2").arg(row).arg(col));
    state.history.set(0, 0, 1, 0, QStringLiteral("明治42測図"));
    state.history.set(0, 0, 1, 1, QStringLiteral("明治44.3.30"));
    state.history.set(0, 0, 2, 1, QStringLiteral("-1"));  // borrows the edition before
    state.history.set(1, 1, 1, 0, QStringLiteral("大正5修正"));
    state.history.set(1, 1, 1, 1, QStringLiteral("大正6.2.1"));
    state.history.set(1, 1, 2, 0, QStringLiteral("昭和7修正"));
    state.history.set(1, 1, 2, 1, QStringLiteral("昭和8.1.30"));

    state.view.eraIndex = 0;
    state.view.datumFlag = 0;
    state.view.eraLabelStyle = 0;
    // 370 mm over 160 pixels of a sheet: 2.3125 mm per image pixel.
    state.scale = computeScaleFactors(m, 2.3125, 2.3125);
    view = Viewport(&state.mapInfo, state.scale, 200.0f, 160.0f, 100, 400, 320);
  }
  void setCell(int x, int y, int32_t v) { state.altitude.cells[static_cast<size_t>(y) * 8 + x] = v; }
  PointInfo at(float px, float py) const { return computePointInfo(state, view, px, py); }
  QStringList lines(float px, float py) const { return at(px, py).lblInfo.split(CR); }
};

}  // namespace

TEST(CursorReadout, SecondsAreCutToFourCharactersOfTheirShortestText) {
  EXPECT_EQ(secondsText(12.345678f), QStringLiteral("12.3"));
  EXPECT_EQ(secondsText(5.6789f), QStringLiteral("5.67"));
  EXPECT_EQ(secondsText(7.0f), QStringLiteral("7"));
  EXPECT_EQ(secondsText(0.0f), QStringLiteral("0"));
  // Never an exponent, however small.
  EXPECT_EQ(secondsText(0.0000125f), QStringLiteral("0.00"));
  EXPECT_EQ(secondsText(59.99999f), QStringLiteral("59.9"));
}

TEST(CursorReadout, TheFourLinesOfPositionDatumAndElevation) {
  ReadoutFixture f;
  f.setCell(0, 0, 123);
  // The mosaic's north-west corner in the Tokyo datum.
  EXPECT_EQ(f.at(0, 0).lblInfo, QStringLiteral("北緯35度45分0秒\r東経139度45分0秒\r　　　(日本測地系)\r標高：12.3m"));
  // A point inside, in both datums: degrees, whole minutes, cut seconds.
  f.setCell(2, 2, 120);
  EXPECT_EQ(f.at(123.4f, 77.7f).lblInfo,
            QStringLiteral("北緯35度42分34.3秒\r東経139度49分37.6秒\r　　　(日本測地系)\r標高：12m"));
  f.state.view.datumFlag = 1;
  EXPECT_EQ(f.at(123.4f, 77.7f).lblInfo,
            QStringLiteral("北緯35度42分19.3秒\r東経139度49分10.6秒\r　　　(世界測地系)\r標高：12m"));
}

TEST(CursorReadout, TheDatumChangesThePositionButNotTheElevationOrTheSheet) {
  ReadoutFixture f;
  const PointInfo tokyo = f.at(150.5f, 60.25f);
  f.state.view.datumFlag = 1;
  const PointInfo world = f.at(150.5f, 60.25f);
  const QStringList a = tokyo.lblInfo.split(CR), b = world.lblInfo.split(CR);
  ASSERT_EQ(a.size(), 4);
  ASSERT_EQ(b.size(), 4);
  EXPECT_NE(a[0], b[0]);
  EXPECT_NE(a[1], b[1]);
  EXPECT_EQ(b[2], QStringLiteral("　　　(世界測地系)"));
  EXPECT_EQ(a[3], b[3]);
  EXPECT_EQ(tokyo.lblMap, world.lblMap);
  // Any flag but 1 is the Tokyo datum.
  f.state.view.datumFlag = 2;
  EXPECT_EQ(f.at(150.5f, 60.25f).lblInfo, tokyo.lblInfo);
}

TEST(CursorReadout, ElevationTexts) {
  ReadoutFixture f;
  f.setCell(1, 0, kSeaValue);
  f.setCell(2, 0, 0);
  f.setCell(3, 0, -15);
  f.setCell(4, 0, 1234);
  EXPECT_EQ(f.lines(50, 0)[3], QStringLiteral("標高：海面"));
  EXPECT_EQ(f.lines(100, 0)[3], QStringLiteral("標高：0m"));
  EXPECT_EQ(f.lines(150, 0)[3], QStringLiteral("標高：-1.5m"));
  EXPECT_EQ(f.lines(200, 0)[3], QStringLiteral("標高：123.4m"));
  // Beyond the grid (the last column answers up to half a pitch east of it).
  EXPECT_EQ(f.lines(375.1f, 0)[3], QStringLiteral("標高："));
  EXPECT_EQ(f.lines(0, -20.1f)[3], QStringLiteral("標高："));
  // No grid at all (altitude.dat could not be read).
  f.state.altitude = AltitudeGrid();
  EXPECT_EQ(f.lines(200, 100)[3], QStringLiteral("標高："));
}

TEST(CursorReadout, ScannedSheetsNameTheirEditionOrTheOneTheyBorrow) {
  ReadoutFixture f;
  PointInfo p = f.at(10, 10);
  EXPECT_EQ(p.lblMap, QStringLiteral("地形図：図00(明治42測図,明治44.3.30発行)\r"));
  EXPECT_FALSE(p.bold);
  p = f.at(210, 10);  // sheet column 1: no sheet of this edition
  EXPECT_EQ(p.lblMap, QStringLiteral("地形図なし\r"));
  EXPECT_FALSE(p.bold);

  f.state.view.eraIndex = 1;
  p = f.at(10, 10);  // slot 1 says -1: the edition of the column before, in bold
  EXPECT_EQ(p.lblMap, QStringLiteral("地形図：!!図00(明治42測図,明治44.3.30発行)\r"));
  EXPECT_TRUE(p.bold);
  p = f.at(399, 319);
  EXPECT_EQ(p.lblMap, QStringLiteral("地形図：図11(昭和7修正,昭和8.1.30発行)\r"));
  EXPECT_FALSE(p.bold);
}

TEST(CursorReadout, ABorrowedEditionBeyondTheTableNamesNothingAndNeverFails) {
  ReadoutFixture f;
  f.state.view.eraIndex = 1;
  f.state.history.set(0, 0, 2, 1, QStringLiteral("5"));
  const PointInfo p = f.at(10, 10);
  EXPECT_EQ(p.lblMap, QStringLiteral("地形図：!!図00(,発行)\r"));
  EXPECT_TRUE(p.bold);
}

TEST(CursorReadout, APointOnePixelWestOfTheSheetsIsOutOfRange) {
  ReadoutFixture f;
  // x = -1 truncates to column 0, but lies west of it.
  EXPECT_EQ(f.at(-1, 10).lblMap, QStringLiteral("地形図：範囲外"));
  // -0.4 rounds to 0: the first sheet.
  EXPECT_EQ(f.at(-0.4f, 10).lblMap, QStringLiteral("地形図：図00(明治42測図,明治44.3.30発行)\r"));
  EXPECT_EQ(f.at(10, -1).lblMap, QStringLiteral("地形図：範囲外"));
  EXPECT_EQ(f.at(400, 10).lblMap, QStringLiteral("地形図：範囲外"));
  EXPECT_EQ(f.at(10, 320).lblMap, QStringLiteral("地形図：範囲外"));
  EXPECT_FALSE(f.at(-1, 10).bold);
  // The era's own frames: the Tokyo frame of era 1 is the same here, the
  // world frame would move it.
  f.state.eras[0].frameType = kWorldFrame;
  EXPECT_EQ(f.at(5, 10).lblMap, QStringLiteral("地形図：範囲外"));
  EXPECT_EQ(f.at(12, 10).lblMap, QStringLiteral("地形図：図00(明治42測図,明治44.3.30発行)\r"));
}

TEST(CursorReadout, OtherSourcesNameThemselves) {
  ReadoutFixture f;
  Era e;
  e.yearFrom = 1974;
  e.yearTo = 1978;
  e.acquiredText = QStringLiteral("2012/04/01");
  e.periodCode = 1;
  auto textOf = [&](int kind, int style = 0) {
    Era era = e;
    era.kind = kind;
    f.state.eras = {era};
    f.state.view.eraIndex = 0;
    f.state.view.eraLabelStyle = static_cast<int16_t>(style);
    const PointInfo p = f.at(10, 10);
    EXPECT_FALSE(p.bold);
    return p.lblMap;
  };
  EXPECT_EQ(textOf(kAgencyBasicMap),
            QStringLiteral("電子国土基本図（地図情報）／ウォッちず（国土地理院）：2012/04/01保存"));
  EXPECT_EQ(textOf(kAerialPhoto), QStringLiteral("国土画像情報2期（1974-78年）"));
  EXPECT_EQ(textOf(kAerialPhoto, 1), QStringLiteral("国土画像情報2期（昭和49-53年）"));
  EXPECT_EQ(textOf(kRapidSurvey),
            QStringLiteral("歴史的農業環境閲覧システム（農業環境技術研究所）：迅速測図（1974-78年）"));
  EXPECT_EQ(textOf(kAgencyOrtho), QStringLiteral("電子国土基本図（オルソ画像）：2012/04/01保存"));
  EXPECT_EQ(textOf(kTwentyThousand), QStringLiteral("1/20,000地形図：なし"));
}

TEST(CursorReadout, TwentyThousandSheetsAreFoundInTheDatumOfTheirFrames) {
  ReadoutFixture f;
  const float px = 150.0f, py = 100.0f;
  const LatLon tokyo = ImageToLatLon(f.state.mapInfo, px, py, 0);
  const LatLon world = ImageToLatLon(f.state.mapInfo, px, py, 1);
  // Two small boxes, one around each datum's position (they do not overlap).
  auto around = [](LatLon p) { return GeoBox{p.lon - 0.0005f, p.lon + 0.0005f, p.lat + 0.0005f, p.lat - 0.0005f}; };
  Era e;
  e.kind = kTwentyThousand;
  e.sheetIndex = {{QStringLiteral("A1"), QStringLiteral("西"), GeoBox{139.0f, 139.1f, 36.0f, 35.9f}},
                  {QStringLiteral("B2"), QStringLiteral("東京"), around(tokyo)},
                  {QStringLiteral("C3"), QStringLiteral("世界"), around(world)}};
  e.frameType = kOldFrame;
  f.state.eras = {e};
  f.state.view.eraIndex = 0;
  // The readout's own datum does not matter.
  f.state.view.datumFlag = 1;
  EXPECT_EQ(f.at(px, py).lblMap, QStringLiteral("1/20,000地形図：B2(東京)"));
  EXPECT_EQ(Get_2manSheetInfo(f.state, f.view, px, py), QStringLiteral("B2(東京)"));
  f.state.eras[0].frameType = kWorldFrame;
  f.state.view.datumFlag = 0;
  EXPECT_EQ(f.at(px, py).lblMap, QStringLiteral("1/20,000地形図：C3(世界)"));
  // East and south edges belong to the next sheet.
  f.state.eras[0].sheetIndex = {{QStringLiteral("D4"), QStringLiteral("端"),
                                 GeoBox{world.lon - 0.01f, world.lon, world.lat + 0.01f, world.lat - 0.01f}}};
  EXPECT_EQ(f.at(px, py).lblMap, QStringLiteral("1/20,000地形図：なし"));
  f.state.eras[0].sheetIndex = {
      {QStringLiteral("D4"), QStringLiteral("端"), GeoBox{world.lon, world.lon + 0.01f, world.lat + 0.01f, world.lat}}};
  EXPECT_EQ(f.at(px, py).lblMap, QStringLiteral("1/20,000地形図：D4(端)"));
}
