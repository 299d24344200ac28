// SPDX-License-Identifier: MIT
#pragma once
// A value known at the points of a regular grid over the region (with a
// margin outside it, for the frames shifted against ours), read anywhere by
// bilinear interpolation.
#include <QPointF>
#include <algorithm>
#include <vector>

#include "Parallel.h"
#include "SampleRegion.h"

namespace sample {

class Field {
 public:
  static constexpr int kStep = 3;      // pixels between grid points
  static constexpr int kMargin = 120;  // pixels outside the region on every side

  Field() : cols_((kMosaicWidth + 2 * kMargin) / kStep + 1), rows_((kMosaicHeight + 2 * kMargin) / kStep + 1) {
    values_.assign(static_cast<size_t>(cols_) * rows_, 0.0f);
  }

  int cols() const { return cols_; }
  int rows() const { return rows_; }
  std::vector<float>& values() { return values_; }
  const std::vector<float>& values() const { return values_; }
  float& at(int i, int j) { return values_[static_cast<size_t>(j) * cols_ + i]; }
  float at(int i, int j) const { return values_[static_cast<size_t>(j) * cols_ + i]; }
  static QPointF position(int i, int j) { return {i * double(kStep) - kMargin, j * double(kStep) - kMargin}; }

  // Sets every grid point from f(x, y), rows in parallel.
  template <typename F>
  void fill(F f) {
    parallelFor(rows_, [&](int j) {
      for (int i = 0; i < cols_; ++i) {
        const QPointF p = position(i, j);
        at(i, j) = static_cast<float>(f(p.x(), p.y()));
      }
    });
  }

  double sample(double x, double y) const {
    const double gx = std::clamp((x + kMargin) / kStep, 0.0, cols_ - 1.001);
    const double gy = std::clamp((y + kMargin) / kStep, 0.0, rows_ - 1.001);
    const int i = static_cast<int>(gx), j = static_cast<int>(gy);
    const double tx = gx - i, ty = gy - j;
    const size_t k = static_cast<size_t>(j) * cols_ + i;
    const double top = values_[k] + (values_[k + 1] - values_[k]) * tx;
    const double bottom = values_[k + cols_] + (values_[k + cols_ + 1] - values_[k + cols_]) * tx;
    return top + (bottom - top) * ty;
  }

 private:
  int cols_;
  int rows_;
  std::vector<float> values_;
};

}  // namespace sample
