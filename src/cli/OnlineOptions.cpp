// SPDX-License-Identifier: MIT
#include "cli/OnlineOptions.h"

#include "cli/CliCommon.h"
#include "model/ProgramState.h"
#include "net/OnlineMode.h"
#include "net/ServerSettings.h"

namespace kavalo {

QStringList onlineValueOptions() { return {QStringLiteral("--web-base")}; }
QStringList onlineSwitches() { return {QStringLiteral("--online")}; }

bool applyOnlineOptions(const CliOptions& options, ProgramState& state, Prompts& prompts,
                        const std::function<bool(const QString& url)>& reachable) {
  if (options.has(QStringLiteral("--web-base"))) useWebBase(state, options.get(QStringLiteral("--web-base")));
  if (!options.has(QStringLiteral("--online"))) return true;
  return SwitchOnline(state, prompts, OnlineView{}, reachable);
}

}  // namespace kavalo
