// SPDX-License-Identifier: MIT
#pragma once
#include <QStringList>

#include "cli/CliCommon.h"

namespace kavalo {

// kavalo-cli import --root DIR [--dataset N] --file F --year Y --credit TEXT
// [--label TEXT] [--kind map|photo]: a georeferenced scan as a new era of
// the data folder. Status 0 when the era was added, 1 when the scan could not
// be taken (nothing is left behind), 2 for a usage error.
CommandSpec importCommandSpec();

int runImportCommand(const QStringList& args);

struct ScanImportRequest;
// The import of a scan with its progress in tens of percent on standard
// error, the result on standard output (or the failure on standard error):
// the import command's and the georef command's last step.
int runImportWithProgress(ProgramState& state, const ScanImportRequest& request);

}  // namespace kavalo
