// SPDX-License-Identifier: MIT
#include "geo/Ruler.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cmath>

#include "platform/AtomicFile.h"
#include "platform/GeoDataLoader.h"

namespace kavalo {

void Ruler::addImagePoint(const MapInfo& info, ImagePoint p) {
  const LatLon ll = ImageToLatLon(info, p.x, p.y, 1);
  points_.push_back(GeoPoint{ll.lon, ll.lat});
}

bool measurePath(const std::vector<GeoPoint>& points, bool closed, Measure& out, QString* error) {
  out = Measure{};
  if (points.size() < 2) return true;
  GeoData* geo = geoData(error);
  if (!geo) return false;
  double area = 0.0;
  out.lengthM = geo->geodesicLength(points, closed, &area);
  out.areaM2 = closed ? area : 0.0;
  return true;
}

namespace {

QString scaled(double value, const QString& unit) {
  const double a = std::abs(value);
  const int decimals = a < 10.0 ? 2 : a < 100.0 ? 1 : 0;
  return QString::number(value, 'f', decimals) + u' ' + unit;
}

// Coordinates as GeoJSON and KML write them: seven decimals are a centimetre.
QString coordinate(double v) { return QString::number(v, 'f', 7); }

}  // namespace

QString lengthText(double metres) {
  if (std::abs(metres) < 1000.0) return QString::number(std::nearbyint(metres), 'f', 0) + QStringLiteral(" m");
  return scaled(metres / 1000.0, QStringLiteral("km"));
}

QString areaText(double squareMetres) {
  if (std::abs(squareMetres) < 100000.0)
    return QString::number(std::nearbyint(squareMetres), 'f', 0) + QStringLiteral(" m²");
  return scaled(squareMetres / 1.0e6, QStringLiteral("km²"));
}

QString measureText(const Measure& m, bool closed) {
  QString text = lengthText(m.lengthM);
  if (closed)
    text = QCoreApplication::translate("kavalo::Ruler", "%1　%2", "length and area").arg(text, areaText(m.areaM2));
  return text;
}

QByteArray measuredPathGeoJson(const std::vector<GeoPoint>& points, bool closed, const Measure& m) {
  QString ring;
  for (const GeoPoint& p : points)
    ring +=
        (ring.isEmpty() ? QString() : QStringLiteral(",")) + u'[' + coordinate(p.lon) + u',' + coordinate(p.lat) + u']';
  if (closed && !points.empty())
    ring += QStringLiteral(",[") + coordinate(points.front().lon) + u',' + coordinate(points.front().lat) + u']';
  QString text = QStringLiteral("{\"type\":\"Feature\",\"geometry\":{\"type\":");
  text += closed ? QStringLiteral("\"Polygon\",\"coordinates\":[[") + ring + QStringLiteral("]]")
                 : QStringLiteral("\"LineString\",\"coordinates\":[") + ring + u']';
  text += QStringLiteral("},\"properties\":{\"length_m\":") + QString::number(m.lengthM, 'f', 3);
  if (closed) text += QStringLiteral(",\"area_m2\":") + QString::number(m.areaM2, 'f', 3);
  text += QStringLiteral("}}\n");
  return text.toUtf8();
}

QByteArray measuredPathKml(const std::vector<GeoPoint>& points, bool closed, const Measure& m, const QString& name) {
  QString coords;
  for (const GeoPoint& p : points) coords += coordinate(p.lon) + u',' + coordinate(p.lat) + QStringLiteral(",0 ");
  if (closed && !points.empty())
    coords += coordinate(points.front().lon) + u',' + coordinate(points.front().lat) + QStringLiteral(",0");
  const QString escaped = name.toHtmlEscaped();
  QString text = QStringLiteral(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n<Placemark>\n");
  text += QStringLiteral("<name>") + escaped + QStringLiteral("</name>\n");
  text += QStringLiteral("<description>") + measureText(m, closed).toHtmlEscaped() + QStringLiteral("</description>\n");
  text += QStringLiteral(
      "<Style><LineStyle><color>ff0000ff</color><width>2</width></LineStyle>"
      "<PolyStyle><color>400000ff</color></PolyStyle></Style>\n");
  if (closed)
    text += QStringLiteral("<Polygon><outerBoundaryIs><LinearRing><coordinates>") + coords.trimmed() +
            QStringLiteral("</coordinates></LinearRing></outerBoundaryIs></Polygon>\n");
  else
    text += QStringLiteral("<LineString><coordinates>") + coords.trimmed() +
            QStringLiteral("</coordinates></LineString>\n");
  text += QStringLiteral("</Placemark>\n</Document>\n</kml>\n");
  return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool saveMeasuredPath(const QString& path, const std::vector<GeoPoint>& points, bool closed, const Measure& m,
                      QString* error) {
  const bool kml = QFileInfo(path).suffix().compare(QStringLiteral("kml"), Qt::CaseInsensitive) == 0;
  const QByteArray bytes = kml ? measuredPathKml(points, closed, m, QFileInfo(path).completeBaseName())
                               : measuredPathGeoJson(points, closed, m);
  return writeFileAtomically(path, bytes, error);
}

}  // namespace kavalo
