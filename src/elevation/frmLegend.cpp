#include "elevation/frmLegend.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>

#include "elevation/Legend.h"

namespace kavalo {

frmLegend::frmLegend(QWidget* mainWindow) : QWidget(mainWindow, Qt::Tool) {
  setObjectName(QStringLiteral("frmLegend"));
  setWindowTitle(QStringLiteral("凡例"));

  cmdCopy = new QPushButton(QStringLiteral("コピー"), this);
  cmdCopy->setObjectName(QStringLiteral("cmdCopy"));
  cmdCopy->adjustSize();

  picBox = new QWidget(this);
  picBox->setObjectName(QStringLiteral("picBox"));
  picLegend = new QLabel(picBox);
  picLegend->setObjectName(QStringLiteral("picLegend"));
  picLegend->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  VScroll = new QScrollBar(Qt::Vertical, picBox);
  VScroll->setObjectName(QStringLiteral("VScroll"));
  VScroll->setRange(0, 100);
  VScroll->setSingleStep(10);
  VScroll->setPageStep(20);

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
  const LegendLayout layout = layoutLegend(picture_.size(), height(), VScroll->sizeHint().width());
  resize(layout.innerWidth, height());
  placeParts();
}

void frmLegend::placeParts() {
  const LegendLayout layout = layoutLegend(picLegend->size(), height(), VScroll->sizeHint().width());
  // The button is centred in the inner width, above the panel.
  cmdCopy->move((width() - cmdCopy->width()) / 2, (kLegendButtonBand - cmdCopy->height()) / 2);
  picBox->setGeometry(layout.picBox);
  VScroll->setGeometry(layout.scrollBar);
  VScroll_Change();
}

void frmLegend::VScroll_Change() {
  picLegend->move(0, legendPictureTop(picLegend->height(), picBox->height(), VScroll->value()));
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
