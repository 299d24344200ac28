#include "cli/RenderCommand.h"

#include <QDir>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/DatasetLoader.h"
#include "cli/CliCommon.h"
#include "cli/CompareOptions.h"
#include "cli/OnlineOptions.h"
#include "cli/ViewOptions.h"
#include "model/ProgramState.h"
#include "platform/AtomicFile.h"
#include "render/ImageLibrary.h"
#include "render/ViewComposer.h"

namespace kavalo {

namespace {

// A rendered view is written out once: it is never dragged nor drawn again,
// and the legend is a window of its own, so a rendered view has none.
class HeadlessHooks : public ComposeHooks {
 public:
  bool keepDragSnapshot() const override { return false; }
  bool keepStretched() const override { return false; }
};

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
  applyOnlineOptions(options, state, prompts);
  if (state.view.showAltitude) EnsureElevation(state, prompts);
  // A single view keeps no drag snapshot; a comparison makes its frames from
  // the snapshots of both eras, taken before their overlays.
  HeadlessHooks single;
  ComposeHooks comparing;
  ComposeHooks& hooks = options.has(QStringLiteral("--compare")) ? comparing : single;
  if (!renderCompare(options, state, hooks, &error)) {
    printError(error);
    return 1;
  }

  const QImage& picture = state.picPrint;
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
  return 0;
}

}  // namespace kavalo
