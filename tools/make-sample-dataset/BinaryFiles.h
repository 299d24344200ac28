// SPDX-License-Identifier: MIT
#pragma once
// The two binary files of a data folder: the elevation grid and the
// place-name gazetteer.
#include <QString>
#include <cstdint>
#include <vector>

namespace sample {

struct ElevationGrid {
  int columns = 0;
  int rows = 0;
  std::vector<int32_t> cells;  // tenths of a metre, north row first, -9999 for sea
  int32_t reliefDivisor = 0;
};

constexpr int32_t kSea = -9999;

// altitude.dat: six little-endian int32 (columns, rows, lowest, highest,
// relief divisor, block length), then the cells as one zlib stream. Lowest
// and highest are taken from the land cells. False with a message on failure.
bool writeAltitudeFile(const QString& path, const ElevationGrid& grid, QString* error, int level = 6);

// A divisor that gives the relief shading (difference to the south-east
// neighbour / divisor x 200) a few tens on the typical hillside.
int32_t reliefDivisorFor(const ElevationGrid& grid);

struct GazetteerEntry {
  QString name;
  float lon;  // degrees, Tokyo datum
  float lat;
  int32_t category;  // 0 to 7
  QString text;      // reading or note
};

// placename.dat: the record count, then per record the Shift-JIS name with
// its 16-bit length, longitude and latitude as 32-bit floats, the category,
// and the second text with its length; all little-endian.
bool writePlaceNameFile(const QString& path, const std::vector<GazetteerEntry>& entries, QString* error);

}  // namespace sample
