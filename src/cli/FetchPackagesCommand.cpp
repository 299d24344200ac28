#include "cli/FetchPackagesCommand.h"

#include <algorithm>
#include <cstdio>

#include "cli/OnlineOptions.h"
#include "model/ProgramState.h"
#include "net/PackageDownload.h"

namespace kavalo {

namespace {

// The run's messages are its result: standard output, one line feed after
// each line.
class StdoutPrompts : public ScriptedPrompts {
 public:
  void message(const QString& text, MessageIcon icon) override {
    ScriptedPrompts::message(text, icon);
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (!lines.endsWith(u'\n')) lines += u'\n';
    std::fputs(lines.toUtf8().constData(), stdout);
    std::fflush(stdout);
  }
};

}  // namespace

CommandSpec fetchPackagesCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("fetch-packages");
  cmd.synopsis = QStringLiteral("fetch-packages --root DIR [--dataset N] --eras I[,J...] [--web-base URL]");
  cmd.valueOptions = QStringList{QStringLiteral("--root"), QStringLiteral("--dataset"), QStringLiteral("--eras")}
                     << onlineValueOptions();
  return cmd;
}

int runFetchPackagesCommand(const QStringList& args) {
  CliOptions options;
  QString error;
  const CommandSpec cmd = fetchPackagesCommandSpec();
  const ParseOutcome outcome = parseCommand(cmd, args, options, &error);
  if (outcome != ParseOutcome::Ok) return finishParse(cmd, outcome, error);
  if (!options.has(QStringLiteral("--eras")))
    return finishParse(cmd, ParseOutcome::Error, QStringLiteral("--eras is required"));

  ProgramState state;
  CliPrompts loadPrompts;
  // Unpacking packages into the data folder is what this command is for.
  if (!loadForCli(options, state, loadPrompts, ElevationLoad::WithDataset, true)) return 1;
  applyOnlineOptions(options, state, loadPrompts);

  const std::vector<EraShortage> shortages = BuildShortageList(state);
  std::vector<int> selected;
  for (const QString& part : options.get(QStringLiteral("--eras")).split(u',')) {
    bool ok = false;
    const int era = part.trimmed().toInt(&ok);
    int position = -1;
    for (size_t i = 0; ok && i < shortages.size(); ++i)
      if (shortages[i].eraIndex == era) position = static_cast<int>(i);
    if (position < 0)
      return finishParse(cmd, ParseOutcome::Error,
                         QStringLiteral("--eras: %1 is not an era of the dataset's own sheets").arg(part));
    // As in the dialog, an era that lacks nothing cannot be chosen.
    if (shortages[static_cast<size_t>(position)].missingCount > 0 &&
        std::find(selected.begin(), selected.end(), position) == selected.end())
      selected.push_back(position);
  }
  std::sort(selected.begin(), selected.end());  // the run goes in list order

  StdoutPrompts prompts;
  PackageRunView view;
  view.setCaption = [](const QString& caption) { printError(caption); };
  std::vector<DownloadServer> servers;
  const PackageRunOutcome result = RunPackageDownload(state, prompts, shortages, selected, servers, view);
  return result.success ? 0 : 1;
}

}  // namespace kavalo
