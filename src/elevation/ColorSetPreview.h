// SPDX-License-Identifier: MIT
#pragma once
// The editor's live pictures: the ramp of a colour set from the lowest to the
// highest point of the loaded grid, and the grid shrunk to a small shaded
// map, both drawn by the same colouring as the map itself.
#include <QImage>
#include <QSize>

#include "model/AltitudeGrid.h"
#include "model/ColorSet.h"

namespace kavalo {

// A strip of the given size: the sea colour in a square at the left, then
// the unshaded colours from the grid's lowest elevation (left) to its highest
// (right). A null image without a grid.
QImage rampStrip(const ColorSet& set, const AltitudeGrid& grid, QSize size);

// The grid coloured and shaded with the set, every step-th cell in both
// directions so that neither side exceeds maxSide pixels. The relief of cells
// `step` apart is divided by `step`, so the shading looks as it does on the
// map. A null image without a grid.
QImage shadedPreview(const ColorSet& set, const AltitudeGrid& grid, int maxSide);

}  // namespace kavalo
