#include "cli/FetchAgencyCommand.h"

#include "cli/FetchCommon.h"
#include "net/AgencyTiles.h"
#include "net/EraAppend.h"
#include "net/ServerSettings.h"

namespace kavalo {

CommandSpec fetchAgencyCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("fetch-agency");
  cmd.synopsis = QStringLiteral(
      "fetch-agency --root DIR [--dataset N] --source 0|1|2 [--period P] [--tile-server URL] [--portal URL]");
  cmd.valueOptions = {QStringLiteral("--root"),   QStringLiteral("--dataset"),     QStringLiteral("--source"),
                      QStringLiteral("--period"), QStringLiteral("--tile-server"), QStringLiteral("--portal")};
  return cmd;
}

int runFetchAgencyCommand(const QStringList& args) {
  CliOptions options;
  QString error;
  const CommandSpec cmd = fetchAgencyCommandSpec();
  const ParseOutcome outcome = parseCommand(cmd, args, options, &error);
  if (outcome != ParseOutcome::Ok) return finishParse(cmd, outcome, error);
  AgencyChoice choice;
  choice.source = -1;
  if (!options.has(QStringLiteral("--source"))) {
    printError(QStringLiteral("--source 0|1|2 is required (0 base map, 1 air photos, 2 orthophoto)"));
    return 2;
  }
  if (!intOption(options, QStringLiteral("--source"), 0, 2, choice.source) ||
      !intOption(options, QStringLiteral("--period"), 0, 5, choice.periodCode))
    return 2;

  ProgramState state;
  CliPrompts loadPrompts;
  if (!loadForCli(options, state, loadPrompts, ElevationLoad::WithDataset, true)) return 1;
  const ServerSettings servers = readServerSettings(state.rootFolder);
  const QString tiles = normalizedServiceBase(options.get(QStringLiteral("--tile-server"), servers.agencyTiles));
  const QString portal = normalizedServiceBase(options.get(QStringLiteral("--portal"), servers.agencyPortal));
  if (choice.source == kAgencyAirPhotoSource) {
    const std::vector<int> open = availablePeriods(state.eras, state.mapInfo.orthoFlags);
    if (std::find(open.begin(), open.end(), choice.periodCode) == open.end())
      printError(choice.periodCode < 0
                     ? QStringLiteral("--period P is needed for the air photos")
                     : QStringLiteral("period %1 is not offered by this dataset, or it has it already")
                           .arg(choice.periodCode));
  }
  FetchPrompts prompts;
  const RunOutcome out = runAgencyAcquisition(state, tiles, portal, choice, fetchContext(prompts));
  return finishFetch(out, prompts);
}

}  // namespace kavalo
