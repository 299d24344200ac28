// SPDX-License-Identifier: MIT
#include "render/MarkDrawing.h"

#include <QFontMetricsF>

#include "platform/Numbers.h"

namespace kavalo {

MarkLabel markLabelGeometry(double px, double py, double textWidth, double textHeight, double scale) {
  const int tw = roundToInt(textWidth + scale);
  const int th = roundToInt(textHeight + scale);
  const int width = roundToInt(tw + scale);
  const int height = roundToInt(th + scale);
  const int left = roundToInt(px - tw / 2.0);
  const int top = roundToInt(py);
  const int shadowOffset = roundToInt(2.0 * scale);
  MarkLabel label;
  label.box = QRect(left, top, width, height);
  label.shadow = QRect(left + shadowOffset, top + shadowOffset, width, height);
  label.textOrigin = QPointF(left + 2, top + 1);
  return label;
}

void Mark_Print(QPainter& painter, const ComposeContext& context) {
  const MarkList& marks = context.st().marks;
  if (marks.count() == 0) return;
  const Viewport& view = context.view;
  const ImageRect visible = view.Get_ViewRect();
  const QFont font = ComposeContext::mapFont(kMarkFontPoints);
  // Measured on the target: on the page the font is k times as many pixels.
  const QFontMetricsF metrics(font, painter.device());
  const double scale = context.scale();

  painter.save();
  painter.setFont(font);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  for (int i = 0; i < marks.count(); ++i) {
    const Mark& mark = marks.at(i);
    const ImagePoint p = LatLonToImage(context.info(), mark.lat, mark.lon, 1);
    if (!(visible.left <= p.x && p.x <= visible.right && visible.top <= p.y && p.y <= visible.bottom)) continue;
    const QPoint s = view.ImageToScreen(roundToInt(p.x), roundToInt(p.y));
    const double px = context.print.k * s.x() + context.print.ox;
    const double py = context.print.k * s.y() + context.print.oy;
    const MarkLabel label = markLabelGeometry(px, py, metrics.horizontalAdvance(mark.name), metrics.height(), scale);

    painter.fillRect(label.shadow, Qt::black);
    painter.fillRect(label.box, Qt::white);
    // A one-pixel outline along the box's own edge pixels.
    painter.setPen(QPen(QColor(255, 0, 0), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(label.box.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::black);
    painter.drawText(QPointF(label.textOrigin.x(), label.textOrigin.y() + metrics.ascent()), mark.name);
  }
  painter.restore();
}

}  // namespace kavalo
