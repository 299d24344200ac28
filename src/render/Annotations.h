// SPDX-License-Identifier: MIT
#pragma once
#include <QPainter>

#include "render/ComposeContext.h"

namespace kavalo {

// The scale bar in the bottom-right corner.
void Scale_Print(QPainter& painter, const ComposeContext& context);

// The four credit lines in the bottom-left corner.
void Approval_Print(QPainter& painter, const ComposeContext& context);

}  // namespace kavalo
