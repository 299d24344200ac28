// SPDX-License-Identifier: MIT
#pragma once
#include <QStringList>

#include "cli/CliCommon.h"

namespace kavalo {

// kavalo-cli measure LAT,LON LAT,LON... [--closed]: the geodesic length of
// the path (world datum) in metres, and the area when closed, as JSON.
CommandSpec measureCommandSpec();

int runMeasureCommand(const QStringList& args);

}  // namespace kavalo
