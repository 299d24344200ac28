// SPDX-License-Identifier: MIT
#pragma once
// The configuration of a data folder: mapinfo.txt, the era lists of every
// source, the sheet history and the saved position, read completely into a
// value before anything of the session is replaced.
#include <QString>
#include <vector>

#include "model/Era.h"
#include "model/FileNameTable.h"
#include "model/MapInfo.h"
#include "model/SheetHistory.h"

namespace kavalo {

enum class LoadStatus {
  Loaded,
  NoMapInfo,  // the folder has no mapinfo.txt
  Failed,     // a file is missing or malformed; nothing was changed
};

// The configuration files of a data folder, read completely before anything
// of the program's state is replaced.
struct DatasetConfig {
  MapInfo mapInfo;
  std::vector<Era> eras;  // sorted by first year
  SheetHistory history;
  float centerX = 0.0f;
  float centerY = 0.0f;
  int32_t eraIndex = 0;
  int32_t zoomPercent = 100;
  QString marksFileName = QStringLiteral("\\MarkData.kmk");
  bool positionRestored = false;
};

// Reads mapinfo.txt (over the previous dataset's values, as keys the file
// omits keep them), the info files in their order, 図歴.csv and
// PositionRecored.txt, and sorts the eras by year. On Failed, *error names the
// file and what is wrong with it.
LoadStatus readDatasetConfig(const QString& folder, const FileNameTable& names, const MapInfo& previous,
                             DatasetConfig& config, QString* error);

// Puts the eras in order of their first year with the program's Shell sort
// (equal years end in the order that sort leaves them).
void SortErasByYear(std::vector<Era>& eras);

// A marks file name read from a file, if it is safe to use: a name inside the
// data folder, beginning with a backslash. Otherwise the default name.
QString sanitizeMarksFileName(const QString& name);

}  // namespace kavalo
