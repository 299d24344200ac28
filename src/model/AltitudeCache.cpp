// SPDX-License-Identifier: MIT
#include "model/AltitudeCache.h"

#include <libdeflate.h>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <memory>

#include "model/AltitudeGrid.h"
#include "platform/Logging.h"

namespace kavalo {

namespace {

// The copy's own layout, in this machine's byte order (the cache folder is
// this machine's): a 64-byte header, then the cells row by row.
constexpr char kMagic[8] = {'K', 'V', 'A', 'L', 'T', 'C', '0', '1'};

struct CacheHeader {
  char magic[8];
  uint64_t size;
  int64_t modifiedSeconds;
  uint64_t inode;
  uint32_t modifiedNanoseconds;
  int32_t columns;
  int32_t rows;
  int32_t lowest;
  int32_t highest;
  int32_t reliefDivisor;
  uint32_t cellsCrc;   // of the cells as written (a full check costs more than a copy saves: not made on reads)
  uint32_t headerCrc;  // of every byte before it
};
static_assert(sizeof(CacheHeader) == 64, "the header is 64 bytes on every build");

uint32_t headerCrc(const CacheHeader& h) { return libdeflate_crc32(0, &h, offsetof(CacheHeader, headerCrc)); }

// The copy as it was when written, kept beside it: a copy changed in any
// way since (a byte damaged, cut short, rewritten by another program) has
// another change time, which no program can set back. Checked in place of
// reading every cell, which would cost more than the copy saves.
struct CopyStamp {
  char magic[8];
  uint64_t inode;
  uint64_t size;
  int64_t changedNs;
  int64_t modifiedNs;
  uint32_t reserved;
  uint32_t crc;  // of every byte before it
};
static_assert(sizeof(CopyStamp) == 48, "the stamp is 48 bytes on every build");
constexpr char kStampMagic[8] = {'K', 'V', 'A', 'L', 'T', 'S', '0', '1'};

QString stampPath(const QString& cachePath) { return cachePath + QStringLiteral(".stamp"); }

CopyStamp stampOf(const struct stat& st) {
  CopyStamp s{};
  std::memcpy(s.magic, kStampMagic, sizeof kStampMagic);
  s.inode = static_cast<uint64_t>(st.st_ino);
  s.size = static_cast<uint64_t>(st.st_size);
  s.changedNs = static_cast<int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
  s.modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  s.crc = libdeflate_crc32(0, &s, offsetof(CopyStamp, crc));
  return s;
}

bool stampMatches(const QString& cachePath, const struct stat& st) {
  QFile file(stampPath(cachePath));
  if (!file.open(QIODevice::ReadOnly) || file.size() != static_cast<qint64>(sizeof(CopyStamp))) return false;
  CopyStamp kept;
  if (file.read(reinterpret_cast<char*>(&kept), sizeof kept) != static_cast<qint64>(sizeof kept)) return false;
  const CopyStamp now = stampOf(st);
  return std::memcmp(&kept, &now, sizeof kept) == 0;
}

bool sameKey(const CacheHeader& h, const GridFileKey& key) {
  return h.size == key.size && h.modifiedSeconds == key.modifiedSeconds &&
         h.modifiedNanoseconds == key.modifiedNanoseconds && h.inode == key.inode;
}

}  // namespace

QString altitudeCachePath(const QByteArray& rawPath) {
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
  if (base.isEmpty()) return QString();
  // One copy per grid file: its absolute name, hashed, names the copy.
  const QByteArray absolute = QFile::encodeName(QFileInfo(QFile::decodeName(rawPath)).absoluteFilePath());
  const QByteArray name = QCryptographicHash::hash(absolute, QCryptographicHash::Sha1).toHex();
  return base + QStringLiteral("/kavalo/altitude/") + QString::fromLatin1(name) + QStringLiteral(".grid");
}

bool mapCachedGrid(const QString& cachePath, const GridFileKey& key, AltitudeGrid& grid) {
  if (cachePath.isEmpty()) return false;
  const QByteArray name = QFile::encodeName(cachePath);
  const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  auto closeFile = qScopeGuard([fd] { ::close(fd); });
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || static_cast<uint64_t>(st.st_size) < sizeof(CacheHeader))
    return false;
  if (!stampMatches(cachePath, st)) return false;
  CacheHeader h;
  if (::pread(fd, &h, sizeof h, 0) != static_cast<ssize_t>(sizeof h)) return false;
  if (std::memcmp(h.magic, kMagic, sizeof kMagic) != 0 || h.headerCrc != headerCrc(h) || !sameKey(h, key)) return false;
  if (h.columns <= 0 || h.rows <= 0) return false;
  const uint64_t cells = static_cast<uint64_t>(h.columns) * static_cast<uint64_t>(h.rows);
  if (static_cast<uint64_t>(st.st_size) != sizeof(CacheHeader) + cells * 4u) return false;
  const size_t length = static_cast<size_t>(st.st_size);
  void* map = ::mmap(nullptr, length, PROT_READ, MAP_SHARED, fd, 0);
  if (map == MAP_FAILED) return false;
  std::shared_ptr<const void> keeper(map, [length](const void* p) { ::munmap(const_cast<void*>(p), length); });
  const auto* data = reinterpret_cast<const int32_t*>(static_cast<const char*>(map) + sizeof(CacheHeader));
  grid.columns = h.columns;
  grid.rows = h.rows;
  grid.lowest = h.lowest;
  grid.highest = h.highest;
  grid.reliefDivisor = h.reliefDivisor;
  grid.cells = CellVector::mapped(std::move(keeper), data, static_cast<size_t>(cells));
  return true;
}

bool writeCachedGrid(const QString& cachePath, const GridFileKey& key, const AltitudeGrid& grid) {
  if (cachePath.isEmpty() || grid.empty()) return false;
  if (!QDir().mkpath(QFileInfo(cachePath).absolutePath())) return false;
  CacheHeader h{};
  std::memcpy(h.magic, kMagic, sizeof kMagic);
  h.size = key.size;
  h.modifiedSeconds = key.modifiedSeconds;
  h.modifiedNanoseconds = key.modifiedNanoseconds;
  h.inode = key.inode;
  h.columns = grid.columns;
  h.rows = grid.rows;
  h.lowest = grid.lowest;
  h.highest = grid.highest;
  h.reliefDivisor = grid.reliefDivisor;
  const qint64 bytes = static_cast<qint64>(grid.cells.size()) * 4;
  h.cellsCrc = libdeflate_crc32(0, grid.cells.data(), static_cast<size_t>(bytes));
  h.headerCrc = headerCrc(h);
  // Written beside and renamed into place: a run that reads the copy while
  // another writes it sees the old copy or the new one.
  QSaveFile file(cachePath);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(reinterpret_cast<const char*>(&h), sizeof h) != static_cast<qint64>(sizeof h) ||
      file.write(reinterpret_cast<const char*>(grid.cells.data()), bytes) != bytes) {
    file.cancelWriting();
    return false;
  }
  QFile::remove(stampPath(cachePath));
  struct stat st;
  bool ok = file.commit() && ::stat(QFile::encodeName(cachePath).constData(), &st) == 0;
  if (ok) {
    const CopyStamp stamp = stampOf(st);
    QSaveFile stampFile(stampPath(cachePath));
    ok = stampFile.open(QIODevice::WriteOnly) &&
         stampFile.write(reinterpret_cast<const char*>(&stamp), sizeof stamp) == static_cast<qint64>(sizeof stamp) &&
         stampFile.commit();
  }
  if (!ok) qCInfo(lcData) << "cannot keep the decoded elevation grid in" << cachePath;
  return ok;
}

}  // namespace kavalo
