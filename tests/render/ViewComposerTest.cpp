// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "RenderFixture.h"
#include "render/RasterOps.h"

using namespace kavalo;
using test::tileColour;

namespace {

// 図歴.csv of a 2 x 2 sheet region from a function of (sheet column, sheet
// row, history column) giving the two texts.
void writeHistory(const test::RenderFixture& f, int historyColumns,
                  const std::function<std::pair<QString, QString>(int, int, int)>& entry) {
  QString text;
  for (int sr = 0; sr < 2; ++sr)
    for (int hc = 0; hc < historyColumns; ++hc) {
      QStringList fields;
      for (int sc = 0; sc < 2; ++sc) {
        const auto [a, b] = entry(sc, sr, hc);
        fields << a << b;
      }
      text += fields.join(u',') + u'\n';
    }
  test::writeSjis(f.data.folder + QStringLiteral("/図歴.csv"), text);
}

QRgb veiled(QRgb c) { return qRgb(veilChannel(qRed(c)), veilChannel(qGreen(c)), veilChannel(qBlue(c))); }

constexpr QRgb kWhite = 0xFFFFFFFFu;

}  // namespace

TEST(ViewComposer, TilesLieWhereTheGridPutsThemAt100And200Percent) {
  test::RenderFixture f;
  f.data.write();
  f.solidTiles(QStringLiteral("E1900"), tileColour);
  ASSERT_TRUE(f.load());
  f.state.view.showAltitude = false;  // tiles are copied

  // 100 %: tile (1, 1) covers x 50..150 and y 20..100; the next tile starts on
  // its last pixel (the one-pixel overlap) and is drawn over it.
  const QImage& p = f.compose();
  EXPECT_EQ(p.pixel(100, 60), tileColour(1, 1));
  EXPECT_EQ(p.pixel(50, 20), tileColour(1, 1));
  EXPECT_EQ(p.pixel(49, 60), tileColour(0, 1));
  EXPECT_EQ(p.pixel(149, 99), tileColour(1, 1));
  EXPECT_EQ(p.pixel(150, 60), tileColour(2, 1));
  EXPECT_EQ(p.pixel(100, 100), tileColour(1, 2));
  EXPECT_EQ(p.pixel(0, 0), tileColour(0, 0));
  EXPECT_EQ(p.pixel(299, 150), tileColour(3, 2));

  // 200 %: tile (1, 1) covers x -50..150 and y -60..100 (201 x 161).
  f.state.view.zoomPercent = 200;
  const QImage& q = f.compose();
  EXPECT_EQ(q.pixel(0, 0), tileColour(1, 1));
  EXPECT_EQ(q.pixel(149, 99), tileColour(1, 1));
  EXPECT_EQ(q.pixel(150, 50), tileColour(2, 1));
  EXPECT_EQ(q.pixel(100, 100), tileColour(1, 2));
  EXPECT_EQ(q.pixel(299, 199), tileColour(2, 2));
}

TEST(ViewComposer, ElevationColoursAreAndedAndCopiedOtherwise) {
  test::RenderFixture f;
  f.data.write();
  f.gentleAltitude();
  // Map tiles: white paper with a black line along the top row of each.
  QDir().mkpath(f.data.folder + QStringLiteral("/E1900"));
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) {
      QImage tile(100, 80, QImage::Format_RGB32);
      tile.fill(col == 1 && row == 1 ? qRgb(0xF0, 0xCC, 0x3F) : kWhite);
      for (int x = 0; x < 100; ++x) tile.setPixel(x, 0, qRgb(0, 0, 0));
      ASSERT_TRUE(
          tile.save(f.eraFile(QStringLiteral("E1900"),
                              QStringLiteral("%1_%2.png").arg(col, 3, 10, QChar(u'0')).arg(row, 3, 10, QChar(u'0')))));
    }
  ASSERT_TRUE(f.load());
  ASSERT_TRUE(f.state.pieces.available());

  f.state.view.showTiles = false;
  const QImage background = f.compose().copy();
  // The elevation colours are there, and differ across the view.
  EXPECT_NE(background.pixel(60, 150), kWhite);
  EXPECT_NE(background.pixel(60, 150), background.pixel(280, 150));

  f.state.view.showTiles = true;
  const QImage anded = f.compose().copy();
  for (const QPoint pt : {QPoint(60, 150), QPoint(280, 150), QPoint(200, 40)})
    EXPECT_EQ(anded.pixel(pt), background.pixel(pt)) << "white paper shows the colours at " << pt.x();
  EXPECT_EQ(anded.pixel(100, 60), background.pixel(100, 60) & qRgb(0xF0, 0xCC, 0x3F));
  // The black line along the top of tile (2, 2), at y = 100, stays black.
  EXPECT_EQ(anded.pixel(200, 100), qRgb(0, 0, 0));

  f.state.view.showAltitude = false;
  const QImage copied = f.compose();
  EXPECT_EQ(copied.pixel(60, 150), kWhite);
  EXPECT_EQ(copied.pixel(100, 60), qRgb(0xF0, 0xCC, 0x3F));
}

TEST(ViewComposer, PhotoErasGetAWhiteBackground) {
  test::RenderFixture f;
  f.data.write();
  test::writeSjis(f.data.folder + QStringLiteral("/map_ortho_info.txt"), QStringLiteral("1\nORTHO1,0\n"));
  f.solidTiles(QStringLiteral("ORTHO1"), tileColour, QStringLiteral("jpg"));
  ASSERT_TRUE(f.load());
  f.state.view.eraIndex = 2;
  ASSERT_EQ(f.state.currentEra().tileStyle, kPhoto);
  ASSERT_TRUE(f.state.view.showAltitude);
  // The grid of world-datum frames lies 12 right and 8 up: tile (1, 1) covers
  // x 62..162, y 12..92. Its colour is whatever the JPEG decodes to.
  QImage tile;
  ASSERT_TRUE(tile.load(f.eraFile(QStringLiteral("ORTHO1"), QStringLiteral("001_001.jpg"))));
  const QImage& p = f.compose();
  EXPECT_EQ(p.pixel(110, 50), tile.pixel(50, 40));
  // Where tile (1, 1) overlaps the last column of tile (0, 1) the later tile
  // is seen, not the AND of two photos.
  QImage left;
  ASSERT_TRUE(left.load(f.eraFile(QStringLiteral("ORTHO1"), QStringLiteral("000_001.jpg"))));
  ASSERT_NE(tile.pixel(0, 40) & left.pixel(99, 40), tile.pixel(0, 40));
  EXPECT_EQ(p.pixel(62, 50), tile.pixel(0, 40));
}

TEST(ViewComposer, BorrowedSheetsAreVeiledAndMissingSheetsShowTheBackground) {
  test::RenderFixture f;
  f.data.write();
  f.gentleAltitude();
  // E1930 (history column 2): sheet (0, 0) borrows E1900's, sheet (1, 0) is
  // its own, sheet (0, 1) has none, sheet (1, 1) names a column no era has.
  writeHistory(f, 3, [](int sc, int sr, int hc) -> std::pair<QString, QString> {
    if (hc == 0) return {QStringLiteral("図"), QString()};
    if (hc == 1) return {QStringLiteral("明治"), QString()};
    if (sc == 0 && sr == 0) return {QString(), QStringLiteral("-1")};
    if (sc == 1 && sr == 0) return {QStringLiteral("昭和"), QString()};
    if (sc == 1 && sr == 1) return {QString(), QStringLiteral("7")};
    return {QString(), QString()};
  });
  f.solidTiles(QStringLiteral("E1900"), tileColour);
  f.solidTiles(QStringLiteral("E1930"), [](int c, int r) { return qRgb(10 * c, 10 * r, 90); });
  ASSERT_TRUE(f.load());
  f.state.view.eraIndex = 1;
  f.state.view.showAltitude = false;
  const QImage& p = f.compose();
  EXPECT_EQ(p.pixel(100, 60), veiled(tileColour(1, 1)));  // borrowed from E1900
  EXPECT_EQ(p.pixel(200, 60), qRgb(20, 10, 90));          // its own sheet
  EXPECT_EQ(p.pixel(100, 150), kWhite);                   // no sheet
  EXPECT_EQ(p.pixel(200, 150), kWhite);                   // no era of that column
  EXPECT_EQ(veiled(qRgb(0, 0, 0)), qRgb(80, 80, 80));

  // Over the elevation colours the veil covers the ANDed result.
  f.state.view.showAltitude = true;
  f.state.view.showTiles = false;
  const QImage background = f.compose().copy();
  f.state.view.showTiles = true;
  const QImage& q = f.compose();
  EXPECT_EQ(q.pixel(100, 60), veiled(background.pixel(100, 60) & tileColour(1, 1)));
}

TEST(ViewComposer, MaskedMapsPunchTheMaskThenPaintTheTile) {
  test::RenderFixture f;
  f.data.tikeizuLines << QStringLiteral("E1950,0,1950,1950,1,3,2,png");
  f.data.write();
  f.gentleAltitude();
  const QRgb ink = qRgb(0x20, 0x80, 0x40);
  QDir().mkpath(f.data.folder + QStringLiteral("/E1950"));
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) {
      // Left half: the mask is black and the tile carries ink; right half:
      // the mask is white and the tile black.
      QImage tile(100, 80, QImage::Format_RGB32), mask(100, 80, QImage::Format_RGB32);
      for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x) {
          tile.setPixel(x, y, x < 50 ? ink : qRgb(0, 0, 0));
          mask.setPixel(x, y, x < 50 ? qRgb(0, 0, 0) : kWhite);
        }
      const QString name = QStringLiteral("%1_%2.png").arg(col, 3, 10, QChar(u'0')).arg(row, 3, 10, QChar(u'0'));
      ASSERT_TRUE(tile.save(f.eraFile(QStringLiteral("E1950"), name)));
      if (!(col == 2 && row == 1)) {
        ASSERT_TRUE(mask.save(f.eraFile(QStringLiteral("E1950"), QStringLiteral("M_") + name)));
      }
    }
  ASSERT_TRUE(f.load());
  f.state.view.eraIndex = 2;
  ASSERT_EQ(f.state.currentEra().tileStyle, kMaskedMap);

  f.state.view.showTiles = false;
  const QImage background = f.compose().copy();
  f.state.view.showTiles = true;
  const QImage& p = f.compose();
  // Tile (1, 1) covers x 50..150: its left half x 50..99.
  EXPECT_EQ(p.pixel(70, 60), ink);
  EXPECT_EQ(p.pixel(130, 60), background.pixel(130, 60));
  // Without its mask, the tile is ORed over the background.
  EXPECT_EQ(p.pixel(170, 60), background.pixel(170, 60) | ink);
  EXPECT_EQ(p.pixel(230, 60), background.pixel(230, 60));

  // Without the elevation colours the tile's rectangle is white first.
  f.state.view.showAltitude = false;
  const QImage& q = f.compose();
  EXPECT_EQ(q.pixel(70, 60), ink);
  EXPECT_EQ(q.pixel(130, 60), kWhite);
  EXPECT_EQ(q.pixel(170, 60), kWhite);  // white | ink
}

TEST(ViewComposer, PositionsOutsideTheGridShowTheBackground) {
  test::RenderFixture f;
  f.data.write();
  f.gentleAltitude();
  f.solidTiles(QStringLiteral("E1900"), tileColour);
  ASSERT_TRUE(f.load());
  // The grid's north-west corner at view (130, 80).
  f.state.view.centerX = 20.0f;
  f.state.view.centerY = 20.0f;
  f.state.view.showAltitude = false;
  const QImage& p = f.compose();
  EXPECT_EQ(p.pixel(10, 10), kWhite);
  EXPECT_EQ(p.pixel(129, 150), kWhite);
  EXPECT_EQ(p.pixel(130, 80), tileColour(0, 0));
  EXPECT_EQ(p.pixel(250, 190), tileColour(1, 1));

  f.state.view.showAltitude = true;
  const QImage& q = f.compose();
  EXPECT_EQ(q.pixel(10, 10), kWhite);
  EXPECT_NE(q.pixel(250, 190), kWhite);
}

TEST(ViewComposer, BadTileFilesAreDrawnBlankAndTheRestStillDraws) {
  test::RenderFixture f;
  f.data.write();
  f.gentleAltitude();
  f.solidTiles(QStringLiteral("E1900"), tileColour);
  const QString e = QStringLiteral("E1900");
  test::writeBytes(f.eraFile(e, QStringLiteral("001_001.png")), "garbage");
  const QByteArray good = test::readBytes(f.eraFile(e, QStringLiteral("002_001.png")));
  test::writeBytes(f.eraFile(e, QStringLiteral("002_001.png")), good.left(good.size() / 2));
  test::writeBytes(f.eraFile(e, QStringLiteral("001_002.png")), QByteArray());
  QFile::remove(f.eraFile(e, QStringLiteral("002_002.png")));
  ASSERT_TRUE(f.load());
  f.state.view.showAltitude = false;
  const QImage& p = f.compose();
  for (const QPoint pt : {QPoint(100, 60), QPoint(200, 60), QPoint(100, 140), QPoint(200, 140)})
    EXPECT_EQ(p.pixel(pt), kWhite);
  EXPECT_EQ(p.pixel(20, 10), tileColour(0, 0));
  EXPECT_EQ(p.pixel(280, 60), tileColour(3, 1));

  // An era whose folder does not exist draws like one without tiles.
  f.state.eras[0].name = QStringLiteral("NoSuchFolder");
  f.state.view.showAltitude = true;
  f.state.view.showTiles = false;
  const QImage background = f.compose().copy();
  f.state.view.showTiles = true;
  EXPECT_EQ(f.compose(), background);
}

TEST(ViewComposer, ThePrintPassDrawsTheSameViewAtScaleKFromTheOffset) {
  test::RenderFixture f;
  f.data.write();
  f.solidTiles(QStringLiteral("E1900"), tileColour);
  ASSERT_TRUE(f.load());
  f.state.view.showAltitude = false;
  const QImage screen = f.compose().copy();

  const QRgb grey = qRgb(0x80, 0x80, 0x80);
  QImage page(700, 500, QImage::Format_RGB32);
  page.fill(grey);
  ViewRequest print = f.request(RenderPass::Print);
  print.devicePixelRatio = 2.0;
  print.origin = QPointF(10.0, 20.0);
  ASSERT_TRUE(renderView(f.state, print, page));
  // View (x, y) lies at (2x + 10, 2y + 20); tile (2, 1) starts at view x 150.
  EXPECT_EQ(page.pixel(10 + 2 * 100, 20 + 2 * 60), tileColour(1, 1));
  EXPECT_EQ(page.pixel(309, 200), tileColour(1, 1));
  EXPECT_EQ(page.pixel(310, 200), tileColour(2, 1));
  EXPECT_EQ(page.pixel(10, 20), tileColour(0, 0));
  EXPECT_EQ(page.pixel(609, 419), tileColour(3, 3));
  // Outside the page rectangle of the view (10, 20)-(610, 420) nothing changes.
  EXPECT_EQ(page.pixel(9, 100), grey);
  EXPECT_EQ(page.pixel(610, 100), grey);
  EXPECT_EQ(page.pixel(300, 420), grey);
  // The view's own picture is left as it was.
  EXPECT_EQ(f.picture, screen);
}

TEST(ViewComposer, ADragRedrawsOnlyTheUncoveredStripsWithoutTiles) {
  test::RenderFixture f;
  f.data.write();
  f.gentleAltitude();
  f.solidTiles(QStringLiteral("E1900"), tileColour);
  ASSERT_TRUE(f.load());
  f.state.view.showAltitude = false;
  f.compose();
  const QImage snapshot = f.snapshot.copy();
  // The snapshot holds the tiles (taken before the overlays).
  EXPECT_EQ(snapshot.pixel(100, 60), tileColour(1, 1));

  const QRgb sentinel = qRgb(1, 2, 3);
  f.picture.fill(sentinel);
  ViewRequest drag = f.request(RenderPass::Drag);
  drag.dragOffset = QPoint(30, -20);
  renderView(f.state, drag, f.picture, nullptr, &f.snapshot);
  const QImage& p = f.picture;
  EXPECT_EQ(p.pixel(0, 0), kWhite);  // left strip: background only
  EXPECT_EQ(p.pixel(29, 100), kWhite);
  EXPECT_EQ(p.pixel(299, 180), kWhite);  // bottom strip
  EXPECT_EQ(p.pixel(30, 100), sentinel);
  EXPECT_EQ(p.pixel(299, 179), sentinel);
  EXPECT_EQ(f.snapshot, snapshot);  // no new snapshot

  // With the elevation colours on, the strips get the colours of the view.
  f.state.view.showAltitude = true;
  f.state.view.showTiles = false;
  const QImage background = f.compose().copy();
  f.state.view.showTiles = true;
  f.picture.fill(sentinel);
  drag = f.request(RenderPass::Drag);
  drag.dragOffset = QPoint(30, -20);
  renderView(f.state, drag, f.picture);
  for (const QPoint pt : {QPoint(10, 100), QPoint(29, 5), QPoint(200, 190), QPoint(5, 199)})
    EXPECT_EQ(p.pixel(pt), background.pixel(pt)) << pt.x() << "," << pt.y();
  EXPECT_NE(p.pixel(200, 190), kWhite);
  EXPECT_EQ(p.pixel(150, 100), sentinel);
}

TEST(ViewComposer, TheElevationReachesTheViewEdgeWhenLittleOfAPieceShows) {
  test::RenderFixture f;
  f.data.write();
  f.gentleAltitude();
  ASSERT_TRUE(f.load());
  f.state.view.showTiles = false;
  // The last row of pieces shows 20 of 81 rows: 2 x 20 / 81 rounds to no
  // source row at all; the piece's edge row fills them.
  const QImage& p = f.compose();
  for (int y = 175; y < 200; ++y) ASSERT_NE(p.pixel(150, y), kWhite) << y;
}

TEST(ViewComposer, TheSnapshotIsItsOwnCopy) {
  test::RenderFixture f;
  f.data.write();
  f.solidTiles(QStringLiteral("E1900"), tileColour);
  ASSERT_TRUE(f.load());
  f.compose();
  const QImage& p = f.picture;
  const QImage& s = f.snapshot;
  ASSERT_EQ(s.size(), p.size());
  // The overlays of the corners come after the snapshot; the upper half of
  // the view has none of them.
  EXPECT_EQ(s.copy(0, 0, 300, 100), p.copy(0, 0, 300, 100));
  f.picture.fill(Qt::black);
  EXPECT_NE(s.pixel(100, 60), qRgb(0, 0, 0));
}

TEST(ViewComposer, SheetImagesLieOnTheirGeographicBox) {
  test::RenderFixture f;
  f.data.extraMapInfo << QStringLiteral("正式二万=1");
  f.data.write();
  // One sheet image over the north-west sheet (139.0-139.125 E, 36.0-35.9167 N).
  test::writeSjis(f.data.folder + QStringLiteral("/map_2man_info.txt"),
                  QStringLiteral("1909,1909,1,0\nfile,west,east,north,south\nnw.png,139.0,139.125,36.0,35.91666667\n"));
  test::writeSolidImage(f.eraFile(QStringLiteral("2man"), QStringLiteral("nw.png")), 50, 40, QColor(0x30, 0x90, 0xC0));
  ASSERT_TRUE(f.load());
  int twenty = -1;
  for (size_t i = 0; i < f.state.eras.size(); ++i)
    if (f.state.eras[i].bySheetIndex) twenty = static_cast<int>(i);
  ASSERT_GE(twenty, 0);
  f.state.view.eraIndex = twenty;
  f.state.view.showAltitude = false;
  // The sheet covers image x 0..200, y 0..160: view x -50..150, y -60..100.
  const QImage& p = f.compose();
  EXPECT_EQ(p.pixel(100, 50), qRgb(0x30, 0x90, 0xC0));
  EXPECT_EQ(p.pixel(0, 0), qRgb(0x30, 0x90, 0xC0));
  EXPECT_EQ(p.pixel(200, 50), kWhite);
  EXPECT_EQ(p.pixel(100, 150), kWhite);
}

TEST(ViewComposer, NothingIsDrawnBeforeADatasetIsLoaded) {
  ProgramState state;
  state.view.viewWidth = state.view.viewHeight = 20;
  QImage picture(20, 20, QImage::Format_RGB32);
  picture.fill(qRgb(1, 2, 3));
  QImage snapshot;
  EXPECT_FALSE(renderView(state, currentViewRequest(state, RenderPass::Screen), picture, nullptr, &snapshot));
  EXPECT_EQ(picture.pixel(5, 5), qRgb(1, 2, 3));
  EXPECT_TRUE(snapshot.isNull());
}
