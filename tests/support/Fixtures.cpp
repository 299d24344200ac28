// SPDX-License-Identifier: MIT
#include "support/Fixtures.h"

#include <zlib.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QtEndian>

#include <stdexcept>

#include "platform/Codec.h"

namespace kavalo::test {

void writeBytes(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw std::runtime_error("cannot write fixture file");
  f.write(bytes);
}

void writeSjis(const QString& path, const QString& text) {
  QString crlf = text;
  crlf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  writeBytes(path, toSjis(crlf));
}

QByteArray readBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

QString readSjis(const QString& path) { return fromSjis(readBytes(path)); }

RootFixture::RootFixture() {
  if (!dir_.isValid()) throw std::runtime_error("no temporary directory");
}

void RootFixture::writeDatasetList(const std::vector<std::pair<QString, QString>>& entries) {
  QString text = QString::number(entries.size()) + u'\n';
  for (const auto& [name, folder] : entries) text += name + u',' + folder + u'\n';
  writeFile(QStringLiteral("dataset.txt"), text);
}

void DatasetFixture::writeMapInfo() const {
  QString text;
  text += QStringLiteral("タイトル=%1\n").arg(title);
  text += QStringLiteral("画像幅=%1\n画像高さ=%2\n").arg(tileWidth).arg(tileHeight);
  text += QStringLiteral("横方向地形図数=%1\n縦方向地形図数=%2\n").arg(sheetsX).arg(sheetsY);
  text += QStringLiteral("地形図１枚あたり横方向画像数=%1\n地形図１枚あたり縦方向画像数=%2\n")
              .arg(tilesPerSheetX)
              .arg(tilesPerSheetY);
  text += QStringLiteral("スケール単位=km\n");
  text += QStringLiteral("旧図郭=0,0\n日本測地系図郭=0,0\n世界測地系図郭=12,-8\n");
  text += QStringLiteral("西端経度=%1\n北端緯度=%2\n").arg(west, 0, 'f', 6).arg(north, 0, 'f', 6);
  text += QStringLiteral("承認=この地図は承認を得て作成した。（承認番号　平成1業使、第1号）\n");
  text += QStringLiteral("初期表示位置X=%1\n初期表示位置Y=%2\n")
              .arg(tileWidth * sheetsX * tilesPerSheetX / 2)
              .arg(tileHeight * sheetsY * tilesPerSheetY / 2);
  text += QStringLiteral("初期表示ズーム=100\n初期時期=0\n");
  for (const QString& line : extraMapInfo) text += line + u'\n';
  writeSjis(folder + QStringLiteral("/mapinfo.txt"), text);
}

void DatasetFixture::writeTikeizuInfo() const {
  writeSjis(folder + QStringLiteral("/map_tikeizu_info.txt"),
            QString::number(tikeizuLines.size()) + u'\n' + tikeizuLines.join(u'\n') + u'\n');
}

void DatasetFixture::writeFullSheetHistory() const {
  QString text;
  const int columns = static_cast<int>(tikeizuLines.size()) + 1;
  for (int row = 0; row < sheetsY; ++row) {
    for (int hc = 0; hc < columns; ++hc) {
      QStringList fields;
      for (int sheet = 0; sheet < sheetsX; ++sheet) {
        if (hc == 0)
          fields << QStringLiteral("図%1-%2").arg(row).arg(sheet) << QString();
        else
          fields << QStringLiteral("版%1").arg(hc) << QStringLiteral("発行%1").arg(hc);
      }
      text += fields.join(u',') + u'\n';
    }
  }
  writeSjis(folder + QStringLiteral("/図歴.csv"), text);
}

void DatasetFixture::writeAltitudeGrid() const {
  const int columns = sheetsX * tilesPerSheetX * 2;
  const int rows = sheetsY * tilesPerSheetY * 2;
  std::vector<int32_t> cells(static_cast<size_t>(columns) * rows);
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < columns; ++x)
      cells[static_cast<size_t>(y) * columns + x] = y == 0 ? -9999 : x * 1000 / (columns - 1);
  writeAltitude(folder + QStringLiteral("/altitude.dat"), columns, rows, 0, 1000, 100, cells);
}

void DatasetFixture::write() const {
  QDir().mkpath(folder);
  writeMapInfo();
  writeTikeizuInfo();
  writeFullSheetHistory();
  writeAltitudeGrid();
}

MapInfo smallGridInfo() {
  MapInfo m;
  m.tileWidth = 100;
  m.tileHeight = 80;
  m.sheetsX = 2;
  m.sheetsY = 2;
  m.tilesPerSheetX = 2;
  m.tilesPerSheetY = 2;
  m.totalCols = 4;
  m.totalRows = 4;
  return m;
}

void writeSolidImage(const QString& path, int width, int height, QColor colour, const char* format) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  if (!image.save(path, format, format == QByteArray("JPG") || format == QByteArray("JPEG") ? 100 : -1))
    throw std::runtime_error("cannot write fixture image");
}

void writeAltitude(const QString& path, int columns, int rows, int32_t lowest, int32_t highest, int32_t divisor,
                   const std::vector<int32_t>& cells, bool raw) {
  QByteArray cellBytes(static_cast<qsizetype>(cells.size() * 4), '\0');
  for (size_t i = 0; i < cells.size(); ++i) qToLittleEndian<int32_t>(cells[i], cellBytes.data() + 4 * i);
  QByteArray block;
  if (raw) {
    block = cellBytes;
  } else {
    uLongf length = compressBound(static_cast<uLong>(cellBytes.size()));
    block.resize(static_cast<qsizetype>(length));
    compress2(reinterpret_cast<Bytef*>(block.data()), &length, reinterpret_cast<const Bytef*>(cellBytes.constData()),
              static_cast<uLong>(cellBytes.size()), 6);
    block.resize(static_cast<qsizetype>(length));
  }
  QByteArray data(24, '\0');
  const int32_t header[6] = {columns, rows, lowest, highest, divisor, static_cast<int32_t>(block.size())};
  for (int i = 0; i < 6; ++i) qToLittleEndian<int32_t>(header[i], data.data() + 4 * i);
  data += block;
  writeBytes(path, data);
}

}  // namespace kavalo::test
