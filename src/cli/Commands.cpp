#include "cli/Commands.h"

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

const QString kExitStatusText = QStringLiteral(
    "0 when the command did its work; 1 when the work failed (standard error says what: a RootFolder or data folder "
    "that is missing, a file that cannot be read or written, a server that does not answer); 2 for a usage error: "
    "an unknown command or option, a missing option, a value out of range or an option that does not apply.");

const QString kEnvironmentText[][2] = {
    {QStringLiteral("KAVALO_WEB_BASE"),
     QStringLiteral("The dataset's web folder (server check, server list, tiles on demand), e.g. "
                    "http://127.0.0.1:8080/kavalo/; --web-base overrides it. Like the other addresses it can also be "
                    "set in servers.txt in the RootFolder (key web_base).")},
    {QStringLiteral("KAVALO_AGENCY_TILES, KAVALO_AGENCY_PORTAL"),
     QStringLiteral("The mapping agency's tile server and web portal (fetch-agency; --tile-server and --portal "
                    "override them).")},
    {QStringLiteral("KAVALO_WMS, KAVALO_WMS_SITE"),
     QStringLiteral("The research institute's map service and web site (fetch-rapid-survey; --wms and --site).")},
    {QStringLiteral("KAVALO_XYZ"), QStringLiteral("The tile template of fetch-xyz ({z}/{x}/{y}; --url).")},
    {QStringLiteral("QT_LOGGING_RULES"),
     QStringLiteral("Turns log categories on, e.g. \"kavalo.*=true\" (kavalo.net, kavalo.render, kavalo.data); "
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
      "usage: kavalo-cli [--verbose] COMMAND [OPTIONS]\n"
      "       kavalo-cli COMMAND --help\n"
      "       kavalo-cli --help | --version\n\n");
  text += wrapParagraphs(QStringLiteral("Loads a data folder exactly as the window does and works on it without a "
                                        "display. Commands:"),
                         79, 0);
  for (const CliCommand& c : cliCommands()) {
    const CommandSpec cmd = c.describe();
    text += QStringLiteral("  %1").arg(cmd.name, -20) + cmd.summary + u'\n';
  }
  text += u'\n' + cliSynopsisBlock() + u'\n';
  text += wrapParagraphs(QStringLiteral("--verbose (before or after the command) turns the log messages on. "
                                        "Exit status: ") +
                             kExitStatusText,
                         79, 0);
  return text;
}

HelpDocument cliHelpDocument() {
  HelpDocument doc;
  doc.name = QStringLiteral("kavalo-cli");
  doc.summary = QStringLiteral("the command line of Kavalo, for dataset authors and scripts");
  doc.source = QStringLiteral("Kavalo ") + programVersion();
  HelpSection synopsis{QStringLiteral("SYNOPSIS"), QString(), {}};
  synopsis.entries.push_back({QString(),
                              QStringLiteral("kavalo-cli [--verbose] COMMAND [OPTIONS]\n"
                                             "kavalo-cli COMMAND --help\n"
                                             "kavalo-cli --help | --version"),
                              true});
  doc.sections.push_back(synopsis);
  doc.sections.push_back(
      {QStringLiteral("DESCRIPTION"),
       QString(),
       {{QString(),
         QStringLiteral("kavalo-cli loads a RootFolder and one of its data folders exactly as kavalo(1) does and "
                        "works on it without a display: it prints what was loaded, composes views into pictures, "
                        "reads the cursor readout, exports and prints, fetches new eras and map-sheet packages, and "
                        "publishes a data folder as a web folder. The views are drawn through the same "
                        "composition as the window's, on the offscreen platform."),
         false}}});
  for (const CliCommand& c : cliCommands()) {
    const CommandSpec cmd = c.describe();
    HelpSection section{QStringLiteral("COMMANDS"), cmd.name, {}};
    section.entries.push_back({QString(), synopsisLines(cmd, QStringLiteral("kavalo-cli ")).trimmed(), true});
    section.entries.push_back({QString(), cmd.summary + QStringLiteral("\n\n") + cmd.description, false});
    doc.sections.push_back(section);
  }
  doc.sections.push_back(
      {QStringLiteral("OPTIONS"),
       QString(),
       {{QStringLiteral("--help, -h"),
         QStringLiteral("Prints the usage (after a command: the command's usage and description) and exits."), false},
        {QStringLiteral("--version"), QStringLiteral("Prints the program's name and version and exits."), false},
        {QStringLiteral("--verbose"),
         QStringLiteral("Turns the log categories on (kavalo.net, kavalo.render, kavalo.data): every failed request "
                        "with its address, status and reason, and the folders read, on standard error."),
         false}}});
  doc.sections.push_back({QStringLiteral("EXIT STATUS"), QString(), {{QString(), kExitStatusText, false}}});
  HelpSection environment{QStringLiteral("ENVIRONMENT"), QString(), {}};
  for (const auto& entry : kEnvironmentText) environment.entries.push_back({entry[0], entry[1], false});
  doc.sections.push_back(environment);
  doc.sections.push_back({QStringLiteral("SEE ALSO"), QString(), {{QString(), QStringLiteral("kavalo(1)"), false}}});
  return doc;
}

}  // namespace kavalo
