// SPDX-License-Identifier: MIT
#include "geo/ScanFootprint.h"

#include <QPainter>

namespace kavalo {

QPolygonF overviewFootprint(const OverviewGeometry& g, const MapInfo& info, const std::vector<GeoPoint>& outline) {
  QPolygonF out;
  if (g.mosaicW <= 0.0 || g.mosaicH <= 0.0) return out;
  for (const GeoPoint& p : outline) {
    const ImagePoint ip = LatLonToImage(info, static_cast<float>(p.lat), static_cast<float>(p.lon), 1);
    out << QPointF(ip.x / g.mosaicW * g.drawW + g.offX, ip.y / g.mosaicH * g.drawH + g.offY);
  }
  return out;
}

void drawScanFootprint(QImage& overview, const QPolygonF& footprint) {
  if (footprint.size() < 3) return;
  QPainter painter(&overview);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(QColor(0, 80, 220), 2));
  painter.setBrush(QColor(0, 80, 220, 60));
  painter.drawPolygon(footprint);
}

}  // namespace kavalo
