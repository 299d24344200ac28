#include "cli/ShortageCommand.h"

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
    j.key(QStringLiteral("missing")).beginArray();
    for (const QString& name : s.missingNames) j.value(name);
    j.endArray();
    j.endObject();
  }
  j.endArray();
  return j.text();
}

CommandSpec shortageCommandSpec() {
  CommandSpec spec;
  spec.name = QStringLiteral("shortage");
  spec.synopsis = QStringLiteral("shortage --root DIR [--dataset N]");
  spec.valueOptions = {QStringLiteral("--root"), QStringLiteral("--dataset")};
  return spec;
}

int runShortageCommand(const QStringList& args) {
  CliOptions options;
  QString error;
  const CommandSpec spec = shortageCommandSpec();
  const ParseOutcome outcome = parseCommand(spec, args, options, &error);
  if (outcome != ParseOutcome::Ok) return finishParse(spec, outcome, error);
  ProgramState state;
  CliPrompts prompts;
  if (!loadForCli(options, state, prompts)) return 1;
  printOut(shortageJson(state));
  return 0;
}

}  // namespace kavalo
