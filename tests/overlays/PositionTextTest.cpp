// SPDX-License-Identifier: MIT
// Positions as text and back: the go-to box's forms, mesh codes, the copied
// texts, and the view link's round trip.
#include <gtest/gtest.h>

#include "geo/PositionText.h"
#include "geo/ViewLink.h"
#include "model/ProgramState.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

struct Typed {
  const char* text;
  int readoutDatum;
  bool ok;
  double lat, lon;
  int datum;
  PlaceForm form;
};

TEST(GoTo, ParsesEveryForm) {
  const double s = 1.0 / 3600.0;
  const Typed cases[] = {
      {"35.6812, 139.7671", 0, true, 35.6812, 139.7671, 1, PlaceForm::Decimal},
      {"35.6812 139.7671", 0, true, 35.6812, 139.7671, 1, PlaceForm::Decimal},
      {"-33.8688,151.2093", 1, true, -33.8688, 151.2093, 1, PlaceForm::Decimal},
      {"３５．６８１２，１３９．７６７１", 1, true, 35.6812, 139.7671, 1, PlaceForm::Decimal},
      {"35.6812, 139.7671 (日本測地系)", 1, true, 35.6812, 139.7671, 0, PlaceForm::Decimal},
      // The readout's own lines, in the datum it shows.
      {"北緯35度40分12.3秒 東経139度45分6.78秒", 0, true, 35 + 40 / 60.0 + 12.3 * s, 139 + 45 / 60.0 + 6.78 * s, 0,
       PlaceForm::Dms},
      {"北緯35度40分12.3秒\r東経139度45分6.78秒\r　　　(世界測地系)", 0, true, 35 + 40 / 60.0 + 12.3 * s,
       139 + 45 / 60.0 + 6.78 * s, 1, PlaceForm::Dms},
      {"東経139度45分7秒 北緯35度40分", 1, true, 35 + 40 / 60.0, 139 + 45 / 60.0 + 7 * s, 1, PlaceForm::Dms},
      {"35°40'12.3\"N 139°45'6.78\"E", 1, true, 35 + 40 / 60.0 + 12.3 * s, 139 + 45 / 60.0 + 6.78 * s, 1,
       PlaceForm::Dms},
      {"南緯33度52分 西経70度", 1, true, -(33 + 52 / 60.0), -70, 1, PlaceForm::Dms},
      {"geo:35.681200,139.767100", 0, true, 35.6812, 139.7671, 1, PlaceForm::GeoUri},
      {"GEO:35.6812,139.7671,40;u=10", 0, true, 35.6812, 139.7671, 1, PlaceForm::GeoUri},
      // Mesh codes: the centre of the cell in the world datum.
      {"5339", 0, true, 53 / 1.5 + 20 / 60.0, 139.5, 1, PlaceForm::MeshCode},
      {"533946", 0, true, 53 / 1.5 + 4 * 5 / 60.0 + 2.5 / 60.0, 139 + 6 * 7.5 / 60 + 3.75 / 60, 1, PlaceForm::MeshCode},
      {"5339-46-30", 0, true, 53 / 1.5 + 4 * 5 / 60.0 + 3 * 30 * s + 15 * s, 139 + 6 * 7.5 / 60 + 22.5 * s, 1,
       PlaceForm::MeshCode},
      // Refused.
      {"", 1, false, 0, 0, 0, PlaceForm::Decimal},
      {"Tokyo", 1, false, 0, 0, 0, PlaceForm::Decimal},
      {"95.0, 139.0", 1, false, 0, 0, 0, PlaceForm::Decimal},
      {"35.0, 181.0", 1, false, 0, 0, 0, PlaceForm::Decimal},
      {"北緯35度61分 東経139度", 1, false, 0, 0, 0, PlaceForm::Dms},
      {"北緯35度 北緯36度", 1, false, 0, 0, 0, PlaceForm::Dms},
      {"北緯35度", 1, false, 0, 0, 0, PlaceForm::Dms},
      {"533986", 1, false, 0, 0, 0, PlaceForm::MeshCode},  // second-order digits run 0 to 7
      {"53394", 1, false, 0, 0, 0, PlaceForm::MeshCode},
  };
  for (const Typed& c : cases) {
    QString error;
    const auto place = parsePlace(QString::fromUtf8(c.text), c.readoutDatum, &error);
    ASSERT_EQ(place.has_value(), c.ok) << c.text;
    if (!c.ok) {
      EXPECT_FALSE(error.isEmpty()) << c.text;
      continue;
    }
    EXPECT_NEAR(place->lat, c.lat, 1e-9) << c.text;
    EXPECT_NEAR(place->lon, c.lon, 1e-9) << c.text;
    EXPECT_EQ(place->datum, c.datum) << c.text;
    EXPECT_EQ(place->form, c.form) << c.text;
  }
}

TEST(GoTo, MeshCellsNestAndTile) {
  // A third-order cell lies inside its second-order cell, which lies inside
  // the first-order one; neighbouring cells share their edge.
  const auto first = meshCodePlace("5339");
  const auto second = meshCodePlace("533946");
  const auto third = meshCodePlace("53394699");
  ASSERT_TRUE(first && second && third);
  EXPECT_NEAR(first->north - first->south, 40.0 / 60.0, 1e-12);
  EXPECT_NEAR(second->east - second->west, 7.5 / 60.0, 1e-12);
  EXPECT_NEAR(third->north - third->south, 30.0 / 3600.0, 1e-12);
  EXPECT_NEAR(third->north, second->north, 1e-12);  // row 9 is the northernmost
  EXPECT_NEAR(third->east, second->east, 1e-12);
  EXPECT_GE(second->south, first->south);
  EXPECT_LE(second->north, first->north + 1e-12);
  const auto east = meshCodePlace("533947");
  EXPECT_NEAR(east->west, second->east, 1e-12);
  // Column 7 of one first-order cell is followed by column 0 of the next.
  EXPECT_NEAR(meshCodePlace("533907")->east, meshCodePlace("534000")->west, 1e-12);
}

TEST(GoTo, CopiedTextsReadBackToTheSamePlace) {
  MapInfo info = test::smallGridInfo();
  info.frame[2] = {12, -7};  // the two datums apart
  info.west = 139.0f;
  info.north = 36.0f;
  const ImagePoint p{123.0f, 201.0f};
  const PositionTexts t = positionTexts(info, p);
  EXPECT_TRUE(t.uri.startsWith(QStringLiteral("geo:")));
  EXPECT_NE(t.worldDecimal, t.tokyoDecimal);
  // Each copied text, typed into the go-to box, lands on the same image
  // position, within what the texts' digits hold (a tenth of a second is
  // a twentieth of a pixel here).
  const std::pair<QString, int> texts[] = {{t.worldDecimal, 1},
                                           {t.uri, 1},
                                           {QStringLiteral("世界測地系　") + t.worldDms, 0},
                                           {QStringLiteral("日本測地系　") + t.tokyoDecimal, 1},
                                           {t.tokyoDms, 0}};
  for (const auto& [text, readout] : texts) {
    const auto place = parsePlace(text, readout);
    ASSERT_TRUE(place) << text.toStdString();
    const ImagePoint back = placeToImage(info, *place);
    EXPECT_NEAR(back.x, p.x, 0.1) << text.toStdString();
    EXPECT_NEAR(back.y, p.y, 0.1) << text.toStdString();
  }
  EXPECT_EQ(t.all().count(u'\n'), 4);
  // Either side of zero reads back with its sign.
  for (float lat : {-0.5f, 0.5f})
    for (float lon : {-1.25f, 1.25f}) {
      const auto place = parsePlace(dmsText(lat, lon), 1);
      ASSERT_TRUE(place);
      EXPECT_NEAR(place->lat, lat, 1e-4);
      EXPECT_NEAR(place->lon, lon, 1e-4);
    }
}

TEST(ViewLinks, RoundTrip) {
  const ViewLink links[] = {
      {QStringLiteral("sample"), QStringLiteral("W00"), 33.9123456, 135.1234567, 150},
      {QStringLiteral("地域 & 町"), QStringLiteral("1909?x=1"), -33.8688, -70.5, 50},
      {QString(), QString(), 0.0000001, 179.9999999, 0},
  };
  for (const ViewLink& l : links) {
    const QString text = buildViewLink(l);
    EXPECT_TRUE(text.startsWith(QStringLiteral("kavalo://view?"))) << text.toStdString();
    QString error;
    const auto back = parseViewLink(text, &error);
    ASSERT_TRUE(back) << text.toStdString() << error.toStdString();
    EXPECT_EQ(back->dataset, l.dataset);
    EXPECT_EQ(back->era, l.era);
    EXPECT_NEAR(back->lat, l.lat, 5e-8);
    EXPECT_NEAR(back->lon, l.lon, 5e-8);
    EXPECT_EQ(back->zoom, l.zoom);
  }
  for (const char* bad : {"https://view?lat=1&lon=2", "kavalo://print?lat=1&lon=2", "kavalo://view?lat=1",
                          "kavalo://view?lat=91&lon=2", "kavalo://view?lat=1&lon=2&zoom=9000", "not a link"}) {
    QString error;
    EXPECT_FALSE(parseViewLink(QString::fromUtf8(bad), &error)) << bad;
    EXPECT_FALSE(error.isEmpty());
  }
}

TEST(ViewLinks, CurrentViewComesBackToTheSamePlace) {
  ProgramState state;
  state.mapInfo = test::smallGridInfo();
  state.mapInfo.frame[2] = {12, -7};
  state.dataFolders = {{QStringLiteral("一"), QStringLiteral("one")}, {QStringLiteral("二"), QStringLiteral("two")}};
  state.dataFolderIndex = 1;
  Era a, b;
  a.name = QStringLiteral("E1900");
  b.name = QStringLiteral("W00");
  state.eras = {a, b};
  state.view.eraIndex = 1;
  state.view.centerX = 250.5f;
  state.view.centerY = 100.25f;
  state.view.zoomPercent = 175;
  const auto link = parseViewLink(buildViewLink(currentViewLink(state)));
  ASSERT_TRUE(link);
  EXPECT_EQ(link->dataset, QStringLiteral("two"));
  EXPECT_EQ(eraIndexByFolder(state.eras, link->era), 1);
  EXPECT_EQ(eraIndexByFolder(state.eras, QStringLiteral("w00")), 1);
  EXPECT_EQ(eraIndexByFolder(state.eras, QStringLiteral("W01")), -1);
  EXPECT_EQ(link->zoom, 175);
  const ImagePoint c = viewLinkCentre(state.mapInfo, *link);
  EXPECT_NEAR(c.x, 250.5f, 0.01);
  EXPECT_NEAR(c.y, 100.25f, 0.01);
}

}  // namespace
