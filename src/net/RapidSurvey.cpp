// SPDX-License-Identifier: MIT
#include "net/RapidSurvey.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <cmath>

#include "net/TileWriteQueue.h"
#include "platform/Numbers.h"
#include "platform/Prompts.h"
#include "render/ImageLibrary.h"
#include "render/RasterOps.h"
#include "render/Tiles.h"

namespace kavalo {

ImageRule cellRule() { return {QByteArrayLiteral("png"), QSize(kMaxFetchedImageSide, kMaxFetchedImageSide)}; }

QString wmsNumber(double v) { return QString::number(v, 'g', 15); }

QString rapidSurveyRequest(const QString& service, double west, double south, double east, double north) {
  return service +
         QStringLiteral(
             "/geoserver201/gwc/service/wms?LAYERS=habs%3Arapid&FORMAT=image%2Fpng&SERVICE=WMS&VERSION=1.1.1"
             "&REQUEST=GetMap&STYLES=&EXCEPTIONS=application%2Fvnd.ogc.se_inimage&SRS=EPSG%3A4326&") +
         QStringLiteral("&WIDTH=256&HEIGHT=256") + QStringLiteral("&BBOX=") + wmsNumber(west) + u',' +
         wmsNumber(south) + u',' + wmsNumber(east) + u',' + wmsNumber(north);
}

TileCells rapidSurveyCells(double west, double east, double north, double south, double tw, double th) {
  const double cell = kWmsCellSize;
  TileCells t;
  t.gx = kWmsOriginLon + std::floor((west - kWmsOriginLon) / cell) * cell;
  // One edge north of the tile's north edge, even when that edge lies on one.
  t.gy = kWmsOriginLat + (std::floor((north - kWmsOriginLat) / cell) + 1) * cell;
  // The same loops the requests follow: at least one cell, then on while the
  // last one ends short of the tile's far edge.
  int k = 0;
  double cellWest;
  do cellWest = t.gx + k++ * cell;
  while (cellWest + cell < east);
  int l = 0;
  double cellNorth;
  do cellNorth = t.gy - l++ * cell;
  while (cellNorth - cell > south);
  t.columns = k;
  t.rows = l;
  const double above = t.gy - north, below = south - (cellNorth - cell);
  const double left = west - t.gx, right = (cellWest + cell) - east;
  t.y = roundToInt(above / (th + above + below) * 256 * t.rows);
  t.height = roundToInt(256 * t.rows * th / (th + above + below));
  t.x = roundToInt(left / (tw + left + right) * 256 * t.columns);
  t.width = roundToInt(256 * t.columns * tw / (tw + left + right));
  return t;
}

namespace {

// One cell; a failed download is tried once more. False when the cell is
// not to be pasted (absent, failed twice, or the run cancelled).
bool fetchCell(const AcquireContext& ctx, const QString& url, RapidSurveyResult& result, QImage& cell) {
  TransferResult r;
  // A cell is one request in the counts however often it is asked, so that
  // the requests add up to what was answered, absent, failed and cancelled.
  ++result.requests;
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (ctx.cancelled()) r.outcome = TransferOutcome::Aborted;
    if (r.outcome == TransferOutcome::Aborted && attempt > 0) break;
    r = ctx.net.fetchImage ? ctx.net.fetchImage(url, cellRule()) : TransferResult();
    if (r.ok()) {
      cell = decodeFetchedImage(r.body, cellRule());
      if (cell.isNull()) {
        r.outcome = TransferOutcome::BadBody;
        r.errorText = QCoreApplication::translate("kavalo::RapidSurvey", "画像として読めません");
      }
    }
    if (r.ok() || r.outcome == TransferOutcome::Aborted) break;
  }
  if (r.outcome == TransferOutcome::Aborted) result.cancelled = true;
  result.counts.add(url, r);
  return r.ok();
}

}  // namespace

RapidSurveyResult AcquireRapidSurvey(const AcquireContext& ctx, const QString& folder, const QString& service,
                                     const RapidSurveyGrid& g) {
  RapidSurveyResult result;
  if (g.tilesPerSheetX < 1 || g.tilesPerSheetY < 1 || g.tileWidth < 1 || g.tileHeight < 1) return result;
  const double tw = 0.125 / g.tilesPerSheetX;
  const double th = (5.0 / 60.0) / g.tilesPerSheetY;
  const int columns = g.sheetsX * g.tilesPerSheetX, rows = g.sheetsY * g.tilesPerSheetY;
  const double west0 = g.west, north0 = g.north;
  TileWriteQueue queue;
  ctx.showProgress(0, columns);
  for (int i = 0; i < columns && !queue.failed(); ++i) {
    ctx.showProgress(i + 1, columns);
    const double west = west0 + i * tw, east = west0 + (i + 1) * tw;
    for (int j = 0; j < rows && !queue.failed(); ++j) {
      if (ctx.prompts) ctx.prompts->processEvents();
      if (ctx.cancelled()) {
        result.cancelled = true;
        break;
      }
      const double north = north0 - j * th, south = north0 - (j + 1) * th;
      const TileCells cells = rapidSurveyCells(west, east, north, south, tw, th);
      // The mosaic holds just the cells of this tile and starts white, so a
      // cell that could not be had leaves no trace of another tile.
      QImage mosaic(256 * cells.columns, 256 * cells.rows, QImage::Format_RGB32);
      mosaic.fill(qRgb(255, 255, 255));
      int got = 0;
      auto stop = [&] { return result.cancelled || result.counts.failed > 0; };
      for (int k = 0; k < cells.columns && !stop(); ++k) {
        const double cellWest = cells.gx + k * kWmsCellSize;
        for (int l = 0; l < cells.rows && !stop(); ++l) {
          const double cellNorth = cells.gy - l * kWmsCellSize;
          const QString url =
              rapidSurveyRequest(service, cellWest, cellNorth - kWmsCellSize, cellWest + kWmsCellSize, cellNorth);
          QImage cell;
          if (!fetchCell(ctx, url, result, cell)) continue;
          stretchBlt(mosaic, QRect(256 * k, 256 * l, 256, 256), cell, QRect(0, 0, 256, 256), RasterOp::Copy,
                     QRegion(mosaic.rect()));
          ++got;
        }
      }
      result.cellsGot += got;
      // A tile with a cell that could not be had is not written.
      if (stop()) break;
      if (got == 0) continue;
      QImage tile(g.tileWidth, g.tileHeight, QImage::Format_RGB32);
      stretchBlt(tile, tile.rect(), mosaic, QRect(cells.x, cells.y, cells.width, cells.height), RasterOp::Copy,
                 QRegion(tile.rect()));
      const QString path = folder + u'/' + TileName(i, j, QStringLiteral("jpg"));
      queue.push([path, tile](QString* error) {
        return DIBtoJPG(path, tile, 80, error) ? TileWriteQueue::Done::Written : TileWriteQueue::Done::Failed;
      });
    }
    if (result.cancelled || result.counts.failed > 0) break;
  }
  result.tiles = queue.finish(&result.writeError);
  ctx.showProgress(0, -1);
  return result;
}

}  // namespace kavalo
