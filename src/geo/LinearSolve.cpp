// SPDX-License-Identifier: MIT
#include "geo/LinearSolve.h"

#include <algorithm>
#include <cmath>

namespace kavalo {

namespace {
// Relative size below which a pivot counts as zero.
constexpr double kSingular = 1e-11;
}  // namespace

bool leastSquares(Matrix a, std::vector<double> b, std::vector<double>& x) {
  const size_t m = a.rows(), n = a.cols();
  if (m < n || b.size() != m || n == 0) return false;
  double largest = 0.0;
  for (size_t r = 0; r < m; ++r)
    for (size_t c = 0; c < n; ++c) largest = std::max(largest, std::abs(a(r, c)));
  if (largest == 0.0) return false;
  for (size_t k = 0; k < n; ++k) {
    double norm = 0.0;
    for (size_t r = k; r < m; ++r) norm += a(r, k) * a(r, k);
    norm = std::sqrt(norm);
    if (norm <= kSingular * largest) return false;
    const double alpha = a(k, k) > 0 ? -norm : norm;
    // v = column - alpha e_k, kept in place below the diagonal.
    std::vector<double> v(m - k);
    for (size_t r = k; r < m; ++r) v[r - k] = a(r, k);
    v[0] -= alpha;
    double vv = 0.0;
    for (double e : v) vv += e * e;
    if (vv == 0.0) continue;
    for (size_t c = k; c < n; ++c) {
      double dot = 0.0;
      for (size_t r = k; r < m; ++r) dot += v[r - k] * a(r, c);
      const double f = 2.0 * dot / vv;
      for (size_t r = k; r < m; ++r) a(r, c) -= f * v[r - k];
    }
    double dot = 0.0;
    for (size_t r = k; r < m; ++r) dot += v[r - k] * b[r];
    const double f = 2.0 * dot / vv;
    for (size_t r = k; r < m; ++r) b[r] -= f * v[r - k];
  }
  x.assign(n, 0.0);
  for (size_t k = n; k-- > 0;) {
    double s = b[k];
    for (size_t c = k + 1; c < n; ++c) s -= a(k, c) * x[c];
    if (std::abs(a(k, k)) <= kSingular * largest) return false;
    x[k] = s / a(k, k);
  }
  return true;
}

bool solveSquare(Matrix a, std::vector<double> b, std::vector<double>& x) {
  const size_t n = a.rows();
  if (a.cols() != n || b.size() != n || n == 0) return false;
  double largest = 0.0;
  for (size_t r = 0; r < n; ++r)
    for (size_t c = 0; c < n; ++c) largest = std::max(largest, std::abs(a(r, c)));
  if (largest == 0.0) return false;
  for (size_t k = 0; k < n; ++k) {
    size_t pivot = k;
    for (size_t r = k + 1; r < n; ++r)
      if (std::abs(a(r, k)) > std::abs(a(pivot, k))) pivot = r;
    if (std::abs(a(pivot, k)) <= kSingular * largest) return false;
    if (pivot != k) {
      for (size_t c = 0; c < n; ++c) std::swap(a(k, c), a(pivot, c));
      std::swap(b[k], b[pivot]);
    }
    for (size_t r = k + 1; r < n; ++r) {
      const double f = a(r, k) / a(k, k);
      if (f == 0.0) continue;
      for (size_t c = k; c < n; ++c) a(r, c) -= f * a(k, c);
      b[r] -= f * b[k];
    }
  }
  x.assign(n, 0.0);
  for (size_t k = n; k-- > 0;) {
    double s = b[k];
    for (size_t c = k + 1; c < n; ++c) s -= a(k, c) * x[c];
    x[k] = s / a(k, k);
  }
  return true;
}

}  // namespace kavalo
