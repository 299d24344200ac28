// SPDX-License-Identifier: MIT
#pragma once
#include <QStringList>

#include "cli/CliCommon.h"

namespace kavalo {

// kavalo-cli print --root DIR [view options] (--printer NAME | --pdf FILE)
// [--paper NAME] [--orientation portrait|landscape] [--print-size PCT]
// [--offset-mm X,Y]: the view printed as the print dialog would with those
// choices (size 10 to 100 %, default 100; offset of the map's top-left from
// the printable area's top-left, default centred).
CommandSpec printCommandSpec();

int runPrintCommand(const QStringList& args);

}  // namespace kavalo
