// SPDX-License-Identifier: MIT
#pragma once
// Where a dialog opens: beside the mouse cursor, on the screen that holds it.
#include <QPoint>
#include <QRect>
#include <QSize>

namespace kavalo {

// The top-left corner for a form of the given size with the cursor at
// `cursor` on a screen whose usable area is `screen` (global pixels).
// Vertically the form is centred on the cursor; horizontally it is centred on
// it, or, when centred is false, it starts a tenth of its width to the right.
// A form that would run past the screen's right (bottom) edge goes to the
// cursor's left (above it) instead, and nothing starts before the screen's
// left or top edge.
QPoint nearCursorPosition(QPoint cursor, QSize form, const QRect& screen, bool centred);

}  // namespace kavalo
