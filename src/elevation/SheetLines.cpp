// SPDX-License-Identifier: MIT
#include "elevation/SheetLines.h"

#include <algorithm>

#include "geo/TileGeometry.h"
#include "platform/Numbers.h"

namespace kavalo {

namespace {

// The view position of the edge tilesFromFirst tiles after the first
// visible tile's corner (first), rounded half to even.
int edgePosition(int tilesFromFirst, int tileSize, float screenPerImage, int zoomPercent, int first) {
  return roundToInt(static_cast<double>(tilesFromFirst) * tileSize * screenPerImage * zoomPercent / 100.0 + first);
}

}  // namespace

SheetGridLines sheetGridLines(const Viewport& view, int frameType) {
  SheetGridLines lines;
  const MapInfo& info = view.info();
  if (frameType < 0 || frameType > 2 || info.tilesPerSheetX <= 0 || info.tilesPerSheetY <= 0) return lines;
  const FrameOffset& offset = info.frame[frameType];
  const TileRange range = VisibleTileRange(view, offset.x, offset.y);
  const ScaleFactors& f = view.scale();
  // A sheet begins at every tile whose number is a multiple of the tiles of
  // one sheet; the remainder keeps the dividend's sign, so -2 of 2 is a
  // sheet edge and -1 is not.
  for (int row = range.firstRow; row <= range.lastRow; ++row) {
    if (row % info.tilesPerSheetY != 0) continue;
    lines.horizontal.push_back(
        {row, edgePosition(row - range.firstRow, info.tileHeight, f.screenPerImageY, view.zoomPercent(), range.offY)});
  }
  for (int col = range.firstCol; col <= range.lastCol; ++col) {
    if (col % info.tilesPerSheetX != 0) continue;
    lines.vertical.push_back(
        {col, edgePosition(col - range.firstCol, info.tileWidth, f.screenPerImageX, view.zoomPercent(), range.offX)});
  }
  return lines;
}

std::vector<SheetOutline> sheetIndexOutlines(const Viewport& view, const Era& era) {
  std::vector<SheetOutline> outlines;
  // Sheets of a world-datum frame are indexed in world-datum degrees.
  const int datum = era.frameType == kWorldFrame ? 1 : 0;
  const GeoBox viewBox = view.Get_ViewGeoBox(datum);
  for (const SheetIndexEntry& entry : era.sheetIndex) {
    if (BoxRelation(entry.box, viewBox) == -1) continue;
    const ImagePoint nw = LatLonToImage(view.info(), entry.box.north, entry.box.west, datum);
    const ImagePoint se = LatLonToImage(view.info(), entry.box.south, entry.box.east, datum);
    outlines.push_back({view.ImageToScreen(roundToInt(nw.x), roundToInt(nw.y)),
                        view.ImageToScreen(roundToInt(se.x), roundToInt(se.y))});
  }
  return outlines;
}

}  // namespace kavalo
