// SPDX-License-Identifier: MIT
#include "platform/Screen.h"

#include <QScreen>

namespace kavalo {

ScreenInfo queryScreen(const QScreen* screen, const QString& platformName) {
  ScreenInfo info;
  if (!screen) return info;
  const QRect geometry = screen->geometry();
  info.widthPx = geometry.width();
  info.heightPx = geometry.height();
  const double dpiX = screen->logicalDotsPerInchX();
  const double dpiY = screen->logicalDotsPerInchY();
  if (dpiX > 0) info.twipsPerPixelX = 1440.0 / dpiX;
  if (dpiY > 0) info.twipsPerPixelY = 1440.0 / dpiY;
  const QSizeF mm = screen->physicalSize();
  const bool fakeSize = platformName == u"offscreen" || platformName == u"minimal";
  if (!fakeSize && mm.width() > 0 && mm.height() > 0 && geometry.width() > 0 && geometry.height() > 0) {
    // The size of the screen's own pixels: on a screen scaled up (a device
    // pixel ratio of 2) zoom 100 % shows one tile pixel per view pixel, as a
    // web map does, and the map keeps its size beside the panel, which is
    // scaled up alike; the extra pixels make it sharper, not smaller.
    const double ratio = screen->devicePixelRatio() > 0 ? screen->devicePixelRatio() : 1.0;
    info.mmPerPxX = mm.width() / (geometry.width() * ratio);
    info.mmPerPxY = mm.height() / (geometry.height() * ratio);
  }
  return info;
}

}  // namespace kavalo
