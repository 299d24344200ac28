// SPDX-License-Identifier: MIT
#include "output/EraFileExport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <vector>

#include "elevation/Credits.h"
#include "model/EraLabels.h"
#include "model/ProgramState.h"
#include "output/ParallelWork.h"
#include "output/WebTileRender.h"
#include "platform/AtomicFile.h"
#include "platform/GeoDataLoader.h"
#include "render/ImageLibrary.h"
#include "render/ViewComposer.h"

namespace kavalo {

namespace {

// The mosaic is composed in squares of this many image pixels: large enough
// that the pieces stay few, small enough for two of them per core.
constexpr int kPieceSide = 2048;

bool fail(QString* error, const QString& text) {
  if (error) *error = text;
  return false;
}

struct PieceList {
  std::mutex mutex;
  std::vector<RasterPiece> pieces;
  void add(const RasterPiece& p) {
    std::lock_guard lock(mutex);
    pieces.push_back(p);
  }
};

bool writePiece(const QString& path, const QByteArray& bytes, QString* error) {
  if (bytes.isEmpty()) return fail(error, QStringLiteral("cannot encode %1").arg(path));
  return writeFileAtomically(path, bytes, error);
}

// The era's web tiles at the top zoom, as pieces of one raster in EPSG:3857.
bool tilePieces(const ProgramState& state, int eraIndex, const EraFileOptions& options, const QString& folder,
                RasterFileJob& job, QString* error) {
  const RegionGeometry g = regionGeometry(state.mapInfo);
  const ImageBox b = eraImageBox(state, eraIndex);
  const LonLatBox box = imageBoxLonLat(g, b.left, b.top, b.right, b.bottom);
  const WebZoomRange zooms = webZoomRange(box, g.lonPerPx);
  const WebTileRange range = webTilesCovering(box, zooms.maxZoom);
  const qsizetype across = range.maxX - range.minX + 1;
  const int threads = threadsFor(options.threads);
  std::vector<ProgramState> sessions(static_cast<size_t>(threads), state);
  PieceList list;
  const WebTileLayers layers{options.elevation};
  const bool ok = runParallel(
      range.count(), threads,
      [&](int worker, qsizetype i, QString* why) {
        const WebTile t{zooms.maxZoom, range.minX + static_cast<int>(i % across),
                        range.minY + static_cast<int>(i / across)};
        const QImage tile = renderWebTile(sessions[static_cast<size_t>(worker)], eraIndex, t, layers);
        if (webTileInvisible(tile)) return true;
        const QString path = QStringLiteral("%1/%2_%3.png").arg(folder).arg(t.x).arg(t.y);
        if (!writePiece(path, encodeWebTile(tile), why)) return false;
        list.add(
            {path, (t.x - range.minX) * kWebTileSize, (t.y - range.minY) * kWebTileSize, kWebTileSize, kWebTileSize});
        return true;
      },
      error);
  if (!ok) return false;
  const MercatorBox corner = webTileMercatorBounds({zooms.maxZoom, range.minX, range.minY});
  job.epsg = 3857;
  job.width = static_cast<int>(across) * kWebTileSize;
  job.height = (range.maxY - range.minY + 1) * kWebTileSize;
  job.originX = corner.minX;
  job.originY = corner.maxY;
  job.pixelWidth = job.pixelHeight = (corner.maxX - corner.minX) / kWebTileSize;
  job.minZoom = zooms.minZoom;
  job.maxZoom = zooms.maxZoom;
  job.pieces = std::move(list.pieces);
  return true;
}

// The era's mosaic at one image pixel per pixel, in the world datum's
// longitude and latitude (EPSG:4326).
bool mosaicPieces(const ProgramState& state, int eraIndex, const EraFileOptions& options, const QString& folder,
                  RasterFileJob& job, QString* error) {
  const RegionGeometry g = regionGeometry(state.mapInfo);
  const ImageBox b = eraImageBox(state, eraIndex);
  const int width = static_cast<int>(b.right - b.left);
  const int height = static_cast<int>(b.bottom - b.top);
  const int across = (width + kPieceSide - 1) / kPieceSide;
  const int down = (height + kPieceSide - 1) / kPieceSide;
  const double mmPerImagePx = 370.0 / (static_cast<double>(state.mapInfo.tilesPerSheetY) * state.mapInfo.tileHeight);
  const int threads = threadsFor(options.threads);
  std::vector<ProgramState> sessions(static_cast<size_t>(threads), state);
  PieceList list;
  const bool ok = runParallel(
      static_cast<qsizetype>(across) * down, threads,
      [&](int worker, qsizetype i, QString* why) {
        const int px = static_cast<int>(i % across) * kPieceSide;
        const int py = static_cast<int>(i / across) * kPieceSide;
        const int w = std::min(kPieceSide, width - px);
        const int h = std::min(kPieceSide, height - py);
        ViewRequest request;
        request.eraIndex = eraIndex;
        // Whole pixels: a view of even size centred on a whole pixel puts
        // each image pixel on one picture pixel at zoom 100 %.
        request.centerX = static_cast<float>(b.left + px + w / 2.0);
        request.centerY = static_cast<float>(b.top + py + h / 2.0);
        request.zoomPercent = 100;
        request.mmPerPxX = request.mmPerPxY = mmPerImagePx;
        request.viewSize = QSize(w, h);
        request.layers = MapLayers{};
        request.layers.altitude = options.elevation;
        request.layers.scale = request.layers.marks = request.layers.overlays = false;
        request.pass = RenderPass::Export;
        QImage composed, picture;
        if (!renderView(sessions[static_cast<size_t>(worker)], request, composed, nullptr, &picture) ||
            picture.isNull())
          return fail(why, QStringLiteral("cannot compose the era at %1, %2").arg(px).arg(py));
        const QString path = QStringLiteral("%1/%2_%3.png").arg(folder).arg(px).arg(py);
        if (!writePiece(path, encodePngFast(picture), why)) return false;
        list.add({path, px, py, w, h});
        return true;
      },
      error);
  if (!ok) return false;
  job.epsg = 4326;
  job.width = width;
  job.height = height;
  job.originX = g.lon(b.left);
  job.originY = g.lat(b.top);
  job.pixelWidth = g.lonPerPx;
  job.pixelHeight = g.latPerPx;
  job.pieces = std::move(list.pieces);
  return true;
}

}  // namespace

bool rasterFormatFromName(const QString& name, RasterFileFormat& format) {
  const QString n = name.toLower();
  if (n == u"gpkg")
    format = RasterFileFormat::GeoPackage;
  else if (n == u"mbtiles")
    format = RasterFileFormat::MBTiles;
  else if (n == u"cog")
    format = RasterFileFormat::CloudGeoTiff;
  else
    return false;
  return true;
}

bool exportEraFile(const ProgramState& state, int eraIndex, const QString& path, const EraFileOptions& options,
                   QString* error) {
  if (eraIndex < 0 || eraIndex >= static_cast<int>(state.eras.size()))
    return fail(error, QStringLiteral("no era %1").arg(eraIndex));
  const QString target = QDir::cleanPath(QDir::current().absoluteFilePath(path));
  if (QFileInfo::exists(target))
    return fail(error, QStringLiteral("%1 exists already: it is not written over").arg(path));
  QString why;
  GeoData* geo = geoData(&why);
  if (!geo) return fail(error, why);
  // The pictures go beside the file, on the same disk as it.
  QTemporaryDir work(QFileInfo(target).absolutePath() + QStringLiteral("/.kavalo-export-XXXXXX"));
  if (!work.isValid()) return fail(error, QStringLiteral("cannot create a folder beside %1").arg(path));
  const Era& era = state.eras[static_cast<size_t>(eraIndex)];
  RasterFileJob job;
  job.format = options.format;
  job.path = target;
  job.name = era.name;
  job.description = state.mapInfo.title + u' ' + Get_cboAge_Text(era, state.view.eraLabelStyle);
  QStringList credits;
  for (const QString& line : creditLines(era, state.mapInfo.approval, options.elevation))
    if (!line.trimmed().isEmpty()) credits << line.trimmed();
  job.attribution = credits.join(QStringLiteral(" | "));
  const bool made = options.format == RasterFileFormat::CloudGeoTiff
                        ? mosaicPieces(state, eraIndex, options, work.path(), job, error)
                        : tilePieces(state, eraIndex, options, work.path(), job, error);
  if (!made) return false;
  if (job.pieces.empty()) return fail(error, QStringLiteral("the era %1 has no pictures").arg(era.name));
  return geo->writeRasterFile(job, {}, error);
}

}  // namespace kavalo
