// SPDX-License-Identifier: MIT
#include "output/WebTileRender.h"

#include <QBuffer>
#include <QImageWriter>

#include <algorithm>
#include <cmath>

#include "model/ProgramState.h"
#include "render/ImageLibrary.h"
#include "render/ViewComposer.h"

namespace kavalo {

namespace {

// The composed strip is taller than the tile: Mercator stretches latitude
// within a tile, and rows picked from a finer strip keep the lines sharp.
constexpr int kStripRows = 2 * kWebTileSize;

}  // namespace

ImageBox eraImageBox(const ProgramState& state, int eraIndex) {
  const MapInfo& info = state.mapInfo;
  int frame = kTokyoFrame;
  if (eraIndex >= 0 && eraIndex < static_cast<int>(state.eras.size()))
    frame = std::clamp(state.eras[static_cast<size_t>(eraIndex)].frameType, 0, 2);
  const FrameOffset& o = info.frame[frame];
  ImageBox b;
  b.left = o.x;
  b.top = o.y;
  b.right = o.x + static_cast<double>(info.totalCols) * info.tileWidth;
  b.bottom = o.y + static_cast<double>(info.totalRows) * info.tileHeight;
  return b;
}

QImage renderWebTile(const ProgramState& state, int eraIndex, const WebTile& tile, const WebTileLayers& layers) {
  const RegionGeometry g = regionGeometry(state.mapInfo);
  if (!(g.lonPerPx > 0.0)) return {};
  const ImageBox era = eraImageBox(state, eraIndex);
  const LonLatBox ll = webTileLonLatBounds(tile);
  // The tile's box in image pixels: x is linear in longitude, y in latitude.
  const double x0 = g.imageX(ll.west), x1 = g.imageX(ll.east);
  const double y0 = g.imageY(ll.north), y1 = g.imageY(ll.south);
  if (x1 <= era.left || x0 >= era.right || y1 <= era.top || y0 >= era.bottom) return {};

  const double mmPerImagePx = 370.0 / (static_cast<double>(state.mapInfo.tilesPerSheetY) * state.mapInfo.tileHeight);
  ViewRequest request;
  request.eraIndex = eraIndex;
  request.centerX = static_cast<float>((x0 + x1) / 2.0);
  request.centerY = static_cast<float>((y0 + y1) / 2.0);
  request.zoomPercent = 100;
  request.mmPerPxX = (x1 - x0) / kWebTileSize * mmPerImagePx;
  request.mmPerPxY = (y1 - y0) / kStripRows * mmPerImagePx;
  request.viewSize = QSize(kWebTileSize, kStripRows);
  request.layers.tiles = true;
  request.layers.altitude = layers.elevation;
  request.layers.sheetLines = false;
  request.layers.scale = false;
  request.layers.legend = false;
  request.layers.marks = false;
  request.layers.overlays = false;
  request.pass = RenderPass::Export;
  QImage composed, strip;
  // The picture before its overlays: no credits or scale bar in a tile.
  if (!renderView(state, request, composed, nullptr, &strip) || strip.isNull()) return {};
  strip = strip.convertToFormat(QImage::Format_RGB32);

  QImage out(kWebTileSize, kWebTileSize, QImage::Format_ARGB32);
  const MercatorBox m = webTileMercatorBounds(tile);
  const double res = (m.maxY - m.minY) / kWebTileSize;
  const double colStep = (x1 - x0) / kWebTileSize;
  for (int r = 0; r < kWebTileSize; ++r) {
    const double lat = mercatorYToLat(m.maxY - (r + 0.5) * res);
    const double iy = g.imageY(lat);
    QRgb* to = reinterpret_cast<QRgb*>(out.scanLine(r));
    if (iy < era.top || iy >= era.bottom) {
      std::fill(to, to + kWebTileSize, 0u);
      continue;
    }
    // The strip's rows are centred at y0 + (k + 0.5) (y1 - y0) / rows.
    const double f = std::clamp((iy - y0) / (y1 - y0) * kStripRows - 0.5, 0.0, kStripRows - 1.0);
    const int k = std::min(static_cast<int>(f), kStripRows - 2);
    const double w = f - k;
    const QRgb* a = reinterpret_cast<const QRgb*>(strip.constScanLine(k));
    const QRgb* b = reinterpret_cast<const QRgb*>(strip.constScanLine(k + 1));
    for (int c = 0; c < kWebTileSize; ++c) {
      const double ix = x0 + (c + 0.5) * colStep;
      if (ix < era.left || ix >= era.right) {
        to[c] = 0u;
        continue;
      }
      auto mix = [w](int p, int q) { return static_cast<int>(std::lround(p + (q - p) * w)); };
      to[c] = qRgba(mix(qRed(a[c]), qRed(b[c])), mix(qGreen(a[c]), qGreen(b[c])), mix(qBlue(a[c]), qBlue(b[c])), 255);
    }
  }
  return out;
}

QImage webTileFromChildren(const QImage children[4]) {
  QImage out(kWebTileSize, kWebTileSize, QImage::Format_ARGB32);
  for (int quarter = 0; quarter < 4; ++quarter) {
    const int qx = quarter % 2, qy = quarter / 2;
    QImage child = children[quarter];
    const bool blank = child.isNull() || child.size() != QSize(kWebTileSize, kWebTileSize);
    if (!blank) child = child.convertToFormat(QImage::Format_ARGB32);
    for (int r = 0; r < kWebTileSize / 2; ++r) {
      QRgb* to = reinterpret_cast<QRgb*>(out.scanLine(qy * kWebTileSize / 2 + r)) + qx * kWebTileSize / 2;
      if (blank) {
        std::fill(to, to + kWebTileSize / 2, 0u);
        continue;
      }
      const QRgb* a = reinterpret_cast<const QRgb*>(child.constScanLine(2 * r));
      const QRgb* b = reinterpret_cast<const QRgb*>(child.constScanLine(2 * r + 1));
      for (int c = 0; c < kWebTileSize / 2; ++c) {
        const QRgb p[4] = {a[2 * c], a[2 * c + 1], b[2 * c], b[2 * c + 1]};
        // Averaged by weight of alpha, so that a transparent pixel lends no
        // colour to the edge of the map.
        int alpha = 0, red = 0, green = 0, blue = 0;
        for (QRgb v : p) {
          alpha += qAlpha(v);
          red += qRed(v) * qAlpha(v);
          green += qGreen(v) * qAlpha(v);
          blue += qBlue(v) * qAlpha(v);
        }
        to[c] = alpha == 0 ? 0u
                           : qRgba((red + alpha / 2) / alpha, (green + alpha / 2) / alpha, (blue + alpha / 2) / alpha,
                                   (alpha + 2) / 4);
      }
    }
  }
  return out;
}

bool webTileInvisible(const QImage& tile) {
  if (tile.isNull()) return true;
  if (!tile.hasAlphaChannel()) return false;
  const QImage argb = tile.convertToFormat(QImage::Format_ARGB32);
  for (int r = 0; r < argb.height(); ++r) {
    const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(r));
    for (int c = 0; c < argb.width(); ++c)
      if (qAlpha(row[c]) != 0) return false;
  }
  return true;
}

QByteArray encodeWebTile(const QImage& tile) {
  if (tile.isNull()) return {};
  bool opaque = !tile.hasAlphaChannel();
  if (!opaque) {
    const QImage argb = tile.convertToFormat(QImage::Format_ARGB32);
    opaque = true;
    for (int r = 0; r < argb.height() && opaque; ++r) {
      const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(r));
      for (int c = 0; c < argb.width(); ++c)
        if (qAlpha(row[c]) != 255) {
          opaque = false;
          break;
        }
    }
  }
  // Most tiles lie inside the map: the fast truecolour encoder; the edges of
  // the map keep their alpha through the general one.
  if (opaque) return encodePngFast(tile);
  // The program's own encoders write opaque pictures only.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  return writer.write(tile.convertToFormat(QImage::Format_ARGB32)) ? bytes : QByteArray();
}

}  // namespace kavalo
