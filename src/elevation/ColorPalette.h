// SPDX-License-Identifier: MIT
#pragma once
// The fixed colours of the colour picker and where its swatches sit, and the
// conversions between the program's colours and Qt's.
#include <QColor>
#include <QPointF>

#include "model/ColorSet.h"

namespace kavalo {

constexpr int kPickerSwatches = 56;
constexpr int kPickerRows = 7;

// The colour of swatch n (0 to 55): the full and half strength primaries and
// their mixes, black, then one column per hue in three depths, three pastels
// and a grey.
Colour pickerSwatchColour(int n);

// The top-left corner of swatch n when every swatch is w x h pixels: column
// n div 7, row n mod 7, a tenth of a swatch apart, half a swatch in from the
// picker's edge.
QPointF pickerSwatchPosition(int n, double w, double h);

inline QColor toQColor(Colour c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }
inline Colour fromQColor(const QColor& c) { return rgbColour(c.red(), c.green(), c.blue()); }

constexpr Colour kWhite = 0xFFFFFF;

}  // namespace kavalo
