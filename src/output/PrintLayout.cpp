// SPDX-License-Identifier: MIT
#include "output/PrintLayout.h"

#include <algorithm>

#include "model/Era.h"
#include "model/EraSources.h"
#include "platform/Numbers.h"

namespace kavalo {

PrintFit fitIntoPrintable(QSizeF map, QSizeF printable) {
  PrintFit f;
  if (map.isEmpty() || printable.isEmpty()) return f;
  if (map.width() / map.height() >= printable.width() / printable.height()) {
    f.width = printable.width();
    f.height = f.width * map.height() / map.width();
    f.y = (printable.height() - f.height) / 2;
  } else {
    f.height = printable.height();
    f.width = f.height * map.width() / map.height();
    f.x = (printable.width() - f.width) / 2;
  }
  return f;
}

QRectF CheckPrintArea(QRectF area, QSizeF box) {
  if (area.left() < 0) area.moveLeft(0);
  if (area.top() < 0) area.moveTop(0);
  if (area.top() + area.height() > box.height()) area.moveTop(box.height() - area.height());
  if (area.left() + area.width() > box.width()) area.moveLeft(box.width() - area.width());
  return area;
}

int clampPrintSize(const QString& text) {
  const double v = leadingNumber(text);
  return roundToInt(std::clamp(v, 0.0, 100.0));
}

bool exceedsA4Rule(int eraKind, QSizeF printableMm) {
  return eraSource(eraKind).a4Rule && printableMm.width() * printableMm.height() > kA4AreaMm2;
}

void PrintLayout::PaperSizeSet(const PrinterMetrics& metrics, QSizeF map) {
  metrics_ = metrics;
  const QSizeF paper = metrics.paper;
  if (paper.isEmpty()) return;
  QSizeF sheet;
  if (paper.width() >= paper.height())
    sheet = QSizeF(outer_.width(), outer_.width() * paper.height() / paper.width());
  else
    sheet = QSizeF(outer_.height() * paper.width() / paper.height(), outer_.height());
  paper_ = QRectF(QPointF((outer_.width() - sheet.width()) / 2, (outer_.height() - sheet.height()) / 2), sheet);

  const QSizeF printable = metrics.printable;
  const QSizeF box(sheet.width() * printable.width() / paper.width(),
                   sheet.height() * printable.height() / paper.height());
  const double margin = std::min(paper.width() - printable.width(), paper.height() - printable.height());
  const double left = margin / 2 / paper.width() * sheet.width();
  scaleSize_ = QRectF(QPointF(left, left), box);

  fit_ = fitIntoPrintable(map, printable);
  size_ = 100;
  if (!known()) {
    area_ = QRectF();
    return;
  }
  area_ = QRectF(box.width() * fit_.x / printable.width(), box.height() * fit_.y / printable.height(),
                 box.width() * fit_.width / printable.width(), box.height() * fit_.height / printable.height());
}

int PrintLayout::setSizeValue(int value) {
  size_ = std::clamp(value, 0, 100);
  if (!known()) return size_;
  const QSizeF box = scaleSize_.size();
  const QSizeF printable = metrics_.printable;
  area_.setSize(QSizeF(box.width() * fit_.width / printable.width() * size_ / 100,
                       box.height() * fit_.height / printable.height() * size_ / 100));
  area_ = CheckPrintArea(area_, box);
  return size_;
}

void PrintLayout::moveArea(QPointF topLeft) {
  area_.moveTopLeft(topLeft);
  area_ = CheckPrintArea(area_, scaleSize_.size());
}

void PrintLayout::moveAreaToPrinterPixels(QPointF topLeft) {
  if (!known()) return;
  const QSizeF box = scaleSize_.size();
  moveArea(QPointF(topLeft.x() / metrics_.printable.width() * box.width(),
                   topLeft.y() / metrics_.printable.height() * box.height()));
}

PrintPass PrintLayout::printPass(double mapWidth) const {
  PrintPass p;
  if (!known() || mapWidth <= 0 || scaleSize_.isEmpty()) return p;
  p.k = size_ / 100.0 * fit_.width / mapWidth;
  p.ox = roundHalfEven(area_.left() / scaleSize_.width() * metrics_.printable.width());
  p.oy = roundHalfEven(area_.top() / scaleSize_.height() * metrics_.printable.height());
  return p;
}

}  // namespace kavalo
