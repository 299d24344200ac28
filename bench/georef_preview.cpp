// SPDX-License-Identifier: MIT
// The georeferencer's live overlay: the time from a control point moved to
// the warped scan ready for a 1920 x 1080 map view. A 20,000 x 15,000 scan
// (its reduced copy of 4,096 pixels in memory) with 20 control points over
// the sample region; each iteration moves one point by a pixel, which makes
// the session fit again, and warps the preview. Reported: the median of 20
// repetitions, per transform.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>

#include "geo/GeorefSession.h"
#include "model/Coordinates.h"
#include "model/MapInfo.h"
#include "render/GeorefPreview.h"

using namespace kavalo;

namespace {

constexpr int kScanWidth = 20000;
constexpr int kScanHeight = 15000;
constexpr int kViewWidth = 1920;
constexpr int kViewHeight = 1080;

MapInfo info;
ScaleFactors scale;

// A reduced copy with something to sample: a grid of lines over a tint.
QImage reducedScan() {
  const double k = static_cast<double>(kGeorefPreviewSide) / kScanWidth;
  QImage image(kGeorefPreviewSide, static_cast<int>(std::lround(kScanHeight * k)), QImage::Format_RGB32);
  image.fill(qRgb(236, 226, 200));
  QPainter p(&image);
  p.setPen(QPen(QColor(120, 80, 40), 2));
  for (int x = 0; x < image.width(); x += 64) p.drawLine(x, 0, x, image.height());
  for (int y = 0; y < image.height(); y += 64) p.drawLine(0, y, image.width(), y);
  return image;
}

// The scan falls on the middle of the region, turned a little and bent
// gently (so that every transform has something to fit): the scan spans
// most of the region.
GeoPoint truth(double x, double y) {
  const double u = x / kScanWidth - 0.5, v = y / kScanHeight - 0.5;
  const double w = static_cast<double>(info.totalCols) * info.tileWidth;
  const double h = static_cast<double>(info.totalRows) * info.tileHeight;
  const double ix = w * (0.5 + 0.6 * u + 0.03 * v + 0.01 * u * v);
  const double iy = h * (0.5 - 0.02 * u + 0.6 * v + 0.01 * u * u);
  const LatLon ll = ImageToLatLon(info, static_cast<float>(ix), static_cast<float>(iy), 1);
  return {ll.lon, ll.lat};
}

void setUp(GeorefSession& s, GeorefMethod method) {
  s.setScan(QStringLiteral("bench-scan.tif"), kScanWidth, kScanHeight, reducedScan());
  std::vector<ControlPoint> points;
  for (int i = 0; i < 20; ++i) {
    const double x = kScanWidth * (0.05 + 0.9 * ((i % 5) / 4.0)) + 37 * (i % 3);
    const double y = kScanHeight * (0.05 + 0.9 * ((i / 5) / 3.0)) + 23 * (i % 4);
    const GeoPoint g = truth(x, y);
    ControlPoint p;
    p.id = i + 1;
    p.scanX = x;
    p.scanY = y;
    p.lon = g.lon;
    p.lat = g.lat;
    points.push_back(p);
  }
  s.setPoints(points);
  s.setMethod(method);
}

void BM_OverlayAfterAPointMoved(benchmark::State& state) {
  GeorefSession session;
  const auto method = static_cast<GeorefMethod>(state.range(0));
  setUp(session, method);
  // The view at 100 % centred on the scan.
  const GeoPoint centre = truth(kScanWidth / 2.0, kScanHeight / 2.0);
  const ImagePoint c = LatLonToImage(info, static_cast<float>(centre.lat), static_cast<float>(centre.lon), 1);
  const Viewport view(&info, scale, c.x, c.y, 100, kViewWidth, kViewHeight);
  if (!session.analysis().ok) {
    state.SkipWithError(session.analysis().why.toUtf8().constData());
    return;
  }
  int step = 0;
  for (auto _ : state) {
    const ControlPoint& p = session.points()[static_cast<size_t>(step % 20)];
    session.moveScanPlace(step % 20, p.scanX + ((step / 20) % 2 ? -1.0 : 1.0), p.scanY);
    ++step;
    QImage overlay = georefPreview(session, view);
    benchmark::DoNotOptimize(overlay.constBits());
  }
  state.SetLabel(methodKey(method).toStdString());
}

BENCHMARK(BM_OverlayAfterAPointMoved)
    ->Arg(static_cast<int>(GeorefMethod::Helmert))
    ->Arg(static_cast<int>(GeorefMethod::Poly1))
    ->Arg(static_cast<int>(GeorefMethod::Poly2))
    ->Arg(static_cast<int>(GeorefMethod::Poly3))
    ->Arg(static_cast<int>(GeorefMethod::Projective))
    ->Arg(static_cast<int>(GeorefMethod::ThinPlateSpline))
    ->Iterations(1)
    ->Repetitions(20)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString sample = qEnvironmentVariable("KAVALO_SAMPLE", QStringLiteral(KAVALO_SAMPLE_DIR));
  QString error;
  if (!readMapInfo(sample + QStringLiteral("/sample/mapinfo.txt"), info, &error) || !deriveGrid(info, &error)) {
    std::fprintf(stderr, "cannot read the sample region: %s\n", error.toUtf8().constData());
    return 1;
  }
  scale = computeScaleFactors(info, kDefaultMmPerScreenPx, kDefaultMmPerScreenPx);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
