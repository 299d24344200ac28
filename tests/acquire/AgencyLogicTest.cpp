// SPDX-License-Identifier: MIT
// The agency source without a network: cells, pieces, stitching, masks and
// the info files.
#include <gtest/gtest.h>

#include <QBuffer>

#include "model/ProgramState.h"
#include "net/AgencyAcquisition.h"
#include "net/AgencyTiles.h"
#include "net/EraAppend.h"
#include "render/ImageLibrary.h"
#include "support/Fixtures.h"

using namespace kavalo;

TEST(AgencyCells, WalkCrossesFirstLevelColumnsAndRows) {
  struct Case {
    int32_t nw, se;
    size_t count;
    int columns;
    QString first, second, last;
  };
  const Case cases[] = {
      // One cell.
      {533945, 533945, 1, 1, "533945", "", "533945"},
      // c = 7: the next column is c = 0 of the next first-level column.
      {533947, 534040, 2, 2, "533947", "534040", "534040"},
      // Three first-level columns: 16 + B.c - A.c + 1 cell columns.
      {533902, 534103, 18, 18, "533902", "533903", "534103"},
      // r = 0: the next row is r = 7 of the first-level row to the south.
      {533901, 523971, 2, 1, "533901", "523971", "523971"},
  };
  for (const Case& c : cases) {
    const std::vector<MeshCell> cells = meshCellWalk(c.nw, c.se);
    ASSERT_EQ(cells.size(), c.count) << c.nw;
    EXPECT_EQ(cells.front().code, c.first);
    if (c.count > 1) {
      EXPECT_EQ(cells[1].code, c.second);
    }
    EXPECT_EQ(cells.back().code, c.last);
    EXPECT_EQ(cells.back().column, c.columns - 1);
  }
  // Rows of the walk count from the north.
  const std::vector<MeshCell> two = meshCellWalk(533901, 523971);
  EXPECT_EQ(two[1].row, 1);
  EXPECT_EQ(two[1].column, 0);
}

TEST(AgencyPieces, AddressesAsTheServerNamesThem) {
  const MeshCode cell = splitMeshCode(533945);
  // South-west corner of the cell: 139.625 deg (139 + 5/8), 35.666.. deg (53 / 1.5 + 4 / 12).
  EXPECT_EQ(pieceCodeX(cell, 0), 50265000);
  EXPECT_EQ(pieceCodeY(cell, 0), 12840000);
  EXPECT_EQ(pieceCodeX(cell, 14), 50265000 + 14 * 3000);
  EXPECT_EQ(pieceCodeY(cell, 9), 12840000 + 9 * 3000);
  const QString server = QStringLiteral("http://h");
  EXPECT_EQ(pieceUrl(server, kBaseMapPieces, 50242500, 12840000),
            "http://h/data/30nti/new/50242500/50242500-12840000-img.png");
  EXPECT_EQ(pieceUrl(server, kOrthoPieces, 1, 2), "http://h/data/30ort/1/1-2-ort.jpg");
  EXPECT_EQ(pieceUrl(server, 1, 1, 2), "http://h/data/30nlii/1/1/1-2-ort.jpg");
  EXPECT_EQ(pieceUrl(server, 6, 1, 2), "http://h/data/30toh/0601/1/1-2-ort.jpg");
  EXPECT_EQ(pieceFileName(kBaseMapPieces, 1, 2), "1-2-img.png");
  EXPECT_TRUE(pieceKind(7).pathPart.isEmpty());
  EXPECT_EQ(eraNumberText(0), "00");
  EXPECT_EQ(eraNumberText(7), "07");
  EXPECT_EQ(eraNumberText(123), "23");
}

TEST(AgencyPieces, CoverOfTilesOfAnyGrid) {
  // 5 x 5 tiles: each tile is a block of 3 x 2 pieces, cut out whole.
  for (int tc = 0; tc < 5; ++tc)
    for (int tr = 0; tr < 5; ++tr) {
      const TileCover c = tileCover(tc, tr, 5, 5);
      const int br = 4 - tr;
      EXPECT_EQ(c.i0, 3 * tc);
      EXPECT_EQ(c.i1, 3 * tc + 2);
      EXPECT_EQ(c.j0, 2 * br);
      EXPECT_EQ(c.j1, 2 * br + 1);
      EXPECT_DOUBLE_EQ(c.left, 0);
      EXPECT_DOUBLE_EQ(c.top, 0);
      EXPECT_DOUBLE_EQ(c.width, 3);
      EXPECT_DOUBLE_EQ(c.height, 2);
    }
  // 4 x 4 tiles: 3.75 x 2.5 pieces each. Tile (1, 0) spans pieces 3.75 to
  // 7.5 from the west and 7.5 to 10 from the south.
  const TileCover c = tileCover(1, 0, 4, 4);
  EXPECT_EQ(c.i0, 3);
  EXPECT_EQ(c.i1, 7);
  EXPECT_EQ(c.j0, 7);
  EXPECT_EQ(c.j1, 9);
  EXPECT_DOUBLE_EQ(c.left, 0.75);
  EXPECT_DOUBLE_EQ(c.top, 0);
  EXPECT_DOUBLE_EQ(c.width, 3.75);
  EXPECT_DOUBLE_EQ(c.height, 2.5);
  // The southern tile of the same column starts half a piece into piece 0.
  const TileCover s = tileCover(1, 3, 4, 4);
  EXPECT_EQ(s.j0, 0);
  EXPECT_EQ(s.j1, 2);
  EXPECT_DOUBLE_EQ(s.top, 0.5);
}

namespace {
QImage solid(int w, int h, QRgb c) {
  QImage i(w, h, QImage::Format_RGB32);
  i.fill(c);
  return i;
}
}  // namespace

TEST(AgencyPieces, StitchingPlacesPiecesAtTheirOwnWidth) {
  // Pieces of 250 x 200 (not 300): six colours, placed without gap or
  // overlap, the northern row (j1) on top; the tile at the block's size is
  // the block itself.
  const TileCover cover = tileCover(0, 4, 5, 5);
  const QRgb colours[6] = {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200),
                           qRgb(90, 90, 0), qRgb(0, 90, 90), qRgb(90, 0, 90)};
  std::vector<QImage> pieces;
  for (QRgb c : colours) pieces.push_back(solid(250, 200, c));
  const QImage tile = stitchTile(pieces, cover, 250, 200, 750, 400);
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) {
      const QRgb want = colours[r * 3 + c];
      EXPECT_EQ(tile.pixel(c * 250, r * 200), want) << r << c;
      EXPECT_EQ(tile.pixel(c * 250 + 249, r * 200 + 199), want) << r << c;
    }
  // One piece only: it keeps its place, the rest stays white.
  std::vector<QImage> one(6);
  one[5] = solid(250, 200, colours[5]);
  const QImage single = stitchTile(one, cover, 250, 200, 750, 400);
  EXPECT_EQ(single.pixel(600, 300), colours[5]);
  EXPECT_EQ(single.pixel(100, 100), qRgb(255, 255, 255));
  EXPECT_EQ(single.pixel(400, 300), qRgb(255, 255, 255));
  // A tile of a 4 x 4 grid is cut from its exact box: piece column 3 is red,
  // 4 to 7 green; the tile starts 0.75 into piece 3, so its first fifteenth
  // (0.25 of 3.75 pieces) is red.
  const TileCover c4 = tileCover(1, 0, 4, 4);
  std::vector<QImage> band(static_cast<size_t>(c4.columns() * c4.rows()));
  for (int r = 0; r < c4.rows(); ++r)
    for (int c = 0; c < c4.columns(); ++c)
      band[static_cast<size_t>(r * c4.columns() + c)] = solid(100, 100, c == 0 ? qRgb(255, 0, 0) : qRgb(0, 255, 0));
  const QImage cut = stitchTile(band, c4, 100, 100, 375, 250);
  EXPECT_EQ(cut.pixel(10, 100), qRgb(255, 0, 0));
  EXPECT_EQ(cut.pixel(40, 100), qRgb(0, 255, 0));
}

TEST(AgencyPieces, OnlyImagesOfTheExpectedKindCount) {
  const QImage image = solid(30, 20, qRgb(10, 20, 30));
  const QByteArray png = encodePng(image), jpeg = encodeJpeg(image);
  EXPECT_FALSE(decodePiece(png, true).isNull());
  EXPECT_FALSE(decodePiece(jpeg, false).isNull());
  const QByteArray bad[] = {QByteArray("<html>not found</html>"), png.left(png.size() / 2), jpeg, QByteArray()};
  for (const QByteArray& b : bad) EXPECT_TRUE(decodePiece(b, true).isNull());
  EXPECT_TRUE(decodePiece(png, false).isNull());
  EXPECT_TRUE(decodePiece(jpeg.left(jpeg.size() / 2), false).isNull());
}

TEST(AgencyPieces, MaskTakesNearWhite) {
  struct Case {
    QRgb in, tile, mask;
  };
  const Case cases[] = {
      {qRgb(250, 250, 250), qRgb(0, 0, 0), qRgb(255, 255, 255)},  // 750
      {qRgb(250, 250, 249), qRgb(250, 250, 249), qRgb(0, 0, 0)},  // 749 stays
      {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(255, 255, 255)},
      {qRgb(255, 255, 240), qRgb(0, 0, 0), qRgb(255, 255, 255)},  // 750
      {qRgb(12, 34, 56), qRgb(12, 34, 56), qRgb(0, 0, 0)},
  };
  QImage tile(5, 1, QImage::Format_RGB32);
  for (int i = 0; i < 5; ++i) tile.setPixel(i, 0, cases[i].in);
  QImage mask;
  MakeMapMask(tile, mask);
  ASSERT_EQ(mask.size(), tile.size());
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(tile.pixel(i, 0), cases[i].tile) << i;
    EXPECT_EQ(mask.pixel(i, 0), cases[i].mask) << i;
  }
}

TEST(AgencyEras, InfoFilesAndStatusTexts) {
  const QDate day(2026, 3, 4);
  std::vector<Era> eras;
  Era sheet;
  sheet.kind = kScannedSheets;
  eras.push_back(sheet);
  eras.push_back(agencyEra(kAgencyMapSource, 0, 0, QDate(2024, 4, 1)));
  eras.push_back(agencyEra(kAgencyMapSource, 0, 1, day));
  const Era& w1 = eras.back();
  EXPECT_EQ(w1.name, "W01");
  EXPECT_EQ(w1.yearFrom, 2026);
  EXPECT_EQ(w1.acquiredText, "2026/03/04");
  EXPECT_EQ(w1.tileStyle, kMaskedMap);
  EXPECT_EQ(w1.ext, "png");
  EXPECT_EQ(agencyInfoFileBytes(eras, kAgencyBasicMap),
            QByteArray(" 2 \r\nW00, 2024 , 2024 ,2024/04/01\r\nW01, 2026 , 2026 ,2026/03/04\r\n"));

  const Era photo = agencyEra(kAgencyAirPhotoSource, 2, 0, day);
  EXPECT_EQ(photo.name, "ORTHO2");
  EXPECT_EQ(photo.yearFrom, 1984);
  EXPECT_EQ(photo.yearTo, 1986);
  EXPECT_TRUE(photo.acquiredText.isEmpty());
  eras.push_back(photo);
  EXPECT_EQ(agencyInfoFileBytes(eras, kAerialPhoto), QByteArray(" 1 \r\nORTHO2, 2 \r\n"));
  const Era dko = agencyEra(kAgencyOrthoSource, 0, 0, day);
  EXPECT_EQ(dko.name, "DKO00");
  EXPECT_EQ(dko.kind, kAgencyOrtho);
  EXPECT_EQ(dko.ext, "jpg");

  // Periods: offered ("1") and not yet fetched.
  EXPECT_EQ(availablePeriods(eras, "111001"), (std::vector<int>{0, 1, 5}));
  EXPECT_EQ(availablePeriods(eras, "0000"), std::vector<int>{});
  EXPECT_EQ(fetchedPeriodsText(eras), "1984-1986年（空中写真）");
  EXPECT_EQ(fetchedDatesText(eras, kAgencyBasicMap), "2024/04/01取得 2026/03/04取得\n");
  EXPECT_EQ(fetchedDatesText(eras, kAgencyOrtho), "まだ取得していません");
}

TEST(AgencyEras, AppendWritesTheInfoFileOrLeavesEverything) {
  test::RootFixture root;
  ProgramState state;
  state.datasetFolder = root.root();
  ASSERT_TRUE(AppendAgencyEra(state, agencyEra(kAgencyOrthoSource, 0, 0, QDate(2025, 12, 31)), nullptr));
  EXPECT_EQ(test::readBytes(root.path("map_densikokudo_ortho_info.txt")),
            QByteArray(" 1 \r\nDKO00, 2025 , 2025 ,2025/12/31\r\n"));
  ASSERT_TRUE(WriteRapidSurveyInfo(root.root(), nullptr));
  EXPECT_EQ(test::readBytes(root.path("map_Jinnsoku_info.txt")), QByteArray(" 1 \r\n"));

  // The info file cannot be written (its name is taken by a folder): the era
  // list stays as it was.
  QDir(root.root()).mkdir("map_watizu_info.txt");
  QString error;
  EXPECT_FALSE(AppendAgencyEra(state, agencyEra(kAgencyMapSource, 0, 0, QDate(2025, 1, 1)), &error));
  EXPECT_EQ(state.eras.size(), 1u);
  EXPECT_FALSE(error.isEmpty());
}
