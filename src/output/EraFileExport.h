// SPDX-License-Identifier: MIT
#pragma once
// One era in one file that other tools open: a GeoPackage or MBTiles tile
// set (the era's web tiles with their lower zooms) or a Cloud-Optimised
// GeoTIFF of the era's mosaic at its own resolution in the world datum's
// longitude and latitude. The era is composed as the window composes it;
// the file is written by the geodata module.
#include <QString>
#include <functional>

#include "platform/GeoData.h"

namespace kavalo {

struct ProgramState;

struct EraFileOptions {
  RasterFileFormat format = RasterFileFormat::CloudGeoTiff;
  bool elevation = false;  // the elevation colours under the map
  int threads = 0;         // 0: one per core
};

// The format of a name on the command line (gpkg, mbtiles, cog).
bool rasterFormatFromName(const QString& name, RasterFileFormat& format);

// Writes the era to path, which must not exist yet. False with the reason
// (the module cannot be loaded, the era has no pictures, a file cannot be
// written); nothing is left at path then.
bool exportEraFile(const ProgramState& state, int eraIndex, const QString& path, const EraFileOptions& options,
                   QString* error);

}  // namespace kavalo
