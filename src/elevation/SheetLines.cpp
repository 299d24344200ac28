#include "elevation/SheetLines.h"

#include <QPolygon>

#include <algorithm>

#include "platform/Numbers.h"
#include "render/TileGeometry.h"

namespace kavalo {

namespace {

// A line one view pixel wide: one pixel on the screen, k pixels on the page.
int lineWidth(const ComposeContext& context) { return std::max(1, context.targetSize(1)); }

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

void DrawSheetLines(QPainter& painter, const ComposeContext& context) {
  if (context.state == nullptr || context.eraIndex < 0 ||
      context.eraIndex >= static_cast<int>(context.st().eras.size()))
    return;
  const Era& era = context.era();
  const Viewport& view = context.view;

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, lineWidth(context), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));

  if (era.kind == kScannedSheets) {
    const SheetGridLines lines = sheetGridLines(view, era.frameType);
    // Lines run across the whole view, on the page from its offset to the
    // view's far edge.
    const int left = context.targetX(0);
    const int right = context.targetX(view.width());
    const int top = context.targetY(0);
    const int bottom = context.targetY(view.height());
    for (const GridLine& line : lines.horizontal) {
      const int y = context.targetY(line.pos);
      painter.drawLine(left, y, right, y);
    }
    for (const GridLine& line : lines.vertical) {
      const int x = context.targetX(line.pos);
      painter.drawLine(x, top, x, bottom);
    }
  } else if (era.kind == kTwentyThousand) {
    for (const SheetOutline& sheet : sheetIndexOutlines(view, era)) {
      const int x1 = context.targetX(sheet.northWest.x());
      const int y1 = context.targetY(sheet.northWest.y());
      const int x2 = context.targetX(sheet.southEast.x());
      const int y2 = context.targetY(sheet.southEast.y());
      painter.drawPolygon(QPolygon({QPoint(x1, y1), QPoint(x2, y1), QPoint(x2, y2), QPoint(x1, y2)}));
    }
  }
  painter.restore();
}

}  // namespace kavalo
