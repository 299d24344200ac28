// SPDX-License-Identifier: MIT
#pragma once
// The eras the user made from scans of their own, listed in
// map_import_info.txt of the data folder: Shift-JIS with CR LF like the
// other info files, one line per era with its folder, year, label, credit,
// kind (map or photo) and the name of the scan it was made from. Texts are
// quoted, so they may hold commas; a double quote or a line break cannot be
// stored and is refused before an import begins. The file is rewritten whole
// and atomically, so a rename or a delete of such an era leaves either the
// old list or the new one.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

#include "model/Era.h"

namespace kavalo {

inline constexpr const char* kImportedInfoFile = "\\map_import_info.txt";

struct ImportedEra {
  QString folder;  // the era's folder in the data folder
  int32_t year = 0;
  QString label;  // shown in the era list
  QString credit;
  bool map = true;     // a masked map (tile and M_ mask); false: a photo
  QString sourceFile;  // the scan's file name, without its folder
};

// What is wrong with a text for this file (empty when nothing): a double
// quote or a line break, or a character Shift-JIS does not have.
QString importedTextProblem(const QString& text);

// Reads the list of a data folder; an absent file is an empty list. False
// with the reason (file and line) when it cannot be read.
bool readImportedEras(const QString& datasetFolder, std::vector<ImportedEra>& out, QString* error);
bool readImportedErasFile(const QString& path, std::vector<ImportedEra>& out, QString* error);

// The bytes of the file; *ok false when a text cannot be stored.
QByteArray importedErasBytes(const std::vector<ImportedEra>& eras, bool* ok = nullptr);

// Rewrites the file atomically; an empty list removes it.
bool writeImportedEras(const QString& datasetFolder, const std::vector<ImportedEra>& eras, QString* error);

// The era-list record of an imported era: world-datum frames, a masked map
// in PNG or a photo in JPEG, its year as first and last year; and back.
Era eraOfImported(const ImportedEra& imported);
ImportedEra importedOfEra(const Era& era);

}  // namespace kavalo
