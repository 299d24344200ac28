// SPDX-License-Identifier: MIT
#pragma once
// The map view picPrint: it only paints the composed picture of the map and
// hands mouse events to the main window's handlers.
#include <QWidget>
#include <functional>

class QPainter;

namespace kavalo {

class frmSCR;

class UiMapView : public QWidget {
  Q_OBJECT

 public:
  UiMapView(frmSCR* owner, QWidget* parent);
  // The picture to paint (owned by the window), in the screen's own pixels.
  void setPicture(const QImage* picture) { picture_ = picture; }
  // Drawn over the picture at every paint, in view pixels: the tools that
  // are not part of the map (the ruler).
  std::function<void(QPainter&)> paintOver;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  frmSCR* owner_;
  const QImage* picture_ = nullptr;
};

}  // namespace kavalo
