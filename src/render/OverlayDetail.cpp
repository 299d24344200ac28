// SPDX-License-Identifier: MIT
#include "render/OverlayDetail.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace kavalo {

namespace {
// Points of a line per run: short enough to clip well, long enough that a
// visible line is few calls.
constexpr int kRunLength = 64;
// Markers closer than this many target pixels are one marker.
constexpr double kMarkerSpacing = 3.0;
// Levels kept per file.
constexpr size_t kKeptLevels = 4;

double levelScale(int level) { return std::exp2(level / 4.0); }

QRectF boundsOf(const std::vector<QPointF>& p, int begin, int end) {
  double x0 = p[begin].x(), x1 = x0, y0 = p[begin].y(), y1 = y0;
  for (int i = begin + 1; i < end; ++i) {
    x0 = std::min(x0, p[i].x());
    x1 = std::max(x1, p[i].x());
    y0 = std::min(y0, p[i].y());
    y1 = std::max(y1, p[i].y());
  }
  return QRectF(QPointF(x0, y0), QPointF(x1, y1));
}

int partEnd(const OverlayFeature& f, size_t part) {
  return part + 1 < f.parts.size() ? f.parts[part + 1] : static_cast<int>(f.points.size());
}

}  // namespace

int overlayDetailLevel(double imagePxPerTargetPx) {
  // The finer level below the scale: simplified no more than asked for.
  return static_cast<int>(std::floor(std::log2(std::max(imagePxPerTargetPx, 1e-6)) * 4.0));
}

std::vector<int> simplifyPath(const std::vector<QPointF>& p, int begin, int end, double tolerance) {
  std::vector<int> kept;
  if (end - begin <= 2) {
    for (int i = begin; i < end; ++i) kept.push_back(i);
    return kept;
  }
  std::vector<char> keep(static_cast<size_t>(end - begin), 0);
  keep.front() = keep.back() = 1;
  const double tol2 = tolerance * tolerance;
  std::vector<std::pair<int, int>> stack{{begin, end - 1}};
  while (!stack.empty()) {
    const auto [a, b] = stack.back();
    stack.pop_back();
    if (b - a < 2) continue;
    const double dx = p[b].x() - p[a].x(), dy = p[b].y() - p[a].y();
    const double len2 = dx * dx + dy * dy;
    double worst = -1.0;
    int at = -1;
    for (int i = a + 1; i < b; ++i) {
      const double px = p[i].x() - p[a].x(), py = p[i].y() - p[a].y();
      double d2;
      if (len2 <= 0.0) {
        d2 = px * px + py * py;
      } else {
        const double cross = px * dy - py * dx;
        d2 = cross * cross / len2;
        // Beyond either end the distance is to that end.
        const double t = (px * dx + py * dy) / len2;
        if (t < 0.0) d2 = px * px + py * py;
        if (t > 1.0) d2 = (p[i].x() - p[b].x()) * (p[i].x() - p[b].x()) + (p[i].y() - p[b].y()) * (p[i].y() - p[b].y());
      }
      if (d2 > worst) {
        worst = d2;
        at = i;
      }
    }
    if (worst > tol2) {
      keep[static_cast<size_t>(at - begin)] = 1;
      stack.emplace_back(a, at);
      stack.emplace_back(at, b);
    }
  }
  for (int i = begin; i < end; ++i)
    if (keep[static_cast<size_t>(i - begin)]) kept.push_back(i);
  return kept;
}

std::shared_ptr<const OverlayDetail> buildOverlayDetail(const OverlayFile& file, int level) {
  auto d = std::make_shared<OverlayDetail>();
  const double scale = levelScale(level);
  const double tolerance = 0.5 * scale;
  const double spacing = kMarkerSpacing * scale;
  std::unordered_set<int64_t> taken;
  for (size_t l = 0; l < file.layers.size(); ++l) {
    const OverlayLayer& layer = file.layers[l];
    for (size_t fi = 0; fi < layer.features.size(); ++fi) {
      const OverlayFeature& f = layer.features[fi];
      const int li = static_cast<int>(l), fj = static_cast<int>(fi);
      if (f.kind == FeatureKind::Point) {
        for (const QPointF& at : f.points) {
          const int64_t cx = static_cast<int64_t>(std::floor(at.x() / spacing));
          const int64_t cy = static_cast<int64_t>(std::floor(at.y() / spacing));
          if (!taken.insert((cx << 32) ^ (cy & 0xffffffff)).second) continue;
          d->markers.push_back({li, fj, at, f.pen.rgba()});
        }
        continue;
      }
      OverlayDetail::Shape shape{li, fj, {}, f.bounds};
      for (size_t part = 0; part < f.parts.size(); ++part) {
        const int begin = f.parts[part], end = partEnd(f, part);
        if (end - begin < 1) continue;
        const std::vector<int> kept = simplifyPath(f.points, begin, end, tolerance);
        const int first = static_cast<int>(d->points.size());
        for (int i : kept) d->points.push_back(f.points[static_cast<size_t>(i)]);
        const int last = static_cast<int>(d->points.size());
        if (f.kind == FeatureKind::Polygon) {
          shape.rings.push_back({li, fj, first, last, boundsOf(d->points, first, last)});
          continue;
        }
        // Runs share their end points so that the line stays whole.
        for (int a = first; a < last - 1 || a == first; a += kRunLength - 1) {
          const int b = std::min(a + kRunLength, last);
          d->runs.push_back({li, fj, a, b, boundsOf(d->points, a, b)});
          if (b == last) break;
        }
      }
      if (f.kind == FeatureKind::Polygon && !shape.rings.empty()) d->shapes.push_back(std::move(shape));
    }
  }
  // Markers from north to south: stamped in this order they walk down the
  // picture's rows, instead of missing the cache at every one of them.
  std::stable_sort(d->markers.begin(), d->markers.end(),
                   [](const OverlayDetail::Marker& a, const OverlayDetail::Marker& b) { return a.at.y() < b.at.y(); });
  return d;
}

std::shared_ptr<const OverlayDetail> overlayDetail(const OverlayFile& file, int level) {
  std::lock_guard<std::mutex> lock(file.cacheMutex);
  for (size_t i = 0; i < file.details.size(); ++i) {
    if (file.details[i].first != level) continue;
    auto hit = file.details[i];
    file.details.erase(file.details.begin() + static_cast<std::ptrdiff_t>(i));
    file.details.insert(file.details.begin(), hit);
    return hit.second;
  }
  auto built = buildOverlayDetail(file, level);
  file.details.insert(file.details.begin(), {level, built});
  if (file.details.size() > kKeptLevels) file.details.pop_back();
  return built;
}

}  // namespace kavalo
