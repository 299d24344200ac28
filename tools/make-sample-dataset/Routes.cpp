// SPDX-License-Identifier: MIT
// The roads, the railway and the harbour works of the region, and the
// landmarks drawn as map symbols.
#include <algorithm>
#include <cmath>

#include "Noise.h"
#include "World.h"

namespace sample {

namespace {

Route makeRoute(const Polyline& controls, Way kind, int from, int to, uint32_t seed) {
  Route r;
  const double wiggle = kind == Way::Path ? 0.12 : (kind == Way::OldRoad ? 0.06 : 0.02);
  r.line = resample(roughen(smoothCurve(controls, 6), wiggle, 10, seed), 3.0);
  r.kind = kind;
  r.from = from;
  r.to = to;
  r.tunnel.assign(r.line.size(), false);
  return r;
}

// Railways and expressways keep to a gentle grade: where the ground rises
// well above the grade they can climb to, they run in a tunnel.
void markTunnels(Route& r, const Terrain& t) {
  const size_t n = r.line.size();
  std::vector<double> ground(n), grade(n);
  for (size_t i = 0; i < n; ++i) ground[i] = std::max(0.0, t.elevation(r.line[i].x(), r.line[i].y()));
  const double rise = r.kind == Way::Railway ? 0.06 : 0.15;  // metres per point (3 px)
  grade = ground;
  for (size_t i = 1; i < n; ++i) grade[i] = std::min(grade[i], grade[i - 1] + rise);
  for (size_t i = n - 1; i-- > 0;) grade[i] = std::min(grade[i], grade[i + 1] + rise);
  const double cover = r.kind == Way::Railway ? 18 : 30;  // metres of rock above a tunnel
  for (size_t i = 0; i < n; ++i) r.tunnel[i] = ground[i] - grade[i] > cover;
  // Short gaps between tunnels are filled, short tunnels dropped.
  for (size_t i = 1; i + 1 < n; ++i)
    if (!r.tunnel[i] && r.tunnel[i - 1] && i + 3 < n && r.tunnel[i + 3]) r.tunnel[i] = true;
}

}  // namespace

void World::buildRoutes() {
  auto add = [&](const Polyline& controls, Way kind, int from, int to, uint32_t seed) {
    routes_.push_back(makeRoute(controls, kind, from, to, seed));
    if (kind == Way::Railway || kind == Way::Expressway) markTunnels(routes_.back(), *terrain_);
  };
  // The old highway along the shore, through the village, over the river and
  // up the eastern valley.
  const Polyline highway = {{-60, 1450},  {250, 1462},  {520, 1440},  {800, 1410},  {1050, 1385}, {1280, 1352},
                            {1460, 1335}, {1540, 1330}, {1600, 1322}, {1680, 1262}, {1780, 1112}, {1940, 1000},
                            {2150, 932},  {2380, 872},  {2600, 800},  {2850, 780},  {3080, 732}};
  add(highway, Way::OldRoad, 1800, 9999, 101);
  // Up the main valley to the mountains.
  const Polyline valleyRoad = {{1280, 1352}, {1250, 1200}, {1262, 1000}, {1228, 850}, {1150, 705},
                               {1088, 560},  {1008, 425},  {955, 250},   {995, 60},   {975, -80}};
  add(valleyRoad, Way::Road, 1800, 9999, 103);
  // Along the bay to the fishing hamlet on the cape: a path, then a road.
  const Polyline capeRoad = {{1600, 1322}, {1700, 1440}, {1850, 1470}, {1965, 1522}, {2052, 1615}, {2105, 1760},
                             {2150, 1900}, {2190, 2050}, {2232, 2200}, {2268, 2380}, {2300, 2520}};
  add(capeRoad, Way::Path, 1800, 1929, 105);
  add(capeRoad, Way::Road, 1930, 9999, 105);
  // Footpaths over the hills; some are forgotten once roads reach the places.
  add({{640, 1420}, {660, 1220}, {700, 1010}, {760, 850}, {800, 640}}, Way::Path, 1800, 9999, 107);
  add({{1930, 1005}, {1960, 820}, {2010, 610}, {2100, 400}, {2150, 150}}, Way::Path, 1800, 1975, 109);
  add({{2380, 1300}, {2470, 1480}, {2540, 1720}, {2560, 1980}, {2600, 2250}}, Way::Path, 1800, 9999, 111);
  add({{1150, 705}, {1300, 600}, {1420, 470}, {1500, 300}}, Way::Path, 1800, 9999, 113);
  // Lanes of the old village: down to the beach, to the shrine and the
  // temple, along the river. The lane to the beach becomes the harbour road.
  add({{1460, 1335}, {1452, 1410}, {1440, 1486}}, Way::Street, 1800, 1924, 115);
  add({{1460, 1335}, {1452, 1410}, {1440, 1486}}, Way::Road, 1925, 9999, 115);
  add({{1380, 1342}, {1392, 1300}, {1412, 1292}}, Way::Street, 1800, 9999, 141);
  add({{1505, 1303}, {1508, 1333}}, Way::Street, 1800, 9999, 143);
  add({{1345, 1378}, {1450, 1372}, {1565, 1366}}, Way::Street, 1800, 9999, 145);
  add({{1540, 1330}, {1578, 1415}, {1596, 1478}}, Way::Street, 1800, 9999, 147);
  add({{1300, 1350}, {1290, 1420}, {1270, 1490}}, Way::Street, 1800, 9999, 149);
  // The new harbour roads.
  add({{1440, 1486}, {1450, 1540}, {1520, 1600}}, Way::Road, 1970, 9999, 117);
  add({{1700, 1440}, {1760, 1520}, {1820, 1640}}, Way::Road, 1994, 9999, 119);

  // The railway, opened in the 1920s.
  const Polyline railway = {{-60, 1395},  {300, 1392},  {600, 1375},  {850, 1345},  {1100, 1290}, {1300, 1240},
                            {1470, 1216}, {1600, 1200}, {1700, 1165}, {1800, 1090}, {1960, 1030}, {2160, 965},
                            {2380, 905},  {2600, 838},  {2850, 815},  {3080, 768}};
  add(railway, Way::Railway, 1924, 9999, 121);
  // The national route bypassing the old town, and the expressway.
  const Polyline nationalRoute = {{-60, 1300},  {300, 1318},  {650, 1305},  {950, 1272},  {1200, 1200},
                                  {1350, 1152}, {1500, 1130}, {1560, 1118}, {1700, 1030}, {1900, 925},
                                  {2150, 846},  {2400, 782},  {2650, 716},  {2900, 690},  {3080, 652}};
  add(nationalRoute, Way::MainRoad, 1963, 9999, 123);
  const Polyline expressway = {{-60, 1180}, {300, 1150}, {650, 1118}, {950, 1075}, {1250, 990}, {1400, 960},
                               {1600, 900}, {1850, 812}, {2100, 700}, {2400, 620}, {2700, 560}, {3080, 520}};
  add(expressway, Way::Expressway, 1995, 9999, 125);
  add({{1250, 990}, {1265, 1080}, {1240, 1190}}, Way::Road, 1995, 9999, 127);
  // A forest road into the northern hills.
  add({{1228, 850}, {1400, 720}, {1550, 610}, {1700, 520}}, Way::Road, 1972, 9999, 129);

  // Breakwaters of the fishing harbour, the port on the new shore, and its
  // extension.
  add({{1375, 1484}, {1372, 1540}, {1425, 1565}}, Way::Breakwater, 1925, 1967, 131);
  add({{1250, 1590}, {1240, 1660}, {1390, 1690}}, Way::Breakwater, 1968, 9999, 133);
  add({{1965, 1700}, {1850, 1765}, {1700, 1752}}, Way::Breakwater, 1992, 9999, 135);
}

void World::buildLandmarks() {
  auto add = [&](QPointF at, Symbol s, int from, int to = 9999) { landmarks_.push_back({at, s, from, to}); };
  add({1415, 1290}, Symbol::Shrine, 1800);
  add({826, 2052}, Symbol::Shrine, 1800);
  add({2150, 1868}, Symbol::Shrine, 1800);
  add({640, 1405}, Symbol::Shrine, 1800);
  add({1505, 1298}, Symbol::Temple, 1800);
  add({905, 1395}, Symbol::Temple, 1800);
  add({1270, 1312}, Symbol::Temple, 1800);
  add({1390, 1255}, Symbol::School, 1895);
  add({700, 1378}, Symbol::School, 1910);
  add({1625, 1060}, Symbol::School, 1960);
  add({2085, 770}, Symbol::School, 1988);
  add({1478, 1312}, Symbol::PostOffice, 1895);
  add({2055, 728}, Symbol::PostOffice, 1990);
  add({1445, 1280}, Symbol::TownHall, 1895, 1954);
  add({1310, 1175}, Symbol::CityHall, 1955);
  add({1470, 1216}, Symbol::Station, 1924);
  add({850, 1345}, Symbol::Station, 1924);
  add({2380, 905}, Symbol::Station, 1924);
  add({1415, 1515}, Symbol::Harbour, 1925);
  add({1500, 1560}, Symbol::Factory, 1972);
  add({1810, 1600}, Symbol::Factory, 1996);
  add({2262, 2330}, Symbol::Lighthouse, 1900);

  // Triangulation points on the highest summits, well apart from each other.
  std::vector<std::pair<double, QPointF>> peaks;
  const Terrain& t = *terrain_;
  for (int y = 60; y < kMosaicHeight - 60; y += 20) {
    for (int x = 60; x < kMosaicWidth - 60; x += 20) {
      const double e = t.elevation(x, y);
      if (e < 80) continue;
      bool top = true;
      for (int dy = -40; dy <= 40 && top; dy += 10)
        for (int dx = -40; dx <= 40 && top; dx += 10)
          if ((dx || dy) && t.elevation(x + dx, y + dy) > e) top = false;
      if (top) peaks.push_back({e, QPointF(x, y)});
    }
  }
  std::sort(peaks.begin(), peaks.end(), [](const auto& a, const auto& b) {
    return a.first != b.first
               ? a.first > b.first
               : (a.second.y() != b.second.y() ? a.second.y() < b.second.y() : a.second.x() < b.second.x());
  });
  std::vector<QPointF> chosen;
  for (const auto& [e, p] : peaks) {
    bool apart = true;
    for (const QPointF& c : chosen) apart = apart && std::hypot(c.x() - p.x(), c.y() - p.y()) > 450;
    if (apart) chosen.push_back(p);
    if (chosen.size() == 7) break;
  }
  for (const QPointF& p : chosen) add(p, Symbol::Triangulation, 1800);
}

}  // namespace sample
