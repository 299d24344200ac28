// kavalo-cli: the dataset summary, headless rendering and point queries for
// dataset authors and scripts. It loads a data folder exactly as the window
// does and draws through the same composition, on the offscreen platform.
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/InfoCommand.h"
#include "cli/ReadoutCommand.h"
#include "cli/RenderCommand.h"
#include "platform/Codec.h"
#include "platform/RuntimeFolder.h"

using namespace kavalo;

namespace {
const char* kUsage =
    "usage: kavalo-cli info --root DIR [--dataset N]\n"
    "       kavalo-cli render --root DIR [--dataset N] [--era I] [--center X,Y] [--zoom Z] [--size WxH]\n"
    "                         [--mm-per-px F] [--layers tiles,altitude,lines,scale,legend,marks] -o FILE.png\n"
    "       kavalo-cli readout --root DIR [--dataset N] [view options as for render] [--datum 0|1] --at PX,PY\n";
}

int main(int argc, char** argv) {
  // Text is drawn without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ensureRuntimeFolder();
  QGuiApplication app(argc, argv);
  if (!sjisAvailable()) {
    printError(QStringLiteral("Shift-JIS conversion is not available in this Qt build"));
    return 1;
  }
  QStringList args = QCoreApplication::arguments();
  args.removeFirst();
  if (args.isEmpty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const QString command = args.takeFirst();
  if (command == u"info") return runInfoCommand(args);
  if (command == u"render") return runRenderCommand(args);
  if (command == u"readout") return runReadoutCommand(args);
  std::fputs(kUsage, stderr);
  return 2;
}
