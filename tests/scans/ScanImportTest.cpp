// SPDX-License-Identifier: MIT
// The user's scans as eras: each corner of a scan lands where the coordinate
// model puts it, in a geographic and a projected coordinate system, as a
// masked map and as a photo; scans that cannot be taken leave nothing
// behind; the info file of imported eras.
#include <gdal.h>
#include <gtest/gtest.h>
#include <ogr_spatialref.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <atomic>
#include <memory>

#include "ScanFixtures.h"
#include "model/Coordinates.h"
#include "model/ImportedEras.h"
#include "model/ProgramState.h"
#include "net/ScanImport.h"
#include "render/Tiles.h"
#include "support/Fixtures.h"
#include "support/InstalledCatalogue.h"
#include "support/Programs.h"

using namespace kavalo;

namespace {

// The fixture region: 139 to 139.25 east, 35.83 to 36 north, 400 x 320
// pixels in 4 x 4 tiles of 100 x 80, the world-datum frame 12 and -8 off.
struct Region {
  QTemporaryDir dir;
  ProgramState state;
  Region() {
    test::DatasetFixture d;
    d.folder = dir.filePath("region");
    d.write();
    state.datasetFolder = d.folder;
    QString error;
    if (!readMapInfo(d.folder + "/mapinfo.txt", state.mapInfo, &error) || !deriveGrid(state.mapInfo, &error))
      throw std::runtime_error(error.toStdString());
  }
  QString path(const QString& name) const { return dir.filePath(name); }
  // Every tile of an era folder laid into one mosaic of the world frame.
  QImage mosaic(const QString& era, const QString& ext) const {
    const MapInfo& m = state.mapInfo;
    QImage out(m.totalCols * m.tileWidth, m.totalRows * m.tileHeight, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    for (int row = 0; row < m.totalRows; ++row)
      for (int col = 0; col < m.totalCols; ++col) {
        const QImage tile(state.datasetFolder + u'/' + era + u'/' + TileName(col, row, ext));
        if (!tile.isNull()) painter.drawImage(col * m.tileWidth, row * m.tileHeight, tile);
      }
    return out;
  }
  QStringList eraFolders() const {
    return QDir(state.datasetFolder).entryList({"SCAN*"}, QDir::Dirs | QDir::NoDotAndDotDot);
  }
};

test::ScanLayout geographicScan() {
  test::ScanLayout s;
  s.srs = QStringLiteral("EPSG:4326");
  const double gt[6] = {139.03, 0.17 / 300, 0, 35.975, 0, -0.12 / 240};
  std::copy(gt, gt + 6, s.geoTransform);
  return s;
}

// The plane rectangular system of the Kanto region, some 55 m a pixel; its
// north is turned half a degree from the graticule's here.
test::ScanLayout projectedScan() {
  test::ScanLayout s;
  s.srs = QStringLiteral("EPSG:6677");
  const double gt[6] = {-72000, 55, 0, -3000, 0, -55};
  std::copy(gt, gt + 6, s.geoTransform);
  return s;
}

QPointF centroid(const QImage& image, QColor colour, int& n) {
  double x = 0, y = 0;
  n = 0;
  for (int j = 0; j < image.height(); ++j)
    for (int i = 0; i < image.width(); ++i) {
      const QRgb p = image.pixel(i, j);
      if (std::abs(qRed(p) - colour.red()) + std::abs(qGreen(p) - colour.green()) + std::abs(qBlue(p) - colour.blue()) >
          60)
        continue;
      x += i + 0.5;
      y += j + 0.5;
      ++n;
    }
  return n ? QPointF(x / n, y / n) : QPointF();
}

TEST(ScanImport, CornersLandWhereTheCoordinateModelPutsThem) {
  struct Case {
    const char* what;
    test::ScanLayout layout;
    const char* driver;
    bool map;
    int tiles;  // tiles the scan reaches
  };
  // A small photo in the middle of the region, its corner blocks large
  // enough to keep their colour through JPEG.
  test::ScanLayout small = geographicScan();
  small.width = 100;
  small.height = 80;
  small.block = 8;
  small.geoTransform[0] = 139.07;
  small.geoTransform[3] = 35.95;
  const Case cases[] = {
      {"geographic GeoTIFF, map", geographicScan(), "GTiff", true, 16},
      {"projected GeoTIFF, map", projectedScan(), "GTiff", true, 16},
      {"projected PNG with world file and .prj, map", projectedScan(), "PNG", true, 16},
      {"geographic palette PNG with world file and .prj, map", geographicScan(), "PNG8", true, 16},
      {"small geographic GeoTIFF, photo", small, "GTiff", false, 4},
  };
  for (const Case& c : cases) {
    Region region;
    const QString scan = region.path(QByteArray(c.driver).startsWith("PNG") ? "scan.png" : "scan.tif");
    test::writeScan(scan, c.layout, c.driver);
    ScanImportRequest request;
    request.scanPath = scan;
    request.year = 1925;
    request.credit = QStringLiteral("市史編纂室");
    request.map = c.map;
    const ScanImportResult result = runScanImport(region.state, request, {});
    ASSERT_TRUE(result.added) << c.what << ": " << result.message.toStdString();
    EXPECT_EQ(result.era.folder, QStringLiteral("SCAN00"));
    const QString ext = c.map ? "png" : "jpg";
    const QImage mosaic = region.mosaic("SCAN00", ext);
    const MapInfo& info = region.state.mapInfo;
    const double w = c.layout.width, h = c.layout.height, b = c.layout.block / 2.0;
    const QPointF centres[4] = {{b, b}, {w - b, b}, {w - b, h - b}, {b, h - b}};
    for (int k = 0; k < 4; ++k) {
      double lon = 0, lat = 0;
      test::scanPixelToWorld(c.layout, centres[k].x(), centres[k].y(), lon, lat);
      const ImagePoint p = LatLonToImage(info, static_cast<float>(lat), static_cast<float>(lon), 1);
      int n = 0;
      const QPointF at = centroid(mosaic, test::cornerColours()[k], n);
      ASSERT_GT(n, 0) << c.what << " corner " << k;
      EXPECT_NEAR(at.x(), p.x - info.frame[2].x, 1.0) << c.what << " corner " << k;
      EXPECT_NEAR(at.y(), p.y - info.frame[2].y, 1.0) << c.what << " corner " << k;
    }
    // Beyond the scan the tiles are background: white in a photo, punched
    // out by the mask in a map. Tiles it does not reach are not written.
    const QStringList files = QDir(region.state.datasetFolder + "/SCAN00").entryList(QDir::Files);
    EXPECT_EQ(files.size(), (c.map ? 2 : 1) * c.tiles) << c.what;
    EXPECT_EQ(result.tiles, c.tiles) << c.what;
    const QImage background = c.map ? [&] {
      QImage masks(mosaic.size(), QImage::Format_RGB32);
      masks.fill(Qt::black);
      QPainter p(&masks);
      for (int row = 0; row < info.totalRows; ++row)
        for (int col = 0; col < info.totalCols; ++col)
          p.drawImage(col * info.tileWidth, row * info.tileHeight,
                      QImage(region.state.datasetFolder + "/SCAN00/" + MaskName(col, row, "png")));
      return masks;
    }() : mosaic;
    // The top-left pixel of the tile that holds the scan's north-west corner
    // lies outside the scan.
    double nwLon = 0, nwLat = 0;
    test::scanPixelToWorld(c.layout, 0, 0, nwLon, nwLat);
    const ImagePoint nw = LatLonToImage(info, static_cast<float>(nwLat), static_cast<float>(nwLon), 1);
    const int tileX = static_cast<int>(nw.x - info.frame[2].x) / info.tileWidth * info.tileWidth;
    const int tileY = static_cast<int>(nw.y - info.frame[2].y) / info.tileHeight * info.tileHeight;
    EXPECT_EQ(background.pixel(tileX, tileY), qRgb(255, 255, 255)) << c.what;
    EXPECT_EQ(files.filter(QRegularExpression("^M_")).isEmpty(), !c.map) << c.what;
    for (const QString& f : files) EXPECT_TRUE(f.endsWith(ext)) << f.toStdString();
    // The era is listed, in the state and in the info file.
    std::vector<ImportedEra> listed;
    ASSERT_TRUE(readImportedEras(region.state.datasetFolder, listed, nullptr));
    ASSERT_EQ(listed.size(), 1u);
    // Without a label of the user's, the year as the other eras show it and
    // the file's name.
    EXPECT_EQ(listed[0].label, QStringLiteral("1925年（%1）").arg(QFileInfo(scan).completeBaseName()));
    EXPECT_EQ(listed[0].map, c.map);
    ASSERT_FALSE(region.state.eras.empty());
    EXPECT_EQ(region.state.eras.back().name, QStringLiteral("SCAN00"));
    EXPECT_EQ(region.state.eras.back().tileStyle, c.map ? kMaskedMap : kPhoto);
  }
}

TEST(ScanImport, TransparentPartsOfAScanAreBackground) {
  Region region;
  test::ScanLayout layout = geographicScan();
  layout.westTransparent = true;
  test::writeScan(region.path("cut.tif"), layout);
  ScanImportRequest request{region.path("cut.tif"), 1925, QString(), QStringLiteral("市史編纂室"), false};
  const ScanImportResult result = runScanImport(region.state, request, {});
  ASSERT_TRUE(result.added) << result.message.toStdString();
  const QImage mosaic = region.mosaic("SCAN00", "jpg");
  const MapInfo& info = region.state.mapInfo;
  // A quarter and three quarters across the scan, half way down.
  auto at = [&](double px) {
    double lon = 0, lat = 0;
    test::scanPixelToWorld(layout, px, layout.height / 2.0, lon, lat);
    const ImagePoint p = LatLonToImage(info, static_cast<float>(lat), static_cast<float>(lon), 1);
    return mosaic.pixel(static_cast<int>(p.x - info.frame[2].x), static_cast<int>(p.y - info.frame[2].y));
  };
  EXPECT_GT(qGray(at(layout.width * 0.25)), 245);        // white: nothing of the scan
  EXPECT_NEAR(qGray(at(layout.width * 0.75)), 128, 12);  // the scan's grey
}

TEST(ScanImport, ScansThatCannotBeTakenLeaveNothingBehind) {
  struct Case {
    const char* what;
    std::function<QString(Region&)> make;  // the scan's path
    const char* message;                   // a part of the message
  };
  const Case cases[] = {
      {"elsewhere",
       [](Region& r) {
         test::ScanLayout s = geographicScan();
         s.geoTransform[0] = 135.0;  // a degree and more west of the region
         test::writeScan(r.path("far.tif"), s);
         return r.path("far.tif");
       },
       "この地域と重なりません"},
      {"no georeferencing",
       [](Region& r) {
         test::writeSolidImage(r.path("plain.png"), 50, 40, Qt::gray);
         return r.path("plain.png");
       },
       "位置の情報がありません"},
      {"no coordinate system",
       [](Region& r) {
         test::writeScan(r.path("nocrs.png"), geographicScan(), "PNG", false);
         return r.path("nocrs.png");
       },
       "座標系がわかりません"},
      {"not an image",
       [](Region& r) {
         test::writeBytes(r.path("notes.tif"), "not a picture at all");
         return r.path("notes.tif");
       },
       "読み込めません"},
      {"missing", [](Region& r) { return r.path("missing.tif"); }, "読み込めません"},
      {"no credit",
       [](Region& r) {
         test::writeScan(r.path("scan.tif"), geographicScan());
         return QStringLiteral("no credit:") + r.path("scan.tif");
       },
       "出典を入力してください"},
      // The label defaults to the file's name: the name is what to blame.
      {"a file name the era list cannot keep",
       [](Region& r) {
         test::writeScan(r.path("plan\"1.tif"), geographicScan());
         return r.path("plan\"1.tif");
       },
       "ファイル名に"},
      // A sparse GeoTIFF of a few hundred bytes that says it is a million
      // pixels on a side over the region: refused at once, not warped.
      {"declared far too large",
       [](Region& r) {
         const QByteArray path = r.path("huge.tif").toUtf8();
         const char* options[] = {"SPARSE_OK=TRUE", "TILED=YES", "COMPRESS=DEFLATE", nullptr};
         GDALAllRegister();
         GDALDatasetH ds = GDALCreate(GDALGetDriverByName("GTiff"), path.constData(), 1000000, 1000000, 1, GDT_Byte,
                                      const_cast<char**>(options));
         double gt[6] = {139.0, 0.25 / 1000000, 0, 36.0, 0, -0.17 / 1000000};
         GDALSetGeoTransform(ds, gt);
         OGRSpatialReference wgs;
         wgs.importFromEPSG(4326);
         GDALSetSpatialRef(ds, OGRSpatialReference::ToHandle(&wgs));
         GDALClose(ds);
         return r.path("huge.tif");
       },
       "大きすぎます"},
  };
  for (const Case& c : cases) {
    Region region;
    QString path = c.make(region);
    ScanImportRequest request;
    request.year = 1925;
    request.credit = QStringLiteral("市史編纂室");
    if (path.startsWith("no credit:")) {
      path = path.mid(10);
      request.credit.clear();
    }
    request.scanPath = path;
    const ScanImportResult result = runScanImport(region.state, request, {});
    EXPECT_FALSE(result.added) << c.what;
    EXPECT_TRUE(result.message.contains(QString::fromUtf8(c.message)))
        << c.what << ": " << result.message.toStdString();
    EXPECT_TRUE(region.eraFolders().isEmpty()) << c.what;
    EXPECT_FALSE(QFileInfo::exists(region.state.datasetFolder + "/map_import_info.txt")) << c.what;
    EXPECT_TRUE(region.state.eras.empty()) << c.what;
  }
}

TEST(ScanImport, WhatAKilledRunLeftIsClearedByTheNext) {
  Region region;
  const QString folder = region.state.datasetFolder;
  // A run killed while writing (into its own folder), and an empty era
  // folder as runs of earlier versions left it.
  QDir().mkpath(folder + "/SCAN00.importing");
  test::writeSolidImage(folder + "/SCAN00.importing/x0000y0000.png", 10, 10, Qt::red);
  QDir().mkpath(folder + "/SCAN01");
  test::writeScan(region.path("scan.tif"), projectedScan());
  ScanImportRequest request{region.path("scan.tif"), 1925, QString(), QStringLiteral("市史編纂室"), true};
  const ScanImportResult result = runScanImport(region.state, request, {});
  ASSERT_TRUE(result.added) << result.message.toStdString();
  EXPECT_EQ(result.era.folder, QStringLiteral("SCAN00"));
  EXPECT_EQ(region.eraFolders(), QStringList{"SCAN00"});
}

TEST(ScanImport, CancelledRunLeavesNothingBehind) {
  Region region;
  test::writeScan(region.path("scan.tif"), projectedScan());
  std::atomic<bool> cancel{false};
  ScanImportContext ctx;
  ctx.cancel = &cancel;
  int steps = 0;
  ctx.progress = [&](int value, int maximum) {
    if (maximum > 0 && value >= 2) cancel = true;  // キャンセル after two bands
    ++steps;
  };
  ScanImportRequest request{region.path("scan.tif"), 1925, QString(), QStringLiteral("市史編纂室"), true};
  const ScanImportResult result = runScanImport(region.state, request, ctx);
  EXPECT_FALSE(result.added);
  EXPECT_TRUE(result.cancelled);
  EXPECT_GT(steps, 2);
  EXPECT_TRUE(region.eraFolders().isEmpty());
  EXPECT_FALSE(QFileInfo::exists(region.state.datasetFolder + "/map_import_info.txt"));
}

TEST(ImportedEraFile, KeepsEveryFieldExactly) {
  QTemporaryDir dir;
  std::vector<ImportedEra> eras = {
      {QStringLiteral("SCAN00"), 1925, QStringLiteral("町の図, 大正"), QStringLiteral("市史編纂室（所蔵）"), true,
       QStringLiteral("town plan.tif")},
      {QStringLiteral("SCAN01"), 1948, QStringLiteral("空中写真"), QStringLiteral("米軍撮影"), false,
       QStringLiteral("photo.jpg")},
  };
  QString error;
  ASSERT_TRUE(writeImportedEras(dir.path(), eras, &error)) << error.toStdString();
  // Shift-JIS, CR LF, texts quoted, numbers in the program's framed form.
  EXPECT_EQ(test::readSjis(dir.filePath("map_import_info.txt")),
            QStringLiteral("SCAN00, 1925 ,\"町の図, 大正\",\"市史編纂室（所蔵）\",map,\"town plan.tif\"\r\n"
                           "SCAN01, 1948 ,\"空中写真\",\"米軍撮影\",photo,\"photo.jpg\"\r\n"));
  std::vector<ImportedEra> back;
  ASSERT_TRUE(readImportedEras(dir.path(), back, &error));
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].label, eras[0].label);
  EXPECT_EQ(back[1].year, 1948);
  EXPECT_FALSE(back[1].map);
  // A rename rewrites the file whole; deleting the last era removes it.
  back[0].label = QStringLiteral("大正の町");
  back.erase(back.begin() + 1);
  ASSERT_TRUE(writeImportedEras(dir.path(), back, &error));
  EXPECT_EQ(test::readSjis(dir.filePath("map_import_info.txt")),
            QStringLiteral("SCAN00, 1925 ,\"大正の町\",\"市史編纂室（所蔵）\",map,\"town plan.tif\"\r\n"));
  ASSERT_TRUE(writeImportedEras(dir.path(), {}, &error));
  EXPECT_FALSE(QFileInfo::exists(dir.filePath("map_import_info.txt")));

  // Texts the file cannot hold are refused, and the file is left as it was.
  ASSERT_TRUE(writeImportedEras(dir.path(), eras, &error));
  const QByteArray before = test::readBytes(dir.filePath("map_import_info.txt"));
  for (const char* bad : {"a \"quoted\" word", "two\nlines", "emoji 🗾"}) {
    std::vector<ImportedEra> changed = eras;
    changed[0].label = QString::fromUtf8(bad);
    EXPECT_FALSE(importedTextProblem(changed[0].label).isEmpty()) << bad;
    EXPECT_FALSE(writeImportedEras(dir.path(), changed, &error)) << bad;
  }
  EXPECT_EQ(test::readBytes(dir.filePath("map_import_info.txt")), before);

  // A damaged line is reported with its number.
  test::writeSjis(dir.filePath("map_import_info.txt"), "SCAN00, 1925 ,\"a\",\"b\",map,\"c\"\nSCAN01, x\n");
  EXPECT_FALSE(readImportedEras(dir.path(), back, &error));
  EXPECT_TRUE(error.contains(QStringLiteral("2行目"))) << error.toStdString();
}

TEST(ScanImport, TheMadeLabelIsShownInTheInterfacesLanguageAndStoredAsMade) {
  struct Case {
    bool english;
    const char* label;    // as typed; empty: the program makes one
    const char* message;  // %1: the region's title
    const char* stored;
  } cases[] = {
      {false, "", "%1に「1925年（town）」を追加しました。", "1925年（town）"},
      {true, "", "\"1925 (town)\" has been added to %1.", "1925年（town）"},
      {true, "町の図", "\"町の図\" has been added to %1.", "町の図"},
  };
  for (const Case& c : cases) {
    Region region;
    test::writeScan(region.path("town.tif"), geographicScan());
    std::unique_ptr<test::InstalledCatalogue> english;
    if (c.english) english = std::make_unique<test::InstalledCatalogue>(QStringLiteral("en"));
    ScanImportRequest request{region.path("town.tif"), 1925, QString::fromUtf8(c.label), QStringLiteral("市史編纂室"),
                              true};
    const ScanImportResult result = runScanImport(region.state, request, {});
    ASSERT_TRUE(result.added) << result.message.toStdString();
    EXPECT_EQ(result.message.toStdString(), QString::fromUtf8(c.message).arg(region.state.mapInfo.title).toStdString());
    std::vector<ImportedEra> listed;
    ASSERT_TRUE(readImportedEras(region.state.datasetFolder, listed, nullptr));
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].label.toStdString(), c.stored);
  }
}

TEST(ScanImport, CommandLine) {
  QTemporaryDir root;
  test::DatasetFixture d;
  d.folder = root.filePath("region");
  d.write();
  test::writeSjis(root.filePath("dataset.txt"), " 1 \nテスト,region\n");
  test::writeScan(root.filePath("scan.tif"), projectedScan());
  test::writeSolidImage(root.filePath("plain.png"), 20, 20, Qt::gray);
  const QString r = root.path();
  struct Case {
    QStringList args;
    int status;
  };
  const Case cases[] = {
      {{"import", "--root", r, "--file", root.filePath("scan.tif"), "--year", "1925"}, 2},  // no credit
      {{"import", "--root", r, "--file", root.filePath("scan.tif"), "--year", "x", "--credit", "c"}, 2},
      {{"import", "--root", r, "--file", root.filePath("scan.tif"), "--year", "1925", "--credit", "c", "--kind",
        "atlas"},
       2},
      {{"import", "--root", r, "--file", root.filePath("plain.png"), "--year", "1925", "--credit", "c"}, 1},
      {{"import", "--root", r, "--file", root.filePath("scan.tif"), "--year", "1925", "--credit", "市史", "--label",
        "大正の町", "--kind", "photo"},
       0},
  };
  for (const Case& c : cases) {
    const test::ProgramRun run = test::runCli(c.args);
    EXPECT_EQ(run.exitCode, c.status) << c.args.join(' ').toStdString() << "\n" << run.err.toStdString();
  }
  EXPECT_EQ(test::readSjis(d.folder + "/map_import_info.txt"),
            QStringLiteral("SCAN00, 1925 ,\"大正の町\",\"市史\",photo,\"scan.tif\"\r\n"));
  EXPECT_FALSE(QDir(d.folder + "/SCAN00").entryList({"*.jpg"}).isEmpty());
  EXPECT_FALSE(QFileInfo::exists(d.folder + "/SCAN01"));
}

}  // namespace
