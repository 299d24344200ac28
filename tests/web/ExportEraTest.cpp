// SPDX-License-Identifier: MIT
// One era in one file: what kavalo writes is read back with GDAL itself, as
// another GIS would read it.
#include <gtest/gtest.h>

#include <gdal.h>
#include <ogr_srs_api.h>

#include <QFileInfo>

#include <cmath>

#include "WebMapFixture.h"
#include "output/EraFileExport.h"
#include "output/WebTileGrid.h"

using namespace kavalo;

namespace {

struct Closer {
  void operator()(void* d) const {
    if (d) GDALClose(static_cast<GDALDatasetH>(d));
  }
};
using Dataset = std::unique_ptr<void, Closer>;

// The RGBA of a pixel of an opened raster (alpha 255 when it has none).
QRgb pixelAt(GDALDatasetH d, int x, int y) {
  int v[4] = {0, 0, 0, 255};
  for (int b = 1; b <= std::min(4, GDALGetRasterCount(d)); ++b) {
    GByte value = 0;
    if (GDALRasterIO(GDALGetRasterBand(d, b), GF_Read, x, y, 1, 1, &value, 1, 1, GDT_Byte, 0, 0) != CE_None) return 0;
    v[b - 1] = value;
  }
  return qRgba(v[0], v[1], v[2], v[3]);
}

int epsgOf(GDALDatasetH d) {
  OGRSpatialReferenceH srs = OSRNewSpatialReference(GDALGetProjectionRef(d));
  if (!srs) return 0;
  OSRAutoIdentifyEPSG(srs);
  const char* code = OSRGetAuthorityCode(srs, nullptr);
  const int epsg = code ? std::atoi(code) : 0;
  OSRDestroySpatialReference(srs);
  return epsg;
}

}  // namespace

TEST(ExportEra, EachFormatOpensInGdalWithItsPlaceAndColours) {
  GDALAllRegister();
  test::WebMapFixture f;
  ASSERT_TRUE(f.load());
  const int e1930 = f.eraIndex(QStringLiteral("E1930"));
  ASSERT_GE(e1930, 0);
  QTemporaryDir out;
  struct Case {
    RasterFileFormat format;
    const char* file;
    const char* driver;
    int epsg;
    int overviews;  // the lower zooms of a tile set
  } cases[] = {
      {RasterFileFormat::CloudGeoTiff, "era.tif", "GTiff", 4326, -1},
      {RasterFileFormat::GeoPackage, "era.gpkg", "GPKG", 3857, 1},
      {RasterFileFormat::MBTiles, "era.mbtiles", "MBTiles", 3857, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const QString path = out.path() + u'/' + c.file;
    EraFileOptions options;
    options.format = c.format;
    options.threads = 2;
    QString error;
    ASSERT_TRUE(exportEraFile(f.state, e1930, path, options, &error)) << error.toStdString();
    Dataset d(GDALOpen(path.toUtf8().constData(), GA_ReadOnly));
    ASSERT_TRUE(d);
    EXPECT_STREQ(GDALGetDriverShortName(GDALGetDatasetDriver(d.get())), c.driver);
    EXPECT_EQ(epsgOf(d.get()), c.epsg);
    double gt[6] = {};
    ASSERT_EQ(GDALGetGeoTransform(d.get(), gt), CE_None);
    const int w = GDALGetRasterXSize(d.get()), h = GDALGetRasterYSize(d.get());
    if (c.format == RasterFileFormat::CloudGeoTiff) {
      // The mosaic at its own resolution: 400 x 320 pixels from the world
      // datum's corner of the grid.
      EXPECT_EQ(w, 400);
      EXPECT_EQ(h, 320);
      EXPECT_NEAR(gt[0], 138.9925, 1e-7);
      EXPECT_NEAR(gt[3], 35.9958333, 1e-6);
      EXPECT_NEAR(gt[1], 0.000625, 1e-9);
      EXPECT_NEAR(gt[5], -0.1666667 / 320, 1e-9);
      EXPECT_NE(GDALGetMetadataItem(d.get(), "LAYOUT", "IMAGE_STRUCTURE"), nullptr);
      EXPECT_STREQ(GDALGetMetadataItem(d.get(), "LAYOUT", "IMAGE_STRUCTURE"), "COG");
      EXPECT_EQ(pixelAt(d.get(), 200, 160), qRgba(0, 0, 255, 255));
      EXPECT_EQ(pixelAt(d.get(), 0, 0), qRgba(0, 0, 255, 255));
      continue;
    }
    // A tile set at zoom 11: whole tiles, pixels of zoom 11's size.
    EXPECT_NEAR(gt[1], 2 * kWebHalfWorld / (2048.0 * 256), 1e-6);
    // Zoom 10 below it, in the era's colour too.
    GDALRasterBandH band = GDALGetRasterBand(d.get(), 1);
    ASSERT_GE(GDALGetOverviewCount(band), c.overviews);
    GDALRasterBandH z10 = GDALGetOverview(band, 0);
    const double factor = static_cast<double>(w) / GDALGetRasterBandXSize(z10);
    EXPECT_NEAR(factor, 2.0, 0.2);
    // The era's colour at the region's middle (139.1175 E, 35.92 N), nothing
    // outside it.
    const int mx = static_cast<int>((lonToMercatorX(139.1175) - gt[0]) / gt[1]);
    const int my = static_cast<int>((latToMercatorY(35.92) - gt[3]) / gt[5]);
    ASSERT_TRUE(mx >= 0 && mx < w && my >= 0 && my < h) << mx << ',' << my;
    auto lower = [&](int b) {
      GByte v = 0;
      GDALRasterIO(GDALGetOverview(GDALGetRasterBand(d.get(), b), 0), GF_Read, static_cast<int>(mx / factor),
                   static_cast<int>(my / factor), 1, 1, &v, 1, 1, GDT_Byte, 0, 0);
      return static_cast<int>(v);
    };
    EXPECT_EQ(pixelAt(d.get(), mx, my), qRgba(0, 0, 255, 255));
    EXPECT_EQ(lower(1), 0);
    EXPECT_EQ(lower(3), 255);
    const int outside = static_cast<int>((lonToMercatorX(138.98) - gt[0]) / gt[1]);
    if (outside >= 0) {
      EXPECT_EQ(qAlpha(pixelAt(d.get(), outside, my)), 0);
    }
  }
}

TEST(ExportEra, AFileThatExistsIsNeverWrittenOver) {
  test::WebMapFixture f;
  ASSERT_TRUE(f.load());
  QTemporaryDir out;
  const QString path = out.path() + QStringLiteral("/mine.gpkg");
  test::writeBytes(path, "the user's own file");
  EraFileOptions options;
  options.format = RasterFileFormat::GeoPackage;
  QString error;
  EXPECT_FALSE(exportEraFile(f.state, 0, path, options, &error));
  EXPECT_TRUE(error.contains(QStringLiteral("exists")));
  EXPECT_EQ(test::readBytes(path), QByteArray("the user's own file"));
  // Nor is anything left beside it.
  EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(), 1);
}
