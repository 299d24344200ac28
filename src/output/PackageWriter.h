// SPDX-License-Identifier: MIT
#pragma once
// Writes a map-sheet package as the package download reads it: a zip of
// stored entries (tiles are compressed images already) whose names are
// Shift-JIS bytes without the UTF-8 flag, as packages made on Windows are.
// The same files give the same bytes: every entry has the same time
// (1980-01-01 00:00, the first a zip can hold) and the same attributes, in the
// order given, so mirrors and caches that compare bytes sync cheaply.
#include <QString>
#include <vector>

namespace kavalo {

struct PackageEntry {
  QString name;        // the name inside the package (a plain file name)
  QString sourcePath;  // the file whose bytes it holds
};

// False with the reason when a file cannot be read, a name has no Shift-JIS
// spelling, or the package cannot be written.
bool writePackage(const QString& zipPath, const std::vector<PackageEntry>& entries, QString* error);

}  // namespace kavalo
