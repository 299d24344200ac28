// SPDX-License-Identifier: MIT
#include "cli/FetchXyzCommand.h"

#include <QCoreApplication>

#include "cli/FetchCommon.h"
#include "net/ServerSettings.h"

namespace kavalo {

CommandSpec fetchXyzCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("fetch-xyz");
  cmd.synopsis = QStringLiteral(
      "fetch-xyz --root DIR [--dataset N] [--url TEMPLATE] [--zoom Z] [--kind map|photo] --attribution TEXT\n"
      "[--label TEXT] [--update]");
  cmd.summary =
      QCoreApplication::translate("kavalo::FetchXyzCommand", "Adds an era from any web-mercator tile service.");
  cmd.description = QCoreApplication::translate(
      "kavalo::FetchXyzCommand",
      "TEMPLATE is an http(s) address with {z}, {x} and {y} (default: xyz of servers.txt or KAVALO_XYZ); Z the "
      "zoom level (0 to 22); the era is a map (masked, like the base map) or a photo of its own kind of source "
      "(xyz-map, xyz-photo), listed in map_xyz_info.txt, with the --attribution TEXT (required: the service's terms "
      "ask for it) in the credits and the --label TEXT in the era list (default: the year and the service's host). "
      "A data folder that has an era of the same template and kind already is refused with status 1, unless "
      "--update fetches that era anew (its tiles are replaced only when every one arrived). At most two requests "
      "run at a time. Every question is answered Yes; the closing message goes to standard output. Status 0 when "
      "an era was added or updated.");
  cmd.valueOptions = {QStringLiteral("--root"), QStringLiteral("--dataset"), QStringLiteral("--url"),
                      QStringLiteral("--zoom"), QStringLiteral("--kind"),    QStringLiteral("--attribution"),
                      QStringLiteral("--label")};
  cmd.switches = {QStringLiteral("--update")};
  return cmd;
}

int runFetchXyzCommand(const QStringList& args) {
  CliOptions options;
  QString error;
  const CommandSpec cmd = fetchXyzCommandSpec();
  const ParseOutcome outcome = parseCommand(cmd, args, options, &error);
  if (outcome != ParseOutcome::Ok) return finishParse(cmd, outcome, error);
  XyzChoice choice;
  if (!intOption(options, QStringLiteral("--zoom"), 0, 22, choice.zoom, &error)) return usageError(cmd, error);
  const QString kind = options.get(QStringLiteral("--kind"), QStringLiteral("map"));
  if (kind != u"map" && kind != u"photo") return usageError(cmd, QStringLiteral("--kind must be map or photo"));
  choice.map = kind == u"map";
  if (options.get(QStringLiteral("--attribution")).trimmed().isEmpty())
    return usageError(cmd, QStringLiteral("--attribution is required: the tile service's terms ask for its name"));
  choice.attribution = options.get(QStringLiteral("--attribution"));
  choice.label = options.get(QStringLiteral("--label"));
  choice.repeat = options.has(QStringLiteral("--update")) ? XyzRepeat::Update : XyzRepeat::Refuse;

  ProgramState state;
  CliPrompts loadPrompts;
  if (const CliStatus loaded = loadForCli(options, state, loadPrompts, ElevationLoad::WithDataset, true); !loaded)
    return loaded.status();
  choice.urlTemplate = options.get(QStringLiteral("--url"), readServerSettings(state.rootFolder).xyzTemplate);
  if (!xyzTemplateUsable(choice.urlTemplate))
    return usageError(cmd, QStringLiteral("--url must be an http(s) address with {z}, {x} and {y}"));
  FetchPrompts prompts;
  const RunOutcome out = runXyzAcquisition(state, choice, networkXyzFetcher(), fetchContext(prompts));
  return finishFetch(out, prompts);
}

}  // namespace kavalo
