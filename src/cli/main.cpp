// kavalo-cli: the dataset summary, headless rendering and point queries for
// dataset authors and scripts. It loads a data folder exactly as the window
// does and draws through the same composition, on the offscreen platform.
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <new>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "model/Settings.h"
#include "platform/Codec.h"
#include "platform/HelpText.h"
#include "platform/Logging.h"
#include "platform/RuntimeFolder.h"

using namespace kavalo;

namespace {

int usage(const QString& reason) {
  if (!reason.isEmpty()) printError(reason);
  std::fputs("usage: kavalo-cli [--verbose] COMMAND [OPTIONS]   (kavalo-cli --help lists the commands)\n", stderr);
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  // What needs no data is answered before anything starts: the manual page
  // is written by the build, where there may be no fonts nor display.
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    if (a[0] != '-') break;  // the command: its own options follow
    if (std::strcmp(a, "--version") == 0) {
      std::printf("kavalo-cli %s\n", programVersion().toUtf8().constData());
      return kExitOk;
    }
    if (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0) {
      std::fputs(cliHelpText().toUtf8().constData(), stdout);
      return kExitOk;
    }
    if (std::strcmp(a, "--man") == 0) {
      std::fputs(manPageText(cliHelpDocument()).toUtf8().constData(), stdout);
      return kExitOk;
    }
  }
  // Text is drawn without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ensureRuntimeFolder();
  QGuiApplication app(argc, argv);
  QStringList args = QCoreApplication::arguments();
  args.removeFirst();
  while (!args.isEmpty() && args.first().startsWith(u'-')) {
    const QString option = args.takeFirst();
    if (option != kVerboseSwitch) return usage(QStringLiteral("unknown option '%1'").arg(option));
    setupLogging(true);
  }
  if (args.isEmpty()) return usage(QStringLiteral("no command given"));
  if (!sjisAvailable()) {
    printError(QStringLiteral("Shift-JIS conversion is not available in this Qt build"));
    return kExitFailed;
  }
  const QString command = args.takeFirst();
  if (command == u"help") {
    std::fputs(cliHelpText().toUtf8().constData(), stdout);
    return kExitOk;
  }
  for (const CliCommand& c : cliCommands()) {
    if (c.describe().name != command) continue;
    try {
      return c.run(args);
    } catch (const std::bad_alloc&) {
      printError(QStringLiteral("out of memory"));
      return kExitFailed;
    }
  }
  return usage(QStringLiteral("unknown command '%1'").arg(command));
}
