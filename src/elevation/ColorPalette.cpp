// SPDX-License-Identifier: MIT
#include "elevation/ColorPalette.h"

namespace kavalo {

Colour pickerSwatchColour(int n) {
  static constexpr Colour kFirst[14] = {rgbColour(0, 0, 255),     rgbColour(0, 255, 0),   rgbColour(0, 255, 255),
                                        rgbColour(255, 0, 0),     rgbColour(255, 0, 255), rgbColour(255, 255, 0),
                                        rgbColour(255, 255, 255), rgbColour(0, 0, 128),   rgbColour(0, 128, 0),
                                        rgbColour(0, 128, 128),   rgbColour(128, 0, 0),   rgbColour(128, 0, 128),
                                        rgbColour(128, 128, 0),   rgbColour(0, 0, 0)};
  if (n < 0 || n >= kPickerSwatches) return kWhite;
  if (n < 14) return kFirst[n];
  // Columns 2 to 7 each hold one hue; the bits of k say which channels carry
  // it: 1 blue, 2 red, 4 green.
  const int k = (n - 14) / kPickerRows + 1;
  const int row = (n - 14) % kPickerRows;
  if (row == 6) {
    static constexpr int kGrey[6] = {219, 183, 146, 110, 73, 37};
    const int g = kGrey[k - 1];
    return rgbColour(g, g, g);
  }
  int hue = 0;
  int other = 0;
  if (row < 3) {
    hue = 64 * (row + 1);
  } else {
    static constexpr int kPastel[3] = {85, 171, 255};
    hue = 192;
    other = kPastel[row - 3];
  }
  const int blue = (k & 1) ? hue : other;
  const int red = (k & 2) ? hue : other;
  const int green = (k & 4) ? hue : other;
  return rgbColour(red, green, blue);
}

QPointF pickerSwatchPosition(int n, double w, double h) {
  const int column = n / kPickerRows;
  const int row = n % kPickerRows;
  // Both offsets start half a swatch width in: the picker's margin is square.
  return QPointF(w / 2 + 1.1 * w * column, w / 2 + 1.1 * h * row);
}

}  // namespace kavalo
