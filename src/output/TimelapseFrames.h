// SPDX-License-Identifier: MIT
#pragma once
// The pictures of a time-lapse film made from the composed eras: the era's
// label burned into a corner, and the cross-fade from one era into the next.
#include <QImage>
#include <QRect>
#include <QString>

#include "output/TimelapsePlan.h"

namespace kavalo {

// The label's pixel size in a film of that size: readable on a phone, where
// a film of 1920 x 1080 is shown some 6 cm high.
int filmLabelPixelSize(QSize film);

// Where the label of that text stands in a frame (its box, padding
// included); empty for LabelCorner::None.
QRect filmLabelRect(QSize film, const QString& text, LabelCorner corner);

// Burns the label into the frame: dark text on a light, nearly opaque box,
// so that it reads on any map.
void drawFilmLabel(QImage& frame, const QString& text, LabelCorner corner);

// out = a blended with b, b's weight out of 256 (RGB32, same sizes); out is
// made or reused.
void blendFrames(const QImage& a, const QImage& b, int weight, QImage& out);

// Whether two frames hold the same pixels.
bool samePixels(const QImage& a, const QImage& b);

}  // namespace kavalo
