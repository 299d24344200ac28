// SPDX-License-Identifier: MIT
#pragma once
// The ruler on the map: the measured path (closed: with its area tinted), a
// dot at each clicked point and its length (and area) by the last point.
#include <QPainter>
#include <QString>

#include "geo/Ruler.h"
#include "render/OverlayDrawing.h"

namespace kavalo {

// label: what measureText gives for the path; nothing is drawn for a ruler
// without points.
void drawRuler(QPainter& painter, const Ruler& ruler, const MapInfo& info, const OverlayView& view,
               const QString& label);

}  // namespace kavalo
