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
    info.mmPerPxX = mm.width() / geometry.width();
    info.mmPerPxY = mm.height() / geometry.height();
  }
  return info;
}

}  // namespace kavalo
