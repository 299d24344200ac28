// SPDX-License-Identifier: MIT
#pragma once
#include <QStringList>

#include "cli/CliCommon.h"

namespace kavalo {

// kavalo-cli fetch-packages --root DIR [--dataset N] --eras I[,J...]
// [--web-base URL]: the package download run for those eras (indices of the
// era table) with every question answered Yes. Progress goes to standard
// error, the run's messages to standard output. 0 when the run ends with
// "画像データを取得しました。", 1 otherwise, 2 for a usage error.
CommandSpec fetchPackagesCommandSpec();
int runFetchPackagesCommand(const QStringList& args);

}  // namespace kavalo
