// SPDX-License-Identifier: MIT
#pragma once
// The sheet lines drawn over a composition, on the view and on the page.
#include <QPainter>

#include "render/ComposeContext.h"

namespace kavalo {

// Draws the lines of the shown era in black (nothing for eras without them).
void DrawSheetLines(QPainter& painter, const ComposeContext& context);

}  // namespace kavalo
