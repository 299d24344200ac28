// SPDX-License-Identifier: MIT
#pragma once
// The natural and the made shapes of the region that the terrain depends on:
// the coast, an island, the rivers, and the shore reclaimed from the bay. All
// in image pixels of the Tokyo-datum graticule (origin at the north-west
// corner of the region, y to the south).
#include <QPainterPath>
#include <vector>

#include "Geometry.h"

namespace sample {

struct River {
  Polyline line;       // from the source to the mouth (or the confluence)
  double length;       // pixels along the line
  double widthSource;  // pixels
  double widthMouth;
  double bedAtEnd;  // metres at the last point: 0 at the sea, else the bed where it joins
  bool main;        // a river, not a stream

  double widthAt(double s) const;
  // Height of the river bed at distance s from the source, in metres.
  double bedAt(double s) const;
};

// Land won from the bay from a given year on.
struct Reclaim {
  QPolygonF area;
  int year;
};

struct Geography {
  Geography();

  QPolygonF mainland;  // natural land, closed far outside the region
  QPolygonF island;
  std::vector<River> rivers;  // rivers[0] is the main river
  std::vector<Reclaim> reclaims;

  // Land as it was in a year: the natural land and the reclaimed shore.
  QPainterPath land(int year) const;

  // Landmarks the town grows around.
  QPointF townCentre;  // the old village at the river mouth
  QPointF station;
  QPointF newTown;  // the hill estate of the 1980s
};

}  // namespace sample
