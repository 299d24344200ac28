// SPDX-License-Identifier: MIT
#pragma once
#include <QStringList>

#include "cli/CliCommon.h"

namespace kavalo {

// kavalo-cli fetch-xyz: a web-mercator tile service as a new era.
CommandSpec fetchXyzCommandSpec();
int runFetchXyzCommand(const QStringList& args);

}  // namespace kavalo
