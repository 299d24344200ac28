// SPDX-License-Identifier: MIT
#pragma once
// The fixed facts of the sample region: where it lies, how it is cut into
// sheets and tiles, and which files are left out on purpose. Header-only, so
// that the tests of the region read the same facts as the generator.
#include <array>

namespace sample {

// A 1:25,000 sheet unit is 7.5' x 5'; 4 x 4 tiles of 370 x 300 pixels give it
// the proportions of the printed sheet (370 mm tall, about 455 mm wide).
constexpr int kTileWidth = 370;
constexpr int kTileHeight = 300;
constexpr int kSheetsX = 2;
constexpr int kSheetsY = 2;
constexpr int kTilesPerSheetX = 4;
constexpr int kTilesPerSheetY = 4;
constexpr int kTotalCols = kSheetsX * kTilesPerSheetX;
constexpr int kTotalRows = kSheetsY * kTilesPerSheetY;
constexpr int kSheetWidth = kTileWidth * kTilesPerSheetX;
constexpr int kSheetHeight = kTileHeight * kTilesPerSheetY;
constexpr int kMosaicWidth = kTileWidth * kTotalCols;
constexpr int kMosaicHeight = kTileHeight * kTotalRows;

// North-west corner of the Tokyo-datum graticule, on the sheet grid.
constexpr double kWest = 135.0;
constexpr double kNorth = 34.0;

// Frame offsets in image pixels. Old sheets were drawn before the 1918
// longitude revision (10.405" east); the world datum lies about 9.9" west and
// 12.0" north of the Tokyo datum here, so its frames start south-east of ours.
struct Offset {
  int x;
  int y;
};
constexpr std::array<Offset, 3> kFrameOffsets = {{{34, 0}, {0, 0}, {32, 48}}};

// The elevation grid: 50 x 50 cells per tile, about a 50 m grid.
constexpr int kCellsPerTileX = 50;
constexpr int kCellsPerTileY = 50;
constexpr int kGridColumns = kCellsPerTileX * kTotalCols;
constexpr int kGridRows = kCellsPerTileY * kTotalRows;

constexpr const char* kTitle = "サンプル市（架空）";
constexpr const char* kDatasetFolder = "sample";
constexpr const char* kEmptyFolder = "empty";

// Files that the check list of an era names but that are left out of the
// folder, so that the map-sheet package download has something to fetch.
struct MissingFile {
  const char* era;
  const char* file;
};
constexpr std::array<MissingFile, 3> kMissingFiles = {{
    {"1970", "000_000.png"},
    {"1970", "001_000.png"},
    {"1970", "000_001.png"},
}};

}  // namespace sample
