// SPDX-License-Identifier: MIT
#pragma once
// Builders of small data folders in temporary directories: text files in
// Shift-JIS with CR LF, tiles of known colours, grids and gazetteers.
#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <vector>

#include "model/MapInfo.h"

namespace kavalo::test {

// Writes text as Shift-JIS; "\n" in the text becomes CR LF.
void writeSjis(const QString& path, const QString& text);
void writeBytes(const QString& path, const QByteArray& bytes);
QByteArray readBytes(const QString& path);
// Reads a Shift-JIS file back as text (CR LF kept).
QString readSjis(const QString& path);

// A RootFolder with data folders. Everything lives in a temporary directory
// removed with the object.
class RootFixture {
 public:
  RootFixture();
  QString root() const { return dir_.path(); }
  QString path(const QString& relative) const { return dir_.path() + u'/' + relative; }

  // dataset.txt with (display name, folder) pairs.
  void writeDatasetList(const std::vector<std::pair<QString, QString>>& entries);
  void writeFile(const QString& relative, const QString& text) { writeSjis(path(relative), text); }

 private:
  QTemporaryDir dir_;
};

// A data folder of a given size with one or more scanned-sheet eras; fields
// are public so that tests change what they need before write().
struct DatasetFixture {
  QString folder;  // absolute path
  int tileWidth = 100;
  int tileHeight = 80;
  int sheetsX = 2;
  int sheetsY = 2;
  int tilesPerSheetX = 2;
  int tilesPerSheetY = 2;
  double west = 139.0;
  double north = 36.0;
  QString title = QStringLiteral("テスト地域");
  QStringList extraMapInfo;  // more "key=value" lines
  // Scanned-sheet eras: name, frameType, yearFrom, yearTo, tileStyle,
  // legendNumber, historyColumn, ext.
  QStringList tikeizuLines = {QStringLiteral("E1900,0,1900,1900,0,1,0,png"),
                              QStringLiteral("E1930,1,1930,1931,0,2,1,png")};

  void writeMapInfo() const;
  void writeTikeizuInfo() const;
  // 図歴.csv with every sheet of every scanned era present ("edition",
  // "publication"), unless changed by the caller afterwards.
  void writeFullSheetHistory() const;
  // altitude.dat of 2 x 2 cells per tile: a slope from 0 m in the west to
  // 100 m in the east, sea in the first row.
  void writeAltitudeGrid() const;
  void write() const;  // all four
};

// The configuration of a 2 x 2 sheet region of 2 x 2 tiles of 100 x 80
// pixels (a mosaic of 400 x 320), with its grid totals filled in.
MapInfo smallGridInfo();

// A solid-colour PNG or JPEG image.
void writeSolidImage(const QString& path, int width, int height, QColor colour, const char* format = "PNG");

// altitude.dat with a zlib block (or raw cells when raw is true).
void writeAltitude(const QString& path, int columns, int rows, int32_t lowest, int32_t highest, int32_t divisor,
                   const std::vector<int32_t>& cells, bool raw = false);

}  // namespace kavalo::test
