// SPDX-License-Identifier: MIT
// The navigation's own share of one drag step at 1920 x 1080: the new centre
// and the block copy of the last full picture moved under the pointer (the
// strips the composition draws are measured with the composition).
#include <benchmark/benchmark.h>

#include <QImage>

#include "geo/Navigation.h"

using namespace kavalo;

namespace {

void BM_MoveSnapshot(benchmark::State& state) {
  QImage view(1920, 1080, QImage::Format_RGB32);
  view.fill(Qt::white);
  QImage snapshot(1920, 1080, QImage::Format_RGB32);
  snapshot.fill(Qt::darkGreen);
  int step = 0;
  for (auto _ : state) {
    const QPoint offset((step % 41) - 20, (step % 23) - 11);
    moveSnapshot(view, snapshot, offset);
    benchmark::DoNotOptimize(view.constBits());
    ++step;
  }
}
BENCHMARK(BM_MoveSnapshot)->Unit(benchmark::kMicrosecond);

void BM_DraggedCentre(benchmark::State& state) {
  MapInfo info;
  info.tileWidth = 400;
  info.tileHeight = 300;
  info.tilesPerSheetX = 4;
  info.tilesPerSheetY = 4;
  const double mm = 25.4 / 96.0;
  const Viewport view(&info, computeScaleFactors(info, mm, mm), 5000.0f, 4000.0f, 150, 1920, 1080);
  float x = 900.0f;
  for (auto _ : state) {
    x = x > 1000.0f ? 900.0f : x + 1.0f;
    benchmark::DoNotOptimize(
        draggedCentre(ImagePoint{5000.0f, 4000.0f}, ViewPoint{960.0f, 540.0f}, ViewPoint{x, 500.0f}, view));
    benchmark::DoNotOptimize(dragOffset(ViewPoint{960.0f, 540.0f}, ViewPoint{x, 500.0f}));
  }
}
BENCHMARK(BM_DraggedCentre);

}  // namespace

BENCHMARK_MAIN();
