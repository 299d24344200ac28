// SPDX-License-Identifier: MIT
#pragma once
// Fetching an agency era: the pieces of every second-level cell of the data
// folder, stitched and cut to the folder's own tiles, resampled to its tile
// size by the program's averaging stretch and written as 8-bit PNG with a
// mask (the base map) or as JPEG (photos).
#include <QByteArray>
#include <QImage>
#include <QString>

#include "model/MapInfo.h"
#include "net/AcquireContext.h"
#include "net/AgencyTiles.h"

namespace kavalo {

// What the agency may send as a piece: a PNG for the base map, a JPEG for
// photos, no side beyond 1024 pixels.
ImageRule pieceRule(bool png);

// A downloaded piece, decoded when it is a whole image under pieceRule;
// null otherwise (nothing larger than the rule is ever decoded).
QImage decodePiece(const QByteArray& bytes, bool png);

// Near-white pixels (the three channels add up to more than 749) become
// black in the tile and white in the mask; all other mask pixels are black.
void MakeMapMask(QImage& tile, QImage& mask);

// The pieces of one tile stitched in their places, w x h pixels each (w, h:
// the size of the pieces), the northern row on top, and the tile's box cut
// out and stretched to width x height. pieces[(j1 - j) * columns + (i - i0)]
// is piece (i, j); null entries stay white.
QImage stitchTile(const std::vector<QImage>& pieces, const TileCover& cover, int w, int h, int width, int height);

// Writes a finished tile: a map as an 8-bit PNG with its mask (near white
// punched out), a photo as a JPEG of quality 80.
bool writeEraTile(const QString& folder, const QString& name, QImage tile, bool map, QString* error);

struct AreaResult {
  int tiles = 0;         // tiles written
  int requests = 0;      // pieces asked for
  RequestCounts counts;  // answered, absent (a blank place), failed (the run stops)
  bool cancelled = false;
  QString writeError;  // a tile could not be made or written: the run stops
};

// Every cell of the data folder (north-west to south-east mesh codes), tiles
// written into folder. server: the agency tile server's address. Stops at
// the first piece that failed (a 404 or 410 is a blank place, not a failure).
AreaResult AcquireArea(const AcquireContext& ctx, const QString& folder, const QString& server, int pieceSource,
                       const MapInfo& info);

}  // namespace kavalo
