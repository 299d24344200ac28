// SPDX-License-Identifier: MIT
#include "Scene.h"

#include <algorithm>
#include <cmath>

namespace sample {

QPolygonF riverArea(const River& river) {
  const size_t n = river.line.size();
  std::vector<QPointF> left(n), right(n);
  for (size_t i = 0; i < n; ++i) {
    const QPointF d = river.line[std::min(i + 1, n - 1)] - river.line[i == 0 ? 0 : i - 1];
    const double len = std::hypot(d.x(), d.y());
    const QPointF normal = len > 0 ? QPointF(d.y() / len, -d.x() / len) : QPointF();
    const double half = river.widthAt(river.length * i / std::max<size_t>(1, n - 1)) / 2;
    left[i] = river.line[i] + normal * half;
    right[i] = river.line[i] - normal * half;
  }
  QPolygonF area;
  for (size_t i = 0; i < n; ++i) area << left[i];
  for (size_t i = n; i-- > 0;) area << right[i];
  return area;
}

std::vector<Polyline> routeSections(const Route& route, bool tunnel) {
  std::vector<Polyline> sections;
  Polyline current;
  for (size_t i = 0; i < route.line.size(); ++i) {
    if (route.tunnel[i] == tunnel) {
      current.push_back(route.line[i]);
    } else if (!current.empty()) {
      current.push_back(route.line[i]);  // reach the portal
      if (current.size() > 1) sections.push_back(std::move(current));
      current.clear();
    }
  }
  if (current.size() > 1) sections.push_back(std::move(current));
  return sections;
}

Scene::Scene(const World& w, int y, const std::vector<ContourLine>& c) : world(w), year(y), contours(c) {
  land = world.geography().land(year);
  for (const River& r : world.geography().rivers) {
    if (r.main) {
      QPainterPath p;
      p.addPolygon(riverArea(r));
      p.closeSubpath();
      riverWater.addPath(p);
    }
    streams.push_back(&r);
  }
  riverWater.setFillRule(Qt::WindingFill);
  for (const Route& r : world.routes())
    if (r.existsIn(year)) routes.push_back(&r);
  for (const Building& b : world.buildings())
    if (b.from <= year) buildings.push_back(&b);
  for (const Landmark& l : world.landmarks())
    if (year >= l.from && year <= l.to) landmarks.push_back(&l);
}

std::vector<const Route*> Scene::routesOf(Way kind) const {
  std::vector<const Route*> out;
  for (const Route* r : routes)
    if (r->kind == kind) out.push_back(r);
  return out;
}

}  // namespace sample
