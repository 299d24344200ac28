// SPDX-License-Identifier: MIT
#include "cli/MeasureCommand.h"

#include <QCoreApplication>

#include <cmath>
#include <cstdio>

#include "cli/Json.h"
#include "geo/Ruler.h"

namespace kavalo {

CommandSpec measureCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("measure");
  cmd.synopsis = QStringLiteral("measure LAT,LON LAT,LON... [--closed]");
  cmd.summary = QCoreApplication::translate(
      "kavalo::MeasureCommand", "Prints the geodesic length (and area) of a path on the world datum as JSON.");
  cmd.description = QCoreApplication::translate(
      "kavalo::MeasureCommand",
      "Each point is LAT,LON in decimal degrees on the world datum (a southern or western one with a minus sign). "
      "Prints {\"length_m\": …} with the length along the ellipsoid in metres; with --closed the path returns to "
      "its first point and {\"area_m2\": …} gives the area it encloses in square metres.");
  cmd.switches = {QStringLiteral("--closed")};
  return cmd;
}

namespace {

int usage(const QString& error) { return usageError(measureCommandSpec(), error); }

bool parsePoint(const QString& text, GeoPoint& p) {
  const QStringList parts = text.split(u',');
  if (parts.size() != 2) return false;
  bool okLat = false, okLon = false;
  const double lat = parts[0].trimmed().toDouble(&okLat);
  const double lon = parts[1].trimmed().toDouble(&okLon);
  if (!okLat || !okLon || !std::isfinite(lat) || !std::isfinite(lon) || std::abs(lat) > 90.0 || std::abs(lon) > 180.0)
    return false;
  p = GeoPoint{lon, lat};
  return true;
}

// Metres to the millimetre: the digits beyond say nothing.
double millimetres(double v) { return std::nearbyint(v * 1000.0) / 1000.0; }

}  // namespace

int runMeasureCommand(const QStringList& args) {
  // Points are words of their own; a southern or western one begins with a
  // minus sign, so only "--" starts an option here.
  std::vector<GeoPoint> points;
  bool closed = false;
  for (const QString& arg : args) {
    if (arg == u"--help" || arg == u"-h") {
      std::fputs(commandHelpText(measureCommandSpec()).toUtf8().constData(), stdout);
      return 0;
    }
    if (arg == u"--closed") {
      closed = true;
      continue;
    }
    if (arg.startsWith(QStringLiteral("--"))) return usage(QStringLiteral("unknown option: %1").arg(arg));
    GeoPoint p;
    if (!parsePoint(arg, p)) return usage(QStringLiteral("not a latitude,longitude in degrees: %1").arg(arg));
    points.push_back(p);
  }
  if (points.size() < 2) return usage(QStringLiteral("a path needs two points or more"));
  if (closed && points.size() < 3) return usage(QStringLiteral("a closed path needs three points or more"));
  Measure m;
  QString error;
  if (!measurePath(points, closed, m, &error)) {
    printError(error);
    return kExitFailed;
  }
  JsonWriter json;
  json.beginObject().field(QStringLiteral("length_m"), millimetres(m.lengthM));
  if (closed) json.field(QStringLiteral("area_m2"), millimetres(m.areaM2));
  json.endObject();
  printOut(json.text());
  return kExitOk;
}

}  // namespace kavalo
