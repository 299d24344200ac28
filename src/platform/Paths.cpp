// SPDX-License-Identifier: MIT
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dirent.h>
#include <sys/stat.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

#include "platform/Codec.h"

namespace kavalo {

QString nativeRelative(const QString& backslashName) {
  QString rel = backslashName;
  rel.replace(u'\\', u'/');
  while (rel.startsWith(u'/')) rel.remove(0, 1);
  return rel;
}

QString joinPath(const QString& folder, const QString& backslashName) {
  QString rel = nativeRelative(backslashName);
  if (folder.isEmpty()) return rel;
  if (folder.endsWith(u'/')) return folder + rel;
  return folder + u'/' + rel;
}

bool isSingleName(const QString& name) {
  if (name.isEmpty() || name == u"." || name == u"..") return false;
  for (const QChar c : name) {
    if (c == u'/' || c == u'\\' || c == u':' || c == QChar(0)) return false;
  }
  return true;
}

namespace {

bool rawExists(const QByteArray& raw) {
  struct stat st;
  return ::stat(raw.constData(), &st) == 0;
}

// Finds an entry of a folder that matches a name up to letter case, or whose
// raw bytes are the Shift-JIS spelling of the name.
QByteArray findEntry(const QByteArray& dirRaw, const QString& name) {
  DIR* dir = ::opendir(dirRaw.isEmpty() ? "." : dirRaw.constData());
  if (!dir) return {};
  const QByteArray sjis = toSjis(name);
  QByteArray found;
  while (dirent* entry = ::readdir(dir)) {
    QByteArray entryName(entry->d_name);
    if (entryName == sjis) {
      found = entryName;
      break;
    }
    bool ok = true;
    QString decoded = QString::fromUtf8(entryName);
    if (decoded.contains(QChar::ReplacementCharacter)) decoded = fromSjis(entryName, &ok);
    if (ok && decoded.compare(name, Qt::CaseInsensitive) == 0) {
      found = entryName;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

// Listing a folder to match a name costs a read of every entry. An era
// folder may hold a million tiles, and a view in a sparse region misses
// dozens of them at every composition: a folder this large (its directory
// takes more than this many bytes, some thousands of entries) is looked into
// only by the spellings a name takes on copied discs and archives.
constexpr off_t kLargestListedFolderBytes = 64 * 1024;

bool largeFolder(const QByteArray& dirRaw) {
  struct stat st;
  return ::stat(dirRaw.isEmpty() ? "." : dirRaw.constData(), &st) == 0 && st.st_size > kLargestListedFolderBytes;
}

// The name as written, in lower case, in upper case or in Shift-JIS bytes,
// when an entry of the folder is spelled so.
QByteArray findSpelling(const QByteArray& dirRaw, const QString& name) {
  const QByteArray sjis = toSjis(name);
  for (const QByteArray& spelling : {QFile::encodeName(name), QFile::encodeName(name.toLower()),
                                     QFile::encodeName(name.toUpper()), sjis}) {
    if (spelling.isEmpty()) continue;
    QByteArray candidate = dirRaw;
    if (!candidate.isEmpty() && !candidate.endsWith('/')) candidate += '/';
    candidate += spelling;
    if (rawExists(candidate)) return spelling;
  }
  return {};
}

}  // namespace

QByteArray resolveRawPath(const QString& path) {
  if (path.isEmpty()) return {};
  QByteArray direct = QFile::encodeName(path);
  if (rawExists(direct)) return direct;
  const bool absolute = path.startsWith(u'/');
  const QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
  QByteArray current = absolute ? QByteArray("/") : QByteArray();
  for (const QString& part : parts) {
    QByteArray candidate = current;
    if (!candidate.isEmpty() && !candidate.endsWith('/')) candidate += '/';
    candidate += QFile::encodeName(part);
    if (!rawExists(candidate)) {
      QByteArray entry = largeFolder(current) ? findSpelling(current, part) : findEntry(current, part);
      if (entry.isEmpty()) return {};
      candidate = current;
      if (!candidate.isEmpty() && !candidate.endsWith('/')) candidate += '/';
      candidate += entry;
    }
    current = candidate;
  }
  return current;
}

QByteArray resolveRawPathUnlisted(const QString& path) {
  if (path.isEmpty()) return {};
  const QByteArray direct = QFile::encodeName(path);
  if (rawExists(direct)) return direct;
  const qsizetype slash = path.lastIndexOf(u'/');
  const QString name = path.mid(slash + 1);
  if (name.isEmpty()) return {};
  QByteArray folder;
  if (slash > 0) {
    folder = resolveRawPath(path.left(slash));
    if (folder.isEmpty()) return {};
  } else if (slash == 0) {
    folder = "/";
  }
  const QByteArray entry = findSpelling(folder, name);
  if (entry.isEmpty()) return {};
  if (!folder.isEmpty() && !folder.endsWith('/')) folder += '/';
  return folder + entry;
}

bool FileExists(const QString& path) {
  QByteArray raw = resolveRawPath(path);
  if (raw.isEmpty()) return false;
  struct stat st;
  if (::stat(raw.constData(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  std::FILE* f = std::fopen(raw.constData(), "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

bool FolderExists(const QString& path) {
  QByteArray raw = resolveRawPath(path);
  if (raw.isEmpty()) return false;
  struct stat st;
  return ::stat(raw.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool readFileBytes(const QString& path, QByteArray& out, QString* error) {
  QByteArray raw = resolveRawPath(path);
  if (raw.isEmpty()) {
    if (error) *error = QCoreApplication::translate("kavalo::Paths", "ファイルが見つかりません: %1").arg(path);
    return false;
  }
  std::FILE* f = std::fopen(raw.constData(), "rb");
  if (!f) {
    if (error)
      *error = QCoreApplication::translate("kavalo::Paths", "ファイルを開けません: %1 (%2)")
                   .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
    return false;
  }
  out.clear();
  char buf[65536];
  size_t n;
  bool failed = false;
  try {
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, static_cast<qsizetype>(n));
    failed = std::ferror(f);
  } catch (const std::bad_alloc&) {
    // A file larger than the memory left is no file of the program's.
    std::fclose(f);
    out = QByteArray();
    if (error)
      *error = QCoreApplication::translate("kavalo::Paths", "ファイルが大きすぎて読み込めません: %1").arg(path);
    return false;
  }
  std::fclose(f);
  if (failed) {
    if (error) *error = QCoreApplication::translate("kavalo::Paths", "ファイルを読み込めません: %1").arg(path);
    return false;
  }
  return true;
}

QString fileModifiedText(const QString& path) {
  QByteArray raw = resolveRawPath(path);
  if (raw.isEmpty()) return {};
  struct stat st;
  if (::stat(raw.constData(), &st) != 0) return {};
  QDateTime t = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(st.st_mtime));
  return t.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"));
}

}  // namespace kavalo
