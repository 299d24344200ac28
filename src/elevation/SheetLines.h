#pragma once
#include <QPainter>

#include "render/ComposeContext.h"

namespace kavalo {

// The outlines of the map sheets of the shown era: along the sheet-frame
// grid of its frame type for scanned sheets, one rectangle per sheet of the
// 1/20,000 sheet index; nothing for other eras.
void DrawSheetLines(QPainter& painter, const ComposeContext& context);

}  // namespace kavalo
