// SPDX-License-Identifier: MIT
#include "output/WebTileGrid.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/ViewState.h"

namespace kavalo {

namespace {

// The sheet spans the program's own conversions use (the latitude's literal
// as the dataset graticules were computed with).
constexpr double kSheetLonSpan = 0.125;
constexpr double kSheetLatSpan = 0.08333333;
constexpr double kPaperMmPerSheet = 370.0;

double worldTiles(int z) { return std::ldexp(1.0, z); }

}  // namespace

double lonToMercatorX(double lon) { return lon / 180.0 * kWebHalfWorld; }

double latToMercatorY(double lat) {
  lat = std::clamp(lat, -kWebMaxLatitude, kWebMaxLatitude);
  const double phi = lat * std::numbers::pi / 180.0;
  return std::log(std::tan(std::numbers::pi / 4.0 + phi / 2.0)) * kWebHalfWorld / std::numbers::pi;
}

double mercatorXToLon(double x) { return x / kWebHalfWorld * 180.0; }

double mercatorYToLat(double y) {
  return (2.0 * std::atan(std::exp(y / kWebHalfWorld * std::numbers::pi)) - std::numbers::pi / 2.0) * 180.0 /
         std::numbers::pi;
}

MercatorBox webTileMercatorBounds(const WebTile& tile) {
  const double size = 2.0 * kWebHalfWorld / worldTiles(tile.z);
  MercatorBox b;
  b.minX = -kWebHalfWorld + tile.x * size;
  b.maxX = b.minX + size;
  b.maxY = kWebHalfWorld - tile.y * size;
  b.minY = b.maxY - size;
  return b;
}

LonLatBox webTileLonLatBounds(const WebTile& tile) {
  const MercatorBox m = webTileMercatorBounds(tile);
  return LonLatBox{mercatorXToLon(m.minX), mercatorYToLat(m.minY), mercatorXToLon(m.maxX), mercatorYToLat(m.maxY)};
}

WebTileRange webTilesCovering(const LonLatBox& box, int z) {
  WebTileRange r;
  r.z = z;
  if (box.empty() || z < 0 || z > kWebMaxZoom) return r;
  const double n = worldTiles(z);
  const int last = static_cast<int>(n) - 1;
  // In tile units from the world's north-west corner; an edge that falls on
  // a tile boundary does not bring in the tile beyond it.
  const double x0 = (lonToMercatorX(box.west) + kWebHalfWorld) / (2.0 * kWebHalfWorld) * n;
  const double x1 = (lonToMercatorX(box.east) + kWebHalfWorld) / (2.0 * kWebHalfWorld) * n;
  const double y0 = (kWebHalfWorld - latToMercatorY(box.north)) / (2.0 * kWebHalfWorld) * n;
  const double y1 = (kWebHalfWorld - latToMercatorY(box.south)) / (2.0 * kWebHalfWorld) * n;
  auto clampTile = [last](double v) { return static_cast<int>(std::clamp(v, 0.0, static_cast<double>(last))); };
  r.minX = clampTile(std::floor(x0));
  r.maxX = clampTile(std::ceil(x1) - 1.0);
  r.minY = clampTile(std::floor(y0));
  r.maxY = clampTile(std::ceil(y1) - 1.0);
  return r;
}

WebZoomRange webZoomRange(const LonLatBox& region, double lonPerImagePx) {
  WebZoomRange r;
  if (region.empty() || !(lonPerImagePx > 0.0)) return r;
  // Longitude per pixel at zoom z is 360 / (256 * 2^z): the nearest zoom in
  // the ratio of pixel sizes, that is, in the logarithm.
  const double exact = std::log2(360.0 / (kWebTileSize * lonPerImagePx));
  r.maxZoom = std::clamp(static_cast<int>(std::lround(exact)), 0, kWebMaxZoom);
  const double widthM = lonToMercatorX(region.east) - lonToMercatorX(region.west);
  const double heightM = latToMercatorY(region.north) - latToMercatorY(region.south);
  r.minZoom = r.maxZoom;
  while (r.minZoom > 0) {
    const double tileM = 2.0 * kWebHalfWorld / worldTiles(r.minZoom);
    if (widthM <= tileM && heightM <= tileM) break;
    --r.minZoom;
  }
  return r;
}

RegionGeometry regionGeometry(const MapInfo& info) {
  RegionGeometry g;
  const double widthPx = static_cast<double>(info.totalCols) * info.tileWidth;
  const double heightPx = static_cast<double>(info.totalRows) * info.tileHeight;
  if (widthPx <= 0.0 || heightPx <= 0.0) return g;
  g.lonPerPx = info.sheetsX * kSheetLonSpan / widthPx;
  g.latPerPx = info.sheetsY * kSheetLatSpan / heightPx;
  const FrameOffset& shift = info.frame[kWorldFrame];
  g.west = static_cast<double>(info.west) - shift.x * g.lonPerPx;
  g.north = static_cast<double>(info.north) + shift.y * g.latPerPx;
  return g;
}

LonLatBox imageBoxLonLat(const RegionGeometry& g, double left, double top, double right, double bottom) {
  return LonLatBox{g.lon(left), g.lat(bottom), g.lon(right), g.lat(top)};
}

double webZoomAt100(const MapInfo& info, double mmPerViewPx) {
  const RegionGeometry g = regionGeometry(info);
  const double mmPerImagePx = kPaperMmPerSheet / (static_cast<double>(info.tilesPerSheetY) * info.tileHeight);
  const double lonPerViewPx = g.lonPerPx * mmPerViewPx / mmPerImagePx;
  if (!(lonPerViewPx > 0.0) || !std::isfinite(lonPerViewPx)) return 0.0;
  return std::log2(360.0 / (kWebTileSize * lonPerViewPx));
}

double webZoomForPercent(double percent, double zoom100Web) { return zoom100Web + std::log2(percent / 100.0); }

int percentForWebZoom(double webZoom, double zoom100Web) {
  const double percent = 100.0 * std::exp2(webZoom - zoom100Web);
  if (!std::isfinite(percent)) return webZoom > zoom100Web ? kMaxZoom : kMinZoom;
  return std::clamp(static_cast<int>(std::lround(percent)), static_cast<int>(kMinZoom), static_cast<int>(kMaxZoom));
}

}  // namespace kavalo
