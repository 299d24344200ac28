// SPDX-License-Identifier: MIT
#pragma once
// Draws the user's vector files over a view: polygons, lines, point markers
// and the points' names, simplified for the zoom and clipped to the view so
// that a track of a hundred thousand points redraws in a millisecond or two.
//
// The view is given as what the drawing needs and nothing more: how image
// coordinates become target pixels (a scale and a shift: the view, or the
// view on a page), the image rectangle that is visible, and the target's
// pixels per view pixel for line widths and text.
#include <QPainter>
#include <QRectF>
#include <QTransform>

#include "geo/OverlayData.h"
#include "model/Coordinates.h"

namespace kavalo {

struct OverlayView {
  QTransform imageToTarget;  // affine: scale and shift
  QRectF visibleImageRect;
  double imagePxPerTargetPx = 1.0;
  double deviceScale = 1.0;  // target pixels per view pixel (k on a page)
};

// The view of a Viewport on its own picture (k = 1) or on a page (k, ox, oy:
// page pixels per view pixel and the view's offset on the page): the
// coordinate model's ImageToScreen without its rounding.
OverlayView overlayViewOf(const Viewport& view, double k = 1.0, double ox = 0.0, double oy = 0.0);

// Names are drawn only when at most this many named points are in view;
// beyond that they would cover the map.
inline constexpr int kMaxOverlayLabels = 150;

void drawOverlayFeatures(QPainter& painter, const OverlaySet& set, const OverlayView& view);

struct ComposeContext;
// The session's files over a composition (the view, a pane, the page).
void UserOverlays_Print(QPainter& painter, const ComposeContext& context);

}  // namespace kavalo
