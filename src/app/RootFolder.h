// SPDX-License-Identifier: MIT
#pragma once
#include <QString>

namespace kavalo {

// The folder holding KAVALO.ini, dataset.txt, colorset.txt and the data
// folders: KAVALO_ROOT when set; else the executable's folder when it holds
// dataset.txt; else the user's data folder (~/.local/share/kavalo), which is
// seeded with the bundled sample region when it has no dataset.txt yet.
// sampleSource: a RootFolder to copy from when seeding (empty: none known).
QString determineRootFolder(const QString& executableFolder, const QString& sampleSource, QString* note);

// The sample region that comes with the program: in a build tree beside the
// executables' folder (build/sample), in an installation under the data
// folder of the same prefix (../share/kavalo/sample). Empty when neither holds
// a dataset.txt.
QString bundledSampleFolder(const QString& executableFolder);

// Copies a folder tree (the sample region) into a folder; existing files are
// kept. dataset.txt is copied last, so that a copy cut short is never taken
// for a complete RootFolder and is completed at the next start. False when
// something could not be copied.
bool copyFolderTree(const QString& from, const QString& to);

}  // namespace kavalo
