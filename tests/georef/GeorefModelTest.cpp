// SPDX-License-Identifier: MIT
// The transforms of the georeferencer: each recovers a distortion of its own
// kind from control points to a tenth of a pixel away from them; residuals
// and leave-one-out errors against a case worked by hand; the sets that must
// be refused, and the folds that must be told.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "geo/GeorefModel.h"

using namespace kavalo;

namespace {

using Model = std::function<PlanePoint(double x, double y)>;

// A 4,000 x 3,000 scan of about 2.5 m a pixel, y down, turned and sheared a
// little in a plane rectangular system.
PlanePoint affine(double x, double y) { return {-52000 + 2.5 * x + 0.04 * y, -8000 + 0.03 * x - 2.48 * y}; }

PlanePoint similarity(double x, double y) {
  const double a = 2.5 * std::cos(0.02), b = 2.5 * std::sin(0.02);
  return {-52000 + a * x - b * y, -8000 - b * x - a * y};
}

PlanePoint quadratic(double x, double y) {
  const PlanePoint p = affine(x, y);
  return {p.x + 2e-5 * x * x - 1e-5 * x * y, p.y + 1.5e-5 * y * y + 8e-6 * x * y};
}

PlanePoint cubic(double x, double y) {
  const PlanePoint p = quadratic(x, y);
  return {p.x + 3e-9 * x * x * x - 2e-9 * x * y * y, p.y - 2.5e-9 * y * y * y + 1e-9 * x * x * y};
}

PlanePoint perspective(double x, double y) {
  const double w = 1 + 2e-5 * x - 1e-5 * y;
  return {(-52000 + 2.5 * x + 0.04 * y) / w, (-8000 + 0.03 * x - 2.48 * y) / w};
}

struct Case {
  const char* name;
  GeorefMethod method;
  Model model;
  int grid;  // control points on a grid x grid
};

std::vector<PlanePoint> gridOf(int n, double w, double h, double inset) {
  std::vector<PlanePoint> p;
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i)
      p.push_back({inset + (w - 2 * inset) * i / (n - 1), inset + (h - 2 * inset) * j / (n - 1)});
  return p;
}

}  // namespace

TEST(GeorefTransform, EachKindRecoversItsOwnDistortionToATenthOfAPixel) {
  // The spline's model is a spline through nine nodes bent off the affine
  // plane; fitted to the same nodes it must be that spline everywhere.
  std::vector<PlanePoint> nodes = gridOf(3, 4000, 3000, 300), bent;
  for (size_t i = 0; i < nodes.size(); ++i) {
    PlanePoint p = affine(nodes[i].x, nodes[i].y);
    bent.push_back({p.x + (i % 2 ? 6.0 : -4.0), p.y + (i % 3 ? -5.0 : 3.0)});
  }
  const auto truthSpline = GeorefTransform::fit(GeorefMethod::ThinPlateSpline, nodes, bent, nullptr);
  ASSERT_TRUE(truthSpline);
  const Model spline = [&](double x, double y) { return truthSpline->apply({x, y}); };

  const Case cases[] = {
      {"helmert", GeorefMethod::Helmert, similarity, 3},
      {"poly1", GeorefMethod::Poly1, affine, 3},
      {"poly2", GeorefMethod::Poly2, quadratic, 4},
      {"poly3", GeorefMethod::Poly3, cubic, 5},
      {"projective", GeorefMethod::Projective, perspective, 3},
      {"tps", GeorefMethod::ThinPlateSpline, spline, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<PlanePoint> scan = c.method == GeorefMethod::ThinPlateSpline ? nodes : gridOf(c.grid, 4000, 3000, 300);
    std::vector<PlanePoint> plane;
    for (const PlanePoint& s : scan) plane.push_back(c.model(s.x, s.y));
    QString why;
    const auto t = GeorefTransform::fit(c.method, scan, plane, &why);
    ASSERT_TRUE(t) << why.toStdString();
    // Check points between and beyond the control points, the corners included.
    for (const PlanePoint& q : gridOf(7, 4000, 3000, 0)) {
      const PlanePoint want = c.model(q.x, q.y), got = t->apply(q);
      const double pixel = 2.5;
      EXPECT_LT(std::hypot(got.x - want.x, got.y - want.y) / pixel, 0.1) << q.x << "," << q.y;
    }
    // The Jacobian agrees with the transform's own differences.
    const PlanePoint q{1234, 987};
    const auto j = t->jacobian(q);
    const PlanePoint px = t->apply({q.x + 0.5, q.y}), mx = t->apply({q.x - 0.5, q.y});
    const PlanePoint py = t->apply({q.x, q.y + 0.5}), my = t->apply({q.x, q.y - 0.5});
    EXPECT_NEAR(j[0], px.x - mx.x, 1e-6);
    EXPECT_NEAR(j[1], py.x - my.x, 1e-6);
    EXPECT_NEAR(j[2], px.y - mx.y, 1e-6);
    EXPECT_NEAR(j[3], py.y - my.y, 1e-6);
    // The affine and projective coefficients are the transform itself.
    const std::vector<double> k = t->coefficients();
    if (k.size() == 6) {
      EXPECT_NEAR(k[0] + k[1] * q.x + k[2] * q.y, t->apply(q).x, 1e-6);
      EXPECT_NEAR(k[3] + k[4] * q.x + k[5] * q.y, t->apply(q).y, 1e-6);
    } else if (k.size() == 9) {
      const double w = k[6] * q.x + k[7] * q.y + k[8];
      EXPECT_NEAR((k[0] * q.x + k[1] * q.y + k[2]) / w, t->apply(q).x, 1e-6);
      EXPECT_NEAR((k[3] * q.x + k[4] * q.y + k[5]) / w, t->apply(q).y, 1e-6);
    }
  }
}

TEST(GeorefAnalysis, ResidualsAndLeaveOneOutMatchACaseWorkedByHand) {
  // Four corners of a 100-pixel square, a metre a pixel; the fourth map point
  // is 4 m east of where the other three put it. The affine least-squares
  // fit spreads that over the four as residuals of 1 m; each point left out
  // is missed by the exact fit through the other three by 4 m.
  std::vector<ControlPoint> points = {
      {1, true, 0, 0, 0, 0}, {2, true, 100, 0, 0, 0}, {3, true, 0, 100, 0, 0}, {4, true, 100, 100, 0, 0}};
  const std::vector<PlanePoint> plane = {{0, 0}, {100, 0}, {0, -100}, {104, -100}};
  const GeorefAnalysis a = analyseControlPoints(GeorefMethod::Poly1, points, plane, 100, 100);
  ASSERT_TRUE(a.ok) << a.why.toStdString();
  const double dX[4] = {-1, 1, 1, -1};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(a.points[i].dX, dX[i], 1e-9);
    EXPECT_NEAR(a.points[i].dY, 0, 1e-9);
    EXPECT_NEAR(a.points[i].residualMetres, 1, 1e-9);
    // The fit's pixel is sqrt(1.02 x 1) m.
    EXPECT_NEAR(a.points[i].residualPixels, 1 / std::sqrt(1.02), 1e-9);
    ASSERT_TRUE(a.points[i].looValid);
    EXPECT_NEAR(a.points[i].looX, 4 * dX[i], 1e-9);
    EXPECT_NEAR(a.points[i].looMetres, 4, 1e-9);
  }
  EXPECT_NEAR(a.rmseMetres, 1, 1e-9);
  EXPECT_NEAR(a.looRmseMetres, 4, 1e-9);
  EXPECT_FALSE(a.folds);

  // The spline passes through every point: its residuals say nothing, its
  // leave-one-out errors still find the odd point.
  std::vector<ControlPoint> more = points;
  std::vector<PlanePoint> morePlane = plane;
  const double extra[][2] = {{50, 50}, {20, 70}, {80, 30}};
  for (const auto& e : extra) {
    more.push_back({static_cast<int>(more.size() + 1), true, e[0], e[1], 0, 0});
    morePlane.push_back({e[0], -e[1]});
  }
  morePlane[3] = {100, -100};
  morePlane[5] = {20 + 15, -70};  // 15 m off
  const GeorefAnalysis s = analyseControlPoints(GeorefMethod::ThinPlateSpline, more, morePlane, 100, 100);
  ASSERT_TRUE(s.ok);
  EXPECT_LT(s.rmseMetres, 1e-6);
  EXPECT_GT(s.looRmseMetres, 1.0);
  ASSERT_TRUE(s.points[5].looValid);
  EXPECT_GT(s.points[5].looMetres, 10.0);

  // A disabled point is left out of the fit and the figures but still shown.
  more[5].enabled = false;
  const GeorefAnalysis d = analyseControlPoints(GeorefMethod::Poly1, more, morePlane, 100, 100);
  ASSERT_TRUE(d.ok);
  EXPECT_EQ(d.enabled, 6);
  EXPECT_NEAR(d.rmseMetres, 0, 1e-9);
  EXPECT_NEAR(d.points[5].residualMetres, 15, 1e-9);
}

TEST(GeorefAnalysis, RefusesSetsThatCannotDetermineATransformAndTellsFolds) {
  const std::vector<PlanePoint> square = {{0, 0}, {100, 0}, {0, -100}, {100, -100}, {50, -50}, {20, -70}};
  auto pointsOf = [](const std::vector<PlanePoint>& scan) {
    std::vector<ControlPoint> p;
    for (size_t i = 0; i < scan.size(); ++i) p.push_back({static_cast<int>(i + 1), true, scan[i].x, scan[i].y, 0, 0});
    return p;
  };
  const std::vector<PlanePoint> scan = {{0, 0}, {100, 0}, {0, 100}, {100, 100}, {50, 50}, {20, 70}};

  struct Refusal {
    const char* name;
    GeorefMethod method;
    std::vector<PlanePoint> scan, plane;
    const char* says;
  } refusals[] = {
      {"too few for poly2",
       GeorefMethod::Poly2,
       {scan.begin(), scan.begin() + 5},
       {square.begin(), square.begin() + 5},
       "6点必要です（いま5点）"},
      {"too few for poly3", GeorefMethod::Poly3, scan, square, "10点必要です（いま6点）"},
      {"one scan place twice",
       GeorefMethod::Poly1,
       {{0, 0}, {100, 0}, {0.2, 0.3}, {100, 100}},
       {{0, 0}, {100, 0}, {0, -100}, {100, -100}},
       "点1と点3が画像の同じ場所"},
      {"one map place twice",
       GeorefMethod::Poly1,
       {{0, 0}, {100, 0}, {0, 100}, {100, 100}},
       {{0, 0}, {100, 0}, {100.1, 0.2}, {100, -100}},
       "点2と点3が地図の同じ場所"},
      {"all on a line",
       GeorefMethod::Poly1,
       {{0, 0}, {50, 50}, {100, 100}},
       {{0, 0}, {50, -50}, {100, -100}},
       "一直線"},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.name);
    const GeorefAnalysis a = analyseControlPoints(r.method, pointsOf(r.scan), r.plane, 100, 100);
    EXPECT_FALSE(a.ok);
    EXPECT_TRUE(a.why.contains(QString::fromUtf8(r.says))) << a.why.toStdString();
  }

  // Two points swapped on the map turn part of the scan over.
  std::vector<PlanePoint> swapped = {{0, 0}, {100, 0}, {0, -100}, {100, -100}, {20, -70}, {50, -50}};
  std::vector<PlanePoint> scan6 = {{0, 0}, {100, 0}, {0, 100}, {100, 100}, {50, 50}, {20, 70}};
  const GeorefAnalysis folded = analyseControlPoints(GeorefMethod::Poly2, pointsOf(scan6), swapped, 100, 100);
  ASSERT_TRUE(folded.ok);
  EXPECT_TRUE(folded.folds);
  EXPECT_FALSE(folded.warnings.isEmpty());
  const GeorefAnalysis straight = analyseControlPoints(GeorefMethod::Poly2, pointsOf(scan6), square, 100, 100);
  ASSERT_TRUE(straight.ok);
  EXPECT_FALSE(straight.folds);
  EXPECT_FALSE(straight.shears);
  // A strong shear is told but not refused.
  std::vector<PlanePoint> sheared;
  for (const PlanePoint& s : scan6) sheared.push_back({s.x + 0.8 * s.y, -s.y});
  const GeorefAnalysis shear = analyseControlPoints(GeorefMethod::Poly1, pointsOf(scan6), sheared, 100, 100);
  ASSERT_TRUE(shear.ok);
  EXPECT_TRUE(shear.shears);
  EXPECT_FALSE(shear.folds);
}

TEST(GeorefMethods, KeysAndMinimaAreTheOnesFilesAndTheCommandLineUse) {
  const struct {
    const char* key;
    GeorefMethod method;
    int minimum;
  } table[] = {{"helmert", GeorefMethod::Helmert, 2},       {"poly1", GeorefMethod::Poly1, 3},
               {"poly2", GeorefMethod::Poly2, 6},           {"poly3", GeorefMethod::Poly3, 10},
               {"projective", GeorefMethod::Projective, 4}, {"tps", GeorefMethod::ThinPlateSpline, 3}};
  for (const auto& row : table) {
    GeorefMethod m = GeorefMethod::Poly1;
    ASSERT_TRUE(methodFromKey(QString::fromLatin1(row.key).toUpper(), m));
    EXPECT_EQ(m, row.method);
    EXPECT_EQ(methodKey(m), QString::fromLatin1(row.key));
    EXPECT_EQ(minimumPoints(m), row.minimum);
  }
  GeorefMethod m;
  EXPECT_FALSE(methodFromKey(QStringLiteral("poly4"), m));
}
