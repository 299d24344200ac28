// SPDX-License-Identifier: MIT
#pragma once
// Vector files through OGR, one reader for every format it knows (GPX,
// KML/KMZ, GeoJSON, Shapefile): features with their names and styles, in the
// world datum.
#include <QString>

#include "platform/GeoData.h"

namespace kavalo::geodata {

VectorFileData readVectorFile(const QString& path);

}  // namespace kavalo::geodata
