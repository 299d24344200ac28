// SPDX-License-Identifier: MIT
#pragma once
// Draws the map of one era over a rectangle of the world, in the look of its
// period: the line work of a printed sheet (or of the agency's digital map).
#include <QImage>
#include <QRectF>

#include "MapStyle.h"
#include "Scene.h"

namespace sample {

// world: the rectangle in image pixels of the Tokyo-datum graticule that the
// picture shows; size: the picture's size in pixels.
QImage paintMap(const Scene& scene, const MapLook& look, const QRectF& world, QSize size);

}  // namespace sample
