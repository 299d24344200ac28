#include "model/AltitudeGrid.h"

#include <zlib.h>
#include <QScopeGuard>
#include <QtEndian>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "platform/Numbers.h"
#include "platform/Paths.h"

namespace kavalo {

Elevation ElevationAt(const AltitudeGrid& grid, float X, float Y) {
  Elevation e;
  if (grid.empty() || grid.pitchX <= 0.0f || grid.pitchY <= 0.0f) return e;
  const double column = roundHalfEven(static_cast<double>(X) / grid.pitchX);
  const double row = roundHalfEven(static_cast<double>(Y) / grid.pitchY);
  // Written so that a position that is not a number is outside too.
  if (!(column >= 0 && column < grid.columns && row >= 0 && row < grid.rows)) return e;
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

// A 50 m grid of the largest region the program shows has a few million
// cells; a header asking for more is damaged (or a compression bomb that
// matches it) and would take gigabytes.
constexpr uint64_t kMaxCells = 64u * 1024u * 1024u;

bool tooManyCells(int32_t columns, int32_t rows) {
  return static_cast<uint64_t>(columns) * static_cast<uint64_t>(rows) > kMaxCells;
}

bool fail(QString* error, const QString& path, const QString& what) {
  if (error) *error = QStringLiteral("標高データ「altitude.dat」を読み込めません（%1）。\n%2").arg(what, path);
  return false;
}

// Reads exactly n bytes (read() may return less than asked).
bool readFully(int fd, unsigned char* to, size_t n) {
  while (n > 0) {
    const ssize_t got = ::read(fd, to, n);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    to += got;
    n -= static_cast<size_t>(got);
  }
  return true;
}

}  // namespace

bool readAltitudeGrid(const QString& path, const MapInfo& info, AltitudeGrid& grid, QString* error) {
  grid = AltitudeGrid();
  const QByteArray raw = resolveRawPath(path);
  if (raw.isEmpty()) return fail(error, path, QStringLiteral("ファイルがありません"));
  // Opened for reading only: a bad file is reported, never repaired.
  const int fd = ::open(raw.constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return fail(error, path, QStringLiteral("ファイルを開けません"));
  auto closeFile = qScopeGuard([fd] { ::close(fd); });
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return fail(error, path, QStringLiteral("ファイルを開けません"));
  const uint64_t fileSize = static_cast<uint64_t>(st.st_size);

  unsigned char header[24];
  if (fileSize < sizeof header || !readFully(fd, header, sizeof header))
    return fail(error, path, QStringLiteral("ヘッダーが不完全です"));
  int32_t h[6];
  for (int i = 0; i < 6; ++i) h[i] = qFromLittleEndian<int32_t>(header + 4 * i);
  const int32_t columns = h[0], rows = h[1], blockLength = h[5];
  if (columns <= 0 || rows <= 0) return fail(error, path, QStringLiteral("列数・行数が正しくありません"));
  if (tooManyCells(columns, rows))
    return fail(error, path, QStringLiteral("列数・行数が大きすぎます（%1セルまで）").arg(kMaxCells));
  if (blockLength <= 0) return fail(error, path, QStringLiteral("データの長さが正しくありません"));
  const uint64_t cellCount = static_cast<uint64_t>(columns) * static_cast<uint64_t>(rows);
  const uint64_t expandedBytes = cellCount * 4u;  // below 2^64: both factors are below 2^31
  if (expandedBytes > static_cast<uint64_t>(std::numeric_limits<uLongf>::max()) ||
      cellCount > static_cast<uint64_t>(std::numeric_limits<size_t>::max() / 4))
    return fail(error, path, QStringLiteral("列数・行数が大きすぎます"));
  const bool rawSized = expandedBytes == static_cast<uint64_t>(blockLength);
  if (!rawSized && expandedBytes > static_cast<uint64_t>(blockLength) * kMaxInflateRatio)
    return fail(error, path, QStringLiteral("列数・行数がデータの長さと合いません"));
  if (fileSize - sizeof header < static_cast<uint64_t>(blockLength))
    return fail(error, path, QStringLiteral("ファイルが途中で切れています"));

  AltitudeGrid g;
  g.columns = columns;
  g.rows = rows;
  g.lowest = h[2];
  g.highest = h[3];
  g.reliefDivisor = h[4];
  std::unique_ptr<unsigned char[]> block;
  try {
    // Neither buffer is cleared first: the read and the expansion fill them.
    block.reset(new unsigned char[static_cast<size_t>(blockLength)]);
    g.cells.resize(static_cast<size_t>(cellCount));
  } catch (const std::bad_alloc&) {
    return fail(error, path, QStringLiteral("メモリが足りません"));
  }
  if (!readFully(fd, block.get(), static_cast<size_t>(blockLength)))
    return fail(error, path, QStringLiteral("ファイルが途中で切れています"));

  // One expansion straight into the cells.
  uLongf destLength = static_cast<uLongf>(expandedBytes);
  const int rc =
      ::uncompress(reinterpret_cast<Bytef*>(g.cells.data()), &destLength, block.get(), static_cast<uLong>(blockLength));
  if (rc == Z_OK) {
    if (destLength != expandedBytes) return fail(error, path, QStringLiteral("展開したデータが足りません"));
  } else if (rawSized && rc != Z_MEM_ERROR) {
    // Exactly C x R cells long and no zlib stream: the cells as they are.
    std::memcpy(g.cells.data(), block.get(), static_cast<size_t>(blockLength));
  } else if (rc == Z_BUF_ERROR) {
    return fail(error, path, QStringLiteral("展開したデータが多すぎます"));
  } else if (rc == Z_MEM_ERROR) {
    return fail(error, path, QStringLiteral("メモリが足りません"));
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
