// SPDX-License-Identifier: MIT
#pragma once
#include <QStringList>

#include "cli/CliCommon.h"

namespace kavalo {

struct ProgramState;

// kavalo-cli shortage --root DIR [--dataset N]: per era of the dataset's own
// sheets (kinds 0 and 4), in era order, the package dialog's list text and
// the files the era lacks, as a JSON array.
CommandSpec shortageCommandSpec();
int runShortageCommand(const QStringList& args);

QString shortageJson(const ProgramState& state);

}  // namespace kavalo
