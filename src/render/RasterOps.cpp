#include "render/RasterOps.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#define KAVALO_STRETCH_SSE2 1
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
// Wider kernels for processors that have them, chosen at run time.
#define KAVALO_STRETCH_AVX2 1
#define KAVALO_AVX2 __attribute__((target("avx2")))
#endif
#endif

#include "platform/Numbers.h"
#include "render/ImageLibrary.h"

namespace kavalo {

namespace {

// Weights are fixed-point with 14 fraction bits and add up to exactly kOne.
// The first pass keeps 7 fraction bits per channel (at most 255 << 7, which
// fits a signed 16-bit lane); the second pass ends with 21 fraction bits.
constexpr int kWeightBits = 14;
constexpr int kOne = 1 << kWeightBits;
constexpr int kMidShift = 7;
constexpr int kFinalShift = 2 * kWeightBits - kMidShift;
constexpr uint32_t kOpaque = 0xFF000000u;

// The source positions and weights of a run of destination positions along
// one axis. Every position has `taps` weights (an even number; unused ones are
// zero) starting at source index start[i] relative to the source rectangle.
struct AxisTaps {
  int taps = 2;
  std::vector<int> start;
  std::vector<int16_t> weight;  // taps per position
  std::vector<int32_t> pairs;   // the same weights two by two, as (w0, w1) 16-bit pairs
  std::vector<int32_t> wide;    // each pair four times over, ready to load as a vector

  const int16_t* weightsOf(int i) const { return weight.data() + static_cast<size_t>(i) * taps; }
  const int32_t* pairsOf(int i) const { return pairs.data() + static_cast<size_t>(i) * (taps / 2); }
};

// Destination positions [d0, d1) of a destination length d over a source
// length s. Shrinking (s >= d) averages the source area under each
// destination pixel; enlarging interpolates between the two nearest source
// pixel centres, holding the edge pixels. With a margin the source has that
// many more pixels on either side (starts count from the first of them), and
// enlarging interpolates into them instead of holding the edge.
AxisTaps buildTaps(int s, int d, int d0, int d1, int margin = 0) {
  AxisTaps a;
  const int n = d1 - d0;
  a.start.resize(static_cast<size_t>(n));
  std::vector<std::array<int, 2>> spans(static_cast<size_t>(n));
  int widest = 1;
  if (s >= d) {
    // Destination pixel i covers [i s, (i + 1) s) in units of 1/d of a source
    // pixel; source pixel j covers [j d, (j + 1) d).
    for (int i = d0; i < d1; ++i) {
      const int64_t lo = static_cast<int64_t>(i) * s;
      const int64_t hi = lo + s;
      const int first = static_cast<int>(lo / d);
      const int last = static_cast<int>((hi - 1) / d);
      spans[static_cast<size_t>(i - d0)] = {first, last - first + 1};
      widest = std::max(widest, last - first + 1);
    }
  } else {
    for (int i = d0; i < d1; ++i) spans[static_cast<size_t>(i - d0)] = {0, 2};
    widest = 2;
  }
  a.taps = (widest + 1) & ~1;
  a.weight.assign(static_cast<size_t>(n) * a.taps, 0);
  for (int i = d0; i < d1; ++i) {
    const size_t k = static_cast<size_t>(i - d0);
    int16_t* w = a.weight.data() + k * a.taps;
    if (s >= d) {
      const int first = spans[k][0];
      const int count = spans[k][1];
      const int64_t lo = static_cast<int64_t>(i) * s;
      const int64_t hi = lo + s;
      int sum = 0, biggest = 0;
      for (int t = 0; t < count; ++t) {
        const int64_t pl = static_cast<int64_t>(first + t) * d;
        const int64_t overlap = std::min(hi, pl + d) - std::max(lo, pl);
        const int v = static_cast<int>((overlap * kOne + s / 2) / s);
        w[t] = static_cast<int16_t>(v);
        sum += v;
        if (v > w[biggest]) biggest = t;
      }
      w[biggest] = static_cast<int16_t>(w[biggest] + (kOne - sum));
      a.start[k] = first + margin;
    } else {
      // Centre of destination pixel i in source pixels: ((2i + 1) s - d) / 2d.
      const int64_t num = static_cast<int64_t>(2 * i + 1) * s - d;
      const int64_t den = 2 * static_cast<int64_t>(d);
      int j = 0;
      int64_t frac = 0;
      if (num > 0) {
        j = static_cast<int>(num / den);
        frac = num % den;
      } else if (num < 0 && margin > 0) {
        // Left of the first pixel's centre: between the margin's pixel and it.
        j = -1;
        frac = num + den;
      }
      if (j >= s - 1 && margin == 0) {
        j = s - 1;
        frac = 0;
      }
      const int w1 = static_cast<int>((frac * kOne + den / 2) / den);
      w[0] = static_cast<int16_t>(kOne - w1);
      w[1] = static_cast<int16_t>(w1);
      a.start[k] = j + margin;
    }
  }
  a.pairs.resize(a.weight.size() / 2);
  for (size_t k = 0; k < a.pairs.size(); ++k)
    a.pairs[k] = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint16_t>(a.weight[2 * k])) |
                                      (static_cast<uint32_t>(static_cast<uint16_t>(a.weight[2 * k + 1])) << 16));
  a.wide.resize(a.pairs.size() * 4);
  for (size_t k = 0; k < a.pairs.size(); ++k)
    std::fill_n(a.wide.begin() + static_cast<std::ptrdiff_t>(4 * k), 4, a.pairs[k]);
  return a;
}

inline uint8_t clampByte(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

inline uint32_t combine(uint32_t src, uint32_t dst, RasterOp rop) {
  switch (rop) {
    case RasterOp::Copy:
      return src;
    case RasterOp::And:
      return src & dst;
    case RasterOp::Paint:
      return src | dst;
  }
  return src;
}

// A source that is RGB32 and covers the rectangle: the image itself, or a
// white canvas holding what of the rectangle lies inside the image.
struct PreparedSource {
  QImage image;
  QRect rect;
};

PreparedSource prepareSource(const QImage& src, const QRect& srcRect) {
  PreparedSource p;
  QImage rgb = toOpaqueRgb32(src);
  if (rgb.rect().contains(srcRect)) {
    p.image = std::move(rgb);
    p.rect = srcRect;
    return p;
  }
  QImage canvas(srcRect.size(), QImage::Format_RGB32);
  canvas.fill(0xFFFFFFFFu);
  const QRect inside = srcRect.intersected(rgb.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    const auto* from = reinterpret_cast<const uint32_t*>(rgb.constScanLine(y)) + inside.left();
    auto* to = reinterpret_cast<uint32_t*>(canvas.scanLine(y - srcRect.top())) + (inside.left() - srcRect.left());
    std::memcpy(to, from, static_cast<size_t>(inside.width()) * 4);
  }
  p.image = std::move(canvas);
  p.rect = p.image.rect();
  return p;
}

// One clipped destination rectangle of a stretch: the columns [c0, c1) and
// rows [r0, r1) of the destination rectangle, whose top-left pixel lies at
// (dx, dy) in the destination image.
struct Span {
  int c0, c1, r0, r1;
  int dx, dy;
};

// The first pass of one source row: the row's pixels under the span's
// columns, each destination column as four 16-bit channels with 7 fraction
// bits.
#if KAVALO_STRETCH_SSE2
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

#if KAVALO_STRETCH_AVX2
bool haveAvx2() {
  static const bool yes = __builtin_cpu_supports("avx2");
  return yes;
}

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
KAVALO_AVX2 int rowPassAvx2(const uint32_t* base, const int* starts, const int32_t* wide, int taps, int columns,
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
KAVALO_AVX2 void columnPassAvx2(const int16_t* const* rows, const int32_t* wpairs, int half, int columns, uint32_t* dst,
                                RasterOp rop) {
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
  if (i < columns) columnPassVector<kHalf>(rows, wpairs, half, i, columns, dst, rop);
}
#endif
#endif

class RowPass {
 public:
  RowPass(const QImage& src, const QRect& srcRect, const AxisTaps& h, int columns)
      : src_(src), srcRect_(srcRect), h_(h), columns_(columns) {
    lo_ = h.start.front();
    int hi = 0;
    for (int i = 0; i < columns; ++i) hi = std::max(hi, h.start[static_cast<size_t>(i)] + h.taps);
    hi = std::min(hi, srcRect.width());
    hiUsed_ = hi;
    line_.assign(static_cast<size_t>(hi - lo_ + h.taps + 2), 0u);
  }

  // out: columns x 4 channels (+ room for one more column).
  void run(int row, int16_t* out, bool vector);

 private:
  const QImage& src_;
  QRect srcRect_;
  const AxisTaps& h_;
  int columns_;
  int lo_ = 0;
  int hiUsed_ = 0;
  std::vector<uint32_t> line_;
};

void RowPass::run(int row, int16_t* out, bool vector) {
  const auto* from = reinterpret_cast<const uint32_t*>(src_.constScanLine(srcRect_.top() + row)) + srcRect_.left();
  std::memcpy(line_.data(), from + lo_, static_cast<size_t>(hiUsed_ - lo_) * 4);
  const int taps = h_.taps;
#if KAVALO_STRETCH_SSE2
  if (vector) {
    const uint32_t* base = line_.data() - lo_;
    const int* starts = h_.start.data();
    const int32_t* pairs = h_.pairs.data();
    int done = 0;
#if KAVALO_STRETCH_AVX2
    if (haveAvx2()) done = rowPassAvx2(base, starts, h_.wide.data(), taps, columns_, out);
#endif
    const int half = taps / 2;
    const size_t skip = static_cast<size_t>(done) * half;
    const int rest = columns_ - done;
    int16_t* to = out + 4 * done;
    if (rest <= 0) return;
    if (taps == 2)
      rowPassVector<1>(base, starts + done, pairs + skip, 1, rest, to);
    else if (taps == 4)
      rowPassVector<2>(base, starts + done, pairs + skip, 2, rest, to);
    else
      rowPassVector<0>(base, starts + done, pairs + skip, half, rest, to);
    return;
  }
#endif
  (void)vector;
  for (int i = 0; i < columns_; ++i) {
    const uint32_t* p = line_.data() + (h_.start[static_cast<size_t>(i)] - lo_);
    const int16_t* w = h_.weightsOf(i);
    int acc[4] = {0, 0, 0, 0};
    for (int t = 0; t < taps; ++t) {
      const uint32_t px = p[t];
      for (int c = 0; c < 4; ++c) acc[c] += w[t] * static_cast<int>((px >> (8 * c)) & 0xFF);
    }
    for (int c = 0; c < 4; ++c) out[4 * i + c] = static_cast<int16_t>((acc[c] + (1 << (kMidShift - 1))) >> kMidShift);
  }
}

// The second pass: one destination row from the first-pass rows of its taps.
void columnPass(const int16_t* const* rows, const int16_t* w, const int32_t* wpairs, int taps, int columns,
                uint32_t* dst, RasterOp rop, bool vector) {
#if KAVALO_STRETCH_SSE2
  if (vector) {
#if KAVALO_STRETCH_AVX2
    if (haveAvx2()) {
      if (taps == 2)
        columnPassAvx2<1>(rows, wpairs, 1, columns, dst, rop);
      else if (taps == 4)
        columnPassAvx2<2>(rows, wpairs, 2, columns, dst, rop);
      else
        columnPassAvx2<0>(rows, wpairs, taps / 2, columns, dst, rop);
      return;
    }
#endif
    if (taps == 2)
      columnPassVector<1>(rows, wpairs, 1, 0, columns, dst, rop);
    else if (taps == 4)
      columnPassVector<2>(rows, wpairs, 2, 0, columns, dst, rop);
    else
      columnPassVector<0>(rows, wpairs, taps / 2, 0, columns, dst, rop);
    return;
  }
#endif
  (void)vector;
  for (int i = 0; i < columns; ++i) {
    int acc[4] = {0, 0, 0, 0};
    for (int t = 0; t < taps; ++t)
      for (int c = 0; c < 4; ++c) acc[c] += w[t] * rows[t][4 * i + c];
    uint32_t px = kOpaque;
    for (int c = 0; c < 3; ++c)
      px |= static_cast<uint32_t>(clampByte((acc[c] + (1 << (kFinalShift - 1))) >> kFinalShift)) << (8 * c);
    dst[i] = combine(px, dst[i], rop);
  }
}

// srcRect includes the margin on each side.
void stretchSpan(QImage& dst, const QRect& dstRect, const QImage& src, const QRect& srcRect, int margin, RasterOp rop,
                 const Span& span, bool vector) {
  const int columns = span.c1 - span.c0;
  const AxisTaps h = buildTaps(srcRect.width() - 2 * margin, dstRect.width(), span.c0, span.c1, margin);
  const AxisTaps v = buildTaps(srcRect.height() - 2 * margin, dstRect.height(), span.r0, span.r1, margin);
  RowPass pass(src, srcRect, h, columns);

  // First-pass rows live in a ring of v.taps slotCount: the rows a destination
  // row needs only move forward, so a slot is reused only after its row is
  // behind every later destination row.
  const int slotCount = v.taps;
  const size_t stride = static_cast<size_t>(columns + 2) * 4;
  std::vector<int16_t> ring(stride * slotCount, 0);
  std::vector<int> held(static_cast<size_t>(slotCount), -1);
  std::vector<const int16_t*> rows(static_cast<size_t>(v.taps));
  const int lastRow = srcRect.height() - 1;

  for (int r = span.r0; r < span.r1; ++r) {
    const size_t k = static_cast<size_t>(r - span.r0);
    const int first = v.start[k];
    const int16_t* w = v.weightsOf(static_cast<int>(k));
    for (int t = 0; t < v.taps; ++t) {
      // Unused taps (zero weight) read a row already held.
      const int row = (w[t] != 0 || t == 0) ? std::min(first + t, lastRow) : first;
      const int slot = row % slotCount;
      int16_t* buffer = ring.data() + stride * slot;
      if (held[static_cast<size_t>(slot)] != row) {
        pass.run(row, buffer, vector);
        held[static_cast<size_t>(slot)] = row;
      }
      rows[static_cast<size_t>(t)] = buffer;
    }
    auto* out = reinterpret_cast<uint32_t*>(dst.scanLine(span.dy + (r - span.r0))) + span.dx;
    columnPass(rows.data(), w, v.pairsOf(static_cast<int>(k)), v.taps, columns, out, rop, vector);
  }
}

void stretchImpl(QImage& dst, const QRect& dstRect, const QImage& src, const QRect& srcRect, RasterOp rop,
                 const QRegion& clip, bool vector, int margin = 0) {
  if (dst.isNull() || src.isNull() || dstRect.width() <= 0 || dstRect.height() <= 0 || srcRect.width() <= 0 ||
      srcRect.height() <= 0)
    return;
  if (dst.format() != QImage::Format_RGB32) dst = dst.convertToFormat(QImage::Format_RGB32);
  const QRegion area = clip.intersected(dstRect.intersected(dst.rect()));
  if (area.isEmpty()) return;
  const PreparedSource s = prepareSource(src, srcRect.adjusted(-margin, -margin, margin, margin));
  if (margin == 0 && srcRect.size() == dstRect.size()) {
    // One to one, every destination pixel takes its source pixel whole (the
    // filter's single tap weighs 1): the rows are combined directly, which
    // is what makes a redraw from stretched, cached tiles cheap.
    const int dx = s.rect.left() - dstRect.left();
    const int dy = s.rect.top() - dstRect.top();
    for (const QRect& r : area) {
      for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto* in = reinterpret_cast<const uint32_t*>(s.image.constScanLine(y + dy)) + (r.left() + dx);
        auto* out = reinterpret_cast<uint32_t*>(dst.scanLine(y)) + r.left();
        // One loop per operation, so that each is vectorised.
        const int n = r.width();
        switch (rop) {
          case RasterOp::Copy:
            std::memcpy(out, in, static_cast<size_t>(n) * 4);
            break;
          case RasterOp::And:
            for (int x = 0; x < n; ++x) out[x] &= in[x];
            break;
          case RasterOp::Paint:
            for (int x = 0; x < n; ++x) out[x] |= in[x];
            break;
        }
      }
    }
    return;
  }
  for (const QRect& r : area) {
    Span span;
    span.c0 = r.left() - dstRect.left();
    span.c1 = r.right() + 1 - dstRect.left();
    span.r0 = r.top() - dstRect.top();
    span.r1 = r.bottom() + 1 - dstRect.top();
    span.dx = r.left();
    span.dy = r.top();
    stretchSpan(dst, dstRect, s.image, s.rect, margin, rop, span, vector);
  }
}

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
#if KAVALO_STRETCH_SSE2
  stretchImpl(dst, dstRect, src, srcRect, rop, clip, true);
#else
  stretchImpl(dst, dstRect, src, srcRect, rop, clip, false);
#endif
}

void stretchBltWithApron(QImage& dst, const QRect& dstRect, const QImage& src, const QRect& srcRect, RasterOp rop,
                         const QRegion& clip) {
#if KAVALO_STRETCH_SSE2
  stretchImpl(dst, dstRect, src, srcRect, rop, clip, true, 1);
#else
  stretchImpl(dst, dstRect, src, srcRect, rop, clip, false, 1);
#endif
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

void detail::stretchBltReference(QImage& dst, const QRect& dstRect, const QImage& src, const QRect& srcRect,
                                 RasterOp rop, const QRegion& clip) {
  stretchImpl(dst, dstRect, src, srcRect, rop, clip, false);
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
