// SPDX-License-Identifier: MIT
#pragma once
// The overview in the map's corner: the whole region small, the view's
// rectangle on it, and a click or a drag on it moving the view there. Its
// picture is the position dialog's overview (elevation colours, the sheets
// the shown era lacks veiled), built again only when the data folder, the
// era or the size changes; the rectangle follows every composition.
#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>

#include "geo/PositionOverview.h"
#include "model/Coordinates.h"

namespace kavalo {

struct ProgramState;

class UiOverview : public QWidget {
 public:
  // The side of the square the region is fitted into, in view pixels.
  static constexpr int kSide = 160;

  UiOverview(ProgramState& state, QWidget* parent);

  // A click or a drag asks for the view centred on this image position.
  std::function<void(ImagePoint centre)> onMove;

  // Builds the picture again when the data folder or the era changed, sizes
  // the widget to the region's shape and repaints the view's rectangle.
  void refresh();
  // Forgets the picture (a data folder was loaded).
  void invalidate() {
    key_.clear();
    baseKey_.clear();
  }

  // The image position under a point of the widget.
  ImagePoint imageAt(QPointF at) const;
  // The view's rectangle on the widget.
  QRectF viewRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  ProgramState& state_;
  OverviewGeometry geometry_;
  OverviewGeometry fine_;  // the same at the screen's resolution
  QImage base_;            // the region, device pixels
  QImage picture_;         // the base with the shown era's veil
  QString baseKey_;        // data folder and colours the base was built for
  QString key_;            // and the era the picture was veiled for
  double ratio_ = 1.0;
  bool dragging_ = false;
};

}  // namespace kavalo
