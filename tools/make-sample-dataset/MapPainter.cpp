// SPDX-License-Identifier: MIT
#include "MapPainter.h"

#include <QPainter>
#include <cmath>

#include "Noise.h"
#include "Symbols.h"

namespace sample {

namespace {

QColor washColour(LandUse use) {
  switch (use) {
    case LandUse::Sea:
      return QColor(196, 210, 204);
    case LandUse::Paddy:
      return QColor(226, 226, 178);
    case LandUse::Field:
      return QColor(236, 222, 178);
    case LandUse::Orchard:
      return QColor(222, 220, 168);
    case LandUse::Broadleaf:
    case LandUse::Conifer:
      return QColor(204, 214, 164);
    case LandUse::Urban:
      return QColor(232, 196, 170);
    default:
      return QColor(244, 234, 208);
  }
}

class MapPainter {
 public:
  MapPainter(const Scene& scene, const MapLook& look, const QRectF& world, QSize size)
      : s_(scene), look_(look), world_(world), image_(size, QImage::Format_RGB32) {
    scaleX_ = size.width() / world.width();
    scaleY_ = size.height() / world.height();
    // A picture within a hair of the world's own scale is drawn at exactly
    // 1:1: a translation alone keeps the painter on its fast line drawing.
    if (std::abs(scaleX_ - 1) < 1e-3 && std::abs(scaleY_ - 1) < 1e-3) scaleX_ = scaleY_ = 1;
  }

  QImage paint() {
    image_.fill(look_.paper);
    p_.begin(&image_);
    p_.setRenderHint(QPainter::Antialiasing);
    p_.scale(scaleX_, scaleY_);
    p_.translate(-world_.topLeft());
    if (look_.washes) washes();
    if (look_.seaFill) sea();
    if (look_.landUseSymbols) landUseSymbols();
    if (look_.townHatch || look_.townFill.isValid()) town();
    contours();
    water();
    routes();
    buildings();
    landmarks();
    p_.end();
    return image_;
  }

 private:
  double w(double width) const { return width * look_.lineWidth; }

  // The world position of the centre of picture pixel (px, py).
  QPointF worldAt(double px, double py) const {
    return {world_.left() + (px + 0.5) / scaleX_, world_.top() + (py + 0.5) / scaleY_};
  }

  // Hand-applied colour: land use in soft washes, on cells of 4 pixels
  // anchored to the world so that neighbouring pictures meet without a seam.
  void washes() {
    constexpr int kCell = 4;
    const int i0 = static_cast<int>(std::floor(world_.left() / kCell)) - 2;
    const int j0 = static_cast<int>(std::floor(world_.top() / kCell)) - 2;
    const int n = static_cast<int>(std::ceil(world_.width() / kCell)) + 5;
    const int m = static_cast<int>(std::ceil(world_.height() / kCell)) + 5;
    QImage cells(n, m, QImage::Format_RGB32);
    for (int j = 0; j < m; ++j)
      for (int i = 0; i < n; ++i) {
        const double x = (i0 + i + 0.5) * kCell, y = (j0 + j + 0.5) * kCell;
        cells.setPixel(i, j, washColour(s_.world.landUse(x, y, s_.year)).rgb());
      }
    p_.save();
    p_.setRenderHint(QPainter::SmoothPixmapTransform);
    p_.drawImage(QRectF(i0 * kCell, j0 * kCell, n * kCell, m * kCell), cells);
    p_.restore();
  }

  void sea() {
    QPainterPath all;
    all.addRect(world_.adjusted(-20, -20, 20, 20));
    p_.fillPath(all.subtracted(s_.land), look_.waterFill);
  }

  void landUseSymbols() {
    const double sp = look_.symbolSpacing, rowSp = sp * 0.8;
    const int j0 = static_cast<int>(std::floor((world_.top() - 8) / rowSp));
    const int j1 = static_cast<int>(std::ceil((world_.bottom() + 8) / rowSp));
    const int i0 = static_cast<int>(std::floor((world_.left() - 8) / sp)) - 1;
    const int i1 = static_cast<int>(std::ceil((world_.right() + 8) / sp));
    const Terrain& t = s_.world.terrain();
    for (int j = j0; j <= j1; ++j) {
      for (int i = i0; i <= i1; ++i) {
        const double x = (i + 0.5 * (j & 1)) * sp + (unitHash(i, j, 91) - 0.5) * sp * 0.3;
        const double y = j * rowSp + (unitHash(i, j, 93) - 0.5) * rowSp * 0.3;
        const LandUse use = s_.world.landUse(x, y, s_.year);
        if (!hasLandUseSymbol(use) || t.riverDistance(x, y) < 9) continue;
        drawLandUseSymbol(p_, use, {x, y}, 4.6, look_.ink, w(0.75));
      }
    }
  }

  // Built-up areas: hatched on the older sheets, a tint on the newer maps.
  void town() {
    QImage layer(image_.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    const QRgb colour = look_.townHatch ? look_.ink.rgb() : look_.townFill.rgb();
    for (int py = 0; py < layer.height(); ++py) {
      QRgb* line = reinterpret_cast<QRgb*>(layer.scanLine(py));
      for (int px = 0; px < layer.width(); ++px) {
        const QPointF at = worldAt(px, py);
        if (s_.world.urbanSince(at.x(), at.y()) > s_.year) continue;
        if (look_.townHatch) {
          const int wx = static_cast<int>(std::floor(at.x())), wy = static_cast<int>(std::floor(at.y()));
          if (((wx + wy) % 5 + 5) % 5 != 0) continue;
        }
        line[px] = colour;
      }
    }
    p_.save();
    p_.resetTransform();
    p_.drawImage(0, 0, layer);
    p_.restore();
  }

  void contours() {
    const QRectF reach = world_.adjusted(-4, -4, 4, 4);
    for (const ContourLine& c : s_.contours) {
      if (c.metres % look_.contourInterval != 0) continue;
      const QPolygonF poly = toPolygon(c.line);
      if (!poly.boundingRect().intersects(reach)) continue;
      const bool index = c.metres % look_.indexInterval == 0;
      p_.setPen(QPen(look_.contour, index ? look_.indexWidth : look_.contourWidth, Qt::SolidLine, Qt::FlatCap,
                     Qt::BevelJoin));
      p_.drawPolyline(poly);
    }
  }

  void water() {
    p_.save();
    p_.setClipPath(s_.land);
    p_.setPen(QPen(look_.water, w(0.8)));
    p_.setBrush(look_.waterFill);
    p_.drawPath(s_.riverWater);
    p_.setBrush(Qt::NoBrush);
    for (const River* r : s_.streams) {
      if (r->main) continue;
      p_.setPen(QPen(look_.water, w(std::max(1.0, r->widthMouth * 0.35)), Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin));
      p_.drawPolyline(toPolygon(r->line));
    }
    p_.restore();
    p_.setPen(QPen(look_.water, w(1.0)));
    p_.setBrush(Qt::NoBrush);
    p_.drawPath(s_.land);
  }

  void strokeSections(const Route& r, const QPen& pen, bool tunnel) {
    p_.setPen(pen);
    for (const Polyline& part : routeSections(r, tunnel)) p_.drawPolyline(toPolygon(part));
  }

  // A road drawn as two lines with a filled middle; tunnels as dashed lines.
  void roads(const std::vector<const Route*>& rs, double width, const QColor& fill, double fillRatio) {
    const QPen casing(look_.roadCasing, w(width), Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin);
    for (const Route* r : rs) strokeSections(*r, casing, false);
    const QPen middle(fill, w(width * fillRatio), Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin);
    for (const Route* r : rs) strokeSections(*r, middle, false);
    QPen tunnel(look_.roadCasing, w(0.7), Qt::DashLine, Qt::FlatCap);
    tunnel.setDashPattern({3, 2});
    for (const Route* r : rs) {
      for (const Polyline& part : routeSections(*r, true)) {
        p_.setPen(tunnel);
        p_.drawPolyline(toPolygon(offsetLine(part, w(width) / 2)));
        p_.drawPolyline(toPolygon(offsetLine(part, -w(width) / 2)));
      }
    }
  }

  void routes() {
    QPen path(look_.ink, w(0.8), Qt::CustomDashLine, Qt::FlatCap);
    path.setDashPattern({4, 2.5});
    for (const Route* r : s_.routesOf(Way::Path)) strokeSections(*r, path, false);
    roads(s_.routesOf(Way::Street), 2.3, look_.roadFill, 0.45);
    std::vector<const Route*> ordinary = s_.routesOf(Way::Road);
    const std::vector<const Route*> old = s_.routesOf(Way::OldRoad);
    ordinary.insert(ordinary.end(), old.begin(), old.end());
    roads(ordinary, 3.0, look_.roadFill, 0.55);
    roads(s_.routesOf(Way::MainRoad), 4.0, look_.mainRoadFill, 0.62);
    roads(s_.routesOf(Way::Expressway), 5.0, look_.expresswayFill, 0.64);
    for (const Route* r : s_.routesOf(Way::Railway)) railway(*r);
    for (const Route* r : s_.routesOf(Way::Breakwater))
      strokeSections(*r, QPen(look_.ink, w(2.4), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin), false);
  }

  void railway(const Route& r) {
    strokeSections(r, QPen(look_.paper, w(4.0), Qt::SolidLine, Qt::FlatCap), false);
    strokeSections(r, QPen(look_.ink, w(3.0), Qt::SolidLine, Qt::FlatCap), false);
    if (look_.railwayDashes) {
      QPen dash(look_.paper, w(1.5), Qt::CustomDashLine, Qt::FlatCap);
      dash.setDashPattern({4, 4});
      strokeSections(r, dash, false);
    }
    QPen tunnel(look_.ink, w(0.9), Qt::CustomDashLine, Qt::FlatCap);
    tunnel.setDashPattern({3, 2});
    strokeSections(r, tunnel, true);
  }

  void buildings() {
    p_.setPen(Qt::NoPen);
    for (const Building* b : s_.buildings) {
      const QPointF c = b->shape.boundingRect().center();
      if (!b->shape.boundingRect().intersects(world_.adjusted(-30, -30, 30, 30))) continue;
      if (b->kind == BuildingKind::House) {
        // Inside a hatched or tinted town the houses are not drawn one by one.
        if ((look_.townHatch || look_.townFill.isValid()) && s_.world.urbanSince(c.x(), c.y()) <= s_.year) continue;
        p_.setPen(Qt::NoPen);
        p_.setBrush(look_.buildingFill);
      } else {
        p_.setPen(QPen(look_.ink, w(0.7)));
        p_.setBrush(look_.buildingFill);
      }
      p_.drawPolygon(b->shape);
    }
    p_.setBrush(Qt::NoBrush);
  }

  void landmarks() {
    for (const Landmark* l : s_.landmarks) {
      if (!world_.adjusted(-10, -10, 10, 10).contains(l->at)) continue;
      if (l->symbol != Symbol::Station) {
        p_.setPen(Qt::NoPen);
        p_.setBrush(look_.paper);
        p_.drawEllipse(l->at, 4.2, 4.2);
      }
      drawLandmarkSymbol(p_, l->symbol, l->at, 7, look_.ink, look_.paper, w(0.9));
    }
  }

  const Scene& s_;
  const MapLook& look_;
  QRectF world_;
  QImage image_;
  QPainter p_;
  double scaleX_ = 1, scaleY_ = 1;
};

}  // namespace

QImage paintMap(const Scene& scene, const MapLook& look, const QRectF& world, QSize size) {
  return MapPainter(scene, look, world, size).paint();
}

}  // namespace sample
