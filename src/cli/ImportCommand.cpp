// SPDX-License-Identifier: MIT
#include "cli/ImportCommand.h"

#include <QCoreApplication>

#include <cstdio>

#include "net/ScanImport.h"

namespace kavalo {

CommandSpec importCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("import");
  cmd.synopsis = QStringLiteral(
      "import --root DIR [--dataset N] --file F --year Y --credit TEXT [--label TEXT] [--kind map|photo]");
  cmd.summary = QCoreApplication::translate("kavalo::ImportCommand",
                                            "Imports a georeferenced scan as a new era of the data folder.");
  cmd.description = QCoreApplication::translate(
      "kavalo::ImportCommand",
      "Warps a GeoTIFF, or a PNG, JPEG or TIFF with a world file (and a .prj or .aux.xml), in any coordinate system, "
      "onto the data folder's own tiles and adds it as an era: a masked map (--kind map, the default) or a photo "
      "(--kind photo). --year and --credit are required; the label defaults to the file's name. Progress goes to "
      "standard error. A scan that cannot be read, has no georeferencing or does not overlap the region is refused "
      "and leaves nothing behind.");
  cmd.valueOptions = {QStringLiteral("--root"), QStringLiteral("--dataset"), QStringLiteral("--file"),
                      QStringLiteral("--year"), QStringLiteral("--credit"),  QStringLiteral("--label"),
                      QStringLiteral("--kind")};
  return cmd;
}

int runImportCommand(const QStringList& args) {
  CliOptions options;
  QString error;
  const CommandSpec cmd = importCommandSpec();
  const ParseOutcome outcome = parseCommand(cmd, args, options, &error);
  if (outcome != ParseOutcome::Ok) return finishParse(cmd, outcome, error);
  for (const char* required : {"--file", "--year", "--credit"})
    if (!options.has(QString::fromLatin1(required)))
      return usageError(cmd, QStringLiteral("%1 is required").arg(QString::fromLatin1(required)));
  ScanImportRequest request;
  request.scanPath = options.get(QStringLiteral("--file"));
  bool ok = false;
  request.year = options.get(QStringLiteral("--year")).toInt(&ok);
  if (!ok || request.year < 1 || request.year > 9999)
    return usageError(cmd, QStringLiteral("--year must be a year from 1 to 9999"));
  const QString kind = options.get(QStringLiteral("--kind"), QStringLiteral("map"));
  if (kind != u"map" && kind != u"photo") return usageError(cmd, QStringLiteral("--kind must be map or photo"));
  request.map = kind == u"map";
  request.credit = options.get(QStringLiteral("--credit"));
  request.label = options.get(QStringLiteral("--label"));

  ProgramState state;
  CliPrompts prompts;
  if (const CliStatus loaded = loadForCli(options, state, prompts, ElevationLoad::OnDemand, true); !loaded)
    return loaded.status();
  return runImportWithProgress(state, request);
}

int runImportWithProgress(ProgramState& state, const ScanImportRequest& request) {
  ScanImportContext ctx;
  int shown = -1;
  ctx.progress = [&shown](int value, int maximum) {
    if (maximum <= 0) return;
    const int percent = value * 100 / maximum;
    if (percent / 10 == shown / 10) return;
    shown = percent;
    std::fprintf(stderr, "%d%%\n", percent);
  };
  const ScanImportResult result = runScanImport(state, request, ctx);
  if (!result.added) {
    printError(result.message);
    return kExitFailed;
  }
  printOut(result.message);
  printError(QStringLiteral("%1 tiles written into %2").arg(result.tiles).arg(result.era.folder));
  return kExitOk;
}

}  // namespace kavalo
