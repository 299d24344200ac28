// SPDX-License-Identifier: MIT
#pragma once
// Which mark a right-click on the map view hits.
#include <QFontMetricsF>

#include "model/Coordinates.h"
#include "model/Marks.h"

class QPaintDevice;

namespace kavalo {

// The first mark (lowest index) whose label, shadow included, covers the view
// position (x, y): with (sx, sy) the mark's point on the view, half = round(
// text width / 2) and h = round(text height) of its name, the label spans
// sx - half - 2 to sx + half + 5 across and sy - 2 to sy + h + 4 down.
// -1 when no mark is hit. metrics: the view's font.
int Mark_HitTest(const MarkList& marks, const Viewport& view, const QFontMetricsF& metrics, double x, double y);

// The same with the marks' font measured on the view's picture (device may
// be null: the screen's resolution is used).
int Mark_HitTest(const MarkList& marks, const Viewport& view, const QPaintDevice* device, double x, double y);

// A new mark at a view position: the position becomes whole image pixels,
// X = round(cx + ScreenToImageDX(x - W / 2)) and likewise Y, read in the
// world datum.
Mark markAtViewPosition(const Viewport& view, double x, double y, const QString& name);

}  // namespace kavalo
