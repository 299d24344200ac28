// SPDX-License-Identifier: MIT
#pragma once
// The rapid-survey era from the research institute's map service: every tile
// of the data folder built from the 256 x 256 cells of the service's fixed
// grid that cover it, cut to the tile's exact box, stretched to the tile size
// and written as JPEG into the folder JINNSOKU.
#include <QString>

#include "net/AcquireContext.h"

namespace kavalo {

// The service's grid: square cells of 360 / 65536 degrees with an edge on
// this longitude and this latitude.
constexpr double kWmsCellSize = 360.0 / 65536.0;
constexpr double kWmsOriginLon = 139.317626953125;
constexpr double kWmsOriginLat = 35.98022461;

// A number of a request: the shortest general form with at most 15
// significant digits.
QString wmsNumber(double v);

// The GetMap request of one cell, exactly as the service is asked (the empty
// parameter after the reference system included).
QString rapidSurveyRequest(const QString& service, double west, double south, double east, double north);

// The cells one tile needs and where the tile lies in their mosaic.
struct TileCells {
  double gx = 0;  // west edge of the first cell column
  double gy = 0;  // north edge of the first cell row
  int columns = 0;
  int rows = 0;
  // The tile's box in mosaic pixels (256 per cell), rounded half to even.
  int x = 0, y = 0, width = 0, height = 0;
};

// west, east, north, south: the tile's box in degrees; tw, th its width and
// height as the run computes them.
TileCells rapidSurveyCells(double west, double east, double north, double south, double tw, double th);

struct RapidSurveyGrid {
  float west = 0, north = 0;  // the data folder's grid, sent as it stands
  int sheetsX = 0, sheetsY = 0;
  int tilesPerSheetX = 0, tilesPerSheetY = 0;
  int tileWidth = 0, tileHeight = 0;
};

struct RapidSurveyResult {
  int tiles = 0;         // tiles written
  int requests = 0;      // cells asked for (a retry is the same request)
  int cellsGot = 0;      // cells pasted
  RequestCounts counts;  // per cell, after its retry: answered, absent, failed
  bool cancelled = false;
  QString writeError;
};

// What the map service may send as a cell: a PNG of no side beyond 1024.
ImageRule cellRule();

// Fetches every tile of the grid into folder. A cell that fails is asked
// once more; a cell the service has not got (404, 410) stays white; a cell
// that fails twice stops the run. A tile for which not one cell came is not
// written, so that an earlier run's tile stays.
RapidSurveyResult AcquireRapidSurvey(const AcquireContext& ctx, const QString& folder, const QString& service,
                                     const RapidSurveyGrid& grid);

}  // namespace kavalo
