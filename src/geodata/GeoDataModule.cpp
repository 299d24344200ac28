// SPDX-License-Identifier: MIT
// The module's entry: one object for the program, created through the one
// exported function.
#include <gdal.h>
#include <ogr_api.h>

#include "geodata/Geodesic.h"
#include "geodata/Georeference.h"
#include "geodata/RasterFileWriter.h"
#include "geodata/ScanWarp.h"
#include "geodata/VectorReader.h"
#include "platform/GeoData.h"

namespace kavalo::geodata {

namespace {

// The block cache of the libraries: a large scan streams through it, so it
// bounds what an import keeps in memory.
constexpr GIntBig kBlockCache = 128LL * 1024 * 1024;

class Services : public GeoData {
 public:
  Services() {
    GDALAllRegister();
    GDALSetCacheMax64(kBlockCache);
    // Messages are returned to the program, not printed.
    CPLSetErrorHandler(CPLQuietErrorHandler);
  }
  VectorFileData readVectorFile(const QString& path) override { return geodata::readVectorFile(path); }
  double geodesicLength(const std::vector<GeoPoint>& points, bool closed, double* area) override {
    return geodata::geodesicLength(points, closed, area);
  }
  std::unique_ptr<ScanSource> openScan(const QString& path, ScanStatus& status, QString* detail) override {
    return geodata::openScan(path, status, detail);
  }
  CrsDescription describeCrs(const QString& userInput) override { return geodata::describeCrs(userInput); }
  bool transformPoints(const QString& fromCrs, const QString& toCrs, std::vector<double>& x, std::vector<double>& y,
                       QString* detail) override {
    return geodata::transformPoints(fromCrs, toCrs, x, y, detail);
  }
  ScanStatus readRaster(const QString& path, int maxSide, RasterPreview& out, QString* detail) override {
    return geodata::readRaster(path, maxSide, out, detail);
  }
  std::unique_ptr<ScanSource> openScanWithPoints(const QString& path, const GeorefWarp& plan, ScanStatus& status,
                                                 QString* detail) override {
    return geodata::openScanWithPoints(path, plan, status, detail);
  }
  bool writeGeoTiff(const QString& scanPath, const GeorefWarp& plan, bool warped, const QString& outPath,
                    const std::function<bool(double)>& progress, QString* detail) override {
    return geodata::writeGeoTiff(scanPath, plan, warped, outPath, progress, detail);
  }

  // ---- One-file exports of an era ----
  bool writeRasterFile(const RasterFileJob& job, const std::function<bool(double)>& progress, QString* error) override {
    return geodata::writeRasterFile(job, progress, error);
  }
};

}  // namespace

}  // namespace kavalo::geodata

extern "C" __attribute__((visibility("default"))) kavalo::GeoData* kavalo_geodata_create(int interfaceVersion) {
  if (interfaceVersion != kavalo::kGeoDataInterfaceVersion) return nullptr;
  static kavalo::geodata::Services services;
  return &services;
}
