// SPDX-License-Identifier: MIT
#pragma once
// The three coordinate spaces and every conversion between them.
// Image coordinates: pixels of the tile mosaic at 100 %, origin at the north-
// west corner of the Tokyo-datum graticule, y to the south. Screen
// coordinates: pixels of the map view. Geographic: degrees, Tokyo datum (0) or
// world datum (1); the world datum is the Tokyo graticule shifted by the
// dataset's world-datum frame offset.
// Products and quotients are formed in double precision and stored back into
// float where the values are singles; rounding is half to even.
#include <QPoint>

#include "model/GeoBox.h"
#include "model/MapInfo.h"

namespace kavalo {

struct ScaleFactors {
  float mmPerScreenPxX = 0.0f;
  float mmPerScreenPxY = 0.0f;
  float mmPerImagePx = 0.0f;
  float screenPerImageX = 0.0f;
  float screenPerImageY = 0.0f;
  float imagePerScreenX = 0.0f;
  float imagePerScreenY = 0.0f;
  float imagePxPer40mm = 0.0f;
};

// The map view's millimetres per screen pixel: 96 dots per inch when the
// screen does not tell its physical size.
constexpr double kDefaultMmPerScreenPx = 25.4 / 96.0;

// One sheet unit is 370 mm tall on paper.
ScaleFactors computeScaleFactors(const MapInfo& info, double mmPerScreenPxX, double mmPerScreenPxY);

struct DMS {
  int degrees = 0;
  int minutes = 0;
  float seconds = 0.0f;
};

struct ImagePoint {
  float x = 0.0f;
  float y = 0.0f;
};

struct LatLon {
  float lat = 0.0f;
  float lon = 0.0f;
};

struct ImageRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct SheetCell {
  int column = 0;
  int row = 0;
  int rx = 0;  // rounded position relative to the frame offset
  int ry = 0;
  bool inRange = false;
};

// Geographic conversions need only the dataset.
ImagePoint LatLonToImage(const MapInfo& info, float lat, float lon, int datum);
LatLon ImageToLatLon(const MapInfo& info, float x, float y, int datum);
LatLon TokyoToWorld(const MapInfo& info, float lat, float lon);
DMS DegToDMS(float v);
SheetCell SheetCellAt(const MapInfo& info, float x, float y, int frameType);

// A view of the map: dataset, scale factors, centre, zoom and view size in
// screen pixels. Cheap to copy; every drawing routine takes one.
class Viewport {
 public:
  Viewport() = default;
  Viewport(const MapInfo* info, const ScaleFactors& scale, float centerX, float centerY, int zoomPercent, int width,
           int height)
      : info_(info), scale_(scale), cx_(centerX), cy_(centerY), zoom_(zoomPercent), width_(width), height_(height) {}

  const MapInfo& info() const { return *info_; }
  const ScaleFactors& scale() const { return scale_; }
  float centerX() const { return cx_; }
  float centerY() const { return cy_; }
  int zoomPercent() const { return zoom_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // zoomPercent / 100 as a single.
  float zoomFactor() const { return toZoomFactor(zoom_); }
  static float toZoomFactor(int zoomPercent) { return static_cast<float>(zoomPercent / 100.0); }

  float ScreenToImageDX(double d) const;
  float ScreenToImageDY(double d) const;
  QPoint ImageToScreen(int x, int y) const;
  // A view pixel to image coordinates (cursor readout, marks, dragging).
  ImagePoint ScreenToImage(double sx, double sy) const;
  QPoint LatLonToScreen(float lat, float lon) const;
  ImageRect Get_ViewRect() const;
  GeoBox Get_ViewGeoBox(int datum) const;

 private:
  const MapInfo* info_ = nullptr;
  ScaleFactors scale_;
  float cx_ = 0.0f;
  float cy_ = 0.0f;
  int zoom_ = 100;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace kavalo
