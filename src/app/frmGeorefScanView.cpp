// SPDX-License-Identifier: MIT
#include "app/frmGeorefScanView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "geo/GeorefSession.h"

namespace kavalo {

namespace {
// A press that moves less than this is a click, not a pan.
constexpr double kClickSlop = 4.0;
// How near (view pixels) a press must be to take hold of a point.
constexpr double kGrab = 8.0;
constexpr double kMinZoom = 1.0 / 256.0;
constexpr double kMaxZoom = 16.0;
}  // namespace

void drawGeorefMark(QPainter& painter, QPointF at, int number, GeorefMarkLook look, bool selected) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  QColor colour(220, 20, 60);
  if (look == GeorefMarkLook::Disabled) colour = QColor(128, 128, 128);
  if (look == GeorefMarkLook::Worst) colour = QColor(255, 140, 0);
  painter.setPen(QPen(Qt::white, 4));
  painter.drawLine(at - QPointF(7, 0), at + QPointF(7, 0));
  painter.drawLine(at - QPointF(0, 7), at + QPointF(0, 7));
  painter.setPen(QPen(colour, 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(at, 5.5, 5.5);
  painter.drawLine(at - QPointF(7, 0), at + QPointF(7, 0));
  painter.drawLine(at - QPointF(0, 7), at + QPointF(0, 7));
  if (selected) {
    painter.setPen(QPen(QColor(30, 144, 255), 2, Qt::DashLine));
    painter.drawEllipse(at, 10.0, 10.0);
  }
  const QString text = QString::number(number);
  QFont font = painter.font();
  font.setBold(true);
  painter.setFont(font);
  const QRectF box = QFontMetricsF(font).boundingRect(text).adjusted(-2, 0, 2, 0);
  const QRectF label(at + QPointF(8, -8 - box.height()), box.size());
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 255, 210));
  painter.drawRect(label);
  painter.setPen(colour);
  painter.drawText(label, Qt::AlignCenter, text);
  painter.restore();
}

void drawGeorefPending(QPainter& painter, QPointF at) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::white, 4));
  painter.drawLine(at - QPointF(10, 0), at + QPointF(10, 0));
  painter.drawLine(at - QPointF(0, 10), at + QPointF(0, 10));
  painter.setPen(QPen(QColor(0, 160, 255), 2));
  painter.drawLine(at - QPointF(10, 0), at + QPointF(10, 0));
  painter.drawLine(at - QPointF(0, 10), at + QPointF(0, 10));
  painter.restore();
}

frmGeorefScanView::frmGeorefScanView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("picScan"));
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(false);
  setMinimumSize(160, 120);
}

void frmGeorefScanView::setSession(const GeorefSession* session) {
  session_ = session;
  fitToView();
}

void frmGeorefScanView::fitToView() {
  if (!session_ || session_->scanWidth() <= 0 || width() <= 0 || height() <= 0) return;
  const double w = session_->scanWidth();
  const double h = session_->scanHeight();
  // The turned scan's box must fit.
  const double a = rotation_ * M_PI / 180.0;
  const double bw = std::abs(w * std::cos(a)) + std::abs(h * std::sin(a));
  const double bh = std::abs(w * std::sin(a)) + std::abs(h * std::cos(a));
  zoom_ = std::clamp(std::min(width() / bw, height() / bh) * 0.95, kMinZoom, kMaxZoom);
  center_ = QPointF(w / 2.0, h / 2.0);
  userMoved_ = false;
  update();
  emit viewChanged();
}

void frmGeorefScanView::setRotation(double degrees) {
  rotation_ = std::fmod(degrees, 360.0);
  if (rotation_ < 0) rotation_ += 360.0;
  if (!userMoved_) fitToView();
  update();
  emit viewChanged();
}

void frmGeorefScanView::zoomBy(double factor, QPointF viewAnchor) {
  const QPointF before = toScan(viewAnchor);
  zoom_ = std::clamp(zoom_ * factor, kMinZoom, kMaxZoom);
  userMoved_ = true;
  // Keep the scan place under the anchor where it was.
  const QPointF after = toScan(viewAnchor);
  center_ += before - after;
  update();
  emit viewChanged();
}

void frmGeorefScanView::setPending(const QPointF* scan) {
  hasPending_ = scan != nullptr;
  if (scan) pending_ = *scan;
  update();
}

void frmGeorefScanView::setMaskDrawing(bool on) {
  maskDrawing_ = on;
  draft_.clear();
  setCursor(on ? Qt::CrossCursor : Qt::ArrowCursor);
  update();
}

QTransform frmGeorefScanView::scanToView() const {
  QTransform t;
  t.translate(width() / 2.0, height() / 2.0);
  t.rotate(rotation_);
  t.scale(zoom_, zoom_);
  t.translate(-center_.x(), -center_.y());
  return t;
}

QPointF frmGeorefScanView::toScan(QPointF view) const { return scanToView().inverted().map(view); }
QPointF frmGeorefScanView::toView(QPointF scan) const { return scanToView().map(scan); }

int frmGeorefScanView::pointAt(QPointF view) const {
  if (!session_) return -1;
  int best = -1;
  double bestDistance = kGrab;
  const auto& points = session_->points();
  for (size_t i = 0; i < points.size(); ++i) {
    const QPointF d = toView(QPointF(points[i].scanX, points[i].scanY)) - view;
    const double distance = std::hypot(d.x(), d.y());
    if (distance <= bestDistance) {
      bestDistance = distance;
      best = static_cast<int>(i);
    }
  }
  return best;
}

void frmGeorefScanView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(64, 64, 64));
  if (!session_ || session_->scanWidth() <= 0) return;
  const QTransform t = scanToView();
  const QRectF scanRect(0, 0, session_->scanWidth(), session_->scanHeight());
  painter.save();
  painter.setTransform(t);
  // Enlarged, the scan's pixels stay sharp for placing points; reduced, the
  // smoothed copy reads better.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, zoom_ / std::max(session_->reducedScale(), 1e-9) < 2.0);
  const QImage& reduced = session_->reducedScan();
  if (!reduced.isNull()) {
    painter.drawImage(scanRect, reduced, QRectF(reduced.rect()));
  } else {
    painter.fillRect(scanRect, Qt::white);
  }
  // The frame: what falls outside is veiled, so that the margins the import
  // leaves out are plain to see.
  const auto& mask = session_->mask();
  if (mask.size() >= 3) {
    QPainterPath outside;
    outside.addRect(scanRect);
    QPainterPath inside;
    inside.addPolygon(QPolygonF(QList<QPointF>(mask.begin(), mask.end())));
    inside.closeSubpath();
    painter.fillPath(outside.subtracted(inside), QColor(0, 0, 0, 110));
  }
  painter.restore();
  painter.setRenderHint(QPainter::Antialiasing);
  if (mask.size() >= 3) {
    QPolygonF polygon;
    for (const QPointF& p : mask) polygon << t.map(p);
    painter.setPen(QPen(QColor(0, 200, 120), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(polygon);
  }
  if (!draft_.empty()) {
    QPolygonF line;
    for (const QPointF& p : draft_) line << t.map(p);
    painter.setPen(QPen(QColor(255, 200, 0), 2, Qt::DashLine));
    painter.drawPolyline(line);
    painter.setBrush(QColor(255, 200, 0));
    for (const QPointF& p : line) painter.drawEllipse(p, 3.0, 3.0);
  }
  const auto& points = session_->points();
  for (size_t i = 0; i < points.size(); ++i) {
    const int index = static_cast<int>(i);
    QPointF at = t.map(QPointF(points[i].scanX, points[i].scanY));
    if (index == dragging_) at = t.map(dragTo_);
    const GeorefMarkLook look = !points[i].enabled ? GeorefMarkLook::Disabled
                                : index == worst_  ? GeorefMarkLook::Worst
                                                   : GeorefMarkLook::Enabled;
    drawGeorefMark(painter, at, points[i].id, look, index == selected_);
  }
  if (hasPending_) drawGeorefPending(painter, t.map(pending_));
}

void frmGeorefScanView::resizeEvent(QResizeEvent*) {
  // Until the user moves or zooms the view, the whole scan stays in it.
  if (!userMoved_) fitToView();
}

void frmGeorefScanView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  panning_ = false;
  pressAt_ = lastAt_ = event->position();
  dragging_ = maskDrawing_ ? -1 : pointAt(event->position());
  if (dragging_ >= 0) {
    const auto& p = session_->points()[static_cast<size_t>(dragging_)];
    dragTo_ = QPointF(p.scanX, p.scanY);
  }
}

void frmGeorefScanView::mouseMoveEvent(QMouseEvent* event) {
  if (!pressed_) return;
  const QPointF at = event->position();
  if (dragging_ >= 0) {
    dragTo_ = toScan(at);
    update();
    return;
  }
  if (!panning_ && std::hypot(at.x() - pressAt_.x(), at.y() - pressAt_.y()) < kClickSlop) return;
  panning_ = true;
  userMoved_ = true;
  center_ += toScan(lastAt_) - toScan(at);
  lastAt_ = at;
  update();
  emit viewChanged();
}

void frmGeorefScanView::mouseReleaseEvent(QMouseEvent* event) {
  if (!pressed_ || event->button() != Qt::LeftButton) return;
  pressed_ = false;
  const QPointF at = event->position();
  if (dragging_ >= 0) {
    const int index = dragging_;
    dragging_ = -1;
    const bool moved = std::hypot(at.x() - pressAt_.x(), at.y() - pressAt_.y()) >= kClickSlop;
    update();
    if (moved) emit pointMoved(index, toScan(at));
    return;
  }
  if (panning_) return;
  const QPointF scan = toScan(at);
  if (maskDrawing_) {
    // A click on the first corner closes the frame.
    if (draft_.size() >= 3) {
      const QPointF d = toView(draft_.front()) - at;
      if (std::hypot(d.x(), d.y()) <= kGrab) {
        closeMask();
        return;
      }
    }
    draft_.push_back(scan);
    update();
    return;
  }
  emit scanClicked(scan);
}

void frmGeorefScanView::mouseDoubleClickEvent(QMouseEvent* event) {
  // The double click's first click already added its corner.
  if (maskDrawing_ && draft_.size() >= 3) {
    closeMask();
    return;
  }
  QWidget::mouseDoubleClickEvent(event);
}

void frmGeorefScanView::closeMask() {
  std::vector<QPointF> polygon = draft_;
  draft_.clear();
  update();
  emit maskFinished(polygon);
}

void frmGeorefScanView::wheelEvent(QWheelEvent* event) {
  const double steps = event->angleDelta().y() / 120.0;
  if (steps == 0.0) return;
  zoomBy(std::pow(1.25, steps), event->position());
}

void frmGeorefScanView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && !draft_.empty()) {
    draft_.clear();
    update();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace kavalo
