// SPDX-License-Identifier: MIT
#include "net/XyzTiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>

#include "net/AgencyAcquisition.h"
#include "net/TileWriteQueue.h"
#include "platform/Prompts.h"
#include "render/ImageLibrary.h"
#include "render/RasterOps.h"
#include "render/Tiles.h"

namespace kavalo {

namespace {
constexpr double kPi = 3.14159265358979323846;
// More tiles than this is not a polite request of anybody's server.
constexpr int kMaxTiles = 20000;
}  // namespace

QString xyzTileUrl(const QString& urlTemplate, int z, int x, int y) {
  QString url = urlTemplate;
  url.replace(QStringLiteral("{z}"), QString::number(z));
  url.replace(QStringLiteral("{x}"), QString::number(x));
  url.replace(QStringLiteral("{y}"), QString::number(y));
  return url;
}

bool xyzTemplateUsable(const QString& t) {
  return (t.startsWith(QStringLiteral("http://")) || t.startsWith(QStringLiteral("https://"))) &&
         t.contains(QStringLiteral("{z}")) && t.contains(QStringLiteral("{x}")) && t.contains(QStringLiteral("{y}"));
}

double mercatorX(double lon, int z) { return (lon + 180.0) / 360.0 * 256.0 * std::ldexp(1.0, z); }

double mercatorY(double lat, int z) {
  const double phi = lat * kPi / 180.0;
  return (1.0 - std::log(std::tan(phi) + 1.0 / std::cos(phi)) / kPi) / 2.0 * 256.0 * std::ldexp(1.0, z);
}

double imageToWorldLon(const MapInfo& info, double x) {
  x -= info.frame[2].x;
  return x / (static_cast<double>(info.totalCols) * info.tileWidth) * (info.sheetsX * 0.125) + info.west;
}

double imageToWorldLat(const MapInfo& info, double y) {
  y -= info.frame[2].y;
  return info.north - y / (static_cast<double>(info.totalRows) * info.tileHeight) * (info.sheetsY * 0.08333333);
}

XyzRange xyzRangeFor(const MapInfo& info, int z) {
  XyzRange r;
  if (info.totalCols < 1 || info.totalRows < 1 || info.tileWidth < 1 || info.tileHeight < 1 || z < 0 || z > 24)
    return r;
  const double left = info.frame[2].x, top = info.frame[2].y;
  const double right = left + static_cast<double>(info.totalCols) * info.tileWidth;
  const double bottom = top + static_cast<double>(info.totalRows) * info.tileHeight;
  const int last = (1 << z) - 1;
  auto tileOf = [last](double px) { return std::clamp(static_cast<int>(std::floor(px / 256.0)), 0, last); };
  r.x0 = tileOf(mercatorX(imageToWorldLon(info, left), z) - 1);
  r.x1 = tileOf(mercatorX(imageToWorldLon(info, right), z) + 1);
  r.y0 = tileOf(mercatorY(imageToWorldLat(info, top), z) - 1);
  r.y1 = tileOf(mercatorY(imageToWorldLat(info, bottom), z) + 1);
  return r;
}

namespace {

// The source positions of one axis of a tile: for each output pixel, s
// samples (first source pixel and weight of the next one), in mosaic pixels.
struct Taps {
  int samples = 1;
  std::vector<int> index;
  std::vector<int> weight;  // of index + 1, out of 256
};

Taps makeTaps(int length, const std::function<double(double)>& sourceAt, double origin, int limit) {
  Taps t;
  const double span = std::abs(sourceAt(length) - sourceAt(0)) / length;
  t.samples = std::clamp(static_cast<int>(std::ceil(span - 1e-9)), 1, 4);
  for (int p = 0; p < length; ++p)
    for (int k = 0; k < t.samples; ++k) {
      // Pixel centres lie at half positions on both sides.
      const double s = sourceAt(p + (k + 0.5) / t.samples) - origin - 0.5;
      const double f = std::floor(s);
      const int i = std::clamp(static_cast<int>(f), 0, limit - 2);
      const int w = std::clamp(static_cast<int>(std::lround((s - i) * 256.0)), 0, 256);
      t.index.push_back(i);
      t.weight.push_back(w);
    }
  return t;
}

inline int lerp(int a, int b, int w) { return a + (((b - a) * w) >> 8); }

}  // namespace

QImage reprojectTile(const MapInfo& info, int col, int row, int z,
                     const std::function<const QImage&(int tx, int ty)>& tileAt) {
  const int W = info.tileWidth, H = info.tileHeight;
  const double x0 = info.frame[2].x + static_cast<double>(col) * W;
  const double y0 = info.frame[2].y + static_cast<double>(row) * H;
  auto mx = [&](double p) { return mercatorX(imageToWorldLon(info, x0 + p), z); };
  auto my = [&](double p) { return mercatorY(imageToWorldLat(info, y0 + p), z); };
  // The mercator pixels this tile reads, with a pixel to spare on each side.
  const int last = (256 << z) - 1;
  const int left = std::clamp(static_cast<int>(std::floor(std::min(mx(0), mx(W)))) - 2, 0, last);
  const int right = std::clamp(static_cast<int>(std::ceil(std::max(mx(0), mx(W)))) + 2, 0, last);
  const int top = std::clamp(static_cast<int>(std::floor(std::min(my(0), my(H)))) - 2, 0, last);
  const int bottom = std::clamp(static_cast<int>(std::ceil(std::max(my(0), my(H)))) + 2, 0, last);
  QImage mosaic(right - left + 1, bottom - top + 1, QImage::Format_RGB32);
  mosaic.fill(qRgb(255, 255, 255));
  const QRegion whole(mosaic.rect());
  for (int ty = top / 256; ty <= bottom / 256; ++ty)
    for (int tx = left / 256; tx <= right / 256; ++tx) {
      const QImage& t = tileAt(tx, ty);
      if (!t.isNull())
        stretchBlt(mosaic, QRect(tx * 256 - left, ty * 256 - top, 256, 256), t, QRect(0, 0, 256, 256), RasterOp::Copy,
                   whole);
    }
  QImage out(W, H, QImage::Format_RGB32);
  if (mosaic.width() < 2 || mosaic.height() < 2) {
    out.fill(qRgb(255, 255, 255));
    return out;
  }
  const Taps tx = makeTaps(W, mx, left, mosaic.width());
  const Taps ty = makeTaps(H, my, top, mosaic.height());
  const int n = tx.samples * ty.samples;
  for (int y = 0; y < H; ++y) {
    QRgb* o = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < W; ++x) {
      int r = 0, g = 0, b = 0;
      for (int a = 0; a < ty.samples; ++a) {
        const size_t ya = static_cast<size_t>(y * ty.samples + a);
        const QRgb* s0 = reinterpret_cast<const QRgb*>(mosaic.constScanLine(ty.index[ya]));
        const QRgb* s1 = reinterpret_cast<const QRgb*>(mosaic.constScanLine(ty.index[ya] + 1));
        const int wy = ty.weight[ya];
        for (int c = 0; c < tx.samples; ++c) {
          const size_t xc = static_cast<size_t>(x * tx.samples + c);
          const int i = tx.index[xc], wx = tx.weight[xc];
          const QRgb p00 = s0[i], p01 = s0[i + 1], p10 = s1[i], p11 = s1[i + 1];
          r += lerp(lerp(qRed(p00), qRed(p01), wx), lerp(qRed(p10), qRed(p11), wx), wy);
          g += lerp(lerp(qGreen(p00), qGreen(p01), wx), lerp(qGreen(p10), qGreen(p11), wx), wy);
          b += lerp(lerp(qBlue(p00), qBlue(p01), wx), lerp(qBlue(p10), qBlue(p11), wx), wy);
        }
      }
      o[x] = qRgb((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n);
    }
  }
  return out;
}

ImageRule xyzTileRule() { return {QByteArray(), QSize(kMaxFetchedImageSide, kMaxFetchedImageSide)}; }

namespace {

std::mutex g_cacheMutex;
QString g_cacheRoot;

QString cachePath(const QString& folder, int z, int x, int y) {
  return QStringLiteral("%1/%2/%3/%4").arg(folder).arg(z).arg(x).arg(y);
}

}  // namespace

void setXyzCacheRoot(const QString& folder) {
  std::lock_guard<std::mutex> lock(g_cacheMutex);
  g_cacheRoot = folder;
}

QString xyzCacheFolder(const QString& urlTemplate) {
  QString root;
  {
    std::lock_guard<std::mutex> lock(g_cacheMutex);
    root = g_cacheRoot;
  }
  // The window and the command-line tool share one cache.
  if (root.isEmpty())
    root = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/kavalo/xyz");
  const QByteArray key = QCryptographicHash::hash(urlTemplate.toUtf8(), QCryptographicHash::Sha1).toHex();
  return root + u'/' + QString::fromLatin1(key.left(16));
}

XyzResult AcquireXyz(const AcquireContext& ctx, const XyzFetcher& fetch, const QString& folder,
                     const XyzRequest& request, const MapInfo& info) {
  XyzResult result;
  const int z = request.zoom;
  const XyzRange range = xyzRangeFor(info, z);
  if (range.count() == 0 || range.count() > kMaxTiles) return result;

  // What the cache lacks is asked for; what it holds is not asked again.
  std::vector<std::pair<QString, QString>> jobs;
  for (int y = range.y0; y <= range.y1; ++y)
    for (int x = range.x0; x <= range.x1; ++x) {
      const QString path = cachePath(request.cacheFolder, z, x, y);
      if (QFileInfo::exists(path)) {
        ++result.cached;
        continue;
      }
      QDir().mkpath(QFileInfo(path).absolutePath());
      jobs.emplace_back(xyzTileUrl(request.urlTemplate, z, x, y), path);
    }
  int fetched = 0;
  ctx.showProgress(0, static_cast<int>(jobs.size()));
  if (!jobs.empty())
    fetch(
        jobs,
        [&](int index, const TransferResult& r) {
          ++result.requests;
          result.counts.add(jobs[static_cast<size_t>(index)].first, r);
          // A request ended because another one failed is no cancel.
          if (r.outcome == TransferOutcome::Aborted && result.counts.failed == 0) result.cancelled = true;
          ctx.showProgress(++fetched, static_cast<int>(jobs.size()));
          if (ctx.prompts && fetched % 8 == 0) ctx.prompts->processEvents();
        },
        [&] { return ctx.cancelled() || result.counts.failed > 0; });
  if (ctx.cancelled()) result.cancelled = true;
  // A tile that could not be had would leave a hole in the era: no era.
  if (result.cancelled || result.counts.failed > 0) {
    ctx.showProgress(0, -1);
    return result;
  }

  // Decoded tiles of the rows in use; rows north of the current tile row go.
  std::map<std::pair<int, int>, QImage> decoded;
  std::map<std::pair<int, int>, bool> present;
  auto tileAt = [&](int tx, int ty) -> const QImage& {
    auto it = decoded.find({ty, tx});
    if (it != decoded.end()) return it->second;
    const QString path = cachePath(request.cacheFolder, z, tx, ty);
    QFile file(path);
    QImage image;
    // Checked like a tile from the server: a cache may hold files of an
    // older version, or of anybody.
    if (file.open(QIODevice::ReadOnly)) image = decodeFetchedImage(file.read(bodyLimits().imageBytes), xyzTileRule());
    // A file that is no image (an error page kept by a server that answered
    // 200) is not kept: the next run asks for it again. An empty file stands
    // for a tile the server does not have.
    if (image.isNull() && file.size() > 0) file.remove();
    return decoded.emplace(std::make_pair(ty, tx), image).first->second;
  };

  TileWriteQueue queue;
  const QString ext = request.map ? QStringLiteral("png") : QStringLiteral("jpg");
  const bool map = request.map;
  ctx.showProgress(0, info.totalRows);
  for (int row = 0; row < info.totalRows && !queue.failed(); ++row) {
    ctx.showProgress(row + 1, info.totalRows);
    if (ctx.prompts) ctx.prompts->processEvents();
    if (ctx.cancelled()) {
      result.cancelled = true;
      break;
    }
    const int northTile =
        static_cast<int>(std::floor(
            mercatorY(imageToWorldLat(info, info.frame[2].y + static_cast<double>(row) * info.tileHeight), z) /
            256.0)) -
        1;
    for (auto it = decoded.begin(); it != decoded.end();) it = it->first.first < northTile ? decoded.erase(it) : ++it;
    for (int col = 0; col < info.totalCols && !queue.failed(); ++col) {
      bool any = false;
      const QImage tile = reprojectTile(info, col, row, z, [&](int tx, int ty) -> const QImage& {
        const QImage& t = tileAt(tx, ty);
        any |= !t.isNull();
        return t;
      });
      if (!any) continue;  // nothing of the service here: no tile
      const QString name = TileName(col, row, ext);
      queue.push([folder, name, tile, map](QString* error) {
        return writeEraTile(folder, name, tile, map, error) ? TileWriteQueue::Done::Written
                                                            : TileWriteQueue::Done::Failed;
      });
    }
  }
  result.tiles = queue.finish(&result.writeError);
  ctx.showProgress(0, -1);
  return result;
}

}  // namespace kavalo
