// SPDX-License-Identifier: MIT
// The main window as a whole: its least size, the data-folder list's width,
// the readout's starting captions, the status line of the folded panel and
// the window's own settings file.
#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QStyle>

#include <algorithm>
#include <limits>

#include "app/UiMapView.h"
#include "app/UiReadout.h"
#include "app/WindowSettings.h"
#include "app/frmSCR.h"

namespace kavalo {

namespace {

// The map keeps at least this much room beside the panel.
constexpr int kMinMapWidth = 320;
// The least height of the window while the panel is folded away.
constexpr int kFoldedMinHeight = 240;
// Room the window manager's frame and a task bar take from the screen.
constexpr int kScreenAllowance = 80;
// Below this the names would be too small to read; longer names are cut.
constexpr qreal kSmallestListPoints = 7.0;

// The readout's lines (latitude, longitude, datum, elevation) as one line.
QString statusText(const QString& lblInfoCaption) {
  QStringList parts;
  for (QString line : lblInfoCaption.split(QChar(13))) {
    line = line.trimmed();
    // The datum line is indented with ideographic spaces.
    while (line.startsWith(QChar(0x3000))) line.remove(0, 1);
    if (!line.isEmpty()) parts << line;
  }
  return parts.join(QStringLiteral("  "));
}

}  // namespace

bool frmSCR::panelFolded() const { return picBox->x() < 0; }

void frmSCR::resetReadout() {
  lblInfo->setText(tr("現在地の標高："));
  lblMap->setText(tr("図幅情報"));
  lblInfo->setProperty("caption", QVariant());
  lblMap->setProperty("caption", QVariant());
  QFont font = lblMap->font();
  font.setBold(false);
  lblMap->setFont(font);
  readoutBox_->relayout();
  lblStatus->clear();
  lblStatus->hide();
  hasReadoutPoint_ = false;
}

void frmSCR::setStatusLine(const QString& lblInfoCaption) {
  statusCaption_ = lblInfoCaption;
  // Folded, the line is the readout's; the ruler's measure follows it (and
  // is all the line says while the panel shows the readout).
  QString text = panelFolded() ? statusText(lblInfoCaption) : QString();
  if (!rulerText_.isEmpty())
    text = text.isEmpty() ? rulerText_
                          : tr("%1　　%2", "status line: the readout, then the measure").arg(text, rulerText_);
  lblStatus->setText(text);
}

void frmSCR::placeStatusLine(int left, int width, int clientHeight) {
  // Folded away, the panel's readout cannot be seen: one line under the map
  // shows where the pointer is and how high. The map gives up that line, so
  // its scale bar and credits stay in sight above it.
  const bool shown = (panelFolded() || !rulerText_.isEmpty()) && state_.view.loaded;
  int mapHeight = clientHeight;
  if (shown) {
    const int h = std::min(clientHeight, lblStatus->fontMetrics().height() + 4);
    mapHeight = clientHeight - h;
    lblStatus->setGeometry(left, mapHeight, width, h);
    lblStatus->show();
    lblStatus->raise();
  } else {
    lblStatus->hide();
  }
  picPrint->setGeometry(left, 0, width, mapHeight);
}

int frmSCR::panelRoom() const {
  return screen_.heightPx > kScreenAllowance ? screen_.heightPx - kScreenAllowance : std::numeric_limits<int>::max();
}

void frmSCR::fitMinimumSize() {
  // The panel is placed by hand, not by the window's layout, so the window
  // learns its least height from the panel's own layout.
  // Folded away, the panel asks for nothing: the map and its status line
  // can be as low as the window manager lets them.
  const bool folded = panelFolded();
  int height = folded ? kFoldedMinHeight : picBox->layout()->minimumSize().height();
  if (screen_.heightPx > kScreenAllowance) height = std::min(height, screen_.heightPx - kScreenAllowance);
  int width = (folded ? 0 : picBox->width()) + kMinMapWidth;
  if (screen_.widthPx > 0) width = std::min(width, screen_.widthPx);
  setMinimumSize(width, height);
}

void frmSCR::fitDataFolderList() {
  for (int i = 0; i < lstDataFolder->count(); ++i) {
    QListWidgetItem* item = lstDataFolder->item(i);
    // A name that still does not fit is shown whole in its tip.
    item->setToolTip(item->text());
  }
  // The list's width inside the panel (the panel is laid out only when shown):
  // the panel's and the frame's margins, the list's frame and the item's padding.
  int room = picBox->width() - 8 - 12 - 2 * lstDataFolder->frameWidth() - 8;
  if (lstDataFolder->count() > 4) room -= lstDataFolder->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  // Sample names of some length fit at a smaller size; past the smallest
  // readable one they are cut.
  QFont font = lstDataFolder->font();
  for (;;) {
    const QFontMetrics metrics(font);
    int widest = 0;
    for (int i = 0; i < lstDataFolder->count(); ++i)
      widest = std::max(widest, metrics.horizontalAdvance(lstDataFolder->item(i)->text()));
    if (widest <= room || font.pointSizeF() - 0.5 < kSmallestListPoints) break;
    font.setPointSizeF(font.pointSizeF() - 0.5);
  }
  lstDataFolder->setFont(font);
  lstDataFolder->setTextElideMode(Qt::ElideRight);
}

void frmSCR::readWindowSettings() { wheelAwayZoomsIn_ = loadWindowSettings(state_.rootFolder).wheelAwayZoomsIn; }

void frmSCR::Form_Resize() {
  QWidget* client = centralWidget();
  const int clientWidth = client->width();
  const int clientHeight = client->height();
  picBox->setGeometry(picBox->x(), 0, picBox->width(), clientHeight);
  // The fold in the panel's top-right corner, over the first group's title row.
  lblBoxSize[0]->move(picBox->width() - lblBoxSize[0]->width() - 6, 2);
  lblBoxSize[0]->raise();
  const int left = picBox->x() + picBox->width();
  // A window narrower than the panel leaves no room for the map.
  const int width = std::max(0, clientWidth - left);
  placeStatusLine(left, width, clientHeight);
  resizeViewImage();
  if (phase_ == Phase::Ready) {
    PrintGazo();
  }
}

void frmSCR::resizeViewImage() {
  // The view's size in view pixels; the picture follows at the next
  // composition (in target pixels).
  const QSize size = picPrint->size();
  state_.view.viewWidth = size.width();
  state_.view.viewHeight = size.height();
  if (size.isEmpty()) {
    viewPicture_ = QImage();
    viewSnapshot_ = QImage();
  }
}

}  // namespace kavalo
