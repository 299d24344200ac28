#include "cli/FetchXyzCommand.h"

#include "cli/FetchCommon.h"
#include "net/ServerSettings.h"

namespace kavalo {

CommandSpec fetchXyzCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("fetch-xyz");
  cmd.synopsis = QStringLiteral(
      "fetch-xyz --root DIR [--dataset N] [--url TEMPLATE] [--zoom Z] [--kind map|photo] [--attribution TEXT]");
  cmd.valueOptions = {QStringLiteral("--root"), QStringLiteral("--dataset"), QStringLiteral("--url"),
                      QStringLiteral("--zoom"), QStringLiteral("--kind"),    QStringLiteral("--attribution")};
  return cmd;
}

int runFetchXyzCommand(const QStringList& args) {
  CliOptions options;
  QString error;
  const CommandSpec cmd = fetchXyzCommandSpec();
  const ParseOutcome outcome = parseCommand(cmd, args, options, &error);
  if (outcome != ParseOutcome::Ok) return finishParse(cmd, outcome, error);
  XyzChoice choice;
  if (!intOption(options, QStringLiteral("--zoom"), 0, 22, choice.zoom)) return 2;
  const QString kind = options.get(QStringLiteral("--kind"), QStringLiteral("map"));
  if (kind != u"map" && kind != u"photo") {
    printError(QStringLiteral("--kind must be map or photo"));
    return 2;
  }
  choice.map = kind == u"map";
  choice.attribution = options.get(QStringLiteral("--attribution"));

  ProgramState state;
  CliPrompts loadPrompts;
  if (!loadForCli(options, state, loadPrompts, ElevationLoad::WithDataset, true)) return 1;
  choice.urlTemplate = options.get(QStringLiteral("--url"), readServerSettings(state.rootFolder).xyzTemplate);
  if (!xyzTemplateUsable(choice.urlTemplate)) {
    printError(QStringLiteral("--url must be an http(s) address with {z}, {x} and {y}"));
    return 2;
  }
  FetchPrompts prompts;
  const RunOutcome out = runXyzAcquisition(state, choice, networkXyzFetcher(), fetchContext(prompts));
  return finishFetch(out, prompts);
}

}  // namespace kavalo
