// SPDX-License-Identifier: MIT
#include "cli/CliCommon.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <optional>

#include <cstdio>

#include "app/DatasetLoader.h"
#include "app/Startup.h"
#include "geo/ViewLink.h"
#include "platform/HelpText.h"
#include "platform/Logging.h"
#include "platform/Paths.h"

namespace kavalo {

void printError(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  std::fprintf(stderr, "%s\n", bytes.constData());
}

void printOut(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  std::fprintf(stdout, "%s\n", bytes.constData());
}

bool isFailureMessage(MessageIcon icon) {
  return icon == MessageIcon::Warning || icon == MessageIcon::Exclamation || icon == MessageIcon::Critical;
}

void CliPrompts::message(const QString& text, MessageIcon icon) {
  ScriptedPrompts::message(text, icon);
  printError(text);
}

namespace {

QString bareName(const QString& typed) {
  QString name = typed;
  while (name.startsWith(u'-')) name.remove(0, 1);
  return name;
}

}  // namespace

QString commandHelpText(const CommandSpec& cmd) {
  QString text = QStringLiteral("usage: kavalo-cli ") + cmd.synopsis + QStringLiteral("\n\n");
  text += wrapParagraphs(cmd.summary + QStringLiteral("\n\n") + cmd.description, 79, 0);
  text += u'\n' +
          QCoreApplication::translate("kavalo::CommandHelp", "--verbose turns the log messages on (standard error).") +
          u'\n';
  return text;
}

ParseOutcome parseCommand(const CommandSpec& cmd, const QStringList& args, CliOptions& out, QString* error) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  parser.addOption(help);
  const QCommandLineOption verbose(bareName(kVerboseSwitch));
  parser.addOption(verbose);
  for (const QString& name : cmd.valueOptions)
    parser.addOption(QCommandLineOption(bareName(name), QString(), QStringLiteral("value")));
  for (const QString& name : cmd.switches) parser.addOption(QCommandLineOption(bareName(name)));
  // QCommandLineParser reads the first argument as the program's name.
  if (!parser.parse(QStringList{QStringLiteral("kavalo-cli")} + args)) {
    if (error) *error = parser.errorText();
    return ParseOutcome::Error;
  }
  if (parser.isSet(verbose)) setupLogging(true);
  if (parser.isSet(help)) {
    std::fputs(commandHelpText(cmd).toUtf8().constData(), stdout);
    return ParseOutcome::Help;
  }
  if (!parser.positionalArguments().isEmpty()) {
    if (error) *error = QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first());
    return ParseOutcome::Error;
  }
  for (const QString& name : cmd.valueOptions) {
    // A repeated option counts with its last value, as a shell user expects.
    if (!parser.isSet(bareName(name))) continue;
    out.all[name] = parser.values(bareName(name));
    out.values[name] = out.all[name].last();
  }
  for (const QString& name : cmd.switches)
    if (parser.isSet(bareName(name))) out.values[name] = QString();
  return ParseOutcome::Ok;
}

bool parseOptions(const QStringList& args, const QStringList& known, CliOptions& out, QString* error) {
  CommandSpec cmd;
  cmd.valueOptions = known;
  return parseCommand(cmd, args, out, error) == ParseOutcome::Ok;
}

int finishParse(const CommandSpec& cmd, ParseOutcome outcome, const QString& error) {
  if (outcome == ParseOutcome::Help) return kExitOk;
  return usageError(cmd, error);
}

int usageError(const CommandSpec& cmd, const QString& reason) {
  printError(reason);
  printError(QStringLiteral("usage: kavalo-cli ") + cmd.synopsis);
  return kExitUsage;
}

CliStatus loadForCli(const CliOptions& options, ProgramState& state, CliPrompts& prompts, ElevationLoad elevation,
                     bool mayWrite) {
  state.readOnly = !mayWrite;
  auto failed = [](int status, const QString& text) {
    printError(text);
    return CliStatus(status);
  };
  if (!options.has(QStringLiteral("--root")) || options.get(QStringLiteral("--root")).isEmpty())
    return failed(kExitUsage, QStringLiteral("--root DIR is required (the RootFolder that holds dataset.txt)"));
  int index = -1;
  if (options.has(QStringLiteral("--dataset"))) {
    bool ok = false;
    index = options.get(QStringLiteral("--dataset")).toInt(&ok);
    if (!ok || index < 0) return failed(kExitUsage, QStringLiteral("--dataset must be an index of dataset.txt's list"));
  }
  // The window would end with its own words here; a script is told what is
  // missing, and where.
  const QString root = QDir::cleanPath(QDir(options.get(QStringLiteral("--root"))).absolutePath());
  if (!QFileInfo(root).isDir()) return failed(kExitFailed, QStringLiteral("RootFolder not found: %1").arg(root));
  if (!QFileInfo::exists(root + QStringLiteral("/dataset.txt")))
    return failed(kExitFailed, QStringLiteral("not a RootFolder (it has no dataset.txt): %1").arg(root));
  QString why;
  if (!startProgram(state, root, prompts, &why)) return failed(kExitFailed, why);
  if (state.dataFolders.empty())
    return failed(kExitFailed, QStringLiteral("dataset.txt lists no data folder: %1").arg(root));
  if (index >= static_cast<int>(state.dataFolders.size()))
    return failed(
        kExitUsage,
        QStringLiteral("--dataset must be an index of dataset.txt's list (0 to %1)").arg(state.dataFolders.size() - 1));
  if (index < 0 && options.has(QStringLiteral("--link"))) {
    // A link names its data folder by folder name.
    QString why;
    const std::optional<ViewLink> link = parseViewLink(options.get(QStringLiteral("--link")), &why);
    if (!link) return failed(kExitUsage, QStringLiteral("--link: %1").arg(why));
    for (size_t i = 0; i < state.dataFolders.size() && !link->dataset.isEmpty(); ++i)
      if (state.dataFolders[i].folder.compare(link->dataset, Qt::CaseInsensitive) == 0) index = static_cast<int>(i);
    if (index < 0 && !link->dataset.isEmpty())
      return failed(kExitUsage,
                    QStringLiteral("--link names a data folder dataset.txt does not list: %1").arg(link->dataset));
  }
  if (index < 0) index = initialDataFolderIndex(state);
  state.dataFolderIndex = index;
  state.datasetFolder = joinPath(state.rootFolder, u'\\' + state.dataFolders[static_cast<size_t>(index)].folder);
  qCInfo(lcData) << "RootFolder" << root << "data folder" << state.datasetFolder;
  if (!QFileInfo(state.datasetFolder).isDir())
    return failed(
        kExitFailed,
        QStringLiteral("data folder not found: %1 (entry %2 of dataset.txt)").arg(state.datasetFolder).arg(index));
  const qsizetype messagesBefore = prompts.messages().size();
  const LoadStatus status = LoadDataset(state, prompts, elevation);
  if (status == LoadStatus::NoMapInfo)
    return failed(kExitFailed,
                  QCoreApplication::translate("kavalo::CliCommon", "設定ファイル「mapinfo.txt」が見つかりません。\n%1")
                      .arg(joinPath(state.datasetFolder, QStringLiteral("\\mapinfo.txt"))));
  if (status != LoadStatus::Loaded) {
    // A malformed file is named by the loader's own message; a failure that
    // came without one still ends with a word.
    if (prompts.messages().size() == messagesBefore)
      printError(QStringLiteral("the data folder could not be loaded: %1").arg(state.datasetFolder));
    return CliStatus(kExitFailed);
  }
  return CliStatus();
}

}  // namespace kavalo
