// SPDX-License-Identifier: MIT
#include "app/UiMapView.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/frmSCR.h"

namespace kavalo {

UiMapView::UiMapView(frmSCR* owner, QWidget* parent) : QWidget(parent), owner_(owner) {
  setObjectName(QStringLiteral("picPrint"));
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void UiMapView::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  if (picture_ && !picture_->isNull()) {
    // The picture is in the screen's own pixels: ratio of them to each view pixel.
    const double ratio = devicePixelRatioF();
    const QRect r = event->rect();
    if (ratio == 1.0)
      p.drawImage(r.topLeft(), *picture_, r);
    else
      p.drawImage(QRectF(r), *picture_, QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
    // Outside the picture (between a resize and the next redraw) stays white.
    const QRect covered(QPoint(0, 0), (QSizeF(picture_->size()) / ratio).toSize());
    if (!covered.contains(event->rect())) {
      QRegion rest = QRegion(event->rect()).subtracted(covered);
      for (const QRect& r : rest) p.fillRect(r, Qt::white);
    }
  } else {
    p.fillRect(event->rect(), Qt::white);
  }
  if (paintOver) paintOver(p);
}

void UiMapView::mousePressEvent(QMouseEvent* event) {
  owner_->picPrint_MouseDown(event->button(), event->position().x(), event->position().y());
}

void UiMapView::mouseMoveEvent(QMouseEvent* event) {
  owner_->picPrint_MouseMove(event->buttons(), event->position().x(), event->position().y());
}

void UiMapView::mouseReleaseEvent(QMouseEvent* event) {
  owner_->picPrint_MouseUp(event->button(), event->position().x(), event->position().y());
}

}  // namespace kavalo
