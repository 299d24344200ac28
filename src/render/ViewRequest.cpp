// SPDX-License-Identifier: MIT
#include "render/ViewRequest.h"

#include <cmath>

#include "model/ProgramState.h"
#include "model/ViewState.h"

namespace kavalo {

MapLayers layersOf(const ViewState& view) {
  MapLayers l;
  l.tiles = view.showTiles;
  l.altitude = view.showAltitude;
  l.sheetLines = view.showSheetLines;
  l.scale = view.showScale;
  l.legend = view.showLegend;
  l.marks = view.showMarks;
  return l;
}

QSize ViewRequest::targetSize() const {
  const double k = devicePixelRatio;
  if (k == 1.0) return viewSize;
  return QSize(static_cast<int>(std::ceil(k * viewSize.width())), static_cast<int>(std::ceil(k * viewSize.height())));
}

Viewport ViewRequest::viewport(const MapInfo& info) const {
  return Viewport(&info, computeScaleFactors(info, mmPerPxX, mmPerPxY), centerX, centerY, zoomPercent, viewSize.width(),
                  viewSize.height());
}

Viewport ViewRequest::mapViewport(const MapInfo& info) const {
  if (scaled() || devicePixelRatio == 1.0) return viewport(info);
  const QSize size = targetSize();
  return Viewport(&info, computeScaleFactors(info, mmPerPxX / devicePixelRatio, mmPerPxY / devicePixelRatio), centerX,
                  centerY, zoomPercent, size.width(), size.height());
}

ViewRequest currentViewRequest(const ProgramState& session, RenderPass pass, double devicePixelRatio) {
  const ViewState& v = session.view;
  ViewRequest r;
  r.eraIndex = v.eraIndex;
  r.centerX = v.centerX;
  r.centerY = v.centerY;
  r.zoomPercent = v.zoomPercent;
  r.mmPerPxX = session.mmPerScreenPxX;
  r.mmPerPxY = session.mmPerScreenPxY;
  r.viewSize = QSize(v.viewWidth, v.viewHeight);
  r.devicePixelRatio = devicePixelRatio;
  r.layers = layersOf(v);
  r.pass = pass;
  r.tiles = v.onlineMode ? TilePolicy::DiskAndNetwork : TilePolicy::DiskOnly;
  return r;
}

}  // namespace kavalo
