// SPDX-License-Identifier: MIT
#pragma once
// The commands of kavalo-cli and what the program says about itself: the
// usage, --help and the manual page kavalo-cli(1), all made from the
// commands' own descriptions.
#include <QString>
#include <QStringList>
#include <vector>

#include "cli/CliCommon.h"
#include "platform/HelpText.h"

namespace kavalo {

struct CliCommand {
  CommandSpec (*describe)();
  int (*run)(const QStringList& args);
};

// Every command, in the order the usage lists them.
const std::vector<CliCommand>& cliCommands();

// "kavalo-cli <synopsis>" of every command, one after the other, with the
// continuation lines indented under the command's first option (the block
// the README shows).
QString cliSynopsisBlock();

// kavalo-cli --help.
QString cliHelpText();

// The manual page kavalo-cli(1).
HelpDocument cliHelpDocument();

}  // namespace kavalo
