// SPDX-License-Identifier: MIT
#include "geodata/Geodesic.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/PolygonArea.hpp>
#include <cmath>

namespace kavalo::geodata {

double geodesicLength(const std::vector<GeoPoint>& points, bool closed, double* area) {
  if (area) *area = 0.0;
  if (points.size() < 2) return 0.0;
  const GeographicLib::Geodesic& wgs84 = GeographicLib::Geodesic::WGS84();
  if (!closed) {
    double length = 0.0;
    for (size_t i = 1; i < points.size(); ++i) {
      double s12 = 0.0;
      wgs84.Inverse(points[i - 1].lat, points[i - 1].lon, points[i].lat, points[i].lon, s12);
      length += s12;
    }
    return length;
  }
  GeographicLib::PolygonArea polygon(wgs84);
  for (const GeoPoint& p : points) polygon.AddPoint(p.lat, p.lon);
  double perimeter = 0.0, signedArea = 0.0;
  // Signed, so that a ring drawn clockwise gives its own area and not the
  // rest of the earth's.
  polygon.Compute(false, true, perimeter, signedArea);
  if (area) *area = points.size() < 3 ? 0.0 : std::abs(signedArea);
  return perimeter;
}

}  // namespace kavalo::geodata
