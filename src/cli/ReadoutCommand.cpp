#include "cli/ReadoutCommand.h"

#include <cmath>

#include "cli/CliCommon.h"
#include "cli/Json.h"
#include "cli/ViewOptions.h"
#include "geo/CursorReadout.h"

namespace kavalo {

namespace {

bool parsePoint(const QString& text, float& x, float& y) {
  const QStringList parts = text.split(u',');
  if (parts.size() != 2) return false;
  bool okX = false, okY = false;
  x = parts[0].trimmed().toFloat(&okX);
  y = parts[1].trimmed().toFloat(&okY);
  return okX && okY && std::isfinite(x) && std::isfinite(y);
}

}  // namespace

CommandSpec readoutCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("readout");
  cmd.synopsis =
      QStringLiteral("readout --root DIR [--dataset N] [view options as for render] [--datum 0|1] --at PX,PY");
  cmd.valueOptions = viewOptionNames() + QStringList{QStringLiteral("--datum"), QStringLiteral("--at")};
  return cmd;
}

int runReadoutCommand(const QStringList& args) {
  CliOptions options;
  QString error;
  const CommandSpec cmd = readoutCommandSpec();
  const ParseOutcome outcome = parseCommand(cmd, args, options, &error);
  if (outcome != ParseOutcome::Ok) return finishParse(cmd, outcome, error);
  float px = 0.0f, py = 0.0f;
  if (!options.has(QStringLiteral("--at")) || !parsePoint(options.get(QStringLiteral("--at")), px, py)) {
    printError(QStringLiteral("--at PX,PY (view pixels) is required"));
    return 2;
  }
  const QString datum = options.get(QStringLiteral("--datum"));
  if (options.has(QStringLiteral("--datum")) && datum != u"0" && datum != u"1") {
    printError(QStringLiteral("--datum must be 0 (Tokyo datum) or 1 (world datum)"));
    return 2;
  }

  ProgramState state;
  CliPrompts prompts;
  if (!loadForCli(options, state, prompts)) return 1;
  if (!applyViewOptions(options, state, &error)) {
    printError(error);
    return 2;
  }
  // Without --datum the saved setting of KAVALO.ini holds, as in the window.
  if (!datum.isEmpty()) state.view.datumFlag = datum.toInt();

  const PointInfo info = computePointInfo(state, state.viewport(), px, py);
  JsonWriter j;
  j.beginObject();
  j.field(QStringLiteral("lblInfo"), info.lblInfo);
  j.field(QStringLiteral("lblMap"), info.lblMap);
  j.field(QStringLiteral("bold"), info.bold);
  j.endObject();
  printOut(j.text());
  return 0;
}

}  // namespace kavalo
