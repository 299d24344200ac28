// SPDX-License-Identifier: MIT
#pragma once
// Finds and loads the module kavalo-geodata on first use. It is looked for in
// $KAVALO_GEODATA_PLUGIN (a file, or a folder holding it), the executable's
// folder, ../lib/kavalo beside it (an installed tree) and the library folder
// the program was installed with.
#include <QString>
#include <QStringList>

#include "platform/GeoData.h"

namespace kavalo {

// The module's services, loaded once; null with the reason in *error (the
// message for the person at the screen) when it cannot be loaded.
GeoData* geoData(QString* error = nullptr);

// The places looked at, in order (for the message and for tests).
QStringList geoDataCandidates();

}  // namespace kavalo
