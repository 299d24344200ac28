#include "cli/CliCommon.h"

#include <QCommandLineParser>
#include <QDir>

#include <cstdio>

#include "app/DatasetLoader.h"
#include "app/Startup.h"
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

ParseOutcome parseCommand(const CommandSpec& cmd, const QStringList& args, CliOptions& out, QString* error) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  parser.addOption(help);
  for (const QString& name : cmd.valueOptions)
    parser.addOption(QCommandLineOption(bareName(name), QString(), QStringLiteral("value")));
  for (const QString& name : cmd.switches) parser.addOption(QCommandLineOption(bareName(name)));
  // QCommandLineParser reads the first argument as the program's name.
  if (!parser.parse(QStringList{QStringLiteral("kavalo-cli")} + args)) {
    if (error) *error = parser.errorText();
    return ParseOutcome::Error;
  }
  if (parser.isSet(help)) {
    printOut(QStringLiteral("usage: kavalo-cli ") + cmd.synopsis);
    return ParseOutcome::Help;
  }
  if (!parser.positionalArguments().isEmpty()) {
    if (error) *error = QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first());
    return ParseOutcome::Error;
  }
  for (const QString& name : cmd.valueOptions) {
    // A repeated option counts with its last value, as a shell user expects.
    if (parser.isSet(bareName(name))) out.values[name] = parser.values(bareName(name)).last();
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
  if (outcome == ParseOutcome::Help) return 0;
  printError(error);
  printError(QStringLiteral("usage: kavalo-cli ") + cmd.synopsis);
  return 2;
}

bool loadForCli(const CliOptions& options, ProgramState& state, CliPrompts& prompts, ElevationLoad elevation,
                bool mayWrite) {
  state.readOnly = !mayWrite;
  if (!options.has(QStringLiteral("--root"))) {
    printError(QStringLiteral("--root DIR is required"));
    return false;
  }
  const QString root = QDir::cleanPath(QDir(options.get(QStringLiteral("--root"))).absolutePath());
  if (!startProgram(state, root, prompts)) return false;
  int index = initialDataFolderIndex(state);
  if (options.has(QStringLiteral("--dataset"))) {
    bool ok = false;
    index = options.get(QStringLiteral("--dataset")).toInt(&ok);
    if (!ok || index < 0 || index >= static_cast<int>(state.dataFolders.size())) {
      printError(QStringLiteral("--dataset must be an index of dataset.txt's list (0 to %1)")
                     .arg(state.dataFolders.size() - 1));
      return false;
    }
  }
  if (state.dataFolders.empty()) {
    printError(QStringLiteral("dataset.txt lists no data folder"));
    return false;
  }
  state.dataFolderIndex = index;
  state.datasetFolder = joinPath(state.rootFolder, u'\\' + state.dataFolders[static_cast<size_t>(index)].folder);
  const LoadStatus status = LoadDataset(state, prompts, elevation);
  if (status == LoadStatus::NoMapInfo)
    prompts.message(QStringLiteral("設定ファイル「mapinfo.txt」が見つかりません。"), MessageIcon::Exclamation);
  return status == LoadStatus::Loaded;
}

}  // namespace kavalo
