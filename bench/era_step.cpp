// SPDX-License-Identifier: MIT
// An era step in the window after the user paused: the window shows the
// benchmark region with a map of 1920 x 1080 pixels, waits two seconds (the
// idle prefetch of the eras before and after the one shown starts after one),
// and steps to the next era. Printed: the step's time
// against the goal (the whole view in one composition, under 50 ms), the
// compositions it took, and the same step without the pause (the cache of
// decoded tiles emptied, the prefetch not yet started) for comparison.
//
// With --latency-ms, the same online: the window shows a copy of the region
// whose era folders are empty and fetches what it lacks from a server on
// 127.0.0.1 that answers each request LATENCY ms after it came. Each run
// goes to a place not seen yet, waits until its tiles are in and drawn, then
// two seconds, and steps to the next era; compared with the same step taken
// as soon as the place is drawn (it waits for the network).
//
//   bench_era_step --root DIR [--runs N] [--latency-ms MS]   (DIR: make-sample-dataset DIR --bench)
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "platform/Prompts.h"
#include "platform/Screen.h"
#include "render/TileCache.h"
#include "render/TilePrefetcher.h"
#include "model/ProgramState.h"
#include "app/EraPrefetch.h"
#include "net/TileDownloads.h"
#include "support/LatencyRegion.h"

using namespace kavalo;

namespace {

void runEvents(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

struct Step {
  double ms = 0;
  int compositions = 0;
};

// Steps to era and lets the window settle; the step's own time and the
// compositions until nothing more is drawn.
Step step(frmSCR& w, int era) {
  const int before = w.compositionCount();
  QElapsedTimer clock;
  clock.start();
  w.cboAge->setCurrentIndex(era);
  Step s;
  s.ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  TilePrefetcher::shared().waitIdle();
  runEvents(300);
  s.compositions = w.compositionCount() - before;
  return s;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// Runs the window until the view's tiles are in and drawn (the last one is
// drawn as it arrives); the time of the last composition since clock
// started. Returns before the idle prefetch goes out.
double settleView(frmSCR& w, const QElapsedTimer& clock) {
  int seen = w.compositionCount();
  double composedAt = 0;
  QElapsedTimer limit;
  limit.start();
  while (w.tileDownloads().busy() && limit.elapsed() < 30000) {
    runEvents(1);
    if (w.compositionCount() != seen) {
      seen = w.compositionCount();
      composedAt = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    }
  }
  return composedAt;
}

// The view goes to the k-th place of a grid of screens around the start,
// none of whose tiles any era has on disk yet.
void goToPlace(frmSCR& w, float startX, float startY, int k) {
  ProgramState& s = w.state();
  const double perPx = 100.0 / s.view.zoomPercent;
  s.view.centerX = startX + static_cast<float>((k % 5 - 2) * w.picPrint->width() * perPx);
  s.view.centerY = startY + static_cast<float>((k / 5 - 1) * w.picPrint->height() * perPx);
}

int runOnline(const QString& region, int runs, int latencyMs) {
  bench::LatencyRegion server(region, latencyMs);
  if (!server.ok()) return 1;
  ScriptedPrompts prompts;  // every question answered Yes
  ScreenInfo screen;
  frmSCR w(server.root(), screen, prompts);
  w.Form_Load();
  w.show();
  const QSize extra = w.size() - w.picPrint->size();
  w.resize(QSize(1920, 1080) + extra);
  runEvents(100);
  w.lblOffLine_Click();
  if (!w.state().view.onlineMode) {
    std::fprintf(stderr, "the window did not go online\n");
    return 1;
  }
  QElapsedTimer clock;
  clock.start();
  settleView(w, clock);
  const float startX = w.state().view.centerX, startY = w.state().view.centerY;
  std::vector<double> idle, busy, viewTimes, readyTimes;
  int wholeInOne = 0;
  int idleCompositions = 0, fetchedBySteps = 0, tiles = 0;  // tiles of a place; asked for by the steps
  for (int r = 0; r < runs; ++r) {
    // A new place, drawn whole; then two seconds idle; then the step.
    w.cboAge->setCurrentIndex(0);
    goToPlace(w, startX, startY, 2 * r);
    clock.restart();
    w.PrintGazo();
    viewTimes.push_back(settleView(w, clock));
    tiles = static_cast<int>(server.takeUrls(w.state().currentEra().name).size());
    // Two seconds idle, noting when the prefetch had everything.
    QElapsedTimer pause;
    pause.start();
    double readyAt = -1;
    while (pause.elapsed() < 2000) {
      runEvents(5);
      if (readyAt < 0 && pause.elapsed() >= 100 && w.tileDownloads().pending() == 0)
        readyAt = static_cast<double>(pause.elapsed());
    }
    readyTimes.push_back(readyAt < 0 ? 2000 : readyAt);
    // Whole in one composition: the step's composition asked for nothing.
    w.tileDownloads().dropView(EraPrefetch::kViewId);
    const int pendingBefore = w.tileDownloads().pending();
    QElapsedTimer stepClock;
    stepClock.start();
    const int before = w.compositionCount();
    w.cboAge->setCurrentIndex(1);
    idle.push_back(static_cast<double>(stepClock.nsecsElapsed()) / 1e6);
    const int asked = w.tileDownloads().pending() - pendingBefore;
    fetchedBySteps += asked;
    runEvents(300);
    const int compositions = w.compositionCount() - before;
    idleCompositions = std::max(idleCompositions, compositions);
    wholeInOne += compositions == 1 && asked == 0 ? 1 : 0;
    // Another new place; the step as soon as it is drawn, until whole.
    w.cboAge->setCurrentIndex(0);
    goToPlace(w, startX, startY, 2 * r + 1);
    clock.restart();
    w.PrintGazo();
    settleView(w, clock);
    server.takeUrls();
    clock.restart();
    w.cboAge->setCurrentIndex(1);
    busy.push_back(settleView(w, clock));
  }
  const QSize view = w.picPrint->size();
  std::printf("era step in the window online at %d ms, map %d x %d (%d tiles a place), median of %d\n", latencyMs,
              view.width(), view.height(), tiles, runs);
  std::printf("  the place drawn whole in                  %7.1f ms\n", median(viewTimes));
  std::printf("  the next era fetched %7.1f ms after that (median; the slowest %.0f ms)\n",
              median(readyTimes), *std::max_element(readyTimes.begin(), readyTimes.end()));
  std::printf("  steps whole in one composition: %d of %d\n", wholeInOne, runs);
  std::printf("  after 2 s idle: %7.1f ms, %d composition(s), %d tile(s) asked for by the steps   goal under 50 ms in "
              "one: %s\n",
              median(idle), idleCompositions, fetchedBySteps,
              median(idle) < 50 && idleCompositions == 1 && fetchedBySteps == 0 ? "met" : "NOT met");
  std::printf("  without the pause, until whole: %7.1f ms   ratio idle / not %.3f\n", median(busy),
              median(idle) / median(busy));
  w.Form_Unload();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  const qsizetype at = args.indexOf(QStringLiteral("--root"));
  if (at < 0 || at + 1 >= args.size()) {
    std::fprintf(stderr, "usage: bench_era_step --root DIR [--runs N] [--latency-ms MS]\n");
    return 2;
  }
  const qsizetype runsAt = args.indexOf(QStringLiteral("--runs"));
  const int runs = runsAt >= 0 && runsAt + 1 < args.size() ? std::max(1, args[runsAt + 1].toInt()) : 5;
  const qsizetype latencyAt = args.indexOf(QStringLiteral("--latency-ms"));
  if (latencyAt >= 0 && latencyAt + 1 < args.size())
    return runOnline(args[at + 1], std::min(runs, 12), args[latencyAt + 1].toInt());
  ScriptedPrompts prompts;
  ScreenInfo screen;
  frmSCR w(args[at + 1], screen, prompts);
  w.Form_Load();
  w.show();
  // The map view at 1920 x 1080.
  const QSize extra = w.size() - w.picPrint->size();
  w.resize(QSize(1920, 1080) + extra);
  runEvents(100);
  w.PrintGazo();
  TilePrefetcher::shared().waitIdle();
  runEvents(300);
  const int eras = w.cboAge->count();
  if (eras < 2) {
    std::fprintf(stderr, "the region needs two eras at least\n");
    return 1;
  }
  std::vector<double> idle, busy;
  int idleCompositions = 0, busyCompositions = 0;
  for (int r = 0; r < runs; ++r) {
    // Without the pause: nothing decoded, the prefetch not started.
    w.cboAge->setCurrentIndex(0);
    TilePrefetcher::shared().waitIdle();
    runEvents(50);
    TileCache::shared().clear();
    const Step cold = step(w, 1);
    busy.push_back(cold.ms);
    busyCompositions = std::max(busyCompositions, cold.compositions);
    // After the pause: back to the first era, two seconds idle.
    w.cboAge->setCurrentIndex(0);
    TileCache::shared().clear();
    w.PrintGazo();
    runEvents(2000);
    const Step warm = step(w, 1);
    idle.push_back(warm.ms);
    idleCompositions = std::max(idleCompositions, warm.compositions);
  }
  const QSize view = w.picPrint->size();
  std::printf("era step in the window, map %d x %d, median of %d\n", view.width(), view.height(), runs);
  std::printf("  after 2 s idle: %7.1f ms, %d composition(s)   goal under 50 ms in one: %s\n", median(idle),
              idleCompositions, median(idle) < 50 && idleCompositions == 1 ? "met" : "NOT met");
  std::printf("  without the pause: %6.1f ms, %d composition(s)   ratio idle / not %.2f\n", median(busy),
              busyCompositions, median(idle) / median(busy));
  w.Form_Unload();
  return 0;
}
