// SPDX-License-Identifier: MIT
#include "cli/ShortageCommand.h"

#include <QCoreApplication>

#include "cli/Json.h"
#include "model/ProgramState.h"
#include "net/PackageDownload.h"

namespace kavalo {

QString shortageJson(const ProgramState& state) {
  JsonWriter j;
  j.beginArray();
  for (const EraShortage& s : BuildShortageList(state)) {
    j.beginObject();
    j.field(QStringLiteral("era"), s.eraIndex);
    j.field(QStringLiteral("folder"), state.eras[static_cast<size_t>(s.eraIndex)].name);
    j.field(QStringLiteral("text"), ShortageListText(state, s));
    // No list: every file is missing, and which they are is not known.
    j.field(QStringLiteral("checkListMissing"), s.checkListMissing);
    j.key(QStringLiteral("missing")).beginArray();
    for (const QString& name : s.missingNames) j.value(name);
    j.endArray();
    j.endObject();
  }
  j.endArray();
  return j.text();
}

CommandSpec shortageCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("shortage");
  cmd.synopsis = QStringLiteral("shortage --root DIR [--dataset N]");
  cmd.summary = QCoreApplication::translate("kavalo::ShortageCommand",
                                            "Prints each map-sheet era with the files it lacks, as JSON.");
  cmd.description = QCoreApplication::translate(
      "kavalo::ShortageCommand",
      "For every era of the data folder's own map sheets: its index, its folder, the line the package dialog shows "
      "for it, whether its gazo_check_list.txt is missing (then the era lacks every file), and the image files its "
      "list names but its folder lacks.");
  cmd.valueOptions = {QStringLiteral("--root"), QStringLiteral("--dataset")};
  return cmd;
}

int runShortageCommand(const QStringList& args) {
  CliOptions options;
  QString error;
  const CommandSpec cmd = shortageCommandSpec();
  const ParseOutcome outcome = parseCommand(cmd, args, options, &error);
  if (outcome != ParseOutcome::Ok) return finishParse(cmd, outcome, error);
  ProgramState state;
  CliPrompts prompts;
  if (const CliStatus loaded = loadForCli(options, state, prompts); !loaded) return loaded.status();
  printOut(shortageJson(state));
  return kExitOk;
}

}  // namespace kavalo
