// SPDX-License-Identifier: MIT
#pragma once
// The user's vector files, opened and placed on the map: every feature's
// points converted once per data folder from the world datum to image
// coordinates through the coordinate model, with its bounds and its colours
// (the file's own where it has them, otherwise the layer's). The drawing
// (render/OverlayDrawing) simplifies and clips from here.
#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <memory>
#include <mutex>
#include <vector>

#include "model/GeoBox.h"
#include "model/MapInfo.h"
#include "model/OverlayList.h"
#include "model/Overlays.h"
#include "platform/GeoData.h"

namespace kavalo {

enum class OverlayOpen {
  Opened,
  Unreadable,   // 「…」を読み込めません。
  NoTransform,  // 「…」の座標系を世界測地系に変換できません。
  NotInRegion,  // 「…」には、この地域にかかる地物がありません。
  NoModule      // the geodata module is missing
};

// The colour of the n-th layer opened, when its file gives none: a set of
// distinct colours that stand out on maps and photos alike, repeated.
QColor overlayLayerColour(int n);

// The world-datum box of the data folder's mosaic.
GeoBox regionWorldBox(const MapInfo& info);

// Converts what the module read into a placed file (image coordinates,
// bounds, colours). firstLayer numbers its layers for their colours.
std::unique_ptr<OverlayFile> placeOverlay(const QString& path, const VectorFileData& data, const MapInfo& info,
                                          int firstLayer);

// Opens one file: read through the geodata module and placed. *message is
// the program's message when it does not open.
OverlayOpen openOverlay(const QString& path, const MapInfo& info, int firstLayer, std::unique_ptr<OverlayFile>& out,
                        QString* message);

// Opens every file of the list, one entry of the set per entry of the list;
// a file that cannot be opened stays in its place, empty, and its message
// goes into messages (each message once).
void openOverlayList(const OverlayList& list, const MapInfo& info, OverlaySet& set, QStringList& messages);

}  // namespace kavalo
