// SPDX-License-Identifier: MIT
#include "Terrain.h"

#include <QImage>
#include <QPainter>

#include <array>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "Noise.h"
#include "Parallel.h"
#include "SampleRegion.h"

namespace sample {

namespace {

constexpr float kFar = std::numeric_limits<float>::max() / 4;

double sq(double v) { return v * v; }

// Two-pass chamfer distance (in grid steps) to the cells whose distance is 0,
// carrying along the value of the nearest such cell when values are given.
void chamfer(int cols, int rows, std::vector<float>& dist, std::vector<float>* value) {
  const float diagonal = static_cast<float>(M_SQRT2);
  auto relax = [&](int x, int y, int nx, int ny, float w) {
    if (nx < 0 || ny < 0 || nx >= cols || ny >= rows) return;
    const size_t i = static_cast<size_t>(y) * cols + x, n = static_cast<size_t>(ny) * cols + nx;
    if (dist[n] + w < dist[i]) {
      dist[i] = dist[n] + w;
      if (value) (*value)[i] = (*value)[n];
    }
  };
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < cols; ++x) {
      relax(x, y, x - 1, y, 1);
      relax(x, y, x - 1, y - 1, diagonal);
      relax(x, y, x, y - 1, 1);
      relax(x, y, x + 1, y - 1, diagonal);
    }
  for (int y = rows - 1; y >= 0; --y)
    for (int x = cols - 1; x >= 0; --x) {
      relax(x, y, x + 1, y, 1);
      relax(x, y, x + 1, y + 1, diagonal);
      relax(x, y, x, y + 1, 1);
      relax(x, y, x - 1, y + 1, diagonal);
    }
}

}  // namespace

constexpr int kStep = Field::kStep;
constexpr int kMargin = Field::kMargin;

Terrain::Terrain(const Geography& geo) {
  buildShoreDistance(geo.land(9999), shore_);
  buildShoreDistance(geo.land(0), naturalShore_);
  buildRiverDistance(geo);
  buildElevation();
}

double Terrain::slope(double x, double y) const {
  const double dx = elevation(x + kStep, y) - elevation(x - kStep, y);
  const double dy = elevation(x, y + kStep) - elevation(x, y - kStep);
  return std::hypot(dx, dy) / (2 * kStep);
}

void Terrain::buildShoreDistance(const QPainterPath& land, Field& out) {
  // Rasterise the land onto the grid: pixel (i, j) is grid point i, j.
  const int cols = out.cols(), rows = out.rows();
  QImage mask(cols, rows, QImage::Format_Grayscale8);
  mask.fill(0);
  {
    QPainter p(&mask);
    p.translate(0.5, 0.5);
    p.scale(1.0 / kStep, 1.0 / kStep);
    p.translate(kMargin, kMargin);
    p.fillPath(land, Qt::white);
  }
  const size_t n = static_cast<size_t>(cols) * rows;
  std::vector<float> toSea(n), toLand(n);
  for (int y = 0; y < rows; ++y) {
    const uchar* line = mask.constScanLine(y);
    for (int x = 0; x < cols; ++x) {
      const bool land = line[x] > 127;
      toSea[static_cast<size_t>(y) * cols + x] = land ? kFar : 0;
      toLand[static_cast<size_t>(y) * cols + x] = land ? 0 : kFar;
    }
  }
  chamfer(cols, rows, toSea, nullptr);
  chamfer(cols, rows, toLand, nullptr);
  std::vector<float>& shore = out.values();
  for (size_t i = 0; i < n; ++i) shore[i] = toSea[i] > 0 ? (toSea[i] - 0.5f) * kStep : -(toLand[i] - 0.5f) * kStep;
}

void Terrain::buildRiverDistance(const Geography& geo) {
  const int cols = river_.cols(), rows = river_.rows();
  std::vector<float>& river = river_.values();
  std::vector<float>& bed = bed_.values();
  std::fill(river.begin(), river.end(), kFar);
  for (const River& r : geo.rivers) {
    for (size_t k = 0; k < r.line.size(); ++k) {
      const int gx = static_cast<int>(std::lround((r.line[k].x() + kMargin) / kStep));
      const int gy = static_cast<int>(std::lround((r.line[k].y() + kMargin) / kStep));
      if (gx < 0 || gy < 0 || gx >= cols || gy >= rows) continue;
      const size_t i = static_cast<size_t>(gy) * cols + gx;
      if (river[i] > 0) {
        river[i] = 0;
        bed[i] = static_cast<float>(r.bedAt(r.length * k / (r.line.size() - 1)));
      }
    }
  }
  chamfer(cols, rows, river, &bed);
  for (float& d : river) d *= kStep;
}

void Terrain::buildElevation() {
  elevation_.fill([&](double x, double y) {
    const double d = shore_.sample(x, y);
    if (d < 0) return std::max(-60.0, d * 0.06) - 0.5;
    // Where the relief is high: mountains in the north, the ridge of the
    // cape, hills behind the western shore and between the valley and the bay.
    const double north = smoothstep(1500, 150, y);
    const double cape = std::exp(-sq((x - 2500) / 300)) * smoothstep(1150, 1650, y);
    const double west = std::exp(-sq((x - 250) / 420) - sq((y - 1150) / 330));
    const double ridge = std::exp(-sq((x - 2250) / 480) - sq((y - 1280) / 190));
    const double isle = std::exp(-sq((x - 820) / 60) - sq((y - 2060) / 45));
    const double amplitude = 30 + 470 * north + 250 * cape + 190 * west + 150 * ridge + 70 * isle;
    // Warped ridged noise: winding crests and spurs rather than blobs.
    const double wx = x + 160 * (fbm(x / 700, y / 700, 3, 31) - 0.5);
    const double wy = y + 160 * (fbm(x / 700 + 7.3, y / 700, 3, 37) - 0.5);
    const double crest = std::pow(ridged(wx / 420, wy / 420, 4, 7), 1.3);
    const double hills = amplitude * (0.18 + 0.82 * crest) + 6 * fbm(x / 60, y / 60, 2, 9);
    // The valley floor: the wide plain of the lower river, narrow upstream.
    const double plainWidth =
        14 + 170 * smoothstep(700, 1100, y) * smoothstep(2000, 1700, x) * smoothstep(1000, 1250, x);
    const double r = river_.sample(x, y);
    const double hillFactor = smoothstep(plainWidth, plainWidth + 240, r);
    // Sandy shores rise slowly, the cape drops into the sea in cliffs.
    const double capeWeight = std::max(smoothstep(1850, 2150, x) * smoothstep(1450, 1700, y), std::min(1.0, 3 * isle));
    const double coastRamp = smoothstep(0, 280 - 220 * capeWeight, d);
    const double floor = std::min(bed_.sample(x, y) + 0.012 * r, 0.8 + 0.025 * d);
    return std::max(0.3, floor + hillFactor * coastRamp * hills);
  });
}

std::vector<ContourLine> Terrain::contours(int interval) const {
  // Marching squares; each segment joins two grid edges, named by the grid
  // point they start from and their direction, so segments chain into lines.
  struct Segment {
    int64_t edgeA, edgeB;
    QPointF a, b;
  };
  std::unordered_map<int, std::vector<Segment>> byLevel;
  const int cols = elevation_.cols(), rows = elevation_.rows();
  auto edgeId = [&](int i, int j, bool vertical) {
    return (static_cast<int64_t>(j) * cols + i) * 2 + (vertical ? 1 : 0);
  };
  auto at = [&](int i, int j) { return static_cast<double>(elevation_.at(i, j)); };
  auto point = [&](int i, int j, int i2, int j2, double level) {
    const double v1 = at(i, j), v2 = at(i2, j2);
    const double t = (level - v1) / (v2 - v1);
    return QPointF((i + (i2 - i) * t) * kStep - kMargin, (j + (j2 - j) * t) * kStep - kMargin);
  };
  for (int j = 0; j + 1 < rows; ++j) {
    for (int i = 0; i + 1 < cols; ++i) {
      const double v[4] = {at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)};
      const double lo = std::min({v[0], v[1], v[2], v[3]}), hi = std::max({v[0], v[1], v[2], v[3]});
      for (int level = std::max(1, static_cast<int>(std::ceil(lo / interval))) * interval; level <= hi;
           level += interval) {
        // Edges of the cell: 0 top, 1 right, 2 bottom, 3 left.
        const std::array<int64_t, 4> ids = {edgeId(i, j, false), edgeId(i + 1, j, true), edgeId(i, j + 1, false),
                                            edgeId(i, j, true)};
        const std::array<QPointF, 4> pts = {point(i, j, i + 1, j, level), point(i + 1, j, i + 1, j + 1, level),
                                            point(i, j + 1, i + 1, j + 1, level), point(i, j, i, j + 1, level)};
        std::array<int, 4> crossed{};
        int count = 0;
        for (int e = 0; e < 4; ++e) {
          const bool above1 = v[e] >= level, above2 = v[(e + 1) % 4] >= level;
          if (above1 != above2) crossed[count++] = e;
        }
        auto& out = byLevel[level];
        if (count == 2) {
          out.push_back({ids[crossed[0]], ids[crossed[1]], pts[crossed[0]], pts[crossed[1]]});
        } else if (count == 4) {
          // A saddle: the centre decides which corners are joined.
          const bool centreAbove = (v[0] + v[1] + v[2] + v[3]) / 4 >= level;
          const bool firstAbove = v[0] >= level;
          if (centreAbove == firstAbove) {
            out.push_back({ids[0], ids[1], pts[0], pts[1]});
            out.push_back({ids[2], ids[3], pts[2], pts[3]});
          } else {
            out.push_back({ids[3], ids[0], pts[3], pts[0]});
            out.push_back({ids[1], ids[2], pts[1], pts[2]});
          }
        }
      }
    }
  }

  std::vector<ContourLine> lines;
  std::vector<int> levels;
  for (const auto& [level, segments] : byLevel) levels.push_back(level);
  std::sort(levels.begin(), levels.end());
  for (int level : levels) {
    const std::vector<Segment>& segs = byLevel[level];
    std::unordered_map<int64_t, std::array<int, 2>> touching;
    for (int s = 0; s < static_cast<int>(segs.size()); ++s) {
      for (int64_t e : {segs[s].edgeA, segs[s].edgeB}) {
        auto [it, added] = touching.try_emplace(e, std::array<int, 2>{-1, -1});
        it->second[it->second[0] < 0 ? 0 : 1] = s;
      }
    }
    std::vector<bool> used(segs.size(), false);
    auto follow = [&](int s, int64_t fromEdge, Polyline& line) {
      // Walks on from segment s through its other edge until the line ends.
      while (true) {
        const Segment& seg = segs[static_cast<size_t>(s)];
        const int64_t nextEdge = seg.edgeA == fromEdge ? seg.edgeB : seg.edgeA;
        const auto& pair = touching[nextEdge];
        const int n = pair[0] == s ? pair[1] : pair[0];
        if (n < 0 || used[static_cast<size_t>(n)]) return;
        used[static_cast<size_t>(n)] = true;
        const Segment& ns = segs[static_cast<size_t>(n)];
        line.push_back(ns.edgeA == nextEdge ? ns.b : ns.a);
        s = n;
        fromEdge = nextEdge;
      }
    };
    for (int s = 0; s < static_cast<int>(segs.size()); ++s) {
      if (used[static_cast<size_t>(s)]) continue;
      used[static_cast<size_t>(s)] = true;
      Polyline forward{segs[static_cast<size_t>(s)].a, segs[static_cast<size_t>(s)].b};
      follow(s, segs[static_cast<size_t>(s)].edgeA, forward);
      Polyline backward;
      follow(s, segs[static_cast<size_t>(s)].edgeB, backward);
      Polyline line(backward.rbegin(), backward.rend());
      line.insert(line.end(), forward.begin(), forward.end());
      // The grid's many short steps add nothing a reader could see.
      lines.push_back({simplify(line, 0.35), level});
    }
  }
  return lines;
}

}  // namespace sample
