// SPDX-License-Identifier: MIT
// One request, the same pixels through every entry that composes it: the
// window's full redraw, an exported image, the print pass at scale 1, a
// comparison frame that shows era A only, and kavalo-cli. With the user's
// files open they appear over the map in each of them alike.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>

#include <functional>

#include "RenderFixture.h"
#include "geo/OverlayData.h"
#include "model/Coordinates.h"
#include "output/PrintJob.h"
#include "render/CompareComposer.h"
#include "render/ImageLibrary.h"
#include "support/Programs.h"

using namespace kavalo;
using test::tileColour;

namespace {

struct Entry {
  const char* name;
  std::function<QImage(test::RenderFixture&)> compose;
};

QImage viaCompare(test::RenderFixture& f, CompareMode mode) {
  CompareView compare;
  compare.eraB = 0;  // the same era: every mode shows era A
  compare.mode = mode;
  compare.split = f.state.viewWidth();  // the swipe's divider at the right edge
  compare.lens = QPoint(-1000, -1000);  // the lens outside the view
  compare.lensRadius = 10;
  compare.opacity = 0;
  CompareComposer composer;
  QImage frame;
  PrintGazoCompare(f.state, f.request(RenderPass::ComparePane), compare, composer, frame);
  return frame;
}

const Entry kEntries[] = {
    {"window", [](test::RenderFixture& f) { return f.compose().copy(); }},
    {"export",
     [](test::RenderFixture& f) {
       QImage p;
       renderView(f.state, f.request(RenderPass::Export), p);
       return p;
     }},
    {"print at scale 1",
     [](test::RenderFixture& f) {
       // The credits on paper are black on white: the page holds the map
       // and the files, which is what is compared here.
       return composePrintPage(f.state, f.request(RenderPass::Print), 1.0);
     }},
    {"swipe", [](test::RenderFixture& f) { return viaCompare(f, CompareMode::Swipe); }},
    {"lens", [](test::RenderFixture& f) { return viaCompare(f, CompareMode::Lens); }},
    {"blend", [](test::RenderFixture& f) { return viaCompare(f, CompareMode::Blend); }},
};

// A GeoJSON line across the view and a point, in the world datum.
QString writeOverlay(const QString& folder, const MapInfo& info) {
  const LatLon a = ImageToLatLon(info, 60.0f, 90.0f, 1);
  const LatLon b = ImageToLatLon(info, 340.0f, 230.0f, 1);
  const LatLon p = ImageToLatLon(info, 250.0f, 120.0f, 1);
  const QString path = folder + QStringLiteral("/files.geojson");
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QStringLiteral(R"({"type":"FeatureCollection","features":[
 {"type":"Feature","properties":{},"geometry":{"type":"LineString","coordinates":[[%1,%2],[%3,%4]]}},
 {"type":"Feature","properties":{},"geometry":{"type":"Point","coordinates":[%5,%6]}}]})")
                 .arg(a.lon, 0, 'f', 8)
                 .arg(a.lat, 0, 'f', 8)
                 .arg(b.lon, 0, 'f', 8)
                 .arg(b.lat, 0, 'f', 8)
                 .arg(p.lon, 0, 'f', 8)
                 .arg(p.lat, 0, 'f', 8)
                 .toUtf8());
  return path;
}

}  // namespace

TEST(EntryPoints, OneRequestTheSamePixelsThroughEveryEntry) {
  test::RenderFixture f;
  f.data.write();
  f.gentleAltitude();
  f.solidTiles(QStringLiteral("E1900"), tileColour);
  ASSERT_TRUE(f.load());
  f.state.view.showScale = f.state.view.showMarks = f.state.view.showSheetLines = true;
  // Upper two thirds of the view: the map and the files, clear of the credits.
  const QRect compared(0, 0, 300, 130);

  QImage mapOnly;
  for (const bool withFiles : {false, true}) {
    SCOPED_TRACE(withFiles ? "with the user's files" : "map only");
    if (withFiles) {
      std::unique_ptr<OverlayFile> file;
      QString message;
      const OverlayOpen opened =
          openOverlay(writeOverlay(f.data.folder, f.state.mapInfo), f.state.mapInfo, 0, file, &message);
      if (opened == OverlayOpen::NoModule) GTEST_SKIP() << message.toStdString();
      ASSERT_EQ(opened, OverlayOpen::Opened) << message.toStdString();
      f.state.overlays.files.push_back(std::move(file));
    }
    const QImage reference = kEntries[0].compose(f);
    ASSERT_EQ(reference.size(), QSize(300, 200));
    for (const Entry& e : kEntries) {
      const QImage p = e.compose(f);
      ASSERT_EQ(p.size(), reference.size()) << e.name;
      EXPECT_EQ(p.copy(compared), reference.copy(compared)) << e.name;
    }
    if (!withFiles) {
      mapOnly = reference;
      continue;
    }
    // The files lie where the coordinate model puts them: the point at image
    // (250, 120) is view (250 - 200 + 150, 120 - 160 + 100) = (200, 60), the
    // line runs from view (10, 30) to (290, 170); away from both the map is
    // as it was.
    EXPECT_NE(reference.pixel(200, 60), mapOnly.pixel(200, 60));
    EXPECT_NE(reference.pixel(150, 100), mapOnly.pixel(150, 100));
    EXPECT_EQ(reference.pixel(50, 120), mapOnly.pixel(50, 120));
    EXPECT_EQ(reference.pixel(250, 20), mapOnly.pixel(250, 20));
  }
}

TEST(EntryPoints, TheCommandLineWritesWhatTheRendererComposes) {
  test::RenderFixture f;
  f.data.write();
  f.solidTiles(QStringLiteral("E1900"), tileColour);
  ASSERT_TRUE(f.load());
  f.state.view.showAltitude = false;
  f.state.view.showScale = true;
  QImage here;
  renderView(f.state, f.request(RenderPass::Export), here);
  const QString out = f.root.path(QStringLiteral("cli.png"));
  const test::ProgramRun run = test::runCli(
      {QStringLiteral("render"), QStringLiteral("--root"), f.root.root(), QStringLiteral("--size"),
       QStringLiteral("300x200"), QStringLiteral("--center"), QStringLiteral("200,160"), QStringLiteral("--zoom"),
       QStringLiteral("100"), QStringLiteral("--mm-per-px"), QStringLiteral("2.3125"), QStringLiteral("--layers"),
       QStringLiteral("tiles,scale"), QStringLiteral("-o"), out});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(PNGtoDIB(out), here);
}
