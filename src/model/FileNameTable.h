// SPDX-License-Identifier: MIT
#pragma once
// The fixed file names of a data folder, each beginning with a backslash so
// that paths are built by plain concatenation, and the two web addresses.
#include <QString>
#include <array>

namespace kavalo {

enum FileNameIndex {
  kMapInfoFile = 0,
  kTikeizuInfoFile = 1,
  kWatizuInfoFile = 2,
  kDensikokudoOrthoInfoFile = 3,
  kOrthoInfoFile = 4,
  kJinnsokuInfoFile = 5,
  kSheetHistoryFile = 6,
  kTwentyThousandInfoFile = 7,
  kPositionFile = 8,
  kMarksFile = 9,
  kCheckListFile = 10,
  kWebBaseUrl = 11,
  kServerListUrl = 12,
};

struct FileNameTable {
  std::array<QString, 13> names;

  const QString& operator[](int i) const { return names[static_cast<size_t>(i)]; }
  QString& operator[](int i) { return names[static_cast<size_t>(i)]; }

  // The fixed names, and the web folder's base address (ending in "/").
  static FileNameTable standard(const QString& webBaseUrl);
};

// Web folder of the dataset server when no configuration names another.
inline constexpr const char* kDefaultWebBaseUrl = "https://kavalo.example.org/kavalo/";

}  // namespace kavalo
