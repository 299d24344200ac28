// SPDX-License-Identifier: MIT
#include "cli/FetchPackagesCommand.h"

#include <QCoreApplication>

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
    // A failure is told on standard error, what was done on standard output.
    std::FILE* to = isFailureMessage(icon) ? stderr : stdout;
    std::fputs(lines.toUtf8().constData(), to);
    std::fflush(to);
  }
};

}  // namespace

CommandSpec fetchPackagesCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("fetch-packages");
  cmd.synopsis = QStringLiteral("fetch-packages --root DIR [--dataset N] --eras I[,J...] [--web-base URL]");
  cmd.summary = QCoreApplication::translate("kavalo::FetchPackagesCommand",
                                            "Fetches and unpacks the map-sheet packages of eras that lack files.");
  cmd.description = QCoreApplication::translate(
      "kavalo::FetchPackagesCommand",
      "The package download of the window's Get sheets button for eras I, J… (indices of the era table, eras of "
      "the "
      "data folder's own map sheets), every question answered Yes: the server list of the dataset's web folder "
      "(--web-base, KAVALO_WEB_BASE or web_base of servers.txt), the number of packages of each era, then the "
      "numbered packages from the servers in turn, each checked entry by entry before it is unpacked. Progress "
      "goes to standard error, the run's messages to standard output, those of a failure to standard error. Eras that "
      "lack nothing are passed over; "
      "when every era given is complete each is listed as having all its files and the status is 0.");
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
  if (const CliStatus loaded = loadForCli(options, state, loadPrompts, ElevationLoad::WithDataset, true); !loaded)
    return loaded.status();
  applyOnlineOptions(options, state, loadPrompts);

  const std::vector<EraShortage> shortages = BuildShortageList(state);
  std::vector<int> selected;
  std::vector<bool> named(shortages.size(), false);
  for (const QString& part : options.get(QStringLiteral("--eras")).split(u',')) {
    bool ok = false;
    const int era = part.trimmed().toInt(&ok);
    int position = -1;
    for (size_t i = 0; ok && i < shortages.size(); ++i)
      if (shortages[i].eraIndex == era) position = static_cast<int>(i);
    if (position < 0)
      return finishParse(cmd, ParseOutcome::Error,
                         QStringLiteral("--eras: %1 is not an era of the dataset's own sheets").arg(part));
    named[static_cast<size_t>(position)] = true;
    // As in the dialog, an era that lacks nothing cannot be chosen.
    if (shortages[static_cast<size_t>(position)].lacksFiles() &&
        std::find(selected.begin(), selected.end(), position) == selected.end())
      selected.push_back(position);
  }
  std::sort(selected.begin(), selected.end());  // the run goes in list order
  if (selected.empty()) {
    // Nothing to fetch is not a failure: the eras are as complete as asked.
    for (size_t i = 0; i < shortages.size(); ++i)
      if (named[i]) printOut(ShortageListText(state, shortages[i]));
    return kExitOk;
  }

  StdoutPrompts prompts;
  PackageRunView view;
  view.setCaption = [](const QString& caption) { printError(caption); };
  std::vector<DownloadServer> servers;
  const PackageRunOutcome result = RunPackageDownload(state, prompts, shortages, selected, servers, view);
  return result.success ? kExitOk : kExitFailed;
}

}  // namespace kavalo
