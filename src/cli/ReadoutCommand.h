// SPDX-License-Identifier: MIT
#pragma once
#include <QStringList>

#include "cli/CliCommon.h"

namespace kavalo {

// kavalo-cli readout --root DIR [--dataset N] [view options] [--datum 0|1]
// --at PX,PY: the cursor readout at a view pixel as JSON.
CommandSpec readoutCommandSpec();

int runReadoutCommand(const QStringList& args);

}  // namespace kavalo
