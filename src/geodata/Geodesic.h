// SPDX-License-Identifier: MIT
#pragma once
// Lengths and areas on the WGS84 ellipsoid, the figure of the world datum.
#include <vector>

#include "platform/GeoData.h"

namespace kavalo::geodata {

double geodesicLength(const std::vector<GeoPoint>& points, bool closed, double* area);

}  // namespace kavalo::geodata
