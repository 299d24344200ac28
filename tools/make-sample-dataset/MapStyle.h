// SPDX-License-Identifier: MIT
#pragma once
// How the maps of each period look: paper, inks, line widths, contour
// interval, how towns and roads are shown.
#include <QColor>

namespace sample {

enum class MapStyle {
  RapidSurvey,     // 1880s field survey, hand-coloured, aged to sepia
  TwentyThousand,  // 1890s 1:20,000 sheets, black only
  Meiji,           // 1909 sheets
  EarlyShowa,      // 1931 sheets
  LateShowa,       // 1970 sheets: town areas hatched
  Heisei,          // 2001 sheets: colours, printed on a masked layer
  Agency,          // the agency's current digital basic map
};

struct MapLook {
  QColor paper;
  QColor ink;  // line work, buildings, symbols
  QColor contour;
  QColor water;      // shore lines, river banks, streams
  QColor waterFill;  // river surfaces, and the sea when seaFill
  bool seaFill = false;
  QColor townFill;  // built-up area tint; invalid: hatched with ink instead
  bool townHatch = false;
  bool washes = false;  // land use painted in watercolour washes
  QColor roadCasing;
  QColor roadFill;
  QColor mainRoadFill;
  QColor expresswayFill;
  QColor buildingFill;
  bool railwayDashes = true;  // the black-and-white railway line
  bool landUseSymbols = true;
  int contourInterval = 10;
  int indexInterval = 50;
  double contourWidth = 0.8;
  double indexWidth = 1.4;
  double lineWidth = 1.0;  // scales the line work
  double symbolSpacing = 15;
};

MapLook lookFor(MapStyle style);

}  // namespace sample
