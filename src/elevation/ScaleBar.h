// SPDX-License-Identifier: MIT
#pragma once
// The length of the scale bar: a round number of scale units (1 km on a
// 1:25,000 sheet is 40 mm of paper) that takes about a fifth of the view, with
// a leading digit of 1, 2, 4, 6, 8 or 10 and the divisions that suit it.
#include <QString>

namespace kavalo {

struct ScaleLength {
  bool valid = false;    // false: no sensible length (empty view, no scale)
  int leadingDigit = 0;  // 1, 2, 4, 6, 8 or 10 after odd digits were raised
  int exponent = 0;      // length = leadingDigit x 10^exponent
  double length = 0.0;   // in scale units
  int divisions = 0;
  QString text;  // plain decimal with a leading zero: 4, 0.4, 10, 0.06
};

// Divisions of the bar by its leading digit (0 to 10).
int scaleDivisions(int leadingDigit);

// The length the bar should take before rounding: a fifth of the view's
// width at 100 %, or a quarter when a fifth is less than one unit.
// viewWidth: W in view pixels; unitPixels: screen pixels at 100 % per unit.
double tentativeScaleLength(double viewWidth, int zoomPercent, double unitPixels);

// The round length for a tentative one (see the header comment).
ScaleLength roundScaleLength(double tentative);

// Both steps, from the view: W, zoom, ScreenPerImageX and ImagePxPer40mm.
ScaleLength chooseScaleLength(double viewWidth, int zoomPercent, double screenPerImageX, double imagePxPer40mm);

}  // namespace kavalo
