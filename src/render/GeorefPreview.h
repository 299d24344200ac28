// SPDX-License-Identifier: MIT
#pragma once
// The live overlay of the georeferencer: the scan's reduced copy warped with
// the current transform onto the map view, so that the user sees the warp
// land while placing points. A mesh over the scan is carried through the
// transform to view pixels and each of its triangles is filled from the
// reduced copy (affine within a triangle); the full-resolution warp happens
// only on import.
#include <QImage>
#include <QSize>

#include "model/Coordinates.h"

namespace kavalo {

class GeorefSession;

// The scan as it falls on the viewport, ARGB32 premultiplied, transparent
// where the scan (inside its mask) does not reach. Null without a transform.
// The viewport is in the picture's own pixels.
QImage georefPreview(const GeorefSession& session, const Viewport& view);

}  // namespace kavalo
