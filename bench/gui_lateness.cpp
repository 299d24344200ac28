// SPDX-License-Identifier: MIT
// How late the window's own timer fires while a long run works: the package
// dialog or the XYZ dialog, driven through its controls against a server,
// with a 10 ms timer on the window's thread. The window keeps up when the
// lateness stays small (the goal: under 50 ms at the 99th percentile).
//
//   bench_gui_lateness --root DIR --mode packages --web-base URL [--repeat N]
//   bench_gui_lateness --root DIR --mode xyz --url TEMPLATE [--zoom Z]
//
// bench/gui-lateness starts the sample server and runs both.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "cli/CliCommon.h"
#include "cli/OnlineOptions.h"
#include "model/ProgramState.h"
#include "net/XyzTiles.h"
#include "net/frmGetTikeizu.h"
#include "net/frmGetXyz.h"
#include "platform/Logging.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "platform/ValueReader.h"

using namespace kavalo;

namespace {

struct Lateness {
  std::vector<double> samples;  // ms past the tick's due time
  QElapsedTimer clock;
  double last = -1;
  void tick() {
    const double now = clock.nsecsElapsed() / 1e6;
    if (last >= 0) samples.push_back(std::max(0.0, now - last - 10.0));
    last = now;
  }
  double percentile(double p) const {
    if (samples.empty()) return 0;
    std::vector<double> s = samples;
    std::sort(s.begin(), s.end());
    return s[std::min(s.size() - 1, static_cast<size_t>(p * (s.size() - 1) + 0.5))];
  }
};

QString option(const QStringList& args, const QString& name, const QString& fallback = QString()) {
  const qsizetype at = args.indexOf(name);
  return at >= 0 && at + 1 < args.size() ? args[at + 1] : fallback;
}

// Runs the dialog's run to its end with the timer going; returns the run's
// time in ms.
template <typename Dialog>
double measure(Dialog& dialog, Lateness& lateness) {
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer, &QTimer::timeout, [&] { lateness.tick(); });
  lateness.clock.start();
  lateness.last = -1;
  timer.start(10);
  QElapsedTimer run;
  run.start();
  dialog.cmdGet->click();
  while (dialog.running()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  return static_cast<double>(run.elapsed());
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  setupLogging(false);
  const QStringList args = QCoreApplication::arguments();
  const QString mode = option(args, QStringLiteral("--mode"));
  CliOptions options;
  options.values[QStringLiteral("--root")] = option(args, QStringLiteral("--root"));
  if (args.contains(QStringLiteral("--web-base")))
    options.values[QStringLiteral("--web-base")] = option(args, QStringLiteral("--web-base"));
  ProgramState state;
  CliPrompts loadPrompts;
  if (!loadForCli(options, state, loadPrompts, ElevationLoad::WithDataset, true)) return 1;
  applyOnlineOptions(options, state, loadPrompts);

  ScriptedPrompts prompts;  // every question answered Yes
  Lateness lateness;
  double ms = 0;  // the runs' time together
  if (mode == u"packages") {
    // The sample's packages come in a fraction of a second: the run is
    // repeated, its eras emptied again each time, and the lateness of all
    // runs taken together.
    const int repeat = option(args, QStringLiteral("--repeat"), QStringLiteral("20")).toInt();
    for (int r = 0; r < repeat; ++r) {
      for (const Era& era : state.eras) {
        if (era.kind != kScannedSheets && era.kind != kTwentyThousand) continue;
        const QString folder = joinPath(state.datasetFolder, u'\\' + era.name);
        ValueReader reader{QString()};
        if (!ValueReader::fromFile(joinPath(folder, state.names[kCheckListFile]), reader, nullptr)) continue;
        QString name;
        while (!reader.atEnd() && reader.readText(name))
          if (!name.isEmpty()) QFile::remove(folder + u'/' + name);
      }
      std::vector<DownloadServer> servers;
      frmGetTikeizu form(state, prompts, servers);
      form.show();
      form.lstData->selectAll();
      ms += measure(form, lateness);
    }
  } else if (mode == u"xyz") {
    frmGetXyz form(state, prompts, networkXyzFetcher(), option(args, QStringLiteral("--url")));
    form.txtZoom->setValue(option(args, QStringLiteral("--zoom"), QStringLiteral("16")).toInt());
    form.optKind[1]->setChecked(true);
    form.txtAttribution->setText(QStringLiteral("sample"));
    form.show();
    ms = measure(form, lateness);
  } else {
    std::fputs("usage: bench_gui_lateness --root DIR --mode packages|xyz [--web-base URL] [--url TEMPLATE]\n", stderr);
    return 2;
  }
  const QStringList messages = prompts.messages();
  std::printf("%s: run %.0f ms, %zu ticks of 10 ms; lateness p50 %.1f ms, p99 %.1f ms, max %.1f ms\n", qPrintable(mode),
              ms, lateness.samples.size(), lateness.percentile(0.5), lateness.percentile(0.99),
              lateness.percentile(1.0));
  std::printf("  the run said: %s\n", messages.isEmpty() ? "(nothing)" : qPrintable(messages.back().simplified()));
  return 0;
}
