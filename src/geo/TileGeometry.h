// SPDX-License-Identifier: MIT
#pragma once
// Where the tiles of a grid lie in the view: the visible range and the view
// position of each tile, with the rounding the drawing has always used (half
// to even, one pixel of overlap between neighbouring tiles).
#include <QRect>

#include "model/Coordinates.h"

namespace kavalo {

struct TileRange {
  int firstCol = 0;
  int firstRow = 0;
  int lastCol = 0;
  int lastRow = 0;
  int offX = 0;  // view position of the first tile's top-left corner
  int offY = 0;
};

// The tiles of the grid whose north-west corner lies at (fx, fy) in image
// coordinates (the frame offset of an era; 0, 0 for the elevation pieces)
// that meet the view. Divisions truncate toward zero and are reduced by 1
// when the dividend is negative.
TileRange VisibleTileRange(const Viewport& view, int fx, int fy);

// View position of the top-left corner of tile (col, row) of a range.
int tileViewX(const Viewport& view, const TileRange& range, int col);
int tileViewY(const Viewport& view, const TileRange& range, int row);

// View size of one tile: round(ScreenPerImage x tile size x zoom) + 1.
int tileViewWidth(const Viewport& view);
int tileViewHeight(const Viewport& view);

// A tile's destination rectangle cut to a view of viewWidth x viewHeight,
// with the matching rectangle of its sw x sh source: a cut on the left or top
// moves the source origin by round(|x| / w * sw), a cut on the right or
// bottom shortens the source to round(sw * remaining width / w).
struct ClippedTile {
  QRect dest;
  QRect source;
  bool cut = false;
  // Something is left to draw.
  bool drawable() const { return dest.width() > 0 && dest.height() > 0 && source.width() > 0 && source.height() > 0; }
};
ClippedTile ClipTileRect(int x, int y, int w, int h, int sw, int sh, int viewWidth, int viewHeight);

}  // namespace kavalo
