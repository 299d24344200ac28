// SPDX-License-Identifier: MIT
#pragma once
// The text files of the sample region, all written through the program's own
// ValueWriter (Shift-JIS, CR LF, numbers framed by blanks).
#include <QString>
#include <cstdint>

#include "model/MapInfo.h"

namespace sample {

// The configuration of the region, with the derived grid values filled in.
kavalo::MapInfo sampleMapInfo();

// The second-level mesh code of the grid square holding a point.
int meshCode(double lat, double lon);

// mapinfo.txt: one "key=value" entry per line, the frame keys "key=x,y".
bool writeMapInfo(const QString& path, const kavalo::MapInfo& info, QString* error);

// dataset.txt of the RootFolder: the sample region first, then a folder
// without configuration.
bool writeDatasetList(const QString& root, QString* error);

// colorset.txt of the RootFolder: the program's first set ("初期設定", its
// breakpoint at half the grid's range) and a gentler set for the sample,
// selected. lowest and highest are the grid's, in tenths of a metre.
bool writeColorSets(const QString& root, int32_t lowest, int32_t highest, QString* error);

// mapinfo.txt, the info files of every source, 図歴.csv, comment.txt and
// the check list of every scanned-sheet and 1:20,000 era.
bool writeDatasetTexts(const QString& datasetDir, const kavalo::MapInfo& info, QString* error);

}  // namespace sample
