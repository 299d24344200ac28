// SPDX-License-Identifier: MIT
#include "cli/ReadoutCommand.h"

#include <QCoreApplication>

#include <cmath>

#include "cli/CliCommon.h"
#include "cli/Json.h"
#include "cli/ViewOptions.h"
#include "geo/CursorReadout.h"
#include "geo/PointFacts.h"

namespace kavalo {

namespace {

// A text field, or null when there is nothing to name.
void textOrNull(JsonWriter& j, const QString& name, const QString& text) {
  j.key(name);
  if (text.isEmpty())
    j.null();
  else
    j.value(text);
}

void writePosition(JsonWriter& j, const QString& name, const LatLon& ll) {
  j.key(name).beginObject();
  j.field(QStringLiteral("latitude"), ll.lat);
  j.field(QStringLiteral("longitude"), ll.lon);
  j.endObject();
}

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
  cmd.summary =
      QCoreApplication::translate("kavalo::ReadoutCommand", "Prints the cursor readout at a view pixel as JSON.");
  cmd.description = QCoreApplication::translate(
      "kavalo::ReadoutCommand",
      "The view is given as for render (--link, --era, --center, --zoom, --size, --mm-per-px; --layers changes nothing "
      "here); PX,PY is a pixel of it. The "
      "JSON object holds the window's two captions as they read (lblInfo, lblMap, and bold when the sheet is "
      "borrowed from another edition), in the datum of --datum (0 Tokyo datum, 1 world datum; by default the one "
      "KAVALO.ini keeps), and the same facts as fields: tokyo and world, each with latitude and longitude in "
      "decimal degrees; elevation in metres (null over the sea or outside the elevation grid) and sea; sheet, "
      "edition and issued (null where the era has no sheet); borrowed.");
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
    return usageError(cmd, QStringLiteral("--at PX,PY (view pixels) is required"));
  }
  const QString datum = options.get(QStringLiteral("--datum"));
  if (options.has(QStringLiteral("--datum")) && datum != u"0" && datum != u"1") {
    return usageError(cmd, QStringLiteral("--datum must be 0 (Tokyo datum) or 1 (world datum)"));
  }

  ProgramState state;
  CliPrompts prompts;
  if (const CliStatus loaded = loadForCli(options, state, prompts); !loaded) return loaded.status();
  if (!applyViewOptions(options, state, &error)) return usageError(cmd, error);
  // Without --datum the saved setting of KAVALO.ini holds, as in the window.
  if (!datum.isEmpty()) state.view.datumFlag = datum.toInt();

  const PointInfo info = computePointInfo(state, state.viewport(), px, py);
  const PointFacts facts = computePointFacts(state, state.viewport(), px, py);
  JsonWriter j;
  j.beginObject();
  j.field(QStringLiteral("lblInfo"), info.lblInfo);
  j.field(QStringLiteral("lblMap"), info.lblMap);
  j.field(QStringLiteral("bold"), info.bold);
  writePosition(j, QStringLiteral("tokyo"), facts.tokyo);
  writePosition(j, QStringLiteral("world"), facts.world);
  j.key(QStringLiteral("elevation"));
  if (facts.elevation)
    j.value(*facts.elevation);
  else
    j.null();
  j.field(QStringLiteral("sea"), facts.sea);
  textOrNull(j, QStringLiteral("sheet"), facts.sheet);
  textOrNull(j, QStringLiteral("edition"), facts.edition);
  textOrNull(j, QStringLiteral("issued"), facts.issued);
  j.field(QStringLiteral("borrowed"), facts.borrowed);
  j.endObject();
  printOut(j.text());
  return kExitOk;
}

}  // namespace kavalo
