// SPDX-License-Identifier: MIT
#pragma once
#include <QStringList>

#include "cli/CliCommon.h"

namespace kavalo {

// kavalo-cli eras: renames or deletes an era the user added.
CommandSpec erasCommandSpec();
int runErasCommand(const QStringList& args);

}  // namespace kavalo
