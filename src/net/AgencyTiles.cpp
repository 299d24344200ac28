// SPDX-License-Identifier: MIT
#include "net/AgencyTiles.h"

#include <QCoreApplication>
#include <QStringList>

namespace kavalo {

MeshCode splitMeshCode(int32_t code) {
  MeshCode m;
  m.pp = code / 10000;
  m.qq = code / 100 % 100;
  m.r = code / 10 % 10;
  m.c = code % 10;
  return m;
}

std::vector<MeshCell> meshCellWalk(int32_t northWest, int32_t southEast) {
  const MeshCode a = splitMeshCode(northWest);
  const MeshCode b = splitMeshCode(southEast);
  const int columns = 8 * (b.qq - a.qq) + b.c - a.c + 1;
  const int rows = 8 * (a.pp - b.pp) + a.r - b.r + 1;
  std::vector<MeshCell> cells;
  if (columns < 1 || rows < 1) return cells;
  cells.reserve(static_cast<size_t>(columns) * static_cast<size_t>(rows));
  int pp = a.pp, r = a.r;
  for (int row = 0; row < rows; ++row) {
    int qq = a.qq, c = a.c;
    for (int column = 0; column < columns; ++column) {
      MeshCell cell;
      cell.mesh = {pp, qq, r, c};
      cell.code = QString::number(pp) + QString::number(qq) + QString::number(r) + QString::number(c);
      cell.column = column;
      cell.row = row;
      cells.push_back(cell);
      if (++c > 7) {
        c = 0;
        ++qq;
      }
    }
    if (--r < 0) {
      r = 7;
      --pp;
    }
  }
  return cells;
}

int64_t pieceCodeX(const MeshCode& cell, int i) { return (360LL * (cell.qq + 100) + 45LL * cell.c + 3LL * i) * 1000; }

int64_t pieceCodeY(const MeshCode& cell, int j) { return (240LL * cell.pp + 30LL * cell.r + 3LL * j) * 1000; }

QString orthoPeriodPath(int code) {
  static const char* const paths[kOrthoPeriods] = {"nlii/1", "nlii/2", "nlii/3", "nlii/4", "toh/0311", "toh/0601"};
  return code >= 0 && code < kOrthoPeriods ? QString::fromLatin1(paths[code]) : QString();
}

QString orthoPeriodListName(int code) {
  switch (code) {
    case 0:
      return QCoreApplication::translate("kavalo::AgencyTiles", "1974-1978年（空中写真）");
    case 1:
      return QCoreApplication::translate("kavalo::AgencyTiles", "1979-1983年（空中写真）");
    case 2:
      return QCoreApplication::translate("kavalo::AgencyTiles", "1984-1986年（空中写真）");
    case 3:
      return QCoreApplication::translate("kavalo::AgencyTiles", "1987-1990年（空中写真）");
    case 4:
      return QCoreApplication::translate("kavalo::AgencyTiles", "2011年東日本大震災被災後");
    case 5:
      return QCoreApplication::translate("kavalo::AgencyTiles", "東日本大震災被災地2011年5～6月撮影");
    default:
      return QString();
  }
}

PieceKind pieceKind(int pieceSource) {
  if (pieceSource == kBaseMapPieces)
    return {QStringLiteral("nti/new"), QStringLiteral("img"), QStringLiteral(".png"), true};
  if (pieceSource == kOrthoPieces) return {QStringLiteral("ort"), QStringLiteral("ort"), QStringLiteral(".jpg"), false};
  const QString period = orthoPeriodPath(pieceSource - 1);
  if (period.isEmpty()) return {};
  return {period, QStringLiteral("ort"), QStringLiteral(".jpg"), false};
}

QString pieceFileName(int pieceSource, int64_t x, int64_t y) {
  const PieceKind kind = pieceKind(pieceSource);
  return QString::number(x) + u'-' + QString::number(y) + u'-' + kind.suffix + kind.ext;
}

QString pieceUrl(const QString& server, int pieceSource, int64_t x, int64_t y) {
  const PieceKind kind = pieceKind(pieceSource);
  return server + QStringLiteral("/data/30") + kind.pathPart + u'/' + QString::number(x) + u'/' +
         pieceFileName(pieceSource, x, y);
}

QString eraNumberText(int n) { return (QStringLiteral("0") + QString::number(n)).right(2); }

TileCover tileCover(int tc, int tr, int tilesX, int tilesY) {
  // Exact in integers: the tile's west edge lies 15 tc / tilesX pieces east of
  // the cell's, its south edge 10 (tilesY - tr - 1) / tilesY pieces north.
  TileCover t;
  const int westNum = 15 * tc, eastNum = 15 * (tc + 1);
  const int southNum = 10 * (tilesY - tr - 1), northNum = 10 * (tilesY - tr);
  t.i0 = westNum / tilesX;
  t.i1 = (eastNum + tilesX - 1) / tilesX - 1;
  t.j0 = southNum / tilesY;
  t.j1 = (northNum + tilesY - 1) / tilesY - 1;
  t.left = static_cast<double>(westNum) / tilesX - t.i0;
  t.width = 15.0 / tilesX;
  t.top = (t.j1 + 1) - static_cast<double>(northNum) / tilesY;
  t.height = 10.0 / tilesY;
  return t;
}

}  // namespace kavalo
