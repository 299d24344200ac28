// SPDX-License-Identifier: MIT
#include "LegendPainter.h"

#include <QFont>
#include <QPainter>
#include <functional>
#include <vector>

#include "Symbols.h"

namespace sample {

namespace {

constexpr int kWidth = 230;
constexpr int kRow = 22;
constexpr int kTop = 58;
constexpr double kSampleLeft = 14, kSampleRight = 74;

struct Item {
  QString label;
  std::function<void(QPainter&, double y)> draw;
};

class LegendBuilder {
 public:
  LegendBuilder(MapStyle style, int year) : look_(lookFor(style)), year_(year) {}

  std::vector<Item> items() {
    std::vector<Item> out;
    auto add = [&](const char* label, std::function<void(QPainter&, double)> draw) {
      out.push_back({QString::fromUtf8(label), std::move(draw)});
    };
    add("道路", [this](QPainter& p, double y) { road(p, y, 3.0, look_.roadFill, 0.55); });
    if (year_ >= 1963) add("国道", [this](QPainter& p, double y) { road(p, y, 4.0, look_.mainRoadFill, 0.62); });
    if (year_ >= 1995) add("高速道路", [this](QPainter& p, double y) { road(p, y, 5.0, look_.expresswayFill, 0.64); });
    add("徒歩道", [this](QPainter& p, double y) {
      QPen pen(look_.ink, 0.8, Qt::CustomDashLine, Qt::FlatCap);
      pen.setDashPattern({4, 2.5});
      p.setPen(pen);
      p.drawLine(QPointF(kSampleLeft, y), QPointF(kSampleRight, y));
    });
    if (year_ >= 1924) add("鉄道", [this](QPainter& p, double y) { railway(p, y); });
    add("建物", [this](QPainter& p, double y) {
      p.setPen(Qt::NoPen);
      p.setBrush(look_.buildingFill);
      for (int i = 0; i < 4; ++i) p.drawRect(QRectF(kSampleLeft + 6 + i * 14, y - 2, 4, 3.5));
      p.setBrush(Qt::NoBrush);
    });
    if (look_.townHatch || look_.townFill.isValid()) add("市街地", [this](QPainter& p, double y) { town(p, y); });
    add("河川・海岸線", [this](QPainter& p, double y) {
      p.setPen(QPen(look_.water, 0.9));
      p.setBrush(look_.waterFill);
      p.drawRect(QRectF(kSampleLeft, y - 3.5, kSampleRight - kSampleLeft, 7));
      p.setBrush(Qt::NoBrush);
    });
    add("等高線（主曲線）", [this](QPainter& p, double y) { contour(p, y, look_.contourWidth); });
    add("等高線（計曲線）", [this](QPainter& p, double y) { contour(p, y, look_.indexWidth); });
    if (look_.landUseSymbols) {
      add("田", [this](QPainter& p, double y) { landUse(p, y, LandUse::Paddy); });
      add("畑", [this](QPainter& p, double y) { landUse(p, y, LandUse::Field); });
      if (year_ >= 1920) add("果樹園", [this](QPainter& p, double y) { landUse(p, y, LandUse::Orchard); });
      add("広葉樹林", [this](QPainter& p, double y) { landUse(p, y, LandUse::Broadleaf); });
      add("針葉樹林", [this](QPainter& p, double y) { landUse(p, y, LandUse::Conifer); });
      add("荒地", [this](QPainter& p, double y) { landUse(p, y, LandUse::Wasteland); });
    }
    add("神社", [this](QPainter& p, double y) { symbol(p, y, Symbol::Shrine); });
    add("寺院", [this](QPainter& p, double y) { symbol(p, y, Symbol::Temple); });
    add("学校", [this](QPainter& p, double y) { symbol(p, y, Symbol::School); });
    add("郵便局", [this](QPainter& p, double y) { symbol(p, y, Symbol::PostOffice); });
    if (year_ >= 1955)
      add("市役所", [this](QPainter& p, double y) { symbol(p, y, Symbol::CityHall); });
    else
      add("町村役場", [this](QPainter& p, double y) { symbol(p, y, Symbol::TownHall); });
    add("三角点", [this](QPainter& p, double y) { symbol(p, y, Symbol::Triangulation); });
    add("灯台", [this](QPainter& p, double y) { symbol(p, y, Symbol::Lighthouse); });
    if (year_ >= 1925) add("港湾", [this](QPainter& p, double y) { symbol(p, y, Symbol::Harbour); });
    if (year_ >= 1972) add("工場", [this](QPainter& p, double y) { symbol(p, y, Symbol::Factory); });
    return out;
  }

  const MapLook& look() const { return look_; }

 private:
  void road(QPainter& p, double y, double width, const QColor& fill, double ratio) {
    p.setPen(QPen(look_.roadCasing, width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(kSampleLeft, y), QPointF(kSampleRight, y));
    p.setPen(QPen(fill, width * ratio, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(kSampleLeft + 0.5, y), QPointF(kSampleRight - 0.5, y));
  }

  void railway(QPainter& p, double y) {
    p.setPen(QPen(look_.ink, 3.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(kSampleLeft, y), QPointF(kSampleRight, y));
    if (!look_.railwayDashes) return;
    QPen dash(look_.paper, 1.5, Qt::CustomDashLine, Qt::FlatCap);
    dash.setDashPattern({4, 4});
    p.setPen(dash);
    p.drawLine(QPointF(kSampleLeft, y), QPointF(kSampleRight, y));
  }

  void town(QPainter& p, double y) {
    const QRectF r(kSampleLeft, y - 6, kSampleRight - kSampleLeft, 12);
    if (look_.townFill.isValid()) {
      p.fillRect(r, look_.townFill);
      return;
    }
    p.save();
    p.setClipRect(r);
    p.setPen(QPen(look_.ink, 1.0));
    for (double x = r.left() - 20; x < r.right(); x += 5) p.drawLine(QPointF(x, r.bottom()), QPointF(x + 12, r.top()));
    p.restore();
  }

  void contour(QPainter& p, double y, double width) {
    p.setPen(QPen(look_.contour, width));
    QPainterPath path(QPointF(kSampleLeft, y + 2));
    path.cubicTo(QPointF(kSampleLeft + 20, y - 6), QPointF(kSampleLeft + 40, y + 6), QPointF(kSampleRight, y - 2));
    p.drawPath(path);
  }

  void landUse(QPainter& p, double y, LandUse use) {
    for (int i = 0; i < 3; ++i) drawLandUseSymbol(p, use, {kSampleLeft + 12 + i * 18, y}, 4.6, look_.ink, 0.75);
  }

  void symbol(QPainter& p, double y, Symbol s) {
    drawLandmarkSymbol(p, s, {(kSampleLeft + kSampleRight) / 2, y}, 9, look_.ink, look_.paper, 0.9);
  }

  MapLook look_;
  int year_;
};

}  // namespace

QImage paintLegend(MapStyle style, int year, const QString& subtitle) {
  LegendBuilder builder(style, year);
  const std::vector<Item> items = builder.items();
  const MapLook& look = builder.look();
  const int height = kTop + static_cast<int>(items.size()) * kRow + 12;
  QImage image(kWidth, height, QImage::Format_RGB32);
  image.fill(look.paper);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  QFont title(QStringLiteral("IPAGothic"));
  title.setPixelSize(18);
  p.setFont(title);
  p.setPen(look.ink);
  p.drawText(QRectF(0, 8, kWidth, 24), Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("凡　例"));
  QFont small(QStringLiteral("IPAGothic"));
  small.setPixelSize(12);
  p.setFont(small);
  p.drawText(QRectF(0, 32, kWidth, 18), Qt::AlignHCenter | Qt::AlignVCenter, subtitle);
  p.setPen(QPen(look.ink, 1.0));
  p.drawLine(QPointF(10, kTop - 6), QPointF(kWidth - 10, kTop - 6));
  for (size_t i = 0; i < items.size(); ++i) {
    const double y = kTop + kRow * (i + 0.5);
    p.save();
    items[i].draw(p, y);
    p.restore();
    p.setPen(look.ink);
    p.setFont(small);
    p.drawText(QRectF(kSampleRight + 16, y - kRow / 2.0, kWidth - kSampleRight - 20, kRow),
               Qt::AlignVCenter | Qt::AlignLeft, items[i].label);
  }
  p.setPen(QPen(look.ink, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(3.5, 3.5, kWidth - 7, height - 7));
  return image;
}

}  // namespace sample
