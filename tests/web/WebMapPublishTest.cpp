// SPDX-License-Identifier: MIT
// Publishing a region's web map: tiles composed as the window composes each
// era, the documents that describe them, and a second run that rewrites only
// what changed.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

#include "WebMapFixture.h"
#include "output/WebMapPublish.h"
#include "output/WebTileRender.h"

using namespace kavalo;

namespace {

struct FileState {
  QByteArray bytes;
  qint64 modified = 0;
};

// Every tile under a folder, by relative path.
QMap<QString, FileState> tilesUnder(const QString& folder) {
  QMap<QString, FileState> files;
  QDirIterator it(folder, {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    files.insert(QDir(folder).relativeFilePath(path),
                 {test::readBytes(path), QFileInfo(path).lastModified().toMSecsSinceEpoch()});
  }
  return files;
}

QJsonObject readJson(const QString& path) { return QJsonDocument::fromJson(test::readBytes(path)).object(); }

struct Published {
  test::WebMapFixture f;
  QTemporaryDir out;
  QString map;
  WebMapOptions options;
  Published() {
    map = out.path() + QStringLiteral("/maps/d");
    options.viewerFolder = f.viewer.path();
    options.threads = 2;
  }
  bool publish(WebMapReport& report, QString* error) { return publishWebMap(f.state, map, options, report, error); }
};

}  // namespace

TEST(WebMapPublish, EachEraIsAPyramidOfItsOwnPictures) {
  Published p;
  ASSERT_TRUE(p.f.load());
  WebMapReport report;
  QString error;
  ASSERT_TRUE(p.publish(report, &error)) << error.toStdString();
  EXPECT_EQ(report.zooms.minZoom, 10);
  EXPECT_EQ(report.zooms.maxZoom, 11);
  EXPECT_EQ(report.eras, 2);
  struct Case {
    const char* era;
    QRgb colour;
  } cases[] = {{"E1900", qRgb(255, 0, 0)}, {"E1930", qRgb(0, 0, 255)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.era);
    const QString eraDir = p.map + QStringLiteral("/tiles/") + c.era;
    // The region (about 139-139.25 E, 35.83-36 N) lies on tiles 1814-1816
    // x 804-805 of zoom 11 and 907-908 x 402 of zoom 10.
    for (const QString& tile : {"11/1815/804.png", "11/1814/805.png", "11/1816/805.png", "10/907/402.png"}) {
      QImage picture;
      ASSERT_TRUE(picture.load(eraDir + u'/' + tile)) << tile.toStdString();
      ASSERT_EQ(picture.size(), QSize(256, 256));
    }
    EXPECT_FALSE(QFileInfo::exists(eraDir + QStringLiteral("/11/1813/804.png")));  // wholly west of the region
    // Inside: the era's colour; west of 139 E on the western tile: nothing.
    const QImage inner(eraDir + QStringLiteral("/11/1815/804.png"));
    EXPECT_EQ(inner.pixel(128, 200) & 0xffffffu, c.colour & 0xffffffu);
    EXPECT_EQ(qAlpha(inner.pixel(128, 200)), 255);
    const QImage west(eraDir + QStringLiteral("/11/1814/805.png"));
    // The region's west edge, 138.9925 E, falls at 0.713 of tile 1814's
    // width.
    EXPECT_EQ(qAlpha(west.pixel(150, 20)), 0);
    EXPECT_EQ(qAlpha(west.pixel(230, 20)), 255);
    EXPECT_EQ(west.pixel(230, 20) & 0xffffffu, c.colour & 0xffffffu);

    const QJsonObject tj = readJson(eraDir + QStringLiteral("/tilejson.json"));
    EXPECT_EQ(tj[QStringLiteral("tilejson")].toString(), QStringLiteral("3.0.0"));
    EXPECT_EQ(tj[QStringLiteral("tiles")].toArray().at(0).toString(), QStringLiteral("{z}/{x}/{y}.png"));
    EXPECT_EQ(tj[QStringLiteral("minzoom")].toInt(), 10);
    EXPECT_EQ(tj[QStringLiteral("maxzoom")].toInt(), 11);
    const QJsonArray bounds = tj[QStringLiteral("bounds")].toArray();
    ASSERT_EQ(bounds.size(), 4);
    // The fixture's world datum is its Tokyo graticule shifted by 12 pixels
    // and -8 pixels: the grid's corner reads 0.0075 degrees west and
    // 0.0041667 degrees south of 139 E, 36 N.
    EXPECT_NEAR(bounds[0].toDouble(), 138.9925, 1e-6);
    EXPECT_NEAR(bounds[2].toDouble(), 139.2425, 1e-6);
    EXPECT_NEAR(bounds[3].toDouble(), 35.9958333, 1e-6);
    EXPECT_FALSE(tj[QStringLiteral("attribution")].toString().isEmpty());
  }
  const QJsonObject eras = readJson(p.map + QStringLiteral("/eras.json"));
  const QJsonArray list = eras[QStringLiteral("eras")].toArray();
  ASSERT_EQ(list.size(), 2);
  EXPECT_EQ(list[0].toObject()[QStringLiteral("folder")].toString(), QStringLiteral("E1900"));
  EXPECT_EQ(list[1].toObject()[QStringLiteral("folder")].toString(), QStringLiteral("E1930"));
  EXPECT_EQ(list[1].toObject()[QStringLiteral("from")].toInt(), 1930);
  EXPECT_EQ(list[1].toObject()[QStringLiteral("to")].toInt(), 1931);
  EXPECT_FALSE(list[0].toObject()[QStringLiteral("label")].toString().isEmpty());
  EXPECT_EQ(list[0].toObject()[QStringLiteral("tiles")].toString(), QStringLiteral("tiles/E1900/{z}/{x}/{y}.png"));
  EXPECT_EQ(eras[QStringLiteral("dataset")].toString(), QStringLiteral("d"));
  // The same list for a page opened from the disk, and the page itself.
  EXPECT_TRUE(test::readBytes(p.map + QStringLiteral("/eras.js")).startsWith("window.KAVALO_ERAS = {"));
  EXPECT_EQ(test::readBytes(p.map + QStringLiteral("/ol/LICENSE.md")), QByteArray("licence\n"));
}

TEST(WebMapPublish, ASecondRunRewritesOnlyTheEraThatChanged) {
  Published p;
  ASSERT_TRUE(p.f.load());
  WebMapReport first;
  QString error;
  ASSERT_TRUE(p.publish(first, &error)) << error.toStdString();
  const QMap<QString, FileState> before1900 = tilesUnder(p.map + QStringLiteral("/tiles/E1900"));
  const QMap<QString, FileState> before1930 = tilesUnder(p.map + QStringLiteral("/tiles/E1930"));
  ASSERT_FALSE(before1900.isEmpty());
  EXPECT_EQ(first.written, before1900.size() + before1930.size());

  WebMapReport again;
  ASSERT_TRUE(p.publish(again, &error)) << error.toStdString();
  EXPECT_EQ(again.erasComposed, 0);
  EXPECT_EQ(again.written, 0);

  // One tile of E1930 turns green: its tiles over that place change, E1900's
  // stay as they were, to the file time.
  test::writeSolidImage(p.f.data.folder + QStringLiteral("/E1930/001_001.png"), 100, 80, Qt::green);
  WebMapReport third;
  ASSERT_TRUE(p.publish(third, &error)) << error.toStdString();
  EXPECT_GT(third.written, 0);
  const QMap<QString, FileState> after1900 = tilesUnder(p.map + QStringLiteral("/tiles/E1900"));
  const QMap<QString, FileState> after1930 = tilesUnder(p.map + QStringLiteral("/tiles/E1930"));
  ASSERT_EQ(after1900.keys(), before1900.keys());
  for (const QString& k : before1900.keys()) {
    EXPECT_EQ(after1900[k].bytes, before1900[k].bytes) << k.toStdString();
    EXPECT_EQ(after1900[k].modified, before1900[k].modified) << k.toStdString();
  }
  int changed = 0;
  for (const QString& k : before1930.keys()) changed += after1930[k].bytes != before1930[k].bytes ? 1 : 0;
  EXPECT_EQ(changed, third.written);
  EXPECT_LT(changed, before1930.size());  // only the tiles over that place
}

TEST(WebMapPublish, TilesAndErasTheMapNoLongerHasAreRemoved) {
  Published p;
  ASSERT_TRUE(p.f.load());
  WebMapReport report;
  QString error;
  ASSERT_TRUE(p.publish(report, &error)) << error.toStdString();
  // A tile of a zoom beyond the range and an era folder of an era now gone,
  // as a run with other data would have left them.
  const QString stray = p.map + QStringLiteral("/tiles/E1900/13/7260/3218.png");
  test::writeBytes(stray, "old");
  test::writeBytes(p.map + QStringLiteral("/tiles/E1850/11/1815/804.png"), "old");
  test::writeSolidImage(p.f.data.folder + QStringLiteral("/E1900/000_000.png"), 100, 80, Qt::yellow);
  WebMapReport again;
  ASSERT_TRUE(p.publish(again, &error)) << error.toStdString();
  EXPECT_FALSE(QFileInfo::exists(stray));
  EXPECT_FALSE(QFileInfo::exists(p.map + QStringLiteral("/tiles/E1900/13")));
  EXPECT_FALSE(QFileInfo::exists(p.map + QStringLiteral("/tiles/E1850")));
  EXPECT_GE(again.removed, 1);
}

TEST(WebMapPublish, WithoutThePagesFilesNothingIsWritten) {
  Published p;
  ASSERT_TRUE(p.f.load());
  p.options.viewerFolder = p.out.path() + QStringLiteral("/no-such-folder");
  WebMapReport report;
  QString error;
  EXPECT_FALSE(p.publish(report, &error));
  EXPECT_TRUE(error.contains(QStringLiteral("map page")));
  EXPECT_FALSE(QFileInfo::exists(p.map));
}

TEST(WebMapPublish, ATileOfZoomZIsTheAverageOfItsFourChildren) {
  QImage children[4];
  const QRgb colours[4] = {qRgba(255, 0, 0, 255), qRgba(0, 0, 255, 255), qRgba(0, 255, 0, 255), 0};
  for (int k = 0; k < 3; ++k) {
    children[k] = QImage(256, 256, QImage::Format_ARGB32);
    children[k].fill(colours[k]);
  }
  // Child 1 is transparent up to x 128: the parent's pixel over its
  // columns 128 and 129 is half covered, in blue, not darkened by the
  // transparent half.
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x <= 128; ++x) children[1].setPixel(x, y, 0);
  const QImage parent = webTileFromChildren(children);
  struct Case {
    int x, y;
    QRgb expected;
  } cases[] = {
      {10, 10, qRgba(255, 0, 0, 255)},   // north-west: child 0
      {140, 10, 0},                      // north-east, over the transparent part
      {192, 10, qRgba(0, 0, 255, 128)},  // half over it
      {250, 10, qRgba(0, 0, 255, 255)},  // beyond it
      {10, 250, qRgba(0, 255, 0, 255)},  // south-west: child 2
      {250, 250, 0},                     // south-east: missing child
  };
  for (const Case& c : cases) EXPECT_EQ(parent.pixel(c.x, c.y), c.expected) << c.x << ',' << c.y;
}
