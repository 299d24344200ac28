// SPDX-License-Identifier: MIT
#pragma once
// The transforms that turn scan pixels into a projected plane (metres), fitted
// to control points, and the honest figures of how well they fit: each
// point's residual (where the transform puts the scan point, minus the map
// point) and its leave-one-out error (where the transform computed without
// that point puts it). The thin-plate spline passes through every point, so
// its residuals are always zero; the leave-one-out error is the figure that
// tells a wrong point for every transform alike.
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

#include "geo/ControlPoints.h"

namespace kavalo {

struct PlanePoint {
  double x = 0.0;
  double y = 0.0;
};

// "helmert", "poly1", "poly2", "poly3", "projective", "tps": the names the
// command line and the saved sets use.
QString methodKey(GeorefMethod method);
bool methodFromKey(const QString& key, GeorefMethod& method);
// The name the window shows.
QString methodCaption(GeorefMethod method);
// The fewest enabled points the transform needs: 2, 3, 6, 10, 4, 3.
int minimumPoints(GeorefMethod method);
// The polynomial order of a polynomial method, 0 for the others.
int polynomialOrder(GeorefMethod method);

// A transform fitted to control points: least squares for Helmert, the
// polynomials and the projective transform; exact interpolation for the
// thin-plate spline. Both sides are normalised before the fit, so that a
// third-order polynomial of a 20,000-pixel scan stays well conditioned.
class GeorefTransform {
 public:
  // Fits scan (pixels) to plane (metres). Empty with the reason when there are
  // too few points or they do not determine the transform (all on a line for
  // an affine fit, for instance).
  static std::optional<GeorefTransform> fit(GeorefMethod method, const std::vector<PlanePoint>& scan,
                                            const std::vector<PlanePoint>& plane, QString* why);

  GeorefMethod method() const { return method_; }
  PlanePoint apply(PlanePoint scan) const;
  // The partial derivatives at a scan point: dX/dx, dX/dy, dY/dx, dY/dy.
  std::array<double, 4> jacobian(PlanePoint scan) const;
  // Metres per scan pixel at a point: the square root of the Jacobian's
  // determinant's magnitude.
  double pixelSize(PlanePoint scan) const;
  // Helmert and first-order polynomial: the affine coefficients
  // X = c0 + c1 x + c2 y, Y = c3 + c4 x + c5 y (a geotransform). Projective:
  // the nine coefficients of the homography, row by row, mapping (x, y, 1).
  // Empty for the others.
  std::vector<double> coefficients() const;

 private:
  GeorefMethod method_ = GeorefMethod::Poly1;
  // Normalisation: u = (x - sx0) / ss, v = (y - sy0) / ss on the scan side,
  // X = px0 + ps * U, Y = py0 + ps * V on the plane side.
  double sx0_ = 0, sy0_ = 0, ss_ = 1, px0_ = 0, py0_ = 0, ps_ = 1;
  std::vector<double> cx_, cy_;    // per-method coefficients in normalised units
  std::vector<PlanePoint> nodes_;  // the spline's nodes (normalised scan)
};

struct GeorefPointResult {
  bool enabled = true;
  // The residual: where the transform puts the scan point minus the map
  // point, in the plane's metres, and its length in metres and in scan
  // pixels (divided by the local pixel size).
  double dX = 0.0, dY = 0.0;
  double residualMetres = 0.0;
  double residualPixels = 0.0;
  // Where the transform fitted without this point puts it, minus the map
  // point; false when the others are too few for the transform.
  bool looValid = false;
  double looX = 0.0, looY = 0.0;
  double looMetres = 0.0;
  double looPixels = 0.0;
};

struct GeorefAnalysis {
  bool ok = false;
  QString why;  // why there is no transform: too few points, two at one place
  std::optional<GeorefTransform> transform;
  std::vector<GeorefPointResult> points;  // one per control point, disabled ones too
  int enabled = 0;
  double rmseMetres = 0.0, rmsePixels = 0.0;
  bool looAvailable = false;
  double looRmseMetres = 0.0, looRmsePixels = 0.0;
  int worst = -1;        // the enabled point with the largest leave-one-out error (residual when there is none)
  bool folds = false;    // the transform turns the scan over itself somewhere
  bool shears = false;   // strongly sheared or stretched somewhere on the scan
  QStringList warnings;  // the window's and the report's words for folds and shears
};

// Fits the method to the enabled points and computes every figure. plane
// holds each control point's map place in the plane (metres), one per point.
// scanWidth and scanHeight bound the grid the fold and shear checks look at.
GeorefAnalysis analyseControlPoints(GeorefMethod method, const std::vector<ControlPoint>& points,
                                    const std::vector<PlanePoint>& plane, int scanWidth, int scanHeight);

}  // namespace kavalo
