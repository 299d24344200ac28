// SPDX-License-Identifier: MIT
#pragma once
#include <QStringList>

#include "cli/CliCommon.h"

namespace kavalo {

// kavalo-cli export-era --root DIR [--dataset N] --era I --format
// gpkg|mbtiles|cog [--elevation] -o FILE: one era in one file for other GIS
// tools.
CommandSpec exportEraCommandSpec();
int runExportEraCommand(const QStringList& args);

}  // namespace kavalo
