// SPDX-License-Identifier: MIT
#include "cli/FetchAgencyCommand.h"

#include <QCoreApplication>

#include <algorithm>

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
  cmd.summary = QCoreApplication::translate("kavalo::FetchAgencyCommand",
                                            "Adds an era from the mapping agency's tiles to the data folder.");
  cmd.description = QCoreApplication::translate(
      "kavalo::FetchAgencyCommand",
      "--source 0 the agency's base map, 1 the national air photos of period P (--period, required for them and "
      "only for them: a period the data folder offers and lacks), 2 the orthophoto; stitched from the agency's "
      "pieces into the folder's own tiles. Every question is answered Yes; the closing message goes to standard "
      "output. --tile-server and --portal override agency_tiles and agency_portal of servers.txt (and "
      "KAVALO_AGENCY_TILES, KAVALO_AGENCY_PORTAL). Status 0 when an era was added. A run that fails leaves "
      "nothing behind.");
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
  if (!options.has(QStringLiteral("--source")))
    return usageError(cmd, QStringLiteral("--source 0|1|2 is required (0 base map, 1 air photos, 2 orthophoto)"));
  if (!intOption(options, QStringLiteral("--source"), 0, 2, choice.source, &error) ||
      !intOption(options, QStringLiteral("--period"), 0, 5, choice.periodCode, &error))
    return usageError(cmd, error);
  if (choice.source == kAgencyAirPhotoSource && !options.has(QStringLiteral("--period")))
    return usageError(cmd, QStringLiteral("--period P is needed for the air photos (--source 1)"));
  if (choice.source != kAgencyAirPhotoSource && options.has(QStringLiteral("--period")))
    return usageError(cmd, QStringLiteral("--period goes with the air photos (--source 1) only"));

  ProgramState state;
  CliPrompts loadPrompts;
  if (const CliStatus loaded = loadForCli(options, state, loadPrompts, ElevationLoad::WithDataset, true); !loaded)
    return loaded.status();
  if (choice.source == kAgencyAirPhotoSource) {
    const std::vector<int> open = availablePeriods(state.eras, state.mapInfo.orthoFlags);
    if (std::find(open.begin(), open.end(), choice.periodCode) == open.end()) {
      QStringList offered;
      for (int code : open) offered << QString::number(code);
      return usageError(cmd, QStringLiteral("period %1 is not offered by this dataset, or it has it already "
                                            "(offered: %2)")
                                 .arg(choice.periodCode)
                                 .arg(offered.isEmpty() ? QStringLiteral("none") : offered.join(QStringLiteral(", "))));
    }
  }
  const ServerSettings servers = readServerSettings(state.rootFolder);
  const QString tiles = normalizedServiceBase(options.get(QStringLiteral("--tile-server"), servers.agencyTiles));
  const QString portal = normalizedServiceBase(options.get(QStringLiteral("--portal"), servers.agencyPortal));
  FetchPrompts prompts;
  const RunOutcome out = runAgencyAcquisition(state, tiles, portal, choice, fetchContext(prompts));
  return finishFetch(out, prompts);
}

}  // namespace kavalo
