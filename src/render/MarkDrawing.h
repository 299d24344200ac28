// SPDX-License-Identifier: MIT
#pragma once
// The marks over the map: each a small white box with a red outline and a
// black shadow, hanging from its point (the point is the middle of the box's
// top edge), with the name inside. The same drawing serves the view and the
// page of the print pass.
#include <QPainter>
#include <QPointF>
#include <QRect>

#include "render/ComposeContext.h"

namespace kavalo {

// Marks are labelled in the map font at 10 points.
inline constexpr double kMarkFontPoints = 10.0;

// Where the parts of one label lie on the target.
struct MarkLabel {
  QRect box;           // the white box, outlined in red
  QRect shadow;        // the black box under it
  QPointF textOrigin;  // top-left corner of the name's text cell
};

// The label of a point at (px, py) on the target for a name of the given
// text width and height (measured on the target). scale is 1 on the view and
// k on the page: the box is round(width + scale) + scale wide (the text plus
// a margin), the shadow lies 2 x scale below and to the right.
MarkLabel markLabelGeometry(double px, double py, double textWidth, double textHeight, double scale);

// Draws the marks whose points lie inside the view's image rectangle, in
// index order (a later mark covers an earlier one). A mark outside the view
// is not drawn even where its label would reach into it.
void Mark_Print(QPainter& painter, const ComposeContext& context);

}  // namespace kavalo
