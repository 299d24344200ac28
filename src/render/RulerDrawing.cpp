// SPDX-License-Identifier: MIT
#include "render/RulerDrawing.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPolygonF>

namespace kavalo {

namespace {
const QColor kRulerColour(230, 0, 18);
}

void drawRuler(QPainter& painter, const Ruler& ruler, const MapInfo& info, const OverlayView& view,
               const QString& label) {
  const std::vector<GeoPoint>& points = ruler.points();
  if (points.empty()) return;
  QPolygonF path;
  for (const GeoPoint& p : points) {
    // Clicked in the world datum; placed back through the coordinate model.
    const ImagePoint ip = LatLonToImage(info, static_cast<float>(p.lat), static_cast<float>(p.lon), 1);
    path << view.imageToTarget.map(QPointF(ip.x, ip.y));
  }
  const double s = view.deviceScale;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  // A white casing keeps the line visible on dark photos and dark maps.
  for (const auto& [colour, width] : {std::pair{QColor(Qt::white), 4.0 * s}, std::pair{kRulerColour, 2.0 * s}}) {
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (ruler.closed() && path.size() >= 3) {
      QColor tint = kRulerColour;
      tint.setAlpha(colour == Qt::white ? 0 : 50);
      painter.setBrush(tint);
      painter.drawPolygon(path);
    } else {
      painter.setBrush(Qt::NoBrush);
      painter.drawPolyline(path);
    }
  }
  painter.setPen(QPen(kRulerColour, 1.5 * s));
  painter.setBrush(Qt::white);
  for (const QPointF& p : path) painter.drawEllipse(p, 3.5 * s, 3.5 * s);
  if (!label.isEmpty()) {
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(13 * s))));
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const QPointF at = path.back() + QPointF(8 * s, -8 * s);
    const QRectF box(at.x(), at.y() - metrics.ascent(), metrics.horizontalAdvance(label), metrics.height());
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 220));
    painter.drawRect(box.adjusted(-3 * s, -1 * s, 3 * s, 1 * s));
    painter.setPen(Qt::black);
    painter.drawText(at, label);
  }
  painter.restore();
}

}  // namespace kavalo
