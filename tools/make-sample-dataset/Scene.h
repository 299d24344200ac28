// SPDX-License-Identifier: MIT
#pragma once
// The world as it stood in one year, ready to be drawn: the land of that year,
// the routes, buildings and landmarks that existed, the water surfaces and the
// contour lines. Built once per era and shared by the painters of its tiles.
#include <QPainterPath>
#include <vector>

#include "World.h"

namespace sample {

class Scene {
 public:
  // contours: the terrain's contour lines (every 10 m), shared by all years.
  Scene(const World& world, int year, const std::vector<ContourLine>& contours);

  const World& world;
  const int year;
  const std::vector<ContourLine>& contours;

  QPainterPath land;                  // land of the year
  QPainterPath riverWater;            // water surface of the wide rivers
  std::vector<const River*> streams;  // rivers drawn as lines
  std::vector<const Route*> routes;
  std::vector<const Building*> buildings;
  std::vector<const Landmark*> landmarks;

  // Routes of one kind, in the order they were made.
  std::vector<const Route*> routesOf(Way kind) const;
};

// The polygon of a river's water surface, its width growing downstream.
QPolygonF riverArea(const River& river);

// The sections of a route above ground (tunnel = false) or below (true).
std::vector<Polyline> routeSections(const Route& route, bool tunnel);

}  // namespace sample
