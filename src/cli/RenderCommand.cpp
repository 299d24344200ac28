#include "cli/RenderCommand.h"

#include <QDir>
#include <QEventLoop>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/DatasetLoader.h"
#include "cli/CliCommon.h"
#include "cli/CompareOptions.h"
#include "cli/OnlineOptions.h"
#include "cli/ViewOptions.h"
#include "model/ProgramState.h"
#include "net/OnlineMode.h"
#include "net/TileDownloads.h"
#include "platform/AtomicFile.h"
#include "render/ImageLibrary.h"
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
      "render --root DIR [--dataset N] [--era I] [--center X,Y] [--zoom Z] [--size WxH]\n"
      "                         [--mm-per-px F] [--layers tiles,altitude,lines,scale,legend,marks]\n"
      "                         [--online [--web-base URL]] -o FILE.png|-\n"
      "                         [--compare B [--mode side|swipe|lens|blend] [--split X] [--lens X,Y,R] [--opacity P]]");
  cmd.valueOptions = viewOptionNames() << QStringLiteral("-o") << onlineValueOptions();
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
  if (!options.has(QStringLiteral("-o"))) {
    printError(QStringLiteral("-o FILE.png is required (- for standard output)"));
    return 2;
  }
  const bool toStandardOutput = options.get(QStringLiteral("-o")) == u"-";
  const QString output = toStandardOutput
                             ? QString()
                             : QDir::cleanPath(QDir::current().absoluteFilePath(options.get(QStringLiteral("-o"))));

  ProgramState state;
  CliPrompts prompts;
  // The elevation grid is the largest file of a data folder: it is read only
  // for a view that shows its colours.
  if (!loadForCli(options, state, prompts, ElevationLoad::OnDemand)) return 1;
  if (!applyViewOptions(options, state, &error)) {
    printError(error);
    return 1;
  }
  const bool online = options.has(QStringLiteral("--online"));
  if (!applyOnlineOptions(options, state, prompts)) {
    printError(QStringLiteral("the server check failed: nothing was fetched"));
    return 1;
  }
  if (state.view.showAltitude) EnsureElevation(state, prompts);
  // A rendered view is written out once: it is never dragged nor drawn again,
  // and the legend is a window of its own, so a rendered view has none.
  const ViewRequest view = currentViewRequest(state, RenderPass::Export);
  QImage picture;
  TileDownloads downloads;
  // As in the window: the first tile that cannot be fetched ends the
  // fetching, with the window's message.
  QObject::connect(&downloads, &TileDownloads::fetchFailed, &downloads, [&](const QString&, const QString&) {
    TileFetchFailed(state, prompts, OnlineView{});
    downloads.reset();
  });
  if (!renderCompare(options, state, view, picture, &downloads, &error)) {
    printError(error);
    return 1;
  }
  bool fetchFailed = false;
  if (online && downloads.busy()) {
    // The first composition asked for the tiles missing on disk, all at once;
    // once they are in, the view is composed again with them.
    QEventLoop loop;
    QObject::connect(&downloads, &TileDownloads::busyChanged, &loop, [&](bool busy) {
      if (!busy) loop.quit();
    });
    if (downloads.busy()) loop.exec();
    fetchFailed = downloads.counts().failed > 0;
    if (downloads.counts().fetched > 0 && !renderCompare(options, state, view, picture, nullptr, &error)) {
      printError(error);
      return 1;
    }
  }

  if (picture.isNull()) {
    printError(QStringLiteral("the view could not be composed"));
    return 1;
  }
  // Written once and not kept by the program: the fast setting of the encoder.
  const QByteArray png = encodePngFast(picture);
  if (png.isEmpty()) {
    printError(QStringLiteral("the view could not be encoded as PNG"));
    return 1;
  }
  const bool written = toStandardOutput ? writeToStandardOutput(png, &error) : writeFileAtomically(output, png, &error);
  if (!written) {
    printError(error);
    return 1;
  }
  if (fetchFailed) {
    const TileDownloads::Counts counts = downloads.counts();
    printError(QStringLiteral("%1 of %2 missing tiles could not be fetched; the view was written without them")
                   .arg(counts.failed)
                   .arg(counts.failed + counts.fetched));
    return 1;
  }
  return 0;
}

}  // namespace kavalo
