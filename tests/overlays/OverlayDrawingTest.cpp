// SPDX-License-Identifier: MIT
// Drawing the user's features: where they land (the coordinate model's view
// pixel, on the screen and on a page), clipping, simplification, names and
// the holes of polygons.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <random>

#include "geo/OverlayData.h"
#include "render/OverlayDetail.h"
#include "render/OverlayDrawing.h"
#include "render/RulerDrawing.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

MapInfo regionInfo() {
  MapInfo info = test::smallGridInfo();
  info.west = 139.0f;
  info.north = 36.0f;
  info.frame[2] = {12, -7};
  return info;
}

// One image pixel per view pixel at 100 %: the small region's sheet unit is
// 160 image pixels for 370 mm.
ScaleFactors unitScale(const MapInfo& info) { return computeScaleFactors(info, 370.0 / 160.0, 370.0 / 160.0); }

VectorFeature feature(FeatureKind kind, std::vector<GeoPoint> points, std::vector<int> parts,
                      const QString& name = QString()) {
  VectorFeature f;
  f.kind = kind;
  f.points = std::move(points);
  f.parts = std::move(parts);
  f.name = name;
  return f;
}

OverlaySet setOf(const MapInfo& info, std::vector<VectorFeature> features) {
  VectorFileData data;
  data.status = VectorStatus::Ok;
  data.layers.push_back({QStringLiteral("layer"), std::move(features)});
  OverlaySet set;
  set.files.push_back(placeOverlay(QStringLiteral("test"), data, info, 0));
  return set;
}

QImage draw(const OverlaySet& set, const OverlayView& view, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  drawOverlayFeatures(painter, set, view);
  return image;
}

bool near(QRgb a, QColor b, int tolerance = 40) {
  return std::abs(qRed(a) - b.red()) + std::abs(qGreen(a) - b.green()) + std::abs(qBlue(a) - b.blue()) <= tolerance;
}

// The centre of the pixels of a colour.
QPointF centroid(const QImage& image, QColor colour, int* count = nullptr) {
  double x = 0, y = 0;
  int n = 0;
  for (int j = 0; j < image.height(); ++j)
    for (int i = 0; i < image.width(); ++i)
      if (near(image.pixel(i, j), colour)) {
        x += i + 0.5;
        y += j + 0.5;
        ++n;
      }
  if (count) *count = n;
  return n ? QPointF(x / n, y / n) : QPointF(-1, -1);
}

TEST(OverlayDrawing, APointLandsWhereTheCoordinateModelPutsIt) {
  const MapInfo info = regionInfo();
  const ScaleFactors scale = unitScale(info);
  const float lat = 35.9123f, lon = 139.1234f;
  const OverlaySet set = setOf(info, {feature(FeatureKind::Point, {{lon, lat}}, {0})});
  const QColor colour = overlayLayerColour(0);
  struct Case {
    float cx, cy;
    int zoom;
    double k, ox, oy;  // the page pass: k page pixels per view pixel
  };
  const Case cases[] = {
      {200, 160, 100, 1, 0, 0}, {230, 150, 250, 1, 0, 0}, {150, 200, 75, 1, 0, 0}, {200, 160, 100, 3, 40, 25}};
  for (const Case& c : cases) {
    const Viewport view(&info, scale, c.cx, c.cy, c.zoom, 300, 200);
    const OverlayView ov = overlayViewOf(view, c.k, c.ox, c.oy);
    const QImage image =
        draw(set, ov, QSize(static_cast<int>(300 * c.k + 2 * c.ox), static_cast<int>(200 * c.k + 2 * c.oy)));
    int n = 0;
    const QPointF at = centroid(image, colour, &n);
    ASSERT_GT(n, 0) << c.zoom;
    // The coordinate model's placement: the world-datum image position and
    // the view's scale and centre (a pixel's centre is at +0.5)...
    const ImagePoint ip = LatLonToImage(info, lat, lon, 1);
    const double f = scale.screenPerImageX * c.zoom / 100.0;
    EXPECT_NEAR(at.x() - 0.5, c.k * (150 + (ip.x - c.cx) * f) + c.ox, c.k) << c.zoom << " k " << c.k;
    EXPECT_NEAR(at.y() - 0.5, c.k * (100 + (ip.y - c.cy) * f) + c.oy, c.k) << c.zoom << " k " << c.k;
    // ...and the marks' LatLonToScreen, which rounds to whole image pixels.
    const QPoint model = view.LatLonToScreen(lat, lon);
    EXPECT_NEAR(at.x() - 0.5, c.k * model.x() + c.ox, c.k * (0.5 * f + 1)) << c.zoom;
    EXPECT_NEAR(at.y() - 0.5, c.k * model.y() + c.oy, c.k * (0.5 * f + 1)) << c.zoom;
    if (c.k != 1) continue;
    // Read back at that pixel in either datum, as the readout would: the
    // world datum gives the point, the Tokyo datum the same place on the
    // Tokyo graticule.
    const ImagePoint p = view.ScreenToImage(at.x(), at.y());
    const double lonPerPx = 0.25 / 400.0 / (scale.screenPerImageX * c.zoom / 100.0);
    const LatLon world = ImageToLatLon(info, p.x, p.y, 1);
    EXPECT_NEAR(world.lon, lon, 1.5 * lonPerPx);
    const LatLon tokyo = ImageToLatLon(info, p.x, p.y, 0);
    const ImagePoint again = LatLonToImage(info, tokyo.lat, tokyo.lon, 0);
    const ImagePoint mark = LatLonToImage(info, lat, lon, 1);
    EXPECT_NEAR(again.x, mark.x, 1.5 / (scale.screenPerImageX * c.zoom / 100.0));
    EXPECT_NE(tokyo.lon, world.lon);
  }
}

TEST(OverlayDrawing, LinesCrossingTheViewAreDrawnAndHiddenFilesAreNot) {
  const MapInfo info = regionInfo();
  const ScaleFactors scale = unitScale(info);
  // Both ends far outside a view zoomed on the middle of the region.
  OverlaySet set = setOf(info, {feature(FeatureKind::Line, {{138.5, 35.9}, {139.8, 35.9}}, {0})});
  const ImagePoint mid = LatLonToImage(info, 35.9f, 139.125f, 1);
  const Viewport view(&info, scale, mid.x, mid.y, 400, 200, 100);
  QImage image = draw(set, overlayViewOf(view), QSize(200, 100));
  int n = 0;
  const QPointF at = centroid(image, overlayLayerColour(0), &n);
  EXPECT_GT(n, 200);  // across the whole width
  EXPECT_NEAR(at.y(), 50, 1.5);
  set.files[0]->visible = false;
  image = draw(set, overlayViewOf(view), QSize(200, 100));
  centroid(image, overlayLayerColour(0), &n);
  EXPECT_EQ(n, 0);

  // A line of many segments in view is drawn the fast way, and still whole:
  // a zigzag of a pixel and a half either side of the row, some 900 points
  // in a view of 200 image pixels.
  std::vector<GeoPoint> zigzag;
  for (int i = 0; i <= 2000; ++i) zigzag.push_back({139.0 + 0.25 * i / 2000, 35.9 + (i % 2 ? 1 : -1) * 0.0008});
  const OverlaySet dense = setOf(info, {feature(FeatureKind::Line, zigzag, {0})});
  const Viewport wide(&info, scale, mid.x, mid.y, 100, 200, 100);
  image = draw(dense, overlayViewOf(wide), QSize(200, 100));
  for (int x = 5; x < 200; x += 10) {
    int column = 0;
    for (int y = 0; y < 100; ++y) column += near(image.pixel(x, y), overlayLayerColour(0), 60);
    EXPECT_GT(column, 0) << "column " << x;
    EXPECT_LT(column, 12) << "column " << x;
  }
}

TEST(OverlayDrawing, PolygonHolesStayOpen) {
  const MapInfo info = regionInfo();
  const ScaleFactors scale = unitScale(info);
  const OverlaySet set = setOf(info, {feature(FeatureKind::Polygon,
                                              {{139.02, 35.86},
                                               {139.23, 35.86},
                                               {139.23, 35.98},
                                               {139.02, 35.98},
                                               {139.1, 35.9},
                                               {139.15, 35.9},
                                               {139.15, 35.94},
                                               {139.1, 35.94}},
                                              {0, 4})});
  const Viewport view(&info, scale, 212, 153, 100, 400, 320);
  const OverlayView ov = overlayViewOf(view);
  const QImage image = draw(set, ov, QSize(400, 320));
  const QPointF hole = ov.imageToTarget.map(
      QPointF(LatLonToImage(info, 35.92f, 139.125f, 1).x, LatLonToImage(info, 35.92f, 139.125f, 1).y));
  const QPointF body = ov.imageToTarget.map(
      QPointF(LatLonToImage(info, 35.88f, 139.05f, 1).x, LatLonToImage(info, 35.88f, 139.05f, 1).y));
  EXPECT_EQ(image.pixel(hole.toPoint()), qRgb(255, 255, 255));
  const QRgb tinted = image.pixel(body.toPoint());
  EXPECT_NE(tinted, qRgb(255, 255, 255));
  EXPECT_GT(qRed(tinted), qBlue(tinted));  // the first layer's red, faint
}

TEST(OverlayDrawing, NamesAreDrawnUnlessTooManyAreInView) {
  const MapInfo info = regionInfo();
  const ScaleFactors scale = unitScale(info);
  const Viewport view(&info, scale, 212, 153, 100, 400, 320);
  auto blackPixels = [&](int points) {
    std::vector<VectorFeature> features;
    for (int i = 0; i < points; ++i)
      features.push_back(feature(FeatureKind::Point,
                                 {{139.02 + 0.2 * (i % 20) / 20.0, 35.86 + 0.12 * (i / 20) / (points / 20 + 1.0)}}, {0},
                                 QStringLiteral("名前")));
    const QImage image = draw(setOf(info, std::move(features)), overlayViewOf(view), QSize(400, 320));
    int n = 0;  // the dark pixels of text
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += qGray(image.pixel(x, y)) < 80;
    return n;
  };
  // Five names in a row, 16 pixels apart and some 26 wide: a name that
  // would cover the one before is left out, so every other one is drawn.
  const int one = blackPixels(1);
  EXPECT_GT(one, 20);
  EXPECT_NEAR(blackPixels(5), 3 * one, one / 2);
  EXPECT_EQ(blackPixels(kMaxOverlayLabels + 50), 0);
}

double distanceToSegment(QPointF p, QPointF a, QPointF b) {
  const QPointF d = b - a;
  const double len2 = QPointF::dotProduct(d, d);
  const double t = len2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / len2, 0.0, 1.0) : 0.0;
  const QPointF q = a + t * d - p;
  return std::sqrt(QPointF::dotProduct(q, q));
}

TEST(OverlayDrawing, SimplificationStaysWithinItsTolerance) {
  struct Case {
    std::vector<QPointF> points;
    double tolerance;
    std::vector<int> kept;
  };
  const Case cases[] = {
      {{{0, 0}}, 1, {0}},
      {{{0, 0}, {5, 5}}, 1, {0, 1}},
      {{{0, 0}, {1, 0}, {2, 0}, {3, 0}}, 0.1, {0, 3}},         // straight: the ends
      {{{0, 0}, {1, 0.4}, {2, 0}}, 0.5, {0, 2}},               // a bump under the tolerance
      {{{0, 0}, {1, 0.6}, {2, 0}}, 0.5, {0, 1, 2}},            // and one over it
      {{{0, 0}, {10, 0}, {0, 0.1}}, 0.5, {0, 1, 2}},           // turning back on itself
      {{{0, 0}, {2, 0}, {-3, 0}, {1, 0}}, 0.5, {0, 1, 2, 3}},  // beyond either end
  };
  for (const Case& c : cases)
    EXPECT_EQ(simplifyPath(c.points, 0, static_cast<int>(c.points.size()), c.tolerance), c.kept);

  // A long random walk: every point dropped lies within the tolerance of
  // the segment that replaced it.
  std::mt19937 random(7);
  std::normal_distribution<double> step(0.0, 1.0);
  std::vector<QPointF> walk{{0, 0}};
  for (int i = 0; i < 20000; ++i) walk.push_back(walk.back() + QPointF(step(random), step(random)));
  for (double tolerance : {0.5, 4.0, 30.0}) {
    const std::vector<int> kept = simplifyPath(walk, 0, static_cast<int>(walk.size()), tolerance);
    ASSERT_EQ(kept.front(), 0);
    ASSERT_EQ(kept.back(), static_cast<int>(walk.size()) - 1);
    EXPECT_LT(kept.size(), walk.size());
    double worst = 0;
    for (size_t k = 1; k < kept.size(); ++k)
      for (int i = kept[k - 1] + 1; i < kept[k]; ++i)
        worst = std::max(worst, distanceToSegment(walk[i], walk[kept[k - 1]], walk[kept[k]]));
    EXPECT_LE(worst, tolerance) << tolerance;
  }
}

}  // namespace

namespace {

TEST(RulerDrawing, PathAndLabelWhereTheClicksWere) {
  const MapInfo info = regionInfo();
  const ScaleFactors scale = unitScale(info);
  const Viewport view(&info, scale, 212, 153, 100, 400, 320);
  const OverlayView ov = overlayViewOf(view);
  Ruler ruler;
  // Clicks at two view pixels, kept in the world datum.
  ruler.addImagePoint(info, view.ScreenToImage(100, 100));
  ruler.addImagePoint(info, view.ScreenToImage(300, 100));
  QImage image(400, 320, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    drawRuler(painter, ruler, info, ov, QStringLiteral("1.23 km"));
  }
  // The red line runs between them on row 100, and nowhere far from it.
  int onLine = 0, elsewhere = 0;
  for (int y = 0; y < 320; ++y)
    for (int x = 0; x < 400; ++x) {
      const QRgb p = image.pixel(x, y);
      const bool red = qRed(p) > 180 && qGreen(p) < 80;
      if (!red) continue;
      (std::abs(y - 100) <= 4 && x >= 95 && x <= 305 ? onLine : elsewhere)++;
    }
  EXPECT_GT(onLine, 200 * 2);
  EXPECT_EQ(elsewhere, 0);
  // The label lies by the last point, up and to the right.
  int dark = 0;
  for (int y = 80; y < 100; ++y)
    for (int x = 305; x < 380; ++x) dark += qGray(image.pixel(x, y)) < 80;
  EXPECT_GT(dark, 20);
}

}  // namespace
