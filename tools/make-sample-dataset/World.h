// SPDX-License-Identifier: MIT
#pragma once
// The region through time: terrain, water, roads, the railway, the harbour,
// buildings and land use, each with the years it existed. Every era is drawn
// from this one world, so that a place looks the same in every era apart from
// what changed there.
#include <QPolygonF>
#include <memory>
#include <vector>

#include "Field.h"
#include "Geography.h"
#include "Terrain.h"

namespace sample {

enum class Way {
  Path,      // footpath over the hills
  OldRoad,   // the highway of the Edo period
  Road,      // ordinary road
  MainRoad,  // national route
  Expressway,
  Street,  // town street
  Railway,
  Breakwater,
  Quay,
};

struct Route {
  Polyline line;
  Way kind;
  int from;                  // first year it existed
  int to = 9999;             // last year
  std::vector<bool> tunnel;  // per point of line: the route runs underground
  bool existsIn(int year) const { return year >= from && year <= to; }
};

enum class BuildingKind { House, Large, Factory, School, Public };

struct Building {
  QPolygonF shape;
  BuildingKind kind;
  int from;
  uint32_t tone;  // per-building variation of roof colour
};

enum class Symbol {
  Shrine,
  Temple,
  School,
  PostOffice,
  TownHall,
  CityHall,
  Triangulation,
  Lighthouse,
  Factory,
  Station,
  Harbour,
};

struct Landmark {
  QPointF at;
  Symbol symbol;
  int from;
  int to = 9999;
};

enum class LandUse {
  Sea,
  Beach,
  Paddy,
  Field,
  Orchard,
  Broadleaf,
  Conifer,
  Wasteland,
  Urban,
  Bare,  // reclaimed land not yet built on
};

class World {
 public:
  World();

  const Geography& geography() const { return geo_; }
  const Terrain& terrain() const { return *terrain_; }
  const std::vector<Route>& routes() const { return routes_; }
  const std::vector<Building>& buildings() const { return buildings_; }
  const std::vector<Landmark>& landmarks() const { return landmarks_; }

  // The year a place became part of the built-up town (a large number when
  // it never did).
  double urbanSince(double x, double y) const { return urban_.sample(x, y); }
  // What covers the ground at a place in a year, apart from roads, water and
  // buildings drawn on top.
  LandUse landUse(double x, double y, int year) const;
  // Within the reclaimed shore of that year.
  bool reclaimedBy(double x, double y, int year) const;

 private:
  double urbanBirth(double x, double y) const;
  void buildRoutes();
  void buildTown();
  void buildHamlets();
  void buildLandmarks();
  void addStreetGrid();
  void addNewTown();

  Geography geo_;
  std::unique_ptr<Terrain> terrain_;
  Field urban_;
  std::vector<Route> routes_;
  std::vector<Building> buildings_;
  std::vector<Landmark> landmarks_;
};

}  // namespace sample
