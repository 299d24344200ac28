// SPDX-License-Identifier: MIT
#include "cli/Commands.h"

#include <QCoreApplication>

#include "cli/ErasCommand.h"
#include "cli/ExportCommand.h"
#include "cli/ExportEraCommand.h"
#include "cli/FetchAgencyCommand.h"
#include "cli/FetchPackagesCommand.h"
#include "cli/FetchRapidSurveyCommand.h"
#include "cli/FetchXyzCommand.h"
#include "cli/GeorefCommand.h"
#include "cli/ImportCommand.h"
#include "cli/InfoCommand.h"
#include "cli/MeasureCommand.h"
#include "cli/PrintCommand.h"
#include "cli/PublishCommand.h"
#include "cli/ReadoutCommand.h"
#include "cli/RenderCommand.h"
#include "cli/ShortageCommand.h"
#include "cli/TimelapseCommand.h"
#include "model/Settings.h"

namespace kavalo {

namespace {

// The help is written in English and shown in the interface's language: its
// texts are translated when asked for, never at static initialisation.
QString exitStatusText() {
  return QCoreApplication::translate(
      "kavalo::Commands",
      "0 when the command did its work; 1 when the work failed (standard error says what: a RootFolder or data "
      "folder that is missing, a file that cannot be read or written, a server that does not answer); 2 for a "
      "usage error: an unknown command or option, a missing option, a value out of range or an option that "
      "does not apply.");
}

const char* const kEnvironmentText[][2] = {
    {"KAVALO_WEB_BASE",
     QT_TRANSLATE_NOOP(
         "kavalo::Commands",
         "The dataset's web folder (server check, server list, tiles on demand), e.g. "
         "http://127.0.0.1:8080/kavalo/; --web-base overrides it. Like the other addresses it can also be "
         "set in servers.txt in the RootFolder (key web_base).")},
    {"KAVALO_AGENCY_TILES, KAVALO_AGENCY_PORTAL",
     QT_TRANSLATE_NOOP("kavalo::Commands",
                       "The mapping agency's tile server and web portal (fetch-agency; --tile-server and --portal "
                       "override them).")},
    {"KAVALO_WMS, KAVALO_WMS_SITE",
     QT_TRANSLATE_NOOP("kavalo::Commands",
                       "The research institute's map service and web site (fetch-rapid-survey; --wms and --site).")},
    {"KAVALO_XYZ", QT_TRANSLATE_NOOP("kavalo::Commands", "The tile template of fetch-xyz ({z}/{x}/{y}; --url).")},
    {"QT_LOGGING_RULES",
     QT_TRANSLATE_NOOP("kavalo::Commands",
                       "Turns log categories on, e.g. \"kavalo.*=true\" (kavalo.net, kavalo.render, kavalo.data); "
                       "--verbose does the same for all of them.")},
};

// The synopsis with its continuation lines indented under the first option.
QString synopsisLines(const CommandSpec& cmd, const QString& prefix) {
  const QStringList lines = cmd.synopsis.split(u'\n');
  const QString pad(prefix.size() + cmd.name.size() + 1, u' ');
  QString out;
  for (qsizetype i = 0; i < lines.size(); ++i) out += (i == 0 ? prefix : pad) + lines[i].trimmed() + u'\n';
  return out;
}

}  // namespace

const std::vector<CliCommand>& cliCommands() {
  static const std::vector<CliCommand> commands = {
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
      {publishCommandSpec, runPublishCommand},
      {importCommandSpec, runImportCommand},
      {georefCommandSpec, runGeorefCommand},
      {erasCommandSpec, runErasCommand},
      {measureCommandSpec, runMeasureCommand},
      {timelapseCommandSpec, runTimelapseCommand},
      {exportEraCommandSpec, runExportEraCommand},
  };
  return commands;
}

QString cliSynopsisBlock() {
  QString out;
  for (const CliCommand& c : cliCommands()) out += synopsisLines(c.describe(), QStringLiteral("kavalo-cli "));
  return out;
}

QString cliHelpText() {
  QString text = QStringLiteral(
      "usage: kavalo-cli [--verbose] [--lang LANG] COMMAND [OPTIONS]\n"
      "       kavalo-cli COMMAND --help\n"
      "       kavalo-cli --help | --version\n\n");
  text += wrapParagraphs(
      QCoreApplication::translate("kavalo::Commands",
                                  "Loads a data folder exactly as the window does and works on it without a display. "
                                  "Commands:"),
      79, 0);
  for (const CliCommand& c : cliCommands()) {
    const CommandSpec cmd = c.describe();
    // The summary wrapped under itself, beside the command's name.
    QString entry = wrapParagraphs(cmd.summary, 79, 22);
    entry.replace(0, 22, QStringLiteral("  %1").arg(cmd.name, -20));
    text += entry;
  }
  text += u'\n' + cliSynopsisBlock() + u'\n';
  text += wrapParagraphs(
      QCoreApplication::translate("kavalo::Commands",
                                  "--verbose (before or after the command) turns the log messages on. Exit status: %1")
          .arg(exitStatusText()),
      79, 0);
  return text;
}

HelpDocument cliHelpDocument() {
  HelpDocument doc;
  doc.name = QStringLiteral("kavalo-cli");
  doc.summary =
      QCoreApplication::translate("kavalo::Commands", "the command line of Kavalo, for dataset authors and scripts");
  doc.source = QStringLiteral("Kavalo ") + programVersion();
  HelpSection synopsis{QCoreApplication::translate("kavalo::Commands", "SYNOPSIS"), QString(), {}};
  synopsis.entries.push_back({QString(),
                              QStringLiteral("kavalo-cli [--verbose] [--lang LANG] COMMAND [OPTIONS]\n"
                                             "kavalo-cli COMMAND --help\n"
                                             "kavalo-cli --help | --version"),
                              true});
  doc.sections.push_back(synopsis);
  doc.sections.push_back(
      {QCoreApplication::translate("kavalo::Commands", "DESCRIPTION"),
       QString(),
       {{QString(),
         QCoreApplication::translate(
             "kavalo::Commands",
             "kavalo-cli loads a RootFolder and one of its data folders exactly as kavalo(1) does and "
             "works on it without a display: it prints what was loaded, composes views into pictures, "
             "reads the cursor readout, exports and prints, fetches new eras and map-sheet packages, and "
             "publishes a data folder as a web folder. The views are drawn through the same "
             "composition as the window's, on the offscreen platform."),
         false}}});
  for (const CliCommand& c : cliCommands()) {
    const CommandSpec cmd = c.describe();
    HelpSection section{QCoreApplication::translate("kavalo::Commands", "COMMANDS"), cmd.name, {}};
    section.entries.push_back({QString(), synopsisLines(cmd, QStringLiteral("kavalo-cli ")).trimmed(), true});
    section.entries.push_back({QString(), cmd.summary + QStringLiteral("\n\n") + cmd.description, false});
    doc.sections.push_back(section);
  }
  doc.sections.push_back(
      {QCoreApplication::translate("kavalo::Commands", "OPTIONS"),
       QString(),
       {{QStringLiteral("--help, -h"),
         QCoreApplication::translate(
             "kavalo::Commands", "Prints the usage (after a command: the command's usage and description) and exits."),
         false},
        {QStringLiteral("--version"),
         QCoreApplication::translate("kavalo::Commands", "Prints the program's name and version and exits."), false},
        {QStringLiteral("--lang LANG"),
         QCoreApplication::translate(
             "kavalo::Commands",
             "The language of this help and of the messages relayed from the window's code, given before the "
             "command: ja (Japanese), en (English) or system (the default: Japanese for a Japanese locale, English "
             "for any other). The usage, option errors and machine-readable outputs are the same in every language."),
         false},
        {QStringLiteral("--verbose"),
         QCoreApplication::translate(
             "kavalo::Commands",
             "Turns the log categories on (kavalo.net, kavalo.render, kavalo.data): every failed request "
             "with its address, status and reason, and the folders read, on standard error."),
         false}}});
  doc.sections.push_back({QCoreApplication::translate("kavalo::Commands", "EXIT STATUS"),
                          QString(),
                          {{QString(), exitStatusText(), false}}});
  HelpSection environment{QCoreApplication::translate("kavalo::Commands", "ENVIRONMENT"), QString(), {}};
  for (const auto& entry : kEnvironmentText)
    environment.entries.push_back(
        {QString::fromLatin1(entry[0]), QCoreApplication::translate("kavalo::Commands", entry[1]), false});
  doc.sections.push_back(environment);
  doc.sections.push_back({QCoreApplication::translate("kavalo::Commands", "SEE ALSO"),
                          QString(),
                          {{QString(), QStringLiteral("kavalo(1)"), false}}});
  return doc;
}

}  // namespace kavalo
