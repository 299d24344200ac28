// SPDX-License-Identifier: MIT
#include "geo/TileGeometry.h"

#include <algorithm>
#include <cmath>

#include "platform/Numbers.h"

namespace kavalo {

namespace {

// Truncating division, one less for a negative dividend (also when exact).
int gridDivide(int dividend, int divisor) {
  int q = dividend / divisor;
  if (dividend < 0) --q;
  return q;
}

// Positions and extents beyond any mosaic (whose pixels fit 32 bits) are held
// at this bound, so that the sums below stay in range for any centre, frame
// offset or scale, even one that is not finite.
constexpr double kPositionBound = 1 << 29;

int boundedTrunc(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::trunc(std::clamp(v, -kPositionBound, kPositionBound)));
}

// The \ operator on a single: round to an integer first, then halve.
int halfOf(float v) {
  if (std::isnan(v)) return 0;
  return roundToInt(std::clamp(static_cast<double>(v), -kPositionBound, kPositionBound)) / 2;
}

}  // namespace

TileRange VisibleTileRange(const Viewport& view, int fx, int fy) {
  const MapInfo& m = view.info();
  const float wi = view.ScreenToImageDX(view.width());
  const float hi = view.ScreenToImageDY(view.height());
  const int cx = boundedTrunc(static_cast<double>(view.centerX()) - fx);
  const int cy = boundedTrunc(static_cast<double>(view.centerY()) - fy);
  const int left = cx - halfOf(wi);
  const int top = cy - halfOf(hi);
  const int right = cx + halfOf(wi);
  const int bottom = cy + halfOf(hi);
  TileRange r;
  r.firstCol = gridDivide(left, m.tileWidth);
  r.firstRow = gridDivide(top, m.tileHeight);
  r.lastCol = gridDivide(right, m.tileWidth);
  r.lastRow = gridDivide(bottom, m.tileHeight);
  const double z = view.zoomFactor();
  r.offX = roundToInt(view.scale().screenPerImageX * (static_cast<double>(r.firstCol) * m.tileWidth - left) * z);
  r.offY = roundToInt(view.scale().screenPerImageY * (static_cast<double>(r.firstRow) * m.tileHeight - top) * z);
  return r;
}

int tileViewX(const Viewport& view, const TileRange& range, int col) {
  return roundToInt(static_cast<double>(view.scale().screenPerImageX) *
                        (static_cast<double>(col - range.firstCol) * view.info().tileWidth) * view.zoomFactor() +
                    range.offX);
}

int tileViewY(const Viewport& view, const TileRange& range, int row) {
  return roundToInt(static_cast<double>(view.scale().screenPerImageY) *
                        (static_cast<double>(row - range.firstRow) * view.info().tileHeight) * view.zoomFactor() +
                    range.offY);
}

int tileViewWidth(const Viewport& view) {
  return roundToInt(static_cast<double>(view.scale().screenPerImageX) * view.info().tileWidth * view.zoomFactor()) + 1;
}

ClippedTile ClipTileRect(int x, int y, int w, int h, int sw, int sh, int viewWidth, int viewHeight) {
  int dx = x, dy = y, dw = w, dh = h;
  int sx = 0, sy = 0, sWidth = sw, sHeight = sh;
  bool cut = false;
  if (dx < 0) {
    dx = 0;
    dw = w + x;
    sx = roundToInt(std::abs(static_cast<double>(x)) / w * sw);
    sWidth = sw - sx;
    cut = true;
  }
  if (dx + dw > viewWidth) {
    dw = viewWidth - dx;
    sWidth = roundToInt(static_cast<double>(sw) * dw / w);
    cut = true;
  }
  if (dy < 0) {
    dy = 0;
    dh = h + y;
    sy = roundToInt(std::abs(static_cast<double>(y)) / h * sh);
    sHeight = sh - sy;
    cut = true;
  }
  if (dy + dh > viewHeight) {
    dh = viewHeight - dy;
    sHeight = roundToInt(static_cast<double>(sh) * dh / h);
    cut = true;
  }
  return ClippedTile{QRect(dx, dy, dw, dh), QRect(sx, sy, sWidth, sHeight), cut};
}

int tileViewHeight(const Viewport& view) {
  return roundToInt(static_cast<double>(view.scale().screenPerImageY) * view.info().tileHeight * view.zoomFactor()) + 1;
}

}  // namespace kavalo
