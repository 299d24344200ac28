// SPDX-License-Identifier: MIT
#include "render/GeorefPreview.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "geo/GeorefSession.h"

namespace kavalo {

namespace {

// Mesh cells along the scan's longer side: fine enough that a third-order
// polynomial or a spline is within a fraction of a view pixel inside a cell
// at the zooms the georeferencer uses, coarse enough to carry through the
// transform in a millisecond.
constexpr int kMeshCells = 64;

struct Vertex {
  double x, y;  // view pixels
  double u, v;  // reduced-copy pixels
};

// Fills one triangle: each view pixel whose centre lies inside takes the
// reduced copy's pixel at the affine interpolation of the corners.
void fillTriangle(QImage& out, const QImage& src, const Vertex& a, const Vertex& b, const Vertex& c) {
  const double det = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
  if (!(std::abs(det) > 1e-9)) return;
  const int w = out.width(), h = out.height();
  const int x0 = std::max(0, static_cast<int>(std::floor(std::min({a.x, b.x, c.x}))));
  const int x1 = std::min(w - 1, static_cast<int>(std::ceil(std::max({a.x, b.x, c.x}))));
  const int y0 = std::max(0, static_cast<int>(std::floor(std::min({a.y, b.y, c.y}))));
  const int y1 = std::min(h - 1, static_cast<int>(std::ceil(std::max({a.y, b.y, c.y}))));
  if (x0 > x1 || y0 > y1) return;
  // Source position as an affine function of the view position.
  const double du_dx = ((b.u - a.u) * (c.y - a.y) - (c.u - a.u) * (b.y - a.y)) / det;
  const double du_dy = ((c.u - a.u) * (b.x - a.x) - (b.u - a.u) * (c.x - a.x)) / det;
  const double dv_dx = ((b.v - a.v) * (c.y - a.y) - (c.v - a.v) * (b.y - a.y)) / det;
  const double dv_dy = ((c.v - a.v) * (b.x - a.x) - (b.v - a.v) * (c.x - a.x)) / det;
  const int sw = src.width(), sh = src.height();
  const Vertex* vs[3] = {&a, &b, &c};
  for (int y = y0; y <= y1; ++y) {
    const double py = y + 0.5;
    // The span of this row inside the triangle, from its three edges.
    double left = x0, right = x1 + 1.0;
    bool empty = false;
    for (int e = 0; e < 3 && !empty; ++e) {
      const Vertex& p = *vs[e];
      const Vertex& q = *vs[(e + 1) % 3];
      const Vertex& r = *vs[(e + 2) % 3];
      // Inside: same side of pq as r.
      const double ex = q.x - p.x, ey = q.y - p.y;
      const double side = ex * (r.y - p.y) - ey * (r.x - p.x);
      // ex (py - p.y) - ey (px - p.x) has the sign of side inside.
      const double k = -ey * (side > 0 ? 1 : -1);
      const double c0 = (ex * (py - p.y) + ey * p.x) * (side > 0 ? 1 : -1);
      // k * px + c0 >= 0
      if (k == 0) {
        if (c0 < 0) empty = true;
      } else if (k > 0) {
        left = std::max(left, -c0 / k);
      } else {
        right = std::min(right, -c0 / k);
      }
    }
    if (empty) continue;
    const int xs = std::max(x0, static_cast<int>(std::ceil(left - 0.5)));
    const int xe = std::min(x1, static_cast<int>(std::ceil(right - 0.5)) - 1);
    if (xs > xe) continue;
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    double u = a.u + (xs + 0.5 - a.x) * du_dx + (py - a.y) * du_dy;
    double v = a.v + (xs + 0.5 - a.x) * dv_dx + (py - a.y) * dv_dy;
    for (int x = xs; x <= xe; ++x, u += du_dx, v += dv_dx) {
      const int iu = static_cast<int>(u), iv = static_cast<int>(v);
      if (u < 0 || v < 0 || iu >= sw || iv >= sh) continue;
      line[x] = reinterpret_cast<const QRgb*>(src.constScanLine(iv))[iu];
    }
  }
}

}  // namespace

QImage georefPreview(const GeorefSession& session, const Viewport& view) {
  if (view.width() < 1 || view.height() < 1 || session.scanWidth() < 1 || session.scanHeight() < 1) return QImage();
  if (!session.analysis().ok) return QImage();
  QImage src = session.maskedReducedScan();
  if (src.isNull()) return QImage();
  if (src.format() != QImage::Format_ARGB32_Premultiplied)
    src = src.convertToFormat(QImage::Format_ARGB32_Premultiplied);

  const int sw = session.scanWidth(), sh = session.scanHeight();
  const double cell = static_cast<double>(std::max(sw, sh)) / kMeshCells;
  const int nx = std::max(1, static_cast<int>(std::ceil(sw / cell)));
  const int ny = std::max(1, static_cast<int>(std::ceil(sh / cell)));
  std::vector<double> x, y;
  x.reserve((nx + 1) * (ny + 1));
  y.reserve((nx + 1) * (ny + 1));
  for (int j = 0; j <= ny; ++j)
    for (int i = 0; i <= nx; ++i) {
      x.push_back(std::min<double>(sw, i * cell));
      y.push_back(std::min<double>(sh, j * cell));
    }
  std::vector<double> sx = x, sy = y;
  if (!session.scanToWorld(x, y)) return QImage();

  // World-datum degrees to view pixels, in double precision: the mosaic's
  // linear frame, then the viewport's centre and scale.
  const MapInfo& info = view.info();
  const double mosaicW = static_cast<double>(info.totalCols) * info.tileWidth;
  const double mosaicH = static_cast<double>(info.totalRows) * info.tileHeight;
  const double kx = view.scale().screenPerImageX * view.zoomPercent() / 100.0;
  const double ky = view.scale().screenPerImageY * view.zoomPercent() / 100.0;
  const double k = session.reducedScale();
  std::vector<Vertex> vertex(x.size());
  for (size_t n = 0; n < x.size(); ++n) {
    const double ix = (x[n] - info.west) / (info.sheetsX * 0.125) * mosaicW + info.frame[2].x;
    const double iy = (info.north - y[n]) / (info.sheetsY * 0.08333333) * mosaicH + info.frame[2].y;
    vertex[n] = Vertex{view.width() / 2.0 + (ix - view.centerX()) * kx,
                       view.height() / 2.0 + (iy - view.centerY()) * ky, sx[n] * k, sy[n] * k};
  }
  QImage out(view.width(), view.height(), QImage::Format_ARGB32_Premultiplied);
  out.fill(Qt::transparent);
  for (int j = 0; j < ny; ++j)
    for (int i = 0; i < nx; ++i) {
      const Vertex& a = vertex[j * (nx + 1) + i];
      const Vertex& b = vertex[j * (nx + 1) + i + 1];
      const Vertex& c = vertex[(j + 1) * (nx + 1) + i];
      const Vertex& d = vertex[(j + 1) * (nx + 1) + i + 1];
      fillTriangle(out, src, a, b, d);
      fillTriangle(out, src, a, d, c);
    }
  return out;
}

}  // namespace kavalo
