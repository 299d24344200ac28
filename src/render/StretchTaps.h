// SPDX-License-Identifier: MIT
#pragma once
// The arithmetic of a stretch, shared by the kernels that carry it out and by
// the tests' reference: the source positions and fixed-point weights of each
// destination position along one axis, and how a stretched pixel combines
// with the destination. Stretching: each axis on its own, an area average
// when shrinking and a linear interpolation between pixel centres when
// enlarging, with integer weights that add up exactly.
#include <QtGlobal>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "render/RasterOps.h"

namespace kavalo::stretch {

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
AxisTaps buildTaps(int s, int d, int d0, int d1, int margin = 0);

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

}  // namespace kavalo::stretch
