// SPDX-License-Identifier: MIT
#include "elevation/frmColor.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "elevation/ColorPalette.h"
#include "elevation/UiColorDialogs.h"

namespace kavalo {

namespace {
constexpr int kSwatchSize = 24;
}

frmColor::frmColor(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmColor"));
  setWindowTitle(tr("色の指定"));
  setModal(true);
  setMouseTracking(true);
  detailChooser = [](QWidget* owner) { return ChooseColorDetail(owner); };

  double right = 0, bottom = 0;
  for (int n = 0; n < kPickerSwatches; ++n) {
    auto* swatch = new UiSwatch(this);
    swatch->setObjectName(QStringLiteral("picCol_%1").arg(n));
    swatch->setColour(pickerSwatchColour(n));
    const QPointF at = pickerSwatchPosition(n, kSwatchSize, kSwatchSize);
    swatch->setGeometry(static_cast<int>(at.x()), static_cast<int>(at.y()), kSwatchSize, kSwatchSize);
    right = std::max(right, at.x() + kSwatchSize);
    bottom = std::max(bottom, at.y() + kSwatchSize);
    connect(swatch, &UiSwatch::clicked, this, [this, n] { picCol_Click(n); });
    connect(swatch, &UiSwatch::hovered, this, [this, n] { highlight(n); });
    picCol[static_cast<size_t>(n)] = swatch;
  }
  const int margin = kSwatchSize / 2;
  cmdDetailColor = new QPushButton(tr("詳細"), this);
  cmdDetailColor->setObjectName(QStringLiteral("cmdDetailColor"));
  cmdCancel = new QPushButton(tr("ｷｬﾝｾﾙ"), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  const int buttonTop = static_cast<int>(bottom) + margin;
  const int buttonWidth = (static_cast<int>(right) - margin - 6) / 2;
  const int buttonHeight = cmdCancel->sizeHint().height();
  cmdDetailColor->setGeometry(margin, buttonTop, buttonWidth, buttonHeight);
  cmdCancel->setGeometry(static_cast<int>(right) - buttonWidth, buttonTop, buttonWidth, buttonHeight);
  setFixedSize(static_cast<int>(right) + margin, buttonTop + buttonHeight + margin);

  connect(cmdDetailColor, &QPushButton::clicked, this, [this] { cmdDetailColor_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
  PlaceFormNearCursor(*this, false);
}

void frmColor::picCol_Click(int n) {
  if (n < 0 || n >= kPickerSwatches) return;
  colour_ = picCol[static_cast<size_t>(n)]->colour();
  cancelled_ = false;
  accept();
}

void frmColor::cmdDetailColor_Click() {
  const auto chosen = detailChooser ? detailChooser(this) : std::nullopt;
  // A cancelled colour dialog leaves the picker open for another choice.
  if (!chosen) return;
  colour_ = *chosen;
  cancelled_ = false;
  accept();
}

void frmColor::cmdCancel_Click() {
  cancelled_ = true;
  reject();
}

void frmColor::Form_MouseMove(QPoint at) {
  int n = -1;
  for (int i = 0; i < kPickerSwatches; ++i) {
    if (picCol[static_cast<size_t>(i)]->geometry().contains(at)) n = i;
  }
  highlight(n);
}

void frmColor::highlight(int n) {
  if (n == highlighted_) return;
  if (highlighted_ >= 0) picCol[static_cast<size_t>(highlighted_)]->setBordered(true);
  highlighted_ = n;
  if (n >= 0) picCol[static_cast<size_t>(n)]->setBordered(false);
  update();
}

void frmColor::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  if (highlighted_ < 0) return;
  // A black frame one pixel outside the swatch; the swatch's own border goes
  // while it is highlighted.
  const QRect r = picCol[static_cast<size_t>(highlighted_)]->geometry();
  QPainter p(this);
  p.setPen(QColor(0, 0, 0));
  p.drawRect(r.left() - 1, r.top() - 1, r.width() + 1, r.height() + 1);
}

void frmColor::mouseMoveEvent(QMouseEvent* event) {
  Form_MouseMove(event->position().toPoint());
  QDialog::mouseMoveEvent(event);
}

void frmColor::leaveEvent(QEvent* event) {
  highlight(-1);
  QDialog::leaveEvent(event);
}

}  // namespace kavalo
