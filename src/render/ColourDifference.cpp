// SPDX-License-Identifier: MIT
#include "render/ColourDifference.h"

#include <cmath>
#include <numbers>

namespace kavalo {

namespace {

struct Lab {
  double l, a, b;
};

double linear(int c) {
  const double v = c / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double labF(double t) {
  constexpr double d = 6.0 / 29.0;
  return t > d * d * d ? std::cbrt(t) : t / (3 * d * d) + 4.0 / 29.0;
}

Lab toLab(QRgb c) {
  const double r = linear(qRed(c)), g = linear(qGreen(c)), b = linear(qBlue(c));
  const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
  const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
  const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
  const double fx = labF(x), fy = labF(y), fz = labF(z);
  return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

double degrees(double radians) { return radians * 180.0 / std::numbers::pi; }
double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

}  // namespace

double ciede2000(QRgb first, QRgb second) {
  const Lab p = toLab(first), q = toLab(second);
  const double c1 = std::hypot(p.a, p.b), c2 = std::hypot(q.a, q.b);
  const double cMean = (c1 + c2) / 2.0;
  const double c7 = std::pow(cMean, 7.0);
  const double g = 0.5 * (1.0 - std::sqrt(c7 / (c7 + std::pow(25.0, 7.0))));
  const double a1 = (1.0 + g) * p.a, a2 = (1.0 + g) * q.a;
  const double cp1 = std::hypot(a1, p.b), cp2 = std::hypot(a2, q.b);
  auto hue = [](double b, double a) {
    if (a == 0.0 && b == 0.0) return 0.0;
    const double h = degrees(std::atan2(b, a));
    return h < 0.0 ? h + 360.0 : h;
  };
  const double h1 = hue(p.b, a1), h2 = hue(q.b, a2);
  const double dL = q.l - p.l, dC = cp2 - cp1;
  double dh = 0.0;
  if (cp1 * cp2 != 0.0) {
    dh = h2 - h1;
    if (dh > 180.0) dh -= 360.0;
    if (dh < -180.0) dh += 360.0;
  }
  const double dH = 2.0 * std::sqrt(cp1 * cp2) * std::sin(radians(dh / 2.0));
  const double lMean = (p.l + q.l) / 2.0, cpMean = (cp1 + cp2) / 2.0;
  double hMean = h1 + h2;
  if (cp1 * cp2 != 0.0) {
    if (std::abs(h1 - h2) <= 180.0)
      hMean = (h1 + h2) / 2.0;
    else
      hMean = h1 + h2 < 360.0 ? (h1 + h2 + 360.0) / 2.0 : (h1 + h2 - 360.0) / 2.0;
  }
  const double t = 1.0 - 0.17 * std::cos(radians(hMean - 30.0)) + 0.24 * std::cos(radians(2.0 * hMean)) +
                   0.32 * std::cos(radians(3.0 * hMean + 6.0)) - 0.20 * std::cos(radians(4.0 * hMean - 63.0));
  const double dTheta = 30.0 * std::exp(-std::pow((hMean - 275.0) / 25.0, 2.0));
  const double cp7 = std::pow(cpMean, 7.0);
  const double rc = 2.0 * std::sqrt(cp7 / (cp7 + std::pow(25.0, 7.0)));
  const double l50 = (lMean - 50.0) * (lMean - 50.0);
  const double sl = 1.0 + 0.015 * l50 / std::sqrt(20.0 + l50);
  const double sc = 1.0 + 0.045 * cpMean;
  const double sh = 1.0 + 0.015 * cpMean * t;
  const double rt = -std::sin(radians(2.0 * dTheta)) * rc;
  const double tl = dL / sl, tc = dC / sc, th = dH / sh;
  return std::sqrt(tl * tl + tc * tc + th * th + rt * tc * th);
}

double meanColourDifference(const QImage& first, const QImage& second) {
  if (first.isNull() || second.isNull() || first.size() != second.size()) return -1.0;
  const QImage a = first.convertToFormat(QImage::Format_RGB32), b = second.convertToFormat(QImage::Format_RGB32);
  double sum = 0.0;
  for (int y = 0; y < a.height(); ++y) {
    const auto* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const auto* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    for (int x = 0; x < a.width(); ++x) sum += pa[x] == pb[x] ? 0.0 : ciede2000(pa[x], pb[x]);
  }
  return sum / (static_cast<double>(a.width()) * a.height());
}

}  // namespace kavalo
