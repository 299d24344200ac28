// SPDX-License-Identifier: MIT
#pragma once
// The outlines of the map sheets over the map: for the dataset's scanned
// sheets along the sheet-frame grid of the era's frame type, for the
// 1/20,000 era one rectangle per sheet of its sheet index.
#include <QPoint>
#include <vector>

#include "model/Coordinates.h"
#include "model/Era.h"

namespace kavalo {

// One line of the sheet-frame grid: the tile column (or row) where a sheet
// begins and its view position.
struct GridLine {
  int tile = 0;
  int pos = 0;
};

struct SheetGridLines {
  std::vector<GridLine> vertical;    // x positions, west to east
  std::vector<GridLine> horizontal;  // y positions, north to south
};

// The sheet edges of the grid whose frame offset belongs to frameType (0 to
// 2; any other value has no grid) that fall on visible tile edges.
SheetGridLines sheetGridLines(const Viewport& view, int frameType);

// The view rectangles (north-west and south-east corners) of the 1/20,000
// sheets that meet the view; sheets that only touch its edge count.
struct SheetOutline {
  QPoint northWest;
  QPoint southEast;
};
std::vector<SheetOutline> sheetIndexOutlines(const Viewport& view, const Era& era);

}  // namespace kavalo
