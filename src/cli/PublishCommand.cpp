// SPDX-License-Identifier: MIT
#include "cli/PublishCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QUrl>

#include "model/ProgramState.h"
#include "output/WebFolderPublish.h"
#include "output/WebMapLink.h"
#include "output/WebMapPublish.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"

namespace kavalo {

CommandSpec publishCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("publish");
  cmd.synopsis = QStringLiteral(
      "publish --root DIR [--dataset N] [--mirror URL [--mirror URL...]] -o WEBDIR\n"
      "[--tiles [--elevation]]");
  cmd.summary = QCoreApplication::translate("kavalo::PublishCommand",
                                            "Writes the data folder's web folder, for any static web server.");
  cmd.description = QCoreApplication::translate(
      "kavalo::PublishCommand",
      "WEBDIR becomes the folder that the program's web base (web_base, KAVALO_WEB_BASE) points at: "
      "servercheck.txt, the server list download_serverlist210.txt naming each --mirror (in the order given) as "
      "holding the data folder, and the data folder's own folder with one folder per era: its tiles, fetched one "
      "by one in online mode, and for the eras of the data folder's own map sheets zipfilenum.txt and the "
      "packages 00.zip, 01.zip… of at most 25 of the files its check list names, with Shift-JIS names, for "
      "the window's Get sheets and fetch-packages. A mirror is a base address to which the data folder's name is "
      "appended; "
      "normally it is WEBDIR's own address (http://host/kavalo/).\n\n"
      "The same data gives the same bytes. WEBDIR must be empty, new, or a web folder written before: the data "
      "folder's part is replaced only when the new one is complete, and the server list keeps the other data "
      "folders and servers it names. What is left out (files a check list names but the era lacks) is said on "
      "standard error; a summary goes to standard output.\n\n"
      "--tiles also writes the data folder's web map in WEBDIR/maps/<dataset>/: per era a pyramid of 256 x 256 web "
      "tiles (EPSG:3857, <era>/{z}/{x}/{y}.png under tiles/) composed as the window composes the era, without "
      "elevation colours unless --elevation is given, from the zoom nearest the region's own resolution down to the "
      "zoom at which the region fits in one tile; a TileJSON per era (tiles/<era>/tilejson.json); eras.json listing "
      "the eras in time order; and index.html, the map page with its map library, working from any static host or "
      "from the disk. Tiles are composed on every core and written only when they change; an era none of whose "
      "files changed is not composed again. The map's address (the first mirror's maps/<dataset>/) is kept in the "
      "data folder's web_map.txt, so that the window can offer links to it. At least one --mirror is needed "
      "unless --tiles is given: --tiles without --mirror writes the web map alone (WEBDIR then holds only maps/).");
  cmd.valueOptions = {QStringLiteral("--root"), QStringLiteral("--dataset"), QStringLiteral("--mirror"),
                      QStringLiteral("-o")};
  cmd.switches = {QStringLiteral("--tiles"), QStringLiteral("--elevation")};
  return cmd;
}

int runPublishCommand(const QStringList& args) {
  CliOptions options;
  QString error;
  const CommandSpec cmd = publishCommandSpec();
  const ParseOutcome outcome = parseCommand(cmd, args, options, &error);
  if (outcome != ParseOutcome::Ok) return finishParse(cmd, outcome, error);
  QStringList mirrors;
  for (QString mirror : options.getAll(QStringLiteral("--mirror"))) {
    const QString problem = mirrorProblem(mirror);
    if (!problem.isEmpty()) return usageError(cmd, problem);
    if (!mirror.endsWith(u'/')) mirror += u'/';  // the data folder's name is appended directly
    if (!mirrors.contains(mirror)) mirrors << mirror;
  }
  const bool tiles = options.has(QStringLiteral("--tiles"));
  if (options.has(QStringLiteral("--elevation")) && !tiles)
    return usageError(cmd, QStringLiteral("--elevation goes with --tiles"));
  // With --tiles alone only the web map is written.
  const bool mapOnly = tiles && mirrors.isEmpty();
  if (mirrors.isEmpty() && !tiles)
    return usageError(cmd, QStringLiteral("--mirror URL is required (the web folder's address)"));
  if (!options.has(QStringLiteral("-o")) || options.get(QStringLiteral("-o")).isEmpty())
    return usageError(cmd, QStringLiteral("-o WEBDIR is required"));
  const QString web = QDir::cleanPath(QDir::current().absoluteFilePath(options.get(QStringLiteral("-o"))));

  ProgramState state;
  CliPrompts prompts;
  // Publishing only reads the data folder; the elevation grid is not needed.
  if (const CliStatus loaded = loadForCli(options, state, prompts, ElevationLoad::OnDemand); !loaded)
    return loaded.status();
  const QString problem = mapOnly ? webMapsOnlyProblem(state, web, kWebMapsFolder) : webFolderProblem(state, web);
  if (!problem.isEmpty()) return usageError(cmd, problem);
  const QString dataset = state.dataFolders[static_cast<size_t>(state.dataFolderIndex)].folder;
  if (tiles && dataset.compare(kWebMapsFolder, Qt::CaseInsensitive) == 0)
    return usageError(cmd,
                      QStringLiteral("--tiles: a data folder named %1 would be the web maps' folder").arg(dataset));
  WebMapOptions mapOptions;
  mapOptions.elevation = options.has(QStringLiteral("--elevation"));
  if (tiles && webViewerFolder().isEmpty())
    return usageError(cmd, QStringLiteral("--tiles: the map page's files are not installed (KAVALO_WEB_VIEWER)"));
  if (mapOptions.elevation) EnsureElevation(state, prompts);
  PublishReport report;
  const bool ok = mapOnly || publishWebFolder(state, mirrors, web, report, &error);
  for (const QString& note : report.notes) printError(note);
  if (!ok) {
    printError(error);
    return kExitFailed;
  }
  if (!mapOnly)
    printOut(QStringLiteral("%1 eras, %2 files, %3 packages published in %4")
                 .arg(report.eras)
                 .arg(report.files)
                 .arg(report.packages)
                 .arg(web));
  if (!tiles) return kExitOk;

  WebMapReport map;
  const QString mapFolder = web + u'/' + kWebMapsFolder + u'/' + dataset;
  const bool mapped = publishWebMap(state, mapFolder, mapOptions, map, &error);
  for (const QString& note : map.notes) printError(note);
  if (!mapped) {
    printError(error);
    return kExitFailed;
  }
  printOut(QStringLiteral("web map: %1 eras (%2 composed), zoom %3-%4, %5 tiles written, %6 unchanged, %7 removed "
                          "in %8")
               .arg(map.eras)
               .arg(map.erasComposed)
               .arg(map.zooms.minZoom)
               .arg(map.zooms.maxZoom)
               .arg(map.written)
               .arg(map.unchanged)
               .arg(map.removed)
               .arg(mapFolder));
  if (mapOnly) return kExitOk;
  // The data folder learns where its map is, for the window's web links.
  const QString address =
      mirrors.first() + kWebMapsFolder + u'/' + QString::fromLatin1(QUrl::toPercentEncoding(dataset)) + u'/';
  if (!writeWebMapAddress(state.datasetFolder, address, &error)) {
    printError(error);
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace kavalo
