// SPDX-License-Identifier: MIT
#include "ScanFixtures.h"

#include <cpl_conv.h>
#include <gdal.h>
#include <ogr_srs_api.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <stdexcept>
#include <vector>

namespace kavalo::test {

const std::array<QColor, 4>& cornerColours() {
  static const std::array<QColor, 4> colours = {QColor(255, 0, 0), QColor(0, 200, 0), QColor(0, 0, 255),
                                                QColor(255, 200, 0)};
  return colours;
}

namespace {

QImage scanImage(const ScanLayout& s) {
  QImage image(s.width, s.height, QImage::Format_RGB32);
  image.fill(QColor(128, 128, 128));
  const QPoint corners[4] = {
      {0, 0}, {s.width - s.block, 0}, {s.width - s.block, s.height - s.block}, {0, s.height - s.block}};
  for (int c = 0; c < 4; ++c)
    for (int y = 0; y < s.block; ++y)
      for (int x = 0; x < s.block; ++x) image.setPixelColor(corners[c].x() + x, corners[c].y() + y, cornerColours()[c]);
  return image;
}

QByteArray wktOf(const QString& srs) {
  OGRSpatialReferenceH h = OSRNewSpatialReference(nullptr);
  char* wkt = nullptr;
  if (OSRSetFromUserInput(h, srs.toUtf8().constData()) != OGRERR_NONE || OSRExportToWkt(h, &wkt) != OGRERR_NONE)
    throw std::runtime_error("unknown coordinate system");
  QByteArray out(wkt);
  CPLFree(wkt);
  OSRDestroySpatialReference(h);
  return out;
}

}  // namespace

void writeScan(const QString& path, const ScanLayout& s, const char* driver, bool withPrj) {
  GDALAllRegister();
  const QImage image = scanImage(s);
  if (QByteArray(driver) == "GTiff") {
    GDALDatasetH ds = GDALCreate(GDALGetDriverByName("GTiff"), path.toUtf8().constData(), s.width, s.height,
                                 s.westTransparent ? 4 : 3, GDT_Byte, nullptr);
    if (!ds) throw std::runtime_error("cannot create the GeoTIFF");
    std::vector<uint8_t> band(static_cast<size_t>(s.width) * s.height);
    for (int b = 0; b < 3; ++b) {
      for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) {
          const QRgb p = image.pixel(x, y);
          band[static_cast<size_t>(y) * s.width + x] = static_cast<uint8_t>(b == 0   ? qRed(p)
                                                                            : b == 1 ? qGreen(p)
                                                                                     : qBlue(p));
        }
      if (GDALRasterIO(GDALGetRasterBand(ds, b + 1), GF_Write, 0, 0, s.width, s.height, band.data(), s.width, s.height,
                       GDT_Byte, 0, 0) != CE_None)
        throw std::runtime_error("cannot write the GeoTIFF");
    }
    if (s.westTransparent) {
      for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x) band[static_cast<size_t>(y) * s.width + x] = x < s.width / 2 ? 0 : 255;
      GDALRasterBandH alpha = GDALGetRasterBand(ds, 4);
      GDALSetRasterColorInterpretation(alpha, GCI_AlphaBand);
      if (GDALRasterIO(alpha, GF_Write, 0, 0, s.width, s.height, band.data(), s.width, s.height, GDT_Byte, 0, 0) !=
          CE_None)
        throw std::runtime_error("cannot write the GeoTIFF");
    }
    double gt[6];
    std::copy(s.geoTransform, s.geoTransform + 6, gt);
    GDALSetGeoTransform(ds, gt);
    GDALSetProjection(ds, wktOf(s.srs).constData());
    GDALClose(ds);
    return;
  }
  // An image with a world file: pixel centres, rows of x and y terms. "PNG8"
  // writes it with a palette, as scanned line maps often are.
  const QImage stored = QByteArray(driver) == "PNG8" ? image.convertToFormat(QImage::Format_Indexed8) : image;
  if (!stored.save(path, "PNG")) throw std::runtime_error("cannot write the PNG");
  const QFileInfo info(path);
  QFile world(info.path() + u'/' + info.completeBaseName() + QStringLiteral(".pgw"));
  if (!world.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write the world file");
  const double* g = s.geoTransform;
  world.write(QStringLiteral("%1\n%2\n%3\n%4\n%5\n%6\n")
                  .arg(g[1], 0, 'g', 17)
                  .arg(g[4], 0, 'g', 17)
                  .arg(g[2], 0, 'g', 17)
                  .arg(g[5], 0, 'g', 17)
                  .arg(g[0] + g[1] / 2 + g[2] / 2, 0, 'g', 17)
                  .arg(g[3] + g[4] / 2 + g[5] / 2, 0, 'g', 17)
                  .toUtf8());
  if (!withPrj) return;
  QFile prj(info.path() + u'/' + info.completeBaseName() + QStringLiteral(".prj"));
  if (!prj.open(QIODevice::WriteOnly)) throw std::runtime_error("cannot write the .prj");
  prj.write(wktOf(s.srs));
}

void scanPixelToWorld(const ScanLayout& s, double px, double py, double& lon, double& lat) {
  const double* g = s.geoTransform;
  double x = g[0] + px * g[1] + py * g[2];
  double y = g[3] + px * g[4] + py * g[5];
  OGRSpatialReferenceH from = OSRNewSpatialReference(nullptr);
  OGRSpatialReferenceH to = OSRNewSpatialReference(nullptr);
  OSRSetFromUserInput(from, s.srs.toUtf8().constData());
  OSRSetFromUserInput(to, "EPSG:4326");
  OSRSetAxisMappingStrategy(from, OAMS_TRADITIONAL_GIS_ORDER);
  OSRSetAxisMappingStrategy(to, OAMS_TRADITIONAL_GIS_ORDER);
  OGRCoordinateTransformationH t = OCTNewCoordinateTransformation(from, to);
  if (!t || !OCTTransform(t, 1, &x, &y, nullptr)) throw std::runtime_error("cannot transform");
  lon = x;
  lat = y;
  OCTDestroyCoordinateTransformation(t);
  OSRDestroySpatialReference(from);
  OSRDestroySpatialReference(to);
}

}  // namespace kavalo::test
