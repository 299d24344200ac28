// SPDX-License-Identifier: MIT
#pragma once
#include <QStringList>

#include "cli/CliCommon.h"

namespace kavalo {

// kavalo-cli fetch-agency: the agency dialog without the dialog, every
// question answered Yes.
CommandSpec fetchAgencyCommandSpec();
int runFetchAgencyCommand(const QStringList& args);

}  // namespace kavalo
