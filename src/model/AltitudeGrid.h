// SPDX-License-Identifier: MIT
#pragma once
// The elevation grid of a data folder (altitude.dat): C x R cells of 32-bit
// elevations in tenths of a metre, north row first, -9999 for sea. The grid
// spans the whole image mosaic, so its pitches (image pixels per cell) follow
// from the tile grid and may differ across and down.
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/CellVector.h"
#include "model/MapInfo.h"

namespace kavalo {

constexpr int32_t kSeaValue = -9999;

struct AltitudeGrid {
  int32_t columns = 0;
  int32_t rows = 0;
  int32_t lowest = 0;   // tenths of a metre
  int32_t highest = 0;  // tenths of a metre
  int32_t reliefDivisor = 0;
  CellVector cells;     // index y * columns + x
  float pitchX = 0.0f;  // image pixels per cell
  float pitchY = 0.0f;

  bool empty() const { return cells.empty(); }
  int32_t cell(int x, int y) const {
    return cells[static_cast<size_t>(y) * static_cast<size_t>(columns) + static_cast<size_t>(x)];
  }
};

enum class ElevationKind { Outside, Sea, Land };

struct Elevation {
  ElevationKind kind = ElevationKind::Outside;
  int32_t tenths = 0;  // for Land
};

// The cell answering for an image position: the cell index is the position
// divided by the pitch, rounded half to even (not truncated).
Elevation ElevationAt(const AltitudeGrid& grid, float X, float Y);

// Reads altitude.dat in full: the six-integer header, then the block
// expanded in one call into the grid's own storage. The block is a zlib
// stream; a block exactly 4 x C x R bytes long that is not a zlib stream holds
// the raw cells. False with a message naming the file when the file is
// missing, truncated or inconsistent; the grid is then left empty. The file
// is only read. A grid of some size is decoded once: later reads map the
// decoded copy kept in the cache folder, for as long as the file keeps its
// size and modification time.
bool readAltitudeGrid(const QString& path, const MapInfo& info, AltitudeGrid& grid, QString* error);

}  // namespace kavalo
