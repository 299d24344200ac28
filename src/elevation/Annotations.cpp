#include "elevation/Annotations.h"

namespace kavalo {

void Scale_Print(QPainter&, const ComposeContext&) {}
void Approval_Print(QPainter&, const ComposeContext&) {}

}  // namespace kavalo
