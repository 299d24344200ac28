// SPDX-License-Identifier: MIT
#include "MapStyle.h"

namespace sample {

namespace {

// The sheets of the dataset are printed on white: drawn with AND over the
// elevation colours, white paper lets the colours through unchanged.
MapLook printedSheet() {
  MapLook l;
  l.paper = QColor(255, 255, 255);
  l.ink = QColor(25, 25, 25);
  l.contour = QColor(165, 100, 45);
  l.water = QColor(20, 95, 200);
  l.waterFill = l.paper;
  l.roadCasing = l.ink;
  l.roadFill = l.paper;
  l.mainRoadFill = l.paper;
  l.expresswayFill = l.paper;
  l.buildingFill = l.ink;
  return l;
}

}  // namespace

MapLook lookFor(MapStyle style) {
  MapLook l = printedSheet();
  switch (style) {
    case MapStyle::RapidSurvey:
      l.paper = QColor(244, 234, 208);
      l.ink = QColor(85, 55, 30);
      l.contour = QColor(160, 115, 70);
      l.water = QColor(70, 95, 130);
      l.waterFill = QColor(196, 210, 204);
      l.seaFill = true;
      l.washes = true;
      l.roadCasing = l.ink;
      l.roadFill = QColor(236, 214, 170);
      l.mainRoadFill = l.roadFill;
      l.buildingFill = QColor(150, 60, 40);
      l.railwayDashes = false;
      l.landUseSymbols = false;
      l.contourInterval = 20;
      l.indexInterval = 100;
      l.contourWidth = 0.7;
      l.indexWidth = 1.0;
      l.lineWidth = 1.1;
      break;
    case MapStyle::TwentyThousand:
      l.ink = QColor(20, 20, 20);
      l.contour = QColor(90, 90, 90);
      l.water = QColor(35, 35, 50);
      l.contourWidth = 0.6;
      l.indexWidth = 1.1;
      l.lineWidth = 0.9;
      l.symbolSpacing = 13;
      break;
    case MapStyle::Meiji:
      l.contour = QColor(155, 95, 50);
      l.lineWidth = 0.95;
      break;
    case MapStyle::EarlyShowa:
      break;
    case MapStyle::LateShowa:
      l.ink = QColor(10, 10, 10);
      l.contour = QColor(175, 105, 35);
      l.water = QColor(0, 105, 205);
      l.townHatch = true;
      l.symbolSpacing = 17;
      break;
    case MapStyle::Heisei:
      l.ink = QColor(20, 20, 20);
      l.contour = QColor(180, 110, 50);
      l.water = QColor(0, 110, 210);
      l.waterFill = QColor(185, 220, 245);
      l.seaFill = true;
      l.townFill = QColor(222, 214, 214);
      l.mainRoadFill = QColor(250, 200, 110);
      l.expresswayFill = QColor(120, 190, 120);
      l.buildingFill = QColor(70, 70, 70);
      l.symbolSpacing = 18;
      break;
    case MapStyle::Agency:
      l.ink = QColor(60, 60, 60);
      l.contour = QColor(185, 140, 100);
      l.water = QColor(110, 160, 225);
      l.waterFill = QColor(190, 218, 248);
      l.seaFill = true;
      l.townFill = QColor(240, 234, 226);
      l.roadCasing = QColor(150, 150, 150);
      l.mainRoadFill = QColor(252, 196, 120);
      l.expresswayFill = QColor(110, 185, 120);
      l.buildingFill = QColor(205, 185, 165);
      l.railwayDashes = true;
      l.landUseSymbols = false;
      l.contourWidth = 0.7;
      l.indexWidth = 1.1;
      break;
  }
  return l;
}

}  // namespace sample
