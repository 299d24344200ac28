// SPDX-License-Identifier: MIT
#include "render/Coverage.h"

#include <algorithm>
#include <cmath>

#include "model/ProgramState.h"
#include "platform/Paths.h"
#include "render/Tiles.h"

namespace kavalo {

SheetCoverage coverageAt(const ProgramState& state, int eraIndex, float x, float y) {
  if (eraIndex < 0 || eraIndex >= static_cast<int>(state.eras.size())) return SheetCoverage::None;
  const Era& era = state.eras[static_cast<size_t>(eraIndex)];
  const MapInfo& m = state.mapInfo;
  if (era.bySheetIndex) {
    const int datum = era.frameType == kWorldFrame ? 1 : 0;
    const LatLon p = ImageToLatLon(m, x, y, datum);
    for (const SheetImage& sheet : era.sheets) {
      const GeoBox& b = sheet.box;
      if (p.lat <= b.north && p.lat >= b.south && p.lon >= b.west && p.lon <= b.east) return SheetCoverage::Own;
    }
    return SheetCoverage::None;
  }
  if (m.tileWidth <= 0 || m.tileHeight <= 0) return SheetCoverage::None;
  const FrameOffset frame = m.frame[std::clamp(era.frameType, 0, 2)];
  const double cx = std::floor((x - frame.x) / m.tileWidth);
  const double cy = std::floor((y - frame.y) / m.tileHeight);
  if (!(cx >= 0 && cx < m.totalCols && cy >= 0 && cy < m.totalRows)) return SheetCoverage::None;
  const std::optional<ResolvedTile> tile = ResolveTile(state, eraIndex, static_cast<int>(cx), static_cast<int>(cy));
  if (!tile || !FileExists(TilePath(state, tile->sourceEra, tile->fileName))) return SheetCoverage::None;
  return tile->borrowed ? SheetCoverage::Borrowed : SheetCoverage::Own;
}

std::vector<SheetCoverage> listedCoverage(const ProgramState& state) {
  std::vector<SheetCoverage> cells;
  // The era list shows the listed eras in their order.
  for (size_t i = 0; i < state.eras.size(); ++i)
    if (state.eras[i].listed)
      cells.push_back(coverageAt(state, static_cast<int>(i), state.view.centerX, state.view.centerY));
  return cells;
}

}  // namespace kavalo
