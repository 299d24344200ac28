// SPDX-License-Identifier: MIT
#include "render/SheetLineDrawing.h"

#include <QPolygon>

#include <algorithm>

#include "elevation/SheetLines.h"
#include "model/EraSources.h"

namespace kavalo {

namespace {

// A line one view pixel wide: one pixel on the screen, k pixels on the page.
int lineWidth(const ComposeContext& context) { return std::max(1, context.targetSize(1)); }

}  // namespace

void DrawSheetLines(QPainter& painter, const ComposeContext& context) {
  if (context.state == nullptr || context.eraIndex < 0 ||
      context.eraIndex >= static_cast<int>(context.st().eras.size()))
    return;
  const Era& era = context.era();
  const Viewport& view = context.view;

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, lineWidth(context), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));

  const EraSheets sheets = eraSource(era).sheets;
  if (sheets == EraSheets::History) {
    const SheetGridLines lines = sheetGridLines(view, era.frameType);
    // Lines run across the whole view, on the page from its offset to the
    // view's far edge.
    const int left = context.targetX(0);
    const int right = context.targetX(view.width());
    const int top = context.targetY(0);
    const int bottom = context.targetY(view.height());
    for (const GridLine& line : lines.horizontal) {
      const int y = context.targetY(line.pos);
      painter.drawLine(left, y, right, y);
    }
    for (const GridLine& line : lines.vertical) {
      const int x = context.targetX(line.pos);
      painter.drawLine(x, top, x, bottom);
    }
  } else if (sheets == EraSheets::Index) {
    for (const SheetOutline& sheet : sheetIndexOutlines(view, era)) {
      const int x1 = context.targetX(sheet.northWest.x());
      const int y1 = context.targetY(sheet.northWest.y());
      const int x2 = context.targetX(sheet.southEast.x());
      const int y2 = context.targetY(sheet.southEast.y());
      painter.drawPolygon(QPolygon({QPoint(x1, y1), QPoint(x2, y1), QPoint(x2, y2), QPoint(x1, y2)}));
    }
  }
  painter.restore();
}

}  // namespace kavalo
