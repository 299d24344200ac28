// SPDX-License-Identifier: MIT
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
  kXyzMap = 6,          // maps from a web-mercator tile service of the user's choice
  kXyzPhoto = 7,        // photos from such a service
  kImportedMap = 8,     // the user's own georeferenced scans, as masked maps
  kImportedPhoto = 9,   // the user's own scans, as photos
};
// Every kind has its entry in the list of era sources (model/EraSources.h):
// what it is called, how it is labelled, credited, read out and printed.

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
  // The date of acquisition (the agency's and the tile services' eras), or
  // for aerial photos the date of the first tile drawn: the drawing fills it
  // in, as a cache of the era.
  mutable QString acquiredText;
  int32_t frameType = 0;
  int32_t kind = kScannedSheets;
  int32_t historyColumn = -1;
  int32_t periodCode = 0;
  bool hasLegend = false;
  bool hasSheetLines = false;
  bool listed = true;
  bool bySheetIndex = false;
  // The eras the user added (tile services, scans) carry what says where
  // they came from: the credit the user gave, the label the user chose, and
  // the tile template of the service or the file name of the scan.
  QString attribution;
  QString label;
  QString origin;
  // The info file the era was read from (such as map_watizu_info.txt): eras of
  // one kind may live in another kind's file (tile-service eras of the last
  // version live in the agency's files), and a rewrite must keep them there.
  QString infoFile;
  std::vector<SheetImage> sheets;
  std::vector<SheetIndexEntry> sheetIndex;
};

struct YearRange {
  int32_t from = 0;
  int32_t to = 0;
};

// An era to be found again after its data folder was read anew (an era was
// added, renamed or deleted, and the sorted list moved): its folder, and its
// first year for when it is gone.
struct EraMark {
  QString folder;
  int32_t year = 0;
};
// The era of the mark's folder; when none has it, the era nearest in time to
// the mark's year (of two as near, the earlier in the list); -1 for an empty
// list.
int findEraAgain(const std::vector<Era>& eras, const EraMark& mark);

// Years of the aerial-photo period codes; codes 4 and 5 are the photos taken
// after the 2011 earthquake. Unknown codes give 0 to 0.
YearRange OrthoPeriodYears(int32_t periodCode);

}  // namespace kavalo
