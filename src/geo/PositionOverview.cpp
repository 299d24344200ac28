// SPDX-License-Identifier: MIT
#include "geo/PositionOverview.h"

#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>

#include "model/EraSources.h"
#include "model/ProgramState.h"
#include "platform/Numbers.h"

namespace kavalo {

OverviewGeometry computeOverviewGeometry(int side, const MapInfo& info) {
  OverviewGeometry g;
  g.totalCols = info.totalCols;
  g.totalRows = info.totalRows;
  g.mosaicW = static_cast<double>(info.tileWidth) * info.totalCols;
  g.mosaicH = static_cast<double>(info.tileHeight) * info.totalRows;
  if (g.mosaicW <= 0.0 || g.mosaicH <= 0.0) return g;
  if (g.mosaicW > g.mosaicH) {
    g.drawW = static_cast<float>(side);
    g.drawH = toSingle(side * g.mosaicH / g.mosaicW);
    g.offX = 0.0f;
    g.offY = toSingle((static_cast<double>(g.drawW) - g.drawH) / 2.0);
  } else {
    g.drawH = static_cast<float>(side);
    g.drawW = toSingle(g.drawH * g.mosaicW / g.mosaicH);
    g.offY = 0.0f;
    g.offX = toSingle((static_cast<double>(g.drawH) - g.drawW) / 2.0);
  }
  g.cw = toSingle(static_cast<double>(g.drawW) / g.totalCols);
  g.ch = toSingle(static_cast<double>(g.drawH) / g.totalRows);
  return g;
}

QRect overviewTileRect(const OverviewGeometry& g, int column, int row) {
  return QRect(roundToInt(static_cast<double>(g.cw) * column + g.offX),
               roundToInt(static_cast<double>(g.ch) * row + g.offY), roundToInt(g.cw + 1.0), roundToInt(g.ch + 1.0));
}

QRectF overviewViewRect(const OverviewGeometry& g, const ImageRect& view) {
  if (g.mosaicW <= 0.0 || g.mosaicH <= 0.0) return {};
  const float fx = toSingle(view.left / g.mosaicW * g.drawW + g.offX);
  const float fy = toSingle(view.top / g.mosaicH * g.drawH + g.offY);
  const float fw = toSingle((view.right - view.left) / g.mosaicW * g.drawW);
  const float fh = toSingle((view.bottom - view.top) / g.mosaicH * g.drawH);
  return QRectF(fx, fy, fw, fh);
}

QRect overviewFrameRect(const OverviewGeometry& g, const ImageRect& view) {
  const QRectF r = overviewViewRect(g, view);
  return QRect(roundToInt(r.x() - 1.0), roundToInt(r.y() - 1.0), roundToInt(r.width() + 2.0),
               roundToInt(r.height() + 2.0));
}

ImagePoint overviewFrameToCentre(const OverviewGeometry& g, const QRect& frame) {
  ImagePoint c;
  if (g.drawW <= 0.0f || g.drawH <= 0.0f) return c;
  const double x = frame.x() + frame.width() / 2.0 - g.offX;
  const double y = frame.y() + frame.height() / 2.0 - g.offY;
  c.x = toSingle(x / g.drawW * g.mosaicW);
  c.y = toSingle(y / g.drawH * g.mosaicH);
  return c;
}

bool overviewTileVeiled(const MapInfo& info, const SheetHistory& history, const Era& era, int column, int row) {
  if (eraSource(era).sheets != EraSheets::History || info.tilesPerSheetX <= 0 || info.tilesPerSheetY <= 0) return false;
  return history.at(column / info.tilesPerSheetX, row / info.tilesPerSheetY, era.historyColumn + 1, 0).isEmpty();
}

QImage buildOverviewImage(ProgramState& state, const OverviewGeometry& g, int side) {
  QImage image(side, side, QImage::Format_RGB32);
  image.fill(Qt::white);
  if (g.totalCols <= 0 || g.totalRows <= 0) return image;

  QPainter painter(&image);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
  if (state.pieces.available()) {
    for (int row = 0; row < g.totalRows; ++row) {
      for (int column = 0; column < g.totalCols; ++column) {
        const QImage& piece = state.pieces.piece(column, row);
        if (!piece.isNull()) painter.drawImage(overviewTileRect(g, column, row), piece);
      }
    }
  }

  if (state.hasEra()) {
    // The veiled tiles as one region: the tile rectangles overlap by a pixel,
    // and veiling each on its own would leave paler seams between them.
    QRegion veiled;
    const Era& era = state.currentEra();
    for (int row = 0; row < g.totalRows; ++row)
      for (int column = 0; column < g.totalCols; ++column)
        if (overviewTileVeiled(state.mapInfo, state.history, era, column, row))
          veiled += overviewTileRect(g, column, row);
    for (const QRect& r : veiled) painter.fillRect(r, QColor(255, 255, 255, 100));
  }

  // Where the view was when the dialog opened: an outline of the frame's size
  // less 2, so that it lies just inside the frame while the frame is unmoved.
  const ImageRect viewRect = state.viewport().Get_ViewRect();
  const QRectF view = overviewViewRect(g, viewRect);
  const QRect frame = overviewFrameRect(g, viewRect);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(Qt::black, 0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRect(roundToInt(view.x()), roundToInt(view.y()), frame.width() - 3, frame.height() - 3));
  return image;
}

QImage buildOverviewBase(ProgramState& state, const OverviewGeometry& g) {
  const int w = std::max(1, static_cast<int>(std::lround(g.drawW)));
  const int h = std::max(1, static_cast<int>(std::lround(g.drawH)));
  QImage image = state.pieces.sampledPicture(w, h);
  if (image.isNull()) {
    image = QImage(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
  }
  return image;
}

void veilOverview(QImage& base, const ProgramState& state, const OverviewGeometry& g) {
  const MapInfo& info = state.mapInfo;
  if (!state.hasEra() || g.totalCols <= 0 || g.totalRows <= 0 || info.tilesPerSheetX <= 0 || info.tilesPerSheetY <= 0)
    return;
  const Era& era = state.currentEra();
  // As the position dialog veils, but a sheet at a time (its tiles share
  // their sheet's answer), as one region: the rectangles overlap by a pixel.
  const QPoint shift(-static_cast<int>(std::lround(g.offX)), -static_cast<int>(std::lround(g.offY)));
  QRegion veiled;
  for (int row = 0; row < g.totalRows; row += info.tilesPerSheetY) {
    for (int column = 0; column < g.totalCols; column += info.tilesPerSheetX) {
      if (!overviewTileVeiled(info, state.history, era, column, row)) continue;
      const int lastColumn = std::min(column + info.tilesPerSheetX, g.totalCols) - 1;
      const int lastRow = std::min(row + info.tilesPerSheetY, g.totalRows) - 1;
      veiled += (overviewTileRect(g, column, row) | overviewTileRect(g, lastColumn, lastRow)).translated(shift);
    }
  }
  if (veiled.isEmpty()) return;
  QPainter painter(&base);
  for (const QRect& r : veiled) painter.fillRect(r, QColor(255, 255, 255, 100));
}

}  // namespace kavalo
