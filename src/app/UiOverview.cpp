// SPDX-License-Identifier: MIT
#include "app/UiOverview.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "model/ProgramState.h"

namespace kavalo {

UiOverview::UiOverview(ProgramState& state, QWidget* parent) : QWidget(parent), state_(state) {
  setObjectName(QStringLiteral("picOverview"));
  setAccessibleName(QCoreApplication::translate("kavalo::UiOverview", "全体図"));
  setToolTip(QCoreApplication::translate("kavalo::UiOverview", "クリック・ドラッグで表示位置を移動します"));
  setCursor(Qt::PointingHandCursor);
  hide();
}

void UiOverview::refresh() {
  if (!state_.view.loaded || state_.mapInfo.tileWidth <= 0 || state_.mapInfo.tileHeight <= 0) {
    hide();
    return;
  }
  // The region's picture once per data folder (and colours); the veil of
  // the era shown on a copy, whenever the era changes.
  const QString baseKey = state_.datasetFolder + u'|' + QString::number(state_.pieces.generation());
  const QString key = baseKey + u'|' + QString::number(state_.view.eraIndex);
  if (key != key_) {
    const double ratio = std::max(1.0, devicePixelRatioF());
    if (baseKey != baseKey_ || ratio != ratio_) {
      baseKey_ = baseKey;
      ratio_ = ratio;
      geometry_ = computeOverviewGeometry(kSide, state_.mapInfo);
      // Drawn at the screen's own resolution, so that it stays sharp on a
      // finer screen.
      fine_ = computeOverviewGeometry(static_cast<int>(std::lround(kSide * ratio)), state_.mapInfo);
      base_ = buildOverviewBase(state_, fine_);
      // The region's own shape, with a pixel of border on each side.
      resize(std::max(8, static_cast<int>(std::lround(geometry_.drawW))) + 2,
             std::max(8, static_cast<int>(std::lround(geometry_.drawH))) + 2);
    }
    key_ = key;
    picture_ = base_.copy();
    veilOverview(picture_, state_, fine_);
    picture_.setDevicePixelRatio(ratio_);
  }
  update();
}

ImagePoint UiOverview::imageAt(QPointF at) const {
  ImagePoint p;
  if (geometry_.drawW <= 0.0f || geometry_.drawH <= 0.0f) return p;
  p.x = static_cast<float>((at.x() - 1.0) / geometry_.drawW * geometry_.mosaicW);
  p.y = static_cast<float>((at.y() - 1.0) / geometry_.drawH * geometry_.mosaicH);
  return p;
}

QRectF UiOverview::viewRect() const {
  const QRectF r = overviewViewRect(geometry_, state_.viewport().Get_ViewRect());
  // overviewViewRect places it in the square; the widget shows only the
  // mosaic's part, inside its one-pixel border.
  return r.translated(1.0 - geometry_.offX, 1.0 - geometry_.offY);
}

void UiOverview::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  if (!picture_.isNull()) p.drawImage(QRectF(1, 1, width() - 2, height() - 2), picture_);
  p.setPen(QPen(QColor(80, 80, 80), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  if (!state_.view.loaded) return;
  // The view: at least a few pixels, so that it is found at any zoom.
  QRectF view = viewRect();
  if (view.width() < 4) view.adjust(-(4 - view.width()) / 2, 0, (4 - view.width()) / 2, 0);
  if (view.height() < 4) view.adjust(0, -(4 - view.height()) / 2, 0, (4 - view.height()) / 2);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(QColor(220, 0, 0), 2));
  p.setBrush(QColor(220, 0, 0, 40));
  p.drawRect(view);
}

void UiOverview::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  if (onMove) onMove(imageAt(event->position()));
}

void UiOverview::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_ && onMove) onMove(imageAt(event->position()));
}

void UiOverview::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragging_ = false;
}

}  // namespace kavalo
