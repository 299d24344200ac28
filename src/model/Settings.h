// SPDX-License-Identifier: MIT
#pragma once
// KAVALO.ini in the RootFolder: the chosen data folder, the era label style
// and the datum of the readout, one number per line.
#include <QString>
#include <cstdint>

namespace kavalo {

struct Settings {
  int32_t dataFolderIndex = 0;
  int16_t eraLabelStyle = 0;  // 0 Western years, 1 Japanese era names
  int32_t datumFlag = 1;      // 1 world datum, 0 Tokyo datum
};

// Reads the values in order; a value that cannot be read leaves it and the
// rest at their defaults. A missing file gives the defaults.
Settings readSettings(const QString& path);

bool writeSettings(const QString& path, const Settings& settings, QString* error = nullptr);

// The program's caption: "Kavalo Ver." + major + "." + minor and revision.
QString versionCaption();

// The version as the build gives it: "major.minor.revision" ("1.0.0"), for
// --version, the user agent and the package.
QString programVersion();

}  // namespace kavalo
