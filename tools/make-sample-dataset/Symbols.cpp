// SPDX-License-Identifier: MIT
#include "Symbols.h"

#include <QPainterPath>
#include <cmath>

namespace sample {

bool hasLandUseSymbol(LandUse use) {
  switch (use) {
    case LandUse::Paddy:
    case LandUse::Field:
    case LandUse::Orchard:
    case LandUse::Broadleaf:
    case LandUse::Conifer:
    case LandUse::Wasteland:
      return true;
    default:
      return false;
  }
}

void drawLandUseSymbol(QPainter& p, LandUse use, QPointF at, double size, const QColor& ink, double width) {
  const double h = size / 2;
  p.setPen(QPen(ink, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  p.setBrush(Qt::NoBrush);
  const double x = at.x(), y = at.y();
  switch (use) {
    case LandUse::Paddy:  // two upright strokes
      p.drawLine(QPointF(x - h * 0.45, y - h), QPointF(x - h * 0.45, y + h));
      p.drawLine(QPointF(x + h * 0.45, y - h), QPointF(x + h * 0.45, y + h));
      break;
    case LandUse::Field:  // a V
      p.drawPolyline(QPolygonF({QPointF(x - h * 0.7, y - h), QPointF(x, y + h), QPointF(x + h * 0.7, y - h)}));
      break;
    case LandUse::Orchard:  // a small circle on a stem
      p.drawEllipse(QPointF(x, y - h * 0.25), h * 0.55, h * 0.55);
      p.drawLine(QPointF(x, y + h * 0.3), QPointF(x, y + h));
      break;
    case LandUse::Broadleaf:  // a circle with a tail
      p.drawEllipse(QPointF(x, y - h * 0.2), h * 0.7, h * 0.7);
      p.drawLine(QPointF(x + h * 0.35, y + h * 0.4), QPointF(x + h * 0.75, y + h));
      break;
    case LandUse::Conifer:  // an upward arrowhead on a trunk
      p.drawPolyline(QPolygonF({QPointF(x - h * 0.7, y), QPointF(x, y - h), QPointF(x + h * 0.7, y)}));
      p.drawLine(QPointF(x, y - h), QPointF(x, y + h));
      break;
    case LandUse::Wasteland:  // a tuft of grass
      p.drawLine(QPointF(x, y - h), QPointF(x, y + h));
      p.drawLine(QPointF(x - h * 0.7, y - h * 0.2), QPointF(x - h * 0.4, y + h));
      p.drawLine(QPointF(x + h * 0.7, y - h * 0.2), QPointF(x + h * 0.4, y + h));
      break;
    default:
      break;
  }
}

namespace {

void torii(QPainter& p, double x, double y, double h) {
  p.drawLine(QPointF(x - h, y - h * 0.75), QPointF(x + h, y - h * 0.75));
  p.drawLine(QPointF(x - h * 0.7, y - h * 0.3), QPointF(x + h * 0.7, y - h * 0.3));
  p.drawLine(QPointF(x - h * 0.5, y - h * 0.75), QPointF(x - h * 0.5, y + h));
  p.drawLine(QPointF(x + h * 0.5, y - h * 0.75), QPointF(x + h * 0.5, y + h));
}

void manji(QPainter& p, double x, double y, double h) {
  const double a = h * 0.85;
  p.drawLine(QPointF(x, y - a), QPointF(x, y + a));
  p.drawLine(QPointF(x - a, y), QPointF(x + a, y));
  p.drawLine(QPointF(x, y - a), QPointF(x - a, y - a));
  p.drawLine(QPointF(x + a, y), QPointF(x + a, y - a));
  p.drawLine(QPointF(x, y + a), QPointF(x + a, y + a));
  p.drawLine(QPointF(x - a, y), QPointF(x - a, y + a));
}

void bun(QPainter& p, double x, double y, double h) {  // the character for "letters": school
  p.drawLine(QPointF(x, y - h), QPointF(x, y - h * 0.6));
  p.drawLine(QPointF(x - h * 0.9, y - h * 0.55), QPointF(x + h * 0.9, y - h * 0.55));
  p.drawLine(QPointF(x - h * 0.6, y - h * 0.3), QPointF(x + h * 0.8, y + h));
  p.drawLine(QPointF(x + h * 0.6, y - h * 0.3), QPointF(x - h * 0.8, y + h));
}

void cog(QPainter& p, double x, double y, double h) {
  p.drawEllipse(QPointF(x, y), h * 0.55, h * 0.55);
  for (int i = 0; i < 8; ++i) {
    const double a = M_PI * i / 4;
    p.drawLine(QPointF(x + std::cos(a) * h * 0.55, y + std::sin(a) * h * 0.55),
               QPointF(x + std::cos(a) * h * 0.95, y + std::sin(a) * h * 0.95));
  }
}

void anchor(QPainter& p, double x, double y, double h) {
  p.drawLine(QPointF(x, y - h), QPointF(x, y + h));
  p.drawLine(QPointF(x - h * 0.5, y - h * 0.55), QPointF(x + h * 0.5, y - h * 0.55));
  p.drawArc(QRectF(x - h * 0.8, y - h * 0.2, h * 1.6, h * 1.2), 180 * 16, 180 * 16);
}

}  // namespace

void drawLandmarkSymbol(QPainter& p, Symbol symbol, QPointF at, double size, const QColor& ink, const QColor& paper,
                        double width) {
  const double h = size / 2, x = at.x(), y = at.y();
  p.setPen(QPen(ink, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  p.setBrush(Qt::NoBrush);
  switch (symbol) {
    case Symbol::Shrine:
      torii(p, x, y, h);
      break;
    case Symbol::Temple:
      manji(p, x, y, h);
      break;
    case Symbol::School:
      bun(p, x, y, h);
      break;
    case Symbol::PostOffice:
      p.drawEllipse(at, h, h);
      p.drawLine(QPointF(x - h * 0.5, y - h * 0.45), QPointF(x + h * 0.5, y - h * 0.45));
      p.drawLine(QPointF(x - h * 0.5, y - h * 0.1), QPointF(x + h * 0.5, y - h * 0.1));
      p.drawLine(QPointF(x, y - h * 0.1), QPointF(x, y + h * 0.6));
      break;
    case Symbol::TownHall:
      p.drawEllipse(at, h, h);
      p.setBrush(ink);
      p.drawEllipse(at, h * 0.25, h * 0.25);
      break;
    case Symbol::CityHall:
      p.drawEllipse(at, h, h);
      p.drawEllipse(at, h * 0.5, h * 0.5);
      break;
    case Symbol::Triangulation:
      p.drawPolygon(
          QPolygonF({QPointF(x, y - h), QPointF(x + h * 0.9, y + h * 0.6), QPointF(x - h * 0.9, y + h * 0.6)}));
      p.setBrush(ink);
      p.drawEllipse(QPointF(x, y + h * 0.1), h * 0.18, h * 0.18);
      break;
    case Symbol::Lighthouse:
      p.setBrush(ink);
      p.drawEllipse(at, h * 0.3, h * 0.3);
      p.setBrush(Qt::NoBrush);
      for (int i = 0; i < 8; ++i) {
        const double a = M_PI * i / 4;
        p.drawLine(QPointF(x + std::cos(a) * h * 0.5, y + std::sin(a) * h * 0.5),
                   QPointF(x + std::cos(a) * h, y + std::sin(a) * h));
      }
      break;
    case Symbol::Factory:
      cog(p, x, y, h);
      break;
    case Symbol::Station:
      p.setBrush(paper);
      p.drawRect(QRectF(x - h * 1.2, y - h * 0.45, h * 2.4, h * 0.9));
      break;
    case Symbol::Harbour:
      anchor(p, x, y, h);
      break;
  }
  p.setBrush(Qt::NoBrush);
}

}  // namespace sample
