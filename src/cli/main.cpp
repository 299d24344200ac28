// kavalo-cli: the dataset summary, headless rendering and point queries for
// dataset authors and scripts. It loads a data folder exactly as the window
// does and draws through the same composition, on the offscreen platform.
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <new>

#include "cli/CliCommon.h"
#include "cli/ExportCommand.h"
#include "cli/FetchAgencyCommand.h"
#include "cli/FetchPackagesCommand.h"
#include "cli/FetchRapidSurveyCommand.h"
#include "cli/FetchXyzCommand.h"
#include "cli/ImportCommand.h"
#include "cli/InfoCommand.h"
#include "cli/MeasureCommand.h"
#include "cli/PrintCommand.h"
#include "cli/ReadoutCommand.h"
#include "cli/RenderCommand.h"
#include "cli/ShortageCommand.h"
#include "platform/Codec.h"
#include "platform/RuntimeFolder.h"

using namespace kavalo;

namespace {

struct Command {
  CommandSpec (*describe)();
  int (*run)(const QStringList& args);
};

// Every command, in the order the usage lists them.
const Command kCommands[] = {
    {infoCommandSpec, runInfoCommand},
    {renderCommandSpec, runRenderCommand},
    {readoutCommandSpec, runReadoutCommand},
    {exportCommandSpec, runExportCommand},
    {printCommandSpec, runPrintCommand},
    {fetchAgencyCommandSpec, runFetchAgencyCommand},
    {fetchRapidSurveyCommandSpec, runFetchRapidSurveyCommand},
    {fetchXyzCommandSpec, runFetchXyzCommand},
    {shortageCommandSpec, runShortageCommand},
    {fetchPackagesCommandSpec, runFetchPackagesCommand},
    {measureCommandSpec, runMeasureCommand},
    {importCommandSpec, runImportCommand},
};

void printUsage(FILE* to) {
  QString text;
  for (const Command& c : kCommands)
    text += (text.isEmpty() ? QStringLiteral("usage: kavalo-cli ") : QStringLiteral("       kavalo-cli ")) +
            c.describe().synopsis + u'\n';
  text += QStringLiteral("Each command takes --help.\n");
  std::fputs(text.toUtf8().constData(), to);
}

}  // namespace

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
    printUsage(stderr);
    return 2;
  }
  const QString command = args.takeFirst();
  if (command == u"--help" || command == u"-h" || command == u"help") {
    printUsage(stdout);
    return 0;
  }
  for (const Command& c : kCommands) {
    if (c.describe().name != command) continue;
    try {
      return c.run(args);
    } catch (const std::bad_alloc&) {
      printError(QStringLiteral("out of memory"));
      return 1;
    }
  }
  printUsage(stderr);
  return 2;
}
