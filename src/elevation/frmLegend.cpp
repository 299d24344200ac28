// SPDX-License-Identifier: MIT
#include "elevation/frmLegend.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

#include "elevation/Legend.h"

namespace kavalo {

frmLegend::frmLegend(QWidget* mainWindow) : QWidget(mainWindow, Qt::Tool) {
  setObjectName(QStringLiteral("frmLegend"));
  setWindowTitle(tr("凡例"));

  cmdCopy = new QPushButton(tr("コピー"), this);
  cmdCopy->setObjectName(QStringLiteral("cmdCopy"));
  cmdCopy->adjustSize();

  picBox = new QWidget(this);
  picBox->setObjectName(QStringLiteral("picBox"));
  picLegend = new QLabel(picBox);
  picLegend->setObjectName(QStringLiteral("picLegend"));
  picLegend->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  VScroll = new QScrollBar(Qt::Vertical, picBox);
  VScroll->setObjectName(QStringLiteral("VScroll"));
  // The range is the picture's overhang in pixels (placeParts).
  VScroll->setRange(0, 0);
  VScroll->setSingleStep(20);

  connect(cmdCopy, &QPushButton::clicked, this, [this] { cmdCopy_Click(); });
  // valueChanged covers both the change and the dragging of the thumb.
  connect(VScroll, &QScrollBar::valueChanged, this, [this](int) { VScroll_Change(); });

  resize(VScroll->sizeHint().width() + 100, 400);
  placeParts();
}

void frmLegend::setLegendPicture(const QImage& picture) {
  picture_ = picture;
  picLegend->setPixmap(QPixmap::fromImage(picture_));
  picLegend->resize(picture_.size());
  // A new legend starts at its top.
  {
    const QSignalBlocker block(VScroll);
    VScroll->setValue(0);
  }
  placeParts();
}

void frmLegend::placeParts() {
  const LegendLayout layout = layoutLegend(picLegend->size(), height(), VScroll->sizeHint().width());
  // The window is as wide as its panel; the width changes when the scroll bar
  // comes or goes (the resize comes back here with the same layout).
  if (width() != layout.innerWidth) resize(layout.innerWidth, height());
  // The button is centred in the inner width, above the panel.
  cmdCopy->move((layout.innerWidth - cmdCopy->width()) / 2, (kLegendButtonBand - cmdCopy->height()) / 2);
  picBox->setGeometry(layout.picBox);
  VScroll->setGeometry(layout.scrollBar);
  VScroll->setRange(0, layout.overhang);
  VScroll->setPageStep(std::max(1, layout.picBox.height()));
  VScroll->setVisible(layout.overhang > 0);
  VScroll_Change();
}

void frmLegend::VScroll_Change() { picLegend->move(0, -VScroll->value()); }

void frmLegend::wheelEvent(QWheelEvent* event) {
  // The wheel anywhere over the legend scrolls it, as over the bar itself.
  if (VScroll->isVisible())
    QCoreApplication::sendEvent(VScroll, event);
  else
    event->ignore();
}

void frmLegend::cmdCopy_Click() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  if (!picture_.isNull()) clipboard->setImage(picture_);
}

void frmLegend::closeEvent(QCloseEvent* event) {
  event->accept();
  if (onClosed) onClosed();
}

void frmLegend::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  placeParts();
}

}  // namespace kavalo
