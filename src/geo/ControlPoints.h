// SPDX-License-Identifier: MIT
#pragma once
// Control points tie places on a plain scan to places on the map. A scan
// place is in scan pixels: x to the right, y down, from the image's top-left
// corner. A map place is in the world datum (longitude, latitude, degrees).
#include <QPointF>
#include <QString>
#include <optional>
#include <vector>

namespace kavalo {

// How a set of control points turns scan pixels into the map.
enum class GeorefMethod { Helmert, Poly1, Poly2, Poly3, Projective, ThinPlateSpline };

struct ControlPoint {
  int id = 0;  // the number the table shows
  bool enabled = true;
  double scanX = 0.0;
  double scanY = 0.0;
  double lon = 0.0;
  double lat = 0.0;
};

// A point as an exchange file holds it: the map place in the file's own
// coordinate system (mapX easting or longitude, mapY northing or latitude).
struct FileControlPoint {
  bool enabled = true;
  double scanX = 0.0;
  double scanY = 0.0;
  double mapX = 0.0;
  double mapY = 0.0;
};

// What a residual table holds per point, for files that carry one.
struct PointResidual {
  double dx = 0.0;  // scan pixels
  double dy = 0.0;
  double pixels = 0.0;
};

// A set of control points as an exchange file holds it.
struct ControlPointFile {
  // The map coordinates' system as the file gives it (WKT, or an authority
  // code such as "EPSG:4326"); longitude/latitude in the world datum when the
  // file names none.
  QString crs = QStringLiteral("EPSG:4326");
  std::vector<FileControlPoint> points;
  // The scan the points were placed on, so that a set is never applied to
  // another image silently: its file name and size, when the file records them.
  QString scanName;
  int scanWidth = 0;
  int scanHeight = 0;
  // The transform the file asks for, when it names one.
  std::optional<GeorefMethod> method;
  // The scan's frame: a polygon in scan pixels; empty when the whole scan is kept.
  std::vector<QPointF> mask;
};

}  // namespace kavalo
