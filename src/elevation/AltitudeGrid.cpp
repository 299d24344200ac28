#include "elevation/AltitudeGrid.h"

#include <QScopeGuard>
#include <QtEndian>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <limits>

#include "platform/Numbers.h"
#include "platform/Paths.h"

namespace kavalo {

Elevation ElevationAt(const AltitudeGrid& grid, float X, float Y) {
  Elevation e;
  if (grid.empty() || grid.pitchX <= 0.0f || grid.pitchY <= 0.0f) return e;
  const double column = roundHalfEven(static_cast<double>(X) / grid.pitchX);
  const double row = roundHalfEven(static_cast<double>(Y) / grid.pitchY);
  if (column < 0 || column >= grid.columns || row < 0 || row >= grid.rows) return e;
  const int32_t v = grid.cell(static_cast<int>(column), static_cast<int>(row));
  if (v == kSeaValue) {
    e.kind = ElevationKind::Sea;
  } else {
    e.kind = ElevationKind::Land;
    e.tenths = v;
  }
  return e;
}

namespace {

// Deflate expands at most about 1032 : 1; a header that asks for more than
// that from N bytes cannot be right and must not make us allocate it.
constexpr uint64_t kMaxInflateRatio = 1032;

bool fail(QString* error, const QString& path, const QString& what) {
  if (error) *error = QStringLiteral("標高データ「altitude.dat」を読み込めません（%1）。\n%2").arg(what, path);
  return false;
}

}  // namespace

bool readAltitudeGrid(const QString& path, const MapInfo& info, AltitudeGrid& grid, QString* error) {
  grid = AltitudeGrid();
  const QByteArray raw = resolveRawPath(path);
  if (raw.isEmpty()) return fail(error, path, QStringLiteral("ファイルがありません"));
  std::FILE* f = std::fopen(raw.constData(), "rb");
  if (!f) return fail(error, path, QStringLiteral("ファイルを開けません"));
  auto closeFile = qScopeGuard([f] { std::fclose(f); });

  unsigned char header[24];
  if (std::fread(header, 1, sizeof header, f) != sizeof header) return fail(error, path, QStringLiteral("ヘッダーが不完全です"));
  int32_t h[6];
  for (int i = 0; i < 6; ++i) h[i] = qFromLittleEndian<int32_t>(header + 4 * i);
  const int32_t columns = h[0], rows = h[1], blockLength = h[5];
  if (columns <= 0 || rows <= 0) return fail(error, path, QStringLiteral("列数・行数が正しくありません"));
  if (blockLength <= 0) return fail(error, path, QStringLiteral("データの長さが正しくありません"));
  const uint64_t cellCount = static_cast<uint64_t>(columns) * static_cast<uint64_t>(rows);
  const uint64_t expandedBytes = cellCount * 4u;
  if (expandedBytes > static_cast<uint64_t>(std::numeric_limits<uLongf>::max()) ||
      cellCount > static_cast<uint64_t>(std::numeric_limits<size_t>::max() / 4))
    return fail(error, path, QStringLiteral("列数・行数が大きすぎます"));
  const bool rawSized = expandedBytes == static_cast<uint64_t>(blockLength);
  if (!rawSized && expandedBytes > static_cast<uint64_t>(blockLength) * kMaxInflateRatio)
    return fail(error, path, QStringLiteral("列数・行数がデータの長さと合いません"));

  // The block must lie inside the file.
  if (std::fseek(f, 0, SEEK_END) != 0) return fail(error, path, QStringLiteral("ファイルを読めません"));
  const long fileSize = std::ftell(f);
  if (fileSize < 0 || static_cast<uint64_t>(fileSize) < 24u + static_cast<uint64_t>(blockLength))
    return fail(error, path, QStringLiteral("ファイルが途中で切れています"));
  std::fseek(f, 24, SEEK_SET);

  std::vector<unsigned char> block(static_cast<size_t>(blockLength));
  if (std::fread(block.data(), 1, block.size(), f) != block.size())
    return fail(error, path, QStringLiteral("ファイルが途中で切れています"));

  AltitudeGrid g;
  g.columns = columns;
  g.rows = rows;
  g.lowest = h[2];
  g.highest = h[3];
  g.reliefDivisor = h[4];
  g.cells.resize(static_cast<size_t>(cellCount));
  uLongf destLength = static_cast<uLongf>(expandedBytes);
  const int rc = ::uncompress(reinterpret_cast<Bytef*>(g.cells.data()), &destLength, block.data(),
                              static_cast<uLong>(block.size()));
  if (rc == Z_OK) {
    if (destLength != expandedBytes) return fail(error, path, QStringLiteral("展開したデータが足りません"));
  } else if (rawSized && rc == Z_DATA_ERROR) {
    std::memcpy(g.cells.data(), block.data(), block.size());
  } else if (rc == Z_BUF_ERROR && destLength == expandedBytes) {
    return fail(error, path, QStringLiteral("展開したデータが多すぎます"));
  } else {
    return fail(error, path, QStringLiteral("データを展開できません"));
  }
  if constexpr (Q_BYTE_ORDER == Q_BIG_ENDIAN) {
    for (auto& v : g.cells) v = qFromLittleEndian(v);
  }
  g.pitchX = toSingle(static_cast<double>(info.tileWidth) * info.totalCols / columns);
  g.pitchY = toSingle(static_cast<double>(info.tileHeight) * info.totalRows / rows);
  grid = std::move(g);
  return true;
}

}  // namespace kavalo
