#pragma once
// One period of images of a data folder.
#include <QString>
#include <cstdint>
#include <vector>

#include "model/GeoBox.h"

namespace kavalo {

enum EraKind : int32_t {
  kScannedSheets = 0,   // the dataset's own scanned sheets
  kAgencyBasicMap = 1,  // the agency's basic-map tiles
  kAerialPhoto = 2,     // national aerial photos
  kRapidSurvey = 3,     // Meiji-era rapid-survey maps
  kTwentyThousand = 4,  // 1/20,000 sheets
  kAgencyOrtho = 5,     // the agency's ortho photos
};

enum TileStyle : int32_t { kOpaqueMap = 0, kMaskedMap = 1, kPhoto = 2 };

struct SheetImage {
  QString fileName;
  GeoBox box;
};

struct SheetIndexEntry {
  QString code;
  QString name;
  GeoBox box;
};

struct Era {
  QString name;  // folder of the era's images
  int32_t yearFrom = 0;
  int32_t yearTo = 0;
  int32_t legendNumber = 0;
  int32_t tileStyle = kOpaqueMap;
  QString ext;  // "png" or "jpg"
  // The date of acquisition (kinds 1, 5), or for aerial photos the date of
  // the first tile drawn: the drawing fills it in, as a cache of the era.
  mutable QString acquiredText;
  int32_t frameType = 0;
  int32_t kind = kScannedSheets;
  int32_t historyColumn = -1;
  int32_t periodCode = 0;
  bool hasLegend = false;
  bool hasSheetLines = false;
  bool listed = true;
  bool bySheetIndex = false;
  QString attribution;  // the source of an era fetched from a tile service (kinds 1, 5)
  std::vector<SheetImage> sheets;
  std::vector<SheetIndexEntry> sheetIndex;
};

struct YearRange {
  int32_t from = 0;
  int32_t to = 0;
};

// Years of the aerial-photo period codes; codes 4 and 5 are the photos taken
// after the 2011 earthquake. Unknown codes give 0 to 0.
YearRange OrthoPeriodYears(int32_t periodCode);

}  // namespace kavalo
