// SPDX-License-Identifier: MIT
#include "app/frmGeorefMapView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "app/frmGeorefScanView.h"
#include "geo/GeorefSession.h"
#include "model/ProgramState.h"
#include "model/ViewState.h"
#include "render/ViewComposer.h"

namespace kavalo {

namespace {
constexpr double kClickSlop = 4.0;
constexpr double kGrab = 8.0;
}  // namespace

frmGeorefMapView::frmGeorefMapView(const ProgramState& state, QWidget* parent) : QWidget(parent), state_(state) {
  setObjectName(QStringLiteral("picMap"));
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(160, 120);
  request_ = currentViewRequest(state, RenderPass::ComparePane);
  // The map is the ground the points are placed on: the user's marks and
  // files would only stand in the way.
  request_.layers.marks = false;
  request_.layers.overlays = false;
  request_.layers.sheetLines = false;
  request_.tiles = TilePolicy::DiskOnly;
  request_.viewId = 1;
}

void frmGeorefMapView::setEra(int eraIndex) {
  if (eraIndex == request_.eraIndex) return;
  request_.eraIndex = eraIndex;
  moved();
}

void frmGeorefMapView::centerOn(double lon, double lat) {
  const ImagePoint p = LatLonToImage(state_.mapInfo, static_cast<float>(lat), static_cast<float>(lon), 1);
  request_.centerX = p.x;
  request_.centerY = p.y;
  moved();
}

void frmGeorefMapView::setZoomPercent(int zoom) {
  zoom = std::clamp(zoom, static_cast<int>(kMinZoom), static_cast<int>(kMaxZoom));
  if (zoom == request_.zoomPercent) return;
  request_.zoomPercent = zoom;
  moved();
}

ViewRequest frmGeorefMapView::request() const {
  ViewRequest r = request_;
  r.viewSize = size();
  r.devicePixelRatio = devicePixelRatioF();
  return r;
}

bool frmGeorefMapView::toWorld(QPointF view, double& lon, double& lat) const {
  if (!state_.view.loaded) return false;
  const Viewport vp = request().viewport(state_.mapInfo);
  const ImagePoint p = vp.ScreenToImage(view.x(), view.y());
  const LatLon ll = ImageToLatLon(state_.mapInfo, p.x, p.y, 1);
  lon = ll.lon;
  lat = ll.lat;
  return true;
}

QPointF frmGeorefMapView::toView(double lon, double lat) const {
  const Viewport vp = request().viewport(state_.mapInfo);
  const ImagePoint p = LatLonToImage(state_.mapInfo, static_cast<float>(lat), static_cast<float>(lon), 1);
  // Sub-pixel, unlike the view's own rounding: a mark must sit where its
  // place is, also when zoomed in.
  const double k = vp.zoomPercent() / 100.0;
  return QPointF(vp.width() / 2.0 + (p.x - vp.centerX()) * vp.scale().screenPerImageX * k,
                 vp.height() / 2.0 + (p.y - vp.centerY()) * vp.scale().screenPerImageY * k);
}

int frmGeorefMapView::pointAt(QPointF view) const {
  if (!session_) return -1;
  int best = -1;
  double bestDistance = kGrab;
  const auto& points = session_->points();
  for (size_t i = 0; i < points.size(); ++i) {
    const QPointF d = toView(points[i].lon, points[i].lat) - view;
    const double distance = std::hypot(d.x(), d.y());
    if (distance <= bestDistance) {
      bestDistance = distance;
      best = static_cast<int>(i);
    }
  }
  return best;
}

void frmGeorefMapView::setOverlay(const QImage& overlay) {
  overlay_ = overlay;
  update();
}

void frmGeorefMapView::setPending(const QPointF* lonLat) {
  hasPending_ = lonLat != nullptr;
  if (lonLat) pending_ = *lonLat;
  update();
}

void frmGeorefMapView::moved() {
  pictureDue_ = true;
  update();
  emit viewChanged();
}

void frmGeorefMapView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const ViewRequest r = request();
  const bool hasEra = r.eraIndex >= 0 && r.eraIndex < static_cast<int>(state_.eras.size());
  if (pictureDue_ || picture_.size() != r.targetSize()) {
    pictureDue_ = false;
    if (!hasEra || !state_.view.loaded || !renderView(state_, r, picture_)) picture_ = QImage();
    picture_.setDevicePixelRatio(r.devicePixelRatio);
  }
  if (picture_.isNull()) {
    painter.fillRect(rect(), Qt::white);
  } else {
    painter.drawImage(QPointF(0, 0), picture_);
  }
  if (!overlay_.isNull() && opacity_ > 0.0) {
    painter.save();
    const double swipeX = swipe_ * width();
    painter.setClipRect(QRectF(0, 0, swipeX, height()));
    painter.setOpacity(opacity_);
    QImage overlay = overlay_;
    overlay.setDevicePixelRatio(r.devicePixelRatio);
    painter.drawImage(QPointF(0, 0), overlay);
    painter.restore();
    if (swipe_ < 1.0) {
      painter.setPen(QPen(QColor(30, 144, 255), 2));
      painter.drawLine(QPointF(swipeX, 0), QPointF(swipeX, height()));
    }
  }
  if (!session_) return;
  const auto& points = session_->points();
  const int worst = worst_;
  for (size_t i = 0; i < points.size(); ++i) {
    const int index = static_cast<int>(i);
    const QPointF at = index == dragging_ ? dragTo_ : toView(points[i].lon, points[i].lat);
    const GeorefMarkLook look = !points[i].enabled ? GeorefMarkLook::Disabled
                                : index == worst   ? GeorefMarkLook::Worst
                                                   : GeorefMarkLook::Enabled;
    drawGeorefMark(painter, at, points[i].id, look, index == selected_);
  }
  if (hasPending_) drawGeorefPending(painter, toView(pending_.x(), pending_.y()));
}

void frmGeorefMapView::resizeEvent(QResizeEvent*) { moved(); }

void frmGeorefMapView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  panning_ = false;
  pressAt_ = lastAt_ = event->position();
  dragging_ = pointAt(event->position());
  dragTo_ = event->position();
}

void frmGeorefMapView::mouseMoveEvent(QMouseEvent* event) {
  if (!pressed_) return;
  const QPointF at = event->position();
  if (dragging_ >= 0) {
    dragTo_ = at;
    update();
    return;
  }
  if (!panning_ && std::hypot(at.x() - pressAt_.x(), at.y() - pressAt_.y()) < kClickSlop) return;
  panning_ = true;
  const Viewport vp = request().viewport(state_.mapInfo);
  request_.centerX -= vp.ScreenToImageDX(at.x() - lastAt_.x());
  request_.centerY -= vp.ScreenToImageDY(at.y() - lastAt_.y());
  lastAt_ = at;
  moved();
}

void frmGeorefMapView::mouseReleaseEvent(QMouseEvent* event) {
  if (!pressed_ || event->button() != Qt::LeftButton) return;
  pressed_ = false;
  const QPointF at = event->position();
  double lon = 0.0, lat = 0.0;
  if (dragging_ >= 0) {
    const int index = dragging_;
    dragging_ = -1;
    update();
    if (std::hypot(at.x() - pressAt_.x(), at.y() - pressAt_.y()) >= kClickSlop && toWorld(at, lon, lat))
      emit pointMoved(index, lon, lat);
    return;
  }
  if (panning_) return;
  if (toWorld(at, lon, lat)) emit mapClicked(lon, lat);
}

void frmGeorefMapView::wheelEvent(QWheelEvent* event) {
  const double steps = event->angleDelta().y() / 120.0;
  if (steps == 0.0 || !state_.view.loaded) return;
  // The place under the cursor stays under it.
  const Viewport before = request().viewport(state_.mapInfo);
  const ImagePoint anchor = before.ScreenToImage(event->position().x(), event->position().y());
  const int zoom = std::clamp(static_cast<int>(std::lround(request_.zoomPercent * std::pow(1.25, steps))),
                              static_cast<int>(kMinZoom), static_cast<int>(kMaxZoom));
  if (zoom == request_.zoomPercent) return;
  request_.zoomPercent = zoom;
  const Viewport after = request().viewport(state_.mapInfo);
  const ImagePoint moved = after.ScreenToImage(event->position().x(), event->position().y());
  request_.centerX += anchor.x - moved.x;
  request_.centerY += anchor.y - moved.y;
  this->moved();
}

}  // namespace kavalo
