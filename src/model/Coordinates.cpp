// SPDX-License-Identifier: MIT
#include "model/Coordinates.h"

#include <cmath>

#include "platform/Numbers.h"

namespace kavalo {

namespace {
// The latitude span of a sheet unit, 5 minutes, as the literal the dataset
// graticules were computed with (not 1/12).
constexpr double kSheetLatSpan = 0.08333333;
constexpr double kSheetLonSpan = 0.125;

const FrameOffset& worldOffset(const MapInfo& info) { return info.frame[2]; }
}  // namespace

int BoxRelation(const GeoBox& a, const GeoBox& b) {
  if (a.west > b.east || a.south > b.north || a.east < b.west || a.north < b.south) return -1;
  if (a.west >= b.west && a.south >= b.south && a.east <= b.east && a.north <= b.north) return 1;
  return 0;
}

ScaleFactors computeScaleFactors(const MapInfo& info, double mmPerScreenPxX, double mmPerScreenPxY) {
  ScaleFactors s;
  s.mmPerScreenPxX = toSingle(mmPerScreenPxX);
  s.mmPerScreenPxY = toSingle(mmPerScreenPxY);
  s.mmPerImagePx = toSingle(370.0 / (static_cast<double>(info.tilesPerSheetY) * info.tileHeight));
  s.screenPerImageX = toSingle(static_cast<double>(s.mmPerImagePx) / s.mmPerScreenPxX);
  s.screenPerImageY = toSingle(static_cast<double>(s.mmPerImagePx) / s.mmPerScreenPxY);
  s.imagePerScreenX = toSingle(static_cast<double>(s.mmPerScreenPxX) / s.mmPerImagePx);
  s.imagePerScreenY = toSingle(static_cast<double>(s.mmPerScreenPxY) / s.mmPerImagePx);
  s.imagePxPer40mm = toSingle(40.0 / s.mmPerImagePx);
  return s;
}

ImagePoint LatLonToImage(const MapInfo& info, float lat, float lon, int datum) {
  const float fx = toSingle((static_cast<double>(lon) - info.west) / (info.sheetsX * kSheetLonSpan));
  const float fy = toSingle((static_cast<double>(info.north) - lat) / (info.sheetsY * kSheetLatSpan));
  ImagePoint p;
  p.x = toSingle(static_cast<double>(fx) * (static_cast<double>(info.totalCols) * info.tileWidth));
  p.y = toSingle(static_cast<double>(fy) * (static_cast<double>(info.totalRows) * info.tileHeight));
  if (datum == 1) {
    p.x = toSingle(static_cast<double>(p.x) + worldOffset(info).x);
    p.y = toSingle(static_cast<double>(p.y) + worldOffset(info).y);
  }
  return p;
}

LatLon ImageToLatLon(const MapInfo& info, float x, float y, int datum) {
  if (datum == 1) {
    x = toSingle(static_cast<double>(x) - worldOffset(info).x);
    y = toSingle(static_cast<double>(y) - worldOffset(info).y);
  }
  LatLon r;
  r.lon = toSingle(static_cast<double>(x) / (static_cast<double>(info.totalCols) * info.tileWidth) *
                       (info.sheetsX * kSheetLonSpan) +
                   info.west);
  r.lat = toSingle(static_cast<double>(info.north) - static_cast<double>(y) /
                                                         (static_cast<double>(info.totalRows) * info.tileHeight) *
                                                         (info.sheetsY * kSheetLatSpan));
  return r;
}

LatLon TokyoToWorld(const MapInfo& info, float lat, float lon) {
  ImagePoint p = LatLonToImage(info, lat, lon, 0);
  return ImageToLatLon(info, p.x, p.y, 1);
}

DMS DegToDMS(float v) {
  DMS r;
  // Only a position far off the map (a damaged file, an extreme offset) is
  // not a finite angle within the integer range; it reads as 0 degrees
  // rather than as whatever the conversion would make of it.
  if (!std::isfinite(v) || std::abs(v) > 1.0e9f) return r;
  const double d = std::floor(static_cast<double>(v));
  const float m = toSingle((static_cast<double>(v) - d) * 60.0);
  const double mm = std::floor(static_cast<double>(m));
  r.degrees = static_cast<int>(d);
  r.minutes = static_cast<int>(mm);
  r.seconds = toSingle((static_cast<double>(m) - mm) * 60.0);
  return r;
}

SheetCell SheetCellAt(const MapInfo& info, float x, float y, int frameType) {
  const FrameOffset& o = info.frame[frameType];
  SheetCell c;
  c.rx = roundToInt(static_cast<double>(x) - o.x);
  c.ry = roundToInt(static_cast<double>(y) - o.y);
  c.column = c.rx / (info.tileWidth * info.tilesPerSheetX);
  c.row = c.ry / (info.tileHeight * info.tilesPerSheetY);
  c.inRange = !(c.column >= info.sheetsX || c.rx < 0 || c.row >= info.sheetsY || c.ry < 0);
  return c;
}

float Viewport::ScreenToImageDX(double d) const { return toSingle(d * scale_.imagePerScreenX / zoomFactor()); }

float Viewport::ScreenToImageDY(double d) const { return toSingle(d * scale_.imagePerScreenY / zoomFactor()); }

QPoint Viewport::ImageToScreen(int x, int y) const {
  const double sx = roundHalfEven(
      width_ / 2.0 + roundHalfEven((x - static_cast<double>(cx_)) * scale_.screenPerImageX * zoom_ / 100.0));
  const double sy = roundHalfEven(
      height_ / 2.0 + roundHalfEven((y - static_cast<double>(cy_)) * scale_.screenPerImageY * zoom_ / 100.0));
  return QPoint(static_cast<int>(sx), static_cast<int>(sy));
}

ImagePoint Viewport::ScreenToImage(double sx, double sy) const {
  ImagePoint p;
  p.x = toSingle(static_cast<double>(cx_) + ScreenToImageDX(sx - width_ / 2.0));
  p.y = toSingle(static_cast<double>(cy_) + ScreenToImageDY(sy - height_ / 2.0));
  return p;
}

QPoint Viewport::LatLonToScreen(float lat, float lon) const {
  ImagePoint p = LatLonToImage(*info_, lat, lon, 1);
  return ImageToScreen(roundToInt(p.x), roundToInt(p.y));
}

ImageRect Viewport::Get_ViewRect() const {
  const float w = ScreenToImageDX(width_);
  const float h = ScreenToImageDY(height_);
  ImageRect r;
  r.left = roundToInt(static_cast<double>(cx_) - w / 2.0);
  r.top = roundToInt(static_cast<double>(cy_) - h / 2.0);
  r.right = roundToInt(static_cast<double>(cx_) + w / 2.0);
  r.bottom = roundToInt(static_cast<double>(cy_) + h / 2.0);
  return r;
}

GeoBox Viewport::Get_ViewGeoBox(int datum) const {
  const float nwX = toSingle(static_cast<double>(cx_) - ScreenToImageDX(width_ / 2.0));
  const float nwY = toSingle(static_cast<double>(cy_) - ScreenToImageDY(height_ / 2.0));
  const float seX = toSingle(static_cast<double>(cx_) + ScreenToImageDX(width_ / 2.0));
  const float seY = toSingle(static_cast<double>(cy_) + ScreenToImageDY(height_ / 2.0));
  const LatLon nw = ImageToLatLon(*info_, nwX, nwY, datum);
  const LatLon se = ImageToLatLon(*info_, seX, seY, datum);
  return GeoBox{nw.lon, se.lon, nw.lat, se.lat};
}

}  // namespace kavalo
