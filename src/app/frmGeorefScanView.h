// SPDX-License-Identifier: MIT
#pragma once
// The georeferencer's view of the scan: the reduced copy, panned, zoomed and
// turned for display only (the scan's own pixels never turn), its control
// points with their numbers, and the scan's frame (mask) while it is drawn
// and once it is closed. A click that does not move the view is a place on
// the scan; a press on a point drags it.
#include <QPointF>
#include <QTransform>
#include <QWidget>
#include <vector>

class QPainter;

namespace kavalo {

class GeorefSession;

// How a control point is drawn in either view: enabled, disabled (grey), the
// worst of the fit, the selected one, the one being dragged.
enum class GeorefMarkLook { Enabled, Disabled, Worst };
void drawGeorefMark(QPainter& painter, QPointF at, int number, GeorefMarkLook look, bool selected);
// A place waiting for its other half.
void drawGeorefPending(QPainter& painter, QPointF at);

class frmGeorefScanView : public QWidget {
  Q_OBJECT

 public:
  explicit frmGeorefScanView(QWidget* parent = nullptr);

  void setSession(const GeorefSession* session);
  // The whole scan in the view, its turn kept.
  void fitToView();
  void setRotation(double degrees);
  double rotation() const { return rotation_; }
  // View pixels per scan pixel.
  double zoom() const { return zoom_; }
  void zoomBy(double factor, QPointF viewAnchor);
  void setCenter(QPointF scan) {
    center_ = scan;
    update();
  }
  QPointF center() const { return center_; }

  // The place waiting for its other half (drawn as a cross), or none.
  void setPending(const QPointF* scan);
  void setSelected(int index) {
    selected_ = index;
    update();
  }
  void setWorst(int index) {
    worst_ = index;
    update();
  }

  // Mask drawing: clicks add corners; a click on the first corner (or a
  // double click) closes the polygon, Escape drops it.
  void setMaskDrawing(bool on);
  bool maskDrawing() const { return maskDrawing_; }
  const std::vector<QPointF>& maskDraft() const { return draft_; }

  // Scan pixels to view pixels and back.
  QTransform scanToView() const;
  QPointF toScan(QPointF view) const;
  QPointF toView(QPointF scan) const;
  // The point under a view position (within a few pixels), -1 for none.
  int pointAt(QPointF view) const;

 signals:
  void scanClicked(QPointF scan);
  void pointMoved(int index, QPointF scan);
  void maskFinished(const std::vector<QPointF>& polygon);
  void viewChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void closeMask();

  const GeorefSession* session_ = nullptr;
  QPointF center_;
  double zoom_ = 1.0;
  double rotation_ = 0.0;
  bool userMoved_ = false;  // panned or zoomed since the last fit
  bool hasPending_ = false;
  QPointF pending_;
  int selected_ = -1;
  int worst_ = -1;
  bool maskDrawing_ = false;
  std::vector<QPointF> draft_;
  // The press in progress: where it began, whether it has moved the view,
  // and the point it drags (-1 for none) with the place it has reached.
  bool pressed_ = false;
  bool panning_ = false;
  QPointF pressAt_;
  QPointF lastAt_;
  int dragging_ = -1;
  QPointF dragTo_;
};

}  // namespace kavalo
