// SPDX-License-Identifier: MIT
#include "Geography.h"

#include <algorithm>
#include <cmath>

namespace sample {

namespace {

// The coast from the west edge round the bay and the cape to the east edge;
// the land lies to the north. The bay side is sand and mud, the cape rock.
Polyline coastBay() {
  return {{-150, 1630}, {100, 1625},  {300, 1655},  {470, 1690},  {650, 1640}, {850, 1585},
          {1050, 1540}, {1250, 1505}, {1450, 1490}, {1650, 1494}, {1800, 1508}};
}

Polyline coastCape() {
  return {{1800, 1508}, {1930, 1560}, {2030, 1660}, {2090, 1800}, {2140, 1960}, {2200, 2120},
          {2240, 2300}, {2280, 2460}, {2330, 2620}, {2500, 2710}, {2700, 2610}, {2740, 2420},
          {2800, 2240}, {2880, 2100}, {3000, 2030}, {3160, 2000}};
}

QPolygonF islandShape() {
  Polyline ring;
  const QPointF centre(820, 2060);
  for (int i = 0; i <= 10; ++i) {
    const double a = 2 * M_PI * i / 10;
    const double r = 1.0 + 0.18 * std::sin(3 * a + 0.7);
    ring.push_back(centre + QPointF(std::cos(a) * 70 * r, std::sin(a) * 46 * r));
  }
  return toPolygon(roughen(smoothCurve(ring, 4), 0.2, 4, 71));
}

// A river that joins another takes the bed height of the confluence; one
// that reaches the sea ends at 0 m.
River makeRiver(const Polyline& controls, double widthSource, double widthMouth, bool main, uint32_t seed,
                const std::vector<River>& earlier, bool joins) {
  River r;
  r.line = resample(roughen(smoothCurve(controls, 8), 0.06, 8, seed), 3.0);
  r.length = polylineLength(r.line);
  r.widthSource = widthSource;
  r.widthMouth = widthMouth;
  r.bedAtEnd = 0;
  r.main = main;
  if (joins) {
    double best = 1e18;
    for (const River& other : earlier) {
      for (size_t i = 0; i < other.line.size(); ++i) {
        const double d = std::hypot(other.line[i].x() - r.line.back().x(), other.line[i].y() - r.line.back().y());
        if (d < best) {
          best = d;
          r.bedAtEnd = other.bedAt(other.length * i / (other.line.size() - 1));
        }
      }
    }
  }
  return r;
}

}  // namespace

Geography::Geography() {
  Polyline coast = roughen(smoothCurve(coastBay(), 6), 0.08, 4, 11);
  const Polyline rocky = roughen(smoothCurve(coastCape(), 6), 0.2, 3, 13);
  coast.insert(coast.end(), rocky.begin() + 1, rocky.end());
  coast.push_back({3160, -200});
  coast.push_back({-150, -200});
  mainland = toPolygon(coast);
  island = islandShape();

  // 大川 from the northern mountains through the plain to the bay head, 東川
  // down the eastern valley into it; streams: 西川 on the western plain, one
  // off the cape, one from the north into 東川.
  const Polyline ookawa = {{1010, -120}, {1040, 60},   {985, 230},   {1060, 400},  {1150, 540},
                           {1120, 690},  {1210, 830},  {1320, 930},  {1390, 1010}, {1480, 1060},
                           {1560, 1120}, {1610, 1220}, {1585, 1320}, {1620, 1410}, {1650, 1530}};
  const Polyline higashi = {{3080, 690}, {2850, 740},  {2600, 760},  {2380, 830}, {2150, 890},
                            {1930, 960}, {1760, 1040}, {1640, 1110}, {1590, 1150}};
  const Polyline nishi = {{380, 950}, {430, 1120}, {470, 1300}, {500, 1480}, {515, 1700}};
  const Polyline cape = {{2480, 1350}, {2400, 1550}, {2280, 1760}, {2160, 1900}};
  const Polyline north = {{2300, 150}, {2350, 400}, {2300, 650}, {2330, 815}};
  rivers.push_back(makeRiver(ookawa, 5, 16, true, 21, rivers, false));
  rivers.push_back(makeRiver(higashi, 3, 8, true, 23, rivers, true));
  rivers.push_back(makeRiver(nishi, 2, 4, false, 25, rivers, false));
  rivers.push_back(makeRiver(cape, 1.5, 3, false, 27, rivers, false));
  rivers.push_back(makeRiver(north, 1.5, 3, false, 29, rivers, true));

  reclaims.push_back(
      {QPolygonF({{1300, 1470}, {1590, 1472}, {1598, 1612}, {1440, 1612}, {1440, 1578}, {1300, 1582}}), 1968});
  reclaims.push_back({QPolygonF({{1692, 1478}, {1900, 1495}, {1935, 1662}, {1722, 1670}, {1704, 1560}}), 1992});

  townCentre = {1460, 1335};
  station = {1470, 1216};
  newTown = {2060, 740};
}

QPainterPath Geography::land(int year) const {
  QPainterPath natural;
  natural.addPolygon(mainland);
  natural.closeSubpath();
  QPainterPath result = natural;
  for (const Reclaim& r : reclaims) {
    if (r.year > year) continue;
    QPainterPath p;
    p.addPolygon(r.area);
    p.closeSubpath();
    result = result.united(p);
  }
  QPainterPath isle;
  isle.addPolygon(island);
  isle.closeSubpath();
  result.addPath(isle);
  return result;
}

double River::widthAt(double s) const {
  const double t = length > 0 ? s / length : 0.0;
  return widthSource + (widthMouth - widthSource) * t * t;
}

double River::bedAt(double s) const {
  // Gentle near the mouth, steeper towards the mountains.
  const double u = std::max(0.0, length - s);
  return bedAtEnd + 0.018 * u + 2.6e-5 * u * u;
}

}  // namespace sample
