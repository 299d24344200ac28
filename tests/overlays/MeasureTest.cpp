// SPDX-License-Identifier: MIT
// The ruler's arithmetic against figures known independently of the code
// under test: GeographicLib's own worked example, the quadrants of the WGS84
// ellipsoid, and the area of a cell from the authalic-latitude formula.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cmath>

#include "geo/Ruler.h"
#include "support/Fixtures.h"
#include "support/Programs.h"

using namespace kavalo;

namespace {

constexpr double kA = 6378137.0;
constexpr double kF = 1.0 / 298.257223563;

// The area of the cell between two parallels and two meridians on the WGS84
// ellipsoid (the zone area formula through q(phi)).
double cellArea(double lat0, double lat1, double dLon) {
  const double e2 = kF * (2 - kF), e = std::sqrt(e2), b = kA * (1 - kF);
  auto q = [&](double lat) {
    const double s = std::sin(lat * M_PI / 180.0);
    return s / (1 - e2 * s * s) + std::log((1 + e * s) / (1 - e * s)) / (2 * e);
  };
  return b * b / 2.0 * (q(lat1) - q(lat0)) * dLon * M_PI / 180.0;
}

struct Line {
  const char* what;
  std::vector<GeoPoint> points;
  double metres;
  double tolerance;
};

TEST(Measure, GeodesicLengthsMatchKnownFigures) {
  const Line lines[] = {
      // GeographicLib's documented inverse problem, JFK to LHR.
      {"JFK-LHR", {{-73.8, 40.6}, {-0.5, 51.6}}, 5551759.400319, 0.001},
      // A quarter of the equator is a pi/2, a quarter meridian the WGS84
      // quadrant.
      {"quarter equator", {{0, 0}, {90, 0}}, kA * M_PI / 2.0, 0.001},
      {"quarter meridian", {{0, 0}, {0, 90}}, 10001965.729, 0.001},
      // Lengths of a path add up leg by leg.
      {"two legs", {{0, 0}, {45, 0}, {90, 0}}, kA * M_PI / 2.0, 0.001},
      {"one point", {{139.7, 35.6}}, 0.0, 0.0},
  };
  for (const Line& l : lines) {
    Measure m;
    QString error;
    ASSERT_TRUE(measurePath(l.points, false, m, &error)) << error.toStdString();
    EXPECT_NEAR(m.lengthM, l.metres, l.tolerance) << l.what;
    EXPECT_EQ(m.areaM2, 0.0) << l.what;
  }
}

TEST(Measure, ClosedAreasMatchTheEllipsoid) {
  Measure m;
  // The octant: an eighth of the ellipsoid's 510065621724088.5 m².
  ASSERT_TRUE(measurePath({{0, 0}, {90, 0}, {0, 90}}, true, m, nullptr));
  EXPECT_NEAR(m.areaM2, 510065621724088.5 / 8.0, 1.0);
  EXPECT_NEAR(m.lengthM, kA * M_PI / 2.0 + 2 * 10001965.729, 0.01);

  // A one-degree cell: its top edge is a geodesic, which bulges a few metres
  // north of the parallel, so the polygon is larger by some 1e-5 of it.
  const double cell = cellArea(35.0, 36.0, 1.0);
  for (bool clockwise : {false, true}) {
    std::vector<GeoPoint> ring = {{139, 35}, {140, 35}, {140, 36}, {139, 36}};
    if (clockwise) std::reverse(ring.begin(), ring.end());
    ASSERT_TRUE(measurePath(ring, true, m, nullptr));
    EXPECT_NEAR(m.areaM2 / cell, 1.0, 1e-4) << "clockwise " << clockwise;
  }
}

TEST(Measure, TextsAndSavedFiles) {
  const std::pair<double, const char*> lengths[] = {
      {0, "0 m"},         {850.4, "850 m"},   {999.4, "999 m"},       {1234, "1.23 km"},
      {12345, "12.3 km"}, {123456, "123 km"}, {5551759.4, "5552 km"},
  };
  for (auto [m, text] : lengths) EXPECT_EQ(lengthText(m), QString::fromUtf8(text)) << m;
  EXPECT_EQ(areaText(8500), QStringLiteral("8500 m²"));
  EXPECT_EQ(areaText(1.234e6), QStringLiteral("1.23 km²"));
  EXPECT_EQ(measureText({1234, 1.234e6}, true), QStringLiteral("1.23 km　1.23 km²"));

  QTemporaryDir dir;
  const std::vector<GeoPoint> ring = {{139, 35}, {140, 35}, {140, 36}};
  const Measure m{300000, 6e9};
  ASSERT_TRUE(saveMeasuredPath(dir.filePath("path.geojson"), ring, true, m, nullptr));
  const QJsonObject feature = QJsonDocument::fromJson(test::readBytes(dir.filePath("path.geojson"))).object();
  EXPECT_EQ(feature["geometry"]["type"].toString(), QStringLiteral("Polygon"));
  const auto coords = feature["geometry"]["coordinates"][0];
  // A GeoJSON ring ends where it began; longitude comes first.
  EXPECT_EQ(coords[3][0].toDouble(), 139.0);
  EXPECT_EQ(coords[3][1].toDouble(), 35.0);
  EXPECT_EQ(feature["properties"]["area_m2"].toDouble(), 6e9);

  ASSERT_TRUE(saveMeasuredPath(dir.filePath("道.kml"), ring, false, m, nullptr));
  const QByteArray kml = test::readBytes(dir.filePath("道.kml"));
  EXPECT_TRUE(kml.startsWith("\xEF\xBB\xBF<?xml"));
  EXPECT_TRUE(kml.contains("<name>道</name>"));
  EXPECT_TRUE(
      kml.contains("<LineString><coordinates>139.0000000,35.0000000,0 140.0000000,35.0000000,0 "
                   "140.0000000,36.0000000,0</coordinates>"));
}

TEST(Measure, CommandLine) {
  struct Case {
    QStringList args;
    int status;
    double length;  // < 0: not checked
    double area;    // < 0: no area expected
  };
  const Case cases[] = {
      {{"measure", "40.6,-73.8", "51.6,-0.5"}, 0, 5551759.400, -1},
      {{"measure", "0,0", "0,90", "90,0", "--closed"}, 0, kA * M_PI / 2.0 + 2 * 10001965.729, 510065621724088.5 / 8},
      {{"measure", "-33.9,151.2", "-33.8,151.3"}, 0, -1, -1},
      {{"measure", "35,139"}, 2, -1, -1},
      {{"measure", "35,139", "36,140", "--closed"}, 2, -1, -1},
      {{"measure", "35;139", "36,140"}, 2, -1, -1},
      {{"measure", "95,139", "36,140"}, 2, -1, -1},
      {{"measure", "35,139", "36,140", "--round"}, 2, -1, -1},
  };
  for (const Case& c : cases) {
    const test::ProgramRun run = test::runCli(c.args);
    ASSERT_EQ(run.exitCode, c.status) << c.args.join(' ').toStdString() << run.err.toStdString();
    if (c.status != 0) continue;
    const QJsonObject json = QJsonDocument::fromJson(run.out).object();
    if (c.length >= 0) {
      EXPECT_NEAR(json["length_m"].toDouble(), c.length, 0.01);
    }
    EXPECT_EQ(json.contains("area_m2"), c.area >= 0);
    if (c.area >= 0) {
      EXPECT_NEAR(json["area_m2"].toDouble(), c.area, 1.0);
    }
  }
}

}  // namespace

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

// kavalo-cli where the geodata module is not beside it: a clear message and
// status 1 unless KAVALO_GEODATA_PLUGIN shows the way (a folder or the file).
TEST(Measure, TheModuleIsFoundOrMissedClearly) {
  QTemporaryDir dir;
  const QString cli = dir.filePath("kavalo-cli");
  ASSERT_TRUE(QFile::copy(test::programPath("kavalo-cli"), cli));
  const QString module = QFileInfo(test::programPath("kavalo-cli")).dir().filePath("libkavalo-geodata.so");
  struct Case {
    QString plugin;  // KAVALO_GEODATA_PLUGIN, empty: unset
    int status;
  };
  const Case cases[] = {{QString(), 1}, {dir.filePath("nowhere"), 1}, {QFileInfo(module).path(), 0}, {module, 0}};
  for (const Case& c : cases) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("KAVALO_GEODATA_PLUGIN");
    if (!c.plugin.isEmpty()) env.insert("KAVALO_GEODATA_PLUGIN", c.plugin);
    p.setProcessEnvironment(env);
    p.start(cli, {"measure", "35,139", "36,140"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), c.status) << c.plugin.toStdString();
    const QString err = QString::fromUtf8(p.readAllStandardError());
    if (c.status == 1) {
      EXPECT_TRUE(err.startsWith(QStringLiteral("地理データ部品（libkavalo-geodata.so）を読み込めません。")))
          << err.toStdString();
    }
  }
}

}  // namespace
