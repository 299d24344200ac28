// SPDX-License-Identifier: MIT
#include "World.h"

#include <cmath>

#include "Noise.h"

namespace sample {

namespace {

constexpr double kNever = 9999;

// The town grows outwards from the old village at the river mouth: a radius
// in pixels for each year, between which growth is even.
double yearForRadius(double r) {
  struct Step {
    double radius, year;
  };
  static constexpr Step kSteps[] = {{0, 1850}, {70, 1885}, {170, 1928}, {340, 1968}, {640, 1998}, {1000, 2030}};
  for (size_t i = 1; i < std::size(kSteps); ++i) {
    if (r <= kSteps[i].radius) {
      const double t = (r - kSteps[i - 1].radius) / (kSteps[i].radius - kSteps[i - 1].radius);
      return kSteps[i - 1].year + t * (kSteps[i].year - kSteps[i - 1].year);
    }
  }
  return kNever;
}

}  // namespace

World::World() : terrain_(std::make_unique<Terrain>(geo_)) {
  urban_.fill([&](double x, double y) { return urbanBirth(x, y); });
  buildRoutes();
  buildTown();
  buildHamlets();
  buildLandmarks();
}

bool World::reclaimedBy(double x, double y, int year) const {
  for (const Reclaim& r : geo_.reclaims)
    if (r.year <= year && r.area.containsPoint({x, y}, Qt::OddEvenFill)) return true;
  return false;
}

double World::urbanBirth(double x, double y) const {
  const Terrain& t = *terrain_;
  for (size_t i = 0; i < geo_.reclaims.size(); ++i) {
    // Factories and warehouses follow a few years after the filling.
    if (geo_.reclaims[i].area.containsPoint({x, y}, Qt::OddEvenFill))
      return geo_.reclaims[i].year + 4 + 20 * fbm(x / 90, y / 90, 2, 5);
  }
  if (t.isSea(x, y) || t.riverDistance(x, y) < 12) return kNever;
  const double e = t.elevation(x, y);
  const double ragged = 150 * (fbm(x / 260, y / 260, 3, 41) - 0.5);
  double best = kNever;
  // The town on the plain: round the old village, stretched along the
  // shore, later round the station as well. Hills are built on late.
  if (e < 45 && t.slope(x, y) < 1.2) {
    const QPointF c = geo_.townCentre, s = geo_.station;
    const double r = std::hypot((x - c.x()) * 0.8, (y - c.y()) * 1.25) + ragged;
    const double rs = std::hypot(x - s.x(), y - s.y()) + ragged;
    const double climb = std::max(0.0, e - 8) * 0.6;
    best = std::min(yearForRadius(r), 1924 + rs / 140 * 44) + climb;
  }
  // The estate on the eastern hills, from the 1980s.
  const QPointF n = geo_.newTown;
  const double rn = std::hypot(x - n.x(), (y - n.y()) * 1.2) + ragged * 1.2;
  if (rn < 240 && e < 280 && t.slope(x, y) < 2.5) best = std::min(best, 1983 + rn / 240 * 8);
  return best;
}

LandUse World::landUse(double x, double y, int year) const {
  const Terrain& t = *terrain_;
  if (t.naturalShoreDistance(x, y) < 0) {
    // Sea, unless the shore was reclaimed here by then.
    if (!reclaimedBy(x, y, year)) return LandUse::Sea;
    return urban_.sample(x, y) <= year ? LandUse::Urban : LandUse::Bare;
  }
  if (urban_.sample(x, y) <= year) return LandUse::Urban;

  const double shore = t.shoreDistance(x, y);
  const double e = t.elevation(x, y);
  const double slope = t.slope(x, y);
  const bool rockyShore = x > 1880 && y > 1450;
  if (shore < 7 && e < 3 && !rockyShore) return LandUse::Beach;
  const double patch = fbm(x / 140, y / 140, 3, 53);
  if (e < 16 && slope < 0.12) {
    if (shore < 40 && patch > 0.72) return LandUse::Wasteland;
    // Some paddies are turned into fields and gardens as the town grows.
    if (year >= 1985 && patch > 0.62) return LandUse::Field;
    return LandUse::Paddy;
  }
  // Slopes facing south grow mandarins, more of them as the years go by.
  const double southward = t.elevation(x, y - 6) - t.elevation(x, y + 6);
  const double orchardNoise = fbm(x / 180, y / 180, 3, 57);
  if (e > 12 && e < 220 && southward > 1.5 && year >= 1920 && orchardNoise > (year >= 1960 ? 0.5 : 0.6))
    return LandUse::Orchard;
  if (e < 40 && slope < 0.35 && patch > 0.45) return LandUse::Field;
  // Plantations of cedar and cypress spread after the war.
  const double forest = fbm(x / 220, y / 220, 4, 61);
  return forest > (year >= 1960 ? 0.47 : 0.58) ? LandUse::Conifer : LandUse::Broadleaf;
}

}  // namespace sample
