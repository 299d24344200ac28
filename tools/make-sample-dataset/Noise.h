// SPDX-License-Identifier: MIT
#pragma once
// Deterministic pseudo-random numbers and value noise. Everything the
// generator invents comes from here with fixed seeds, so that every run
// writes the same bytes; the standard library's distributions are not used
// because their results differ between library versions.
#include <cmath>
#include <cstdint>

namespace sample {

// A well-mixed 32-bit hash of two integers and a seed.
inline uint32_t hash2(int32_t x, int32_t y, uint32_t seed) {
  uint32_t h = seed * 0x9E3779B9u;
  h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
  h = (h << 13) | (h >> 19);
  h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}

// A value in [0, 1) from a hash.
inline double unitHash(int32_t x, int32_t y, uint32_t seed) { return (hash2(x, y, seed) >> 8) * (1.0 / 16777216.0); }

// A small sequential generator for placing objects.
class Rng {
 public:
  explicit Rng(uint32_t seed) : state_(seed * 2654435761u + 0x632BE5ABu) {}
  uint32_t next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  double unit() { return (next() >> 8) * (1.0 / 16777216.0); }
  double range(double lo, double hi) { return lo + (hi - lo) * unit(); }
  int below(int n) { return static_cast<int>(unit() * n); }

 private:
  uint32_t state_;
};

// Sixteen evenly spread unit vectors for the gradient noise.
inline constexpr double kGradients[16][2] = {
    {0.980785280, 0.195090322},   {0.831469612, 0.555570233},   {0.555570233, 0.831469612},
    {0.195090322, 0.980785280},   {-0.195090322, 0.980785280},  {-0.555570233, 0.831469612},
    {-0.831469612, 0.555570233},  {-0.980785280, 0.195090322},  {-0.980785280, -0.195090322},
    {-0.831469612, -0.555570233}, {-0.555570233, -0.831469612}, {-0.195090322, -0.980785280},
    {0.195090322, -0.980785280},  {0.555570233, -0.831469612},  {0.831469612, -0.555570233},
    {0.980785280, -0.195090322}};

// Smooth gradient noise in about [0, 1]; one lattice cell per unit.
inline double gradientNoise(double x, double y, uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y);
  const int32_t ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy);
  const double tx = x - fx, ty = y - fy;
  auto corner = [&](int32_t cx, int32_t cy, double dx, double dy) {
    const double* g = kGradients[hash2(cx, cy, seed) >> 28];
    return g[0] * dx + g[1] * dy;
  };
  const double sx = tx * tx * tx * (tx * (tx * 6 - 15) + 10);
  const double sy = ty * ty * ty * (ty * (ty * 6 - 15) + 10);
  const double a = corner(ix, iy, tx, ty), b = corner(ix + 1, iy, tx - 1, ty);
  const double c = corner(ix, iy + 1, tx, ty - 1), d = corner(ix + 1, iy + 1, tx - 1, ty - 1);
  const double top = a + (b - a) * sx, bottom = c + (d - c) * sx;
  return 0.5 + 0.75 * (top + (bottom - top) * sy);
}

// Fractal sum of octaves, roughly in [0, 1]. Each octave is turned by an odd
// angle so that no lattice direction shows.
inline double fbm(double x, double y, int octaves, uint32_t seed) {
  double sum = 0, amplitude = 0.5, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amplitude * gradientNoise(x, y, seed + 101u * static_cast<uint32_t>(i));
    norm += amplitude;
    const double nx = 1.6 * x - 1.2 * y + 17.1, ny = 1.2 * x + 1.6 * y - 9.7;
    x = nx;
    y = ny;
    amplitude *= 0.5;
  }
  return sum / norm;
}

// Ridged fractal noise: sharp crests and rounded valleys, like eroded hills.
inline double ridged(double x, double y, int octaves, uint32_t seed) {
  double sum = 0, amplitude = 0.5, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    const double n = 1.0 - std::fabs(2.0 * gradientNoise(x, y, seed + 131u * static_cast<uint32_t>(i)) - 1.0);
    sum += amplitude * n * n;
    norm += amplitude;
    const double nx = 1.6 * x - 1.2 * y + 5.3, ny = 1.2 * x + 1.6 * y + 11.9;
    x = nx;
    y = ny;
    amplitude *= 0.5;
  }
  return sum / norm;
}

inline double smoothstep(double edge0, double edge1, double x) {
  double t = (x - edge0) / (edge1 - edge0);
  t = t < 0 ? 0 : (t > 1 ? 1 : t);
  return t * t * (3 - 2 * t);
}

}  // namespace sample
