// SPDX-License-Identifier: MIT
#include "PhotoPainter.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "Noise.h"

namespace sample {

namespace {

// A 256 x 256 tile of smooth noise in [-1, 1] that wraps round, so that a
// texture can be looked up anywhere for the price of an array access.
class NoiseTexture {
 public:
  static const NoiseTexture& instance() {
    static const NoiseTexture texture;
    return texture;
  }
  float at(int x, int y) const { return values_[static_cast<size_t>((y & 255) * 256 + (x & 255))]; }

 private:
  NoiseTexture() : values_(256 * 256, 0.0f) {
    const int lattices[] = {16, 32, 64, 128};
    const float amplitudes[] = {0.4f, 0.3f, 0.2f, 0.15f};
    for (int o = 0; o < 4; ++o) {
      const int n = lattices[o], cell = 256 / n;
      for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
          const int ix = x / cell, iy = y / cell;
          double tx = double(x % cell) / cell, ty = double(y % cell) / cell;
          tx = tx * tx * (3 - 2 * tx);
          ty = ty * ty * (3 - 2 * ty);
          auto v = [&](int i, int j) { return unitHash((i + n) % n, (j + n) % n, 500u + o) * 2 - 1; };
          const double top = v(ix, iy) + (v(ix + 1, iy) - v(ix, iy)) * tx;
          const double bottom = v(ix, iy + 1) + (v(ix + 1, iy + 1) - v(ix, iy + 1)) * tx;
          values_[static_cast<size_t>(y * 256 + x)] += static_cast<float>(amplitudes[o] * (top + (bottom - top) * ty));
        }
    }
  }
  std::vector<float> values_;
};

// Colours are worked on as floating-point RGB.
struct Rgb {
  double r, g, b;
  Rgb operator*(double k) const { return {r * k, g * k, b * k}; }
  Rgb operator+(const Rgb& o) const { return {r + o.r, g + o.g, b + o.b}; }
};

Rgb mix(const Rgb& a, const Rgb& b, double t) { return a * (1 - t) + b * t; }

// What the vector layer put at a pixel; everything else is open ground.
enum Cover : int { kGround = 0, kSea, kRiver, kPaved, kGravel, kRail, kRoof, kConcrete, kMotorway };

class PhotoPainter {
 public:
  PhotoPainter(const Scene& scene, PhotoLook look, const QRectF& world, QSize size)
      : s_(scene), look_(look), world_(world), size_(size), noise_(NoiseTexture::instance()) {}

  QImage paint() {
    const QImage cover = coverLayer();
    QImage out(size_, QImage::Format_RGB32);
    const double sx = world_.width() / size_.width(), sy = world_.height() / size_.height();
    for (int py = 0; py < size_.height(); ++py) {
      const QRgb* c = reinterpret_cast<const QRgb*>(cover.constScanLine(py));
      const QRgb* above = reinterpret_cast<const QRgb*>(cover.constScanLine(std::max(0, py - 1)));
      QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(py));
      for (int px = 0; px < size_.width(); ++px) {
        const double x = world_.left() + (px + 0.5) * sx, y = world_.top() + (py + 0.5) * sy;
        const int wx = static_cast<int>(std::floor(x)), wy = static_cast<int>(std::floor(y));
        Rgb colour = pixel(c[px], x, y, wx, wy);
        // Buildings cast a short shadow to the south-east.
        const int kind = qRed(c[px]);
        const QRgb nw = above[std::max(0, px - 1)];
        if (kind != kRoof && qRed(nw) == kRoof) colour = colour * 0.55;
        line[px] = finish(colour, wx, wy);
      }
    }
    return out;
  }

 private:
  QImage coverLayer() const {
    QImage layer(size_, QImage::Format_RGB32);
    layer.fill(qRgb(kGround, 0, 0));
    QPainter p(&layer);
    p.scale(size_.width() / world_.width(), size_.height() / world_.height());
    p.translate(-world_.topLeft());
    QPainterPath all;
    all.addRect(world_.adjusted(-20, -20, 20, 20));
    p.fillPath(all.subtracted(s_.land), QColor(kSea, 0, 0));
    p.save();
    p.setClipPath(s_.land);
    p.fillPath(s_.riverWater, QColor(kRiver, 0, 0));
    for (const River* r : s_.streams) {
      if (r->main) continue;
      p.setPen(QPen(QColor(kRiver, 0, 0), std::max(1.0, r->widthMouth * 0.45), Qt::SolidLine, Qt::RoundCap));
      p.drawPolyline(toPolygon(r->line));
    }
    p.restore();
    const bool paved = s_.year >= 1960;
    auto stroke = [&](Way kind, double width, Cover c) {
      p.setPen(QPen(QColor(c, 0, 0), width, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin));
      for (const Route* r : s_.routesOf(kind))
        for (const Polyline& part : routeSections(*r, false)) p.drawPolyline(toPolygon(part));
    };
    stroke(Way::Path, 0.8, kGravel);
    stroke(Way::Street, 1.7, paved ? kPaved : kGravel);
    stroke(Way::Road, 2.2, paved ? kPaved : kGravel);
    stroke(Way::OldRoad, 2.2, paved ? kPaved : kGravel);
    stroke(Way::MainRoad, 3.0, kPaved);
    stroke(Way::Expressway, 4.0, kMotorway);
    stroke(Way::Railway, 2.4, kRail);
    stroke(Way::Breakwater, 2.6, kConcrete);
    p.setPen(Qt::NoPen);
    for (const Building* b : s_.buildings) {
      p.setBrush(QColor(kRoof, static_cast<int>(b->tone & 255), static_cast<int>(b->kind)));
      p.drawPolygon(b->shape);
    }
    return layer;
  }

  double fine(int x, int y) const { return noise_.at(x, y); }
  double coarse(double x, double y) const {
    return noise_.at(static_cast<int>(x / 6) + 91, static_cast<int>(y / 6) + 37);
  }

  // Sun from the north-west: slopes facing it are brighter.
  double relief(double x, double y) const {
    const Terrain& t = s_.world.terrain();
    const double d = t.elevation(x - 2, y - 2) - t.elevation(x + 2, y + 2);
    return 1.0 + std::clamp(d * 0.025, -0.35, 0.35);
  }

  Rgb pixel(QRgb cover, double x, double y, int wx, int wy) {
    const double n = fine(wx, wy), m = coarse(x, y);
    switch (qRed(cover)) {
      case kSea: {
        const double depth = std::clamp(-s_.world.terrain().shoreDistance(x, y) / 120.0, 0.0, 1.0);
        return mix(Rgb{92, 122, 118}, Rgb{34, 66, 92}, depth) * (1 + 0.04 * m + 0.03 * n);
      }
      case kRiver:
        return Rgb{78, 98, 92} * (1 + 0.05 * n);
      case kPaved:
        return Rgb{150, 150, 146} * (1 + 0.05 * n);
      case kGravel:
        return Rgb{168, 156, 130} * (1 + 0.08 * n);
      case kRail:
        return Rgb{105, 95, 85} * (1 + 0.15 * n);
      case kConcrete:
        return Rgb{190, 188, 180} * (1 + 0.05 * n);
      case kMotorway:
        return Rgb{135, 135, 130} * (1 + 0.06 * n);
      case kRoof:
        return roof(qGreen(cover), static_cast<BuildingKind>(qBlue(cover)), n);
      default:
        return ground(x, y, wx, wy, n, m);
    }
  }

  Rgb roof(int tone, BuildingKind kind, double n) const {
    if (kind == BuildingKind::Factory) return Rgb{172, 176, 180} * (0.95 + 0.1 * (tone / 255.0));
    if (kind != BuildingKind::House) return Rgb{178, 172, 160};
    static const Rgb kRoofs[] = {{120, 120, 126}, {84, 92, 108}, {140, 86, 64}, {186, 184, 178}, {100, 104, 96}};
    return kRoofs[tone % 5] * (1 + 0.06 * n);
  }

  Rgb ground(double x, double y, int wx, int wy, double n, double m) {
    if (s_.world.urbanSince(x, y) <= s_.year) {
      if (s_.world.reclaimedBy(x, y, s_.year)) return industrialTexture(x, y, wx, wy, n);
      return townTexture(x, y, wx, wy, n);
    }
    LandUse use = parcelUse(x, y);
    if (use == LandUse::Broadleaf || use == LandUse::Conifer) {
      // Woods are not cut into parcels: their kind changes in soft patches.
      const double stand = noise_.at(static_cast<int>(x / 12) + 311, static_cast<int>(y / 12) + 17);
      use = stand > (s_.year >= 1960 ? -0.05 : 0.12) ? LandUse::Conifer : LandUse::Broadleaf;
    }
    const double shade = relief(x, y);
    switch (use) {
      case LandUse::Paddy: {
        const double tone = parcelTone(x, y);
        Rgb c = tone < 0.2 ? Rgb{96, 108, 96} : mix(Rgb{82, 118, 58}, Rgb{118, 134, 70}, tone);
        if (onParcelEdge(x, y)) c = c * 0.82;
        return c * (1 + 0.04 * n) * shade;
      }
      case LandUse::Field: {
        const double tone = parcelTone(x, y);
        Rgb c = tone < 0.45 ? Rgb{138, 120, 88} : mix(Rgb{104, 124, 68}, Rgb{150, 146, 96}, tone);
        if (onParcelEdge(x, y)) c = c * 0.85;
        return c * (1 + 0.06 * n) * shade;
      }
      case LandUse::Orchard:
        return (n > 0.15 ? Rgb{58, 82, 44} : Rgb{118, 124, 78}) * shade;
      case LandUse::Broadleaf:
        return Rgb{66, 90, 52} * (1 + 0.28 * n + 0.1 * m) * shade;
      case LandUse::Conifer:
        return Rgb{42, 64, 46} * (1 + 0.3 * n + 0.08 * m) * shade;
      case LandUse::Wasteland:
        return Rgb{128, 130, 88} * (1 + 0.12 * n + 0.1 * m) * shade;
      case LandUse::Beach:
        return Rgb{204, 194, 166} * (1 + 0.04 * n);
      case LandUse::Bare:
        return Rgb{172, 162, 138} * (1 + 0.08 * n + 0.08 * m);
      case LandUse::Urban:  // a garden on the edge of the town
        return Rgb{96, 112, 70} * (1 + 0.15 * n);
      case LandUse::Sea:
        return Rgb{92, 122, 118};
    }
    return Rgb{100, 110, 80};
  }

  // The town seen from above: blocks between the streets, each of houses
  // with gardens, flats, a yard or a park; houses on cells of 4 pixels.
  Rgb townTexture(double x, double y, int wx, int wy, double n) const {
    const double u = x * 0.990 + y * 0.139, v = -x * 0.139 + y * 0.990;
    const int bu = static_cast<int>(std::floor(u / 34)), bv = static_cast<int>(std::floor(v / 34));
    const double block = unitHash(bu, bv, 631);
    const bool modern = s_.world.urbanSince(x, y) > 1975;
    if (block < 0.06) return Rgb{74, 104, 60} * (1 + 0.2 * n);     // park, shrine grove
    if (block < 0.10) return Rgb{150, 146, 136} * (1 + 0.06 * n);  // yard, car park
    const int cx = static_cast<int>(std::floor(wx / 4.0)), cy = static_cast<int>(std::floor(wy / 4.0));
    const double h = unitHash(cx, cy, 611);
    const bool gap = wx - cx * 4 == 3 || wy - cy * 4 == 3;
    if (block < 0.14 && modern) {  // blocks of flats: large pale roofs in rows
      const int row = static_cast<int>(std::floor(v / 9));
      return (row % 2 == 0 ? Rgb{178, 176, 170} : Rgb{132, 134, 128}) * (1 + 0.04 * n);
    }
    if (h < 0.2) return Rgb{68, 92, 56} * (1 + 0.25 * n);  // gardens and trees
    if (gap) return Rgb{96, 96, 92} * (1 + 0.1 * n);
    static const Rgb kOld[] = {{92, 96, 110}, {110, 108, 112}, {128, 84, 66}, {84, 88, 96}};
    static const Rgb kNew[] = {{150, 150, 156}, {176, 172, 164}, {120, 96, 86}, {200, 198, 192}};
    const int pick = static_cast<int>(h * 1000 + block * 7) % 4;
    return (modern ? kNew[pick] : kOld[pick]) * (0.92 + 0.16 * unitHash(cx, cy, 613) + 0.04 * n);
  }

  // Factories on the reclaimed shore: big pale roofs, yards and open ground.
  Rgb industrialTexture(double x, double y, int wx, int wy, double n) const {
    const int bu = static_cast<int>(std::floor(x / 24)), bv = static_cast<int>(std::floor(y / 18));
    const double block = unitHash(bu, bv, 641);
    if (block < 0.3) return Rgb{148, 144, 134} * (1 + 0.08 * n);
    if (block < 0.45) return Rgb{170, 162, 138} * (1 + 0.1 * n);
    const bool edge = wx - bu * 24 < 2 || wy - bv * 18 < 2;
    if (edge) return Rgb{110, 110, 104};
    return (block < 0.8 ? Rgb{182, 186, 190} : Rgb{120, 140, 160}) * (1 + 0.03 * n);
  }

  // Fields are strips on a grid turned like the town's streets.
  void parcelOf(double x, double y, int& pu, int& pv) const {
    const double u = x * 0.990 + y * 0.139, v = -x * 0.139 + y * 0.990;
    pv = static_cast<int>(std::floor(v / 6));
    pu = static_cast<int>(std::floor((u + unitHash(pv, 0, 621) * 16) / 16));
  }
  double parcelTone(double x, double y) const {
    int pu, pv;
    parcelOf(x, y, pu, pv);
    return unitHash(pu, pv, 623);
  }
  bool onParcelEdge(double x, double y) const {
    int pu, pv, qu, qv;
    parcelOf(x, y, pu, pv);
    parcelOf(x + 1, y + 1, qu, qv);
    return pu != qu || pv != qv;
  }
  LandUse parcelUse(double x, double y) {
    int pu, pv;
    parcelOf(x, y, pu, pv);
    const int64_t key = (static_cast<int64_t>(pu) << 32) ^ static_cast<uint32_t>(pv);
    auto it = parcels_.find(key);
    if (it != parcels_.end()) return it->second;
    // The use at the parcel's middle holds for the whole parcel.
    const double u = (pu + 0.5) * 16 - unitHash(pv, 0, 621) * 16, v = (pv + 0.5) * 6;
    const double cx = u * 0.990 - v * 0.139, cy = u * 0.139 + v * 0.990;
    LandUse use = s_.world.landUse(cx, cy, s_.year);
    if (use == LandUse::Sea) use = LandUse::Beach;
    parcels_.emplace(key, use);
    return use;
  }

  QRgb finish(Rgb c, int wx, int wy) const {
    if (look_ == PhotoLook::Film1980) {
      // Colour film of the time: warmer, softer, lifted shadows.
      c = Rgb{c.r * 0.86 + 30, c.g * 0.84 + 24, c.b * 0.78 + 18};
    } else {
      const double grey = (c.r + c.g + c.b) / 3;
      c = mix(Rgb{grey, grey, grey}, c, 1.15);
    }
    const double grain = fine(wx * 7 + 3, wy * 5 + 1) * 4;
    auto clamp = [](double v) { return static_cast<int>(std::clamp(std::lround(v), 0L, 255L)); };
    return qRgb(clamp(c.r + grain), clamp(c.g + grain), clamp(c.b + grain));
  }

  const Scene& s_;
  PhotoLook look_;
  QRectF world_;
  QSize size_;
  const NoiseTexture& noise_;
  std::unordered_map<int64_t, LandUse> parcels_;
};

}  // namespace

QImage paintPhoto(const Scene& scene, PhotoLook look, const QRectF& world, QSize size) {
  return PhotoPainter(scene, look, world, size).paint();
}

void ageToSepia(QImage& image, const QRectF& world) {
  const NoiseTexture& noise = NoiseTexture::instance();
  const double sx = world.width() / image.width(), sy = world.height() / image.height();
  for (int py = 0; py < image.height(); ++py) {
    QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(py));
    for (int px = 0; px < image.width(); ++px) {
      const int wx = static_cast<int>(std::floor(world.left() + (px + 0.5) * sx));
      const int wy = static_cast<int>(std::floor(world.top() + (py + 0.5) * sy));
      const QRgb c = line[px];
      const double lum = 0.3 * qRed(c) + 0.59 * qGreen(c) + 0.11 * qBlue(c);
      // Mostly brown, a little of the hand colouring left; stains and grain.
      const double stain = 1.0 + 0.05 * noise.at(wx / 9 + 13, wy / 9 + 71) + 0.025 * noise.at(wx / 2, wy / 2);
      const double grain = 5 * noise.at(wx * 3 + 7, wy * 3 + 11);
      const double r = (0.6 * (lum * 1.02 + 14) + 0.4 * qRed(c)) * stain + grain;
      const double g = (0.6 * (lum * 0.9 + 6) + 0.4 * qGreen(c)) * stain + grain;
      const double b = (0.6 * (lum * 0.7) + 0.4 * qBlue(c)) * stain + grain;
      auto clamp = [](double v) { return static_cast<int>(std::clamp(std::lround(v), 0L, 255L)); };
      line[px] = qRgb(clamp(r), clamp(g), clamp(b));
    }
  }
}

}  // namespace sample
