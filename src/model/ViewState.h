// SPDX-License-Identifier: MIT
#pragma once
#include <cstdint>

namespace kavalo {

// What every drawing and navigation operation reads. centerX, centerY,
// eraIndex and zoomPercent form the saved position of a data folder.
struct ViewState {
  float centerX = 0.0f;  // view centre, image coordinates
  float centerY = 0.0f;
  int32_t eraIndex = 0;  // index in the sorted era list
  int32_t zoomPercent = 100;

  // The six display switches; at start maps, elevation, scale and marks are on.
  bool showTiles = true;        // chkTikeizu
  bool showAltitude = true;     // chkAltitude
  bool showSheetLines = false;  // chkZukakusen
  bool showScale = true;        // chkScale
  bool showLegend = false;      // chkLegend
  bool showMarks = true;        // chkMark

  int32_t datumFlag = 1;      // 1 world datum, 0 Tokyo datum
  int16_t eraLabelStyle = 0;  // 0 Western years, 1 Japanese era names

  // The window's map view in view pixels (0 x 0 before it is laid out).
  int32_t viewWidth = 0;
  int32_t viewHeight = 0;

  bool onlineMode = false;
  bool loaded = false;         // LoadedFlag: nothing is drawn while false
  bool firstLoadDone = false;  // the window was sized after the first load
};

constexpr int32_t kMinZoom = 50;
constexpr int32_t kMaxZoom = 400;

}  // namespace kavalo
