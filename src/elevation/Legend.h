// SPDX-License-Identifier: MIT
#pragma once
// The legend of the shown era: which picture of the data folder it is, and
// how the legend window lays it out and scrolls it.
#include <QImage>
#include <QRect>
#include <QString>

#include "model/Era.h"

namespace kavalo {

// The legend picture of an era in backslash form ("\legend\05.png",
// "\legend\2man.png"); empty for eras without a legend. Scanned sheets name
// theirs by the last two digits of the legend number (5 -> 05, 123 -> 23).
QString legendFileName(const Era& era);

// Reads the legend picture at a native path (Windows spellings of the name
// are found too). A null image when the file is missing or no picture.
QImage loadLegendPicture(const QString& path);

// The band above the picture that holds the copy button, in pixels.
constexpr int kLegendButtonBand = 50;

// Where the parts of the legend window go for a picture of a size, with the
// window's inner height and the scroll bar's width. The scroll bar is there
// only for a picture taller than its panel; it then scrolls the picture
// exactly over the part that does not fit (the overhang, in pixels: the
// picture's top is minus the scroll value).
struct LegendLayout {
  QRect picBox;        // the panel that clips the picture, in the window
  QRect scrollBar;     // in the panel, along its right edge; empty when not needed
  int innerWidth = 0;  // the window's inner width: the panel's
  int overhang = 0;    // the scroll bar's maximum
};
LegendLayout layoutLegend(QSize picture, int innerHeight, int scrollBarWidth);

}  // namespace kavalo
