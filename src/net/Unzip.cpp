// SPDX-License-Identifier: MIT
#include "net/Unzip.h"

#include <zip.h>

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QtEndian>
#include <algorithm>
#include <memory>
#include <vector>

#include "net/PartFile.h"
#include "net/Transfer.h"
#include "platform/Codec.h"

namespace kavalo {

namespace {

struct ZipCloser {
  void operator()(zip_t* z) const { zip_discard(z); }
};
struct EntryCloser {
  void operator()(zip_file_t* f) const { zip_fclose(f); }
};

struct Entry {
  zip_uint64_t index;
  QString relative;  // "/" separators, never empty
  bool folder;
  zip_uint64_t size;
};

int fail(QString* why, const QString& text, int code) {
  if (why) *why = text;
  return code;
}

// No folder on the way to a target, nor the target, may be a link: an
// existing link in the era folder would carry the write somewhere else.
bool pathHasLink(const QString& dest, const QString& relative) {
  QString path = dest;
  const QStringList parts = relative.split(u'/', Qt::SkipEmptyParts);
  for (int i = 0; i < parts.size(); ++i) {
    path += u'/' + parts[i];
    if (QFileInfo(path).isSymLink()) return true;
  }
  return false;
}

}  // namespace

QString DecodeEntryName(const QByteArray& raw, bool flaggedUtf8, bool* ok) {
  if (flaggedUtf8) {
    const QString text = QString::fromUtf8(raw);
    if (ok) *ok = text.toUtf8() == raw;
    return text;
  }
  bool sjisOk = false;
  const QString text = fromSjis(raw, &sjisOk);
  if (ok) *ok = sjisOk;
  return text;
}

bool IsSafeEntryName(const QString& name, QString* relative) {
  QString n = name;
  n.replace(u'\\', u'/');
  if (n.isEmpty() || n.startsWith(u'/')) return false;  // absolute, or "\\server\share"
  if (n.size() >= 2 && n[1] == u':' && n[0].isLetter()) return false;
  if (n.contains(QChar(0))) return false;
  const QStringList parts = n.split(u'/', Qt::SkipEmptyParts);
  if (parts.isEmpty()) return false;
  for (const QString& p : parts)
    if (p == u"..") return false;
  if (relative) *relative = parts.join(u'/') + (n.endsWith(u'/') ? QStringLiteral("/") : QString());
  return true;
}

bool zipEndsWhole(const QString& zipPath) {
  QFile file(zipPath);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const qint64 size = file.size();
  // The end record is 22 bytes and a comment of at most 65535.
  const qint64 tailSize = std::min<qint64>(size, 22 + 65535);
  if (tailSize < 22 || !file.seek(size - tailSize)) return false;
  const QByteArray tail = file.read(tailSize);
  if (tail.size() != tailSize) return false;
  auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(tail.constData() + at); };
  auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(tail.constData() + at); };
  for (qsizetype at = tail.size() - 22; at >= 0; --at) {
    if (tail.at(at) != 'P' || tail.mid(at, 4) != QByteArrayLiteral("PK\x05\x06")) continue;
    // Its comment must reach exactly to the end of the file.
    if (at + 22 + u16(at + 20) != tail.size()) continue;
    const qint64 record = size - tailSize + at;
    const quint32 cdSize = u32(at + 12), cdOffset = u32(at + 16);
    // A large archive keeps the real numbers in a record of its own just
    // before, which libzip checks.
    if (cdSize == 0xFFFFFFFFu || cdOffset == 0xFFFFFFFFu)
      return at >= 20 && tail.mid(at - 20, 4) == QByteArrayLiteral("PK\x06\x07");
    return qint64(cdOffset) + cdSize <= record;
  }
  return false;
}

int UnZip(const QString& zipPath, const QString& destFolder, QString* why, int64_t maxEntryBytes,
          int64_t maxTotalBytes) {
  int error = 0;
  std::unique_ptr<zip_t, ZipCloser> zip(zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &error));
  if (!zip) return fail(why, QStringLiteral("not a readable zip archive"), 1);
  if (!QFileInfo(destFolder).isDir()) return fail(why, QStringLiteral("no folder %1").arg(destFolder), 2);

  // Every entry is judged before anything is written.
  const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
  std::vector<Entry> entries;
  for (zip_int64_t i = 0; i < count; ++i) {
    const zip_uint64_t index = static_cast<zip_uint64_t>(i);
    const char* rawName = zip_get_name(zip.get(), index, ZIP_FL_ENC_RAW);
    const char* strictName = zip_get_name(zip.get(), index, ZIP_FL_ENC_STRICT);
    if (!rawName || !strictName) return fail(why, QStringLiteral("entry %1 has no name").arg(i), 3);
    const QByteArray raw(rawName);
    // Read strictly, a name not flagged as UTF-8 comes back converted from
    // the old DOS table; only a flagged (or plain ASCII) name comes back as
    // stored.
    const bool flaggedUtf8 = raw == QByteArray(strictName);
    bool decoded = false;
    const QString name = DecodeEntryName(raw, flaggedUtf8, &decoded);
    QString relative;
    if (!decoded || !IsSafeEntryName(name, &relative))
      return fail(why, QStringLiteral("unsafe entry name %1").arg(name), 4);

    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(zip.get(), index, 0, &opsys, &attributes) == 0 && opsys == ZIP_OPSYS_UNIX &&
        ((attributes >> 16) & S_IFMT) == S_IFLNK)
      return fail(why, QStringLiteral("symbolic link %1").arg(name), 5);

    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(zip.get(), index, 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
      return fail(why, QStringLiteral("entry %1 has no size").arg(name), 6);
    if (st.size > static_cast<zip_uint64_t>(maxEntryBytes))
      return fail(why, QStringLiteral("entry %1 is too large").arg(name), 7);
    const bool folder = relative.endsWith(u'/');
    if (folder) relative.chop(1);
    if (pathHasLink(destFolder, relative))
      return fail(why, QStringLiteral("entry %1 would be written through a link").arg(name), 8);
    entries.push_back({index, relative, folder, st.size});
  }

  // Entries each under the limit can still add up to a bomb: their sum is
  // judged before the first byte is written.
  if (maxTotalBytes < 0) maxTotalBytes = bodyLimits().unpackedBytes;
  zip_uint64_t declared = 0;
  for (const Entry& e : entries) declared += e.size;
  if (declared > static_cast<zip_uint64_t>(maxTotalBytes))
    return fail(why, QStringLiteral("the entries declare %1 bytes together").arg(declared), 15);
  const QStorageInfo volume(destFolder);
  if (volume.isValid() && volume.isReady() &&
      static_cast<qint64>(declared) > volume.bytesAvailable() - bodyLimits().freeSpaceMargin)
    return fail(why, QStringLiteral("%1 bytes do not fit on the volume of %2").arg(declared).arg(destFolder), 16);

  std::vector<char> buffer(64 * 1024);
  for (const Entry& e : entries) {
    const QString target = destFolder + u'/' + e.relative;
    if (e.folder) {
      if (!QDir().mkpath(target)) return fail(why, QStringLiteral("cannot create %1").arg(target), 9);
      continue;
    }
    const QString parent = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(parent)) return fail(why, QStringLiteral("cannot create %1").arg(parent), 9);
    std::unique_ptr<zip_file_t, EntryCloser> in(zip_fopen_index(zip.get(), e.index, 0));
    if (!in) return fail(why, QStringLiteral("cannot read %1").arg(e.relative), 10);
    PartFile out(target);
    if (!out.open()) return fail(why, QStringLiteral("cannot write %1").arg(target), 11);
    zip_uint64_t total = 0;
    for (;;) {
      const zip_int64_t n = zip_fread(in.get(), buffer.data(), buffer.size());
      if (n < 0) {
        out.cancel();
        return fail(why, QStringLiteral("damaged entry %1").arg(e.relative), 12);
      }
      if (n == 0) break;
      total += static_cast<zip_uint64_t>(n);
      // An entry that yields more than it declares is not what it says.
      if (total > e.size || !out.write(buffer.data(), n)) {
        out.cancel();
        return fail(why, QStringLiteral("entry %1 is longer than declared or cannot be written").arg(e.relative), 13);
      }
    }
    if (total != e.size) {
      out.cancel();
      return fail(why, QStringLiteral("entry %1 is shorter than declared").arg(e.relative), 14);
    }
    if (!out.commit()) return fail(why, QStringLiteral("cannot write %1").arg(target), 11);
  }
  return 0;
}

}  // namespace kavalo
