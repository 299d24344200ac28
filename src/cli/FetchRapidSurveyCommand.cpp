// SPDX-License-Identifier: MIT
#include "cli/FetchRapidSurveyCommand.h"

#include <QCoreApplication>

#include "cli/FetchCommon.h"
#include "net/ServerSettings.h"

namespace kavalo {

CommandSpec fetchRapidSurveyCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("fetch-rapid-survey");
  cmd.synopsis = QStringLiteral("fetch-rapid-survey --root DIR [--dataset N] [--wms URL] [--site URL]");
  cmd.summary =
      QCoreApplication::translate("kavalo::FetchRapidSurveyCommand",
                                  "Adds or updates the era of the rapid-survey maps from the research institute.");
  cmd.description = QCoreApplication::translate(
      "kavalo::FetchRapidSurveyCommand",
      "Cuts the data folder's tiles from the research institute's map service, for a data folder whose "
      "mapinfo.txt offers the rapid-survey maps (its key for them is 1; status 1 for any other). Every question is "
      "answered Yes; the closing message "
      "goes to standard output. --wms and --site override wms and wms_site of servers.txt (and KAVALO_WMS, "
      "KAVALO_WMS_SITE). Status 0 when the era was added or updated.");
  cmd.valueOptions = {QStringLiteral("--root"), QStringLiteral("--dataset"), QStringLiteral("--wms"),
                      QStringLiteral("--site")};
  return cmd;
}

int runFetchRapidSurveyCommand(const QStringList& args) {
  CliOptions options;
  QString error;
  const CommandSpec cmd = fetchRapidSurveyCommandSpec();
  const ParseOutcome outcome = parseCommand(cmd, args, options, &error);
  if (outcome != ParseOutcome::Ok) return finishParse(cmd, outcome, error);
  ProgramState state;
  CliPrompts loadPrompts;
  if (const CliStatus loaded = loadForCli(options, state, loadPrompts, ElevationLoad::WithDataset, true); !loaded)
    return loaded.status();
  // The chooser offers this source only to data folders that name it.
  if (state.mapInfo.rapidSurvey != u"1") {
    printError(QStringLiteral("this dataset does not offer the rapid-survey maps (迅速測図 is not 1)"));  // stored
    return kExitFailed;
  }
  const ServerSettings servers = readServerSettings(state.rootFolder);
  const QString wms = normalizedServiceBase(options.get(QStringLiteral("--wms"), servers.wms));
  const QString site = normalizedServiceBase(options.get(QStringLiteral("--site"), servers.wmsSite));
  FetchPrompts prompts;
  const RunOutcome out = runRapidSurveyAcquisition(state, wms, site, fetchContext(prompts));
  return finishFetch(out, prompts);
}

}  // namespace kavalo
