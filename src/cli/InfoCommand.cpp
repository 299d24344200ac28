// SPDX-License-Identifier: MIT
#include "cli/InfoCommand.h"

#include <QCoreApplication>

#include "cli/CliCommon.h"
#include "cli/Json.h"
#include "model/EraLabels.h"
#include "model/EraSources.h"
#include "model/Settings.h"

namespace kavalo {

namespace {

void writeMapInfo(JsonWriter& j, const MapInfo& m) {
  j.key(QStringLiteral("mapinfo")).beginObject();
  j.field(QStringLiteral("title"), m.title);
  j.field(QStringLiteral("tileWidth"), m.tileWidth);
  j.field(QStringLiteral("tileHeight"), m.tileHeight);
  j.field(QStringLiteral("sheetsX"), m.sheetsX);
  j.field(QStringLiteral("sheetsY"), m.sheetsY);
  j.field(QStringLiteral("tilesPerSheetX"), m.tilesPerSheetX);
  j.field(QStringLiteral("tilesPerSheetY"), m.tilesPerSheetY);
  j.field(QStringLiteral("scaleUnit"), m.scaleUnit);
  j.key(QStringLiteral("frameOffsets")).beginArray();
  for (const FrameOffset& f : m.frame) j.beginArray().value(f.x).value(f.y).endArray();
  j.endArray();
  j.field(QStringLiteral("west"), m.west);
  j.field(QStringLiteral("north"), m.north);
  j.field(QStringLiteral("approval"), m.approval);
  j.field(QStringLiteral("initialX"), m.initialX);
  j.field(QStringLiteral("initialY"), m.initialY);
  j.field(QStringLiteral("initialZoom"), m.initialZoom);
  j.field(QStringLiteral("initialEra"), m.initialEra);
  j.field(QStringLiteral("meshNW"), m.meshNW);
  j.field(QStringLiteral("meshSE"), m.meshSE);
  j.field(QStringLiteral("orthoFlags"), m.orthoFlags);
  j.field(QStringLiteral("rapidSurvey"), m.rapidSurvey);
  j.field(QStringLiteral("twentyThousand"), m.twentyThousand);
  j.endObject();
}

void writeEra(JsonWriter& j, const ProgramState& state, int index) {
  const Era& e = state.eras[static_cast<size_t>(index)];
  j.beginObject();
  j.field(QStringLiteral("name"), e.name);
  j.field(QStringLiteral("kind"), e.kind);
  // The kind of source by its stable name, and what the user gave an era
  // of their own.
  const EraSource& source = eraSource(e);
  j.field(QStringLiteral("source"), QString::fromLatin1(source.id));
  j.field(QStringLiteral("usersOwn"), source.usersOwn);
  j.field(QStringLiteral("attribution"), e.attribution);
  j.field(QStringLiteral("origin"), e.origin);
  j.field(QStringLiteral("yearFrom"), e.yearFrom);
  j.field(QStringLiteral("yearTo"), e.yearTo);
  j.field(QStringLiteral("legendNumber"), e.legendNumber);
  j.field(QStringLiteral("tileStyle"), e.tileStyle);
  j.field(QStringLiteral("ext"), e.ext);
  j.field(QStringLiteral("acquiredText"), e.acquiredText);
  j.field(QStringLiteral("frameType"), e.frameType);
  j.field(QStringLiteral("historyColumn"), e.historyColumn);
  j.field(QStringLiteral("periodCode"), e.periodCode);
  j.field(QStringLiteral("hasLegend"), e.hasLegend);
  j.field(QStringLiteral("hasSheetLines"), e.hasSheetLines);
  j.field(QStringLiteral("listed"), e.listed);
  j.field(QStringLiteral("bySheetIndex"), e.bySheetIndex);
  j.field(QStringLiteral("sheets"), static_cast<int>(e.sheets.size()));
  j.field(QStringLiteral("sheetIndex"), static_cast<int>(e.sheetIndex.size()));
  // The label as the era list shows it, in the label style of KAVALO.ini.
  j.field(QStringLiteral("label"), Get_cboAge_Text(e, state.view.eraLabelStyle));
  j.endObject();
}

}  // namespace

QString datasetInfoJson(const ProgramState& state) {
  JsonWriter j;
  j.beginObject();
  j.key(QStringLiteral("datasets")).beginArray();
  for (const DataFolderEntry& d : state.dataFolders)
    j.beginObject().field(QStringLiteral("name"), d.name).field(QStringLiteral("folder"), d.folder).endObject();
  j.endArray();
  j.field(QStringLiteral("dataset"), state.dataFolderIndex);
  j.key(QStringLiteral("settings")).beginObject();
  j.field(QStringLiteral("dataFolderIndex"), state.settingsRead.dataFolderIndex);
  j.field(QStringLiteral("eraLabelStyle"), static_cast<int>(state.settingsRead.eraLabelStyle));
  j.field(QStringLiteral("datumFlag"), state.settingsRead.datumFlag);
  j.endObject();
  writeMapInfo(j, state.mapInfo);
  j.key(QStringLiteral("derived")).beginObject();
  j.field(QStringLiteral("totalCols"), state.mapInfo.totalCols);
  j.field(QStringLiteral("totalRows"), state.mapInfo.totalRows);
  j.field(QStringLiteral("east"), state.mapInfo.east);
  j.field(QStringLiteral("south"), state.mapInfo.south);
  j.endObject();
  j.key(QStringLiteral("view")).beginObject();
  j.field(QStringLiteral("centerX"), state.view.centerX);
  j.field(QStringLiteral("centerY"), state.view.centerY);
  j.field(QStringLiteral("eraIndex"), state.view.eraIndex);
  j.field(QStringLiteral("zoomPercent"), state.view.zoomPercent);
  j.endObject();
  j.field(QStringLiteral("marksFile"), state.marksFileName);
  j.key(QStringLiteral("eras")).beginArray();
  for (int i = 0; i < static_cast<int>(state.eras.size()); ++i) writeEra(j, state, i);
  j.endArray();
  j.key(QStringLiteral("sheetHistory")).beginArray();
  const SheetHistory& h = state.history;
  for (int row = 0; row < h.sheetsY(); ++row) {
    j.beginArray();
    for (int col = 0; col < h.sheetsX(); ++col) {
      j.beginArray();
      for (int hc = 0; hc < h.historyColumns(); ++hc)
        j.beginArray().value(h.at(col, row, hc, 0)).value(h.at(col, row, hc, 1)).endArray();
      j.endArray();
    }
    j.endArray();
  }
  j.endArray();
  j.endObject();
  return j.text();
}

CommandSpec infoCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("info");
  cmd.synopsis = QStringLiteral("info --root DIR [--dataset N]");
  cmd.summary = QCoreApplication::translate("kavalo::InfoCommand", "Prints the loaded data folder as JSON.");
  cmd.description = QCoreApplication::translate(
      "kavalo::InfoCommand",
      "The data-folder list of dataset.txt, the settings of KAVALO.ini, the values of mapinfo.txt and what follows "
      "from them, the saved view, every era with its label and its source (sheets, agency-map, air-photo, "
      "agency-ortho, rapid-survey, twenty-thousand, xyz-map, xyz-photo, import-map, import-photo), and the sheet "
      "history, as one JSON object on standard output. --dataset chooses the data folder by its index in dataset.txt "
      "(default: the one KAVALO.ini names).");
  cmd.valueOptions = {QStringLiteral("--root"), QStringLiteral("--dataset")};
  return cmd;
}

int runInfoCommand(const QStringList& args) {
  CliOptions options;
  QString error;
  const CommandSpec cmd = infoCommandSpec();
  const ParseOutcome outcome = parseCommand(cmd, args, options, &error);
  if (outcome != ParseOutcome::Ok) return finishParse(cmd, outcome, error);
  ProgramState state;
  CliPrompts prompts;
  if (const CliStatus loaded = loadForCli(options, state, prompts); !loaded) return loaded.status();
  printOut(datasetInfoJson(state));
  return kExitOk;
}

}  // namespace kavalo
