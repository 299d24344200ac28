// SPDX-License-Identifier: MIT
#pragma once
// The small dense solves the georeferencer's fits need: a least-squares
// solution by Householder QR and a square system by LU with partial
// pivoting. Both refuse a system whose matrix is (numerically) singular
// rather than return a meaningless solution.
#include <cstddef>
#include <vector>

namespace kavalo {

class Matrix {
 public:
  Matrix(size_t rows, size_t cols) : rows_(rows), cols_(cols), v_(rows * cols, 0.0) {}
  double& operator()(size_t r, size_t c) { return v_[r * cols_ + c]; }
  double operator()(size_t r, size_t c) const { return v_[r * cols_ + c]; }
  size_t rows() const { return rows_; }
  size_t cols() const { return cols_; }

 private:
  size_t rows_, cols_;
  std::vector<double> v_;
};

// Minimises |a x - b|; false when a's columns are dependent.
bool leastSquares(Matrix a, std::vector<double> b, std::vector<double>& x);
// Solves a x = b for a square a; false when a is singular.
bool solveSquare(Matrix a, std::vector<double> b, std::vector<double>& x);

}  // namespace kavalo
