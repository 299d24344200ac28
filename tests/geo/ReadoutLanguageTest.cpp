// SPDX-License-Identifier: MIT
// The readout, the copied position and the point facts under an English
// interface: the captions change, the Japanese ones do not, what a copied
// text says reads back the same, and the values for scripts never carry a
// caption's words.
#include <gtest/gtest.h>

#include "geo/CursorReadout.h"
#include "geo/PointFacts.h"
#include "geo/PositionText.h"
#include "model/ProgramState.h"
#include "support/InstalledCatalogue.h"

using namespace kavalo;

namespace {

// 2 x 2 sheets of 2 x 2 tiles of 100 x 80 pixels from 139.75 E, 35.75 N, an
// 8 x 8 grid of 50 x 40 pixels a cell; one image pixel per view pixel.
struct Fixture {
  ProgramState state;
  Viewport view;

  Fixture() {
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
    g.highest = 2000;
    g.reliefDivisor = 100;
    g.cells.assign(64, 123);
    g.cells[1] = kSeaValue;
    g.pitchX = 50.0f;
    g.pitchY = 40.0f;
    Era own;
    own.kind = kScannedSheets;
    own.historyColumn = 0;
    state.eras = {own};
    state.history.reset(2, 2, 2);
    state.history.set(0, 0, 0, 0, QStringLiteral("図00"));
    state.history.set(0, 0, 1, 0, QStringLiteral("明治42測図"));
    state.history.set(0, 0, 1, 1, QStringLiteral("明治44.3.30"));
    state.view.datumFlag = 1;
    state.scale = computeScaleFactors(m, 2.3125, 2.3125);
    view = Viewport(&state.mapInfo, state.scale, 200.0f, 160.0f, 100, 400, 320);
  }
  PointInfo at(float px, float py) const { return computePointInfo(state, view, px, py); }
  // The shown era a 1:20,000 one with a single sheet west of the region.
  void twentyThousand() {
    Era e;
    e.kind = kTwentyThousand;
    e.frameType = kOldFrame;
    e.sheetIndex = {{QStringLiteral("A1"), QStringLiteral("西"), GeoBox{139.0f, 139.1f, 36.0f, 35.9f}}};
    state.eras = {e};
  }
};

struct CaptionCase {
  const char* what;
  float px, py;
  bool twentyThousand;
  const char* japaneseInfo;
  const char* englishInfo;
  const char* japaneseMap;
  const char* englishMap;
};

const CaptionCase kCaptions[] = {
    {"a sheet's own edition on land", 10, 0, false,
     "北緯35度44分45.0秒\r東経139度44分55.4秒\r　　　(世界測地系)\r標高：12.3m",
     "35°44′45.0″ N\r139°44′55.4″ E\r      (world geodetic system)\rElevation: 12.3 m",
     "地形図：図00(明治42測図,明治44.3.30発行)\r", "Map sheet: 図00(明治42測図, issued 明治44.3.30)\r"},
    {"the sea", 60, 0, false, "北緯35度44分45.0秒\r東経139度46分47.9秒\r　　　(世界測地系)\r標高：海面",
     "35°44′45.0″ N\r139°46′47.9″ E\r      (world geodetic system)\rElevation: sea level",
     "地形図：図00(明治42測図,明治44.3.30発行)\r", "Map sheet: 図00(明治42測図, issued 明治44.3.30)\r"},
    {"a 1:20,000 era without a sheet there", 10, 0, true, nullptr, nullptr, "1/20,000地形図：なし",
     "1:20,000 map sheet: none"},
};

void expectCaptions(bool english) {
  for (const CaptionCase& c : kCaptions) {
    SCOPED_TRACE(c.what);
    Fixture f;
    if (c.twentyThousand) f.twentyThousand();
    const PointInfo p = f.at(c.px, c.py);
    // Compared as UTF-8 so that a difference reads as text.
    if (c.japaneseInfo) EXPECT_EQ(p.lblInfo.toStdString(), english ? c.englishInfo : c.japaneseInfo);
    EXPECT_EQ(p.lblMap.toStdString(), english ? c.englishMap : c.japaneseMap);
  }
}

}  // namespace

TEST(ReadoutLanguage, CaptionsInJapaneseAndInEnglish) {
  expectCaptions(false);
  test::InstalledCatalogue english(QStringLiteral("en"));
  ASSERT_TRUE(english.installed()) << english.error().toStdString();
  expectCaptions(true);
}

TEST(ReadoutLanguage, TheFactsForScriptsCarryNoCaptionWords) {
  test::InstalledCatalogue english(QStringLiteral("en"));
  ASSERT_TRUE(english.installed()) << english.error().toStdString();
  Fixture f;
  f.twentyThousand();
  // No sheet there: the caption says so in English, the fact stays empty.
  EXPECT_EQ(Get_2manSheetInfo(f.state, f.view, 10, 0), QStringLiteral("none"));
  EXPECT_TRUE(computePointFacts(f.state, f.view, 10, 0).sheet.isEmpty());
  // A sheet there: its code and name, as the index has them.
  const LatLon tokyo = ImageToLatLon(f.state.mapInfo, 10, 0, 0);
  f.state.eras[0].sheetIndex.push_back(
      {QStringLiteral("B2"), QStringLiteral("東京"),
       GeoBox{tokyo.lon - 0.001f, tokyo.lon + 0.001f, tokyo.lat + 0.001f, tokyo.lat - 0.001f}});
  EXPECT_EQ(computePointFacts(f.state, f.view, 10, 0).sheet, QStringLiteral("B2(東京)"));
}

// What the map's menu copies reads back in the go-to box, in either
// language, whichever datum each line names.
TEST(ReadoutLanguage, CopiedPositionsReadBackInBothLanguages) {
  Fixture f;
  const ImagePoint p{123.4f, 77.7f};
  const LatLon world = ImageToLatLon(f.state.mapInfo, p.x, p.y, 1);
  const LatLon tokyo = ImageToLatLon(f.state.mapInfo, p.x, p.y, 0);
  const QStringList japanese = positionTexts(f.state.mapInfo, p).all().split(u'\n');
  test::InstalledCatalogue english(QStringLiteral("en"));
  ASSERT_TRUE(english.installed()) << english.error().toStdString();
  const QStringList englishLines = positionTexts(f.state.mapInfo, p).all().split(u'\n');
  ASSERT_EQ(englishLines.size(), 5);
  EXPECT_EQ(englishLines[1].left(24), QStringLiteral("World geodetic system: 3"));
  EXPECT_TRUE(englishLines[3].startsWith(QStringLiteral("Tokyo datum: 35°"))) << englishLines[3].toStdString();
  ASSERT_EQ(japanese.size(), 5);
  EXPECT_TRUE(japanese[3].startsWith(QStringLiteral("日本測地系　北緯35度"))) << japanese[3].toStdString();
  for (const QStringList* lines : {&japanese, &englishLines}) {
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE((*lines)[i].toStdString());
      // Read with the readout in the other datum: the named datum wins.
      const std::optional<Place> place = parsePlace((*lines)[i], i < 2 ? 0 : 1);
      ASSERT_TRUE(place.has_value());
      const LatLon& want = i < 2 ? world : tokyo;
      EXPECT_EQ(place->datum, i < 2 ? 1 : 0);
      // Six decimals, or seconds cut to four characters.
      EXPECT_NEAR(place->lat, want.lat, 1e-4);
      EXPECT_NEAR(place->lon, want.lon, 1e-4);
    }
  }
}
