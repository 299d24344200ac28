// SPDX-License-Identifier: MIT
#include "elevation/ColorSetPreview.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "elevation/ColorPalette.h"
#include "model/ElevationPieces.h"

namespace kavalo {

namespace {

// Colours a small grid in one piece: the pieces of the map are the one place
// where the colouring rule lives.
QImage colourGrid(const AltitudeGrid& grid, const ColorSet& set) {
  ElevationPieces pieces;
  pieces.prepare(&grid, set, 1, 1);
  return pieces.piece(0, 0).copy();
}

}  // namespace

QImage rampStrip(const ColorSet& set, const AltitudeGrid& grid, QSize size) {
  if (grid.empty() || size.width() < 2 || size.height() < 1) return QImage();
  const int seaWidth = std::min(size.height(), size.width() / 4);
  const int rampWidth = size.width() - seaWidth;
  AltitudeGrid line;
  line.columns = rampWidth;
  line.rows = 1;
  line.lowest = grid.lowest;
  line.highest = grid.highest;
  line.reliefDivisor = grid.reliefDivisor;
  line.cells.resize(static_cast<size_t>(rampWidth));
  const double span = static_cast<double>(grid.highest) - grid.lowest;
  for (int x = 0; x < rampWidth; ++x) {
    const double t = rampWidth > 1 ? static_cast<double>(x) / (rampWidth - 1) : 1.0;
    line.cells[static_cast<size_t>(x)] = static_cast<int32_t>(grid.lowest + std::floor(t * span));
  }
  ColorSet flat = set;
  flat.shading = 0;
  const QImage ramp = colourGrid(line, flat);
  QImage strip(size, QImage::Format_RGB32);
  strip.fill(toQColor(set.sea));
  QPainter p(&strip);
  p.drawImage(QRect(seaWidth, 0, rampWidth, size.height()), ramp);
  return strip;
}

QImage shadedPreview(const ColorSet& set, const AltitudeGrid& grid, int maxSide) {
  if (grid.empty() || maxSide < 1) return QImage();
  const int step = std::max(1, (std::max(grid.columns, grid.rows) + maxSide - 1) / maxSide);
  AltitudeGrid small;
  small.columns = (grid.columns + step - 1) / step;
  small.rows = (grid.rows + step - 1) / step;
  small.lowest = grid.lowest;
  small.highest = grid.highest;
  small.reliefDivisor =
      static_cast<int32_t>(std::clamp<int64_t>(int64_t{grid.reliefDivisor} * step, INT32_MIN, INT32_MAX));
  small.cells.resize(static_cast<size_t>(small.columns) * static_cast<size_t>(small.rows));
  for (int y = 0; y < small.rows; ++y)
    for (int x = 0; x < small.columns; ++x)
      small.cells[static_cast<size_t>(y) * static_cast<size_t>(small.columns) + static_cast<size_t>(x)] =
          grid.cell(x * step, y * step);
  return colourGrid(small, set);
}

}  // namespace kavalo
