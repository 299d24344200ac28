// SPDX-License-Identifier: MIT
#include "render/StretchTaps.h"

#include <array>

namespace kavalo::stretch {

AxisTaps buildTaps(int s, int d, int d0, int d1, int margin) {
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

}  // namespace kavalo::stretch
