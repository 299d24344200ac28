// SPDX-License-Identifier: MIT
// A plain scan placed by control points lands where the model that made it
// says, for every transform, through the import (GDAL's warper) and through
// the live overlay alike; a set that does not fit imports nothing.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <functional>

#include "geo/GeorefSession.h"
#include "model/Coordinates.h"
#include "model/ProgramState.h"
#include "net/ScanImport.h"
#include "platform/GeoDataLoader.h"
#include "render/GeorefPreview.h"
#include "render/Tiles.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

// The fixture region: 139 to 139.25 east, 35.83 to 36 north, 400 x 320
// pixels in 4 x 4 tiles of 100 x 80.
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
  QImage mosaic(const QString& era) const {
    const MapInfo& m = state.mapInfo;
    QImage out(m.totalCols * m.tileWidth, m.totalRows * m.tileHeight, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    for (int row = 0; row < m.totalRows; ++row)
      for (int col = 0; col < m.totalCols; ++col) {
        const QImage tile(state.datasetFolder + u'/' + era + u'/' + TileName(col, row, "png"));
        if (!tile.isNull()) painter.drawImage(col * m.tileWidth, row * m.tileHeight, tile);
      }
    return out;
  }
};

// A plain 400 x 300 scan: grey, with a block of its own colour at four
// places, and a margin that the mask cuts away.
constexpr int kW = 400, kH = 300;
const QPointF kBlocks[4] = {{80, 60}, {320, 70}, {300, 230}, {100, 220}};
const QColor kMargin(200, 0, 200);
const QColor kColours[4] = {QColor(220, 30, 30), QColor(30, 160, 40), QColor(40, 60, 220), QColor(230, 200, 20)};

QImage plainScan() {
  QImage image(kW, kH, QImage::Format_RGB32);
  image.fill(QColor(150, 150, 150));
  QPainter p(&image);
  p.fillRect(0, 0, kW, 12, kMargin);
  for (int k = 0; k < 4; ++k) p.fillRect(QRectF(kBlocks[k] - QPointF(6, 6), QSizeF(12, 12)), kColours[k]);
  return image;
}

// Models of the scan in the plane rectangular system of the region (zone
// IX), some 40 m a pixel.
using Model = std::function<PlanePoint(double, double)>;
PlanePoint quadratic(double x, double y) {
  return {-70000 + 40 * x + 0.5 * y + 0.004 * x * x, -2500 - 0.4 * x - 40 * y + 0.003 * y * y - 0.002 * x * y};
}
// A sheet photographed at a slant: a homography about the scan's corner.
PlanePoint perspective(double x, double y) {
  const double w = 1 + 3e-4 * x + 2e-4 * y;
  return {-70000 + (40 * x + 0.5 * y) / w, -2500 + (-0.4 * x - 40 * y) / w};
}
PlanePoint similarity(double x, double y) { return {-70000 + 40 * x + 0.6 * y, -2500 + 0.6 * x - 40 * y}; }

QPointF worldToMosaic(const MapInfo& info, double lon, double lat) {
  const ImagePoint p = LatLonToImage(info, static_cast<float>(lat), static_cast<float>(lon), 1);
  return {p.x - info.frame[2].x, p.y - info.frame[2].y};
}

QPointF centroid(const QImage& image, QColor colour, int& n) {
  double x = 0, y = 0;
  n = 0;
  for (int j = 0; j < image.height(); ++j)
    for (int i = 0; i < image.width(); ++i) {
      const QRgb p = image.pixel(i, j);
      if (qAlpha(p) < 128 ||
          std::abs(qRed(p) - colour.red()) + std::abs(qGreen(p) - colour.green()) + std::abs(qBlue(p) - colour.blue()) >
              60)
        continue;
      x += i + 0.5;
      y += j + 0.5;
      ++n;
    }
  return n ? QPointF(x / n, y / n) : QPointF();
}

// Control points on a 4 x 4 grid of the scan, their map places by the model.
void placePoints(GeorefSession& session, const Model& model) {
  std::vector<double> sx, sy, x, y;
  for (int j = 0; j < 4; ++j)
    for (int i = 0; i < 4; ++i) {
      sx.push_back(20 + (kW - 40) * i / 3.0);
      sy.push_back(20 + (kH - 40) * j / 3.0);
      const PlanePoint p = model(sx.back(), sy.back());
      x.push_back(p.x);
      y.push_back(p.y);
    }
  QString error;
  ASSERT_TRUE(geoData(&error)->transformPoints("EPSG:6677", "EPSG:4326", x, y, &error)) << error.toStdString();
  std::vector<ControlPoint> points;
  for (size_t k = 0; k < x.size(); ++k) points.push_back({int(k + 1), true, sx[k], sy[k], x[k], y[k]});
  session.setPoints(points);
}

QPointF modelToMosaic(const MapInfo& info, const Model& model, QPointF scan) {
  const PlanePoint p = model(scan.x(), scan.y());
  std::vector<double> x{p.x}, y{p.y};
  geoData()->transformPoints("EPSG:6677", "EPSG:4326", x, y, nullptr);
  return worldToMosaic(info, x[0], y[0]);
}

}  // namespace

TEST(GeorefImport, EachTransformPutsTheScanWhereItsModelDoes) {
  struct Case {
    const char* name;
    GeorefMethod method;
    Model model;
  } cases[] = {
      {"poly2", GeorefMethod::Poly2, quadratic},      {"tps", GeorefMethod::ThinPlateSpline, quadratic},
      {"poly3", GeorefMethod::Poly3, quadratic},      {"projective", GeorefMethod::Projective, perspective},
      {"helmert", GeorefMethod::Helmert, similarity}, {"poly1", GeorefMethod::Poly1, similarity},
  };
  QTemporaryDir scans;
  const QString scanPath = scans.filePath("town plan.png");
  ASSERT_TRUE(plainScan().save(scanPath));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Region region;
    GeorefSession session;
    QString error;
    ASSERT_TRUE(session.openScan(scanPath, &error)) << error.toStdString();
    EXPECT_FALSE(session.scanGeoreferenced());
    EXPECT_EQ(session.scanWidth(), kW);
    session.setMethod(c.method);
    placePoints(session, c.model);
    // Typed as longitude/latitude, the fit is made in a plane rectangular zone.
    EXPECT_TRUE(session.planeCrs().startsWith(QStringLiteral("EPSG:66"))) << session.planeCrs().toStdString();
    ASSERT_TRUE(session.analysis().ok) << session.analysis().why.toStdString();
    // The margin is left out by the scan's frame.
    session.setMask({{0, 14}, {kW, 14}, {kW, kH}, {0, kH}});

    GeorefWarp plan;
    ASSERT_TRUE(session.warpPlan(plan, &error)) << error.toStdString();
    ScanImportRequest request;
    request.scanPath = scanPath;
    request.year = 1950;
    request.credit = QStringLiteral("町史編纂室");
    request.georef = plan;
    const ScanImportResult result = runScanImport(region.state, request, {});
    ASSERT_TRUE(result.added) << result.message.toStdString();
    EXPECT_EQ(result.era.label, QStringLiteral("1950年（town plan）"));

    const MapInfo& info = region.state.mapInfo;
    const QImage mosaic = region.mosaic(result.era.folder);
    // The live overlay at 100 % on a screen whose pixel is about one mosaic
    // pixel, centred on the mosaic: the same places must come out.
    const double k = computeScaleFactors(info, kDefaultMmPerScreenPx, kDefaultMmPerScreenPx).screenPerImageX;
    const ScaleFactors scale = computeScaleFactors(info, kDefaultMmPerScreenPx * k, kDefaultMmPerScreenPx * k);
    const Viewport view(&info, scale, info.frame[2].x + 200.0f, info.frame[2].y + 160.0f, 100, 400, 320);
    auto toView = [&](QPointF m) {
      return QPointF(200 + (m.x() - 200) * scale.screenPerImageX, 160 + (m.y() - 160) * scale.screenPerImageY);
    };
    const QImage overlay = georefPreview(session, view);
    ASSERT_FALSE(overlay.isNull());
    for (int k = 0; k < 4; ++k) {
      const QPointF want = modelToMosaic(info, c.model, kBlocks[k]);
      int n = 0;
      const QPointF got = centroid(mosaic, kColours[k], n);
      ASSERT_GT(n, 20) << "block " << k;
      EXPECT_NEAR(got.x(), want.x(), 0.75) << "block " << k;
      EXPECT_NEAR(got.y(), want.y(), 0.75) << "block " << k;
      const QPointF seen = centroid(overlay.convertToFormat(QImage::Format_ARGB32), kColours[k], n);
      ASSERT_GT(n, 20) << "overlay block " << k;
      EXPECT_NEAR(seen.x(), toView(want).x(), 1.0) << "overlay block " << k;
      EXPECT_NEAR(seen.y(), toView(want).y(), 1.0) << "overlay block " << k;
    }
    int margin = 0;
    centroid(mosaic, kMargin, margin);
    EXPECT_EQ(margin, 0) << "the masked margin was imported";
  }
}

TEST(GeorefImport, PointsThatDoNotFitTheScanImportNothing) {
  QTemporaryDir scans;
  const QString scanPath = scans.filePath("plan.png");
  ASSERT_TRUE(plainScan().save(scanPath));
  struct Case {
    const char* name;
    std::function<void(GeorefSession&)> change;
    const char* says;
  } cases[] = {
      {"too few",
       [](GeorefSession& s) {
         while (s.points().size() > 5) s.removePoint(0);
       },
       "6点必要です（いま5点）"},
      {"outside the image", [](GeorefSession& s) { s.moveScanPlace(3, kW + 40, 10); }, "点4は画像の外"},
      {"folded",
       [](GeorefSession& s) {
         // Two points' map places swapped across the scan: the spline, which
         // passes through both, must turn the scan over between them.
         s.setMethod(GeorefMethod::ThinPlateSpline);
         const ControlPoint a = s.points()[5], b = s.points()[10];
         s.moveMapPlace(5, b.lon, b.lat);
         s.moveMapPlace(10, a.lon, a.lat);
       },
       "折り返"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Region region;
    GeorefSession session;
    ASSERT_TRUE(session.openScan(scanPath, nullptr));
    session.setMethod(GeorefMethod::Poly2);
    placePoints(session, quadratic);
    c.change(session);
    GeorefWarp plan;
    QString why;
    EXPECT_FALSE(session.warpPlan(plan, &why));
    EXPECT_TRUE(why.contains(QString::fromUtf8(c.says))) << why.toStdString();
    EXPECT_TRUE(QDir(region.state.datasetFolder).entryList({"SCAN*"}, QDir::Dirs).isEmpty());
  }
}

TEST(GeorefSession, EditsUndoAndRedoAsSteps) {
  GeorefSession session;
  session.setScan(QStringLiteral("/tmp/plan.png"), kW, kH, plainScan());
  session.addPoint(10, 10, 139.01, 35.99);
  session.addPoint(300, 20, 139.2, 35.98);
  session.setEnabled(0, false);
  session.setEnabled(0, false);  // no change, no step
  session.removePoint(1);
  ASSERT_EQ(session.points().size(), 1u);
  ASSERT_TRUE(session.undo());
  ASSERT_EQ(session.points().size(), 2u);
  ASSERT_TRUE(session.undo());
  EXPECT_TRUE(session.points()[0].enabled);
  ASSERT_TRUE(session.redo());
  EXPECT_FALSE(session.points()[0].enabled);
  session.addPoint(50, 200, 139.05, 35.9);  // a new edit drops what could be redone
  EXPECT_FALSE(session.canRedo());
  EXPECT_EQ(session.points().back().id, 3);
  session.removePoint(0);
  session.renumber();
  EXPECT_EQ(session.points()[0].id, 1);
  EXPECT_EQ(session.points()[1].id, 2);

  // Typed coordinates: longitude/latitude, or a projected system's metres.
  double lon = 0, lat = 0;
  QString why;
  ASSERT_TRUE(session.typedToWorld(139.5, 35.5, lon, lat, &why));
  EXPECT_DOUBLE_EQ(lon, 139.5);
  EXPECT_FALSE(session.typedToWorld(200, 35.5, lon, lat, &why));
  ASSERT_TRUE(session.setTypedCrs(QStringLiteral("6677"), &why)) << why.toStdString();
  ASSERT_TRUE(session.typedToWorld(0, 0, lon, lat, &why));
  EXPECT_NEAR(lon, 139 + 50 / 60.0, 1e-9);
  EXPECT_NEAR(lat, 36, 1e-9);
  EXPECT_EQ(session.planeCrs(), QStringLiteral("6677"));
  std::vector<double> x{lon}, y{lat};
  ASSERT_TRUE(session.worldToTyped(x, y));
  EXPECT_NEAR(x[0], 0, 1e-6);
  EXPECT_NEAR(y[0], 0, 1e-6);
  EXPECT_FALSE(session.setTypedCrs(QStringLiteral("EPSG:999999"), &why));
  EXPECT_FALSE(session.setTypedCrs(QStringLiteral("/etc/passwd"), &why));
}
