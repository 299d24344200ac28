// SPDX-License-Identifier: MIT
#pragma once
// Zip archives for the package tests, names stored as given bytes.
#include <zip.h>

#include <sys/stat.h>
#include <QByteArray>
#include <QFile>
#include <QString>
#include <vector>

namespace kavalo::test {

struct ZipEntry {
  QByteArray name;  // stored bytes
  QByteArray data;
  bool utf8Flag = false;
  bool symlink = false;
};

inline QString makeZip(const QString& path, const std::vector<ZipEntry>& entries) {
  int code = 0;
  zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  for (const ZipEntry& e : entries) {
    // libzip keeps the buffer until zip_close; the entries outlive it.
    zip_source_t* src = zip_source_buffer(z, e.data.constData(), static_cast<zip_uint64_t>(e.data.size()), 0);
    const zip_int64_t i = zip_file_add(z, e.name.constData(), src, e.utf8Flag ? ZIP_FL_ENC_UTF_8 : ZIP_FL_ENC_CP437);
    if (e.symlink)
      zip_file_set_external_attributes(z, static_cast<zip_uint64_t>(i), 0, ZIP_OPSYS_UNIX,
                                       static_cast<zip_uint32_t>(S_IFLNK | 0777) << 16);
  }
  zip_close(z);
  return path;
}

}  // namespace kavalo::test
