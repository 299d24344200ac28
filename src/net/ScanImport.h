// SPDX-License-Identifier: MIT
#pragma once
// A scan of the user's own (a GeoTIFF, or a PNG, JPEG or TIFF with a world
// file and a .prj or .aux.xml, in any coordinate system) becomes an era of
// the data folder: warped by the geodata module onto the folder's own tiles
// of the world-datum frame (the grid the XYZ eras use), a tile row at a time
// in bounded memory, and written as a masked map (tile and M_ mask) or as a
// photo (JPEG 80). Where the scan has no pixel the tile is background; a
// tile the scan does not reach at all is not written. A run that fails or is
// cancelled leaves nothing behind: no folder, no tile, no line in the info
// file.
#include <QString>
#include <atomic>
#include <functional>
#include <optional>
#include <vector>

#include "model/ImportedEras.h"
#include "model/MapInfo.h"
#include "platform/GeoData.h"

namespace kavalo {

struct ProgramState;

struct ScanImportRequest {
  QString scanPath;
  int year = 0;
  QString label;  // empty: the scan's file name without its suffix
  QString credit;
  bool map = true;  // masked map; false: photo
  // A plain scan placed by control points (the georeferencer's warp); none
  // for a scan georeferenced already.
  std::optional<GeorefWarp> georef;
};

// What the dialog's preview and the run's first step learn of a scan.
struct ScanCheck {
  bool ok = false;
  QString message;  // why not, in the program's words
  ScanDescription description;
};

// Opens the scan and checks that it is georeferenced, in a coordinate system
// that reaches the world datum, and overlaps the region.
ScanCheck checkScan(const QString& scanPath, const MapInfo& info, const GeorefWarp* georef = nullptr);

// The label an imported era takes when the user gives none: the year as the
// other eras show it and the scan's file name, "1950年（big_utm53）".
QString defaultScanLabel(int year, const QString& scanPath);

// The era's label as the interface shows it: a label the program made is
// worded in the interface's language ("1950 (big_utm53)" in English), while
// the era list keeps it as made; the user's own label stays as given.
QString shownScanLabel(const ImportedEra& era);

// The run's ties to its caller: the progress (value of maximum; a maximum
// below 0 hides it) and the cancel flag, looked at between bands and inside
// the warp. Either may be called on the run's own thread.
struct ScanImportContext {
  std::function<void(int value, int maximum)> progress;
  const std::atomic<bool>* cancel = nullptr;
  bool cancelled() const { return cancel && cancel->load(); }
};

struct ScanImportResult {
  bool added = false;
  bool cancelled = false;
  QString message;  // success or the reason of the failure
  int tiles = 0;
  ImportedEra era;
};

// The world-datum grid of the tiles [col, col + count) of a tile row: the
// geotransform of each tile follows from the coordinate model's
// imageToWorldLon and imageToWorldLat, which are linear in image pixels.
LatLonGrid tileRowGrid(const MapInfo& info, int row, int col, int count);

// The whole import into the state's data folder; on success the era is in
// the state's era list and in the info file.
ScanImportResult runScanImport(ProgramState& state, const ScanImportRequest& request, const ScanImportContext& ctx);

// The folder a new imported era takes: SCAN00, SCAN01, ... the first that no
// era and no folder of the data folder has; empty when a thousand are taken.
QString freeScanFolder(const QString& datasetFolder, const std::vector<Era>& eras);

}  // namespace kavalo
