// SPDX-License-Identifier: MIT
// altitude.dat against a fixed small grid, and the elevation of points over
// the whole mosaic and around it.
#include <limits>

#include "FuzzSupport.h"
#include "model/AltitudeGrid.h"

using namespace kavalo;

KAVALO_FUZZ_TARGET(altitude) {
  fuzz::clearScratch();
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  MapInfo info;
  info.tileWidth = 100;
  info.tileHeight = 80;
  info.sheetsX = info.sheetsY = 2;
  info.tilesPerSheetX = info.tilesPerSheetY = 2;
  QString error;
  FUZZ_CHECK(deriveGrid(info, &error));
  AltitudeGrid grid;
  if (!readAltitudeGrid(fuzz::writeScratch(QStringLiteral("altitude.dat"), bytes), info, grid, &error)) {
    FUZZ_CHECK(grid.empty() && error.contains(QStringLiteral("altitude.dat")));
    return 0;
  }
  FUZZ_CHECK(grid.cells.size() == static_cast<size_t>(grid.columns) * static_cast<size_t>(grid.rows));
  const float w = static_cast<float>(info.tileWidth * info.totalCols);
  const float h = static_cast<float>(info.tileHeight * info.totalRows);
  const float inf = std::numeric_limits<float>::infinity();
  const float xs[] = {-1.0f, 0.0f, w / 3, w / 2, w - 1, w, 3e38f, inf, -inf};
  const float ys[] = {-1.0f, 0.0f, h / 3, h - 1, h, -3e38f, std::numeric_limits<float>::quiet_NaN()};
  for (float x : xs)
    for (float y : ys) (void)ElevationAt(grid, x, y);
  return 0;
}
