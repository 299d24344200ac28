// SPDX-License-Identifier: MIT
#pragma once
// The ruler: points clicked on the map, kept in the world datum, measured as
// a geodesic path (and, closed, as the area it encloses) on the world
// ellipsoid, and saved as GeoJSON or KML.
#include <QByteArray>
#include <QString>
#include <vector>

#include "model/Coordinates.h"
#include "platform/GeoData.h"

namespace kavalo {

class Ruler {
 public:
  // A click at an image position, read in the world datum as the readout
  // reads it.
  void addImagePoint(const MapInfo& info, ImagePoint p);
  void addPoint(GeoPoint p) { points_.push_back(p); }
  void removeLast() {
    if (!points_.empty()) points_.pop_back();
  }
  void clear() {
    points_.clear();
    closed_ = false;
  }
  // A closed path runs back to its first point and has an area.
  void setClosed(bool closed) { closed_ = closed; }
  bool closed() const { return closed_; }
  const std::vector<GeoPoint>& points() const { return points_; }

 private:
  std::vector<GeoPoint> points_;
  bool closed_ = false;
};

struct Measure {
  double lengthM = 0.0;
  double areaM2 = 0.0;  // 0 unless closed with three points or more
};

// The geodesic length and area of the points; false with the reason when the
// geodata module cannot be loaded.
bool measurePath(const std::vector<GeoPoint>& points, bool closed, Measure& out, QString* error);

// "850 m" below a kilometre, "1.23 km" below 10 km, "12.3 km" below 100 km,
// "123 km" beyond; metres and tenths rounded half to even.
QString lengthText(double metres);
// "850 m²" below 0.1 km², "1.23 km²" and so on beyond, like lengthText.
QString areaText(double squareMetres);
// What the map and the status line show: "1.23 km", with "　0.52 km²" after
// it when closed.
QString measureText(const Measure& m, bool closed);

// The measured path as a GeoJSON feature (a LineString, or a Polygon when
// closed) with its length and area as properties; UTF-8.
QByteArray measuredPathGeoJson(const std::vector<GeoPoint>& points, bool closed, const Measure& m);
// The same as a KML placemark, UTF-8 with its byte-order mark as the
// program's KML is.
QByteArray measuredPathKml(const std::vector<GeoPoint>& points, bool closed, const Measure& m, const QString& name);

// Saves the path by the file's suffix (.kml, otherwise GeoJSON), atomically.
bool saveMeasuredPath(const QString& path, const std::vector<GeoPoint>& points, bool closed, const Measure& m,
                      QString* error);

}  // namespace kavalo
