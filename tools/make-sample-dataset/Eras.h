// SPDX-License-Identifier: MIT
#pragma once
// The eras of the sample region: what each shows, in which look, and what its
// info files say about it.
#include <QString>
#include <array>
#include <vector>

#include "MapStyle.h"
#include "PhotoPainter.h"
#include "SampleRegion.h"

namespace sample {

// Whether an edition of the scanned sheets has its own sheet at a cell.
enum class Presence { Own, Borrowed, None };

// An era of scanned sheets of the dataset itself.
struct SheetEra {
  QString folder;
  int frameType;
  int yearFrom;
  int yearTo;
  int tileStyle;  // 0 opaque sheet, 1 sheet with masks
  int legendNumber;
  MapStyle style;
  QString edition;                                              // survey text of the sheet history
  QString published;                                            // publication text
  std::array<std::array<Presence, kSheetsX>, kSheetsY> sheets;  // [row][column]

  int worldYear() const { return yearFrom; }
  QString legendFile() const;  // "legend/NN.png"
};

// An era of tiles from an outside source (agency map, photos, survey maps).
struct TileEra {
  QString folder;
  int kind;  // 1 agency basic map, 2 aerial photo, 3 rapid survey, 5 agency ortho
  int yearFrom;
  int yearTo;
  int worldYear;
  QString acquired;  // kinds 1 and 5
  int periodCode;    // kind 2
  QString ext;
};

// One sheet image of the 1:20,000 era with its box in degrees (Tokyo datum).
struct TwentyThousandSheet {
  QString file;
  QString code;
  QString name;
  double west, east, north, south;
};

struct TwentyThousandEra {
  int yearFrom;
  int yearTo;
  std::vector<TwentyThousandSheet> sheets;
};

// The sheet names of column 0 of the sheet history, [row][column].
extern const std::array<std::array<const char*, kSheetsX>, kSheetsY> kSheetNames;

const std::vector<SheetEra>& sheetEras();
const std::vector<TileEra>& tileEras();
const TwentyThousandEra& twentyThousandEra();

// The position of the 1970 era in the era list sorted by year: the era the
// region opens on.
int initialEraIndex();

}  // namespace sample
