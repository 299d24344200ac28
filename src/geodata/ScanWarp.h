// SPDX-License-Identifier: MIT
#pragma once
// A georeferenced scan (a GeoTIFF, or an image with a world file and a .prj
// or .aux.xml) opened for warping onto lat/lon grids of the world datum
// through GDAL's warper, a band at a time in bounded memory; or a plain scan
// placed by control points.
#include <gdal.h>

#include <QString>
#include <memory>
#include <vector>

#include "platform/GeoData.h"

namespace kavalo::geodata {

struct DatasetCloser {
  void operator()(GDALDatasetH d) const {
    if (d) GDALClose(d);
  }
};
using Dataset = std::unique_ptr<void, DatasetCloser>;

// The library's last message.
QString lastError();
// The world datum (WGS84) as WKT.
QString worldWkt();
// Palette and non-byte rasters as plain bytes through a virtual copy; null
// when the raster is plain bytes already (or on failure, with detail).
Dataset plainBytes(GDALDatasetH ds, bool& hasAlpha, QString* detail);
// A virtual copy that can carry control points or a geotransform of its own.
Dataset virtualCopy(GDALDatasetH ds, QString* detail);
// The plan's points as the library's, numbered from 1; freed by freePoints.
std::vector<GDAL_GCP> gdalPoints(const GeorefWarp& plan);
void freePoints(std::vector<GDAL_GCP>& gcps);

std::unique_ptr<ScanSource> openScan(const QString& path, ScanStatus& status, QString* detail);
std::unique_ptr<ScanSource> openScanWithPoints(const QString& path, const GeorefWarp& plan, ScanStatus& status,
                                               QString* detail);

}  // namespace kavalo::geodata
