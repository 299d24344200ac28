// SPDX-License-Identifier: MIT
// Overlay files made to hurt: cut short, wrongly named, empty, with values
// beyond reason, archives that unpack to far more than they weigh, and lines
// over the 180th meridian. Each is refused with its reason, or drawn the
// short way round.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "geo/OverlayData.h"
#include "model/Coordinates.h"
#include "net/ZipFixture.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

MapInfo regionAt(float west, float north) {
  MapInfo info = test::smallGridInfo();
  info.west = west;
  info.north = north;
  info.frame[2] = {12, -7};
  return info;
}

QByteArray gpxWithTrack(int points) {
  QByteArray text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx version=\"1.1\" creator=\"t\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
      "<wpt lat=\"35.9\" lon=\"139.1\"><name>a</name></wpt>\n<trk><name>t</name><trkseg>\n";
  for (int i = 0; i < points; ++i)
    text += QStringLiteral("<trkpt lat=\"%1\" lon=\"%2\"/>\n").arg(35.85 + i * 1e-5).arg(139.05 + i * 1e-5).toUtf8();
  return text + "</trkseg></trk>\n</gpx>\n";
}

QByteArray kmlAround(const QByteArray& filler) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml xmlns=\"http://www.opengis.net/kml/2.2\"><Document>\n"
         "<Placemark><name>x</name><LineString><coordinates>139.01,35.99 139.24,35.84</coordinates></LineString>"
         "</Placemark>\n" +
         filler + "\n</Document></kml>\n";
}

}  // namespace

TEST(HostileOverlays, EachIsRefusedWithItsReason) {
  QTemporaryDir dir;
  const QByteArray track = gpxWithTrack(3000);
  struct Case {
    const char* file;
    std::function<void(const QString&)> make;
    const char* reason;  // after 「file」を読み込めません。
  };
  const std::vector<Case> cases = {
      {"cut.gpx", [&](const QString& p) { test::writeBytes(p, track.left(track.size() * 2 / 3)); },
       "行目で途切れているか、壊れています。"},
      // So little of a GPX that the reader does not take it for one.
      {"broken.gpx", [](const QString& p) { test::writeBytes(p, "<gpx><trk><trkseg><trkpt lat="); },
       "GPXファイルではありません。"},
      {"cut.geojson",
       [](const QString& p) {
         test::writeBytes(p, R"({"type":"FeatureCollection","features":[{"type":"Feature","properties":{},)"
                             R"("geometry":{"type":"LineString","coordinates":[[139,35],[139.1)");
       },
       "1行目で途切れているか、壊れています。"},
      {"cut.kml", [](const QString& p) { test::writeBytes(p, kmlAround("<Placemark><name>y</name><LineString>")); },
       "行目で途切れているか、壊れています。"},
      {"words.gpx", [](const QString& p) { test::writeBytes(p, "hello\n"); }, "GPXファイルではありません。"},
      {"notes.txt", [](const QString& p) { test::writeBytes(p, "just words\n"); },
       "GPX・KML・KMZ・GeoJSON・シェープのどのファイルでもありません。"},
      {"empty.gpx", [](const QString& p) { test::writeBytes(p, ""); }, "ファイルが空です。"},
      {"longname.gpx",
       [&](const QString& p) {
         QByteArray text = track;
         text.replace("<name>a</name>", "<name>" + QByteArray(300000, 'x') + "</name>");
         test::writeBytes(p, text);
       },
       "3行目に長すぎる値（名前や説明）があり、壊れたファイルと見られます。"},
      // 300 MiB that take no room on disk: refused before a byte is read.
      {"huge.gpx",
       [&](const QString& p) {
         test::writeBytes(p, track);
         QFile f(p);
         ASSERT_TRUE(f.resize(qint64{300} * 1024 * 1024));
       },
       "ファイルが大きすぎます（上限256MB）。"},
      // A valid KML padded with 24 MiB of blanks that weighs a few KiB zipped.
      {"blanks.kmz",
       [](const QString& p) {
         test::makeZip(p, {{"doc.kml", kmlAround(QByteArray(24 * 1024 * 1024, ' '))}});
       },
       "展開すると大きすぎます（上限256MB）。"},
      {"many.kmz",
       [](const QString& p) {
         std::vector<test::ZipEntry> entries{{"doc.kml", kmlAround("")}};
         for (int i = 0; i < 10001; ++i) entries.push_back({"f/" + QByteArray::number(i), "x"});
         test::makeZip(p, entries);
       },
       "中のファイルが多すぎます（上限10000個）。"},
  };
  const MapInfo info = regionAt(139.0f, 36.0f);
  for (const Case& c : cases) {
    const QString path = dir.filePath(c.file);
    c.make(path);
    std::unique_ptr<OverlayFile> file;
    QString message;
    EXPECT_EQ(openOverlay(path, info, 0, file, &message), OverlayOpen::Unreadable) << c.file;
    const QString head = QStringLiteral("「%1」を読み込めません。").arg(QString::fromUtf8(c.file));
    EXPECT_TRUE(message.startsWith(head) && message.endsWith(QString::fromUtf8(c.reason)))
        << c.file << ": " << message.toStdString();
    // Where the line is not given exactly, it is a line past the header.
    if (QString::fromUtf8(c.reason).startsWith(u'行')) {
      bool ok = false;
      EXPECT_GT(message.mid(head.size()).section(u'行', 0, 0).toInt(&ok), 1) << message.toStdString();
      EXPECT_TRUE(ok) << message.toStdString();
    }
    EXPECT_EQ(file, nullptr);
  }
  // The whole track, and a small KMZ, are read as ever.
  test::writeBytes(dir.filePath("whole.gpx"), track);
  test::makeZip(dir.filePath("small.kmz"), {{"doc.kml", kmlAround("")}});
  for (const char* name : {"whole.gpx", "small.kmz"}) {
    std::unique_ptr<OverlayFile> file;
    QString message;
    EXPECT_EQ(openOverlay(dir.filePath(name), info, 0, file, &message), OverlayOpen::Opened)
        << name << message.toStdString();
  }
}

TEST(HostileOverlays, ALineOverTheAntimeridianTakesTheShortWay) {
  QTemporaryDir dir;
  // 20 km along 35.9 north, from 179.9 east to 179.9 west.
  test::writeBytes(dir.filePath("dateline.gpx"),
                   "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"t\" "
                   "xmlns=\"http://www.topografix.com/GPX/1/1\"><trk><name>t</name><trkseg>"
                   "<trkpt lat=\"35.9\" lon=\"179.9\"/><trkpt lat=\"35.9\" lon=\"-179.9\"/>"
                   "</trkseg></trk></gpx>\n");
  struct Case {
    const char* what;
    float west;
  };
  // The region east of 179.8, and the one west of -179.95: the line touches
  // both, a fifth of a degree long.
  const Case cases[] = {{"east of the meridian", 179.8f}, {"west of the meridian", -180.1f}};
  for (const Case& c : cases) {
    const MapInfo info = regionAt(c.west, 36.0f);
    std::unique_ptr<OverlayFile> file;
    QString message;
    ASSERT_EQ(openOverlay(dir.filePath("dateline.gpx"), info, 0, file, &message), OverlayOpen::Opened)
        << c.what << message.toStdString();
    ASSERT_EQ(file->layers.size(), 1u);
    const OverlayFeature& line = file->layers[0].features.at(0);
    const ImagePoint a = LatLonToImage(info, 35.9f, c.west, 1);
    const ImagePoint b = LatLonToImage(info, 35.9f, c.west + 0.2f, 1);
    const double fifthOfADegree = std::abs(b.x - a.x);
    EXPECT_NEAR(line.bounds.width(), fifthOfADegree, fifthOfADegree * 0.01) << c.what;
    // The two ends lie east and west of each other by that much, in order.
    EXPECT_NEAR(line.points[1].x() - line.points[0].x(), fifthOfADegree, fifthOfADegree * 0.01) << c.what;
  }
}
