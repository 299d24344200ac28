// SPDX-License-Identifier: MIT
#pragma once
// The screen facts the program needs: its size, the millimetres per pixel
// that tie the zoom to true map scale, and twips per pixel (1440 / dpi) for
// the measures that the program's layout rules give in twips.
#include <QString>

class QScreen;

namespace kavalo {

struct ScreenInfo {
  int widthPx = 1920;
  int heightPx = 1080;
  double mmPerPxX = 25.4 / 96.0;
  double mmPerPxY = 25.4 / 96.0;
  double twipsPerPixelX = 15.0;
  double twipsPerPixelY = 15.0;
};

// Reads the primary screen. Where the screen does not tell its physical size
// truthfully (no size, or the offscreen and minimal platforms), 96 dots per
// inch are assumed.
ScreenInfo queryScreen(const QScreen* screen, const QString& platformName);

}  // namespace kavalo
