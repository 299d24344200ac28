// SPDX-License-Identifier: MIT
#pragma once
#include <QStringList>

#include "cli/CliCommon.h"

namespace kavalo {

// kavalo-cli render --root DIR [--dataset N] [view options] -o FILE.png:
// composes the view through the window's composition and writes it as PNG
// (-o - writes it to standard output).
CommandSpec renderCommandSpec();

int runRenderCommand(const QStringList& args);

}  // namespace kavalo
