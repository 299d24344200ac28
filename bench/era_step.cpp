// SPDX-License-Identifier: MIT
// An era step in the window after the user paused: the window shows the
// benchmark region with a map of 1920 x 1080 pixels, waits two and a half
// seconds (the idle prefetch of the eras before and after the one shown has
// its two seconds), and steps to the next era. Printed: the step's time
// against the goal (the whole view in one composition, under 50 ms), the
// compositions it took, and the same step without the pause (the cache of
// decoded tiles emptied, the prefetch not yet started) for comparison.
//
//   bench_era_step --root DIR [--runs N]     (DIR: make-sample-dataset DIR --bench)
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

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  const qsizetype at = args.indexOf(QStringLiteral("--root"));
  if (at < 0 || at + 1 >= args.size()) {
    std::fprintf(stderr, "usage: bench_era_step --root DIR [--runs N]\n");
    return 2;
  }
  const qsizetype runsAt = args.indexOf(QStringLiteral("--runs"));
  const int runs = runsAt >= 0 && runsAt + 1 < args.size() ? std::max(1, args[runsAt + 1].toInt()) : 5;
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
    // After the pause: back to the first era, two and a half seconds idle.
    w.cboAge->setCurrentIndex(0);
    TileCache::shared().clear();
    w.PrintGazo();
    runEvents(2500);
    TilePrefetcher::shared().waitIdle();
    const Step warm = step(w, 1);
    idle.push_back(warm.ms);
    idleCompositions = std::max(idleCompositions, warm.compositions);
  }
  const QSize view = w.picPrint->size();
  std::printf("era step in the window, map %d x %d, median of %d\n", view.width(), view.height(), runs);
  std::printf("  after 2.5 s idle: %7.1f ms, %d composition(s)   goal under 50 ms in one: %s\n", median(idle),
              idleCompositions, median(idle) < 50 && idleCompositions == 1 ? "met" : "NOT met");
  std::printf("  without the pause: %6.1f ms, %d composition(s)   ratio idle / not %.2f\n", median(busy),
              busyCompositions, median(idle) / median(busy));
  w.Form_Unload();
  return 0;
}
