// SPDX-License-Identifier: MIT
#include "BinaryFiles.h"

#include <zlib.h>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "platform/AtomicFile.h"
#include "platform/Codec.h"

namespace sample {

namespace {

void appendInt32(QByteArray& out, int32_t v) {
  char bytes[4];
  qToLittleEndian<int32_t>(v, bytes);
  out.append(bytes, 4);
}

void appendUint16(QByteArray& out, uint16_t v) {
  char bytes[2];
  qToLittleEndian<uint16_t>(v, bytes);
  out.append(bytes, 2);
}

void appendFloat(QByteArray& out, float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  char bytes[4];
  qToLittleEndian<uint32_t>(bits, bytes);
  out.append(bytes, 4);
}

bool appendText(QByteArray& out, const QString& text, QString* error) {
  bool ok = true;
  const QByteArray sjis = kavalo::toSjis(text, &ok);
  if (!ok || sjis.size() > std::numeric_limits<uint16_t>::max()) {
    if (error) *error = QStringLiteral("place name cannot be stored: %1").arg(text);
    return false;
  }
  appendUint16(out, static_cast<uint16_t>(sjis.size()));
  out.append(sjis);
  return true;
}

}  // namespace

int32_t reliefDivisorFor(const ElevationGrid& grid) {
  std::vector<int32_t> falls;
  for (int y = 0; y + 1 < grid.rows; ++y)
    for (int x = 0; x + 1 < grid.columns; ++x) {
      const int32_t v = grid.cells[static_cast<size_t>(y) * grid.columns + x];
      const int32_t t = grid.cells[static_cast<size_t>(y + 1) * grid.columns + x + 1];
      if (v == kSea || t == kSea) continue;
      const int32_t fall = std::abs(t - v);
      if (fall >= 20) falls.push_back(fall);  // slopes, not the flat plain
    }
  if (falls.empty()) return 100;
  std::nth_element(falls.begin(), falls.begin() + falls.size() / 2, falls.end());
  // The median hillside gets a shade of about 30 of 255.
  const double divisor = falls[falls.size() / 2] * 200.0 / 30.0;
  return std::max<int32_t>(10, static_cast<int32_t>(std::lround(divisor / 10.0)) * 10);
}

bool writeAltitudeFile(const QString& path, const ElevationGrid& grid, QString* error, int level) {
  int32_t lowest = std::numeric_limits<int32_t>::max(), highest = std::numeric_limits<int32_t>::min();
  for (int32_t v : grid.cells) {
    if (v == kSea) continue;
    lowest = std::min(lowest, v);
    highest = std::max(highest, v);
  }
  if (lowest > highest) lowest = highest = 0;

  QByteArray raw;
  raw.reserve(static_cast<qsizetype>(grid.cells.size() * 4));
  for (int32_t v : grid.cells) appendInt32(raw, v);
  uLongf length = compressBound(static_cast<uLong>(raw.size()));
  QByteArray block(static_cast<qsizetype>(length), '\0');
  if (compress2(reinterpret_cast<Bytef*>(block.data()), &length, reinterpret_cast<const Bytef*>(raw.constData()),
                static_cast<uLong>(raw.size()), level) != Z_OK) {
    if (error) *error = QStringLiteral("cannot compress the elevation grid");
    return false;
  }
  block.resize(static_cast<qsizetype>(length));

  QByteArray data;
  for (int32_t v : {grid.columns, grid.rows, lowest, highest, grid.reliefDivisor, static_cast<int32_t>(block.size())})
    appendInt32(data, v);
  data.append(block);
  return kavalo::writeFileAtomically(path, data, error);
}

bool writePlaceNameFile(const QString& path, const std::vector<GazetteerEntry>& entries, QString* error) {
  QByteArray data;
  appendInt32(data, static_cast<int32_t>(entries.size()));
  for (const GazetteerEntry& e : entries) {
    if (!appendText(data, e.name, error)) return false;
    appendFloat(data, e.lon);
    appendFloat(data, e.lat);
    appendInt32(data, e.category);
    if (!appendText(data, e.text, error)) return false;
  }
  return kavalo::writeFileAtomically(path, data, error);
}

}  // namespace sample
