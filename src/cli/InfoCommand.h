// SPDX-License-Identifier: MIT
#pragma once
#include <QStringList>

#include "cli/CliCommon.h"

namespace kavalo {

struct ProgramState;

// kavalo-cli info --root DIR [--dataset N]: the loaded dataset as one JSON
// object on standard output.
CommandSpec infoCommandSpec();

int runInfoCommand(const QStringList& args);

// The JSON text of a loaded state (the info command's output).
QString datasetInfoJson(const ProgramState& state);

}  // namespace kavalo
