// SPDX-License-Identifier: MIT
#pragma once
// The composition of the map: the background (elevation pieces or white),
// the tiles of the era, the sheet lines, then (full compositions only) the
// overlays: scale bar, marks and credits. A request says which era, where,
// how large and for what (ViewRequest); the session (ProgramState) gives the
// data and is only read (its caches fill up). During a drag only the strips
// the drag uncovers get the background, the tiles whose decoded pictures are
// at hand, and the sheet lines.
#include <QImage>
#include <QRegion>
#include <QString>

#include <vector>

#include "render/ViewRequest.h"

namespace kavalo {

struct ProgramState;
class TileSource;

// Composes the request into picture. A screen, export or pane composition
// makes picture the request's target size (reusing its buffer); a drag draws
// into the picture as it stands; the print pass composes the part of the map
// that falls on the picture (a band of the page: the request's origin places
// the map on it) and leaves the rest as it is. When beforeOverlays is given,
// it receives a copy of the picture before the overlays (the snapshot a drag
// moves, the picture a comparison is made from). Tiles come from tiles (disk
// only when null). Does nothing while no dataset is loaded or the view has no
// pixels; returns whether it composed.
bool renderView(const ProgramState& session, const ViewRequest& request, QImage& picture, TileSource* tiles = nullptr,
                QImage* beforeOverlays = nullptr);

// Composes the rows [top, bottom) of an export composition into picture,
// which already has the request's target size and holds the rows composed
// before; the rows outside are left as they are. The rows get the pixels the
// whole composition gives them: a picture can be composed a band at a time,
// each band once the files it shows are on disk. Tiles come from disk.
bool renderViewRows(const ProgramState& session, const ViewRequest& request, QImage& picture, int top, int bottom);

// A file a composition draws and the rectangle of the picture it covers.
struct PlacedFile {
  QString path;
  QRect dest;
};

// The tile and mask files of the era's grid a full composition of the
// request draws, in drawing order, each with its rectangle in target pixels.
// False (and nothing) when there is nothing to compose, the tiles are not
// shown, or the era is drawn by whole sheets.
bool placedTileFiles(const ProgramState& session, const ViewRequest& request, std::vector<PlacedFile>& out);

// Asks the tile source for every file the request would draw (tiles, masks,
// sheet images), without drawing or decoding anything: a caller that will
// wait for the files anyway (kavalo-cli online) starts them all at once.
void askForTiles(const ProgramState& session, const ViewRequest& request, TileSource& tiles);

// The overlays of a view (scale bar, marks, credits) where a full
// composition puts them: during a drag, after the snapshot is moved, so that
// they stay in place while the map moves under them.
void drawViewOverlays(const ProgramState& session, const ViewRequest& request, QImage& picture);

// The part of the picture a composition draws into, in target pixels: the
// whole picture; during a drag the strip (or the L of two strips) along the
// edges that the drag offset uncovers, or the whole picture again when the
// offset is zero.
QRegion BuildViewClipRegion(const ViewRequest& request);

}  // namespace kavalo
