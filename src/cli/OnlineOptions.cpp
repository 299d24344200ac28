#include "cli/OnlineOptions.h"

#include "cli/CliCommon.h"
#include "model/ProgramState.h"
#include "net/OnlineMode.h"
#include "net/ServerSettings.h"

namespace kavalo {

QStringList onlineValueOptions() { return {QStringLiteral("--web-base")}; }
QStringList onlineSwitches() { return {QStringLiteral("--online")}; }

void applyOnlineOptions(const CliOptions& options, ProgramState& state, Prompts& prompts) {
  if (options.has(QStringLiteral("--web-base"))) useWebBase(state, options.get(QStringLiteral("--web-base")));
  if (!options.has(QStringLiteral("--online"))) return;
  InstallOnlineFetcher(state, prompts, OnlineView{});
  SwitchOnline(state, prompts, OnlineView{});
}

}  // namespace kavalo
