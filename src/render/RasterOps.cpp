// SPDX-License-Identifier: MIT
#include "render/RasterOps.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/Numbers.h"
#include "render/ImageLibrary.h"
#include "render/StretchKernels.h"
#include "render/StretchPass.h"
#include "render/StretchTaps.h"

#if KAVALO_STRETCH_SSE2
#include <emmintrin.h>
#endif

namespace kavalo {

namespace {

using stretch::clampByte;
using stretch::kOpaque;

std::array<uint8_t, 256> makeVeilTable() {
  std::array<uint8_t, 256> t{};
  for (int d = 0; d < 256; ++d) t[static_cast<size_t>(d)] = clampByte(roundToInt((80.0 * 255.0 + d * 175.0) / 255.0));
  return t;
}

// One channel of a masked tile over the background d: the tile t counts as
// already weighed by its coverage (it is black where the mask is white), so
// the background shows through by the mask's share m: t + round(d m / 255).
// A pure mask gives the bitwise result exactly (m = 255: d OR t).
inline uint32_t maskedChannel(uint32_t d, uint32_t t, uint32_t m) {
  if (m == 255) return d | t;
  const uint32_t x = d * m + 127;
  return std::min<uint32_t>(255, t + ((x + 1 + (x >> 8)) >> 8));  // x / 255 for x < 65535
}

// A row of the masked composition: d over t through m, in place.
void maskedRow(uint32_t* d, const uint32_t* t, const uint32_t* m, int n) {
  int i = 0;
#if KAVALO_STRETCH_SSE2
  const __m128i zero = _mm_setzero_si128();
  const __m128i ones = _mm_set1_epi8(static_cast<char>(0xFF));
  const __m128i half = _mm_set1_epi16(127);
  const __m128i one = _mm_set1_epi16(1);
  const __m128i opaque = _mm_set1_epi32(static_cast<int32_t>(kOpaque));
  auto half8 = [&](__m128i d16, __m128i t16, __m128i m16) {
    const __m128i x = _mm_add_epi16(_mm_mullo_epi16(d16, m16), half);
    const __m128i q = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x, one), _mm_srli_epi16(x, 8)), 8);
    return _mm_add_epi16(t16, q);
  };
  for (; i + 3 < n; i += 4) {
    const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
    const __m128i tv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i));
    const __m128i mv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m + i));
    const __m128i lo = half8(_mm_unpacklo_epi8(dv, zero), _mm_unpacklo_epi8(tv, zero), _mm_unpacklo_epi8(mv, zero));
    const __m128i hi = half8(_mm_unpackhi_epi8(dv, zero), _mm_unpackhi_epi8(tv, zero), _mm_unpackhi_epi8(mv, zero));
    const __m128i blended = _mm_packus_epi16(lo, hi);
    const __m128i white = _mm_cmpeq_epi8(mv, ones);
    const __m128i bitwise = _mm_or_si128(dv, tv);
    const __m128i out = _mm_or_si128(_mm_and_si128(white, bitwise), _mm_andnot_si128(white, blended));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_or_si128(out, opaque));
  }
#endif
  for (; i < n; ++i) {
    uint32_t out = kOpaque;
    for (int c = 0; c < 24; c += 8)
      out |= maskedChannel((d[i] >> c) & 0xFF, (t[i] >> c) & 0xFF, (m[i] >> c) & 0xFF) << c;
    d[i] = out;
  }
}

const std::array<uint8_t, 256>& veilTable() {
  static const std::array<uint8_t, 256> table = makeVeilTable();
  return table;
}

}  // namespace

void stretchBlt(QImage& dst, const QRect& dstRect, const QImage& src, const QRect& srcRect, RasterOp rop,
                const QRegion& clip) {
  stretch::stretchRun(dst, dstRect, src, srcRect, rop, clip, 0);
}

void stretchBltWithApron(QImage& dst, const QRect& dstRect, const QImage& src, const QRect& srcRect, RasterOp rop,
                         const QRegion& clip) {
  stretch::stretchRun(dst, dstRect, src, srcRect, rop, clip, 1);
}

void stretchMaskedBlt(QImage& dst, const QRect& dstRect, const QImage& tile, const QImage& mask, const QRect& srcRect,
                      const QRegion& clip) {
  if (dst.isNull() || tile.isNull() || mask.isNull() || dstRect.isEmpty() || srcRect.isEmpty()) return;
  if (dst.format() != QImage::Format_RGB32) dst = dst.convertToFormat(QImage::Format_RGB32);
  const QRegion area = clip.intersected(dstRect.intersected(dst.rect()));
  if (area.isEmpty()) return;
  // Both pictures are stretched alike into scratch pictures of the area's
  // bounds, then laid over the destination pixel by pixel. The scratch
  // pictures are kept from tile to tile: fresh ones would cost page faults
  // on every tile of every redraw.
  const QRect bounds = area.boundingRect();
  const QRect placed = dstRect.translated(-bounds.topLeft());
  const QRegion scratchArea(QRect(QPoint(0, 0), bounds.size()));
  static thread_local QImage t, m;
  for (QImage* scratch : {&t, &m}) {
    if (scratch->width() < bounds.width() || scratch->height() < bounds.height())
      *scratch = QImage(std::max(scratch->width(), bounds.width()), std::max(scratch->height(), bounds.height()),
                        QImage::Format_RGB32);
    if (scratch->isNull()) return;
  }
  stretchBlt(t, placed, tile, srcRect, RasterOp::Copy, scratchArea);
  stretchBlt(m, placed, mask, srcRect, RasterOp::Copy, scratchArea);
  for (const QRect& r : area) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
      const int sy = y - bounds.top();
      maskedRow(reinterpret_cast<uint32_t*>(dst.scanLine(y)) + r.left(),
                reinterpret_cast<const uint32_t*>(t.constScanLine(sy)) + (r.left() - bounds.left()),
                reinterpret_cast<const uint32_t*>(m.constScanLine(sy)) + (r.left() - bounds.left()), r.width());
    }
  }
}

void copyImage(QImage& dst, const QPoint& pos, const QImage& src, const QRegion& clip) {
  if (dst.isNull() || src.isNull()) return;
  if (dst.format() != QImage::Format_RGB32) dst = dst.convertToFormat(QImage::Format_RGB32);
  const QImage rgb = toOpaqueRgb32(src);
  const QRegion area = clip.intersected(QRect(pos, rgb.size()).intersected(dst.rect()));
  for (const QRect& r : area) {
    for (int y = r.top(); y <= r.bottom(); ++y)
      std::memcpy(reinterpret_cast<uint32_t*>(dst.scanLine(y)) + r.left(),
                  reinterpret_cast<const uint32_t*>(rgb.constScanLine(y - pos.y())) + (r.left() - pos.x()),
                  static_cast<size_t>(r.width()) * 4);
  }
}

void fillRect(QImage& dst, const QRect& rect, QRgb colour, RasterOp rop, const QRegion& clip) {
  if (dst.isNull() || rect.isEmpty()) return;
  if (dst.format() != QImage::Format_RGB32) dst = dst.convertToFormat(QImage::Format_RGB32);
  const uint32_t c = colour | kOpaque;
  // White under AND leaves everything as it is.
  if (rop == RasterOp::And && c == 0xFFFFFFFFu) return;
  const QRegion area = clip.intersected(rect.intersected(dst.rect()));
  for (const QRect& r : area) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
      auto* p = reinterpret_cast<uint32_t*>(dst.scanLine(y)) + r.left();
      const int n = r.width();
      switch (rop) {
        case RasterOp::Copy:
          std::fill(p, p + n, c);
          break;
        case RasterOp::And:
          for (int i = 0; i < n; ++i) p[i] &= c;
          break;
        case RasterOp::Paint:
          for (int i = 0; i < n; ++i) p[i] |= c;
          break;
      }
    }
  }
}

uint8_t veilChannel(uint8_t d) { return veilTable()[d]; }

void veilRect(QImage& dst, const QRect& rect, const QRegion& clip) {
  if (dst.isNull() || rect.isEmpty()) return;
  if (dst.format() != QImage::Format_RGB32) dst = dst.convertToFormat(QImage::Format_RGB32);
  const auto& t = veilTable();
  const QRegion area = clip.intersected(rect.intersected(dst.rect()));
  for (const QRect& r : area) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
      auto* p = reinterpret_cast<uint32_t*>(dst.scanLine(y)) + r.left();
      for (int i = 0; i < r.width(); ++i) {
        const uint32_t v = p[i];
        p[i] = kOpaque | (uint32_t(t[(v >> 16) & 0xFF]) << 16) | (uint32_t(t[(v >> 8) & 0xFF]) << 8) | t[v & 0xFF];
      }
    }
  }
}

}  // namespace kavalo
