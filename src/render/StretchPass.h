// SPDX-License-Identifier: MIT
#pragma once
// The pass driver of a stretch: srcRect of src (of any format; pixels outside
// it read as white) stretched over dstRect of dst, inside clip, two passes
// through the vector kernels; with a margin the source has that many pixels
// more on each side for the interpolation to reach into. A stretch one to one
// combines the rows directly.
#include <QImage>
#include <QRect>
#include <QRegion>

#include "render/RasterOps.h"

namespace kavalo::stretch {

void stretchRun(QImage& dst, const QRect& dstRect, const QImage& src, const QRect& srcRect, RasterOp rop,
                const QRegion& clip, int margin);

}  // namespace kavalo::stretch
