// SPDX-License-Identifier: MIT
#pragma once
#include <QStringList>

#include "cli/CliCommon.h"

namespace kavalo {

class GeorefSession;

// kavalo-cli georef: a plain scan placed by control points (any of the three
// exchange formats) and imported as a new era, or only measured (--dry-run).
// Status 0 when the era was added (or the dry run fits), 1 when the points do
// not fit the scan or the scan cannot be taken (nothing is left behind), 2
// for a usage error.
CommandSpec georefCommandSpec();

int runGeorefCommand(const QStringList& args);

// The fit's figures as the report file holds them (JSON).
QString georefReport(const GeorefSession& session);

}  // namespace kavalo
