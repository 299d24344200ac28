#include "cli/PublishCommand.h"

#include <QDir>

#include "model/ProgramState.h"
#include "output/WebFolderPublish.h"

namespace kavalo {

CommandSpec publishCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("publish");
  cmd.synopsis = QStringLiteral("publish --root DIR [--dataset N] --mirror URL [--mirror URL...] -o WEBDIR");
  cmd.summary = QStringLiteral("Writes the data folder's web folder, for any static web server.");
  cmd.description = QStringLiteral(
      "WEBDIR becomes the folder that the program's web base (web_base, KAVALO_WEB_BASE) points at: "
      "servercheck.txt, the server list download_serverlist210.txt naming each --mirror (in the order given) as "
      "holding the data folder, and the data folder's own folder with one folder per era: its tiles, fetched one "
      "by one in online mode, and for the eras of the data folder's own map sheets zipfilenum.txt and the "
      "packages 00.zip, 01.zip… of at most 25 of the files its check list names, with Shift-JIS names, for "
      "付属地形図取得 and fetch-packages. A mirror is a base address to which the data folder's name is appended; "
      "normally it is WEBDIR's own address (http://host/kavalo/).\n\n"
      "The same data gives the same bytes. WEBDIR must be empty, new, or a web folder written before: the data "
      "folder's part is replaced only when the new one is complete, and the server list keeps the other data "
      "folders and servers it names. What is left out (files a check list names but the era lacks) is said on "
      "standard error; a summary goes to standard output.");
  cmd.valueOptions = {QStringLiteral("--root"), QStringLiteral("--dataset"), QStringLiteral("--mirror"),
                      QStringLiteral("-o")};
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
  if (mirrors.isEmpty()) return usageError(cmd, QStringLiteral("--mirror URL is required (the web folder's address)"));
  if (!options.has(QStringLiteral("-o")) || options.get(QStringLiteral("-o")).isEmpty())
    return usageError(cmd, QStringLiteral("-o WEBDIR is required"));
  const QString web = QDir::cleanPath(QDir::current().absoluteFilePath(options.get(QStringLiteral("-o"))));

  ProgramState state;
  CliPrompts prompts;
  // Publishing only reads the data folder; the elevation grid is not needed.
  if (const CliStatus loaded = loadForCli(options, state, prompts, ElevationLoad::OnDemand); !loaded)
    return loaded.status();
  const QString problem = webFolderProblem(state, web);
  if (!problem.isEmpty()) return usageError(cmd, problem);
  PublishReport report;
  const bool ok = publishWebFolder(state, mirrors, web, report, &error);
  for (const QString& note : report.notes) printError(note);
  if (!ok) {
    printError(error);
    return kExitFailed;
  }
  printOut(QStringLiteral("%1 eras, %2 files, %3 packages published in %4")
               .arg(report.eras)
               .arg(report.files)
               .arg(report.packages)
               .arg(web));
  return kExitOk;
}

}  // namespace kavalo
