// SPDX-License-Identifier: MIT
#pragma once
// The synthetic terrain: elevations in metres on a fine grid over the region
// (with a margin for the shifted frames), built from the coast and the rivers
// of the Geography so that valleys hold the rivers and the plain meets the
// bay. Every era, the elevation grid file and the contour lines come from it.
#include <QLineF>
#include <vector>

#include "Field.h"
#include "Geography.h"

namespace sample {

struct ContourLine {
  Polyline line;
  int metres;
};

class Terrain {
 public:
  explicit Terrain(const Geography& geo);

  // Elevation in metres at an image position; below 0 at sea.
  double elevation(double x, double y) const { return elevation_.sample(x, y); }
  // Distance to the present coast in pixels: positive on land, negative at sea.
  double shoreDistance(double x, double y) const { return shore_.sample(x, y); }
  bool isSea(double x, double y) const { return shoreDistance(x, y) < 0; }
  // The same for the coast before any land was reclaimed.
  double naturalShoreDistance(double x, double y) const { return naturalShore_.sample(x, y); }
  // Distance to the nearest river or stream in pixels.
  double riverDistance(double x, double y) const { return river_.sample(x, y); }
  // Fall of the ground over one pixel, as a gradient length.
  double slope(double x, double y) const;

  // Contour lines every `interval` metres (sea and the 0 m line excluded).
  std::vector<ContourLine> contours(int interval) const;

 private:
  static void buildShoreDistance(const QPainterPath& land, Field& out);
  void buildRiverDistance(const Geography& geo);
  void buildElevation();

  Field shore_;         // signed distance to the coast, pixels
  Field naturalShore_;  // the same before the shore was reclaimed
  Field river_;         // distance to a river, pixels
  Field bed_;           // bed height of that river, metres
  Field elevation_;
};

}  // namespace sample
