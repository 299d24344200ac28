// SPDX-License-Identifier: MIT
#pragma once
// One level of detail of an overlay file: its lines and rings simplified
// (Douglas-Peucker) to within half a target pixel and cut into short runs
// with their bounds, so that a redraw clips by box and draws only what is in
// view; its points thinned so that no two markers share a few pixels. Built
// once per zoom level and kept with the file.
#include <QColor>
#include <QPointF>
#include <QRectF>
#include <memory>
#include <vector>

#include "geo/OverlayData.h"

namespace kavalo {

struct OverlayDetail {
  struct Run {  // a piece of a line, or a whole ring
    int layer = 0, feature = 0;
    int begin = 0, end = 0;  // into points
    QRectF bounds;
  };
  struct Shape {  // a polygon: its rings
    int layer = 0, feature = 0;
    std::vector<Run> rings;
    QRectF bounds;
  };
  struct Marker {
    int layer = 0, feature = 0;
    QPointF at;
    QRgb pen = 0;  // the feature's colour, so that drawing compares no QColor
  };
  std::vector<QPointF> points;
  std::vector<Shape> shapes;
  std::vector<Run> runs;
  std::vector<Marker> markers;
};

// The level of an image-to-target scale: levels are a quarter octave apart.
int overlayDetailLevel(double imagePxPerTargetPx);

// Builds the detail of a file at a level.
std::shared_ptr<const OverlayDetail> buildOverlayDetail(const OverlayFile& file, int level);

// The detail of a file at a level, from its cache or built and kept there.
std::shared_ptr<const OverlayDetail> overlayDetail(const OverlayFile& file, int level);

// Douglas-Peucker over points[begin, end): the indices kept, both ends
// always among them.
std::vector<int> simplifyPath(const std::vector<QPointF>& points, int begin, int end, double tolerance);

}  // namespace kavalo
