// SPDX-License-Identifier: MIT
// A pan of half a screen in the window, online: the window shows a copy of
// a region whose era folders are empty, with its map at 1920 x 1080, and
// fetches what it lacks from a server on 127.0.0.1 that answers each request
// LATENCY ms after it came (150 by default). Each pan moves the view half a
// screen to the east; timed is the pan until the composition that shows its
// last tile, and the tail: from the last tile's arrival to that
// composition (what the gathering of arrivals adds). The floor: the same
// addresses fetched by curl, six at a time with its connections opened at
// once (--parallel-immediate), from the same server. Runs interleaved; the
// medians and the ratio are printed.
//
//   bench_pan_online --root DIR [--latency-ms 150] [--runs 5]   (DIR: make-sample-dataset DIR --bench)
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "model/ProgramState.h"
#include "net/TileDownloads.h"
#include "platform/Prompts.h"
#include "platform/Screen.h"
#include "support/LatencyRegion.h"

using namespace kavalo;

namespace {

QString option(const QStringList& args, const QString& name, const QString& fallback) {
  const qsizetype at = args.indexOf(name);
  return at >= 0 && at + 1 < args.size() ? args[at + 1] : fallback;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  const QString region = option(args, QStringLiteral("--root"), QString());
  const int latencyMs = option(args, QStringLiteral("--latency-ms"), QStringLiteral("150")).toInt();
  const int runs = std::max(1, option(args, QStringLiteral("--runs"), QStringLiteral("5")).toInt());
  if (region.isEmpty()) {
    std::fprintf(stderr, "usage: bench_pan_online --root DIR [--latency-ms 150] [--runs 5]\n");
    return 2;
  }
  bench::LatencyRegion server(region, latencyMs);
  if (!server.ok()) return 1;
  const QString root = server.root();

  ScriptedPrompts prompts;  // every question answered Yes
  ScreenInfo screen;
  int status = 0;
  {
    frmSCR w(root, screen, prompts);
    w.Form_Load();
    w.show();
    const QSize extra = w.size() - w.picPrint->size();
    w.resize(QSize(1920, 1080) + extra);
    auto settle = [&](QElapsedTimer* clock, double* lastComposed, double* lastArrival) {
      int seen = w.compositionCount();
      bool wasBusy = true;
      QElapsedTimer limit;
      limit.start();
      while (limit.elapsed() < 20000) {
        QEventLoop loop;
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
        if (w.compositionCount() != seen) {
          seen = w.compositionCount();
          if (clock && lastComposed) *lastComposed = static_cast<double>(clock->nsecsElapsed()) / 1e6;
        }
        const bool busy = w.tileDownloads().busy();
        if (wasBusy && !busy && clock && lastArrival) *lastArrival = static_cast<double>(clock->nsecsElapsed()) / 1e6;
        wasBusy = busy;
        // Settled: nothing pending, and the gathering interval passed.
        if (!busy && clock && lastArrival && *lastArrival > 0 &&
            static_cast<double>(clock->nsecsElapsed()) / 1e6 > *lastArrival + 100)
          return;
        if (!busy && !clock && limit.elapsed() > 500) return;
      }
    };
    w.lblOffLine_Click();
    if (!w.state().view.onlineMode) {
      std::fprintf(stderr, "the window did not go online\n");
      status = 1;
    }
    settle(nullptr, nullptr, nullptr);
    std::vector<double> pans, tails, floors;
    int tiles = 0;
    for (int r = 0; r < runs && status == 0; ++r) {
      server.takeUrls();
      ProgramState& s = w.state();
      s.view.centerX += static_cast<float>(w.picPrint->width() / 2 * 100.0 / s.view.zoomPercent);
      QElapsedTimer clock;
      clock.start();
      double composed = 0, arrival = 0;
      w.PrintGazo();
      settle(&clock, &composed, &arrival);
      pans.push_back(composed);
      tails.push_back(std::max(0.0, composed - arrival));
      const QStringList urls = server.takeUrls(w.state().currentEra().name);
      tiles = static_cast<int>(urls.size());
      QStringList curlArgs = {QStringLiteral("-s"),
                              QStringLiteral("-Z"),
                              QStringLiteral("--parallel-immediate"),
                              QStringLiteral("--parallel-max"),
                              QStringLiteral("6"),
                              QStringLiteral("--fail")};
      for (const QString& u : urls) curlArgs << QStringLiteral("-o") << QStringLiteral("/dev/null") << u;
      QElapsedTimer curlClock;
      curlClock.start();
      QProcess curl;
      curl.start(QStringLiteral("curl"), curlArgs);
      if (!curl.waitForFinished(60000) || curl.exitCode() != 0) {
        std::fprintf(stderr, "curl failed (%d): %s\n", curl.exitCode(), curl.readAllStandardError().constData());
        status = 1;
      }
      floors.push_back(static_cast<double>(curlClock.nsecsElapsed()) / 1e6);
    }
    if (status == 0) {
      std::printf("pan of half a screen online, map %d x %d, %d tiles a pan, %d ms latency, median of %d\n",
                  w.picPrint->width(), w.picPrint->height(), tiles, latencyMs, runs);
      std::printf("  the window, pan to the composition of its last tile %8.1f ms\n", median(pans));
      std::printf("    of which after the last tile arrived                %8.1f ms\n", median(tails));
      std::printf("  curl --parallel-immediate --parallel-max 6           %8.1f ms   ratio %.2f\n", median(floors),
                  median(pans) / median(floors));
    }
    w.Form_Unload();
  }
  return status;
}
