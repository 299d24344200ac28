// SPDX-License-Identifier: MIT
// An exported image is placed by GDAL where the KML box says: its world
// file gives the place and GDAL's own sidecar the coordinate system, which
// GDAL does not read from a .prj beside a PNG or JPEG.
#include <gdal.h>
#include <gtest/gtest.h>
#include <ogr_srs_api.h>

#include <QDir>
#include <QRegularExpression>

#include "support/Fixtures.h"
#include "support/Programs.h"

using namespace kavalo;

namespace {

double kmlValue(const QString& kml, const char* tag) {
  const QRegularExpression re(QStringLiteral("<%1>([^<]*)</%1>").arg(QString::fromLatin1(tag)));
  return re.match(kml).captured(1).toDouble();
}

}  // namespace

TEST(ExportGeoreference, GdalReadsTheCoordinateSystemAndThePlace) {
  test::RootFixture root;
  root.writeDatasetList({{QStringLiteral("試験"), QStringLiteral("d")}});
  test::DatasetFixture d;
  d.folder = root.path("d");
  d.write();
  GDALAllRegister();
  for (const char* image : {"png", "jpg"}) {
    SCOPED_TRACE(image);
    const QString out = root.path(QStringLiteral("out-%1").arg(QString::fromLatin1(image)));
    QDir().mkpath(out);
    const test::ProgramRun run = test::runCli({"export", "--root", root.root(), "--format", "kml", "--image", image,
                                               "--world-files", "--size", "300x200", "-o", out + "/x.kml"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString kml = QString::fromUtf8(test::readBytes(out + "/x.kml"));
    for (int i = 0; i < 2; ++i) {
      const QByteArray path = (out + QStringLiteral("/x%1.%2").arg(i).arg(QString::fromLatin1(image))).toLocal8Bit();
      GDALDatasetH ds = GDALOpen(path.constData(), GA_ReadOnly);
      ASSERT_NE(ds, nullptr) << path.constData();
      OGRSpatialReferenceH srs = GDALGetSpatialRef(ds);
      ASSERT_NE(srs, nullptr);
      EXPECT_STREQ(OSRGetAuthorityCode(srs, nullptr), "4326");
      double t[6];
      ASSERT_EQ(GDALGetGeoTransform(ds, t), CE_None);
      // Longitude first, as in the world file, and the corners on the box (to
      // the KML's seven digits).
      EXPECT_NEAR(t[0], kmlValue(kml, "west"), 1e-4);
      EXPECT_NEAR(t[3], kmlValue(kml, "north"), 1e-4);
      EXPECT_NEAR(t[0] + 300 * t[1], kmlValue(kml, "east"), 1e-4);
      EXPECT_NEAR(t[3] + 200 * t[5], kmlValue(kml, "south"), 1e-4);
      GDALClose(ds);
    }
  }
}
