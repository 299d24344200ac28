// SPDX-License-Identifier: MIT
// The built-up places of the region: the street grid of the growing town,
// the hill estate, the houses of the old village and the hamlets, and the
// large buildings.
#include <algorithm>
#include <cmath>

#include "Noise.h"
#include "World.h"

namespace sample {

namespace {

// A rectangle of w x h pixels centred on c, turned so that its long side
// follows dir.
QPolygonF box(QPointF c, double w, double h, QPointF dir) {
  const QPointF u = dir * (w / 2), v = QPointF(-dir.y(), dir.x()) * (h / 2);
  return QPolygonF({c - u - v, c + u - v, c + u + v, c - u + v});
}

QPointF unit(double angle) { return {std::cos(angle), std::sin(angle)}; }

}  // namespace

void World::buildTown() {
  addStreetGrid();
  addNewTown();

  // Houses of the old village and the early town along the roads it had.
  Rng rng(301);
  for (const Route& r : routes_) {
    if (r.from > 1930 || r.kind == Way::Railway || r.kind == Way::Breakwater || r.kind == Way::Path) continue;
    const double length = polylineLength(r.line);
    for (double s = 4; s < length; s += 5.5) {
      QPointF dir;
      const QPointF p = pointAlong(r.line, s, &dir);
      for (double side : {-5.5, 5.5}) {
        const QPointF at = p + QPointF(-dir.y(), dir.x()) * (side + rng.range(-0.8, 0.8));
        const double since = urbanSince(at.x(), at.y());
        if (since > 1935 || rng.unit() < 0.15) continue;
        const int from = std::max(r.from, static_cast<int>(since)) + rng.below(6);
        buildings_.push_back(
            {box(at, rng.range(2.6, 3.6), rng.range(2.2, 3.0), dir), BuildingKind::House, from, rng.next()});
      }
    }
  }

  // Large buildings: schools, the town and city halls, the station, factories.
  auto large = [&](QPointF at, double w, double h, double angle, BuildingKind kind, int from) {
    buildings_.push_back({box(at, w, h, unit(angle)), kind, from, rng.next()});
  };
  large({1396, 1246}, 9, 4, -0.14, BuildingKind::School, 1895);
  large({706, 1372}, 8, 4, 0.0, BuildingKind::School, 1910);
  large({1632, 1052}, 12, 5, -0.14, BuildingKind::School, 1960);
  large({2092, 762}, 11, 5, 0.4, BuildingKind::School, 1988);
  large({1452, 1274}, 6, 5, -0.14, BuildingKind::Public, 1895);
  large({1318, 1168}, 12, 7, -0.14, BuildingKind::Public, 1955);
  large({1472, 1208}, 10, 3.5, -0.14, BuildingKind::Public, 1924);
  for (int i = 0; i < 6; ++i) {
    large({1330.0 + 40 * i, 1530.0 + (i % 2) * 26}, 26, 14, 0.01, BuildingKind::Factory, 1972 + 3 * (i % 3));
    large({1460.0 + 22 * (i % 3), 1590.0 + 0 * i}, 16, 10, 0.01, BuildingKind::Factory, 1975);
  }
  for (int i = 0; i < 5; ++i)
    large({1745.0 + 38 * i, 1560.0 + 35 * (i % 2)}, 30, 18, 0.08, BuildingKind::Factory, 1997);
}

void World::addStreetGrid() {
  // A grid turned a little to follow the shore, bent slightly so that it does
  // not look drawn with a ruler.
  const double angle = -0.14, block = 34;
  const QPointF u = unit(angle), v(-u.y(), u.x());
  const QPointF origin = geo_.townCentre;
  auto node = [&](int a, int b) {
    const QPointF p = origin + u * (a * block) + v * (b * block);
    return p + QPointF(16 * (fbm(p.x() / 260, p.y() / 260, 2, 71) - 0.5),
                       16 * (fbm(p.x() / 260, p.y() / 260, 2, 73) - 0.5));
  };
  auto edge = [&](int a, int b, int a2, int b2, bool avenue) {
    // Not every block is cut through: the town is not a chessboard.
    if (!avenue && unitHash(a * 2 + (a2 - a), b * 2 + (b2 - b), 75) < 0.3) return;
    const QPointF p = node(a, b), q = node(a2, b2);
    double birth = 0;
    for (int k = 0; k <= 4; ++k) {
      const QPointF s = p + (q - p) * (k / 4.0);
      const double since = urbanSince(s.x(), s.y());
      if (since > 2024 || terrain_->riverDistance(s.x(), s.y()) < 10) return;
      birth = std::max(birth, since);
    }
    // Streets are laid out a little before the houses; the village core was
    // replotted when the railway came.
    const int from = std::max(1925, static_cast<int>(birth) - 3);
    Route r;
    r.line = {p, (p + q) / 2, q};
    r.kind = avenue ? Way::Road : Way::Street;
    r.from = from;
    r.tunnel.assign(3, false);
    routes_.push_back(std::move(r));
  };
  for (int a = -28; a <= 28; ++a) {
    for (int b = -18; b <= 9; ++b) {
      edge(a, b, a + 1, b, b % 3 == 0);
      edge(a, b, a, b + 1, a % 3 == 0);
    }
  }
}

void World::addNewTown() {
  // Loops and cul-de-sacs of the hill estate, laid out in one go.
  const QPointF c = geo_.newTown;
  auto loop = [&](double rx, double ry, double turn, int from, Way kind) {
    Route r;
    for (int i = 0; i <= 48; ++i) {
      const double a = 2 * M_PI * i / 48;
      const QPointF p(rx * std::cos(a), ry * std::sin(a));
      r.line.push_back(c + QPointF(p.x() * std::cos(turn) - p.y() * std::sin(turn),
                                   p.x() * std::sin(turn) + p.y() * std::cos(turn)));
    }
    r.kind = kind;
    r.from = from;
    r.tunnel.assign(r.line.size(), false);
    routes_.push_back(std::move(r));
  };
  loop(170, 115, 0.3, 1984, Way::Road);
  loop(105, 70, 0.3, 1985, Way::Street);
  loop(45, 30, 0.3, 1986, Way::Street);
  for (int k = 0; k < 10; ++k) {
    const double a = 2 * M_PI * (k + 0.5) / 10;
    Route r;
    for (double t = 0.25; t <= 1.0001; t += 0.25) {
      const QPointF p(170 * t * std::cos(a), 115 * t * std::sin(a));
      r.line.push_back(
          c + QPointF(p.x() * std::cos(0.3) - p.y() * std::sin(0.3), p.x() * std::sin(0.3) + p.y() * std::cos(0.3)));
    }
    r.kind = Way::Street;
    r.from = 1985;
    r.tunnel.assign(r.line.size(), false);
    routes_.push_back(std::move(r));
  }
  // The estate road down to the national route.
  Route access;
  access.line = resample(smoothCurve({{2010, 850}, {1990, 900}, {1960, 960}}, 4), 3);
  access.kind = Way::Road;
  access.from = 1984;
  access.tunnel.assign(access.line.size(), false);
  routes_.push_back(std::move(access));
}

void World::buildHamlets() {
  struct Hamlet {
    QPointF centre;
    double radius;
    int houses;
  };
  Rng rng(401);
  const Terrain& t = *terrain_;
  // The old village between its lanes.
  for (int placed = 0, attempt = 0; placed < 140 && attempt < 3000; ++attempt) {
    const QPointF at = geo_.townCentre + QPointF(rng.range(-170, 170), rng.range(-90, 90));
    const double since = urbanSince(at.x(), at.y());
    if (since > 1915 || t.riverDistance(at.x(), at.y()) < 14) continue;
    buildings_.push_back({box(at, rng.range(2.6, 3.4), rng.range(2.2, 3.0), unit(-0.14 + rng.range(-0.2, 0.2))),
                          BuildingKind::House, static_cast<int>(since) + rng.below(8), rng.next()});
    ++placed;
  }
  static const Hamlet kHamlets[] = {
      {{640, 1420}, 45, 26},  {{300, 1452}, 35, 16},  {{905, 1398}, 40, 22}, {{1150, 710}, 30, 12},
      {{1005, 430}, 26, 9},   {{1940, 1002}, 35, 16}, {{2380, 878}, 30, 13}, {{2850, 786}, 30, 11},
      {{2140, 1880}, 34, 20}, {{2262, 2350}, 18, 6},  {{826, 2046}, 14, 4},  {{1262, 1000}, 26, 10},
  };
  for (const Hamlet& h : kHamlets) {
    int placed = 0;
    for (int attempt = 0; attempt < h.houses * 8 && placed < h.houses; ++attempt) {
      const double a = rng.range(0, 2 * M_PI), r = h.radius * std::sqrt(rng.unit());
      const QPointF at = h.centre + QPointF(std::cos(a) * r, std::sin(a) * r);
      if (t.shoreDistance(at.x(), at.y()) < 4 || t.riverDistance(at.x(), at.y()) < 7) continue;
      if (t.elevation(at.x(), at.y()) > 90 || t.slope(at.x(), at.y()) > 1.0) continue;
      const double roll = rng.unit();
      const int from = roll < 0.7 ? 1800 : (roll < 0.9 ? 1930 : 1968);
      buildings_.push_back({box(at, rng.range(2.6, 3.6), rng.range(2.4, 3.2), unit(rng.range(-0.4, 0.4))),
                            BuildingKind::House, from, rng.next()});
      ++placed;
    }
  }
}

}  // namespace sample
