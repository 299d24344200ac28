// SPDX-License-Identifier: MIT
// Speed of the comparison of two eras and of the decoded-tile cache, at
// 1920 x 1080 and 100 % on the benchmark region (make-sample-dataset --bench:
// 20 x 20 sheets of 5 x 5 tiles, three eras). The region is generated once
// into $KAVALO_BENCH_ROOT or <temp>/kavalo-bench-compare.
//
// - CachedFullRedraw: a full redraw with every tile of the view in the cache;
//   CopyFloor: copying the pixels of the same tiles once (the floor).
// - EraStep: the shown era stepping A -> B -> A with the cache (every visit
//   after the first from the cache) and without it.
// - SwipeFrame, LensFrame, BlendFrame: a frame made from the two composed
//   pictures (what moving the divider or the lens costs).
// - SideBySide against HalfWidthPair: the two panes against two single
//   redraws of half the width.
// - StepAllErasTwice: the cache's hit rate and memory while stepping through
//   every era twice; FillToBudget: panning until the cache is at its budget.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>

#include <cstdio>
#include <cstring>

#include "app/DatasetLoader.h"
#include "app/Startup.h"
#include "geo/Navigation.h"
#include "geo/TileGeometry.h"
#include "model/ProgramState.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "render/CompareComposer.h"
#include "render/TileCache.h"
#include "render/TilePrefetcher.h"
#include "render/Tiles.h"
#include "render/ViewComposer.h"

using namespace kavalo;

namespace {

constexpr int kViewW = 1920;
constexpr int kViewH = 1080;

QString benchRoot() {
  QString root = qEnvironmentVariable("KAVALO_BENCH_ROOT");
  if (root.isEmpty()) root = QDir::tempPath() + QStringLiteral("/kavalo-bench-compare");
  if (QFile::exists(root + QStringLiteral("/dataset.txt"))) return root;
  std::fprintf(stderr, "generating the bench region in %s ...\n", qPrintable(root));
  const QString generator = QCoreApplication::applicationDirPath() + QStringLiteral("/make-sample-dataset");
  if (QProcess::execute(generator, {root, QStringLiteral("--bench")}) != 0) std::abort();
  return root;
}

struct BenchView {
  ProgramState state;
  ScriptedPrompts prompts;
  QImage picture;
  QImage snapshot;

  explicit BenchView(int width = kViewW) {
    if (!startProgram(state, benchRoot(), prompts)) std::abort();
    state.datasetFolder = joinPath(state.rootFolder, QStringLiteral("\\bench"));
    if (LoadDataset(state, prompts) != LoadStatus::Loaded) std::abort();
    state.view.viewWidth = width;
    state.view.viewHeight = kViewH;
    state.view.zoomPercent = 100;
    state.view.eraIndex = 0;
    compose();  // renders the elevation pieces, which are kept
  }
  ViewRequest request(RenderPass pass = RenderPass::Screen) const { return currentViewRequest(state, pass); }
  // A full redraw as the window makes it: the snapshot for a drag is kept.
  void compose() { renderView(state, request(), picture, nullptr, &snapshot); }
  // The tile files (and masks) a full redraw of the shown era loads.
  QStringList tilePaths() const {
    const MapInfo& m = state.mapInfo;
    const Era& era = state.currentEra();
    const FrameOffset f = m.frame[era.frameType];
    const TileRange r = VisibleTileRange(state.viewport(), f.x, f.y);
    QStringList paths;
    for (int row = std::max(0, r.firstRow); row <= std::min(r.lastRow, m.totalRows - 1); ++row)
      for (int col = std::max(0, r.firstCol); col <= std::min(r.lastCol, m.totalCols - 1); ++col) {
        const auto tile = ResolveTile(state, state.view.eraIndex, col, row);
        if (!tile) continue;
        paths << TilePath(state, tile->sourceEra, tile->fileName);
        if (era.tileStyle == kMaskedMap)
          paths << TilePath(state, tile->sourceEra, QStringLiteral("M_") + tile->fileName);
      }
    return paths;
  }
};

void resetCache(int64_t budget = TileCache::kDefaultBudget) {
  TileCache::shared().clear();
  TileCache::shared().setBudget(budget);
  TileCache::shared().resetStats();
}

void BM_CachedFullRedraw(benchmark::State& s) {
  resetCache();
  BenchView v;
  v.state.view.eraIndex = static_cast<int>(s.range(0));
  v.compose();
  for (auto _ : s) {
    v.compose();
    benchmark::DoNotOptimize(v.picture.constBits());
  }
  s.counters["tiles"] = static_cast<double>(v.tilePaths().size());
}

// The same redraw without the tiles: the background, the snapshot and the
// overlays, which the floor below leaves out.
void BM_RedrawWithoutTiles(benchmark::State& s) {
  BenchView v;
  v.state.view.showTiles = false;
  v.state.view.showAltitude = s.range(0) != 0;
  for (auto _ : s) {
    v.compose();
    benchmark::DoNotOptimize(v.picture.constBits());
  }
}

// The floor: the decoded pixels of the view's tiles copied once.
void BM_CopyFloor(benchmark::State& s) {
  resetCache();
  BenchView v;
  v.state.view.eraIndex = static_cast<int>(s.range(0));
  std::vector<QImage> tiles;
  for (const QString& path : v.tilePaths()) {
    QImage picture;
    LoadTileImage(path, v.state.currentEra().ext, picture);
    if (!picture.isNull()) tiles.push_back(picture);
  }
  QImage target(tiles.front().size(), QImage::Format_RGB32);
  for (auto _ : s) {
    for (const QImage& t : tiles) std::memcpy(target.bits(), t.constBits(), static_cast<size_t>(t.sizeInBytes()));
    benchmark::DoNotOptimize(target.constBits());
  }
  s.counters["tiles"] = static_cast<double>(tiles.size());
}

void BM_EraStep(benchmark::State& s) {
  const bool cached = s.range(0) != 0;
  resetCache(cached ? TileCache::kDefaultBudget : 0);
  BenchView v;
  const int eras[] = {0, 1};
  int step = 0;
  for (auto _ : s) {
    v.state.view.eraIndex = eras[step++ % 2];
    v.compose();
    benchmark::DoNotOptimize(v.picture.constBits());
  }
}

struct CompareBench {
  BenchView v;
  CompareComposer composer;
  CompareView view;
  explicit CompareBench(CompareMode mode) {
    view.eraB = 1;
    view.mode = mode;
    view.split = kViewW / 2;
    view.lens = QPoint(kViewW / 2, kViewH / 2);
    view.lensRadius = 200;
    composer.compose(v.state, v.request(RenderPass::ComparePane), view);
  }
};

void frameBench(benchmark::State& s, CompareMode mode) {
  resetCache();
  CompareBench b(mode);
  int step = 0;
  for (auto _ : s) {
    // The divider or the lens moving with the mouse, the blend changing.
    const int t = step++ % 400;
    b.view.split = 400 + 3 * t;
    b.view.lens = QPoint(600 + 2 * t, 300 + t);
    b.view.opacity = t / 4;
    if (!b.composer.makeFrame(b.v.state, b.v.request(RenderPass::ComparePane), b.view, b.v.picture)) std::abort();
    benchmark::DoNotOptimize(b.v.picture.constBits());
  }
}
void BM_SwipeFrame(benchmark::State& s) { frameBench(s, CompareMode::Swipe); }
void BM_LensFrame(benchmark::State& s) { frameBench(s, CompareMode::Lens); }
void BM_BlendFrame(benchmark::State& s) { frameBench(s, CompareMode::Blend); }

void BM_SideBySide(benchmark::State& s) {
  resetCache();
  CompareBench b(CompareMode::Side);
  for (auto _ : s) {
    PrintGazoCompare(b.v.state, b.v.request(RenderPass::ComparePane), b.view, b.composer, b.v.picture);
    benchmark::DoNotOptimize(b.v.picture.constBits());
  }
}

// Two single redraws of a pane's width, one per era.
void BM_HalfWidthPair(benchmark::State& s) {
  resetCache();
  BenchView v(sideBySidePanes(kViewW, kViewH).left.width());
  v.state.view.eraIndex = 1;
  v.compose();
  for (auto _ : s) {
    for (int era : {0, 1}) {
      v.state.view.eraIndex = era;
      v.compose();
    }
    benchmark::DoNotOptimize(v.picture.constBits());
  }
}

// One step of a drag at 1920 x 1080: the uncovered strips (with the tiles
// the cache holds), the snapshot moved onto the picture, the overlays put
// back. cached 0: the cache keeps nothing, so the strips show only the
// background, as a drag did before the cache.
void BM_DragStep(benchmark::State& s) {
  const bool cached = s.range(0) != 0;
  resetCache(cached ? TileCache::kDefaultBudget : 0);
  BenchView v;
  ProgramState& st = v.state;
  const float pressX = st.view.centerX, pressY = st.view.centerY;
  auto step = [&](int dx, int dy) {
    const Viewport press(&st.mapInfo, st.scale, pressX, pressY, st.view.zoomPercent, kViewW, kViewH);
    st.view.centerX = pressX - press.ScreenToImageDX(dx);
    st.view.centerY = pressY - press.ScreenToImageDY(dy);
    ViewRequest request = v.request(RenderPass::Drag);
    request.dragOffset = QPoint(dx, dy);
    renderView(st, request, v.picture);
    moveSnapshot(v.picture, v.snapshot, QPoint(dx, dy));
    drawViewOverlays(st, request, v.picture);
  };
  // The tiles the drag reaches are decoded before the timing (the first
  // steps ask for them).
  for (int t = 0; t <= 40; t += 4) step(6 * t - 120, 4 * t - 80);
  TilePrefetcher::shared().waitIdle();
  int n = 0;
  for (auto _ : s) {
    // A hand moving to and fro, a few pixels per mouse move.
    const int phase = n++ % 80;
    const int t = phase < 40 ? phase : 80 - phase;
    step(6 * t - 120, 4 * t - 80);
    benchmark::DoNotOptimize(v.picture.constBits());
  }
}

void BM_StepAllErasTwice(benchmark::State& s) {
  for (auto _ : s) {
    s.PauseTiming();
    resetCache();
    BenchView v;
    TileCache::shared().resetStats();
    s.ResumeTiming();
    TileCache::Stats first;
    for (int pass = 0; pass < 2; ++pass) {
      for (int era = 0; era < static_cast<int>(v.state.eras.size()); ++era) {
        v.state.view.eraIndex = era;
        v.compose();
      }
      if (pass == 0) first = TileCache::shared().stats();
    }
    const TileCache::Stats st = TileCache::shared().stats();
    s.counters["hitRate"] = static_cast<double>(st.hits) / static_cast<double>(st.hits + st.misses);
    s.counters["secondPassHitRate"] = static_cast<double>(st.hits - first.hits) /
                                      static_cast<double>(st.hits - first.hits + st.misses - first.misses);
    s.counters["MiB"] = static_cast<double>(TileCache::shared().bytes()) / (1024.0 * 1024.0);
    s.counters["entries"] = static_cast<double>(TileCache::shared().count());
  }
}

void BM_FillToBudget(benchmark::State& s) {
  for (auto _ : s) {
    resetCache();
    BenchView v;
    const float x0 = v.state.view.centerX;
    for (int step = 0; step < 40 && TileCache::shared().stats().evictions == 0; ++step) {
      v.state.view.centerX = x0 + 1500.0f * static_cast<float>(step % 8);
      v.state.view.centerY = 2000.0f + 1000.0f * static_cast<float>(step / 8);
      v.state.view.eraIndex = step % 3;
      v.compose();
    }
    s.counters["MiB"] = static_cast<double>(TileCache::shared().bytes()) / (1024.0 * 1024.0);
    s.counters["budgetMiB"] = static_cast<double>(TileCache::shared().budget()) / (1024.0 * 1024.0);
    s.counters["entries"] = static_cast<double>(TileCache::shared().count());
    s.counters["evictions"] = static_cast<double>(TileCache::shared().stats().evictions);
  }
}

}  // namespace

BENCHMARK(BM_CachedFullRedraw)->Arg(0)->Arg(1)->Arg(2)->ArgName("era")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RedrawWithoutTiles)->Arg(1)->Arg(0)->ArgName("altitude")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyFloor)->Arg(0)->Arg(1)->Arg(2)->ArgName("era")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_EraStep)->Arg(1)->Arg(0)->ArgName("cached")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SwipeFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LensFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BlendFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SideBySide)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HalfWidthPair)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DragStep)->Arg(1)->Arg(0)->ArgName("cached")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StepAllErasTwice)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FillToBudget)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
