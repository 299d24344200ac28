// SPDX-License-Identifier: MIT
#pragma once
// The user's vector files opened over a data folder: every feature's points
// in image coordinates, with their bounds and colours, in drawing order. The
// session keeps the set of its data folder; they are drawn over every era
// (geo/OverlayData opens them, render/OverlayDrawing draws them).
#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/GeoData.h"

namespace kavalo {

struct OverlayFeature {
  FeatureKind kind = FeatureKind::Point;
  std::vector<QPointF> points;  // image coordinates
  std::vector<int> parts;       // where each line, ring or point begins
  QRectF bounds;
  QString name;
  QColor pen;
  double penWidth = 0.0;  // view pixels
  QColor brush;           // transparent: none
};

struct OverlayLayer {
  QString name;
  std::vector<OverlayFeature> features;
};

// What the drawing keeps of a file for one level of detail; built on first
// use at that level.
struct OverlayDetail;

struct OverlayFile {
  QString path;
  bool visible = true;
  std::vector<OverlayLayer> layers;
  QRectF bounds;  // of every feature, image coordinates

  // The drawing's per-zoom caches (a few levels, newest first).
  mutable std::mutex cacheMutex;
  mutable std::vector<std::pair<int, std::shared_ptr<const OverlayDetail>>> details;
};

// The open files in drawing order.
struct OverlaySet {
  std::vector<std::shared_ptr<OverlayFile>> files;
  int layerCount() const;
};

}  // namespace kavalo
