// SPDX-License-Identifier: MIT
// mapinfo.txt and everything derived from it: the grid, the scale factors,
// the sheet under a point and the visible tiles around the initial view.
#include <cmath>

#include "FuzzSupport.h"
#include "geo/TileGeometry.h"
#include "model/Coordinates.h"
#include "model/MapInfo.h"

using namespace kavalo;

KAVALO_FUZZ_TARGET(mapinfo) {
  fuzz::clearScratch();
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QString path = fuzz::writeScratch(QStringLiteral("mapinfo.txt"), bytes);
  MapInfo info;
  QString error;
  if (!readMapInfo(path, info, &error)) {
    FUZZ_CHECK(!error.isEmpty());
    return 0;
  }
  if (!deriveGrid(info, &error)) {
    FUZZ_CHECK(error.contains(QStringLiteral("mapinfo.txt")));
    return 0;
  }
  FUZZ_CHECK(info.totalCols > 0 && info.totalRows > 0);
  const ScaleFactors scale = computeScaleFactors(info, kDefaultMmPerScreenPx, kDefaultMmPerScreenPx);
  for (int frame = 0; frame < 3; ++frame) {
    const SheetCell cell = SheetCellAt(info, info.initialX, info.initialY, frame);
    if (cell.inRange) FUZZ_CHECK(cell.column < info.sheetsX && cell.row < info.sheetsY);
    const Viewport view(&info, scale, info.initialX, info.initialY, 100, 640, 480);
    const TileRange range = VisibleTileRange(view, info.frame[frame].x, info.frame[frame].y);
    FUZZ_CHECK(range.firstCol <= range.lastCol + 1 && range.firstRow <= range.lastRow + 1);
  }
  const LatLon ll = ImageToLatLon(info, info.initialX, info.initialY, 1);
  const DMS dms = DegToDMS(ll.lat);
  FUZZ_CHECK(dms.minutes >= 0 && dms.minutes < 60);
  return 0;
}
