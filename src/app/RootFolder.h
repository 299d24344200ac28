#pragma once
#include <QString>

namespace kavalo {

// The folder holding KAVALO.ini, dataset.txt, colorset.txt and the data
// folders: KAVALO_ROOT when set; else the executable's folder when it holds
// dataset.txt; else the user's data folder (~/.local/share/kavalo), which is
// seeded with the bundled sample region when it has no dataset.txt yet.
// sampleSource: a RootFolder to copy from when seeding (empty: none known).
QString determineRootFolder(const QString& executableFolder, const QString& sampleSource, QString* note);

// Copies a folder tree (the sample region) into a folder; existing files are
// kept. False when something could not be copied.
bool copyFolderTree(const QString& from, const QString& to);

}  // namespace kavalo
