#include "cli/FetchRapidSurveyCommand.h"

#include "cli/FetchCommon.h"
#include "net/ServerSettings.h"

namespace kavalo {

CommandSpec fetchRapidSurveyCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("fetch-rapid-survey");
  cmd.synopsis = QStringLiteral("fetch-rapid-survey --root DIR [--dataset N] [--wms URL] [--site URL]");
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
  if (!loadForCli(options, state, loadPrompts, ElevationLoad::WithDataset, true)) return 1;
  // The chooser offers this source only to data folders that name it.
  if (state.mapInfo.rapidSurvey != u"1") {
    printError(QStringLiteral("this dataset does not offer the rapid-survey maps (迅速測図 is not 1)"));
    return 1;
  }
  const ServerSettings servers = readServerSettings(state.rootFolder);
  const QString wms = normalizedServiceBase(options.get(QStringLiteral("--wms"), servers.wms));
  const QString site = normalizedServiceBase(options.get(QStringLiteral("--site"), servers.wmsSite));
  FetchPrompts prompts;
  const RunOutcome out = runRapidSurveyAcquisition(state, wms, site, fetchContext(prompts));
  return finishFetch(out, prompts);
}

}  // namespace kavalo
