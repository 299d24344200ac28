// SPDX-License-Identifier: MIT
#include "render/StretchKernels.h"

#if KAVALO_STRETCH_AVX2
#include <immintrin.h>

#include "render/StretchTaps.h"

#define KAVALO_AVX2 __attribute__((target("avx2")))

namespace kavalo::stretch {

bool haveAvx2() {
  static const bool yes = __builtin_cpu_supports("avx2");
  return yes;
}

namespace {

// Two taps: two destination columns at once (the low half of the result the
// first, the high half the second), with their weight vectors side by side.
KAVALO_AVX2 inline __m256i twoColumnsAvx2(const uint32_t* p0, const uint32_t* p1, const int32_t* wide) {
  const __m128i four = _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p0)),
                                          _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p1)));
  const __m256i pixels = _mm256_cvtepu8_epi16(four);
  const __m256i paired = _mm256_unpacklo_epi16(pixels, _mm256_srli_si256(pixels, 8));
  return _mm256_madd_epi16(paired, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(wide)));
}

// Four taps: one destination column from four neighbouring source pixels.
KAVALO_AVX2 inline __m128i fourTapsAvx2(const uint32_t* p, const int32_t* wide) {
  const __m256i pixels = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
  const __m256i paired = _mm256_unpacklo_epi16(pixels, _mm256_srli_si256(pixels, 8));
  const __m256i products = _mm256_madd_epi16(paired, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(wide)));
  return _mm_add_epi32(_mm256_castsi256_si128(products), _mm256_extracti128_si256(products, 1));
}

// The first pass for two or four taps; other tap counts take the narrower
// kernel.
KAVALO_AVX2 int rowPassAvx2Impl(const uint32_t* base, const int* starts, const int32_t* wide, int taps, int columns,
                                int16_t* out) {
  int i = 0;
  if (taps == 2) {
    const __m256i round = _mm256_set1_epi32(1 << (kMidShift - 1));
    for (; i + 3 < columns; i += 4) {
      __m256i a = twoColumnsAvx2(base + starts[i], base + starts[i + 1], wide + 4 * i);
      __m256i b = twoColumnsAvx2(base + starts[i + 2], base + starts[i + 3], wide + 4 * (i + 2));
      a = _mm256_srai_epi32(_mm256_add_epi32(a, round), kMidShift);
      b = _mm256_srai_epi32(_mm256_add_epi32(b, round), kMidShift);
      // packs works within halves: (i, i+2 | i+1, i+3) back into order.
      const __m256i packed = _mm256_permute4x64_epi64(_mm256_packs_epi32(a, b), 0xD8);
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 4 * i), packed);
    }
  } else if (taps == 4) {
    const __m128i round = _mm_set1_epi32(1 << (kMidShift - 1));
    for (; i + 1 < columns; i += 2) {
      const __m128i a = _mm_srai_epi32(_mm_add_epi32(fourTapsAvx2(base + starts[i], wide + 8 * i), round), kMidShift);
      const __m128i b =
          _mm_srai_epi32(_mm_add_epi32(fourTapsAvx2(base + starts[i + 1], wide + 8 * (i + 1)), round), kMidShift);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4 * i), _mm_packs_epi32(a, b));
    }
  }
  return i;
}

// Four pixels as 16-bit channels: pixels i, i+1 in the low half, i+2, i+3 in
// the high half.
template <int kHalf>
KAVALO_AVX2 inline __m256i fourPixelsAvx2(const int16_t* const* rows, const __m256i* w, const int32_t* wpairs, int n,
                                          int i) {
  const __m256i round = _mm256_set1_epi32(1 << (kFinalShift - 1));
  __m256i lo = _mm256_setzero_si256();
  __m256i hi = _mm256_setzero_si256();
  for (int t = 0; t < n; ++t) {
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rows[2 * t] + 4 * i));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rows[2 * t + 1] + 4 * i));
    const __m256i wt = kHalf > 0 ? w[t] : _mm256_set1_epi32(wpairs[t]);
    lo = _mm256_add_epi32(lo, _mm256_madd_epi16(_mm256_unpacklo_epi16(a, b), wt));
    hi = _mm256_add_epi32(hi, _mm256_madd_epi16(_mm256_unpackhi_epi16(a, b), wt));
  }
  lo = _mm256_srai_epi32(_mm256_add_epi32(lo, round), kFinalShift);
  hi = _mm256_srai_epi32(_mm256_add_epi32(hi, round), kFinalShift);
  return _mm256_packs_epi32(lo, hi);
}

template <int kHalf>
KAVALO_AVX2 int columnPassAvx2Impl(const int16_t* const* rows, const int32_t* wpairs, int half, int columns,
                                   uint32_t* dst, RasterOp rop) {
  const int n = kHalf > 0 ? kHalf : half;
  constexpr int kHoisted = kHalf > 0 ? kHalf : 1;
  __m256i w[kHoisted];
  for (int t = 0; t < kHoisted && t < n; ++t) w[t] = _mm256_set1_epi32(wpairs[t]);
  const __m256i opaque = _mm256_set1_epi32(static_cast<int32_t>(kOpaque));
  int i = 0;
  for (; i + 7 < columns; i += 8) {
    const __m256i bytes = _mm256_packus_epi16(fourPixelsAvx2<kHalf>(rows, w, wpairs, n, i),
                                              fourPixelsAvx2<kHalf>(rows, w, wpairs, n, i + 4));
    __m256i px = _mm256_or_si256(_mm256_permute4x64_epi64(bytes, 0xD8), opaque);
    auto* d = reinterpret_cast<__m256i*>(dst + i);
    if (rop == RasterOp::And)
      px = _mm256_and_si256(px, _mm256_loadu_si256(d));
    else if (rop == RasterOp::Paint)
      px = _mm256_or_si256(px, _mm256_loadu_si256(d));
    _mm256_storeu_si256(d, px);
  }
  return i;
}
}  // namespace

int rowPassAvx2(const uint32_t* base, const int* starts, const int32_t* wide, int taps, int columns, int16_t* out) {
  return rowPassAvx2Impl(base, starts, wide, taps, columns, out);
}

int columnPassAvx2(const int16_t* const* rows, const int32_t* wpairs, int taps, int columns, uint32_t* dst,
                   RasterOp rop) {
  if (taps == 2) return columnPassAvx2Impl<1>(rows, wpairs, 1, columns, dst, rop);
  if (taps == 4) return columnPassAvx2Impl<2>(rows, wpairs, 2, columns, dst, rop);
  return columnPassAvx2Impl<0>(rows, wpairs, taps / 2, columns, dst, rop);
}

}  // namespace kavalo::stretch
#endif
