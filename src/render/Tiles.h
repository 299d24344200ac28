// SPDX-License-Identifier: MIT
#pragma once
// Which file of which era holds which piece of the map, and how a file
// becomes a picture. Each era keeps its images in its own folder of the data
// folder: tiles named CCC_RRR.ext on the grid of the era's frame type, the
// masks of masked maps beside them as M_CCC_RRR.ext, and for the 1/20,000
// era one image per sheet. A scanned-sheet era that lacks a sheet borrows the
// sheet of another edition, which the view shows faded.
#include <QImage>
#include <QRegion>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "render/RasterOps.h"
#include "render/ViewRequest.h"

namespace kavalo {

struct ProgramState;
class TileSource;

// "005_042.png": column and row with "00" put in front, cut to their last
// three characters (so column 1000 is named like column 0).
QString TileName(int col, int row, const QString& ext);
// The mask of a masked-map tile: "M_" + TileName.
QString MaskName(int col, int row, const QString& ext);
// DatasetFolder \ era name \ file name, as a native path.
QString TilePath(const ProgramState& state, int eraIndex, const QString& fileName);

struct ResolvedTile {
  int sourceEra = 0;  // the era whose file is drawn
  QString fileName;
  bool borrowed = false;  // another edition's sheet, drawn under the veil
};

// The file for tile (col, row) of an era that is drawn by tiles; nothing when
// the sheet history has no sheet of any edition there. Only scanned-sheet
// eras lend their sheets.
std::optional<ResolvedTile> ResolveTile(const ProgramState& state, int eraIndex, int col, int row);

// Loads a file into a picture: "png" (exact comparison) through the PNG
// decoder, anything else through the general image loader. The picture is
// cleared first and stays null (blank) when the file cannot be decoded.
bool LoadTileImage(const QString& path, const QString& ext, QImage& picture);
bool LoadPngToPicture(const QString& path, QImage& picture);

// Stretches the whole picture over (x, y, w, h) of the target with the
// raster operation, inside clip. True when nothing could be drawn (a null
// picture or target, or a rectangle without pixels).
bool DrawPictureToDC(const QImage& picture, int x, int y, int w, int h, RasterOp rop, QImage& target,
                     const QRegion& clip);

// The picture's pixels, rows top-down, each 32 bits: blue, green, red and a
// fourth byte that is 0. Returns the pixel count, or -1 for a null picture.
int ReadPicturePixels(const QImage& picture, std::vector<uint32_t>& pixels);
// The reverse (the fourth byte is ignored). 0, or -1 when the picture is null
// or the array is smaller than the picture.
int WritePicturePixels(QImage& picture, const std::vector<uint32_t>& pixels);

// The pictures of one grid position: the tile and, for masked maps, its
// mask. A null picture is blank (white).
struct GridPictures {
  QImage tile;
  QImage mask;
};

// The files of one grid position once they are on disk: the paths to decode
// (empty when a file is missing) and the extension that picks the decoder.
struct GridFiles {
  QString tilePath;
  QString maskPath;
  QString ext;
};

// Where a composition asks for its tile files: the source, its policy and
// the view asking.
struct TileAsk {
  TileSource* source = nullptr;  // null: disk only
  TilePolicy policy = TilePolicy::DiskOnly;
  int viewId = 0;
};

// Asks for the tile of a resolved grid position of the shown era, and for its
// mask when the source era is a masked map. The first tile of an aerial-photo
// era fixes that era's acquisition text (the file's modification time). Runs
// on the window's thread.
GridFiles FetchGridPosition(const ProgramState& state, int shownEra, const ResolvedTile& tile,
                            const TileAsk& ask = TileAsk());

// Decodes the files of a grid position. Touches no program state, so the
// tiles of one composition can be decoded on several threads at once.
void DecodeGridFiles(const GridFiles& files, GridPictures& out);

// Both steps for one grid position.
void LoadGridPosition(const ProgramState& state, int shownEra, const ResolvedTile& tile, GridPictures& out);

}  // namespace kavalo
