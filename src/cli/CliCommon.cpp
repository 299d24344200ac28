#include "cli/CliCommon.h"

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

bool parseOptions(const QStringList& args, const QStringList& known, CliOptions& out, QString* error) {
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    if (!known.contains(a)) {
      if (error) *error = QStringLiteral("unknown option: %1").arg(a);
      return false;
    }
    if (i + 1 >= args.size()) {
      if (error) *error = QStringLiteral("option %1 needs a value").arg(a);
      return false;
    }
    out.values[a] = args[++i];
  }
  return true;
}

bool loadForCli(const CliOptions& options, ProgramState& state, CliPrompts& prompts) {
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
  const LoadStatus status = LoadDataset(state, prompts);
  if (status == LoadStatus::NoMapInfo)
    prompts.message(QStringLiteral("設定ファイル「mapinfo.txt」が見つかりません。"), MessageIcon::Exclamation);
  return status == LoadStatus::Loaded;
}

}  // namespace kavalo
