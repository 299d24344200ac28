#include "geo/MarkDrawing.h"

namespace kavalo {

void Mark_Print(QPainter&, const ComposeContext&) {}

}  // namespace kavalo
