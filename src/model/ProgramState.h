#pragma once
// The whole state of the program, owned by the main window. A dataset's parts
// are replaced whole when another data folder is loaded.
#include <QImage>
#include <QString>
#include <functional>
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
#include "model/PlaceNames.h"
#include "model/Settings.h"
#include "model/SheetHistory.h"
#include "model/ViewState.h"

namespace kavalo {

// The print pass: printer pixels per view pixel and the page offset of the
// view's top-left corner, in printer pixels.
struct PrintPass {
  double k = 1.0;
  double ox = 0.0;
  double oy = 0.0;
};

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

  ViewState view;

  // Elevation
  AltitudeGrid altitude;
  ElevationPieces pieces;
  ColorSetList colorSets;
  bool colorSetsUnreadable = false;  // colorset.txt could not be read: it is kept aside

  // Marks and places
  MarkList marks;
  bool marksUnreadable = false;  // the marks file could not be read: it is kept aside
  // Set by tools that only read (kavalo-cli's queries): nothing is written
  // into the RootFolder or a data folder, not even a copy of a bad file.
  bool readOnly = false;
  std::vector<PlaceName> placeNames;

  // Screen
  double mmPerScreenPxX = kDefaultMmPerScreenPx;
  double mmPerScreenPxY = kDefaultMmPerScreenPx;
  double twipsPerPixelX = 15.0;  // 1440 / logical dpi
  double twipsPerPixelY = 15.0;
  ScaleFactors scale;

  // The map view's persistent picture, and the snapshot a drag moves.
  QImage picPrint;
  QImage picMapMoveTemp;
  int dragDX = 0;
  int dragDY = 0;

  // The print pass composes into this page image.
  PrintPass print;
  QImage printPage;

  // Fetches a tile image that is missing on disk while the program is online
  // (view.onlineMode). The window and the command-line tool install it; the
  // drawing only calls it, so it needs to know nothing of the network.
  std::function<bool(ProgramState& state, int datasetIndex, int eraIndex, const QString& fileName)> fetchTileOnline;

  bool hasEra() const { return view.eraIndex >= 0 && view.eraIndex < static_cast<int>(eras.size()); }
  const Era& currentEra() const { return eras[static_cast<size_t>(view.eraIndex)]; }
  int viewWidth() const { return picPrint.width(); }
  int viewHeight() const { return picPrint.height(); }
  // The current view as a value: dataset, scale, centre, zoom and size.
  Viewport viewport() const {
    return Viewport(&mapInfo, scale, view.centerX, view.centerY, view.zoomPercent, viewWidth(), viewHeight());
  }
};

}  // namespace kavalo
