// SPDX-License-Identifier: MIT
#pragma once
// Georeferenced scans made with GDAL: a grey image with a block of its own
// colour at each corner, north up in any coordinate system.
#include <QColor>
#include <QString>
#include <array>

namespace kavalo::test {

struct ScanLayout {
  int width = 300;
  int height = 240;
  int block = 4;           // side of each corner block, pixels
  QString srs;             // "EPSG:4326", "EPSG:6677"
  double geoTransform[6];  // GDAL's: x0, dx, 0, y0, 0, -dy in the srs's own x/y
  // A GeoTIFF with an alpha band whose western half is transparent, as a
  // scan cut to its map frame is.
  bool westTransparent = false;
};

// The corner colours: north-west, north-east, south-east, south-west.
const std::array<QColor, 4>& cornerColours();

// Writes the scan as a GeoTIFF ("GTiff") or as a PNG with a world file
// ("PNG", or "PNG8" with a palette; and a .prj when withPrj).
void writeScan(const QString& path, const ScanLayout& layout, const char* driver = "GTiff", bool withPrj = true);

// The world-datum longitude and latitude of a point of the scan given in its
// pixel coordinates (x to the east, y to the south).
void scanPixelToWorld(const ScanLayout& layout, double px, double py, double& lon, double& lat);

}  // namespace kavalo::test
