#pragma once
// Loading a data folder: mapinfo.txt, the era lists of every source, the
// sheet history, the saved position, then the place names, the marks and the
// elevation grid.
#include <QString>
#include <vector>

#include "model/Era.h"
#include "model/FileNameTable.h"
#include "model/MapInfo.h"
#include "model/SheetHistory.h"

namespace kavalo {

class Prompts;
struct ProgramState;

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

// When the elevation grid (by far the largest file of a data folder) is
// read: the window shows its colours at once and reads it with the dataset; a
// headless render reads it only when what it draws needs it.
enum class ElevationLoad { WithDataset, OnDemand };

// The whole load of the chosen data folder, as the window does it apart from
// its own controls: the configuration, then place names, marks and the
// elevation grid (OnDemand: no grid yet, see EnsureElevation). Messages go
// through prompts. On success the dataset, the saved view and the scale
// factors are in the state and LoadedFlag is set; on failure nothing of the
// previous dataset's configuration was replaced and LoadedFlag is false.
LoadStatus LoadDataset(ProgramState& state, Prompts& prompts, ElevationLoad elevation = ElevationLoad::WithDataset);

// Reads the elevation grid of the loaded dataset and prepares its pieces
// unless the grid is there already. A grid that cannot be read is reported
// once through prompts (the view then has no elevation colours); false then.
bool EnsureElevation(ProgramState& state, Prompts& prompts);

// A marks file name read from a file, if it is safe to use: a name inside the
// data folder, beginning with a backslash. Otherwise the default name.
QString sanitizeMarksFileName(const QString& name);

}  // namespace kavalo
