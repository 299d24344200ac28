// SPDX-License-Identifier: MIT
#pragma once
// The legend of a rendered view. The window shows the era's legend picture
// in a window of its own beside the map, its top-left part when the picture
// is larger; a rendered view has no windows, so render puts that part into
// the view's top-right corner, where the legend window stands beside the map.
#include <QImage>
#include <QString>

namespace kavalo {

struct ProgramState;

// The legend picture of the state's era. Null with *reason when the era has
// none (notApplicable: the legend switch cannot be ticked for it) or when its
// file is missing or unreadable (notApplicable false).
QImage legendForView(const ProgramState& state, QString* reason, bool* notApplicable);

// Draws the legend at its own size into the picture's top-right corner; the
// part that does not fit is the part the legend window would scroll to.
void drawLegendCorner(QImage& picture, const QImage& legend);

}  // namespace kavalo
