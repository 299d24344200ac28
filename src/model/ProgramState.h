// SPDX-License-Identifier: MIT
#pragma once
// The session: folders, settings, the loaded dataset with its eras, grid,
// colour sets, marks and place names, the current view and the caches. Owned
// by the main window (or a command of kavalo-cli); a dataset's parts are
// replaced whole when another data folder is loaded. Pictures are asked for
// with requests (render/ViewRequest.h) and never kept here.
#include <QString>
#include <optional>
#include <vector>

#include "model/AltitudeGrid.h"
#include "model/ColorSet.h"
#include "model/Coordinates.h"
#include "model/DataFolderList.h"
#include "model/ElevationPieces.h"
#include "model/Era.h"
#include "model/FileNameTable.h"
#include "model/MapInfo.h"
#include "model/Marks.h"
#include "model/OverlayList.h"
#include "model/Overlays.h"
#include "model/PlaceNames.h"
#include "model/Settings.h"
#include "model/SheetHistory.h"
#include "model/ViewState.h"

namespace kavalo {

struct ProgramState {
  // Folders and files
  QString rootFolder;  // native path, no trailing separator
  FileNameTable names;
  std::vector<DataFolderEntry> dataFolders;
  int32_t dataFolderIndex = 0;
  Settings settingsRead;  // KAVALO.ini as read at start (defaults when absent)
  QString datasetFolder;  // empty before the first choice

  // The loaded dataset
  MapInfo mapInfo;
  std::vector<Era> eras;
  SheetHistory history;
  QString marksFileName = QStringLiteral("\\MarkData.kmk");
  std::vector<int32_t> eraListMap;  // combo-box position -> era index
  int listedCount = 0;
  // Set before the data folder is read again after its eras changed: the
  // next load shows this era (or the nearest in time when it is gone)
  // instead of the saved position in the list, which no longer names it.
  std::optional<EraMark> eraToKeep;

  ViewState view;

  // Elevation
  AltitudeGrid altitude;
  // A cache of the elevation picture: each piece is rendered the first time
  // a composition meets it, also by compositions that only read the session.
  mutable ElevationPieces pieces;
  ColorSetList colorSets;
  bool colorSetsUnreadable = false;  // colorset.txt could not be read: it is kept aside

  // Marks and places
  MarkList marks;
  bool marksUnreadable = false;  // the marks file could not be read: it is kept aside
  // Set by tools that only read (kavalo-cli's queries): nothing is written
  // into the RootFolder or a data folder, not even a copy of a bad file.
  bool readOnly = false;
  std::vector<PlaceName> placeNames;

  // The user's vector files over every era: the list kept with the data
  // folder, and the files opened from it (index for index).
  OverlayList overlayList;
  OverlaySet overlays;

  // Screen
  double mmPerScreenPxX = kDefaultMmPerScreenPx;
  double mmPerScreenPxY = kDefaultMmPerScreenPx;
  double twipsPerPixelX = 15.0;  // 1440 / logical dpi
  double twipsPerPixelY = 15.0;
  ScaleFactors scale;

  bool hasEra() const { return view.eraIndex >= 0 && view.eraIndex < static_cast<int>(eras.size()); }
  const Era& currentEra() const { return eras[static_cast<size_t>(view.eraIndex)]; }
  int viewWidth() const { return view.viewWidth; }
  int viewHeight() const { return view.viewHeight; }
  // The current view as a value: dataset, scale, centre, zoom and size.
  Viewport viewport() const {
    return Viewport(&mapInfo, scale, view.centerX, view.centerY, view.zoomPercent, viewWidth(), viewHeight());
  }
};

}  // namespace kavalo
