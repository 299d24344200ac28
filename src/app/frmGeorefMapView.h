// SPDX-License-Identifier: MIT
#pragma once
// The georeferencer's view of the region: the normal map of the era the user
// picks (composed from the data folder's tiles like a comparison pane), the
// control points at their map places, and the live overlay (the scan warped
// with the current transform) at an opacity, or as a swipe that shows it
// only left of a line. A click that does not move the view is a place on
// the map; a press on a point drags it.
#include <QImage>
#include <QPointF>
#include <QWidget>

#include "render/ViewRequest.h"

namespace kavalo {

class GeorefSession;
struct ProgramState;

class frmGeorefMapView : public QWidget {
  Q_OBJECT

 public:
  frmGeorefMapView(const ProgramState& state, QWidget* parent = nullptr);

  void setSession(const GeorefSession* session) {
    session_ = session;
    update();
  }
  void setEra(int eraIndex);
  int era() const { return request_.eraIndex; }
  // Centres the view on a world-datum place.
  void centerOn(double lon, double lat);
  void setZoomPercent(int zoom);
  int zoomPercent() const { return request_.zoomPercent; }

  // The request of the current view at the widget's size and ratio: what the
  // map is composed from and what the overlay is warped onto.
  ViewRequest request() const;
  // World-datum places and view pixels.
  bool toWorld(QPointF view, double& lon, double& lat) const;
  QPointF toView(double lon, double lat) const;
  int pointAt(QPointF view) const;

  // The overlay in target pixels (null for none), how opaque it is (0..1),
  // and the swipe: the fraction of the width it covers from the left (1 for
  // the whole view).
  void setOverlay(const QImage& overlay);
  const QImage& overlay() const { return overlay_; }
  void setOpacity(double opacity) {
    opacity_ = opacity;
    update();
  }
  void setSwipe(double fraction) {
    swipe_ = fraction;
    update();
  }
  void setPending(const QPointF* lonLat);
  void setSelected(int index) {
    selected_ = index;
    update();
  }
  void setWorst(int index) {
    worst_ = index;
    update();
  }

 signals:
  void mapClicked(double lon, double lat);
  void pointMoved(int index, double lon, double lat);
  // The view moved, zoomed, changed era or size: the overlay is due again.
  void viewChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void moved();

  const ProgramState& state_;
  const GeorefSession* session_ = nullptr;
  ViewRequest request_;
  QImage picture_;
  bool pictureDue_ = true;
  QImage overlay_;
  double opacity_ = 0.6;
  double swipe_ = 1.0;
  bool hasPending_ = false;
  QPointF pending_;  // lon, lat
  int selected_ = -1;
  int worst_ = -1;
  bool pressed_ = false;
  bool panning_ = false;
  QPointF pressAt_;
  QPointF lastAt_;
  int dragging_ = -1;
  QPointF dragTo_;  // view pixels
};

}  // namespace kavalo
