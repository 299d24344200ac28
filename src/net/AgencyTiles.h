// SPDX-License-Identifier: MIT
#pragma once
// Where the agency's pieces lie and where they go: the second-level mesh
// cells of a data folder, the codes and addresses of the 30" pieces, the
// folders and names of the new eras, and which pieces cover which tile.
#include <QString>
#include <cstdint>
#include <vector>

namespace kavalo {

// The three sources of the agency dialog, in the order of its options.
enum AgencySource : int { kAgencyMapSource = 0, kAgencyAirPhotoSource = 1, kAgencyOrthoSource = 2 };

// Piece sources: 0 the base map, 1 to 6 an air-photo period code + 1, 10 the
// orthophoto.
constexpr int kBaseMapPieces = 0;
constexpr int kOrthoPieces = 10;

// A second-level mesh code PPQQrc.
struct MeshCode {
  int pp = 0;  // latitude x 1.5
  int qq = 0;  // longitude - 100
  int r = 0;   // second-level row, 0 to 7 from the south
  int c = 0;   // second-level column, 0 to 7 from the west
};

MeshCode splitMeshCode(int32_t code);

// One second-level cell of a data folder: its code text and its place in the
// folder's cell grid, counted from the north-west cell.
struct MeshCell {
  QString code;  // PP QQ r c written one after another
  MeshCode mesh;
  int column = 0;
  int row = 0;
};

// The cells between the north-west and the south-east code, row by row from
// the north, each row from the west; columns step into the next first-level
// column after c = 7, rows into the next one to the south after r = 0.
std::vector<MeshCell> meshCellWalk(int32_t northWest, int32_t southEast);

// The corner codes of piece (i, j) of a cell (i west to east 0..14, j south to
// north 0..9): its south-west corner in hundredths of an arc-second.
int64_t pieceCodeX(const MeshCode& cell, int i);
int64_t pieceCodeY(const MeshCode& cell, int j);

// The path part, file suffix and extension of a piece source; empty path for
// a source that does not exist.
struct PieceKind {
  QString pathPart;  // "nti/new", "ort", "nlii/1", ...
  QString suffix;    // "img" or "ort"
  QString ext;       // ".png" or ".jpg"
  bool png = false;
};
PieceKind pieceKind(int pieceSource);

// server + "/data/30" + path part + "/" + X + "/" + X + "-" + Y + "-" + suffix
// + extension. server has no trailing slash.
QString pieceUrl(const QString& server, int pieceSource, int64_t x, int64_t y);
// X + "-" + Y + "-" + suffix + extension: the piece's file in the era folder.
QString pieceFileName(int pieceSource, int64_t x, int64_t y);

// The air-photo periods 0 to 5: path part and list name.
constexpr int kOrthoPeriods = 6;
QString orthoPeriodPath(int code);
QString orthoPeriodListName(int code);

// "0" + n cut to its last two characters: 00, 01, ... 99, then 00 again.
QString eraNumberText(int n);

// The pieces that cover one tile of a cell, and the tile's box within them.
// A cell is 15 x 10 pieces; with tiles x by tiles y tiles per cell a tile
// spans 15/tiles x by 10/tiles y pieces. For 5 x 5 tiles this is a block of
// 3 x 2 pieces cut out whole.
struct TileCover {
  int i0 = 0, i1 = 0;  // piece columns, inclusive, west to east
  int j0 = 0, j1 = 0;  // piece rows, inclusive, south to north
  // The tile's box in pieces, from the west edge of piece i0 and from the
  // north edge of piece j1: left, top, width and height.
  double left = 0, top = 0, width = 0, height = 0;
  int columns() const { return i1 - i0 + 1; }
  int rows() const { return j1 - j0 + 1; }
};

// Tile (tc, tr) of a cell, tc from the west and tr from the north.
TileCover tileCover(int tc, int tr, int tilesX, int tilesY);

}  // namespace kavalo
