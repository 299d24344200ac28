// SPDX-License-Identifier: MIT
#pragma once
// The web's common tile scheme: the world in spherical Mercator (EPSG:3857)
// cut into 256 x 256 pixel tiles, 2^z x 2^z of them at zoom z, x to the east
// and y to the south from the north-west corner ({z}/{x}/{y}). A region's
// image coordinates are linear in the world datum's longitude and latitude
// (the Tokyo graticule shifted by the world-datum frame offset), so every
// conversion here goes through longitude and latitude in degrees.
#include <vector>

#include "model/MapInfo.h"

namespace kavalo {

inline constexpr int kWebTileSize = 256;
// Mercator is cut off where the world is square.
inline constexpr double kWebMaxLatitude = 85.05112877980659;
// Half the Mercator world's width in metres (the sphere's radius times pi).
inline constexpr double kWebHalfWorld = 20037508.342789244;
inline constexpr int kWebMaxZoom = 24;

struct WebTile {
  int z = 0;
  int x = 0;
  int y = 0;
  bool operator==(const WebTile&) const = default;
};

// A box in metres of EPSG:3857.
struct MercatorBox {
  double minX = 0.0;
  double minY = 0.0;
  double maxX = 0.0;
  double maxY = 0.0;
};

// A box of longitudes and latitudes (world datum, degrees).
struct LonLatBox {
  double west = 0.0;
  double south = 0.0;
  double east = 0.0;
  double north = 0.0;
  bool empty() const { return !(east > west && north > south); }
};

double lonToMercatorX(double lon);
double latToMercatorY(double lat);
double mercatorXToLon(double x);
double mercatorYToLat(double y);

// The tile's bounds in metres and in degrees.
MercatorBox webTileMercatorBounds(const WebTile& tile);
LonLatBox webTileLonLatBounds(const WebTile& tile);

// The tiles of zoom z that share area with the box (edges that only touch do
// not count), clamped to the world; none for an empty box.
struct WebTileRange {
  int z = 0;
  int minX = 0, minY = 0, maxX = -1, maxY = -1;  // inclusive
  int count() const { return maxX < minX || maxY < minY ? 0 : (maxX - minX + 1) * (maxY - minY + 1); }
};
WebTileRange webTilesCovering(const LonLatBox& box, int z);

// The zooms a region's pyramid spans: from the zoom whose pixels are nearest
// the region's own in size (its degrees of longitude per image pixel) down to
// the lowest zoom at which the whole box still fits in one tile's width and
// height (never below 0, never above the top).
struct WebZoomRange {
  int minZoom = 0;
  int maxZoom = 0;
};
WebZoomRange webZoomRange(const LonLatBox& region, double lonPerImagePx);

// The affine tie between a region's image coordinates and the world datum.
struct RegionGeometry {
  double west = 0.0;   // longitude of image x = 0 (world datum)
  double north = 0.0;  // latitude of image y = 0 (world datum)
  double lonPerPx = 0.0;
  double latPerPx = 0.0;  // positive: latitude falls as y grows
  double imageX(double lon) const { return (lon - west) / lonPerPx; }
  double imageY(double lat) const { return (north - lat) / latPerPx; }
  double lon(double imageX) const { return west + imageX * lonPerPx; }
  double lat(double imageY) const { return north - imageY * latPerPx; }
};
// In double precision from the dataset's values (its world-datum offset
// included); the program's single-precision conversions agree with it to
// their own precision.
RegionGeometry regionGeometry(const MapInfo& info);

// The box of image pixels [left, right) x [top, bottom) in the world datum.
LonLatBox imageBoxLonLat(const RegionGeometry& g, double left, double top, double right, double bottom);

// The web map's zoom at which the map looks as large as the window's view at
// zoom100 ... percent: zoom 100 % and web zoom zoom100Web show the same
// longitude per pixel. Fractional web zooms are allowed.
double webZoomAt100(const MapInfo& info, double mmPerViewPx);
double webZoomForPercent(double percent, double zoom100Web);
int percentForWebZoom(double webZoom, double zoom100Web);  // clamped to the window's zoom range

}  // namespace kavalo
