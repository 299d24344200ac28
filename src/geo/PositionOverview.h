// SPDX-License-Identifier: MIT
#pragma once
// The overview of the whole dataset in the position dialog: the mosaic of
// elevation pieces scaled into a square picture, centred along its short
// side, with the sheets the shown era lacks veiled, and the conversion
// between the view and the frame that stands for it on the overview.
#include <QImage>
#include <QRect>

#include "model/Coordinates.h"

namespace kavalo {

struct ProgramState;
class SheetHistory;
struct Era;

struct OverviewGeometry {
  double mosaicW = 0.0;  // W: tile width x TotalCols, image pixels
  double mosaicH = 0.0;  // H: tile height x TotalRows
  float drawW = 0.0f;    // the mosaic's size on the overview
  float drawH = 0.0f;
  float offX = 0.0f;  // its offset inside the square
  float offY = 0.0f;
  float cw = 0.0f;  // one tile on the overview
  float ch = 0.0f;
  int totalCols = 0;
  int totalRows = 0;
};

// The mosaic fills the square of side S along its long side: W > H gives
// drawW = S, drawH = S x H / W and offY = (drawW - drawH) / 2; otherwise
// drawH = S, drawW = S x W / H and offX = (drawH - drawW) / 2.
OverviewGeometry computeOverviewGeometry(int side, const MapInfo& info);

// Where tile (column, row) is drawn: (round(cw x column + offX), round(ch x
// row + offY)), round(cw + 1) by round(ch + 1) (a pixel of overlap).
QRect overviewTileRect(const OverviewGeometry& g, int column, int row);

// The view's image rectangle on the overview: fx = left / W x drawW + offX,
// fy likewise, fw = (right - left) / W x drawW, fh likewise.
QRectF overviewViewRect(const OverviewGeometry& g, const ImageRect& view);

// The movable frame around that rectangle: one pixel outside it on each side.
QRect overviewFrameRect(const OverviewGeometry& g, const ImageRect& view);

// The view centre that a frame stands for: its centre, less the offset,
// scaled back from the overview to the mosaic.
ImagePoint overviewFrameToCentre(const OverviewGeometry& g, const QRect& frame);

// True when the overview veils tile (column, row) for the era: a scanned-
// sheet era whose own sheet is missing at the tile's sheet cell (slot 0 of
// its history column empty). Other kinds of era are never veiled.
bool overviewTileVeiled(const MapInfo& info, const SheetHistory& history, const Era& era, int column, int row);

// The overview picture, side x side pixels: white, the elevation pieces
// (rendered first where needed; white when no grid is loaded) smoothly
// scaled onto their tile rectangles, the veil (white at alpha 100 of 255)
// over the tiles of the shown era that lack their sheet, and a black outline
// of the current view.
QImage buildOverviewImage(ProgramState& state, const OverviewGeometry& g, int side);
// The region small for the map's corner: drawW x drawH pixels of the
// geometry, the elevation picture sampled cell by cell (no piece rendered),
// white without a grid. The veil of the shown era is laid on a copy with
// veilOverview, so that stepping the eras never builds it again.
QImage buildOverviewBase(ProgramState& state, const OverviewGeometry& g);
// Veils the tiles the shown era lacks on a picture of buildOverviewBase.
void veilOverview(QImage& base, const ProgramState& state, const OverviewGeometry& g);

}  // namespace kavalo
