// SPDX-License-Identifier: MIT
#pragma once
// Where a scan falls on the region: its outline, in the world datum, drawn
// over the overview picture of the position dialog (the import dialog's
// preview).
#include <QImage>
#include <QPolygonF>
#include <vector>

#include "geo/PositionOverview.h"
#include "platform/GeoData.h"

namespace kavalo {

// The outline on the overview: each point through the coordinate model
// (world datum) and scaled from the mosaic onto the overview like its tiles.
QPolygonF overviewFootprint(const OverviewGeometry& g, const MapInfo& info, const std::vector<GeoPoint>& outline);

// Tints the outline's inside and draws its edge onto the overview.
void drawScanFootprint(QImage& overview, const QPolygonF& footprint);

}  // namespace kavalo
