// SPDX-License-Identifier: MIT
#pragma once
// The legend picture of a map era: the symbols of its period with their
// names, in the inks of its sheets.
#include <QImage>
#include <QString>

#include "MapStyle.h"

namespace sample {

// year decides which symbols appear (no railway before it was built).
QImage paintLegend(MapStyle style, int year, const QString& subtitle);

}  // namespace sample
