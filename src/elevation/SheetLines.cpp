#include "elevation/SheetLines.h"

namespace kavalo {

void DrawSheetLines(QPainter&, const ComposeContext&) {}

}  // namespace kavalo
