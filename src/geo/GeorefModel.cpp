// SPDX-License-Identifier: MIT
#include "geo/GeorefModel.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <limits>

#include "geo/LinearSolve.h"

namespace kavalo {

namespace {

// The fold and shear checks look at the transform on this many points along
// each side of the scan.
constexpr int kCheckGrid = 21;
// A scan whose axes the transform turns further than this from a right angle,
// or stretches one against the other beyond this ratio, is strongly sheared.
constexpr double kShearDegrees = 15.0;
constexpr double kStretchRatio = 1.5;
constexpr double kPi = 3.14159265358979323846;

int termCount(int order) { return (order + 1) * (order + 2) / 2; }

// The polynomial's terms at (u, v): 1, u, v, u², uv, v², u³, u²v, uv², v³.
void terms(int order, double u, double v, double* t) {
  int k = 0;
  for (int n = 0; n <= order; ++n)
    for (int j = 0; j <= n; ++j) t[k++] = std::pow(u, n - j) * std::pow(v, j);
}

// Their derivatives along u and v.
void termDerivatives(int order, double u, double v, double* du, double* dv) {
  int k = 0;
  for (int n = 0; n <= order; ++n)
    for (int j = 0; j <= n; ++j) {
      const int a = n - j, b = j;
      du[k] = a > 0 ? a * std::pow(u, a - 1) * std::pow(v, b) : 0.0;
      dv[k] = b > 0 ? b * std::pow(u, a) * std::pow(v, b - 1) : 0.0;
      ++k;
    }
}

// The spline's kernel r² log r² and its derivative along one axis divided by
// that axis' difference.
double kernel(double r2) { return r2 > 0.0 ? r2 * std::log(r2) : 0.0; }
double kernelSlope(double r2) { return r2 > 0.0 ? 2.0 * (std::log(r2) + 1.0) : 0.0; }

struct Normalisation {
  double x0 = 0.0, y0 = 0.0, scale = 1.0;
};

// Centre on the mean and scale isotropically to a unit mean distance: an
// isotropic scale leaves every fitted transform (the spline included) the
// same transform, only better conditioned.
Normalisation normalisationOf(const std::vector<PlanePoint>& p) {
  Normalisation n;
  for (const PlanePoint& q : p) {
    n.x0 += q.x;
    n.y0 += q.y;
  }
  n.x0 /= static_cast<double>(p.size());
  n.y0 /= static_cast<double>(p.size());
  double sum = 0.0;
  for (const PlanePoint& q : p) sum += std::hypot(q.x - n.x0, q.y - n.y0);
  const double mean = sum / static_cast<double>(p.size());
  n.scale = mean > 0.0 ? mean : 1.0;
  return n;
}

}  // namespace

QString methodKey(GeorefMethod method) {
  switch (method) {
    case GeorefMethod::Helmert:
      return QStringLiteral("helmert");
    case GeorefMethod::Poly1:
      return QStringLiteral("poly1");
    case GeorefMethod::Poly2:
      return QStringLiteral("poly2");
    case GeorefMethod::Poly3:
      return QStringLiteral("poly3");
    case GeorefMethod::Projective:
      return QStringLiteral("projective");
    case GeorefMethod::ThinPlateSpline:
      return QStringLiteral("tps");
  }
  return QString();
}

bool methodFromKey(const QString& key, GeorefMethod& method) {
  for (GeorefMethod m : {GeorefMethod::Helmert, GeorefMethod::Poly1, GeorefMethod::Poly2, GeorefMethod::Poly3,
                         GeorefMethod::Projective, GeorefMethod::ThinPlateSpline})
    if (methodKey(m) == key.trimmed().toLower()) {
      method = m;
      return true;
    }
  return false;
}

QString methodCaption(GeorefMethod method) {
  switch (method) {
    case GeorefMethod::Helmert:
      return QCoreApplication::translate("kavalo::GeorefModel", "ヘルマート（相似）");
    case GeorefMethod::Poly1:
      return QCoreApplication::translate("kavalo::GeorefModel", "1次多項式（アフィン）");
    case GeorefMethod::Poly2:
      return QCoreApplication::translate("kavalo::GeorefModel", "2次多項式");
    case GeorefMethod::Poly3:
      return QCoreApplication::translate("kavalo::GeorefModel", "3次多項式");
    case GeorefMethod::Projective:
      return QCoreApplication::translate("kavalo::GeorefModel", "射影変換");
    case GeorefMethod::ThinPlateSpline:
      return QCoreApplication::translate("kavalo::GeorefModel", "薄板スプライン");
  }
  return QString();
}

int minimumPoints(GeorefMethod method) {
  switch (method) {
    case GeorefMethod::Helmert:
      return 2;
    case GeorefMethod::Poly1:
      return 3;
    case GeorefMethod::Poly2:
      return 6;
    case GeorefMethod::Poly3:
      return 10;
    case GeorefMethod::Projective:
      return 4;
    case GeorefMethod::ThinPlateSpline:
      return 3;
  }
  return 3;
}

int polynomialOrder(GeorefMethod method) {
  switch (method) {
    case GeorefMethod::Poly1:
      return 1;
    case GeorefMethod::Poly2:
      return 2;
    case GeorefMethod::Poly3:
      return 3;
    default:
      return 0;
  }
}

std::optional<GeorefTransform> GeorefTransform::fit(GeorefMethod method, const std::vector<PlanePoint>& scan,
                                                    const std::vector<PlanePoint>& plane, QString* why) {
  const size_t n = scan.size();
  if (n != plane.size() || static_cast<int>(n) < minimumPoints(method)) {
    if (why)
      *why = QCoreApplication::translate("kavalo::GeorefModel", "この変換には有効な点が%1点必要です（いま%2点）。")
                 .arg(minimumPoints(method))
                 .arg(static_cast<int>(std::min(n, plane.size())));
    return std::nullopt;
  }
  for (size_t i = 0; i < n; ++i)
    if (!std::isfinite(scan[i].x) || !std::isfinite(scan[i].y) || !std::isfinite(plane[i].x) ||
        !std::isfinite(plane[i].y)) {
      if (why) *why = QCoreApplication::translate("kavalo::GeorefModel", "点の座標が数ではありません。");
      return std::nullopt;
    }
  GeorefTransform t;
  t.method_ = method;
  const Normalisation ns = normalisationOf(scan), np = normalisationOf(plane);
  t.sx0_ = ns.x0;
  t.sy0_ = ns.y0;
  t.ss_ = ns.scale;
  t.px0_ = np.x0;
  t.py0_ = np.y0;
  t.ps_ = np.scale;
  std::vector<PlanePoint> s(n), p(n);
  for (size_t i = 0; i < n; ++i) {
    s[i] = {(scan[i].x - ns.x0) / ns.scale, (scan[i].y - ns.y0) / ns.scale};
    p[i] = {(plane[i].x - np.x0) / np.scale, (plane[i].y - np.y0) / np.scale};
  }
  const QString degenerate = QCoreApplication::translate(
      "kavalo::GeorefModel", "点の並びからは変換が決まりません（点が一直線に並んでいるか、重なっています）。");
  auto fail = [&] {
    if (why) *why = degenerate;
    return std::nullopt;
  };

  switch (method) {
    case GeorefMethod::Helmert: {
      // A turn, one scale and a shift: X = a u - b w + c, Y = b u + a w + d
      // with w = v or w = -v. A scan's y runs down and a plane's north up, so
      // the mirrored form is the usual one; both are fitted and the closer
      // kept.
      double best = -1.0;
      for (const double flip : {-1.0, 1.0}) {
        Matrix a(2 * n, 4);
        std::vector<double> rhs(2 * n);
        for (size_t i = 0; i < n; ++i) {
          const double u = s[i].x, w = flip * s[i].y;
          a(2 * i, 0) = u, a(2 * i, 1) = -w, a(2 * i, 2) = 1.0, a(2 * i, 3) = 0.0;
          a(2 * i + 1, 0) = w, a(2 * i + 1, 1) = u, a(2 * i + 1, 2) = 0.0, a(2 * i + 1, 3) = 1.0;
          rhs[2 * i] = p[i].x;
          rhs[2 * i + 1] = p[i].y;
        }
        std::vector<double> h;
        if (!leastSquares(a, rhs, h)) continue;
        // As an affine map of (u, v): X = c + a u - b flip v, Y = d + b u + a flip v.
        const std::vector<double> cx = {h[2], h[0], -h[1] * flip}, cy = {h[3], h[1], h[0] * flip};
        double sum = 0.0;
        for (size_t i = 0; i < n; ++i) {
          const double ex = cx[0] + cx[1] * s[i].x + cx[2] * s[i].y - p[i].x;
          const double ey = cy[0] + cy[1] * s[i].x + cy[2] * s[i].y - p[i].y;
          sum += ex * ex + ey * ey;
        }
        if (best < 0 || sum < best) {
          best = sum;
          t.cx_ = cx;
          t.cy_ = cy;
        }
      }
      if (best < 0) return fail();
      break;
    }
    case GeorefMethod::Poly1:
    case GeorefMethod::Poly2:
    case GeorefMethod::Poly3: {
      const int order = polynomialOrder(method);
      const int m = termCount(order);
      Matrix a(n, m);
      std::vector<double> bx(n), by(n), row(m);
      for (size_t i = 0; i < n; ++i) {
        terms(order, s[i].x, s[i].y, row.data());
        for (int k = 0; k < m; ++k) a(i, k) = row[k];
        bx[i] = p[i].x;
        by[i] = p[i].y;
      }
      if (!leastSquares(a, bx, t.cx_) || !leastSquares(a, by, t.cy_)) return fail();
      break;
    }
    case GeorefMethod::Projective: {
      // The linear form first (h8 = 1), then a few Gauss-Newton steps so that
      // the fit is least squares in the plane's metres as the others are.
      Matrix a(2 * n, 8);
      std::vector<double> rhs(2 * n);
      for (size_t i = 0; i < n; ++i) {
        const double u = s[i].x, v = s[i].y, X = p[i].x, Y = p[i].y;
        const double r0[8] = {u, v, 1, 0, 0, 0, -u * X, -v * X};
        const double r1[8] = {0, 0, 0, u, v, 1, -u * Y, -v * Y};
        for (int k = 0; k < 8; ++k) {
          a(2 * i, k) = r0[k];
          a(2 * i + 1, k) = r1[k];
        }
        rhs[2 * i] = X;
        rhs[2 * i + 1] = Y;
      }
      std::vector<double> h;
      if (!leastSquares(a, rhs, h)) return fail();
      for (int iteration = 0; iteration < 8 && n > 4; ++iteration) {
        Matrix j(2 * n, 8);
        std::vector<double> r(2 * n), step;
        for (size_t i = 0; i < n; ++i) {
          const double u = s[i].x, v = s[i].y;
          const double w = h[6] * u + h[7] * v + 1.0;
          if (std::abs(w) < 1e-12) return fail();
          const double X = (h[0] * u + h[1] * v + h[2]) / w, Y = (h[3] * u + h[4] * v + h[5]) / w;
          const double rx[8] = {u / w, v / w, 1 / w, 0, 0, 0, -u * X / w, -v * X / w};
          const double ry[8] = {0, 0, 0, u / w, v / w, 1 / w, -u * Y / w, -v * Y / w};
          for (int k = 0; k < 8; ++k) {
            j(2 * i, k) = rx[k];
            j(2 * i + 1, k) = ry[k];
          }
          r[2 * i] = p[i].x - X;
          r[2 * i + 1] = p[i].y - Y;
        }
        if (!leastSquares(j, r, step)) break;
        double size = 0.0;
        for (int k = 0; k < 8; ++k) {
          h[k] += step[k];
          size = std::max(size, std::abs(step[k]));
        }
        if (size < 1e-14) break;
      }
      t.cx_ = {h[0], h[1], h[2], h[3], h[4], h[5], h[6], h[7], 1.0};
      break;
    }
    case GeorefMethod::ThinPlateSpline: {
      // [K P; Pᵀ 0] [w; a] = [z; 0]: passes through every node, bends least.
      const size_t m = n + 3;
      Matrix a(m, m);
      std::vector<double> bx(m, 0.0), by(m, 0.0);
      for (size_t i = 0; i < n; ++i) {
        for (size_t k = 0; k < n; ++k) {
          const double dx = s[i].x - s[k].x, dy = s[i].y - s[k].y;
          a(i, k) = kernel(dx * dx + dy * dy);
        }
        a(i, n) = a(n, i) = 1.0;
        a(i, n + 1) = a(n + 1, i) = s[i].x;
        a(i, n + 2) = a(n + 2, i) = s[i].y;
        bx[i] = p[i].x;
        by[i] = p[i].y;
      }
      if (!solveSquare(a, bx, t.cx_) || !solveSquare(a, by, t.cy_)) return fail();
      t.nodes_ = s;
      break;
    }
  }
  for (double c : t.cx_)
    if (!std::isfinite(c)) return fail();
  for (double c : t.cy_)
    if (!std::isfinite(c)) return fail();
  return t;
}

PlanePoint GeorefTransform::apply(PlanePoint scan) const {
  const double u = (scan.x - sx0_) / ss_, v = (scan.y - sy0_) / ss_;
  double U = 0.0, V = 0.0;
  switch (method_) {
    case GeorefMethod::Helmert:
      U = cx_[0] + cx_[1] * u + cx_[2] * v;
      V = cy_[0] + cy_[1] * u + cy_[2] * v;
      break;
    case GeorefMethod::Poly1:
    case GeorefMethod::Poly2:
    case GeorefMethod::Poly3: {
      double t[10];
      terms(polynomialOrder(method_), u, v, t);
      for (size_t k = 0; k < cx_.size(); ++k) {
        U += cx_[k] * t[k];
        V += cy_[k] * t[k];
      }
      break;
    }
    case GeorefMethod::Projective: {
      const std::vector<double>& h = cx_;
      const double w = h[6] * u + h[7] * v + h[8];
      U = (h[0] * u + h[1] * v + h[2]) / w;
      V = (h[3] * u + h[4] * v + h[5]) / w;
      break;
    }
    case GeorefMethod::ThinPlateSpline: {
      const size_t n = nodes_.size();
      U = cx_[n] + cx_[n + 1] * u + cx_[n + 2] * v;
      V = cy_[n] + cy_[n + 1] * u + cy_[n + 2] * v;
      for (size_t i = 0; i < n; ++i) {
        const double dx = u - nodes_[i].x, dy = v - nodes_[i].y;
        const double k = kernel(dx * dx + dy * dy);
        U += cx_[i] * k;
        V += cy_[i] * k;
      }
      break;
    }
  }
  return PlanePoint{px0_ + ps_ * U, py0_ + ps_ * V};
}

std::array<double, 4> GeorefTransform::jacobian(PlanePoint scan) const {
  const double u = (scan.x - sx0_) / ss_, v = (scan.y - sy0_) / ss_;
  double Uu = 0, Uv = 0, Vu = 0, Vv = 0;
  switch (method_) {
    case GeorefMethod::Helmert:
      Uu = cx_[1], Uv = cx_[2], Vu = cy_[1], Vv = cy_[2];
      break;
    case GeorefMethod::Poly1:
    case GeorefMethod::Poly2:
    case GeorefMethod::Poly3: {
      double du[10], dv[10];
      termDerivatives(polynomialOrder(method_), u, v, du, dv);
      for (size_t k = 0; k < cx_.size(); ++k) {
        Uu += cx_[k] * du[k];
        Uv += cx_[k] * dv[k];
        Vu += cy_[k] * du[k];
        Vv += cy_[k] * dv[k];
      }
      break;
    }
    case GeorefMethod::Projective: {
      const std::vector<double>& h = cx_;
      const double w = h[6] * u + h[7] * v + h[8];
      const double U = (h[0] * u + h[1] * v + h[2]) / w, V = (h[3] * u + h[4] * v + h[5]) / w;
      Uu = (h[0] - U * h[6]) / w, Uv = (h[1] - U * h[7]) / w;
      Vu = (h[3] - V * h[6]) / w, Vv = (h[4] - V * h[7]) / w;
      break;
    }
    case GeorefMethod::ThinPlateSpline: {
      const size_t n = nodes_.size();
      Uu = cx_[n + 1], Uv = cx_[n + 2], Vu = cy_[n + 1], Vv = cy_[n + 2];
      for (size_t i = 0; i < n; ++i) {
        const double dx = u - nodes_[i].x, dy = v - nodes_[i].y;
        const double g = kernelSlope(dx * dx + dy * dy);
        Uu += cx_[i] * g * dx;
        Uv += cx_[i] * g * dy;
        Vu += cy_[i] * g * dx;
        Vv += cy_[i] * g * dy;
      }
      break;
    }
  }
  const double f = ps_ / ss_;
  return {Uu * f, Uv * f, Vu * f, Vv * f};
}

double GeorefTransform::pixelSize(PlanePoint scan) const {
  const std::array<double, 4> j = jacobian(scan);
  return std::sqrt(std::abs(j[0] * j[3] - j[1] * j[2]));
}

std::vector<double> GeorefTransform::coefficients() const {
  const double k = ps_ / ss_;
  if (method_ == GeorefMethod::Helmert || method_ == GeorefMethod::Poly1) {
    // X = px0 + ps (c0 + c1 (x - sx0) / ss + c2 (y - sy0) / ss)
    auto affine = [&](const std::vector<double>& c, double origin) {
      return std::array<double, 3>{origin + ps_ * c[0] - k * (c[1] * sx0_ + c[2] * sy0_), k * c[1], k * c[2]};
    };
    const auto ax = affine(cx_, px0_), ay = affine(cy_, py0_);
    return {ax[0], ax[1], ax[2], ay[0], ay[1], ay[2]};
  }
  if (method_ == GeorefMethod::Projective) {
    // Denormalise: H = D⁻¹ h N with N the scan's normalisation and D the plane's.
    const double nrm[9] = {1 / ss_, 0, -sx0_ / ss_, 0, 1 / ss_, -sy0_ / ss_, 0, 0, 1};
    const double den[9] = {ps_, 0, px0_, 0, ps_, py0_, 0, 0, 1};
    double hn[9] = {0}, out[9] = {0};
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c)
        for (int q = 0; q < 3; ++q) hn[r * 3 + c] += cx_[r * 3 + q] * nrm[q * 3 + c];
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c)
        for (int q = 0; q < 3; ++q) out[r * 3 + c] += den[r * 3 + q] * hn[q * 3 + c];
    const double s = out[8];
    std::vector<double> h(9);
    for (int i = 0; i < 9; ++i) h[i] = out[i] / s;
    return h;
  }
  return {};
}

GeorefAnalysis analyseControlPoints(GeorefMethod method, const std::vector<ControlPoint>& points,
                                    const std::vector<PlanePoint>& plane, int scanWidth, int scanHeight) {
  GeorefAnalysis a;
  a.points.resize(points.size());
  std::vector<int> on;
  for (size_t i = 0; i < points.size(); ++i) {
    a.points[i].enabled = points[i].enabled;
    if (points[i].enabled) on.push_back(static_cast<int>(i));
  }
  a.enabled = static_cast<int>(on.size());
  if (plane.size() != points.size()) {
    a.why = QCoreApplication::translate("kavalo::GeorefModel", "点の地図上の位置を平面に移せません。");
    return a;
  }
  if (a.enabled < minimumPoints(method)) {
    a.why = QCoreApplication::translate("kavalo::GeorefModel", "この変換には有効な点が%1点必要です（いま%2点）。")
                .arg(minimumPoints(method))
                .arg(a.enabled);
    return a;
  }
  // Two enabled points at one place make every fit meaningless (and the
  // spline's system singular): refuse them by name. On the map, "one place"
  // is half a scan pixel at the points' mean scale.
  double scanSpread = 0.0, planeSpread = 0.0;
  {
    double sx = 0, sy = 0, px = 0, py = 0;
    for (int i : on) {
      sx += points[i].scanX, sy += points[i].scanY, px += plane[i].x, py += plane[i].y;
    }
    const double m = static_cast<double>(on.size());
    for (int i : on) {
      scanSpread += std::pow(points[i].scanX - sx / m, 2) + std::pow(points[i].scanY - sy / m, 2);
      planeSpread += std::pow(plane[i].x - px / m, 2) + std::pow(plane[i].y - py / m, 2);
    }
  }
  const double meanScale = scanSpread > 0 ? std::sqrt(planeSpread / scanSpread) : 0.0;
  for (size_t p = 0; p < on.size(); ++p)
    for (size_t q = p + 1; q < on.size(); ++q) {
      const ControlPoint &a1 = points[on[p]], &a2 = points[on[q]];
      const bool sameScan = std::hypot(a1.scanX - a2.scanX, a1.scanY - a2.scanY) < 0.5;
      const bool sameMap =
          std::hypot(plane[on[p]].x - plane[on[q]].x, plane[on[p]].y - plane[on[q]].y) < 0.5 * meanScale;
      if (sameScan || sameMap) {
        a.why =
            (sameScan ? QCoreApplication::translate("kavalo::GeorefModel", "点%1と点%2が画像の同じ場所にあります。")
                      : QCoreApplication::translate("kavalo::GeorefModel", "点%1と点%2が地図の同じ場所にあります。"))
                .arg(a1.id)
                .arg(a2.id);
        return a;
      }
    }

  std::vector<PlanePoint> s, m;
  for (int i : on) {
    s.push_back({points[i].scanX, points[i].scanY});
    m.push_back(plane[i]);
  }
  a.transform = GeorefTransform::fit(method, s, m, &a.why);
  if (!a.transform) return a;
  a.ok = true;
  const GeorefTransform& t = *a.transform;

  double sum = 0.0, sumPx = 0.0;
  for (size_t i = 0; i < points.size(); ++i) {
    GeorefPointResult& r = a.points[i];
    const PlanePoint sp{points[i].scanX, points[i].scanY};
    const PlanePoint got = t.apply(sp);
    const double size = t.pixelSize(sp);
    r.dX = got.x - plane[i].x;
    r.dY = got.y - plane[i].y;
    r.residualMetres = std::hypot(r.dX, r.dY);
    r.residualPixels = size > 0 ? r.residualMetres / size : 0.0;
    if (points[i].enabled) {
      sum += r.residualMetres * r.residualMetres;
      sumPx += r.residualPixels * r.residualPixels;
    }
  }
  a.rmseMetres = std::sqrt(sum / a.enabled);
  a.rmsePixels = std::sqrt(sumPx / a.enabled);

  // Leave one out: the others alone must still determine the transform.
  if (a.enabled - 1 >= minimumPoints(method)) {
    double looSum = 0.0, looSumPx = 0.0;
    int counted = 0;
    for (size_t k = 0; k < on.size(); ++k) {
      std::vector<PlanePoint> s2, m2;
      for (size_t q = 0; q < on.size(); ++q)
        if (q != k) {
          s2.push_back(s[q]);
          m2.push_back(m[q]);
        }
      const std::optional<GeorefTransform> without = GeorefTransform::fit(method, s2, m2, nullptr);
      if (!without) continue;
      GeorefPointResult& r = a.points[on[k]];
      const PlanePoint got = without->apply(s[k]);
      r.looValid = true;
      r.looX = got.x - m[k].x;
      r.looY = got.y - m[k].y;
      r.looMetres = std::hypot(r.looX, r.looY);
      const double size = t.pixelSize(s[k]);
      r.looPixels = size > 0 ? r.looMetres / size : 0.0;
      looSum += r.looMetres * r.looMetres;
      looSumPx += r.looPixels * r.looPixels;
      ++counted;
    }
    if (counted > 0) {
      a.looAvailable = true;
      a.looRmseMetres = std::sqrt(looSum / counted);
      a.looRmsePixels = std::sqrt(looSumPx / counted);
    }
  }
  double worst = -1.0;
  for (int i : on) {
    const GeorefPointResult& r = a.points[i];
    const double v = a.looAvailable ? (r.looValid ? r.looPixels : -1.0) : r.residualPixels;
    if (v > worst) {
      worst = v;
      a.worst = i;
    }
  }

  // Folds and shears: the Jacobian over a grid of the scan. A fold is a
  // change of the determinant's sign (or a point where it vanishes).
  if (scanWidth > 0 && scanHeight > 0) {
    int positive = 0, negative = 0;
    double worstAngle = 0.0, worstRatio = 1.0;
    for (int gy = 0; gy < kCheckGrid; ++gy)
      for (int gx = 0; gx < kCheckGrid; ++gx) {
        const PlanePoint q{scanWidth * gx / double(kCheckGrid - 1), scanHeight * gy / double(kCheckGrid - 1)};
        const std::array<double, 4> j = t.jacobian(q);
        const double det = j[0] * j[3] - j[1] * j[2];
        const double lx = std::hypot(j[0], j[2]), ly = std::hypot(j[1], j[3]);
        if (det > 0 && std::isfinite(det))
          ++positive;
        else if (det < 0 && std::isfinite(det))
          ++negative;
        else {
          ++positive;
          ++negative;
        }
        if (lx > 0 && ly > 0) {
          const double cosine = std::clamp((j[0] * j[1] + j[2] * j[3]) / (lx * ly), -1.0, 1.0);
          worstAngle = std::max(worstAngle, std::abs(90.0 - std::acos(cosine) * 180.0 / kPi));
          worstRatio = std::max(worstRatio, std::max(lx / ly, ly / lx));
        }
      }
    a.folds = positive > 0 && negative > 0;
    a.shears = worstAngle > kShearDegrees || worstRatio > kStretchRatio;
    if (a.folds)
      a.warnings << QCoreApplication::translate("kavalo::GeorefModel",
                                                "この変換は画像を折り返します。誤った点がないか確かめてください。");
    if (a.shears && !a.folds)
      a.warnings << QCoreApplication::translate("kavalo::GeorefModel",
                                                "この変換は画像を強くゆがめます（直角から%1°、縦横比%2）。")
                        .arg(worstAngle, 0, 'f', 1)
                        .arg(worstRatio, 0, 'f', 2);
  }
  return a;
}

}  // namespace kavalo
