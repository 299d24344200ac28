// SPDX-License-Identifier: MIT
#include "StretchReference.h"

#include "render/ImageLibrary.h"
#include "render/StretchTaps.h"

namespace kavalo::test {

void stretchReference(QImage& dst, const QRect& dstRect, const QImage& src, const QRect& srcRect, RasterOp rop,
                      const QRegion& clip) {
  using namespace stretch;
  if (dst.isNull() || src.isNull() || dstRect.isEmpty() || srcRect.isEmpty()) return;
  const QImage s = toOpaqueRgb32(src);
  // A source pixel of the rectangle; outside the image it reads as white.
  auto pixel = [&](int x, int y) -> uint32_t {
    const QPoint p(srcRect.left() + x, srcRect.top() + y);
    return s.rect().contains(p) ? static_cast<uint32_t>(s.pixel(p)) : 0xFFFFFFFFu;
  };
  const AxisTaps h = buildTaps(srcRect.width(), dstRect.width(), 0, dstRect.width());
  const AxisTaps v = buildTaps(srcRect.height(), dstRect.height(), 0, dstRect.height());
  const QRegion area = clip.intersected(dstRect.intersected(dst.rect()));
  for (const QRect& r : area) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
      const int row = y - dstRect.top();
      for (int x = r.left(); x <= r.right(); ++x) {
        const int column = x - dstRect.left();
        int acc[4] = {0, 0, 0, 0};
        for (int tv = 0; tv < v.taps; ++tv) {
          const int16_t wv = v.weightsOf(row)[tv];
          // An unused tap weighs nothing; the source row it names may not exist.
          const int sy = std::min(v.start[static_cast<size_t>(row)] + tv, srcRect.height() - 1);
          // The first pass: the row's pixels under this column, 7 fraction bits.
          int mid[4] = {0, 0, 0, 0};
          for (int th = 0; th < h.taps; ++th) {
            const int16_t wh = h.weightsOf(column)[th];
            if (wh == 0) continue;
            const uint32_t p = pixel(h.start[static_cast<size_t>(column)] + th, sy);
            for (int c = 0; c < 4; ++c) mid[c] += wh * static_cast<int>((p >> (8 * c)) & 0xFF);
          }
          for (int c = 0; c < 4; ++c) acc[c] += wv * ((mid[c] + (1 << (kMidShift - 1))) >> kMidShift);
        }
        uint32_t out = kOpaque;
        for (int c = 0; c < 3; ++c)
          out |= static_cast<uint32_t>(clampByte((acc[c] + (1 << (kFinalShift - 1))) >> kFinalShift)) << (8 * c);
        const uint32_t d = dst.pixel(x, y);
        dst.setPixel(x, y, combine(out, d, rop));
      }
    }
  }
}

}  // namespace kavalo::test
