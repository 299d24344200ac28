// SPDX-License-Identifier: MIT
#include "model/AltitudeGrid.h"

#include <libdeflate.h>
#include <QCoreApplication>
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

#include "model/AltitudeCache.h"
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

constexpr size_t kGridHeaderBytes = 24;  // six little-endian int32

// A 50 m grid of the largest region the program shows has a few million
// cells; a header asking for more is damaged (or a compression bomb that
// matches it) and would take gigabytes.
constexpr uint64_t kMaxCells = 64u * 1024u * 1024u;

bool fail(QString* error, const QString& path, const QString& what) {
  if (error)
    *error =
        QCoreApplication::translate("kavalo::AltitudeGrid", "標高データ「altitude.dat」を読み込めません（%1）。\n%2")
            .arg(what, path);
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

// The six integers at the start of the file.
struct GridHeader {
  int32_t columns = 0;
  int32_t rows = 0;
  int32_t lowest = 0;
  int32_t highest = 0;
  int32_t reliefDivisor = 0;
  int32_t blockLength = 0;
  uint64_t cellCount() const { return static_cast<uint64_t>(columns) * static_cast<uint64_t>(rows); }
  // Below 2^64: both factors are below 2^31.
  uint64_t expandedBytes() const { return cellCount() * 4u; }
  bool rawSized() const { return expandedBytes() == static_cast<uint64_t>(blockLength); }
};

// Every check of the header against itself and the file's size, in one
// place, before anything is allocated: what is wrong, or empty when the
// header can be believed.
QString headerProblem(const GridHeader& h, uint64_t fileSize) {
  if (h.columns <= 0 || h.rows <= 0)
    return QCoreApplication::translate("kavalo::AltitudeGrid", "列数・行数が正しくありません");
  if (h.cellCount() > kMaxCells)
    return QCoreApplication::translate("kavalo::AltitudeGrid", "列数・行数が大きすぎます（%1セルまで）").arg(kMaxCells);
  if (h.blockLength <= 0) return QCoreApplication::translate("kavalo::AltitudeGrid", "データの長さが正しくありません");
  if (h.cellCount() > static_cast<uint64_t>(std::numeric_limits<size_t>::max() / 4))
    return QCoreApplication::translate("kavalo::AltitudeGrid", "列数・行数が大きすぎます");
  if (!h.rawSized() && h.expandedBytes() > static_cast<uint64_t>(h.blockLength) * kMaxInflateRatio)
    return QCoreApplication::translate("kavalo::AltitudeGrid", "列数・行数がデータの長さと合いません");
  if (fileSize - kGridHeaderBytes < static_cast<uint64_t>(h.blockLength))
    return QCoreApplication::translate("kavalo::AltitudeGrid", "ファイルが途中で切れています");
  return QString();
}

struct DecompressorDeleter {
  void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

}  // namespace

bool readAltitudeGrid(const QString& path, const MapInfo& info, AltitudeGrid& grid, QString* error) {
  grid = AltitudeGrid();
  const QByteArray raw = resolveRawPath(path);
  if (raw.isEmpty())
    return fail(error, path, QCoreApplication::translate("kavalo::AltitudeGrid", "ファイルがありません"));
  // Opened for reading only: a bad file is reported, never repaired.
  const int fd = ::open(raw.constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return fail(error, path, QCoreApplication::translate("kavalo::AltitudeGrid", "ファイルを開けません"));
  auto closeFile = qScopeGuard([fd] { ::close(fd); });
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
    return fail(error, path, QCoreApplication::translate("kavalo::AltitudeGrid", "ファイルを開けません"));
  const uint64_t fileSize = static_cast<uint64_t>(st.st_size);
  const GridFileKey key{fileSize, static_cast<int64_t>(st.st_mtim.tv_sec), static_cast<uint32_t>(st.st_mtim.tv_nsec),
                        static_cast<uint64_t>(st.st_ino)};
  const QString cachePath = altitudeCachePath(raw);
  auto withPitches = [&info](AltitudeGrid& g) {
    g.pitchX = toSingle(static_cast<double>(info.tileWidth) * info.totalCols / g.columns);
    g.pitchY = toSingle(static_cast<double>(info.tileHeight) * info.totalRows / g.rows);
  };
  {
    AltitudeGrid cached;
    if (mapCachedGrid(cachePath, key, cached)) {
      withPitches(cached);
      grid = std::move(cached);
      return true;
    }
  }

  unsigned char bytes[kGridHeaderBytes];
  if (fileSize < sizeof bytes || !readFully(fd, bytes, sizeof bytes))
    return fail(error, path, QCoreApplication::translate("kavalo::AltitudeGrid", "ヘッダーが不完全です"));
  GridHeader h;
  int32_t* fields[] = {&h.columns, &h.rows, &h.lowest, &h.highest, &h.reliefDivisor, &h.blockLength};
  for (int i = 0; i < 6; ++i) *fields[i] = qFromLittleEndian<int32_t>(bytes + 4 * i);
  const QString problem = headerProblem(h, fileSize);
  if (!problem.isEmpty()) return fail(error, path, problem);

  AltitudeGrid g;
  g.columns = h.columns;
  g.rows = h.rows;
  g.lowest = h.lowest;
  g.highest = h.highest;
  g.reliefDivisor = h.reliefDivisor;
  const size_t blockLength = static_cast<size_t>(h.blockLength);
  const size_t expandedBytes = static_cast<size_t>(h.expandedBytes());
  std::unique_ptr<unsigned char[]> block;
  std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> inflater(libdeflate_alloc_decompressor());
  try {
    // Neither buffer is cleared first: the read and the expansion fill them.
    block.reset(new unsigned char[blockLength]);
    g.cells.resize(static_cast<size_t>(h.cellCount()));
  } catch (const std::bad_alloc&) {
    return fail(error, path, QCoreApplication::translate("kavalo::AltitudeGrid", "メモリが足りません"));
  }
  if (!inflater) return fail(error, path, QCoreApplication::translate("kavalo::AltitudeGrid", "メモリが足りません"));
  if (!readFully(fd, block.get(), blockLength))
    return fail(error, path, QCoreApplication::translate("kavalo::AltitudeGrid", "ファイルが途中で切れています"));

  // One expansion straight into the cells. The stream's checksum is checked;
  // what follows the end of the stream inside the block is ignored.
  size_t expanded = 0;
  const libdeflate_result rc =
      libdeflate_zlib_decompress(inflater.get(), block.get(), blockLength, g.cells.data(), expandedBytes, &expanded);
  if (rc == LIBDEFLATE_SUCCESS) {
    if (expanded != expandedBytes)
      return fail(error, path, QCoreApplication::translate("kavalo::AltitudeGrid", "展開したデータが足りません"));
  } else if (h.rawSized()) {
    // Exactly C x R cells long and no zlib stream: the cells as they are.
    std::memcpy(g.cells.data(), block.get(), blockLength);
  } else if (rc == LIBDEFLATE_INSUFFICIENT_SPACE) {
    return fail(error, path, QCoreApplication::translate("kavalo::AltitudeGrid", "展開したデータが多すぎます"));
  } else {
    return fail(error, path, QCoreApplication::translate("kavalo::AltitudeGrid", "データを展開できません"));
  }
  if constexpr (Q_BYTE_ORDER == Q_BIG_ENDIAN) {
    for (auto& v : g.cells) v = qFromLittleEndian(v);
  }
  withPitches(g);
  if (h.cellCount() >= kCachedGridMinCells) writeCachedGrid(cachePath, key, g);
  grid = std::move(g);
  return true;
}

}  // namespace kavalo
