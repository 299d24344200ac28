// SPDX-License-Identifier: MIT
// kavalo-cli: the dataset summary, headless rendering and point queries for
// dataset authors and scripts. It loads a data folder exactly as the window
// does and draws through the same composition, on the offscreen platform.
#include <QGuiApplication>
#include <QLocale>
#include <QStringList>

#include <cstdio>
#include <new>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "model/Settings.h"
#include "platform/Codec.h"
#include "platform/HelpText.h"
#include "platform/Language.h"
#include "platform/Logging.h"
#include "platform/RuntimeFolder.h"

using namespace kavalo;

namespace {

int usage(const QString& reason) {
  if (!reason.isEmpty()) printError(reason);
  std::fputs("usage: kavalo-cli [--verbose] [--lang LANG] COMMAND [OPTIONS]   (kavalo-cli --help lists the commands)\n",
             stderr);
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  // What needs no data is answered before anything starts: the manual page
  // is written by the build, where there may be no fonts nor display. Help
  // speaks the language asked for.
  QString langOption;
  {
    QCoreApplication early(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    langOption = takeLanguageOption(&args);
    if (!langOption.isEmpty() && !isLanguageChoice(langOption))
      return usage(QStringLiteral("unknown language '%1' (system, %2)")
                       .arg(langOption, shippedLanguages().join(QStringLiteral(", "))));
    installLanguage(resolveLanguage(langOption, QLocale::system().uiLanguages()), false);
    for (const QString& a : args) {
      if (!a.startsWith(u'-')) break;  // the command: its own options follow
      if (a == u"--version") {
        std::printf("kavalo-cli %s\n", programVersion().toUtf8().constData());
        return kExitOk;
      }
      if (a == u"--help" || a == u"-h") {
        std::fputs(cliHelpText().toUtf8().constData(), stdout);
        return kExitOk;
      }
      if (a == u"--man") {
        std::fputs(manPageText(cliHelpDocument()).toUtf8().constData(), stdout);
        return kExitOk;
      }
    }
  }
  // Text is drawn without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ensureRuntimeFolder();
  QGuiApplication app(argc, argv);
  dropQtNetworkNoise();
  // Messages of the shared code (a broken file, a missing era) follow the
  // interface language; the command's own words and outputs are the same in
  // every language.
  installLanguage(resolveLanguage(langOption, QLocale::system().uiLanguages()), false);
  QStringList args = QCoreApplication::arguments();
  args.removeFirst();
  takeLanguageOption(&args);
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
