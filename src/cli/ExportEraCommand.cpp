// SPDX-License-Identifier: MIT
#include "cli/ExportEraCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "model/ProgramState.h"
#include "output/EraFileExport.h"

namespace kavalo {

CommandSpec exportEraCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("export-era");
  cmd.synopsis =
      QStringLiteral("export-era --root DIR [--dataset N] --era I --format gpkg|mbtiles|cog [--elevation] -o FILE");
  cmd.summary =
      QCoreApplication::translate("kavalo::ExportEraCommand", "Writes one era as one file that GIS tools open.");
  cmd.description = QCoreApplication::translate(
      "kavalo::ExportEraCommand",
      "Era I (an index of the era table) is composed as the window composes it (its veils, masks and borrowed "
      "sheets; the elevation colours only with --elevation) and written through GDAL: gpkg a GeoPackage and mbtiles "
      "an MBTiles tile set of the era's web tiles (EPSG:3857, the zooms of the web map publish writes), cog a "
      "Cloud-Optimised GeoTIFF of the era's mosaic at its own resolution in longitude and latitude (EPSG:4326). FILE "
      "must not exist; it appears only when complete.");
  cmd.valueOptions = {QStringLiteral("--root"), QStringLiteral("--dataset"), QStringLiteral("--era"),
                      QStringLiteral("--format"), QStringLiteral("-o")};
  cmd.switches = {QStringLiteral("--elevation")};
  return cmd;
}

int runExportEraCommand(const QStringList& args) {
  CliOptions options;
  QString error;
  const CommandSpec cmd = exportEraCommandSpec();
  const ParseOutcome outcome = parseCommand(cmd, args, options, &error);
  if (outcome != ParseOutcome::Ok) return finishParse(cmd, outcome, error);
  EraFileOptions fileOptions;
  if (!options.has(QStringLiteral("--format")))
    return usageError(cmd, QStringLiteral("--format gpkg|mbtiles|cog is required"));
  if (!rasterFormatFromName(options.get(QStringLiteral("--format")), fileOptions.format))
    return usageError(cmd, QStringLiteral("--format must be gpkg, mbtiles or cog"));
  if (!options.has(QStringLiteral("-o")) || options.get(QStringLiteral("-o")).isEmpty())
    return usageError(cmd, QStringLiteral("-o FILE is required"));
  if (!options.has(QStringLiteral("--era"))) return usageError(cmd, QStringLiteral("--era I is required"));
  const QString output = QDir::cleanPath(QDir::current().absoluteFilePath(options.get(QStringLiteral("-o"))));
  if (QFileInfo::exists(output))
    return usageError(cmd, QStringLiteral("-o %1 exists already: it is not written over").arg(output));
  if (!QFileInfo(QFileInfo(output).absolutePath()).isDir())
    return usageError(cmd, QStringLiteral("-o %1: its folder does not exist").arg(output));
  fileOptions.elevation = options.has(QStringLiteral("--elevation"));

  ProgramState state;
  CliPrompts prompts;
  if (const CliStatus loaded = loadForCli(options, state, prompts, ElevationLoad::OnDemand); !loaded)
    return loaded.status();
  bool ok = false;
  const int era = options.get(QStringLiteral("--era")).toInt(&ok);
  if (!ok || era < 0 || era >= static_cast<int>(state.eras.size()))
    return usageError(cmd, QStringLiteral("--era must be an era index from 0 to %1").arg(state.eras.size() - 1));
  if (fileOptions.elevation) EnsureElevation(state, prompts);
  if (!exportEraFile(state, era, output, fileOptions, &error)) {
    printError(error);
    return kExitFailed;
  }
  printOut(QStringLiteral("%1 written").arg(output));
  return kExitOk;
}

}  // namespace kavalo
