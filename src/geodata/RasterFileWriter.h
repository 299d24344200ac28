// SPDX-License-Identifier: MIT
#pragma once
// One era in one file: a raster given as picture files on disk, gathered by
// a virtual raster and written through the library's GeoPackage, MBTiles or
// COG driver.
#include <QString>
#include <functional>

#include "platform/GeoData.h"

namespace kavalo::geodata {

bool writeRasterFile(const RasterFileJob& job, const std::function<bool(double)>& progress, QString* error);

}  // namespace kavalo::geodata
