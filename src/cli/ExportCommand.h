// SPDX-License-Identifier: MIT
#pragma once
#include <QStringList>

#include "cli/CliCommon.h"

namespace kavalo {

// kavalo-cli export --root DIR [view options] --format html|kml|kmz
// --image png|jpg [--world-files] -o FILE: the export of the dialog for that
// view and the listed eras.
CommandSpec exportCommandSpec();

int runExportCommand(const QStringList& args);

}  // namespace kavalo
