// SPDX-License-Identifier: MIT
#pragma once
// The module's side of georeferencing a plain scan: coordinate systems as the
// user names them, points between systems, a reduced copy of any raster, and
// the scan written as a GeoTIFF with its control points (or warped by them).
#include <QString>
#include <functional>
#include <vector>

#include "platform/GeoData.h"

namespace kavalo::geodata {

CrsDescription describeCrs(const QString& userInput);
bool transformPoints(const QString& fromCrs, const QString& toCrs, std::vector<double>& x, std::vector<double>& y,
                     QString* detail);
ScanStatus readRaster(const QString& path, int maxSide, RasterPreview& out, QString* detail);
bool writeGeoTiff(const QString& scanPath, const GeorefWarp& plan, bool warped, const QString& outPath,
                  const std::function<bool(double)>& progress, QString* detail);

}  // namespace kavalo::geodata
