// SPDX-License-Identifier: MIT
#include "render/MarkHitTest.h"

#include <QPaintDevice>

#include "platform/Numbers.h"
#include "render/ComposeContext.h"
#include "render/MarkDrawing.h"

namespace kavalo {

int Mark_HitTest(const MarkList& marks, const Viewport& view, const QFontMetricsF& metrics, double x, double y) {
  for (int i = 0; i < marks.count(); ++i) {
    const Mark& mark = marks.at(i);
    const QPoint s = view.LatLonToScreen(mark.lat, mark.lon);
    const int half = roundToInt(metrics.horizontalAdvance(mark.name) / 2.0);
    const int h = roundToInt(metrics.height());
    if (x >= s.x() - half - 2 && x <= s.x() + half + 5 && y >= s.y() - 2 && y <= s.y() + h + 4) return i;
  }
  return -1;
}

int Mark_HitTest(const MarkList& marks, const Viewport& view, const QPaintDevice* device, double x, double y) {
  const QFont font = ComposeContext::mapFont(kMarkFontPoints);
  // QFontMetricsF takes a non-const device but only reads its resolution.
  const QFontMetricsF metrics = device ? QFontMetricsF(font, const_cast<QPaintDevice*>(device)) : QFontMetricsF(font);
  return Mark_HitTest(marks, view, metrics, x, y);
}

Mark markAtViewPosition(const Viewport& view, double x, double y, const QString& name) {
  const ImagePoint p = view.ScreenToImage(x, y);
  const int ix = roundToInt(p.x);
  const int iy = roundToInt(p.y);
  const LatLon ll = ImageToLatLon(view.info(), static_cast<float>(ix), static_cast<float>(iy), 1);
  Mark m;
  m.lat = ll.lat;
  m.lon = ll.lon;
  m.name = name;
  return m;
}

}  // namespace kavalo
