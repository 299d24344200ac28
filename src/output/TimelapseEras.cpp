// SPDX-License-Identifier: MIT
#include "output/TimelapseEras.h"

#include <algorithm>

#include "geo/TileGeometry.h"
#include "model/EraLabels.h"
#include "model/GeoBox.h"
#include "model/ProgramState.h"
#include "output/ExportDocuments.h"
#include "platform/Paths.h"
#include "render/Tiles.h"

namespace kavalo {

namespace {

// Whether any pixel of the mask's part under the view lets the tile show
// (a white mask pixel keeps what lies under the tile).
bool maskShowsTile(const QImage& mask, const QRect& source) {
  const QRect part = source.intersected(mask.rect());
  if (part.isEmpty()) return false;
  const QImage rgb = mask.format() == QImage::Format_RGB32 ? mask : mask.convertToFormat(QImage::Format_RGB32);
  for (int y = part.top(); y <= part.bottom(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = part.left(); x <= part.right(); ++x)
      if ((line[x] & 0xFFFFFFu) != 0xFFFFFFu) return true;
  }
  return false;
}

bool sheetsInView(const ProgramState& state, const Viewport& view, int eraIndex) {
  const Era& era = state.eras[static_cast<size_t>(eraIndex)];
  const GeoBox box = view.Get_ViewGeoBox(era.frameType == kWorldFrame ? 1 : 0);
  return std::any_of(era.sheets.begin(), era.sheets.end(), [&](const SheetImage& sheet) {
    return BoxRelation(sheet.box, box) != -1 && FileExists(TilePath(state, eraIndex, sheet.fileName));
  });
}

}  // namespace

bool eraHasDataInView(const ProgramState& state, const ViewRequest& request, int eraIndex) {
  if (eraIndex < 0 || eraIndex >= static_cast<int>(state.eras.size())) return false;
  const MapInfo& m = state.mapInfo;
  ViewRequest one = request;
  one.devicePixelRatio = 1.0;
  const Viewport view = one.mapViewport(m);
  const Era& era = state.eras[static_cast<size_t>(eraIndex)];
  if (era.bySheetIndex) return sheetsInView(state, view, eraIndex);
  if (m.tileWidth <= 0 || m.tileHeight <= 0) return false;
  const FrameOffset frame = m.frame[std::clamp(era.frameType, 0, 2)];
  const TileRange r = VisibleTileRange(view, frame.x, frame.y);
  const int tw = tileViewWidth(view), th = tileViewHeight(view);
  const QSize size = one.targetSize();
  for (int row = std::max(r.firstRow, 0); row <= std::min(r.lastRow, m.totalRows - 1); ++row) {
    for (int col = std::max(r.firstCol, 0); col <= std::min(r.lastCol, m.totalCols - 1); ++col) {
      const ClippedTile c = ClipTileRect(tileViewX(view, r, col), tileViewY(view, r, row), tw, th, m.tileWidth,
                                         m.tileHeight, size.width(), size.height());
      if (c.dest.isEmpty()) continue;
      const std::optional<ResolvedTile> tile = ResolveTile(state, eraIndex, col, row);
      if (!tile || tile->borrowed || !FileExists(TilePath(state, tile->sourceEra, tile->fileName))) continue;
      const Era& source = state.eras[static_cast<size_t>(tile->sourceEra)];
      if (source.tileStyle != kMaskedMap) return true;
      const QString maskPath = TilePath(state, tile->sourceEra, QStringLiteral("M_") + tile->fileName);
      // Without its mask a masked map's tile is drawn whole.
      if (!FileExists(maskPath)) return true;
      QImage mask;
      if (!LoadTileImage(maskPath, source.ext, mask) || mask.isNull()) return true;
      // A cut of a few view pixels may round its source to nothing: look at
      // the nearest row or column then.
      QRect part = c.source;
      if (part.width() <= 0) part.setWidth(1);
      if (part.height() <= 0) part.setHeight(1);
      if (maskShowsTile(mask, part)) return true;
    }
  }
  return false;
}

std::vector<FilmEra> filmEras(const ProgramState& state, const ViewRequest& view, const std::vector<int>& chosen,
                              QStringList* leftOut) {
  std::vector<int> order = chosen;
  if (order.empty())
    for (const ExportEra& e : exportEraList(state)) order.push_back(e.eraIndex);
  std::vector<FilmEra> eras;
  for (int index : order) {
    if (index < 0 || index >= static_cast<int>(state.eras.size())) continue;
    const QString label = Get_cboAge_Text(state.eras[static_cast<size_t>(index)], state.view.eraLabelStyle);
    if (eraHasDataInView(state, view, index))
      eras.push_back({index, label});
    else if (leftOut)
      *leftOut << label;
  }
  return eras;
}

}  // namespace kavalo
