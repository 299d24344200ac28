// SPDX-License-Identifier: MIT
#pragma once
#include <QStringList>

#include "cli/CliCommon.h"

namespace kavalo {

// kavalo-cli timelapse --root DIR [view options] --format webp|gif|mp4 -o
// FILE: the eras of the view as a film, as the window's 動画 export makes it.
CommandSpec timelapseCommandSpec();

int runTimelapseCommand(const QStringList& args);

}  // namespace kavalo
