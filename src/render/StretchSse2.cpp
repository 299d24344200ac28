// SPDX-License-Identifier: MIT
#include "render/StretchKernels.h"

#if KAVALO_STRETCH_SSE2
#include <emmintrin.h>

#include "render/StretchTaps.h"

namespace kavalo::stretch {

namespace {

// Sum of half pairs of source pixels times their weight pairs, four 32-bit
// channels. kHalf > 0 fixes the pair count at compile time.
template <int kHalf>
inline __m128i weighedPixels(const uint32_t* p, const int32_t* wp, int half) {
  const __m128i zero = _mm_setzero_si128();
  const int n = kHalf > 0 ? kHalf : half;
  __m128i acc = _mm_setzero_si128();
  for (int t = 0; t < n; ++t) {
    const __m128i two = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 2 * t)), zero);
    const __m128i paired = _mm_unpacklo_epi16(two, _mm_srli_si128(two, 8));
    acc = _mm_add_epi32(acc, _mm_madd_epi16(paired, _mm_set1_epi32(wp[t])));
  }
  return acc;
}

template <int kHalf>
void rowPassVector(const uint32_t* base, const int* starts, const int32_t* pairs, int half, int columns, int16_t* out) {
  const __m128i round = _mm_set1_epi32(1 << (kMidShift - 1));
  auto column = [&](int i) {
    const __m128i acc = weighedPixels<kHalf>(base + starts[i], pairs + static_cast<size_t>(i) * half, half);
    return _mm_srai_epi32(_mm_add_epi32(acc, round), kMidShift);
  };
  int i = 0;
  for (; i + 1 < columns; i += 2) {
    const __m128i a = column(i);
    const __m128i b = column(i + 1);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4 * i), _mm_packs_epi32(a, b));
  }
  if (i < columns) {
    const __m128i a = column(i);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 4 * i), _mm_packs_epi32(a, a));
  }
}

// The second pass over one destination row, four pixels at a time. The
// weights are the same along the row.
template <int kHalf>
void columnPassVector(const int16_t* const* rows, const int32_t* wpairs, int half, int first, int columns,
                      uint32_t* dst, RasterOp rop) {
  const int n = kHalf > 0 ? kHalf : half;
  const __m128i round = _mm_set1_epi32(1 << (kFinalShift - 1));
  const __m128i opaque = _mm_set1_epi32(static_cast<int32_t>(kOpaque));
  constexpr int kHoisted = kHalf > 0 ? kHalf : 1;
  __m128i w[kHoisted];
  for (int t = 0; t < kHoisted && t < n; ++t) w[t] = _mm_set1_epi32(wpairs[t]);
  // Eight 16-bit words: the channels of two pixels with 7 fraction bits.
  auto twoPixels = [&](int i) {
    __m128i lo = _mm_setzero_si128();
    __m128i hi = _mm_setzero_si128();
    for (int t = 0; t < n; ++t) {
      const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[2 * t] + 4 * i));
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[2 * t + 1] + 4 * i));
      const __m128i wt = kHalf > 0 ? w[t] : _mm_set1_epi32(wpairs[t]);
      lo = _mm_add_epi32(lo, _mm_madd_epi16(_mm_unpacklo_epi16(a, b), wt));
      hi = _mm_add_epi32(hi, _mm_madd_epi16(_mm_unpackhi_epi16(a, b), wt));
    }
    lo = _mm_srai_epi32(_mm_add_epi32(lo, round), kFinalShift);
    hi = _mm_srai_epi32(_mm_add_epi32(hi, round), kFinalShift);
    return _mm_packs_epi32(lo, hi);
  };
  auto apply = [&](__m128i px, __m128i old) {
    if (rop == RasterOp::And) return _mm_and_si128(px, old);
    if (rop == RasterOp::Paint) return _mm_or_si128(px, old);
    return px;
  };
  int i = first;
  for (; i + 3 < columns; i += 4) {
    auto* d = reinterpret_cast<__m128i*>(dst + i);
    const __m128i px = _mm_or_si128(_mm_packus_epi16(twoPixels(i), twoPixels(i + 2)), opaque);
    _mm_storeu_si128(d, apply(px, _mm_loadu_si128(d)));
  }
  for (; i < columns; i += 2) {
    const __m128i words = twoPixels(i);
    const __m128i px = _mm_or_si128(_mm_packus_epi16(words, words), opaque);
    if (i + 1 < columns) {
      auto* d = reinterpret_cast<__m128i*>(dst + i);
      _mm_storel_epi64(d, apply(px, _mm_loadl_epi64(d)));
    } else {
      dst[i] = combine(static_cast<uint32_t>(_mm_cvtsi128_si32(px)), dst[i], rop);
    }
  }
}

}  // namespace

void rowPassSse2(const uint32_t* base, const int* starts, const int32_t* pairs, int taps, int columns, int16_t* out) {
  if (taps == 2)
    rowPassVector<1>(base, starts, pairs, 1, columns, out);
  else if (taps == 4)
    rowPassVector<2>(base, starts, pairs, 2, columns, out);
  else
    rowPassVector<0>(base, starts, pairs, taps / 2, columns, out);
}

void columnPassSse2(const int16_t* const* rows, const int32_t* wpairs, int taps, int first, int columns, uint32_t* dst,
                    RasterOp rop) {
  if (taps == 2)
    columnPassVector<1>(rows, wpairs, 1, first, columns, dst, rop);
  else if (taps == 4)
    columnPassVector<2>(rows, wpairs, 2, first, columns, dst, rop);
  else
    columnPassVector<0>(rows, wpairs, taps / 2, first, columns, dst, rop);
}

}  // namespace kavalo::stretch
#endif
