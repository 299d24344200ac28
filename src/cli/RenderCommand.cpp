// SPDX-License-Identifier: MIT
#include "cli/RenderCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/DatasetLoader.h"
#include "cli/CliCommon.h"
#include "cli/CompareOptions.h"
#include "cli/LegendLayer.h"
#include "cli/OnlineOptions.h"
#include "cli/ViewOptions.h"
#include "model/ProgramState.h"
#include "net/OnlineMode.h"
#include "net/TileDownloads.h"
#include "platform/AtomicFile.h"
#include "render/ImageLibrary.h"
#include "render/ProgressiveRender.h"
#include "render/TilePrefetcher.h"
#include "render/ViewComposer.h"

namespace kavalo {

namespace {

bool writeToStandardOutput(const QByteArray& bytes, QString* error) {
  const size_t written = std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
  if (written != static_cast<size_t>(bytes.size()) || std::fflush(stdout) != 0) {
    if (error)
      *error = QStringLiteral("cannot write to standard output: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
    return false;
  }
  return true;
}

}  // namespace

CommandSpec renderCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("render");
  cmd.synopsis = QStringLiteral(
      "render --root DIR [--dataset N] [--link LINK] [--era I] [--center X,Y] [--zoom Z] [--size WxH]\n"
      "[--mm-per-px F] [--layers tiles,altitude,lines,scale,legend,marks] [--overlay FILE...]\n"
      "[--online [--web-base URL]] -o FILE.png|-\n"
      "[--compare B [--mode side|swipe|lens|blend] [--split X] [--lens X,Y,R] [--opacity P]]");
  cmd.summary = QCoreApplication::translate("kavalo::RenderCommand",
                                            "Composes a view exactly as the window does and writes it as PNG.");
  cmd.description = QCoreApplication::translate(
      "kavalo::RenderCommand",
      "The view: era I (an index of the era table), centre X,Y in image pixels, zoom Z in percent (50 to 400), a "
      "picture of W x H pixels and F millimetres per screen pixel; by default the view saved for the data folder, "
      "1000x700 and 25.4/96 mm. --link kavalo://view?… names the data folder, era, centre and zoom at once (the "
      "other options override it). --layers lists what is drawn (by default the switches that are on at start); the "
      "elevation grid is read only when the altitude layer is on. legend puts the era's legend picture at its own "
      "size into the top-right corner of the view, where the legend window stands beside the map, and is refused "
      "(status 2) for an era without a legend or with --compare. --overlay draws a GPX, KML, KMZ, GeoJSON or "
      "Shapefile over the map (once per file, in order); a file that cannot be read is status 1. -o - writes "
      "the PNG to standard output.\n\n"
      "With --compare B the view's era is compared with era B as the window shows it: side by side, a swipe at "
      "view x X (--split), a lens at X,Y of radius R (--lens, view pixels), or era B blended over it at P percent "
      "(--opacity).\n\n"
      "--online switches online first, as a click on the indicator does (the server check of the dataset's web "
      "folder, --web-base or KAVALO_WEB_BASE or servers.txt), and fetches missing tiles while drawing. When the "
      "server check fails or a tile cannot be fetched the picture is still written, without those tiles, and the "
      "status is 1.");
  cmd.valueOptions = viewOptionNames() << overlayOptionNames() << QStringLiteral("-o") << onlineValueOptions();
  cmd.valueOptions << compareOptionNames();
  cmd.switches = onlineSwitches();
  return cmd;
}

int runRenderCommand(const QStringList& args) {
  CliOptions options;
  QString error;
  const CommandSpec cmd = renderCommandSpec();
  const ParseOutcome outcome = parseCommand(cmd, args, options, &error);
  if (outcome != ParseOutcome::Ok) return finishParse(cmd, outcome, error);
  if (!options.has(QStringLiteral("-o")))
    return usageError(cmd, QStringLiteral("-o FILE.png is required (- for standard output)"));
  if (options.has(QStringLiteral("--web-base")) && !options.has(QStringLiteral("--online")))
    return usageError(cmd, QStringLiteral("--web-base goes with --online"));
  const bool toStandardOutput = options.get(QStringLiteral("-o")) == u"-";
  const QString output = toStandardOutput
                             ? QString()
                             : QDir::cleanPath(QDir::current().absoluteFilePath(options.get(QStringLiteral("-o"))));

  ProgramState state;
  CliPrompts prompts;
  // The elevation grid is the largest file of a data folder: it is read only
  // for a view that shows its colours.
  if (const CliStatus loaded = loadForCli(options, state, prompts, ElevationLoad::OnDemand); !loaded)
    return loaded.status();
  if (!applyViewOptions(options, state, &error)) return usageError(cmd, error);
  if (const CliStatus opened = applyOverlayOptions(options, state); !opened) return opened.status();
  const bool comparing = options.has(QStringLiteral("--compare"));
  CompareView compareView;
  if (comparing ? !readCompareOptions(options, state, compareView, &error)
                : !compareOptionsNeedCompare(options, &error))
    return usageError(cmd, error);
  QImage legend;
  if (state.view.showLegend) {
    if (comparing) return usageError(cmd, QStringLiteral("--layers legend goes with a single era, not with --compare"));
    bool notApplicable = false;
    legend = legendForView(state, &error, &notApplicable);
    if (notApplicable) return usageError(cmd, error);
    if (legend.isNull()) {
      printError(error);
      return kExitFailed;
    }
  }
  const bool online = options.has(QStringLiteral("--online"));
  TileDownloads downloads;
  // The files are asked for once, in the order they are drawn: each
  // connection goes on to its next file the moment an answer ends.
  downloads.setLookAhead(TileDownloads::kPerHost);
  // Each tile is decoded as it arrives, while the others are on their way:
  // the composition then finds them decoded.
  QObject::connect(&downloads, &TileDownloads::fileFetched, &downloads,
                   [](const QString& path, bool) { TilePrefetcher::shared().requestFile(path); });
  // Online, a single view is composed and compressed a band at a time while
  // its tiles arrive.
  std::unique_ptr<ProgressiveRender> bands;
  // As in the window: the first tile that cannot be fetched ends the
  // fetching, with the window's message.
  QObject::connect(&downloads, &TileDownloads::fetchFailed, &downloads, [&](const QString&, const QString&) {
    // The bands read the session, which goes offline now: they stop, and
    // the view is composed whole from what is on disk.
    if (bands) bands->halt();
    TileFetchFailed(state, prompts, OnlineView{});
    downloads.reset();
  });
  // The server check goes out with the view's first tiles, on the same
  // connections, so that going online costs no round trip of its own; what
  // the tiles brought is dropped when the check fails.
  auto checkWithTiles = [&](const QString& url) {
    downloads.startServerCheck(url);
    ViewRequest first = currentViewRequest(state, RenderPass::Export);
    first.tiles = TilePolicy::DiskAndNetwork;
    askForTiles(state, first, downloads);
    if (comparing) {
      first.eraIndex = compareView.eraB;
      first.viewId = 1;
      askForTiles(state, first, downloads);
    }
    bool answered = false;
    QEventLoop loop;
    QObject::connect(&downloads, &TileDownloads::serverChecked, &loop, [&](bool ok) {
      answered = ok;
      loop.quit();
    });
    if (downloads.checking()) loop.exec();
    // After a failed check the tiles still under way end by themselves
    // (at once, when the server is gone); nothing of them is kept.
    if (!answered) {
      QEventLoop drain;
      QObject::connect(&downloads, &TileDownloads::busyChanged, &drain, [&](bool busy) {
        if (!busy) drain.quit();
      });
      if (downloads.busy()) drain.exec();
    }
    return answered;
  };
  // A failed server check leaves the program offline: the view is still
  // written, from what is on disk, and the status says what was missing.
  applyOnlineOptions(options, state, prompts, checkWithTiles);
  if (state.view.showAltitude) EnsureElevation(state, prompts);
  // A rendered view is written out once: it is never dragged nor drawn again.
  // The legend window has no place in it: its picture is drawn in afterwards.
  const ViewRequest view = currentViewRequest(state, RenderPass::Export);
  QImage picture;
  QByteArray png;
  if (online && state.view.onlineMode) {
    // Every file the view lacks is asked for at once (both eras of a
    // comparison), and the view is composed once they are in.
    askForTiles(state, view, downloads);
    if (comparing) {
      ViewRequest eraB = view;
      eraB.eraIndex = compareView.eraB;
      eraB.viewId = 1;
      askForTiles(state, eraB, downloads);
    } else if (legend.isNull()) {
      bands = std::make_unique<ProgressiveRender>(state, view);
      if (!bands->usable()) bands.reset();
    }
    QEventLoop loop;
    QObject::connect(&downloads, &TileDownloads::busyChanged, &loop, [&](bool busy) {
      if (!busy) loop.quit();
    });
    QObject::connect(&downloads, &TileDownloads::fileFetched, &loop, [&](const QString& path, bool) {
      if (bands) bands->fileArrived(path);
    });
    if (downloads.busy()) loop.exec();
    // A band that failed leaves the whole composition to do.
    if (bands && state.view.onlineMode && !bands->finish(picture, png)) png.clear();
    bands.reset();
  }
  if (png.isEmpty()) {
    if (!renderCompare(options, state, view, picture, nullptr, &error)) {
      printError(error);
      return kExitFailed;
    }
    if (!legend.isNull()) drawLegendCorner(picture, legend);

    if (picture.isNull()) {
      printError(QStringLiteral("the view could not be composed"));
      return kExitFailed;
    }
    // Written once and not kept by the program: the fast setting of the
    // encoder.
    png = encodePngFast(picture);
    if (png.isEmpty()) {
      printError(QStringLiteral("the view could not be encoded as PNG"));
      return kExitFailed;
    }
  }
  const bool written = toStandardOutput ? writeToStandardOutput(png, &error) : writeFileAtomically(output, png, &error);
  if (!written) {
    printError(error);
    return kExitFailed;
  }
  if (online && !state.view.onlineMode) {
    // The server check failed, or a tile could not be fetched.
    const TileDownloads::Counts counts = downloads.counts();
    if (counts.failed > 0)
      printError(QStringLiteral("--online: %1 of %2 missing tiles could not be fetched; the view was written without "
                                "them")
                     .arg(counts.failed)
                     .arg(counts.failed + counts.fetched));
    else
      printError(QStringLiteral("--online: the server check failed; the view was written from what is on disk"));
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace kavalo
