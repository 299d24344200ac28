// SPDX-License-Identifier: MIT
#pragma once
// Aerial photographs of the world: fields, forest, sea and the town as they
// look from the air in a year, and the ageing of a hand-coloured survey map
// into a sepia scan.
#include <QImage>
#include <QRectF>

#include "Scene.h"

namespace sample {

enum class PhotoLook {
  Film1980,  // colour film of around 1980: warmer, softer, a little faded
  Digital,   // a recent digital ortho photo
};

QImage paintPhoto(const Scene& scene, PhotoLook look, const QRectF& world, QSize size);

// Turns a map picture into an old brownish print with stains and grain,
// anchored to the world so that neighbouring pictures match.
void ageToSepia(QImage& image, const QRectF& world);

}  // namespace sample
