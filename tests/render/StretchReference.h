// SPDX-License-Identifier: MIT
#pragma once
// The stretch computed pixel by pixel from its tap tables, in plain integer
// arithmetic, without the passes' buffers or vector instructions: what the
// kernels must agree with exactly.
#include <QImage>
#include <QRect>
#include <QRegion>

#include "render/RasterOps.h"

namespace kavalo::test {

void stretchReference(QImage& dst, const QRect& dstRect, const QImage& src, const QRect& srcRect, RasterOp rop,
                      const QRegion& clip);

}  // namespace kavalo::test
