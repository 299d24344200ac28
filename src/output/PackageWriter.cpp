// SPDX-License-Identifier: MIT
#include "output/PackageWriter.h"

#include <zip.h>

#include <QByteArray>
#include <QFile>
#include <memory>

#include "platform/Codec.h"

namespace kavalo {

namespace {

// 1980-01-01 00:00 in the DOS form of a zip entry: the date 0x0021, time 0.
constexpr zip_uint16_t kDosDate = (0 << 9) | (1 << 5) | 1;
constexpr zip_uint16_t kDosTime = 0;
// A plain file readable by all, whatever the source's own mode was.
constexpr zip_uint32_t kFileAttributes = 0100644u << 16;

bool fail(QString* error, const QString& text) {
  if (error) *error = text;
  return false;
}

}  // namespace

bool writePackage(const QString& zipPath, const std::vector<PackageEntry>& entries, QString* error) {
  // libzip reads the buffers when the archive is closed: they live until then.
  std::vector<QByteArray> contents;
  contents.reserve(entries.size());
  for (const PackageEntry& e : entries) {
    QFile f(e.sourcePath);
    if (!f.open(QIODevice::ReadOnly)) return fail(error, QStringLiteral("cannot read %1").arg(e.sourcePath));
    contents.push_back(f.readAll());
    if (f.error() != QFileDevice::NoError) return fail(error, QStringLiteral("cannot read %1").arg(e.sourcePath));
  }
  int code = 0;
  zip_t* zip = zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (!zip) return fail(error, QStringLiteral("cannot create %1").arg(zipPath));
  for (size_t i = 0; i < entries.size(); ++i) {
    bool ok = false;
    const QByteArray stored = toSjis(entries[i].name, &ok);
    if (!ok) {
      zip_discard(zip);
      return fail(error, QStringLiteral("the file name %1 has no Shift-JIS spelling").arg(entries[i].name));
    }
    const QByteArray& bytes = contents[i];
    zip_source_t* src =
        zip_source_buffer(zip, bytes.isEmpty() ? "" : bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0);
    // CP437 stores the bytes as they are and never sets the UTF-8 flag.
    const zip_int64_t index = src ? zip_file_add(zip, stored.constData(), src, ZIP_FL_ENC_CP437) : -1;
    if (index < 0) {
      if (src) zip_source_free(src);
      zip_discard(zip);
      return fail(error, QStringLiteral("cannot add %1 to %2").arg(entries[i].name, zipPath));
    }
    const auto at = static_cast<zip_uint64_t>(index);
    if (zip_set_file_compression(zip, at, ZIP_CM_STORE, 0) != 0 ||
        zip_file_set_dostime(zip, at, kDosTime, kDosDate, 0) != 0 ||
        zip_file_set_external_attributes(zip, at, 0, ZIP_OPSYS_UNIX, kFileAttributes) != 0) {
      zip_discard(zip);
      return fail(error, QStringLiteral("cannot add %1 to %2").arg(entries[i].name, zipPath));
    }
  }
  if (zip_close(zip) != 0) {
    const QString reason = QString::fromUtf8(zip_strerror(zip));
    zip_discard(zip);
    QFile::remove(zipPath);
    return fail(error, QStringLiteral("cannot write %1: %2").arg(zipPath, reason));
  }
  return true;
}

}  // namespace kavalo
