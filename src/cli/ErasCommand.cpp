// SPDX-License-Identifier: MIT
#include "cli/ErasCommand.h"

#include <QCoreApplication>

#include "app/EraEditing.h"

namespace kavalo {

CommandSpec erasCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("eras");
  cmd.synopsis = QStringLiteral("eras --root DIR [--dataset N] (--rename I --label TEXT | --delete I)");
  cmd.summary = QCoreApplication::translate(
      "kavalo::ErasCommand", "Renames or deletes an era the user added (from a tile service or a scan).");
  cmd.description = QCoreApplication::translate(
      "kavalo::ErasCommand",
      "I is the era's index in the era list, as info prints it (eras are sorted by their first year). --rename "
      "gives the era the label TEXT in its info file; --delete takes it out of its info file and moves its folder "
      "to the desktop's trash. Only eras the user added can be changed (info marks them with \"usersOwn\": true); "
      "the eras of the dataset and of the mapping agency are refused with status 1. A label that the info file "
      "cannot hold (empty, a double quote, a line break, a character without a Shift-JIS form) is refused with "
      "status 1 and changes nothing.");
  cmd.valueOptions = {QStringLiteral("--root"), QStringLiteral("--dataset"), QStringLiteral("--rename"),
                      QStringLiteral("--label"), QStringLiteral("--delete")};
  return cmd;
}

int runErasCommand(const QStringList& args) {
  CliOptions options;
  QString error;
  const CommandSpec cmd = erasCommandSpec();
  const ParseOutcome outcome = parseCommand(cmd, args, options, &error);
  if (outcome != ParseOutcome::Ok) return finishParse(cmd, outcome, error);
  const bool rename = options.has(QStringLiteral("--rename"));
  const bool remove = options.has(QStringLiteral("--delete"));
  if (rename == remove) return usageError(cmd, QStringLiteral("give either --rename or --delete"));
  if (rename != options.has(QStringLiteral("--label")))
    return usageError(cmd,
                      rename ? QStringLiteral("--rename needs --label") : QStringLiteral("--label goes with --rename"));
  bool ok = false;
  const int index = options.get(rename ? QStringLiteral("--rename") : QStringLiteral("--delete")).toInt(&ok);
  if (!ok || index < 0) return usageError(cmd, QStringLiteral("the era index must be a number from 0"));

  ProgramState state;
  CliPrompts prompts;
  if (const CliStatus loaded = loadForCli(options, state, prompts, ElevationLoad::OnDemand, true); !loaded)
    return loaded.status();
  if (index >= static_cast<int>(state.eras.size()))
    return usageError(cmd, QStringLiteral("the data folder has %1 eras (0 to %2)")
                               .arg(state.eras.size())
                               .arg(static_cast<int>(state.eras.size()) - 1));
  const EraEditResult result = rename ? renameUserEra(state, index, options.get(QStringLiteral("--label")))
                                      : deleteUserEra(state, index, prompts);
  if (!result.done) {
    printError(result.message);
    return kExitFailed;
  }
  printOut(result.message);
  return kExitOk;
}

}  // namespace kavalo
