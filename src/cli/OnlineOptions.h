// SPDX-License-Identifier: MIT
#pragma once
// --online and --web-base, for the commands that may reach the dataset's web
// server.
#include <QStringList>
#include <functional>

namespace kavalo {

struct CliOptions;
struct ProgramState;
class Prompts;

// "--web-base" (takes a value) and "--online" (a switch).
QStringList onlineValueOptions();
QStringList onlineSwitches();

// --web-base overrides the environment and servers.txt. With --online the
// program is switched online as by a click on the indicator (the question
// answered Yes; its messages go to prompts): true when --online was asked
// for and the server answered, or when it was not asked for; false when the
// server check failed.
// reachable, when given, makes the server check (see SwitchOnline).
bool applyOnlineOptions(const CliOptions& options, ProgramState& state, Prompts& prompts,
                        const std::function<bool(const QString& url)>& reachable = {});

}  // namespace kavalo
