// SPDX-License-Identifier: MIT
// The user's vector files read through the geodata module: every format,
// the file's styles, names, coordinate systems, and the messages for files
// that cannot be shown.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "geo/OverlayData.h"
#include "model/Coordinates.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

// The test region: 139 to 139.25 east, 35.83 to 36 north.
MapInfo regionInfo() {
  MapInfo info = test::smallGridInfo();
  info.west = 139.0f;
  info.north = 36.0f;
  info.frame[2] = {12, -7};
  return info;
}

void write(const QString& path, const char* text) { test::writeBytes(path, QByteArray(text)); }

const char* kGpx = R"(<?xml version="1.0" encoding="UTF-8"?>
<gpx version="1.1" creator="test" xmlns="http://www.topografix.com/GPX/1/1">
<wpt lat="35.9" lon="139.1"><name>神社</name></wpt>
<wpt lat="35.95" lon="139.2"><name>旧駅</name></wpt>
<trk><name>廃線跡</name><trkseg>
<trkpt lat="35.85" lon="139.05"/><trkpt lat="35.9" lon="139.1"/><trkpt lat="35.95" lon="139.2"/>
</trkseg></trk>
</gpx>)";

const char* kKml = R"(<?xml version="1.0" encoding="UTF-8"?>
<kml xmlns="http://www.opengis.net/kml/2.2"><Document>
<Style id="shore"><LineStyle><color>ff00ff00</color><width>5</width></LineStyle>
<PolyStyle><color>800000ff</color></PolyStyle></Style>
<Placemark><name>旧海岸線</name><styleUrl>#shore</styleUrl>
<Polygon><outerBoundaryIs><LinearRing><coordinates>139.05,35.85 139.2,35.85 139.2,35.95 139.05,35.85</coordinates>
</LinearRing></outerBoundaryIs></Polygon></Placemark>
<Placemark><name>道</name><Style><LineStyle><color>ffff0000</color><width>2</width></LineStyle></Style>
<LineString><coordinates>139.01,35.99 139.24,35.84</coordinates></LineString></Placemark>
</Document></kml>)";

// A GeoJSON polygon with a hole, a multi-line and a point without a name.
const char* kGeoJson = R"({"type":"FeatureCollection","features":[
{"type":"Feature","properties":{"name":"池"},"geometry":{"type":"Polygon","coordinates":[
 [[139.05,35.85],[139.2,35.85],[139.2,35.95],[139.05,35.95],[139.05,35.85]],
 [[139.1,35.88],[139.15,35.88],[139.15,35.92],[139.1,35.88]]]}},
{"type":"Feature","properties":{},"geometry":{"type":"MultiLineString","coordinates":[
 [[139.0,35.9],[139.1,35.9]],[[139.1,35.95],[139.2,35.95]]]}},
{"type":"Feature","properties":{"NAME":"塔"},"geometry":{"type":"Point","coordinates":[139.125,35.9]}},
{"type":"Feature","properties":{"name":"遠く"},"geometry":{"type":"Point","coordinates":[130.0,33.0]}}]})";

// A Shapefile holds one kind of geometry: the tower alone.
const char* kTower =
    R"({"type":"FeatureCollection","features":[)"
    R"({"type":"Feature","properties":{"NAME":"塔"},"geometry":{"type":"Point","coordinates":[139.125,35.9]}}]})";

QString ogr2ogr() { return QStandardPaths::findExecutable(QStringLiteral("ogr2ogr")); }

TEST(OverlayFiles, EveryFormatIsReadAndPlaced) {
  QTemporaryDir dir;
  const MapInfo info = regionInfo();
  write(dir.filePath("walk.gpx"), kGpx);
  write(dir.filePath("shore.kml"), kKml);
  write(dir.filePath("pond.geojson"), kGeoJson);

  std::unique_ptr<OverlayFile> gpx, kml, json;
  QString message;
  ASSERT_EQ(openOverlay(dir.filePath("walk.gpx"), info, 0, gpx, &message), OverlayOpen::Opened)
      << message.toStdString();
  // Waypoints and the track; the track's points are not read twice.
  ASSERT_EQ(gpx->layers.size(), 2u);
  EXPECT_EQ(gpx->layers[0].name, QStringLiteral("waypoints"));
  ASSERT_EQ(gpx->layers[0].features.size(), 2u);
  EXPECT_EQ(gpx->layers[0].features[0].name, QStringLiteral("神社"));
  EXPECT_EQ(gpx->layers[0].features[0].kind, FeatureKind::Point);
  const OverlayFeature& track = gpx->layers[1].features.at(0);
  EXPECT_EQ(track.kind, FeatureKind::Line);
  EXPECT_EQ(track.points.size(), 3u);
  // Placed by the coordinate model in the world datum.
  const ImagePoint shrine = LatLonToImage(info, 35.9f, 139.1f, 1);
  EXPECT_FLOAT_EQ(gpx->layers[0].features[0].points[0].x(), shrine.x);
  EXPECT_FLOAT_EQ(gpx->layers[0].features[0].points[0].y(), shrine.y);
  // Without styles of their own, each layer takes the next colour.
  EXPECT_EQ(gpx->layers[0].features[0].pen, overlayLayerColour(0));
  EXPECT_EQ(track.pen, overlayLayerColour(1));
  EXPECT_NE(overlayLayerColour(0), overlayLayerColour(1));

  ASSERT_EQ(openOverlay(dir.filePath("shore.kml"), info, 2, kml, &message), OverlayOpen::Opened)
      << message.toStdString();
  std::vector<const OverlayFeature*> placemarks;
  for (const auto& l : kml->layers)
    for (const auto& f : l.features) placemarks.push_back(&f);
  ASSERT_EQ(placemarks.size(), 2u);
  // KML colours are aabbggrr: the shared style's green line and half-red
  // fill, the placemark's own blue line.
  EXPECT_EQ(placemarks[0]->kind, FeatureKind::Polygon);
  EXPECT_EQ(placemarks[0]->pen, QColor(0, 255, 0));
  EXPECT_EQ(placemarks[0]->penWidth, 5.0);
  EXPECT_EQ(placemarks[0]->brush, QColor(255, 0, 0, 128));
  EXPECT_EQ(placemarks[1]->name, QStringLiteral("道"));
  EXPECT_EQ(placemarks[1]->pen, QColor(0, 0, 255));

  ASSERT_EQ(openOverlay(dir.filePath("pond.geojson"), info, 0, json, &message), OverlayOpen::Opened);
  const auto& features = json->layers.at(0).features;
  // The far point is left out; the rest keep their parts.
  ASSERT_EQ(features.size(), 3u);
  EXPECT_EQ(features[0].kind, FeatureKind::Polygon);
  EXPECT_EQ(features[0].parts, (std::vector<int>{0, 5}));
  EXPECT_EQ(features[1].kind, FeatureKind::Line);
  EXPECT_EQ(features[1].parts, (std::vector<int>{0, 2}));
  EXPECT_EQ(features[2].name, QStringLiteral("塔"));
}

TEST(OverlayFiles, ProjectedShapefileAndKmz) {
  const QString tool = ogr2ogr();
  ASSERT_FALSE(tool.isEmpty()) << "ogr2ogr (gdal-bin) is needed by this test";
  QTemporaryDir dir;
  write(dir.filePath("pond.geojson"), kGeoJson);
  write(dir.filePath("tower.geojson"), kTower);
  // The Shapefile in the plane rectangular system of the Kanto region.
  ASSERT_EQ(QProcess::execute(tool, {"-f", "ESRI Shapefile", "-t_srs", "EPSG:6677", dir.filePath("pond.shp"),
                                     dir.filePath("tower.geojson")}),
            0);
  ASSERT_EQ(QProcess::execute(tool, {"-f", "LIBKML", dir.filePath("pond.kmz"), dir.filePath("pond.geojson")}), 0);
  const MapInfo info = regionInfo();
  for (const char* name : {"pond.shp", "pond.kmz"}) {
    std::unique_ptr<OverlayFile> file;
    QString message;
    ASSERT_EQ(openOverlay(dir.filePath(name), info, 0, file, &message), OverlayOpen::Opened)
        << name << message.toStdString();
    const OverlayFeature* tower = nullptr;
    for (const auto& l : file->layers)
      for (const auto& f : l.features)
        if (f.kind == FeatureKind::Point) tower = &f;
    ASSERT_NE(tower, nullptr) << name;
    // Back in the world datum to well under a pixel.
    const ImagePoint expected = LatLonToImage(info, 35.9f, 139.125f, 1);
    EXPECT_NEAR(tower->points[0].x(), expected.x, 0.01) << name;
    EXPECT_NEAR(tower->points[0].y(), expected.y, 0.01) << name;
  }
}

TEST(OverlayFiles, FilesThatCannotBeShownSaySo) {
  const QString tool = ogr2ogr();
  ASSERT_FALSE(tool.isEmpty());
  QTemporaryDir dir;
  write(dir.filePath("broken.gpx"), "<gpx><trk><trkseg><trkpt lat=");
  write(dir.filePath("notes.txt"), "just words\n");
  write(dir.filePath("far.geojson"), R"({"type":"FeatureCollection","features":[{"type":"Feature","properties":{},)"
                                     R"("geometry":{"type":"LineString","coordinates":[[130,33],[130.1,33.1]]}}]})");
  write(dir.filePath("pond.geojson"), kTower);
  // A local engineering system: no way to the world datum.
  ASSERT_EQ(QProcess::execute(tool, {"-f", "ESRI Shapefile", "-t_srs", "EPSG:6677", dir.filePath("local.shp"),
                                     dir.filePath("pond.geojson")}),
            0);
  write(dir.filePath("local.prj"), R"(LOCAL_CS["site grid",LOCAL_DATUM["none",32767],UNIT["metre",1]])");
  // Plane coordinates with no .prj at all are not guessed at.
  ASSERT_EQ(QProcess::execute(tool, {"-f", "ESRI Shapefile", "-t_srs", "EPSG:6677", dir.filePath("bare.shp"),
                                     dir.filePath("pond.geojson")}),
            0);
  QFile::remove(dir.filePath("bare.prj"));

  struct Case {
    const char* file;
    OverlayOpen result;
    const char* message;
  };
  const Case cases[] = {
      // With the reason (HostileOverlayTest has the whole table).
      {"broken.gpx", OverlayOpen::Unreadable, "「broken.gpx」を読み込めません。GPXファイルではありません。"},
      {"notes.txt", OverlayOpen::Unreadable,
       "「notes.txt」を読み込めません。GPX・KML・KMZ・GeoJSON・シェープのどのファイルでもありません。"},
      {"missing.kml", OverlayOpen::Unreadable, "「missing.kml」を読み込めません。"},
      {"far.geojson", OverlayOpen::NotInRegion, "「far.geojson」には、この地域にかかる地物がありません。"},
      {"local.shp", OverlayOpen::NoTransform, "「local.shp」の座標系を世界測地系に変換できません。"},
      {"bare.shp", OverlayOpen::NoTransform, "「bare.shp」の座標系を世界測地系に変換できません。"},
  };
  const MapInfo info = regionInfo();
  for (const Case& c : cases) {
    std::unique_ptr<OverlayFile> file;
    QString message;
    EXPECT_EQ(openOverlay(dir.filePath(c.file), info, 0, file, &message), c.result) << c.file;
    EXPECT_EQ(message, QString::fromUtf8(c.message));
    EXPECT_EQ(file, nullptr);
  }
}

TEST(OverlayFiles, TheListIsKeptPerDataFolder) {
  QTemporaryDir root;
  const QString folder = root.filePath("region");
  QDir().mkpath(folder + "/tracks");
  OverlayList list;
  QString error;
  ASSERT_TRUE(list.load(folder, &error));  // no file yet: an empty list
  EXPECT_EQ(list.count(), 0);
  list.add(folder + "/tracks/a.gpx");
  list.add(root.filePath("elsewhere/b.kml"));
  list.add(folder + "/tracks/../tracks/a.gpx");  // the same file
  list.add(folder + "/c.geojson");
  EXPECT_EQ(list.add(folder + "/two\nlines.gpx"), -1);  // the file holds one path a line
  ASSERT_EQ(list.count(), 3);
  list.setVisible(1, false);
  list.move(2, 0);
  ASSERT_TRUE(list.save(folder, &error)) << error.toStdString();
  // Inside the folder relative to it, outside absolute.
  const QByteArray text = test::readBytes(OverlayList::fileIn(folder));
  EXPECT_EQ(text, "1\tc.geojson\n1\ttracks/a.gpx\n0\t" + root.filePath("elsewhere/b.kml").toUtf8() + "\n");

  OverlayList back;
  ASSERT_TRUE(back.load(folder, &error));
  ASSERT_EQ(back.count(), 3);
  EXPECT_EQ(back.entries()[0].path, folder + "/c.geojson");
  EXPECT_EQ(back.entries()[1].path, folder + "/tracks/a.gpx");
  EXPECT_FALSE(back.entries()[2].visible);

  // A moved folder takes its own overlays along.
  ASSERT_TRUE(QDir().rename(folder, root.filePath("moved")));
  ASSERT_TRUE(back.load(root.filePath("moved"), &error));
  EXPECT_EQ(back.entries()[1].path, root.filePath("moved/tracks/a.gpx"));

  OverlayList empty;
  ASSERT_TRUE(empty.save(root.filePath("moved"), &error));
  EXPECT_FALSE(QFile::exists(OverlayList::fileIn(root.filePath("moved"))));
}

}  // namespace
