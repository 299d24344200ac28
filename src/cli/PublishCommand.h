// SPDX-License-Identifier: MIT
#pragma once
#include <QStringList>

#include "cli/CliCommon.h"

namespace kavalo {

// kavalo-cli publish --root DIR [--dataset N] --mirror URL [--mirror URL…]
// -o WEBDIR: writes the data folder's web folder for any static web server.
CommandSpec publishCommandSpec();
int runPublishCommand(const QStringList& args);

}  // namespace kavalo
