// SPDX-License-Identifier: MIT
#pragma once
// One web tile of an era, composed as the window composes the era at that
// place: the era's tiles with their masks and veils over the elevation
// colours (when asked) or white, without the sheet lines, scale bar, marks or
// credits (a web map draws its own). Outside the era's grid the tile is
// transparent.
#include <QImage>

#include "output/WebTileGrid.h"

namespace kavalo {

struct ProgramState;

struct WebTileLayers {
  bool elevation = false;  // the elevation colours and relief under the map
};

// The image box of an era's grid: the mosaic placed at the frame offset of
// the era's frame type.
struct ImageBox {
  double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
};
ImageBox eraImageBox(const ProgramState& state, int eraIndex);

// The tile as a 256 x 256 ARGB32 picture (not premultiplied); null when it
// lies wholly outside the era's grid. The session is only read; calls on
// different sessions may run at once.
QImage renderWebTile(const ProgramState& state, int eraIndex, const WebTile& tile, const WebTileLayers& layers);

// A tile of zoom z made from its four tiles of zoom z + 1 (null pictures are
// transparent): each pixel the average of the four beneath it.
QImage webTileFromChildren(const QImage children[4]);

// Whether no pixel of the picture can be seen.
bool webTileInvisible(const QImage& tile);

// The tile's file bytes: a plain truecolour PNG when it is opaque, with
// alpha otherwise. Empty when it could not be encoded.
QByteArray encodeWebTile(const QImage& tile);

}  // namespace kavalo
