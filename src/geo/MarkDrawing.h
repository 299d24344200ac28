#pragma once
#include <QPainter>

#include "render/ComposeContext.h"

namespace kavalo {

// The marks inside the view, each a small labelled box hanging from its point.
void Mark_Print(QPainter& painter, const ComposeContext& context);

}  // namespace kavalo
