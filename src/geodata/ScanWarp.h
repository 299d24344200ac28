#pragma once
// A georeferenced scan (a GeoTIFF, or an image with a world file and a .prj
// or .aux.xml) opened for warping onto lat/lon grids of the world datum
// through GDAL's warper, a band at a time in bounded memory.
#include <QString>
#include <memory>

#include "platform/GeoData.h"

namespace kavalo::geodata {

std::unique_ptr<ScanSource> openScan(const QString& path, ScanStatus& status, QString* detail);

}  // namespace kavalo::geodata
