// SPDX-License-Identifier: MIT
#include "cli/ExportCommand.h"

#include <QCoreApplication>
#include <QDir>

#include "cli/ViewOptions.h"
#include "model/ProgramState.h"
#include "output/Export.h"
#include "render/ViewComposer.h"

namespace kavalo {

CommandSpec exportCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("export");
  cmd.synopsis = QStringLiteral(
      "export --root DIR [--dataset N] [view options as for render] [--overlay FILE...]\n"
      "--format html|kml|kmz --image png|jpg [--world-files] -o FILE");
  cmd.summary = QCoreApplication::translate("kavalo::ExportCommand",
                                            "Writes what the export dialog writes for the view, one image per era.");
  cmd.description = QCoreApplication::translate(
      "kavalo::ExportCommand",
      "The view is given as for render (--era, --center, --zoom, --size, --mm-per-px, --layers without legend: the "
      "legend is a window of its own and is not exported, --link) and --overlay draws the user's files over every "
      "era. html: a page with an era switcher (Shift-JIS); kml: a "
      "KML set of ground overlays with time spans (UTF-8); kmz: one KMZ file holding the KML and the images. The "
      "images are PNG or JPEG (quality 80) of the view's size; --world-files adds a world file and a .prj of the "
      "world datum to each image (html and kml only). Every file is written under a temporary name and renamed "
      "only when all are complete.");
  cmd.valueOptions = viewOptionNames() << overlayOptionNames() << QStringLiteral("--format")
                                       << QStringLiteral("--image") << QStringLiteral("-o");
  cmd.switches = {QStringLiteral("--world-files")};
  return cmd;
}

int runExportCommand(const QStringList& args) {
  CliOptions options;
  QString error;
  const CommandSpec cmd = exportCommandSpec();
  const ParseOutcome outcome = parseCommand(cmd, args, options, &error);
  if (outcome != ParseOutcome::Ok) return finishParse(cmd, outcome, error);

  ExportOptions request;
  const QString format = options.get(QStringLiteral("--format"), QStringLiteral("html"));
  const QString image = options.get(QStringLiteral("--image"), QStringLiteral("png"));
  if (format == u"html")
    request.format = ExportFormat::Html;
  else if (format == u"kml")
    request.format = ExportFormat::Kml;
  else if (format == u"kmz")
    request.format = ExportFormat::Kmz;
  else
    return finishParse(cmd, ParseOutcome::Error, QStringLiteral("--format must be html, kml or kmz"));
  if (image != u"png" && image != u"jpg")
    return finishParse(cmd, ParseOutcome::Error, QStringLiteral("--image must be png or jpg"));
  request.jpeg = image == u"jpg";
  request.worldFiles = options.has(QStringLiteral("--world-files"));
  if (request.worldFiles && request.format == ExportFormat::Kmz)
    return finishParse(cmd, ParseOutcome::Error, QStringLiteral("--world-files goes with html or kml"));
  if (!options.has(QStringLiteral("-o")))
    return finishParse(cmd, ParseOutcome::Error, QStringLiteral("-o FILE is required"));
  request.path = QDir::cleanPath(QDir::current().absoluteFilePath(options.get(QStringLiteral("-o"))));

  ProgramState state;
  CliPrompts prompts;
  if (const CliStatus loaded = loadForCli(options, state, prompts); !loaded) return loaded.status();
  if (!applyViewOptions(options, state, &error)) return usageError(cmd, error);
  if (const CliStatus opened = applyOverlayOptions(options, state); !opened) return opened.status();
  if (state.view.showLegend)
    return usageError(cmd, QStringLiteral("--layers legend is not exported: the legend is a window of its own"));
  const bool ok = ExportView(state, currentViewRequest(state, RenderPass::Export), request, prompts);
  return ok ? kExitOk : kExitFailed;
}

}  // namespace kavalo
