// SPDX-License-Identifier: MIT
// Speed of the user's vector files over the map: opening a GPX file of a
// 100,000-point track and 10,000 named points, and redrawing them over the
// cached map of a 1920 x 1080 view of the sample region at 50 %, 100 % and
// 400 %, against the redraw of the cached map alone.
//
// The GPX file is generated into the temporary folder: a meandering walk of
// 2.5 m steps kept inside the region, and points scattered over it.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <random>

#include "geo/OverlayData.h"
#include "model/Coordinates.h"
#include "model/MapInfo.h"
#include "render/OverlayDetail.h"
#include "render/OverlayDrawing.h"

using namespace kavalo;

namespace {

constexpr int kTrackPoints = 100000;
constexpr int kWaypoints = 10000;
constexpr int kViewW = 1920;
constexpr int kViewH = 1080;

struct Fixture {
  QTemporaryDir dir;
  MapInfo info;
  ScaleFactors scale;
  QString gpx;
  OverlaySet set;
  QImage cachedMap;
};

Fixture* fixture = nullptr;

void writeGpx(const QString& path, const MapInfo& info) {
  std::mt19937 random(42);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const double w = info.west, e = info.east, n = info.north, s = info.south;
  QByteArray text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<gpx version=\"1.1\" creator=\"bench\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
  char line[160];
  for (int i = 0; i < kWaypoints; ++i) {
    std::snprintf(line, sizeof line, "<wpt lat=\"%.7f\" lon=\"%.7f\"><name>地点%d</name></wpt>\n",
                  s + (n - s) * unit(random), w + (e - w) * unit(random), i);
    text += line;
  }
  text += "<trk><name>walk</name><trkseg>\n";
  double lat = (n + s) / 2, lon = (w + e) / 2, heading = 0;
  const double step = 2.5e-5;  // degrees, some 2.5 m
  for (int i = 0; i < kTrackPoints; ++i) {
    heading += (unit(random) - 0.5) * 0.3;
    lat += step * std::sin(heading);
    lon += step * std::cos(heading);
    if (lat < s || lat > n) heading = -heading, lat = std::clamp(lat, s, n);
    if (lon < w || lon > e) heading = M_PI - heading, lon = std::clamp(lon, w, e);
    std::snprintf(line, sizeof line, "<trkpt lat=\"%.7f\" lon=\"%.7f\"/>\n", lat, lon);
    text += line;
  }
  text += "</trkseg></trk>\n</gpx>\n";
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size()) std::abort();
}

OverlayView viewAt(int zoom) {
  const float cx = fixture->info.totalCols * fixture->info.tileWidth / 2.0f;
  const float cy = fixture->info.totalRows * fixture->info.tileHeight / 2.0f;
  return overlayViewOf(Viewport(&fixture->info, fixture->scale, cx, cy, zoom, kViewW, kViewH));
}

void BM_OpenGpx(benchmark::State& state) {
  for (auto _ : state) {
    std::unique_ptr<OverlayFile> file;
    QString message;
    if (openOverlay(fixture->gpx, fixture->info, 0, file, &message) != OverlayOpen::Opened) std::abort();
    benchmark::DoNotOptimize(file);
  }
}

// The redraw of a view from the cached map: the picture copied whole.
void BM_CachedMap(benchmark::State& state) {
  QImage target(kViewW, kViewH, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter p(&target);
    p.drawImage(0, 0, fixture->cachedMap);
  }
}

void BM_CachedMapWithOverlays(benchmark::State& state) {
  QImage target(kViewW, kViewH, QImage::Format_RGB32);
  const OverlayView view = viewAt(static_cast<int>(state.range(0)));
  {
    // The zoom's simplification is made once, at the first redraw.
    QPainter p(&target);
    drawOverlayFeatures(p, fixture->set, view);
  }
  for (auto _ : state) {
    QPainter p(&target);
    p.drawImage(0, 0, fixture->cachedMap);
    drawOverlayFeatures(p, fixture->set, view);
  }
}

// The first redraw at a new zoom: the simplification is made then.
void BM_FirstDrawAtANewZoom(benchmark::State& state) {
  QImage target(kViewW, kViewH, QImage::Format_RGB32);
  const OverlayView view = viewAt(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    fixture->set.files[0]->details.clear();
    QPainter p(&target);
    drawOverlayFeatures(p, fixture->set, view);
  }
}

BENCHMARK(BM_OpenGpx)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CachedMap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CachedMapWithOverlays)->Arg(50)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstDrawAtANewZoom)->Arg(50)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  Fixture f;
  fixture = &f;
  const QString sample = qEnvironmentVariable("KAVALO_SAMPLE", QStringLiteral(KAVALO_SAMPLE_DIR));
  QString error;
  if (!readMapInfo(sample + QStringLiteral("/sample/mapinfo.txt"), f.info, &error) || !deriveGrid(f.info, &error)) {
    std::fprintf(stderr, "cannot read the sample region: %s\n", error.toUtf8().constData());
    return 1;
  }
  f.scale = computeScaleFactors(f.info, kDefaultMmPerScreenPx, kDefaultMmPerScreenPx);
  f.gpx = f.dir.filePath(QStringLiteral("walk.gpx"));
  writeGpx(f.gpx, f.info);
  std::unique_ptr<OverlayFile> file;
  if (openOverlay(f.gpx, f.info, 0, file, &error) != OverlayOpen::Opened) {
    std::fprintf(stderr, "%s\n", error.toUtf8().constData());
    return 1;
  }
  f.set.files.push_back(std::move(file));
  f.cachedMap = QImage(kViewW, kViewH, QImage::Format_RGB32);
  f.cachedMap.fill(qRgb(240, 235, 220));
  for (int z : {50, 100, 400}) {
    const OverlayView v = viewAt(z);
    auto d = buildOverlayDetail(*f.set.files[0], overlayDetailLevel(v.imagePxPerTargetPx));
    std::fprintf(stderr, "zoom %d: the track simplified to %zu points, %zu markers\n", z, d->points.size(),
                 d->markers.size());
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
