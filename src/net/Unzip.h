// SPDX-License-Identifier: MIT
#pragma once
// Unpacks a downloaded package into an era folder, overwriting files of the
// same name. A package comes from a server, so nothing in it is trusted:
// before a single byte is written every entry is checked, and one unsafe
// entry (an absolute name, a drive letter, a "\\server" name, a ".." part, a
// symbolic link, a size beyond the limit) refuses the whole package. Each file
// is written under a temporary name and renamed when complete.
#include <QString>
#include <QStringList>
#include <cstdint>

namespace kavalo {

// No tile or sheet image comes near this.
inline constexpr int64_t kMaxPackageEntryBytes = int64_t{512} * 1024 * 1024;

// Entry names are stored as bytes: UTF-8 when the archive says so, else
// Shift-JIS. A backslash separates folders like a slash.
QString DecodeEntryName(const QByteArray& raw, bool flaggedUtf8, bool* ok = nullptr);

// Whether a decoded entry name may be written under the destination folder;
// the name with "/" separators in *relative when it may.
bool IsSafeEntryName(const QString& name, QString* relative = nullptr);

// Whether the file ends with a zip archive's end record whose central
// directory lies before it: a package cut short on the way does not.
bool zipEndsWhole(const QString& zipPath);

// 0 when every entry was unpacked into destFolder; otherwise non-zero, with
// the reason in *why. An unsafe package writes nothing, and neither does one
// whose entries declare more than maxTotalBytes together (-1: bodyLimits()'s
// unpackedBytes) or more than the destination's volume has free (less the
// margin of bodyLimits()); an entry that yields more than it declares is
// stopped there.
int UnZip(const QString& zipPath, const QString& destFolder, QString* why = nullptr,
          int64_t maxEntryBytes = kMaxPackageEntryBytes, int64_t maxTotalBytes = -1);

}  // namespace kavalo
