// SPDX-License-Identifier: MIT
#include "Geometry.h"

#include <algorithm>
#include <cmath>

#include "Noise.h"

namespace sample {

namespace {

double length(QPointF v) { return std::hypot(v.x(), v.y()); }

}  // namespace

Polyline smoothCurve(const Polyline& points, int steps) {
  if (points.size() < 3) return points;
  Polyline out;
  const size_t n = points.size();
  for (size_t i = 0; i + 1 < n; ++i) {
    const QPointF p0 = points[i == 0 ? 0 : i - 1];
    const QPointF p1 = points[i];
    const QPointF p2 = points[i + 1];
    const QPointF p3 = points[std::min(i + 2, n - 1)];
    for (int k = 0; k < steps; ++k) {
      const double t = static_cast<double>(k) / steps, t2 = t * t, t3 = t2 * t;
      out.push_back(
          0.5 * ((2 * p1) + (-p0 + p2) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t2 + (-p0 + 3 * p1 - 3 * p2 + p3) * t3));
    }
  }
  out.push_back(points.back());
  return out;
}

Polyline roughen(const Polyline& line, double roughness, double minLength, uint32_t seed) {
  if (line.size() < 2) return line;
  Polyline out;
  out.push_back(line.front());
  uint32_t counter = 0;
  // Each span is split recursively; an explicit stack keeps the order.
  for (size_t i = 0; i + 1 < line.size(); ++i) {
    std::vector<std::pair<QPointF, QPointF>> stack{{line[i], line[i + 1]}};
    while (!stack.empty()) {
      auto [a, b] = stack.back();
      stack.pop_back();
      const QPointF d = b - a;
      const double len = length(d);
      if (len < minLength) {
        out.push_back(b);
        continue;
      }
      const double shift =
          (unitHash(static_cast<int32_t>(i), static_cast<int32_t>(counter++), seed) - 0.5) * 2 * roughness * len;
      const QPointF normal(-d.y() / len, d.x() / len);
      const QPointF mid = (a + b) / 2 + normal * shift;
      stack.push_back({mid, b});
      stack.push_back({a, mid});
    }
  }
  return out;
}

Polyline simplify(const Polyline& line, double tolerance) {
  if (line.size() < 3) return line;
  std::vector<bool> keep(line.size(), false);
  keep.front() = keep.back() = true;
  std::vector<std::pair<size_t, size_t>> spans{{0, line.size() - 1}};
  while (!spans.empty()) {
    const auto [a, b] = spans.back();
    spans.pop_back();
    double worst = 0;
    size_t at = a;
    for (size_t i = a + 1; i < b; ++i) {
      const double d = segmentDistance(line[i], line[a], line[b]);
      if (d > worst) {
        worst = d;
        at = i;
      }
    }
    if (worst > tolerance) {
      keep[at] = true;
      spans.push_back({a, at});
      spans.push_back({at, b});
    }
  }
  Polyline out;
  for (size_t i = 0; i < line.size(); ++i)
    if (keep[i]) out.push_back(line[i]);
  return out;
}

double polylineLength(const Polyline& line) {
  double total = 0;
  for (size_t i = 1; i < line.size(); ++i) total += length(line[i] - line[i - 1]);
  return total;
}

QPointF pointAlong(const Polyline& line, double s, QPointF* direction) {
  if (line.empty()) return {};
  for (size_t i = 1; i < line.size(); ++i) {
    const QPointF d = line[i] - line[i - 1];
    const double len = length(d);
    if (s <= len || i + 1 == line.size()) {
      const double t = len > 0 ? std::clamp(s / len, 0.0, 1.0) : 0.0;
      if (direction) *direction = len > 0 ? d / len : QPointF(1, 0);
      return line[i - 1] + d * t;
    }
    s -= len;
  }
  if (direction) *direction = QPointF(1, 0);
  return line.back();
}

Polyline resample(const Polyline& line, double spacing) {
  const double total = polylineLength(line);
  const int count = std::max(1, static_cast<int>(std::ceil(total / spacing)));
  Polyline out;
  for (int i = 0; i <= count; ++i) out.push_back(pointAlong(line, total * i / count));
  return out;
}

double segmentDistance(QPointF p, QPointF a, QPointF b) {
  const QPointF d = b - a;
  const double len2 = d.x() * d.x() + d.y() * d.y();
  double t = len2 > 0 ? ((p.x() - a.x()) * d.x() + (p.y() - a.y()) * d.y()) / len2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return length(p - (a + d * t));
}

double lineDistance(QPointF p, const Polyline& line) {
  double best = 1e18;
  for (size_t i = 1; i < line.size(); ++i) best = std::min(best, segmentDistance(p, line[i - 1], line[i]));
  if (line.size() == 1) best = length(p - line[0]);
  return best;
}

Polyline offsetLine(const Polyline& line, double offset) {
  Polyline out;
  for (size_t i = 0; i < line.size(); ++i) {
    const QPointF a = line[i == 0 ? 0 : i - 1];
    const QPointF b = line[std::min(i + 1, line.size() - 1)];
    const QPointF d = b - a;
    const double len = length(d);
    const QPointF normal = len > 0 ? QPointF(d.y() / len, -d.x() / len) : QPointF(0, 0);
    out.push_back(line[i] + normal * offset);
  }
  return out;
}

QPolygonF toPolygon(const Polyline& line) {
  QPolygonF poly;
  poly.reserve(static_cast<qsizetype>(line.size()));
  for (const QPointF& p : line) poly << p;
  return poly;
}

}  // namespace sample
